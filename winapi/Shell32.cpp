// shell32.dll: special folders and icon extraction.
#include "winapi/KXUserDirs.h"
#include "winapi/KXWinApi.h"

#include <cstring>
#include <fstream>
#include <map>
#include <memory>

using namespace kxwin;

// From user32.dll.
KX_WINAPI void* LoadImageA(void* instance, const char* name, uint32_t type, int cx, int cy, uint32_t flags);

namespace {
constexpr int32_t EInvalidArg = int32_t(0x80070057);

// An item-id list as SHGetSpecialFolderLocation hands it out: for us, a folder path. Lists are
// kept for the life of the library, one per path, so callers that never free them leak nothing.
struct ItemList {
    std::string path;
};

std::map<std::string, std::unique_ptr<ItemList>>& itemLists()
{
    static std::map<std::string, std::unique_ptr<ItemList>> table;
    return table;
}

// The folder of a CSIDL value (its flag bits ignored); empty when there is none here.
std::string specialFolder(int csidl)
{
    switch (csidl & 0xFF) {
    case 0x00: // CSIDL_DESKTOP
    case 0x10: // CSIDL_DESKTOPDIRECTORY
        return KXUserDirs::folder("DESKTOP");
    case 0x05: // CSIDL_PERSONAL
        return KXUserDirs::folder("DOCUMENTS");
    case 0x0D: // CSIDL_MYMUSIC
        return KXUserDirs::folder("MUSIC");
    case 0x0E: // CSIDL_MYVIDEO
        return KXUserDirs::folder("VIDEOS");
    case 0x27: // CSIDL_MYPICTURES
        return KXUserDirs::folder("PICTURES");
    case 0x28: // CSIDL_PROFILE
        return KXUserDirs::home();
    default:
        return {};
    }
}
}

// Stores an item-id list for the special folder (16: the desktop folder) at *list and answers
// S_OK, or E_INVALIDARG for a folder that does not exist here.
KX_WINAPI int32_t SHGetSpecialFolderLocation(int window, int csidl, void** list)
{
    (void)window;
    if (!list)
        return EInvalidArg;
    std::string path = specialFolder(csidl);
    if (path.empty())
        return EInvalidArg;
    auto& lists = itemLists();
    auto& entry = lists[path];
    if (!entry)
        entry = std::make_unique<ItemList>(ItemList { path });
    *list = entry.get();
    return 0;
}

// Copies the folder path of an item-id list of SHGetSpecialFolderLocation into path (a buffer of
// MAX_PATH characters); FALSE for any other list or a path that does not fit.
KX_WINAPI int SHGetPathFromIDListA(const void* list, char* path)
{
    if (!list || !path)
        return 0;
    for (auto& [folder, entry] : itemLists()) {
        if (entry.get() != list)
            continue;
        if (folder.size() > MaxPath)
            return 0;
        std::memcpy(path, folder.c_str(), folder.size() + 1);
        return 1;
    }
    return 0;
}

// The icon of an .ico file (index 0; an icon file holds one icon, so -1 answers 1, the number of
// icons). 1 when the file is no icon file, null when it cannot be read or has no such icon.
KX_WINAPI void* ExtractIconA(void* instance, const char* file, int index)
{
    (void)instance;
    if (!file)
        return nullptr;
    std::string path = systemPath(file);
    std::ifstream in(path, std::ios::binary);
    char header[4] {};
    if (!in || !in.read(header, 4)) {
        SetLastError(ErrorFileNotFound);
        return nullptr;
    }
    bool iconFile = header[0] == 0 && header[1] == 0 && header[2] == 1 && header[3] == 0;
    if (index == -1)
        return reinterpret_cast<void*>(uintptr_t(iconFile ? 1 : 0));
    if (index != 0)
        return iconFile ? nullptr : reinterpret_cast<void*>(uintptr_t(1));
    void* icon = LoadImageA(nullptr, path.c_str(), 1, 0, 0, 0x10);
    if (!icon && !iconFile)
        return reinterpret_cast<void*>(uintptr_t(1));
    return icon;
}
