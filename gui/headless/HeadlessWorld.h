// HeadlessWorld: the headless platform's virtual world: the desktop (its size; foreign top-level
// windows with frames, client rectangles, titles and styles; the foreground window; whether the
// program has the keyboard), the global key state, and the registry of the program's native
// windows with their handles.
//
// Invariants: main thread only; the foreground is a foreign window's id, or empty when a program
// window (or nothing) is in front; program handles count from 0x10000, foreign ones from 0x20000.
#pragma once

#include "gui/KXWindow.h"

#include <string>
#include <string_view>
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

class HeadlessWorld {
public:
    // Virtual desktop.
    int desktopWidth() const;
    int desktopHeight() const;
    // Resizes the desktop (its pixels reset to opaque black) and the desktop gadget; false,
    // changing nothing, for a size the desktop cannot take.
    bool setDesktopSize(int width, int height);
    // The desktop gadget takes the screen's present size (after its pixels were replaced).
    void desktopResized();
    // Adds a foreign window, or replaces the one with the same id (keeping its handle).
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

    int newProgramHandle() { return 0x10000 + ++m_programSerial; }
    // The window with that native handle; false when there is none.
    bool windowInfo(int handle, HeadlessWindowInfo& out) const;
    // The native handle of the first window with that title (program windows first), or 0.
    int findWindow(std::string_view title) const;
    // The native handle of the foreground window (the program's active window when the
    // program is in the foreground), or 0.
    int foregroundHandle() const;
    // Window longs: index -16 is the style, -20 the extended style. Setting answers the
    // previous value, or 0 for an unknown handle or index; a program window's words change
    // through its neutral window (KXWindow::setWindowLong).
    int windowLong(int handle, int index) const;
    int setWindowLong(int handle, int index, int value);

    // The program's native windows, in creation order.
    void addWindow(HeadlessWindow* w);
    void removeWindow(HeadlessWindow* w);
    const std::vector<HeadlessWindow*>& windows() const { return m_windows; }
    HeadlessWindow* windowByTitle(std::string_view title) const;
    // The window with that native handle, or null.
    HeadlessWindow* windowByHandle(int handle) const;
    // The window the scripted user works in: the active window, else the last shown top-level
    // window.
    HeadlessWindow* programWindow() const;

    // Back to a fresh desktop: no foreign windows, program foreground and active, keys up.
    // Program windows stay.
    void reset();

private:
    std::vector<HeadlessForeignWindow> m_foreign;
    std::string m_foregroundForeign;
    bool m_appActive { true };
    bool m_keyDown[256] {};
    bool m_keyPressed[256] {};
    std::vector<HeadlessWindow*> m_windows;
    int m_programSerial { 0 };
    int m_foreignSerial { 0 };
};
