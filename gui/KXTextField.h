// KXTextField: a one-line edit field. Its text lives in the native control (TextFieldText reads
// it from there; GadgetText keeps the text the program last set).
//
// Action events: Enter raises 0x401 with data 13 and never reaches the control; every redraw
// after the user changed the text raises 0x401 with the code of the last character typed into
// any text field other than Enter. Text the program sets raises nothing, so a program that puts
// a field's text back on every event does not feed itself events.
#pragma once

#include "gui/KXGadget.h"

#include <string>

class KXTextField : public KXGadget {
public:
    // Style bits. Append-only.
    enum Style : int { Password = 1 };
    static constexpr int EnterKey = 13;

    KXTextField(KXGroup* group, int style)
        : KXGadget(group, style)
    {
    }
    bool isPassword() const { return style() & Password; }
    // The text now in the control.
    virtual std::string currentText() const = 0;
    const char* typeName() const override { return "TextField Gadget"; }
    bool isTabStop() const override { return true; }

    // Window procedure, neutral half. A character about to reach the control: Enter raises
    // 0x401 (data 13) and answers true, meaning the control must not see it; any other code is
    // remembered as the last character and answers false.
    bool onChar(int code);
    // The control is about to redraw after its text changed.
    void onTextUpdate() { emit(KXEventId::GadgetAction, s_lastChar); }
    // The last character typed into any text field, other than Enter; 0 before the first.
    static int lastChar() { return s_lastChar; }
    static void resetLastChar() { s_lastChar = 0; }

private:
    static inline int s_lastChar { 0 };
};
