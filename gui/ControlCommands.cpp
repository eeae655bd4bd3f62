// The control commands: panels, labels, buttons, sliders, combo boxes, text fields, canvases
// and HTML views.
#include "core/KXHandle.h"
#include "gui/KXCanvasDriver.h"
#include "gui/KXControlDriver.h"
#include "base/KXCommandTable.h"
#include "base/KXError.h"

namespace {
KXGadget* gadget(int handle) { return kxHandle<KXGadget>(handle, "Gadget"); }
KXGroup* groupGadget(int handle) { return kxHandle<KXGroup>(handle, "Group Gadget"); }
KXPanel* panel(int handle) { return kxHandle<KXPanel>(handle, "Panel Gadget"); }
KXCanvas* canvas(int handle) { return kxHandle<KXCanvas>(handle, "Canvas Gadget"); }
KXTextField* textField(int handle) { return kxHandle<KXTextField>(handle, "TextField Gadget"); }
KXHtmlView* htmlView(int handle) { return kxHandle<KXHtmlView>(handle, "HTMLView Gadget"); }

// Buttons and sliders share their state commands; any other gadget has no state.
KXStateGadget* stateGadget(int handle)
{
    auto* s = dynamic_cast<KXStateGadget*>(gadget(handle));
    if (!s)
        kxRuntimeError("Invalid Gadget type");
    return s;
}

std::string text(const KXString* s) { return s ? s->str() : std::string(); }

KXString* result(const std::string& s) { return KXString::create(std::string_view(s)); }

// Runs the creation sequence on a new control and answers its handle. text null: the control
// has no text argument.
int created(KXGadget* g, int x, int y, int width, int height, KXString* text)
{
    KXRef<KXString> empty;
    if (!text) {
        empty = KXRef<KXString>(KXString::create(""));
        text = empty.get();
    }
    g->completeCreation(x, y, width, height, text);
    return kxToHandle(g);
}

int createdWithoutText(KXGadget* g, int x, int y, int width, int height)
{
    g->completeCreation(x, y, width, height, nullptr);
    return kxToHandle(g);
}
}

KX_STDCALL int CreatePanel(int x, int y, int width, int height, int group, int style)
{
    KXGroup* g = groupGadget(group);
    return createdWithoutText(KXControlDriver::get().createPanel(g, style), x, y, width, height);
}

// A file that does not load leaves the panel as it was, without an error.
KX_STDCALL void SetPanelImage(int handle, KXString* file) { panel(handle)->setImage(file ? file->view() : std::string_view()); }

KX_STDCALL void SetPanelColor(int handle, int red, int green, int blue) { panel(handle)->setColor(red, green, blue); }

KX_STDCALL int CreateLabel(KXString* text, int x, int y, int width, int height, int group, int style)
{
    KXGroup* g = groupGadget(group);
    return created(KXControlDriver::get().createLabel(g, style), x, y, width, height, text);
}

KX_STDCALL int CreateButton(KXString* text, int x, int y, int width, int height, int group, int style)
{
    KXGroup* g = groupGadget(group);
    return created(KXControlDriver::get().createButton(g, style), x, y, width, height, text);
}

// One function each for SetButtonState/SetSliderValue and ButtonState/SliderValue.
KX_STDCALL void SetButtonState(int handle, int state) { stateGadget(handle)->setState(state); }
KX_STDCALL int ButtonState(int handle) { return stateGadget(handle)->state(); }

KX_STDCALL int CreateSlider(int x, int y, int width, int height, int group, int style)
{
    KXGroup* g = groupGadget(group);
    return createdWithoutText(KXControlDriver::get().createSlider(g, style), x, y, width, height);
}

KX_STDCALL void SetSliderRange(int handle, int visible, int total)
{
    auto* slider = dynamic_cast<KXSlider*>(gadget(handle));
    if (!slider)
        kxRuntimeError("Invalid Gadget type");
    slider->setRange(visible, total);
}

KX_STDCALL int CreateComboBox(int x, int y, int width, int height, int group, int style)
{
    KXGroup* g = groupGadget(group);
    KXComboBox* combo = KXControlDriver::get().createComboBox(g, style);
    if (!combo)
        kxRuntimeError("Unable to create combobox");
    return createdWithoutText(combo, x, y, width, height);
}

KX_STDCALL int CreateTextField(int x, int y, int width, int height, int group, int style)
{
    KXGroup* g = groupGadget(group);
    return createdWithoutText(KXControlDriver::get().createTextField(g, style), x, y, width, height);
}

KX_STDCALL KXString* TextFieldText(int handle) { return result(textField(handle)->currentText()); }

KX_STDCALL int CreateCanvas(int x, int y, int width, int height, int group, int style)
{
    KXGroup* g = groupGadget(group);
    return createdWithoutText(KXCanvasDriver::get().createCanvas(g, style, width, height), x, y, width, height);
}

KX_STDCALL int CanvasBuffer(int handle) { return kxToHandle(canvas(handle)->buffer()); }

KX_STDCALL void FlipCanvas(int handle, int vwait) { canvas(handle)->flip(vwait != 0); }

KX_STDCALL int CreateHtmlView(int x, int y, int width, int height, int group, int style)
{
    KXGroup* g = groupGadget(group);
    return createdWithoutText(KXControlDriver::get().createHtmlView(g, style), x, y, width, height);
}

KX_STDCALL void HtmlViewGo(int handle, KXString* url) { htmlView(handle)->go(text(url)); }
// Pages run no scripts on any of our platforms (neither has a script engine for them).
KX_STDCALL void HtmlViewRun(int handle, KXString*)
{
    htmlView(handle);
    kxRuntimeError("HtmlViewRun is not available on this platform");
}
KX_STDCALL void HtmlViewBack(int handle) { htmlView(handle)->back(); }
KX_STDCALL void HtmlViewForward(int handle) { htmlView(handle)->forward(); }
KX_STDCALL int HtmlViewStatus(int handle) { return htmlView(handle)->status(); }
KX_STDCALL KXString* HtmlViewCurrentURL(int handle) { return result(htmlView(handle)->currentUrl()); }
KX_STDCALL KXString* HtmlViewEventURL(int handle) { return result(htmlView(handle)->eventUrl()); }

static const KXCommandEntry s_commands[] = {
    { "%CreatePanel%x%y%width%height%group%style=0", KX_FN(CreatePanel) },
    { "SetPanelImage%panel$file", KX_FN(SetPanelImage) },
    { "SetPanelColor%panel%red%green%blue", KX_FN(SetPanelColor) },
    { "%CreateLabel$text%x%y%width%height%group%style=0", KX_FN(CreateLabel) },
    { "%CreateButton$text%x%y%width%height%group%style=1", KX_FN(CreateButton) },
    { "SetButtonState%button%state", KX_FN(SetButtonState) },
    { "%ButtonState%button", KX_FN(ButtonState) },
    { "%CreateSlider%x%y%width%height%group%style=1", KX_FN(CreateSlider) },
    { "SetSliderRange%slider%visible%total", KX_FN(SetSliderRange) },
    { "SetSliderValue%slider%value", KX_FN(SetButtonState) },
    { "%SliderValue%slider", KX_FN(ButtonState) },
    { "%CreateComboBox%x%y%width%height%group%style=0", KX_FN(CreateComboBox) },
    { "%CreateTextField%x%y%width%height%group%style=0", KX_FN(CreateTextField) },
    { "$TextFieldText%textfield", KX_FN(TextFieldText) },
    { "%CreateCanvas%x%y%width%height%group%style=0", KX_FN(CreateCanvas) },
    { "%CanvasBuffer%canvas", KX_FN(CanvasBuffer) },
    { "FlipCanvas%canvas%vwait=0", KX_FN(FlipCanvas) },
    { "%CreateHtmlView%x%y%width%height%group%style=0", KX_FN(CreateHtmlView) },
    { "HtmlViewGo%htmlview$URL", KX_FN(HtmlViewGo) },
    { "HtmlViewRun%htmlview$URL", KX_FN(HtmlViewRun) },
    { "HtmlViewBack%htmlview", KX_FN(HtmlViewBack) },
    { "HtmlViewForward%htmlview", KX_FN(HtmlViewForward) },
    { "%HtmlViewStatus%htmlview", KX_FN(HtmlViewStatus) },
    { "$HtmlViewCurrentURL%htmlview", KX_FN(HtmlViewCurrentURL) },
    { "$HtmlViewEventURL%htmlview", KX_FN(HtmlViewEventURL) },
};
static KXCommandTable s_table(s_commands);
