// The menu commands. Changes reach the native menu bar only through UpdateWindowMenu.
#include "core/KXHandle.h"
#include "gui/KXMenu.h"
#include "base/KXCommandTable.h"

namespace {
KXMenu* menu(int handle) { return kxHandle<KXMenu>(handle, "Menu"); }
}

// The parent holds the item's one reference; the item lives as long as its window's menu tree.
KX_STDCALL int CreateMenu(KXString* text, int id, int parent)
{
    KXMenu* p = menu(parent);
    KXMenu* item = new KXMenu(text, id);
    p->append(item);
    return kxToHandle(item);
}

KX_STDCALL void SetMenuText(int handle, KXString* text) { menu(handle)->setText(text); }
KX_STDCALL void CheckMenu(int handle) { menu(handle)->setChecked(true); }
KX_STDCALL void UncheckMenu(int handle) { menu(handle)->setChecked(false); }
KX_STDCALL void EnableMenu(int handle) { menu(handle)->setEnabled(true); }
KX_STDCALL void DisableMenu(int handle) { menu(handle)->setEnabled(false); }
KX_STDCALL int MenuChecked(int handle) { return menu(handle)->isChecked() ? 1 : 0; }
KX_STDCALL int MenuEnabled(int handle) { return menu(handle)->isEnabled() ? 1 : 0; }

KX_STDCALL KXString* MenuText(int handle)
{
    KXString* s = menu(handle)->text();
    s->retain();
    return s;
}

static const KXCommandEntry s_commands[] = {
    { "%CreateMenu$text%menu_id%parent_menu", KX_FN(CreateMenu) },
    { "SetMenuText%menu$text", KX_FN(SetMenuText) },
    { "CheckMenu%menu", KX_FN(CheckMenu) },
    { "UncheckMenu%menu", KX_FN(UncheckMenu) },
    { "EnableMenu%menu", KX_FN(EnableMenu) },
    { "DisableMenu%menu", KX_FN(DisableMenu) },
    { "%MenuChecked%menu", KX_FN(MenuChecked) },
    { "%MenuEnabled%menu", KX_FN(MenuEnabled) },
    { "$MenuText%menu", KX_FN(MenuText) },
};
static KXCommandTable s_table(s_commands);
