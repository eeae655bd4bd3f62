// The registry's file store.
#include "winapi/KXRegistryStore.h"

#include "core/KXAtomicFile.h"
#include "winapi/KXWinApi.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kxwin;

namespace {
const char Magic[] = "TROVA REGISTRY 1";

struct RootInfo {
    uint32_t root;
    const char* variable;
    const char* fileName;
};

constexpr RootInfo Roots[] = {
    { 0x80000000u, "TROVA_REGISTRY_HKCR", "HKEY_CLASSES_ROOT.reg" },
    { 0x80000001u, "TROVA_REGISTRY_HKCU", "HKEY_CURRENT_USER.reg" },
    { 0x80000002u, "TROVA_REGISTRY_HKLM", "HKEY_LOCAL_MACHINE.reg" },
    { 0x80000003u, "TROVA_REGISTRY_HKU", "HKEY_USERS.reg" },
    { 0x80000005u, "TROVA_REGISTRY_HKCC", "HKEY_CURRENT_CONFIG.reg" },
};

const RootInfo* rootInfo(uint32_t root)
{
    for (const RootInfo& r : Roots)
        if (r.root == root)
            return &r;
    return nullptr;
}

// The default folder, and whether the file lies in it (then the folder may be made).
std::string defaultFolder()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (data && data[0] == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home && home[0] == '/' ? home : "/") + "/.local/share";
    }
    return base + "/trova/registry";
}

bool makeFolders(const std::string& dir)
{
    for (size_t p = 1; p <= dir.size(); ++p) {
        if (p < dir.size() && dir[p] != '/')
            continue;
        std::string part = dir.substr(0, p);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

std::string folderOf(const std::string& file)
{
    size_t slash = file.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

uint32_t errorOf(int e)
{
    switch (e) {
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrorAccessDenied;
    case EISDIR:
    case EINVAL:
    case EEXIST:
        return ErrorAccessDenied; // not a regular file, or a link leading nowhere
    case ENOSPC:
    case EDQUOT:
        return ErrorDiskFull;
    default:
        return ErrorWriteFault;
    }
}

std::string escape(const std::string& s)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (c < 0x21 || c > 0x7E || c == '%' || c == '=' || c == '[' || c == ']' || c == '@') {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += char(c);
        }
    }
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool unescape(const std::string& s, std::string& out)
{
    out.clear();
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '%') {
            if (i + 2 >= s.size())
                return false;
            int hi = hexDigit(s[i + 1]), lo = hexDigit(s[i + 2]);
            if (hi < 0 || lo < 0)
                return false;
            out += char(hi * 16 + lo);
            i += 2;
        } else if (c == '=' || c == '[' || c == ']' || c == '@' || static_cast<unsigned char>(c) < 0x21) {
            return false;
        } else {
            out += c;
        }
    }
    return true;
}

// Adds the key at path and every parent of it.
KXRegistryKey& addKey(KXRegistryKeys& keys, const std::string& path)
{
    size_t p = 0;
    while ((p = path.find('\\', p)) != std::string::npos) {
        std::string parent = path.substr(0, p++);
        keys.try_emplace(KXRegistryStore::fold(parent), KXRegistryKey { parent, {} });
    }
    return keys.try_emplace(KXRegistryStore::fold(path), KXRegistryKey { path, {} }).first->second;
}

void defaults(uint32_t root, KXRegistryKeys& keys)
{
    keys.clear();
    addKey(keys, "");
    if (root == 0x80000002u)
        addKey(keys, "SOFTWARE\\Microsoft\\DirectDraw");
}

bool validPath(const std::string& path)
{
    if (path.empty())
        return true;
    if (path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string::npos)
        return false;
    return true;
}

bool parse(const std::string& text, KXRegistryKeys& keys)
{
    keys.clear();
    addKey(keys, "");
    KXRegistryKey* current = &keys.begin()->second;
    size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            return false; // every line ends in "\n": a cut-off file is corrupt
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (first) {
            if (line != Magic)
                return false;
            first = false;
            continue;
        }
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            std::string path;
            if (line.back() != ']' || !unescape(line.substr(1, line.size() - 2), path) || !validPath(path))
                return false;
            current = &addKey(keys, path);
            continue;
        }
        size_t eq = line.find('='), colon = line.find(':', eq == std::string::npos ? 0 : eq);
        if (eq == std::string::npos || colon == std::string::npos)
            return false;
        std::string name, rawName = line.substr(0, eq);
        if (rawName != "@" && (rawName.empty() || !unescape(rawName, name)))
            return false;
        std::string typeText = line.substr(eq + 1, colon - eq - 1), hex = line.substr(colon + 1);
        if (typeText.empty() || typeText.size() > 10 || typeText.find_first_not_of("0123456789") != std::string::npos)
            return false;
        unsigned long long type = std::strtoull(typeText.c_str(), nullptr, 10);
        if (type > 0xFFFFFFFFull || hex.size() % 2)
            return false;
        KXRegistryValue value { name, uint32_t(type), {} };
        value.data.reserve(hex.size() / 2);
        for (size_t i = 0; i < hex.size(); i += 2) {
            int hi = hexDigit(hex[i]), lo = hexDigit(hex[i + 1]);
            if (hi < 0 || lo < 0)
                return false;
            value.data += char(hi * 16 + lo);
        }
        current->values[KXRegistryStore::fold(name)] = std::move(value);
    }
    return !first;
}

std::string serialise(const KXRegistryKeys& keys)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out = std::string(Magic) + "\n";
    for (const auto& [folded, key] : keys) {
        if (folded.empty() && key.values.empty())
            continue;
        out += "[" + escape(key.path) + "]\n";
        for (const auto& [n, value] : key.values) {
            out += value.name.empty() ? std::string("@") : escape(value.name);
            out += "=" + std::to_string(value.type) + ":";
            for (unsigned char c : value.data) {
                out += hex[c >> 4];
                out += hex[c & 15];
            }
            out += "\n";
        }
    }
    return out;
}

// Reads the root's file into keys. Only a regular file is read: the file is opened without
// waiting (a named pipe would block the process until a writer came) and anything else there (a
// pipe, a device, a folder) is ignored with a message, the root holding its defaults.
uint32_t readFile(uint32_t root, const std::string& file, KXRegistryKeys& keys)
{
    int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            defaults(root, keys);
            return ErrorSuccess;
        }
        return ErrorAccessDenied;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        std::fprintf(stderr, "advapi32: the registry store %s is not a regular file; ignored\n", file.c_str());
        defaults(root, keys);
        return ErrorSuccess;
    }
    std::string text;
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, size_t(n));
    int e = errno;
    close(fd);
    if (n < 0)
        return e == EACCES ? ErrorAccessDenied : ErrorBadDb;
    return parse(text, keys) ? ErrorSuccess : ErrorBadDb;
}

// Replaces file by one holding text, whole or not at all, flushed to the disk; a file that is
// not a regular one is never replaced.
uint32_t replaceFile(const std::string& file, const std::string& text)
{
    int e = kxAtomicFileWrite(file.c_str(), KXAtomicReplace | KXAtomicSync,
        [&](int fd) { return kxAtomicWriteAll(fd, text.data(), text.size()); });
    return e ? errorOf(e) : ErrorSuccess;
}

// The file a root's path leads to, its symbolic links followed, so that a store kept behind a
// link (as dotfile managers keep them) is replaced where it lies and the link stays; the path
// itself when it names nothing yet.
std::string resolved(const std::string& file)
{
    std::unique_ptr<char, decltype(&std::free)> real(realpath(file.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : file;
}
}

std::string KXRegistryStore::fold(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

std::string KXRegistryStore::fileOf(uint32_t root)
{
    const RootInfo* info = rootInfo(root);
    if (!info)
        return {};
    if (const char* file = std::getenv(info->variable); file && *file)
        return file;
    return defaultFolder() + "/" + info->fileName;
}

uint32_t KXRegistryStore::read(uint32_t root, KXRegistryKeys& keys)
{
    std::string file = fileOf(root);
    if (file.empty())
        return ErrorInvalidHandle;
    return readFile(root, file, keys);
}

uint32_t KXRegistryStore::update(uint32_t root, const std::function<uint32_t(KXRegistryKeys&)>& change)
{
    std::string file = fileOf(root);
    if (file.empty())
        return ErrorInvalidHandle;
    std::string dir = folderOf(file);
    if (!std::getenv(rootInfo(root)->variable) && !makeFolders(dir))
        return errorOf(errno);
    file = resolved(file);
    dir = folderOf(file);
    int lock = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock < 0)
        return errorOf(errno);
    while (flock(lock, LOCK_EX) != 0 && errno == EINTR) { }
    KXRegistryKeys keys;
    uint32_t result = readFile(root, file, keys);
    if (result == ErrorSuccess)
        result = change(keys);
    if (result == ErrorSuccess)
        result = replaceFile(file, serialise(keys));
    close(lock); // releases the flock
    return result;
}

bool KXRegistryStore::isWritable(uint32_t root)
{
    std::string file = fileOf(root);
    if (file.empty())
        return false;
    if (access(folderOf(file).c_str(), F_OK) != 0 && !std::getenv(rootInfo(root)->variable))
        return true; // the default folder is made on the first write
    file = resolved(file);
    if (access(folderOf(file).c_str(), W_OK | X_OK) != 0)
        return false;
    struct stat st;
    if (lstat(file.c_str(), &st) != 0)
        return true;
    return S_ISREG(st.st_mode) && access(file.c_str(), W_OK) == 0;
}
