// Named mutexes over lock files.
#include "winapi/KXNamedMutex.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
std::map<std::string, KXNamedMutex*>& openMutexes()
{
    static std::map<std::string, KXNamedMutex*> table;
    return table;
}

// The lock folder, made when missing; empty (errno set) when it is unusable.
std::string lockFolder()
{
    if (const char* dir = std::getenv("TROVA_MUTEX_DIR"); dir && *dir)
        return dir;
    std::string dir;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        dir = std::string(runtime) + "/trova";
    else
        dir = "/tmp/trova-" + std::to_string(getuid());
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat st;
    if (lstat(dir.c_str(), &st) != 0)
        return {};
    if (!S_ISDIR(st.st_mode) || st.st_uid != getuid()) {
        errno = EACCES;
        return {};
    }
    return dir;
}

// The file name for a mutex name: letters, digits, "-", "_" and "." stay, every other byte
// becomes %XX, so names with "\" or "/" never leave the folder.
std::string fileName(const std::string& name)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out = "mutex-";
    for (unsigned char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.') {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}
}

std::string KXNamedMutex::lockPath(const std::string& name)
{
    std::string dir = lockFolder();
    return dir.empty() ? dir : dir + "/" + fileName(name);
}

KXNamedMutex* KXNamedMutex::open(const std::string& name, bool& existed)
{
    auto& table = openMutexes();
    if (auto it = table.find(name); it != table.end()) {
        ++it->second->m_handles;
        existed = true;
        return it->second;
    }
    std::string path = lockPath(name);
    if (path.empty())
        return nullptr;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return nullptr;
    existed = flock(fd, LOCK_EX | LOCK_NB) != 0;
    // The holders' shared locks: taking one fails only for the moment another process holds the
    // exclusive lock between its own test and its switch to a shared lock.
    for (int attempt = 0; flock(fd, LOCK_SH | LOCK_NB) != 0; ++attempt) {
        if (errno != EWOULDBLOCK || attempt == 200) {
            int e = errno;
            ::close(fd);
            errno = e;
            return nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    auto* mutex = new KXNamedMutex(name, fd); // owned by the table until its last handle closes
    table[name] = mutex;
    return mutex;
}

void KXNamedMutex::close()
{
    if (--m_handles > 0)
        return;
    openMutexes().erase(m_name);
    delete this;
}

KXNamedMutex::~KXNamedMutex()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
