// Where the running executable lives, read once from /proc.
#include "runtime/KXHostPaths.h"

#include <climits>
#include <unistd.h>

const std::string& kxExecutablePath()
{
    static const std::string path = [] {
        char buf[PATH_MAX];
        ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
        return n > 0 ? std::string(buf, size_t(n)) : std::string();
    }();
    return path;
}

std::string kxExecutableDir()
{
    const std::string& path = kxExecutablePath();
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}
