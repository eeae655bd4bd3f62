// Menu trees and their native form.
#include "gui/KXMenu.h"

#include "base/KXError.h"

KXMenu::KXMenu(KXString* text, int id)
    : m_text(text ? KXRef<KXString>::retained(text) : KXRef<KXString>(KXString::create("")))
    , m_id(id)
{
}

void KXMenu::free()
{
    while (KXMenu* child = m_firstChild) {
        if (child->refs() > 1)
            kxRuntimeError("Unable to release menu child");
        m_firstChild = child->m_nextSibling;
        child->m_nextSibling = nullptr;
        child->release();
    }
    KXObject::free();
}

void KXMenu::append(KXMenu* child)
{
    KXMenu** tail = &m_firstChild;
    while (*tail)
        tail = &(*tail)->m_nextSibling;
    *tail = child;
}

void KXMenu::setText(KXString* text) { m_text = text ? KXRef<KXString>::retained(text) : KXRef<KXString>(KXString::create("")); }

std::vector<KXNativeMenuItem> KXMenu::buildNative() const
{
    std::vector<KXNativeMenuItem> entries;
    for (const KXMenu* item = m_firstChild; item; item = item->m_nextSibling) {
        KXNativeMenuItem entry;
        int state = (item->m_checked ? KXNativeMenuItem::Checked : 0) | (item->m_enabled ? 0 : KXNativeMenuItem::Grayed);
        if (item->m_firstChild) {
            entry.flags = state | KXNativeMenuItem::Popup;
            entry.text = item->m_text->str();
            entry.children = item->buildNative();
        } else if (item->m_text->length() > 0) {
            entry.flags = state;
            entry.commandId = item->m_id + KXNativeMenuItem::CommandBase;
            entry.text = item->m_text->str();
        } else {
            entry.flags = KXNativeMenuItem::Separator;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}
