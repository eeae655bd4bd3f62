// The program's keyboard state and the raw-key-to-character table.
#include "gui/KXKeyboard.h"

#include <algorithm>
#include <iterator>

KXKeyboard& KXKeyboard::instance()
{
    static KXKeyboard keyboard;
    return keyboard;
}

bool KXKeyboard::press(int rawKey, bool down)
{
    if (rawKey < 0 || rawKey >= 256)
        return true;
    if (down && m_down[rawKey])
        return false;
    m_down[rawKey] = down;
    if (int bit = modifierOf(rawKey)) {
        if (down)
            m_modifiers |= bit;
        else
            m_modifiers &= ~bit;
    }
    return true;
}

void KXKeyboard::reset()
{
    std::fill(std::begin(m_down), std::end(m_down), false);
    m_modifiers = 0;
}

int KXKeyboard::modifierOf(int rawKey)
{
    switch (rawKey) {
    case 0x2a: // left Shift
    case 0x36: // right Shift
        return Shift;
    case 0x1d: // left Ctrl
    case 0x9d: // right Ctrl
        return Ctrl;
    case 0x38: // left Alt
    case 0xb8: // right Alt
        return Alt;
    default:
        return 0;
    }
}

int KXKeyboard::characterOf(int rawKey, bool shift)
{
    static const char digits[] = "1234567890";
    static const char top[] = "qwertyuiop";
    static const char middle[] = "asdfghjkl";
    static const char bottom[] = "zxcvbnm";
    char c = 0;
    if (rawKey >= 0x02 && rawKey <= 0x0b)
        return digits[rawKey - 0x02];
    if (rawKey >= 0x10 && rawKey <= 0x19)
        c = top[rawKey - 0x10];
    else if (rawKey >= 0x1e && rawKey <= 0x26)
        c = middle[rawKey - 0x1e];
    else if (rawKey >= 0x2c && rawKey <= 0x32)
        c = bottom[rawKey - 0x2c];
    if (c)
        return shift ? c - 'a' + 'A' : c;
    switch (rawKey) {
    case 0x01: // Esc
        return 27;
    case 0x0e: // Backspace
        return 8;
    case 0x0f: // Tab
        return 9;
    case 0x1c: // Enter
    case 0x9c: // keypad Enter
        return 13;
    case 0x39: // Space
        return ' ';
    default:
        return 0;
    }
}
