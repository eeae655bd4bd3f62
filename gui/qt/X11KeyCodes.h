// X11KeyCodes: X key codes (evdev codes + 8, as the X server numbers keys) to and from the raw
// key codes key events carry (the PC scan code, plus 0x80 for an extended key).
#pragma once

namespace x11kc {

// The raw code of an X key code, or 0 for a key without one.
int rawFromKeycode(int keycode);
// The X key code of a raw code, or 0.
int keycodeFromRaw(int raw);

}
