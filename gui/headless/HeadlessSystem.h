// HeadlessSystem: the headless platform's world. It keeps the virtual desktop (foreign top-level
// windows with frames, client rectangles, titles and extended styles; the foreground window;
// the global key state), the program's native windows, the native message queue that timer
// threads and the scripted user post to, and a log of every native call the backend made.
//
// Invariants: the message queue is the only state other threads touch (under m_mutex);
// everything else belongs to the main thread.
#pragma once

#include "gui/KXThreadMessage.h"
#include "gui/KXWindow.h"

#include <condition_variable>
#include <cstdarg>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class HeadlessWindow;

struct HeadlessForeignWindow {
    std::string id;
    std::string title;
    KXRect frame;
    KXRect client;
    int exStyle { 0 };
    int style { 0x10CF0000 }; // visible, overlapped with caption, system menu and sizing frame
    int handle { 0 }; // native handle, assigned when added
};

// What the window manager knows of any top-level window, the program's or a foreign one.
struct HeadlessWindowInfo {
    int handle { 0 };
    std::string title;
    KXRect frame;
    KXRect client;
    int style { 0 };
    int exStyle { 0 };
    bool isProgram { false };
};

struct HeadlessMessage {
    // A thread message, or None for a window message (deliver).
    KXThreadMessage thread { KXThreadMessage::None };
    int param1 { 0 };
    int param2 { 0 };
    // The gadget a window message is for (0 for none); used to drop messages of a dead gadget.
    int target { 0 };
    std::function<void()> deliver;
};

class HeadlessSystem {
public:
    static HeadlessSystem& instance();

    // Native call log.
    void record(const char* format, ...) __attribute__((format(printf, 2, 3)));
    const std::vector<std::string>& calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    // True when some logged call begins with prefix.
    bool called(const std::string& prefix) const;

    // Message queue. postThreadMessage may be called from any thread.
    void postThreadMessage(KXThreadMessage message, int param1, int param2);
    void postMessage(int target, std::function<void()> deliver);
    bool hasMessages();
    bool takeMessage(HeadlessMessage& out);
    // Waits until a message arrives or the deadline (steady-clock ms; < 0: none) passes.
    void waitForMessage(long long deadlineMs);
    void dropMessagesFor(int target);
    void clearMessages();
    // Depth of simulated modal native loops currently running.
    int modalDepth() const { return m_modalDepth; }
    void setModalDepth(int depth) { m_modalDepth = depth; }

    // Virtual desktop.
    int desktopWidth() const;
    int desktopHeight() const;
    // Resizes the desktop (its pixels reset to opaque black) and the desktop gadget; false,
    // changing nothing, for a size the desktop cannot take.
    bool setDesktopSize(int width, int height);
    // The desktop gadget takes the screen's present size (after its pixels were replaced).
    void desktopResized();
    void addForeignWindow(const HeadlessForeignWindow& w);
    const HeadlessForeignWindow* foreignWindow(const std::string& id) const;
    const std::vector<HeadlessForeignWindow>& foreignWindows() const { return m_foreign; }
    // The foreground: a foreign window's id, or empty when a program window (or nothing) is.
    const std::string& foregroundForeign() const { return m_foregroundForeign; }
    bool isProgramForeground() const { return m_foregroundForeign.empty(); }
    void setForegroundForeign(const std::string& id) { m_foregroundForeign = id; }
    void setProgramForeground() { m_foregroundForeign.clear(); }
    bool isAppActive() const { return m_appActive; }
    void setAppActive(bool active) { m_appActive = active; }

    // A key goes down or up on the virtual keyboard (the scripted user, or synthetic key
    // events): the global key state changes, and while the program is active and in the
    // foreground its window receives the key (an auto-repeat down raises nothing).
    void pressKey(int rawKey, bool down);
    // Global key state by raw key code.
    void setKey(int rawKey, bool down);
    bool isKeyDown(int rawKey) const { return rawKey >= 0 && rawKey < 256 && m_keyDown[rawKey]; }
    // True when the key went down since the last call for it (the call clears that).
    bool takeKeyPressed(int rawKey);

    // Native handles: program windows count from 0x10000, foreign windows from 0x20000.
    int newProgramHandle() { return 0x10000 + ++m_programSerial; }
    // The window with that native handle; false when there is none.
    bool windowInfo(int handle, HeadlessWindowInfo& out) const;
    // The native handle of the first window with that title (program windows first), or 0.
    int findWindow(std::string_view title) const;
    // The native handle of the foreground window (the program's active window when the
    // program is in the foreground), or 0.
    int foregroundHandle() const;
    // Window longs: index -16 is the style, -20 the extended style. Setting answers the
    // previous value, or 0 for an unknown handle or index.
    int windowLong(int handle, int index) const;
    int setWindowLong(int handle, int index, int value);

    // The program's native windows, in creation order.
    void addWindow(HeadlessWindow* w);
    void removeWindow(HeadlessWindow* w);
    const std::vector<HeadlessWindow*>& windows() const { return m_windows; }
    HeadlessWindow* windowByTitle(std::string_view title) const;
    // The window the scripted user works in: the active window, else the last shown top-level
    // window.
    HeadlessWindow* programWindow() const;

    // Back to a fresh desktop: no foreign windows, program foreground and active, keys up,
    // log and message queue empty. Program windows stay.
    void reset();

private:
    std::vector<std::string> m_calls;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<HeadlessMessage> m_messages;
    int m_modalDepth { 0 };
    std::vector<HeadlessForeignWindow> m_foreign;
    std::string m_foregroundForeign;
    bool m_appActive { true };
    bool m_keyDown[256] {};
    bool m_keyPressed[256] {};
    std::vector<HeadlessWindow*> m_windows;
    int m_programSerial { 0 };
    int m_foreignSerial { 0 };
};
