// The window commands.
#include "core/KXHandle.h"
#include "gui/KXGuiDriver.h"
#include "base/KXCommandTable.h"
#include "base/KXError.h"

namespace {
KXWindow* window(int handle) { return kxHandle<KXWindow>(handle, "Window Gadget"); }

KXGuiDriver& gui()
{
    KXGuiDriver* driver = KXGuiDriver::current();
    if (!driver)
        kxRuntimeError("Windows are not available on this platform");
    return *driver;
}
}

// group 0 makes a top-level window; any other group must be a group gadget and becomes the
// window's owner.
KX_STDCALL int CreateWindow(KXString* text, int x, int y, int width, int height, int group, int style)
{
    KXGroup* owner = group ? kxHandle<KXGroup>(group, "Group Gadget") : nullptr;
    KXWindow* w = gui().createWindow(owner, style);
    KXRef<KXString> title = KXRef<KXString>::retained(text);
    if (!title)
        title = KXRef<KXString>(KXString::create(""));
    w->completeCreation(x, y, width, height, title.get());
    return kxToHandle(w);
}

KX_STDCALL int ActiveWindow() { return kxToHandle(KXWindow::active()); }
KX_STDCALL void ActivateWindow(int handle) { window(handle)->activateWindow(); }
KX_STDCALL void UpdateWindowMenu(int handle) { window(handle)->updateMenu(); }
KX_STDCALL int SetStatusText(int handle, KXString* text) { return window(handle)->setStatusText(text) ? 1 : 0; }
KX_STDCALL void SetMinWindowSize(int handle, int width, int height) { window(handle)->setMinSize(width, height); }
KX_STDCALL void MinimizeWindow(int handle) { window(handle)->minimize(); }
KX_STDCALL void MaximizeWindow(int handle) { window(handle)->maximize(); }
KX_STDCALL void RestoreWindow(int handle) { window(handle)->restore(); }
KX_STDCALL int WindowMinimized(int handle) { return window(handle)->isMinimized() ? 1 : 0; }
KX_STDCALL int WindowMaximized(int handle) { return window(handle)->isMaximized() ? 1 : 0; }
KX_STDCALL int WindowMenu(int handle) { return kxToHandle(window(handle)->menuRoot()); }

static const KXCommandEntry s_commands[] = {
    { "%CreateWindow$text%x%y%width%height%group=0%style=15", KX_FN(CreateWindow) },
    { "%ActiveWindow", KX_FN(ActiveWindow) },
    { "ActivateWindow%window", KX_FN(ActivateWindow) },
    { "UpdateWindowMenu%window", KX_FN(UpdateWindowMenu) },
    { "%SetStatusText%window$text", KX_FN(SetStatusText) },
    { "SetMinWindowSize%window%width=-1%height=-1", KX_FN(SetMinWindowSize) },
    { "MinimizeWindow%window", KX_FN(MinimizeWindow) },
    { "MaximizeWindow%window", KX_FN(MaximizeWindow) },
    { "RestoreWindow%window", KX_FN(RestoreWindow) },
    { "%WindowMinimized%window", KX_FN(WindowMinimized) },
    { "%WindowMaximized%window", KX_FN(WindowMaximized) },
    { "%WindowMenu%window", KX_FN(WindowMenu) },
};
static KXCommandTable s_table(s_commands);
