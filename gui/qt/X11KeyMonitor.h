// X11KeyMonitor: the global keyboard as every program on the X display sees it, from XInput2 raw
// key events on the root window: which keys are down now and which went down since they were last
// asked about. Keys are raw codes (QtKeyCodes).
//
// It listens on a connection of its own: raw events must not reach the GUI toolkit's event reader,
// and reading them needs no event loop. Each query first takes every event the server has queued
// for it up to that moment (a round trip), so a press another program made before the query is
// always seen.
#pragma once

#include <array>
#include <memory>

typedef struct _XDisplay Display;

class X11KeyMonitor {
public:
    // A monitor on the display named displayName (the toolkit's display); null when the display
    // cannot be opened or offers no XInput 2.
    static std::unique_ptr<X11KeyMonitor> create(const char* displayName);
    ~X11KeyMonitor();
    X11KeyMonitor(const X11KeyMonitor&) = delete;
    X11KeyMonitor& operator=(const X11KeyMonitor&) = delete;

    bool isDown(int raw);
    // True when the key went down since the last call for it; the call clears that.
    bool takePressed(int raw);

private:
    X11KeyMonitor(Display* display, int xiOpcode);
    // Takes the queued raw key events into m_down and m_pressed.
    void pump();

    Display* m_display;
    int m_xiOpcode;
    std::array<bool, 256> m_down {};
    std::array<bool, 256> m_pressed {};
};
