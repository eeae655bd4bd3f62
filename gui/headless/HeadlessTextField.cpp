// Headless text fields: native text, caret and typing.
#include "gui/headless/HeadlessTextField.h"

#include <algorithm>

void HeadlessTextField::setText(KXString* text)
{
    HeadlessGadget::setText(text);
    m_text = text ? text->str() : std::string();
    int n = int(m_text.size());
    m_selStart = std::min(m_selStart, n);
    m_selEnd = std::min(m_selEnd, n);
}

void HeadlessTextField::setSelection(int start, int end)
{
    int n = int(m_text.size());
    m_selStart = std::clamp(start, 0, n);
    m_selEnd = std::clamp(end, 0, n);
}

void HeadlessTextField::receiveChar(int code)
{
    if (onChar(code))
        return;
    size_t from = size_t(std::min(m_selStart, m_selEnd));
    size_t to = size_t(std::max(m_selStart, m_selEnd));
    if (code == 8) {
        if (from == to && from > 0)
            --from;
        m_text.erase(from, to - from);
    } else {
        m_text.replace(from, to - from, 1, char(code));
        ++from;
    }
    m_selStart = m_selEnd = int(from);
    HeadlessSystem::log().record("EditText \"%s\"", m_text.c_str());
    onTextUpdate();
}

void HeadlessTextField::userType(const std::string& text, bool selectAll, bool enter)
{
    post([this, selectAll] { setSelection(selectAll ? 0 : int(m_text.size()), int(m_text.size())); });
    for (unsigned char c : text)
        post([this, c] { receiveChar(c); });
    if (enter)
        post([this] { receiveChar(EnterKey); });
}
