// X11ClipKeeper: the clipboard keeper's X side: copies the clipboard picture's forms from its
// owner, takes the CLIPBOARD selection and serves the forms until another client takes it.
#pragma once

#include <X11/Xlib.h>

#include <map>
#include <string>
#include <vector>

class X11ClipKeeper {
public:
    ~X11ClipKeeper();

    bool open();
    // Copies image/png (required) and image/bmp (when offered) from the current owner.
    bool copyFromOwner();
    bool takeSelection();
    // Serves requests until the selection is lost (true) or the display goes away (false).
    bool serve();

    // Answers a selection request: property holds the conversion, None refuses it.
    static void notify(Display* display, const XSelectionRequestEvent& request, Atom property);

private:
    struct Transfer {
        Window requestor;
        Atom property;
        Atom type;
        const std::string* data;
        size_t sent;
    };

    // The owner's form target converted into bytes (INCR transfers included); false when none.
    bool fetch(Atom target, std::string& out);
    bool waitFor(int type, Window window, XEvent& event, int millis);
    Time serverTime();
    void answer(const XSelectionRequestEvent& request);
    void continueTransfer(const XPropertyEvent& event);

    Display* m_display { nullptr };
    Window m_window { 0 };
    Atom m_clipboard {}, m_targets {}, m_timestamp {}, m_incr {}, m_png {}, m_bmp {}, m_property {}, m_atomType {};
    Time m_time { CurrentTime };
    size_t m_chunk { 65536 };
    std::map<Atom, std::string> m_forms;
    std::vector<Transfer> m_transfers;
};
