// File streams and the file-system commands. Paths take "\" or "/"; the system gets "/", and
// directory texts handed back use "/".
#define _FILE_OFFSET_BITS 64
#include "core/FileCommands.h"

#include "base/KXCommandTable.h"
#include "core/KXCoreLib.h"
#include "core/KXDir.h"
#include "core/KXFile.h"
#include "core/KXHandle.h"
#include "core/KXPath.h"
#include "core/KXString.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <glob.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The system path of a program's file name in out; false when the text names no file (a NUL
// byte in it), which every file command treats as a path where nothing exists.
bool systemPath(const KXString* name, std::string& out)
{
    if (!kxNamesFile(kxStringView(name)))
        return false;
    out = kxSystemPath(name);
    return true;
}

int openFile(KXString* name, const char* mode)
{
    std::string path;
    return systemPath(name, path) ? KXCoreLib::adopt(KXFile::open(path, mode)) : 0;
}

KXFile* fileOf(int handle) { return kxHandle<KXFile>(handle, "File"); }
KXDir* dirOf(int handle) { return kxHandle<KXDir>(handle, "Directory"); }

// The entry a path names: with "*" or "?" in it, the first entry the pattern matches.
bool firstEntry(const std::string& path, struct stat& st)
{
    if (path.find_first_of("*?") == std::string::npos)
        return stat(path.c_str(), &st) == 0;
    glob_t g {};
    bool found = glob(path.c_str(), GLOB_PERIOD | GLOB_NOESCAPE, nullptr, &g) == 0 && g.gl_pathc > 0
        && stat(g.gl_pathv[0], &st) == 0;
    globfree(&g);
    return found;
}

bool writeAll(int fd, const char* data, ssize_t n)
{
    while (n > 0) {
        ssize_t w = write(fd, data, size_t(n));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        data += w;
        n -= w;
    }
    return true;
}

// Copies a regular file over any existing target that may be written. The copy gets the
// source's permissions, made writable for its owner. A target that is the source itself is
// refused: truncating it first would destroy both. The bytes go to a temporary file beside the
// target, which then replaces it in one step, so the target is never seen half written (a
// target that is a symbolic link is written through the link instead).
bool copyFile(const std::string& from, const std::string& to)
{
    int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat src, dst, link;
    bool exists = stat(to.c_str(), &dst) == 0;
    if (fstat(in, &src) != 0 || !S_ISREG(src.st_mode)
        || (exists && dst.st_dev == src.st_dev && dst.st_ino == src.st_ino)
        || (exists && access(to.c_str(), W_OK) != 0)) {
        close(in);
        return false;
    }
    bool replace = !(lstat(to.c_str(), &link) == 0 && S_ISLNK(link.st_mode));
    std::string temporary = to + ".XXXXXX";
    int out = replace ? mkostemp(temporary.data(), O_CLOEXEC) : open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (out < 0) {
        close(in);
        return false;
    }
    constexpr size_t Chunk = 65536;
    auto buffer = std::make_unique_for_overwrite<char[]>(Chunk);
    bool ok = true;
    for (;;) {
        ssize_t r = read(in, buffer.get(), Chunk);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            ok = r == 0;
            break;
        }
        if (!writeAll(out, buffer.get(), r)) {
            ok = false;
            break;
        }
    }
    if (ok)
        ok = fchmod(out, (src.st_mode & 0777) | S_IWUSR) == 0 && fsync(out) == 0;
    close(in);
    ok = close(out) == 0 && ok;
    if (replace) {
        if (ok)
            ok = rename(temporary.c_str(), to.c_str()) == 0;
        if (!ok)
            unlink(temporary.c_str());
    }
    return ok;
}
}

KX_STDCALL int OpenFile(KXString* filename) { return openFile(filename, "r+b"); }
KX_STDCALL int ReadFile(KXString* filename) { return openFile(filename, "rb"); }
KX_STDCALL int WriteFile(KXString* filename) { return openFile(filename, "wb"); }

KX_STDCALL void CloseFile(int file)
{
    if (file)
        fileOf(file)->releaseFromOwner();
}

KX_STDCALL int FilePos(int file) { return fileOf(file)->pos(); }

KX_STDCALL int SeekFile(int file, int pos) { return fileOf(file)->seek(pos); }

// 0 when nothing exists at the path, 2 for a directory, 1 for anything else, a symbolic link
// that leads nowhere included: its name is taken, so a search for a free name passes it by.
KX_STDCALL int FileType(KXString* path)
{
    std::string name;
    struct stat st;
    if (!systemPath(path, name))
        return 0;
    if (stat(name.c_str(), &st) != 0)
        return lstat(name.c_str(), &st) == 0 ? 1 : 0;
    return S_ISDIR(st.st_mode) ? 2 : 1;
}

// The low 32 bits of the size; 0 for a directory or a missing path.
KX_STDCALL int FileSize(KXString* path)
{
    std::string name;
    struct stat st;
    if (!systemPath(path, name) || !firstEntry(name, st) || S_ISDIR(st.st_mode))
        return 0;
    return int(uint32_t(uint64_t(st.st_size)));
}

KX_STDCALL void CopyFile(KXString* from, KXString* to)
{
    std::string source, target;
    if (systemPath(from, source) && systemPath(to, target))
        copyFile(source, target);
}

KX_STDCALL void DeleteFile(KXString* path)
{
    std::string name;
    if (systemPath(path, name))
        unlink(name.c_str());
}

KX_STDCALL int ReadDir(KXString* dirname)
{
    if (FileType(dirname) != 2)
        return 0;
    return KXCoreLib::adopt(KXDir::open(kxSystemPath(dirname)));
}

KX_STDCALL void CloseDir(int dir)
{
    if (dir)
        dirOf(dir)->releaseFromOwner();
}

KX_STDCALL int MoreFiles(int dir) { return dirOf(dir)->hasEntry() ? 1 : 0; }

KX_STDCALL KXString* NextFile(int dir) { return KXString::create(dirOf(dir)->next()); }

// The working directory, always ending in "/".
KX_STDCALL KXString* CurrentDir()
{
    std::unique_ptr<char, decltype(&std::free)> cwd(getcwd(nullptr, 0), &std::free);
    std::string dir = cwd ? cwd.get() : "";
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return KXString::create(dir);
}

KX_STDCALL void ChangeDir(KXString* dir)
{
    // A directory that cannot be entered leaves the current one in force.
    std::string name;
    if (!systemPath(dir, name) || chdir(name.c_str()) != 0)
        return;
}

KX_STDCALL void CreateDir(KXString* dir)
{
    std::string name;
    if (systemPath(dir, name))
        mkdir(name.c_str(), 0777);
}

KX_STDCALL void DeleteDir(KXString* dir)
{
    std::string name;
    if (systemPath(dir, name))
        rmdir(name.c_str());
}

namespace {
const KXCommandEntry s_commands[] = {
    { "%OpenFile$filename", KX_FN(OpenFile) },
    { "%ReadFile$filename", KX_FN(ReadFile) },
    { "%WriteFile$filename", KX_FN(WriteFile) },
    { "CloseFile%file_stream", KX_FN(CloseFile) },
    { "%FilePos%file_stream", KX_FN(FilePos) },
    { "%SeekFile%file_stream%pos", KX_FN(SeekFile) },
    { "%FileSize$file", KX_FN(FileSize) },
    { "%FileType$file", KX_FN(FileType) },
    { "CopyFile$file$to", KX_FN(CopyFile) },
    { "DeleteFile$file", KX_FN(DeleteFile) },
    { "%ReadDir$dirname", KX_FN(ReadDir) },
    { "CloseDir%dir", KX_FN(CloseDir) },
    { "%MoreFiles%dir", KX_FN(MoreFiles) },
    { "$NextFile%dir", KX_FN(NextFile) },
    { "$CurrentDir", KX_FN(CurrentDir) },
    { "ChangeDir$dir", KX_FN(ChangeDir) },
    { "CreateDir$dir", KX_FN(CreateDir) },
    { "DeleteDir$dir", KX_FN(DeleteDir) },
};
KXCommandTable s_table(s_commands);
}
