// HeadlessTextField: a one-line edit field on the headless platform, with its own text, caret
// and selection (byte offsets; the selection runs from selStart to selEnd, the caret at
// selEnd). Setting the text keeps caret and selection where they were, cut to the new length.
#pragma once

#include "gui/KXTextField.h"
#include "gui/headless/HeadlessGadget.h"

#include <string>

class HeadlessTextField final : public HeadlessGadget<KXTextField> {
public:
    HeadlessTextField(KXGroup* group, int style)
        : HeadlessGadget(group, style, "EDIT")
    {
    }
    std::string currentText() const override { return m_text; }
    void setText(KXString* text) override;

    int selectionStart() const { return m_selStart; }
    int selectionEnd() const { return m_selEnd; }
    void setSelection(int start, int end);

    // Scripted user: clicks into the field (the caret goes to the end of the text, or all of it
    // is selected with selectAll), then types text character by character; with enter, presses
    // Enter at the end. Each character is one native message.
    void userType(const std::string& text, bool selectAll, bool enter);

private:
    // The control receives one character: Enter goes to the program only; any other replaces
    // the selection (8, backspace, deletes it or the character before the caret).
    void receiveChar(int code);

    std::string m_text;
    int m_selStart { 0 };
    int m_selEnd { 0 };
};
