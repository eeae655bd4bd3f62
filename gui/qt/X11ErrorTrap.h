// X11ErrorTrap: while one lives, X protocol errors on requests whose replies Xlib waits for are
// counted instead of reported, so a query about a window another program just destroyed fails
// quietly. Main thread only; traps nest.
#pragma once

typedef struct _XDisplay Display;

class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // True when an error arrived since the trap was set.
    bool failed() const;

private:
    Display* m_display;
    int m_errorsBefore;
    void* m_previous;
};
