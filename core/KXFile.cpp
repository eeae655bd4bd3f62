// File streams over the C library's buffered files.
#define _FILE_OFFSET_BITS 64
#include "core/KXFile.h"

#include <cstring>
#include <sys/stat.h>

KXFile* KXFile::open(const std::string& path, const char* mode)
{
    FILE* f = std::fopen(path.c_str(), mode);
    if (!f)
        return nullptr;
    // The C library opens a directory for reading; a program asked for a file.
    struct stat st;
    if (fstat(fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(f);
        return nullptr;
    }
    bool plus = std::strchr(mode, '+') != nullptr;
    return new KXFile(f, mode[0] == 'r' || plus, mode[0] != 'r' || plus);
}

KXFile::~KXFile() { std::fclose(m_file); }

// A buffered file must be repositioned between a read and a following write (and the other way
// round); seeking by 0 from the current position does that without moving.
void KXFile::switchTo(LastOp op)
{
    if (m_last != LastOp::None && m_last != op)
        fseeko(m_file, 0, SEEK_CUR);
    m_last = op;
}

int KXFile::read(void* buffer, int n)
{
    if (n <= 0 || !m_readable)
        return 0;
    switchTo(LastOp::Read);
    return int(fread_unlocked(buffer, 1, size_t(n), m_file));
}

int KXFile::write(const void* buffer, int n)
{
    if (n <= 0 || !m_writable)
        return 0;
    switchTo(LastOp::Write);
    return int(fwrite_unlocked(buffer, 1, size_t(n), m_file));
}

int KXFile::eof()
{
    if (!m_readable)
        return 1;
    switchTo(LastOp::Read);
    int c = getc_unlocked(m_file);
    if (c == EOF)
        return 1;
    std::ungetc(c, m_file);
    return 0;
}

int KXFile::pos() { return int(uint32_t(ftello(m_file))); }

int KXFile::seek(int position)
{
    // The next transfer may go either way after a seek.
    if (position >= 0)
        fseeko(m_file, off_t(position), SEEK_SET);
    m_last = LastOp::None;
    return pos();
}
