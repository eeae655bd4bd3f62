// KXUserDirs: the user's well-known folders as the XDG user directories name them
// ($XDG_CONFIG_HOME/user-dirs.dirs, by default ~/.config/user-dirs.dirs). A folder that is not
// configured or is no existing folder falls back to the home folder; the desktop first to
// ~/Desktop when that exists.
#pragma once

#include <string>

class KXUserDirs {
public:
    // The home folder: $HOME when it is an absolute path, else the password database's.
    static std::string home();
    // The folder of an XDG user-directory key ("DESKTOP", "DOCUMENTS", "PICTURES"...).
    static std::string folder(const std::string& key);
};
