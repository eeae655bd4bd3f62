// Shared set-up for the control and requester tests: the GUI, canvas and requester modules
// started on the platform in force, a clean requester state per test, and the commands.
#pragma once

#include "base/KXModuleDependencies.h"
#include "gui/KXCanvasDriver.h"
#include "gui/KXControlDriver.h"
#include "gui/KXRequesterDriver.h"
#include "gui/KXTextField.h"
#include "tests/gui/GuiTestSupport.h"

KX_STDCALL int CreatePanel(int x, int y, int width, int height, int group, int style);
KX_STDCALL void SetPanelImage(int panel, KXString* file);
KX_STDCALL void SetPanelColor(int panel, int red, int green, int blue);
KX_STDCALL int CreateLabel(KXString* text, int x, int y, int width, int height, int group, int style);
KX_STDCALL int CreateButton(KXString* text, int x, int y, int width, int height, int group, int style);
KX_STDCALL void SetButtonState(int button, int state);
KX_STDCALL int ButtonState(int button);
KX_STDCALL int CreateSlider(int x, int y, int width, int height, int group, int style);
KX_STDCALL void SetSliderRange(int slider, int visible, int total);
KX_STDCALL int CreateComboBox(int x, int y, int width, int height, int group, int style);
KX_STDCALL int CreateTextField(int x, int y, int width, int height, int group, int style);
KX_STDCALL KXString* TextFieldText(int textfield);
KX_STDCALL void SetGadgetText(int gadget, KXString* text);
KX_STDCALL void SetGadgetIconStrip(int gadget, int strip);
KX_STDCALL void ModifyGadgetItem(int gadget, int index, KXString* item, int icon);
KX_STDCALL int CreateCanvas(int x, int y, int width, int height, int group, int style);
KX_STDCALL int CanvasBuffer(int canvas);
KX_STDCALL void FlipCanvas(int canvas, int vwait);
KX_STDCALL int CreateHtmlView(int x, int y, int width, int height, int group, int style);
KX_STDCALL void HtmlViewGo(int view, KXString* url);
KX_STDCALL void HtmlViewBack(int view);
KX_STDCALL void HtmlViewForward(int view);
KX_STDCALL KXString* HtmlViewCurrentURL(int view);
KX_STDCALL void Notify(KXString* text, int serious);
KX_STDCALL int Confirm(KXString* text, int serious);
KX_STDCALL int Proceed(KXString* text, int serious);
KX_STDCALL int RequestColor(int red, int green, int blue);
KX_STDCALL int RequestedRed();
KX_STDCALL int RequestedGreen();
KX_STDCALL int RequestedBlue();
KX_STDCALL KXString* RequestDir(KXString* prompt, KXString* path);
KX_STDCALL KXString* RequestFile(KXString* prompt, KXString* exts, int save, KXString* defname);
KX_STDCALL int RequestFont();

// SliderValue and SetSliderValue are the button state functions under other names.
inline int SliderValue(int slider) { return ButtonState(slider); }
inline void SetSliderValue(int slider, int value) { SetButtonState(slider, value); }

class ControlTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        kxStartSubsystem("Gui");
        kxStartSubsystem("Canvas");
        resetControls();
    }
    void TearDown() override
    {
        GuiTest::TearDown();
        resetControls();
    }
    static void resetControls()
    {
        if (KXRequesterDriver* requesters = KXRequesterDriver::current())
            requesters->resetState();
        KXTextField::resetLastChar();
    }
    template<class T>
    static T* as(int handle) { return dynamic_cast<T*>(kxHandle<KXGadget>(handle, "Gadget")); }
    // The id and data of the next event, waiting at most a second (on a real display, where the
    // user's actions take their time, at most ten).
    static std::pair<int, int> next()
    {
        int id = WaitEvent(onRealDisplay() ? kxTestLimitMs(10000) : 1000);
        return { id, id ? EventData() : 0 };
    }
    // Whether keys typed into a focused text field also raise the window's key events is the
    // platform's choice: Qt reports them (0x101 to 0x103), the headless field takes its text
    // alone. Around typing, the tests take the next other event.
    static bool isKeyEvent(int id) { return id >= 0x101 && id <= 0x103; }
    static std::pair<int, int> nextBesidesKeys()
    {
        for (;;) {
            std::pair<int, int> e = next();
            if (!e.first || !isKeyEvent(e.first))
                return e;
        }
    }
    // The id of an event other than a key event arriving within ms (a real display waits until
    // the user's actions are done first), else 0.
    static int quietBesidesKeys(int ms = 50)
    {
        if (onRealDisplay())
            settle();
        for (;;) {
            int id = WaitEvent(ms);
            if (!id || !isKeyEvent(id))
                return id;
        }
    }
};
