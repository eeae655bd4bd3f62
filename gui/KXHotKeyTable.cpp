// Hot keys and modifier tracking.
#include "gui/KXHotKeyTable.h"

#include "gui/KXEventFilter.h"
#include "runtime/KXError.h"

KXHotKeyTable& KXHotKeyTable::instance()
{
    static KXHotKeyTable table;
    return table;
}

void KXHotKeyTable::add(int rawKey, int modifier, const KXEvent& ev)
{
    for (Entry& e : m_entries) {
        if (e.rawKey == rawKey && e.modifier == modifier) {
            e.event = ev;
            return;
        }
    }
    if (int(m_entries.size()) >= MaxEntries)
        kxRuntimeError("Too many hotkey events registered");
    m_entries.push_back({ rawKey, modifier, ev });
}

const KXEvent* KXHotKeyTable::find(int rawKey, int modifier) const
{
    for (const Entry& e : m_entries)
        if (e.rawKey == rawKey && e.modifier == modifier)
            return &e.event;
    return nullptr;
}

int KXHotKeyTable::modifierOf(int rawKey)
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

bool KXHotKeyTable::keyDown(int rawKey)
{
    if (int bit = modifierOf(rawKey)) {
        m_modifiers |= bit;
        return true;
    }
    if (const KXEvent* ev = find(rawKey, m_modifiers)) {
        kxPostEvent(*ev);
        return true;
    }
    return false;
}

bool KXHotKeyTable::keyUp(int rawKey)
{
    if (int bit = modifierOf(rawKey)) {
        m_modifiers &= ~bit;
        return true;
    }
    return false;
}
