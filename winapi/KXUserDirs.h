// KXUserDirs: the user's well-known folders as the XDG user directories name them
// ($XDG_CONFIG_HOME/user-dirs.dirs, by default ~/.config/user-dirs.dirs), each falling back to the
// home folder when it is not configured or is no existing folder.
#pragma once

#include <string>

class KXUserDirs {
public:
    // The home folder: $HOME when it is an absolute path, else the password database's.
    static std::string home();
    // The folder of an XDG user-directory key ("DESKTOP", "DOCUMENTS", "PICTURES"...).
    static std::string folder(const std::string& key);
};
