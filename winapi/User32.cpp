// user32.dll: the window, keyboard, clipboard, icon and bell calls programs bind, over the
// platform's desktop services. Without desktop services (no platform GUI running) every call
// answers its documented failure value.
#include "winapi/KXIcon.h"
#include "winapi/KXWinApi.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <unordered_map>

using namespace kxwin;

namespace {
constexpr int GwlStyle = -16;
constexpr int GwlExStyle = -20;
constexpr int GclHIcon = -14;
constexpr int GclHIconSm = -34;
constexpr uint32_t KeyEventFKeyUp = 0x2;
constexpr uint32_t ImageIcon = 1;
constexpr uint32_t LrLoadFromFile = 0x10;
constexpr uint32_t WsActiveCaption = 0x1;

std::unordered_map<KXIcon*, std::unique_ptr<KXIcon>>& icons()
{
    static std::unordered_map<KXIcon*, std::unique_ptr<KXIcon>> table;
    return table;
}

// The class icons set per window (by handle and index), for SetClassLongA's previous value.
std::map<std::pair<int, int>, int>& classIcons()
{
    static std::map<std::pair<int, int>, int> table;
    return table;
}

// The clipboard is open (for the window handle below) between OpenClipboard and CloseClipboard.
bool s_clipboardOpen = false;
int s_clipboardOwner = 0;

void store32(uint8_t* p, int32_t v) { std::memcpy(p, &v, 4); }

void storeRect(uint8_t* p, const KXRect& r)
{
    store32(p, r.x);
    store32(p + 4, r.y);
    store32(p + 8, r.x + r.width);
    store32(p + 12, r.y + r.height);
}

// The services when the handle names a top-level window; otherwise null, with the last error
// ERROR_INVALID_WINDOW_HANDLE.
KXDesktopServices* windowServices(int handle, KXDesktopWindowInfo* info = nullptr)
{
    KXDesktopServices* ds = desktop();
    KXDesktopWindowInfo scratch;
    if (!ds || !handle || !ds->windowInfo(handle, info ? *info : scratch)) {
        SetLastError(ErrorInvalidWindowHandle);
        return nullptr;
    }
    return ds;
}
}

// The key's state as a 16-bit value, widened with its sign: bit 15 while the key is down, bit 0
// when it went down since the previous call for that key (the call clears it). Any key of any
// program counts.
KX_WINAPI int GetAsyncKeyState(int vk)
{
    KXDesktopServices* ds = desktop();
    if (!ds || vk <= 0 || vk > 255)
        return 0;
    int state = (ds->takeKeyPressed(vk) ? 1 : 0) | (ds->isKeyDown(vk) ? 0x8000 : 0);
    return int16_t(state);
}

// A synthetic key press (flags without KEYEVENTF_KEYUP) or release, as if typed.
KX_WINAPI void keybd_event(uint32_t vk, uint32_t scan, uint32_t flags, uint32_t extraInfo)
{
    (void)scan;
    (void)extraInfo;
    if (KXDesktopServices* ds = desktop(); ds && (vk & 0xFF))
        ds->sendKey(int(vk & 0xFF), !(flags & KeyEventFKeyUp));
}

KX_WINAPI int GetForegroundWindow()
{
    KXDesktopServices* ds = desktop();
    return ds ? ds->foregroundWindow() : 0;
}

// Makes the window, any program's, the foreground one; nonzero when the platform took the request.
KX_WINAPI int SetForegroundWindow(int handle)
{
    KXDesktopServices* ds = desktop();
    return ds && ds->activateWindow(handle) ? 1 : 0;
}

// Fills a WINDOWINFO record (60 bytes): window and client rectangles in screen pixels, style,
// extended style, whether the window is the foreground one, border sizes and the creator version.
KX_WINAPI int GetWindowInfo(int handle, uint8_t* record)
{
    KXDesktopWindowInfo info;
    KXDesktopServices* ds = windowServices(handle, &info);
    if (!ds)
        return 0;
    if (!record) {
        SetLastError(ErrorNoAccess);
        return 0;
    }
    store32(record, 60);
    storeRect(record + 4, info.frame);
    storeRect(record + 20, info.client);
    store32(record + 36, info.style);
    store32(record + 40, info.exStyle);
    store32(record + 44, ds->foregroundWindow() == handle ? WsActiveCaption : 0);
    store32(record + 48, std::max(info.client.x - info.frame.x, 0));
    store32(record + 52, std::max((info.frame.y + info.frame.height) - (info.client.y + info.client.height), 0));
    store32(record + 56, int32_t(0x05010000)); // no class atom; made by a 5.1 user library
    return 1;
}

// The first top-level window titled exactly title. Windows are found by title only: a class
// name, which the platform does not keep, matches nothing.
KX_WINAPI int FindWindowA(const char* className, const char* title)
{
    KXDesktopServices* ds = desktop();
    if (!ds || className || !title)
        return 0;
    return ds->findWindow(title);
}

KX_WINAPI int GetWindowLongA(int handle, int index)
{
    KXDesktopServices* ds = windowServices(handle);
    if (!ds)
        return 0;
    if (index != GwlStyle && index != GwlExStyle) {
        SetLastError(ErrorInvalidIndex);
        return 0;
    }
    return ds->windowLong(handle, index);
}

// Sets the style (-16) or extended style (-20) and answers the previous value; on a program
// window the minimise box (0x20000) and system menu (0x80000) bits show in its title bar.
KX_WINAPI int SetWindowLongA(int handle, int index, int value)
{
    KXDesktopServices* ds = windowServices(handle);
    if (!ds)
        return 0;
    if (index != GwlStyle && index != GwlExStyle) {
        SetLastError(ErrorInvalidIndex);
        return 0;
    }
    SetLastError(ErrorSuccess);
    return ds->setWindowLong(handle, index, value);
}

// Loads an icon from an .ico file (IMAGE_ICON with LR_LOADFROMFILE); other images and resources
// are not available: null.
KX_WINAPI void* LoadImageA(void* instance, const char* name, uint32_t type, int cx, int cy, uint32_t flags)
{
    (void)instance;
    (void)cx;
    (void)cy;
    if (type != ImageIcon || !(flags & LrLoadFromFile) || !name) {
        SetLastError(ErrorInvalidParameter);
        return nullptr;
    }
    bool notIcon = false;
    std::unique_ptr<KXIcon> icon = KXIcon::load(systemPath(name), notIcon);
    if (!icon) {
        SetLastError(notIcon ? ErrorInvalidParameter : ErrorFileNotFound);
        return nullptr;
    }
    KXIcon* h = icon.get();
    icons()[h] = std::move(icon);
    return h;
}

KX_WINAPI int DestroyIcon(void* icon)
{
    if (!icons().erase(static_cast<KXIcon*>(icon))) {
        SetLastError(ErrorInvalidHandle);
        return 0;
    }
    return 1;
}

// The window's class icon (-14, or -34 for the small one) becomes an icon of LoadImageA or
// ExtractIconA; answers the previous value (0 when none was set). 0 when the window is not one of
// the program's or the value is not a live icon.
KX_WINAPI int SetClassLongA(int handle, int index, int value)
{
    KXDesktopServices* ds = windowServices(handle);
    if (!ds)
        return 0;
    if (index != GclHIcon && index != GclHIconSm) {
        SetLastError(ErrorInvalidIndex);
        return 0;
    }
    auto it = icons().find(reinterpret_cast<KXIcon*>(uintptr_t(uint32_t(value))));
    if (it == icons().end()) {
        SetLastError(ErrorInvalidParameter);
        return 0;
    }
    if (!ds->setWindowIcon(handle, it->second->file())) {
        SetLastError(ErrorAccessDenied);
        return 0;
    }
    int& slot = classIcons()[{ handle, index }];
    int previous = slot;
    slot = value;
    SetLastError(ErrorSuccess);
    return previous;
}

KX_WINAPI int MessageBeep(uint32_t type)
{
    (void)type;
    KXDesktopServices* ds = desktop();
    if (!ds)
        return 0;
    ds->beep();
    return 1;
}

// Opens the clipboard for the window (0: for the program). Fails while another window has it
// open.
KX_WINAPI int OpenClipboard(int handle)
{
    if (s_clipboardOpen && s_clipboardOwner != handle) {
        SetLastError(ErrorAccessDenied);
        return 0;
    }
    s_clipboardOpen = true;
    s_clipboardOwner = handle;
    return 1;
}

KX_WINAPI int CloseClipboard()
{
    if (!s_clipboardOpen) {
        SetLastError(ErrorClipboardNotOpen);
        return 0;
    }
    s_clipboardOpen = false;
    s_clipboardOwner = 0;
    return 1;
}

// Empties the clipboard, which must be open.
KX_WINAPI int EmptyClipboard()
{
    if (!s_clipboardOpen) {
        SetLastError(ErrorClipboardNotOpen);
        return 0;
    }
    KXDesktopServices* ds = desktop();
    if (!ds) {
        SetLastError(ErrorAccessDenied);
        return 0;
    }
    ds->emptyClipboard();
    return 1;
}
