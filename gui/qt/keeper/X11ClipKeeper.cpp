// The clipboard keeper's selection transfers (ICCCM conversions, INCR both ways).
#include "gui/qt/keeper/X11ClipKeeper.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <chrono>
#include <poll.h>

namespace {
constexpr int FetchMillis = 10000; // the owner answers at once; a slow machine may take a while
int ignoreErrors(Display*, XErrorEvent*) { return 0; }
}

X11ClipKeeper::~X11ClipKeeper()
{
    if (m_display)
        XCloseDisplay(m_display);
}

bool X11ClipKeeper::open()
{
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return false;
    XSetErrorHandler(ignoreErrors); // a requestor that vanished mid-transfer is no reason to stop
    m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(m_display, m_window, PropertyChangeMask);
    m_clipboard = XInternAtom(m_display, "CLIPBOARD", False);
    m_targets = XInternAtom(m_display, "TARGETS", False);
    m_timestamp = XInternAtom(m_display, "TIMESTAMP", False);
    m_incr = XInternAtom(m_display, "INCR", False);
    m_png = XInternAtom(m_display, "image/png", False);
    m_bmp = XInternAtom(m_display, "image/bmp", False);
    m_property = XInternAtom(m_display, "_TROVA_KEEPER", False);
    m_atomType = XA_ATOM;
    long maxRequest = XExtendedMaxRequestSize(m_display) ? XExtendedMaxRequestSize(m_display) : XMaxRequestSize(m_display);
    m_chunk = std::min<size_t>(size_t(maxRequest) * 4 - 1024, 256 * 1024);
    return true;
}

bool X11ClipKeeper::waitFor(int type, Window window, XEvent& event, int millis)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(millis);
    for (;;) {
        while (XPending(m_display)) {
            XNextEvent(m_display, &event);
            if (event.type == type && event.xany.window == window)
                return true;
        }
        int left = int(std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count());
        if (left <= 0)
            return false;
        pollfd p { ConnectionNumber(m_display), POLLIN, 0 };
        poll(&p, 1, std::min(left, 100));
    }
}

// Reads and deletes the property; type receives its type.
static bool takeProperty(Display* d, Window w, Atom property, Atom& type, std::string& out)
{
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, property, 0, 0x7FFFFFFF, True, AnyPropertyType, &type, &format, &count, &after, &data) != Success)
        return false;
    size_t unit = format == 32 ? sizeof(long) : size_t(format / 8);
    if (data && type != None)
        out.assign(reinterpret_cast<char*>(data), count * unit);
    if (data)
        XFree(data);
    return type != None;
}

bool X11ClipKeeper::fetch(Atom target, std::string& out)
{
    XConvertSelection(m_display, m_clipboard, target, m_property, m_window, CurrentTime);
    XEvent event;
    if (!waitFor(SelectionNotify, m_window, event, FetchMillis) || event.xselection.property == None)
        return false;
    Atom type;
    std::string first;
    if (!takeProperty(m_display, m_window, m_property, type, first))
        return false;
    if (type != m_incr) {
        out = std::move(first);
        return !out.empty();
    }
    // INCR: each chunk arrives as a new value of the property, which we delete to ask for the
    // next; an empty chunk ends the transfer.
    out.clear();
    for (;;) {
        do {
            if (!waitFor(PropertyNotify, m_window, event, FetchMillis))
                return false;
        } while (event.xproperty.atom != m_property || event.xproperty.state != PropertyNewValue);
        std::string chunk;
        if (!takeProperty(m_display, m_window, m_property, type, chunk))
            return false;
        if (chunk.empty())
            return !out.empty();
        out += chunk;
    }
}

bool X11ClipKeeper::copyFromOwner()
{
    if (XGetSelectionOwner(m_display, m_clipboard) == None)
        return false;
    std::string png, bmp;
    if (!fetch(m_png, png))
        return false;
    m_forms[m_png] = std::move(png);
    if (fetch(m_bmp, bmp))
        m_forms[m_bmp] = std::move(bmp);
    return true;
}

Time X11ClipKeeper::serverTime()
{
    XChangeProperty(m_display, m_window, m_timestamp, XA_INTEGER, 32, PropModeAppend, nullptr, 0);
    XEvent event;
    while (waitFor(PropertyNotify, m_window, event, FetchMillis))
        if (event.xproperty.atom == m_timestamp)
            return event.xproperty.time;
    return CurrentTime;
}

bool X11ClipKeeper::takeSelection()
{
    m_time = serverTime();
    XSetSelectionOwner(m_display, m_clipboard, m_window, m_time);
    return XGetSelectionOwner(m_display, m_clipboard) == m_window;
}

void X11ClipKeeper::notify(Display* display, const XSelectionRequestEvent& request, Atom property)
{
    XSelectionEvent reply {};
    reply.type = SelectionNotify;
    reply.display = display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = property;
    XSendEvent(display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(display);
}

void X11ClipKeeper::answer(const XSelectionRequestEvent& request)
{
    Atom answered = None;
    Atom property = request.property != None ? request.property : request.target;
    if (request.selection == m_clipboard && request.owner == m_window) {
        if (request.target == m_targets) {
            std::vector<Atom> targets { m_targets, m_timestamp };
            for (const auto& form : m_forms)
                targets.push_back(form.first);
            XChangeProperty(m_display, request.requestor, property, m_atomType, 32, PropModeReplace,
                reinterpret_cast<unsigned char*>(targets.data()), int(targets.size()));
            answered = property;
        } else if (request.target == m_timestamp) {
            long time = long(m_time);
            XChangeProperty(m_display, request.requestor, property, XA_INTEGER, 32, PropModeReplace,
                reinterpret_cast<unsigned char*>(&time), 1);
            answered = property;
        } else if (auto form = m_forms.find(request.target); form != m_forms.end()) {
            const std::string& data = form->second;
            if (data.size() <= m_chunk) {
                XChangeProperty(m_display, request.requestor, property, request.target, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
            } else {
                // The size goes first, as INCR's value; the chunks follow as the requestor
                // deletes the property.
                XSelectInput(m_display, request.requestor, PropertyChangeMask);
                long size = long(data.size());
                XChangeProperty(m_display, request.requestor, property, m_incr, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&size), 1);
                m_transfers.push_back({ request.requestor, property, request.target, &data, 0 });
            }
            answered = property;
        }
    }
    notify(m_display, request, answered);
}

void X11ClipKeeper::continueTransfer(const XPropertyEvent& event)
{
    if (event.state != PropertyDelete)
        return;
    for (auto it = m_transfers.begin(); it != m_transfers.end(); ++it) {
        if (it->requestor != event.window || it->property != event.atom)
            continue;
        size_t length = std::min(m_chunk, it->data->size() - it->sent);
        XChangeProperty(m_display, it->requestor, it->property, it->type, 8, PropModeReplace,
            reinterpret_cast<const unsigned char*>(it->data->data() + it->sent), int(length));
        it->sent += length;
        if (length == 0) {
            XSelectInput(m_display, it->requestor, NoEventMask);
            m_transfers.erase(it);
        }
        XFlush(m_display);
        return;
    }
}

bool X11ClipKeeper::serve()
{
    for (;;) {
        XEvent event;
        if (XNextEvent(m_display, &event) != 0)
            return false;
        if (event.type == SelectionClear && event.xselectionclear.selection == m_clipboard)
            return true;
        if (event.type == SelectionRequest)
            answer(event.xselectionrequest);
        else if (event.type == PropertyNotify && event.xproperty.window != m_window)
            continueTransfer(event.xproperty);
    }
}
