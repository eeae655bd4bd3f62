// Window queries over the X server and the window manager's properties.
#include "gui/qt/X11WindowInfo.h"

#include "gui/qt/X11ErrorTrap.h"

#include <QString>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>

namespace {

// Win32 style bits the style words are made of.
constexpr int wsPopup = int(0x80000000u);
constexpr int wsMinimize = 0x20000000;
constexpr int wsVisible = 0x10000000;
constexpr int wsMaximize = 0x01000000;
constexpr int wsOverlappedWindow = 0x00CF0000; // caption, system menu, sizing frame, min and max boxes
constexpr int wsExTopmost = 0x00000008;
constexpr int wsExWindowEdge = 0x00000100;

const char* atomNames[] = { "_NET_ACTIVE_WINDOW", "_NET_FRAME_EXTENTS", "_NET_CLIENT_LIST", "_NET_WM_NAME",
    "UTF8_STRING", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN", "_NET_WM_STATE_MAXIMIZED_VERT",
    "_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_WM_STATE_ABOVE", "_NET_SUPPORTING_WM_CHECK", "WM_STATE" };
// WM_STATE's first item for an iconified window (ICCCM).
constexpr unsigned long WmIconic = 3;

}

X11WindowInfo::X11WindowInfo(Display* display)
    : m_display(display)
    , m_root(DefaultRootWindow(display))
{
    static_assert(sizeof atomNames / sizeof atomNames[0] == AtomCount);
    ::Atom atoms[AtomCount];
    XInternAtoms(display, const_cast<char**>(atomNames), AtomCount, False, atoms);
    std::copy(atoms, atoms + AtomCount, m_atoms);
}

std::vector<unsigned long> X11WindowInfo::cardinals(unsigned long window, unsigned long property, unsigned long type) const
{
    std::vector<unsigned long> out;
    X11ErrorTrap trap(m_display);
    ::Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_display, window, property, 0, 4096, False, type, &actualType, &actualFormat, &count,
            &after, &data)
            == Success
        && !trap.failed() && data && actualType == type && actualFormat == 32) {
        const unsigned long* items = reinterpret_cast<const unsigned long*>(data);
        out.assign(items, items + count);
    }
    if (data)
        XFree(data);
    return out;
}

int X11WindowInfo::activeWindow() const
{
    // A window manager that keeps _NET_ACTIVE_WINDOW names its check window on the root.
    if (!cardinals(m_root, m_atoms[SupportingWmCheck], XA_WINDOW).empty()) {
        std::vector<unsigned long> active = cardinals(m_root, m_atoms[ActiveWindow], XA_WINDOW);
        if (!active.empty())
            return int(active[0]);
    }
    Window focus = None;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    if (focus == None || focus == PointerRoot || focus == m_root)
        return 0;
    return int(topAncestor(focus));
}

unsigned long X11WindowInfo::topAncestor(unsigned long window) const
{
    X11ErrorTrap trap(m_display);
    for (int depth = 0; depth < 64; ++depth) {
        Window root = None, parent = None, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(m_display, window, &root, &parent, &children, &count) || trap.failed())
            return 0;
        if (children)
            XFree(children);
        if (parent == root || parent == None)
            return window;
        window = parent;
    }
    return 0;
}

bool X11WindowInfo::activate(int window) const
{
    X11ErrorTrap trap(m_display);
    XWindowAttributes attributes {};
    if (!window || !XGetWindowAttributes(m_display, Window(unsigned(window)), &attributes) || trap.failed())
        return false;
    // Whatever this connection asked before (a window shown) reaches the server first.
    XSync(m_display, False);
    if (!cardinals(m_root, m_atoms[SupportingWmCheck], XA_WINDOW).empty()) {
        XEvent event {};
        event.xclient.type = ClientMessage;
        event.xclient.window = Window(unsigned(window));
        event.xclient.message_type = m_atoms[ActiveWindow];
        event.xclient.format = 32;
        event.xclient.data.l[0] = 2; // from a pager: the window manager does as asked
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        XSetInputFocus(m_display, Window(unsigned(window)), RevertToParent, CurrentTime);
    }
    XSync(m_display, False);
    return !trap.failed();
}

bool X11WindowInfo::isOnScreen(int window) const
{
    unsigned long top = topAncestor((unsigned long)(unsigned)window);
    if (!top)
        return false;
    X11ErrorTrap trap(m_display);
    XWindowAttributes attributes {};
    return XGetWindowAttributes(m_display, top, &attributes) && !trap.failed() && attributes.map_state == IsViewable;
}

std::string X11WindowInfo::title(int window) const
{
    std::string out;
    X11ErrorTrap trap(m_display);
    ::Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_display, Window(window), m_atoms[WmName], 0, 1024, False, m_atoms[Utf8String], &type,
            &format, &count, &after, &data)
            == Success
        && !trap.failed() && data && format == 8 && type == m_atoms[Utf8String]) {
        out.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
        return out;
    }
    if (data)
        XFree(data);
    XTextProperty text {};
    if (XGetWMName(m_display, Window(window), &text) && !trap.failed() && text.value) {
        if (text.encoding == XA_STRING)
            out = QString::fromLatin1(reinterpret_cast<const char*>(text.value), int(text.nitems)).toStdString();
        else
            out.assign(reinterpret_cast<const char*>(text.value), text.nitems);
        XFree(text.value);
    }
    return out;
}

bool X11WindowInfo::info(int window, KXDesktopWindowInfo& out) const
{
    if (window <= 0 || Window(window) == m_root)
        return false;
    X11ErrorTrap trap(m_display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_display, Window(window), &attributes) || trap.failed())
        return false;
    int x = 0, y = 0;
    Window child = None;
    if (!XTranslateCoordinates(m_display, Window(window), m_root, 0, 0, &x, &y, &child) || trap.failed())
        return false;
    KXDesktopWindowInfo info;
    info.client = { x, y, attributes.width, attributes.height };

    std::vector<unsigned long> extents = cardinals(Window(window), m_atoms[FrameExtents], XA_CARDINAL);
    bool decorated = false;
    if (extents.size() == 4) {
        int left = int(extents[0]), right = int(extents[1]), top = int(extents[2]), bottom = int(extents[3]);
        info.frame = { x - left, y - top, attributes.width + left + right, attributes.height + top + bottom };
        decorated = top > 0;
    } else {
        // No extents: the frame is the window's top-level ancestor (a window manager's frame), or
        // the window itself with its border.
        unsigned long top = topAncestor(Window(window));
        XWindowAttributes frame;
        int fx = 0, fy = 0;
        if (top && top != Window(window) && XGetWindowAttributes(m_display, top, &frame)
            && XTranslateCoordinates(m_display, top, m_root, 0, 0, &fx, &fy, &child) && !trap.failed()) {
            int b = frame.border_width;
            info.frame = { fx - b, fy - b, frame.width + 2 * b, frame.height + 2 * b };
            decorated = info.frame.y < y;
        } else {
            int b = attributes.border_width;
            info.frame = { x - b, y - b, attributes.width + 2 * b, attributes.height + 2 * b };
        }
    }

    std::vector<unsigned long> states = cardinals(Window(window), m_atoms[WmState], XA_ATOM);
    auto has = [&](Atom a) { return std::find(states.begin(), states.end(), m_atoms[a]) != states.end(); };
    int style = decorated ? wsOverlappedWindow : wsPopup;
    if (attributes.map_state == IsViewable)
        style |= wsVisible;
    if (has(StateHidden))
        style |= wsMinimize;
    if (has(StateMaxVert) && has(StateMaxHorz))
        style |= wsMaximize;
    info.style = style;
    info.exStyle = (decorated ? wsExWindowEdge : 0) | (has(StateAbove) ? wsExTopmost : 0);
    info.title = title(window);
    out = info;
    return true;
}

bool X11WindowInfo::state(int window, X11WindowState& out) const
{
    if (window <= 0 || Window(window) == m_root)
        return false;
    X11ErrorTrap trap(m_display);
    XWindowAttributes attributes;
    int x = 0, y = 0;
    Window child = None;
    if (!XGetWindowAttributes(m_display, Window(window), &attributes) || trap.failed()
        || !XTranslateCoordinates(m_display, Window(window), m_root, 0, 0, &x, &y, &child) || trap.failed())
        return false;
    X11WindowState s;
    s.viewable = attributes.map_state == IsViewable;
    s.client = { x, y, attributes.width, attributes.height };
    std::vector<unsigned long> extents = cardinals(Window(window), m_atoms[FrameExtents], XA_CARDINAL);
    if (extents.size() == 4) {
        s.framed = true;
        s.left = int(extents[0]);
        s.right = int(extents[1]);
        s.top = int(extents[2]);
        s.bottom = int(extents[3]);
    }
    s.frame = { x - s.left, y - s.top, attributes.width + s.left + s.right, attributes.height + s.top + s.bottom };
    std::vector<unsigned long> icccm = cardinals(Window(window), m_atoms[IcccmState], m_atoms[IcccmState]);
    std::vector<unsigned long> states = cardinals(Window(window), m_atoms[WmState], XA_ATOM);
    auto has = [&](Atom a) { return std::find(states.begin(), states.end(), m_atoms[a]) != states.end(); };
    unsigned long top = topAncestor(Window(window));
    s.frameWindow = top != Window(window) ? top : 0;
    s.managed = !cardinals(m_root, m_atoms[SupportingWmCheck], XA_WINDOW).empty();
    s.iconic = (!icccm.empty() && icccm[0] == WmIconic) || has(StateHidden);
    s.maximized = has(StateMaxVert) && has(StateMaxHorz);
    out = s;
    return true;
}

void X11WindowInfo::watchFrame(unsigned long frame) const
{
    X11ErrorTrap trap(m_display);
    XSelectInput(m_display, frame, StructureNotifyMask);
    XFlush(m_display);
}

void X11WindowInfo::iconify(unsigned long window) const
{
    X11ErrorTrap trap(m_display);
    XIconifyWindow(m_display, Window(window), DefaultScreen(m_display));
    XFlush(m_display);
}

void X11WindowInfo::setMaximized(unsigned long window, bool maximized) const
{
    XEvent e {};
    e.xclient.type = ClientMessage;
    e.xclient.window = Window(window);
    e.xclient.message_type = m_atoms[WmState];
    e.xclient.format = 32;
    e.xclient.data.l[0] = maximized ? 1 : 0; // add or remove
    e.xclient.data.l[1] = long(m_atoms[StateMaxVert]);
    e.xclient.data.l[2] = long(m_atoms[StateMaxHorz]);
    e.xclient.data.l[3] = 1; // from an application
    X11ErrorTrap trap(m_display);
    XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(m_display);
}

std::vector<unsigned long> X11WindowInfo::clients() const
{
    if (!cardinals(m_root, m_atoms[SupportingWmCheck], XA_WINDOW).empty())
        return cardinals(m_root, m_atoms[ClientList], XA_WINDOW);
    std::vector<unsigned long> list;
    X11ErrorTrap trap(m_display);
    Window root = None, parent = None, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, m_root, &root, &parent, &children, &count) || trap.failed())
        return list;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(m_display, children[i], &attributes) && attributes.map_state == IsViewable
            && !attributes.override_redirect)
            list.push_back(children[i]);
    }
    if (children)
        XFree(children);
    return list;
}

int X11WindowInfo::findByTitle(const std::string& wanted) const
{
    for (unsigned long window : clients()) {
        std::string name = title(int(window));
        if (name == wanted || QString::fromUtf8(name.data(), int(name.size())).toLatin1().toStdString() == wanted)
            return int(window);
    }
    return 0;
}
