// Icons from .ico files.
#include "winapi/KXIcon.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {
uint32_t le(const std::string& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | uint8_t(b[at + size_t(i)]);
    return v;
}

bool isIconFile(const std::string& b)
{
    if (b.size() < 6 || le(b, 0, 2) != 0 || le(b, 2, 2) != 1)
        return false;
    size_t count = le(b, 4, 2);
    if (count == 0 || b.size() < 6 + 16 * count)
        return false;
    for (size_t i = 0; i < count; ++i) {
        uint64_t size = le(b, 6 + 16 * i + 8, 4), offset = le(b, 6 + 16 * i + 12, 4);
        if (size == 0 || offset < 6 + 16 * count || offset + size > b.size())
            return false;
    }
    return true;
}
}

std::unique_ptr<KXIcon> KXIcon::load(const std::string& path, bool& notIcon)
{
    notIcon = false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    if (in.bad())
        return nullptr;
    if (!isIconFile(bytes)) {
        notIcon = true;
        return nullptr;
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/trova-icon-XXXXXX.ico";
    int fd = mkstemps(pattern.data(), 4);
    if (fd < 0)
        return nullptr;
    bool written = write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    close(fd);
    if (!written) {
        unlink(pattern.c_str());
        return nullptr;
    }
    return std::unique_ptr<KXIcon>(new KXIcon(pattern));
}

KXIcon::~KXIcon() { unlink(m_file.c_str()); }
