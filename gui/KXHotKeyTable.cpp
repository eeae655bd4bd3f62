// Hot keys and modifier tracking.
#include "gui/KXHotKeyTable.h"

#include "gui/KXEventFilter.h"
#include "base/KXError.h"

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

bool KXHotKeyTable::keyDown(int rawKey)
{
    if (modifierOf(rawKey))
        return true;
    if (const KXEvent* ev = find(rawKey, modifiers())) {
        kxPostEvent(*ev);
        return true;
    }
    return false;
}

bool KXHotKeyTable::keyUp(int rawKey)
{
    return modifierOf(rawKey) != 0;
}
