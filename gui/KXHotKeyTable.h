// KXHotKeyTable: the registered hot keys and the Shift/Ctrl/Alt state the window procedure
// tracks for them.
//
// Invariants: at most MaxEntries entries; no two share (raw key, modifier).
#pragma once

#include "gui/KXEvent.h"

#include <vector>

class KXHotKeyTable {
public:
    static constexpr int MaxEntries = 100;
    // Modifier mask bits.
    enum Modifier : int { Shift = 1,
        Ctrl = 2,
        Alt = 4 };

    static KXHotKeyTable& instance();

    // Registers (rawKey, modifier) to post ev, replacing the event of an existing entry; a
    // 101st distinct entry raises "Too many hotkey events registered".
    void add(int rawKey, int modifier, const KXEvent& ev);
    int count() const { return int(m_entries.size()); }
    const KXEvent* find(int rawKey, int modifier) const;
    int modifiers() const { return m_modifiers; }

    // A key went down (not an auto-repeat): a modifier key only updates the mask; another key
    // posts its hot-key event when (raw, current mask) is registered. Answers true when the key
    // was consumed and must not be processed further.
    bool keyDown(int rawKey);
    // A key went up: a modifier key clears its bit and is consumed.
    bool keyUp(int rawKey);
    // The modifier bit a raw key code stands for, or 0.
    static int modifierOf(int rawKey);

    void clear()
    {
        m_entries.clear();
        m_modifiers = 0;
    }

private:
    struct Entry {
        int rawKey;
        int modifier;
        KXEvent event;
    };
    std::vector<Entry> m_entries;
    int m_modifiers { 0 };
};
