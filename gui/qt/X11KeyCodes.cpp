// The X key code to raw key code table.
#include "gui/qt/X11KeyCodes.h"

namespace {

constexpr int evdevOffset = 8;

struct Extended {
    int evdev;
    int raw;
};

// Keys whose evdev code differs from their scan code: the extended keys. Evdev codes 1..88 are
// the scan codes of the main block, the keypad and F1..F12 as they stand.
constexpr Extended extended[] = {
    { 96, 0x9C }, // keypad Enter
    { 97, 0x9D }, // right Ctrl
    { 98, 0xB5 }, // keypad /
    { 99, 0xB7 }, // Print Screen
    { 100, 0xB8 }, // right Alt
    { 102, 0xC7 }, // Home
    { 103, 0xC8 }, // Up
    { 104, 0xC9 }, // Page Up
    { 105, 0xCB }, // Left
    { 106, 0xCD }, // Right
    { 107, 0xCF }, // End
    { 108, 0xD0 }, // Down
    { 109, 0xD1 }, // Page Down
    { 110, 0xD2 }, // Insert
    { 111, 0xD3 }, // Delete
    { 125, 0xDB }, // left Windows
    { 126, 0xDC }, // right Windows
    { 127, 0xDD }, // Menu
};

}

int x11kc::rawFromKeycode(int keycode)
{
    int evdev = keycode - evdevOffset;
    if (evdev >= 1 && evdev <= 88)
        return evdev;
    for (const Extended& e : extended)
        if (e.evdev == evdev)
            return e.raw;
    return 0;
}

int x11kc::keycodeFromRaw(int raw)
{
    if (raw >= 1 && raw <= 88)
        return raw + evdevOffset;
    for (const Extended& e : extended)
        if (e.raw == raw)
            return e.evdev + evdevOffset;
    return 0;
}
