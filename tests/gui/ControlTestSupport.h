// Shared set-up for the control and requester tests: the GUI, canvas and requester modules
// started on the headless platform, a clean requester state per test, and the commands.
#pragma once

#include "gui/KXCanvasDriver.h"
#include "gui/KXControlDriver.h"
#include "gui/KXTextField.h"
#include "gui/headless/HeadlessRequesterDriver.h"
#include "base/KXModuleDependencies.h"
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
        requesters().clearReplies();
        requesters().resetState();
        KXTextField::resetLastChar();
    }
    static HeadlessRequesterDriver& requesters() { return HeadlessRequesterDriver::instance(); }
    template<class T>
    static T* as(int handle) { return dynamic_cast<T*>(kxHandle<KXGadget>(handle, "Gadget")); }
    // The id and data of the next event, waiting at most a second.
    static std::pair<int, int> next()
    {
        int id = WaitEvent(1000);
        return { id, id ? EventData() : 0 };
    }
};
