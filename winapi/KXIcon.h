// KXIcon: an icon loaded from an .ico file, as user32's icon handles stand for. The platform
// takes window icons from files, and programs may delete the file they loaded the icon from
// (Pictorra extracts its icon from its pack and cleans up at once), so the icon keeps a private
// copy of the file for as long as it lives.
#pragma once

#include <memory>
#include <string>

class KXIcon {
public:
    // Reads and checks an icon file: the header (reserved 0, type 1, at least one image) and an
    // image directory whose images lie inside the file. Null when the file cannot be read or is
    // not an icon file; notIcon is then set when it could be read but is no icon.
    static std::unique_ptr<KXIcon> load(const std::string& path, bool& notIcon);
    ~KXIcon();

    // The private copy of the icon file, for the platform.
    const std::string& file() const { return m_file; }

private:
    explicit KXIcon(std::string file)
        : m_file(std::move(file))
    {
    }
    std::string m_file;
};
