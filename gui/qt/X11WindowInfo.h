// X11WindowInfo: what the X server and the window manager say about top-level windows: the
// active one, their frames (decorations included), client areas, titles and states, mapped to
// the style words of a Win32 window.
//
// Windows are client windows (the ones programs create, _NET_ACTIVE_WINDOW names and
// QWidget::winId answers), never the window manager's frames. Every query tolerates windows that
// other programs destroy at any moment: it then fails.
#pragma once

#include "gui/KXDesktopServices.h"

#include <string>
#include <vector>

typedef struct _XDisplay Display;

// What the X server and the window manager have confirmed of a client window.
struct X11WindowState {
    bool viewable { false }; // mapped, inside a mapped frame
    bool iconic { false }; // WM_STATE says iconic, or _NET_WM_STATE hidden
    bool maximized { false }; // maximised both ways
    bool framed { false }; // the window manager announced its frame extents
    bool managed { false }; // a window manager runs on the display
    int left { 0 }, top { 0 }, right { 0 }, bottom { 0 }; // the frame extents
    KXRect frame; // the client grown by the frame extents
    KXRect client; // in screen coordinates
    unsigned long frameWindow { 0 }; // the top-level ancestor (the window manager's frame)
};

class X11WindowInfo {
public:
    explicit X11WindowInfo(Display* display);

    // The active top-level window: _NET_ACTIVE_WINDOW when a window manager keeps it, else the
    // top level of the input focus; 0 for none.
    int activeWindow() const;
    // Geometry, title and style words of a window; false when it does not exist. isProgram is
    // left false (the caller knows its own windows).
    bool info(int window, KXDesktopWindowInfo& out) const;
    // The first top-level client window, in stacking order from the bottom, whose title is
    // exactly title (UTF-8, or its Latin-1 form); 0 for none.
    int findByTitle(const std::string& title) const;
    // The window's title (UTF-8), empty when it has none.
    std::string title(int window) const;
    // True while the window, or the window manager's frame around it, is mapped on the screen.
    // A client window that was unmapped stays on the screen inside its frame until the window
    // manager takes the frame away. False for windows that do not exist.
    bool isOnScreen(int window) const;
    // Asks the window manager to activate the window (_NET_ACTIVE_WINDOW, as a pager asks);
    // without one, gives it the input focus. False when the window does not exist.
    bool activate(int window) const;
    // The window's confirmed state and geometry; false when it does not exist.
    bool state(int window, X11WindowState& out) const;
    // Asks the X server for the frame window's configuration changes (ConfigureNotify), on
    // this connection.
    void watchFrame(unsigned long frame) const;
    // Asks the window manager to iconify the window (ICCCM's WM_CHANGE_STATE).
    void iconify(unsigned long window) const;
    // Asks the window manager to maximise the window both ways, or to take that back
    // (_NET_WM_STATE).
    void setMaximized(unsigned long window, bool maximized) const;

private:
    // The top-level client windows: the window manager's client list, else the root's mapped
    // children.
    std::vector<unsigned long> clients() const;
    // The property as 32-bit items (Xlib hands format-32 items as longs); empty when missing.
    std::vector<unsigned long> cardinals(unsigned long window, unsigned long property, unsigned long type) const;
    // The window's ancestor that is a child of the root (itself when it is one); 0 on failure.
    unsigned long topAncestor(unsigned long window) const;

    Display* m_display;
    unsigned long m_root;
    enum Atom { ActiveWindow,
        FrameExtents,
        ClientList,
        WmName,
        Utf8String,
        WmState,
        StateHidden,
        StateMaxVert,
        StateMaxHorz,
        StateAbove,
        SupportingWmCheck,
        IcccmState,
        AtomCount };
    unsigned long m_atoms[AtomCount] {};
};
