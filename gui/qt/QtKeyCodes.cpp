// The X key code table.
#include "gui/qt/QtKeyCodes.h"

int QtKeyCodes::rawFromX(unsigned xKeyCode)
{
    if (xKeyCode < 8 || xKeyCode > 255)
        return 0;
    const unsigned evdev = xKeyCode - 8;
    // Evdev numbers the main block, the keypad and F1-F12 as the PC keyboard's set 1 does, except
    // that Num Lock is an extended key in the window system's key data and Pause is not.
    if (evdev == 69) // Num Lock
        return 0xc5;
    if (evdev >= 1 && evdev <= 83)
        return int(evdev);
    switch (evdev) {
    case 86: // the extra key left of Z
        return 0x56;
    case 87: // F11
        return 0x57;
    case 88: // F12
        return 0x58;
    case 96: // keypad Enter
        return 0x9c;
    case 97: // right Ctrl
        return 0x9d;
    case 98: // keypad /
        return 0xb5;
    case 99: // Print Screen
    case 210: // Print, the second key code X keymaps give the Print keysym (xdotool may pick it)
        return 0xb7;
    case 100: // right Alt
        return 0xb8;
    case 102: // Home
        return 0xc7;
    case 103: // Up
        return 0xc8;
    case 104: // Page Up
        return 0xc9;
    case 105: // Left
        return 0xcb;
    case 106: // Right
        return 0xcd;
    case 107: // End
        return 0xcf;
    case 108: // Down
        return 0xd0;
    case 109: // Page Down
        return 0xd1;
    case 110: // Insert
        return 0xd2;
    case 111: // Delete
        return 0xd3;
    case 119: // Pause
        return 0x45;
    case 125: // left logo key
        return 0xdb;
    case 126: // right logo key
        return 0xdc;
    case 127: // menu key
        return 0xdd;
    default:
        return 0;
    }
}
