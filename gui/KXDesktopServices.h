// KXDesktopServices: what the platform knows of the whole desktop, beyond the program's own
// gadgets: the screen's pixels, every top-level window (the program's and other programs'),
// the global keyboard, synthetic keys, the clipboard's picture and the bell. The shared libraries
// a program binds (the Win32 subset, the clipboard library) reach the platform only through this
// interface, which the runtime exports as trovaDesktopServices().
//
// One implementation per platform, installed by that platform's GUI driver when it starts and
// removed when it stops; without one, current() is null and callers answer their documented
// failure values.
//
// Units: window handles are the 32-bit native handles QueryObject(window, 1) reports (0: none);
// rectangles are screen pixels; virtual keys are the platform-independent key numbers programs
// pass (0x2C Print Screen, 0x10..0x12 Shift/Ctrl/Alt, 0x30..0x39 digits, 0x41..0x5A letters, see
// KXVirtualKeys.h).
//
// Threads: every operation runs on the main thread.
#pragma once

#include "gui/KXWindow.h"

#include <cstdint>
#include <string>
#include <vector>

// A picture as the clipboard carries it between programs: ARGB pixels, top row first.
struct KXClipPicture {
    int width { 0 };
    int height { 0 };
    std::vector<uint32_t> argb; // width * height values
};

// A top-level window as the window manager sees it.
struct KXDesktopWindowInfo {
    KXRect frame; // the whole window, decorations included
    KXRect client; // the client area in screen coordinates
    int style { 0 }; // the style word of GetWindowInfo (WS_* bits)
    int exStyle { 0 }; // the extended style word (WS_EX_* bits)
    bool isProgram { false }; // one of this program's windows
    std::string title;
};

class KXDesktopServices {
public:
    virtual ~KXDesktopServices() = default;

    // The installed implementation, or null when no platform GUI runs.
    static KXDesktopServices* current() { return s_current; }
    // Installs (or with null removes) the platform's implementation. Backend drivers only.
    static void install(KXDesktopServices* services) { s_current = services; }

    // Screen.
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    // Reads the rectangle (clipped to the screen by the caller) of the visible screen into dst,
    // rows of pitch bytes, converted to pixel format code format (1..4, 7). False when the
    // platform could not read it; dst is then unchanged.
    virtual bool readScreen(const KXRect& rect, uint8_t* dst, int pitch, int format) = 0;

    // Windows.
    // The native handle of the window that has the keyboard focus's top level, or 0.
    virtual int foregroundWindow() const = 0;
    // False when there is no such top-level window.
    virtual bool windowInfo(int handle, KXDesktopWindowInfo& out) const = 0;
    // The first top-level window whose title is exactly title (the program's first), or 0.
    virtual int findWindow(const std::string& title) const = 0;
    // Window longs: -16 style, -20 extended style; 0 for an unknown handle or index. Setting
    // answers the previous value; on a program window a style with 0x20000 (minimise box) and
    // 0x80000 (system menu) gives its title bar those buttons.
    virtual int windowLong(int handle, int index) const = 0;
    virtual int setWindowLong(int handle, int index, int value) = 0;
    // Makes a top-level window (any program's) the active one; false when the platform cannot.
    virtual bool activateWindow(int handle)
    {
        (void)handle;
        return false;
    }
    // Gives a program window the icon read from an icon or picture file; false when the handle
    // is not a program window or the file cannot be read.
    virtual bool setWindowIcon(int handle, const std::string& iconFile) = 0;

    // Global keyboard, by virtual key, for keys pressed in any program.
    virtual bool isKeyDown(int vk) const = 0;
    // True when the key went down since the last call for that key (the call clears it).
    virtual bool takeKeyPressed(int vk) = 0;
    // A synthetic key press or release, as if typed. Print Screen going down puts a picture of
    // the whole screen on the clipboard (with Alt down: the foreground window's frame), as the
    // system's own Print Screen handling does; see putPrintScreenPicture.
    virtual void sendKey(int vk, bool down) = 0;

    // Clipboard.
    virtual bool putClipboardPicture(const KXClipPicture& picture) = 0;
    // False when the clipboard holds no picture; out is then unchanged.
    virtual bool clipboardPicture(KXClipPicture& out) = 0;
    virtual bool hasClipboardPicture() = 0;
    virtual void emptyClipboard() = 0;
    // Keeps the picture this program put on the clipboard pasteable after the process ends (a
    // clipboard manager or a holder process takes it over). True when it will stay, or when the
    // clipboard holds nothing of this program's; a platform whose clipboard outlives programs
    // has nothing to do.
    virtual bool keepClipboard() { return true; }

    // The bell.
    virtual void beep() = 0;

protected:
    // What Print Screen does: reads the screen (altHeld: only the foreground window's frame,
    // clipped to the screen) and puts it on the clipboard. For sendKey implementations.
    bool putPrintScreenPicture(bool altHeld);

private:
    static inline KXDesktopServices* s_current { nullptr };
};

// The installed services, for shared libraries loaded by the runtime (dlsym of the executable).
extern "C" KXDesktopServices* trovaDesktopServices();
