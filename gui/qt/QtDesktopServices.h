// QtDesktopServices: the desktop-services contract on an X11 display, over the Qt backend's own X
// connection: screen reads (X11ScreenReader), window queries (X11WindowInfo), the global keyboard
// (X11KeyMonitor), synthetic keys (XTest), clipboard pictures (QtClipboard) and the X bell. The
// program's own windows are Qt widgets, found by their native window ids.
//
// Style words: a program window (a QtWindow) keeps its own, in the neutral window, and setting
// one goes through KXWindow::setWindowLong like the runtime's own changes. Only the backend's
// other top-level widgets (its dialogs), which have no neutral window, keep theirs here.
//
// Invariant: m_longs holds style words only for top-level widgets of this program without a
// neutral window, and only those a program set.
#pragma once

#include "gui/KXDesktopServices.h"
#include "gui/qt/QtClipboard.h"
#include "gui/qt/X11KeyMonitor.h"
#include "gui/qt/X11ScreenReader.h"
#include "gui/qt/X11WindowInfo.h"

#include <map>
#include <memory>
#include <utility>

class QWidget;

class QtDesktopServices final : public KXDesktopServices {
public:
    // The services of the running QGuiApplication's X display; null when Qt does not run on X11
    // (another platform plugin, or no application object).
    static std::unique_ptr<QtDesktopServices> create();
    ~QtDesktopServices() override;

    int screenWidth() const override;
    int screenHeight() const override;
    bool readScreen(const KXRect& rect, uint8_t* dst, int pitch, int format) override;

    int foregroundWindow() const override;
    bool windowInfo(int handle, KXDesktopWindowInfo& out) const override;
    int findWindow(const std::string& title) const override;
    int windowLong(int handle, int index) const override;
    int setWindowLong(int handle, int index, int value) override;
    bool setWindowIcon(int handle, const std::string& iconFile) override;

    bool isKeyDown(int vk) const override;
    bool takeKeyPressed(int vk) override;
    void sendKey(int vk, bool down) override;

    bool putClipboardPicture(const KXClipPicture& picture) override;
    bool clipboardPicture(KXClipPicture& out) override;
    bool hasClipboardPicture() override;
    void emptyClipboard() override;
    bool keepClipboard() override;
    bool activateWindow(int handle) override;

    void beep() override;

    // Waits, up to timeoutMs, until the program's window that was just hidden has left the
    // screen with its frame, so that a screen read that follows does not show it. (The window
    // manager takes the frame away in its own time.)
    void awaitOffScreen(int handle, int timeoutMs) const;
    // Waits, up to timeoutMs, until the program's window that was just shown is on the screen
    // with the window manager's frame.
    void awaitOnScreen(int handle, int timeoutMs) const;
    // True while the window, or the window manager's frame around it, is on the screen.
    bool isOnScreen(int handle) const { return m_windows.isOnScreen(handle); }
    // What the X server and the window manager confirm of top-level windows.
    const X11WindowInfo& windows() const { return m_windows; }

    // Whether global key state is known (the display offers XInput 2).
    bool hasKeyMonitor() const { return m_keys != nullptr; }
    const X11ScreenReader& screenReader() const { return m_screen; }

private:
    explicit QtDesktopServices(Display* display);
    // The program's top-level widget with that native window id, or null.
    static QWidget* programWindow(int handle);

    Display* m_display;
    X11ScreenReader m_screen;
    X11WindowInfo m_windows;
    std::unique_ptr<X11KeyMonitor> m_keys;
    QtClipboard m_clipboard;
    bool m_hasXTest { false };
    // Style words a program set on its top-level widgets without a neutral window:
    // (handle, index) -> value.
    std::map<std::pair<int, int>, int> m_longs;
};
