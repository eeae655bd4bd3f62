// The common gadget commands, the item-list commands and the desktop.
#include "core/KXHandle.h"
#include "gui/KXGuiDriver.h"
#include "gui/KXItemArray.h"
#include "base/KXCommandTable.h"
#include "base/KXError.h"

namespace {
KXGadget* gadget(int handle) { return kxHandle<KXGadget>(handle, "Gadget"); }
KXGroup* groupGadget(int handle) { return kxHandle<KXGroup>(handle, "Group Gadget"); }

// A string result: the program receives its own reference.
KXString* result(KXString* s)
{
    if (!s)
        return KXString::create("");
    s->retain();
    return s;
}
}

// The desktop belongs to the GUI driver; freeing it would leave every top-level window without
// its group, so FreeGadget passes over it.
KX_STDCALL void FreeGadget(int handle)
{
    if (!handle)
        return;
    KXGadget* g = gadget(handle);
    if (KXGuiDriver::current() && g == KXGuiDriver::current()->desktop())
        return;
    g->release();
}

KX_STDCALL void SetGadgetFont(int handle, int font) { gadget(handle)->setFont(kxHandle<KXFont>(font, "Font")); }

KX_STDCALL void SetGadgetText(int handle, KXString* text) { gadget(handle)->setText(text); }

KX_STDCALL void SetGadgetShape(int handle, int x, int y, int width, int height)
{
    KXGadget* g = gadget(handle);
    g->setShape(x, y, width, height);
    g->recordLayoutReference();
}

KX_STDCALL void SetGadgetLayout(int handle, int left, int right, int top, int bottom)
{
    gadget(handle)->setLayout(left, right, top, bottom);
}

KX_STDCALL void ShowGadget(int handle) { gadget(handle)->setVisible(true); }
KX_STDCALL void HideGadget(int handle) { gadget(handle)->setVisible(false); }
KX_STDCALL void EnableGadget(int handle) { gadget(handle)->setEnabled(true); }
KX_STDCALL void DisableGadget(int handle) { gadget(handle)->setEnabled(false); }
KX_STDCALL void ActivateGadget(int handle) { gadget(handle)->activate(); }
KX_STDCALL int GadgetFont(int handle) { return kxToHandle(gadget(handle)->font()); }
KX_STDCALL KXString* GadgetText(int handle) { return result(gadget(handle)->text()); }
KX_STDCALL int GadgetX(int handle) { return gadget(handle)->x(); }
KX_STDCALL int GadgetY(int handle) { return gadget(handle)->y(); }
KX_STDCALL int GadgetWidth(int handle) { return gadget(handle)->width(); }
KX_STDCALL int GadgetHeight(int handle) { return gadget(handle)->height(); }
KX_STDCALL int GadgetGroup(int handle) { return kxToHandle(gadget(handle)->group()); }
KX_STDCALL int ClientWidth(int handle) { return groupGadget(handle)->clientWidth(); }
KX_STDCALL int ClientHeight(int handle) { return groupGadget(handle)->clientHeight(); }

// A zero strip removes the gadget's icon strip.
KX_STDCALL void SetGadgetIconStrip(int handle, int strip)
{
    KXGadget* g = gadget(handle);
    g->setIconStrip(strip ? kxHandle<KXIconStrip>(strip, "IconStrip") : nullptr);
}

KX_STDCALL int Desktop()
{
    KXGuiDriver* gui = KXGuiDriver::current();
    return gui ? kxToHandle(gui->desktop()) : 0;
}

KX_STDCALL void ClearGadgetItems(int handle) { gadget(handle)->clearItems(); }

KX_STDCALL void AddGadgetItem(int handle, KXString* item, int select, int icon)
{
    gadget(handle)->addItem(item, select != 0, icon);
}

KX_STDCALL void InsertGadgetItem(int handle, int index, KXString* item, int icon)
{
    gadget(handle)->insertItem(index, item, icon);
}

KX_STDCALL void ModifyGadgetItem(int handle, int index, KXString* item, int icon)
{
    gadget(handle)->modifyItem(index, item, icon);
}

KX_STDCALL void RemoveGadgetItem(int handle, int index) { gadget(handle)->removeItem(index); }
KX_STDCALL void SelectGadgetItem(int handle, int index) { gadget(handle)->selectItem(index); }
KX_STDCALL KXString* GadgetItemText(int handle, int index) { return result(gadget(handle)->items().text(index)); }
KX_STDCALL int CountGadgetItems(int handle) { return gadget(handle)->items().count(); }
KX_STDCALL int SelectedGadgetItem(int handle) { return gadget(handle)->items().selected(); }

static const KXCommandEntry s_commands[] = {
    { "FreeGadget%gadget", KX_FN(FreeGadget) },
    { "SetGadgetFont%gadget%font", KX_FN(SetGadgetFont) },
    { "SetGadgetText%gadget$text", KX_FN(SetGadgetText) },
    { "SetGadgetShape%gadget%x%y%width%height", KX_FN(SetGadgetShape) },
    { "SetGadgetLayout%gadget%left%right%top%bottom", KX_FN(SetGadgetLayout) },
    { "ShowGadget%gadget", KX_FN(ShowGadget) },
    { "HideGadget%gadget", KX_FN(HideGadget) },
    { "EnableGadget%gadget", KX_FN(EnableGadget) },
    { "DisableGadget%gadget", KX_FN(DisableGadget) },
    { "ActivateGadget%gadget", KX_FN(ActivateGadget) },
    { "%GadgetFont%gadget", KX_FN(GadgetFont) },
    { "$GadgetText%gadget", KX_FN(GadgetText) },
    { "%GadgetX%gadget", KX_FN(GadgetX) },
    { "%GadgetY%gadget", KX_FN(GadgetY) },
    { "%GadgetWidth%gadget", KX_FN(GadgetWidth) },
    { "%GadgetHeight%gadget", KX_FN(GadgetHeight) },
    { "%GadgetGroup%gadget", KX_FN(GadgetGroup) },
    { "%ClientWidth%group", KX_FN(ClientWidth) },
    { "%ClientHeight%group", KX_FN(ClientHeight) },
    { "SetGadgetIconStrip%gadget%icon_strip", KX_FN(SetGadgetIconStrip) },
    { "%Desktop", KX_FN(Desktop) },
    { "ClearGadgetItems%gadget", KX_FN(ClearGadgetItems) },
    { "AddGadgetItem%gadget$item%select=0%icon=-1", KX_FN(AddGadgetItem) },
    { "InsertGadgetItem%gadget%index$item%icon=-1", KX_FN(InsertGadgetItem) },
    { "ModifyGadgetItem%gadget%index$item%icon=-1", KX_FN(ModifyGadgetItem) },
    { "RemoveGadgetItem%gadget%index", KX_FN(RemoveGadgetItem) },
    { "SelectGadgetItem%gadget%index", KX_FN(SelectGadgetItem) },
    { "$GadgetItemText%gadget%index", KX_FN(GadgetItemText) },
    { "%CountGadgetItems%gadget", KX_FN(CountGadgetItems) },
    { "%SelectedGadgetItem%gadget", KX_FN(SelectedGadgetItem) },
};
static KXCommandTable s_table(s_commands);
