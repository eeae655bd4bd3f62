// KXControlDriver: the module that constructs the controls a program places in windows
// (panels, labels, buttons, sliders, combo boxes, text fields, HTML views) for the platform in
// force. It is a module of the "Gui" subsystem, started with the GUI driver or on first use;
// every control it makes belongs to its resources until the program frees it.
#pragma once

#include "gui/KXButton.h"
#include "gui/KXComboBox.h"
#include "gui/KXHtmlView.h"
#include "gui/KXLabel.h"
#include "gui/KXPanel.h"
#include "gui/KXSlider.h"
#include "gui/KXTextField.h"
#include "base/KXDriver.h"

class KXControlDriver : public KXDriver<KXControlDriver> {
public:
    // The driver, starting the "Gui" subsystem when it is not running yet; raises "Gadgets are
    // not available on this platform" when the platform has none.
    static KXControlDriver& get();

    // Construct a control of that kind in group with style; the caller runs the creation
    // sequence. The driver keeps the first reference in its resources.
    KXPanel* createPanel(KXGroup* group, int style) { return own(makePanel(group, style)); }
    KXLabel* createLabel(KXGroup* group, int style) { return own(makeLabel(group, style)); }
    KXButton* createButton(KXGroup* group, int style) { return own(makeButton(group, style)); }
    KXSlider* createSlider(KXGroup* group, int style) { return own(makeSlider(group, style)); }
    // Null when the native control cannot be made.
    KXComboBox* createComboBox(KXGroup* group, int style) { return own(makeComboBox(group, style)); }
    KXTextField* createTextField(KXGroup* group, int style) { return own(makeTextField(group, style)); }
    KXHtmlView* createHtmlView(KXGroup* group, int style) { return own(makeHtmlView(group, style)); }

protected:
    KXControlDriver(const char* name, KXPlatform platform)
        : KXDriver(name, "Gui", "Native", platform)
    {
    }
    // The modules this backend's controls need (its GUI driver at least).
    virtual bool startDependencies() = 0;
    virtual KXPanel* makePanel(KXGroup* group, int style) = 0;
    virtual KXLabel* makeLabel(KXGroup* group, int style) = 0;
    virtual KXButton* makeButton(KXGroup* group, int style) = 0;
    virtual KXSlider* makeSlider(KXGroup* group, int style) = 0;
    virtual KXComboBox* makeComboBox(KXGroup* group, int style) = 0;
    virtual KXTextField* makeTextField(KXGroup* group, int style) = 0;
    virtual KXHtmlView* makeHtmlView(KXGroup* group, int style) = 0;

private:
    template<class T>
    T* own(T* gadget);
};
