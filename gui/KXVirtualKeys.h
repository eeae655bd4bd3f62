// Virtual keys (the key numbers programs pass to the key-state and synthetic-key calls) and
// their raw key codes (the PC scan code, plus 0x80 for an extended key, as key events carry).
// Both numberings are fixed by the programs that use them: never renumber.
#pragma once

#include <array>

namespace kxvk {

constexpr int PrintScreen = 0x2C;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Alt = 0x12;

// The raw codes of the physical keys a virtual key stands for (Shift: both shift keys), 0 where
// fewer; all 0 for a virtual key with no key here.
std::array<int, 2> rawCodes(int vk);
// The virtual key of a raw code (the left/right-neutral one for modifiers), or 0.
int fromRaw(int raw);

}
