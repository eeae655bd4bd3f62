// The XDG user directories.
#include "winapi/KXUserDirs.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool isFolder(const std::string& path)
{
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The value of a line `XDG_KEY_DIR="..."`: "$HOME" at its start stands for the home folder and
// "\" escapes the next character. Empty when the line is no such assignment.
std::string parseLine(const std::string& line, const std::string& variable, const std::string& home)
{
    size_t p = line.find_first_not_of(" \t");
    if (p == std::string::npos || line.compare(p, variable.size(), variable) != 0)
        return {};
    p += variable.size();
    if (p >= line.size() || line[p] != '=' || p + 1 >= line.size() || line[p + 1] != '"')
        return {};
    std::string value;
    for (size_t i = p + 2; i < line.size(); ++i) {
        if (line[i] == '"')
            return value.compare(0, 5, "$HOME") == 0 ? home + value.substr(5) : (value.size() && value[0] == '/' ? value : std::string());
        if (line[i] == '\\' && i + 1 < line.size())
            ++i;
        value += line[i];
    }
    return {};
}
}

std::string KXUserDirs::home()
{
    if (const char* h = std::getenv("HOME"); h && h[0] == '/')
        return h;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/";
}

std::string KXUserDirs::folder(const std::string& key)
{
    std::string homeDir = home();
    std::string config;
    if (const char* c = std::getenv("XDG_CONFIG_HOME"); c && c[0] == '/')
        config = c;
    else
        config = homeDir + "/.config";
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line, found;
    while (std::getline(in, line))
        if (std::string v = parseLine(line, "XDG_" + key + "_DIR", homeDir); !v.empty())
            found = v;
    while (found.size() > 1 && found.back() == '/')
        found.pop_back();
    if (isFolder(found))
        return found;
    // Where no existing folder is configured, the desktop is ~/Desktop when there is one, as the
    // desktop's own libraries answer.
    if (key == "DESKTOP" && isFolder(homeDir + "/Desktop"))
        return homeDir + "/Desktop";
    return homeDir;
}
