// Headless combo boxes: the native list and the user's choice.
#include "gui/headless/HeadlessComboBox.h"

namespace {
std::string textOf(const KXString* s) { return s ? s->str() : std::string(); }
}

int HeadlessComboBox::nativeIndexOf(const std::string& text) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i] == text)
            return int(i);
    return -1;
}

void HeadlessComboBox::nativeClear()
{
    m_items.clear();
    m_icons.clear();
    m_selected = -1;
    HeadlessSystem::log().record("ComboReset");
}

void HeadlessComboBox::nativeInsert(int index, const KXString* text, int icon)
{
    m_items.insert(m_items.begin() + index, textOf(text));
    m_icons.insert(m_icons.begin() + index, icon);
    if (m_selected >= index)
        ++m_selected;
    HeadlessSystem::log().record("ComboInsert %d \"%s\" %d", index, textOf(text).c_str(), icon);
}

void HeadlessComboBox::nativeModify(int index, const KXString* text, int icon)
{
    m_items[size_t(index)] = textOf(text);
    m_icons[size_t(index)] = icon;
    HeadlessSystem::log().record("ComboModify %d \"%s\" %d", index, textOf(text).c_str(), icon);
}

void HeadlessComboBox::nativeRemove(int index)
{
    m_items.erase(m_items.begin() + index);
    m_icons.erase(m_icons.begin() + index);
    if (m_selected == index)
        m_selected = -1;
    else if (m_selected > index)
        --m_selected;
    HeadlessSystem::log().record("ComboDelete %d", index);
}

void HeadlessComboBox::nativeSelect(int index)
{
    m_selected = index;
    HeadlessSystem::log().record("ComboSelect %d", index);
}

bool HeadlessComboBox::userPick(int index)
{
    if (index < 0 || index >= int(m_items.size()))
        return false;
    post([this, index] {
        if (index >= int(m_items.size()))
            return;
        m_selected = index;
        HeadlessSystem::log().record("ComboPicked %d", index);
        onSelectionChanged(index);
    });
    return true;
}
