// The global key monitor over XInput 2 raw key events.
#include "gui/qt/X11KeyMonitor.h"

#include "gui/qt/QtKeyCodes.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

std::unique_ptr<X11KeyMonitor> X11KeyMonitor::create(const char* displayName)
{
    Display* display = XOpenDisplay(displayName);
    if (!display)
        return nullptr;
    int opcode = 0, event = 0, error = 0;
    // From 2.1 on, raw events come whatever grabs other clients hold (a window manager's key
    // bindings among them).
    int major = 2, minor = 2;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)
        || XIQueryVersion(display, &major, &minor) != Success) {
        XCloseDisplay(display);
        return nullptr;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XIEventMask mask;
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = sizeof bits;
    mask.mask = bits;
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XSync(display, False);
    return std::unique_ptr<X11KeyMonitor>(new X11KeyMonitor(display, opcode));
}

X11KeyMonitor::X11KeyMonitor(Display* display, int xiOpcode)
    : m_display(display)
    , m_xiOpcode(xiOpcode)
{
}

X11KeyMonitor::~X11KeyMonitor() { XCloseDisplay(m_display); }

void X11KeyMonitor::pump()
{
    XSync(m_display, False);
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != m_xiOpcode || !XGetEventData(m_display, cookie))
            continue;
        if (cookie->evtype == XI_RawKeyPress || cookie->evtype == XI_RawKeyRelease) {
            auto* raw = static_cast<XIRawEvent*>(cookie->data);
            int code = QtKeyCodes::rawFromX(unsigned(raw->detail));
            if (code > 0 && code < 256) {
                bool down = cookie->evtype == XI_RawKeyPress;
                if (down)
                    m_pressed[code] = true;
                m_down[code] = down;
            }
        }
        XFreeEventData(m_display, cookie);
    }
}

bool X11KeyMonitor::isDown(int raw)
{
    if (raw <= 0 || raw >= 256)
        return false;
    pump();
    return m_down[raw];
}

bool X11KeyMonitor::takePressed(int raw)
{
    if (raw <= 0 || raw >= 256)
        return false;
    pump();
    bool pressed = m_pressed[raw];
    m_pressed[raw] = false;
    return pressed;
}
