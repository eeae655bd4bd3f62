// QtKeyCodes: the table from X key codes to raw key codes (the PC scan code, plus 0x80 for an
// extended key), the numbering key events carry on every platform.
#pragma once

class QtKeyCodes {
public:
    // The raw key code of an X key code (evdev code + 8), or 0 for a key without one.
    static int rawFromX(unsigned xKeyCode);
};
