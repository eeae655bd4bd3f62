// kx-clipboard-manager: a clipboard manager for tests. It owns CLIPBOARD_MANAGER; when a
// clipboard owner asks it to SAVE_TARGETS, it copies the owner's picture forms (the keeper's
// copy), takes the clipboard, answers the owner, and serves the picture until another client
// copies something; then it exits. "ready" on standard output once it owns CLIPBOARD_MANAGER.
#include "gui/qt/keeper/X11ClipKeeper.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>

int main()
{
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return 1;
    Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    Atom manager = XInternAtom(d, "CLIPBOARD_MANAGER", False);
    Atom saveTargets = XInternAtom(d, "SAVE_TARGETS", False);
    XSetSelectionOwner(d, manager, w, CurrentTime);
    if (XGetSelectionOwner(d, manager) != w)
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(d, &event);
        if (event.type != SelectionRequest)
            continue;
        XSelectionRequestEvent& request = event.xselectionrequest;
        X11ClipKeeper keeper;
        bool saved = request.target == saveTargets && keeper.open() && keeper.copyFromOwner() && keeper.takeSelection();
        if (saved)
            XChangeProperty(d, request.requestor, request.property, XA_ATOM, 32, PropModeReplace, nullptr, 0);
        X11ClipKeeper::notify(d, request, saved ? request.property : None);
        if (saved) {
            std::puts("saved");
            std::fflush(stdout);
            return keeper.serve() ? 0 : 1;
        }
    }
}
