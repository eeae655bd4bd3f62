// KXNativeMenuItem: one entry of a native menu bar as UpdateWindowMenu hands it to a backend.
#pragma once

#include <string>
#include <vector>

struct KXNativeMenuItem {
    // Entry flags, with the values native menus use. Append-only.
    enum Flags : int { Grayed = 1,
        Checked = 8,
        Popup = 0x10,
        Separator = 0x800 };
    // Native command ids of menu items are the program's ids plus this offset.
    static constexpr int CommandBase = 100;

    int flags { 0 };
    int commandId { 0 }; // command entries only
    std::string text;
    std::vector<KXNativeMenuItem> children; // pop-up entries only

    bool isSeparator() const { return flags & Separator; }
    bool isPopup() const { return flags & Popup; }
};
