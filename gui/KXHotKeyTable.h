// KXHotKeyTable: the registered hot keys, matched against the Shift/Ctrl/Alt mask the program's
// keyboard (KXKeyboard) tracks.
//
// Invariants: at most MaxEntries entries; no two share (raw key, modifier).
#pragma once

#include "gui/KXEvent.h"
#include "gui/KXKeyboard.h"

#include <vector>

class KXHotKeyTable {
public:
    static constexpr int MaxEntries = 100;
    // Modifier mask bits.
    enum Modifier : int { Shift = KXKeyboard::Shift,
        Ctrl = KXKeyboard::Ctrl,
        Alt = KXKeyboard::Alt };

    static KXHotKeyTable& instance();

    // Registers (rawKey, modifier) to post ev, replacing the event of an existing entry; a
    // 101st distinct entry raises "Too many hotkey events registered".
    void add(int rawKey, int modifier, const KXEvent& ev);
    int count() const { return int(m_entries.size()); }
    const KXEvent* find(int rawKey, int modifier) const;
    int modifiers() const { return KXKeyboard::instance().modifiers(); }

    // A key went down (not an auto-repeat; the keyboard has already updated the mask): a
    // modifier key is consumed; another key posts its hot-key event when (raw, current mask) is
    // registered. Answers true when the key was consumed and must not be processed further.
    bool keyDown(int rawKey);
    // A key went up: a modifier key is consumed.
    bool keyUp(int rawKey);
    // The modifier bit a raw key code stands for, or 0.
    static int modifierOf(int rawKey) { return KXKeyboard::modifierOf(rawKey); }

    void clear() { m_entries.clear(); }

private:
    struct Entry {
        int rawKey;
        int modifier;
        KXEvent event;
    };
    std::vector<Entry> m_entries;
};
