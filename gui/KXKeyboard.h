// KXKeyboard: the program's view of the keyboard, fed by the raw key facts backends report
// through KXWindow::onRawKey: which keys are down (so an auto-repeat is told from a new press),
// the Shift/Ctrl/Alt mask and the character a raw key types.
//
// Raw key codes are the platform-independent scan codes the key events carry (0x01 Esc, 0x1c
// Enter, 0x2a/0x36 Shift, 0x1d/0x9d Ctrl, 0x38/0xb8 Alt; extended keys have 0x80 added).
//
// Invariants: the modifier mask has a bit set exactly while one of that modifier's keys is down;
// codes outside 0..255 are never down.
#pragma once

class KXKeyboard {
public:
    // Modifier mask bits (also the modifier values HotKeyEvent takes). Append-only.
    enum Modifier : int { Shift = 1,
        Ctrl = 2,
        Alt = 4 };

    // For KXWindow::onRawKey: the backend knows no layout; the character comes from the table.
    static constexpr int FromTable = -1;

    static KXKeyboard& instance();

    // A key went down or up as the platform reported it. Answers false for an auto-repeat (a
    // down while the key is already down), which must raise nothing; true for a real change.
    // The modifier mask follows every real change.
    bool press(int rawKey, bool down);
    bool isDown(int rawKey) const { return rawKey >= 0 && rawKey < 256 && m_down[rawKey]; }
    int modifiers() const { return m_modifiers; }
    // Every key up and no modifier held: the state after the program lost the keyboard, since
    // releases that happen elsewhere never reach it.
    void reset();

    // The modifier bit a raw key code stands for, or 0.
    static int modifierOf(int rawKey);
    // The character a raw key types on the US layout with the given Shift state, or 0 for a
    // key that types none.
    static int characterOf(int rawKey, bool shift);

private:
    bool m_down[256] {};
    int m_modifiers { 0 };
};
