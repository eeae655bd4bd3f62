// The headless desktop services.
#include "gui/headless/HeadlessDesktopServices.h"

#include "graphics/KXPixelFormat.h"
#include "graphics/headless/HeadlessScreen.h"
#include "gui/KXVirtualKeys.h"
#include "gui/headless/HeadlessScript.h"
#include "gui/headless/HeadlessSystem.h"

#include <fstream>

HeadlessDesktopServices& HeadlessDesktopServices::instance()
{
    static HeadlessDesktopServices services;
    return services;
}

int HeadlessDesktopServices::screenWidth() const { return HeadlessScreen::instance().width(); }

int HeadlessDesktopServices::screenHeight() const { return HeadlessScreen::instance().height(); }

bool HeadlessDesktopServices::readScreen(const KXRect& rect, uint8_t* dst, int pitch, int format)
{
    HeadlessScreen& screen = HeadlessScreen::instance();
    int bpp = kxpf::bytesPerPixel(format);
    if (!bpp || rect.x < 0 || rect.y < 0 || rect.width < 0 || rect.height < 0
        || int64_t(rect.x) + rect.width > screen.width() || int64_t(rect.y) + rect.height > screen.height())
        return false;
    for (int y = 0; y < rect.height; ++y) {
        const uint32_t* src = screen.pixels().data() + size_t(rect.y + y) * size_t(screen.width()) + size_t(rect.x);
        uint8_t* row = dst + size_t(y) * size_t(pitch);
        for (int x = 0; x < rect.width; ++x)
            kxpf::fromArgb(format, row + size_t(x) * size_t(bpp), src[x]);
    }
    return true;
}

int HeadlessDesktopServices::foregroundWindow() const { return HeadlessSystem::world().foregroundHandle(); }

bool HeadlessDesktopServices::windowInfo(int handle, KXDesktopWindowInfo& out) const
{
    HeadlessWindowInfo info;
    if (!HeadlessSystem::world().windowInfo(handle, info))
        return false;
    out.frame = info.frame;
    out.client = info.client;
    out.style = info.style;
    out.exStyle = info.exStyle;
    out.isProgram = info.isProgram;
    out.title = info.title;
    return true;
}

int HeadlessDesktopServices::findWindow(const std::string& title) const
{
    return HeadlessSystem::world().findWindow(title);
}

int HeadlessDesktopServices::windowLong(int handle, int index) const
{
    return HeadlessSystem::world().windowLong(handle, index);
}

int HeadlessDesktopServices::setWindowLong(int handle, int index, int value)
{
    return HeadlessSystem::world().setWindowLong(handle, index, value);
}

bool HeadlessDesktopServices::setWindowIcon(int handle, const std::string& iconFile)
{
    HeadlessWindowInfo info;
    if (!HeadlessSystem::world().windowInfo(handle, info) || !info.isProgram)
        return false;
    if (!std::ifstream(iconFile, std::ios::binary))
        return false;
    HeadlessSystem::log().record("SetWindowIcon %d %s", handle, iconFile.c_str());
    return true;
}

bool HeadlessDesktopServices::isKeyDown(int vk) const
{
    for (int raw : kxvk::rawCodes(vk))
        if (raw && HeadlessSystem::world().isKeyDown(raw))
            return true;
    return false;
}

bool HeadlessDesktopServices::takeKeyPressed(int vk)
{
    // A program polling the global keyboard waits for input, so the scripted user may act
    // meanwhile (a program busy-waiting for a key's release would otherwise never see it).
    HeadlessScript::instance().runDueAction();
    bool pressed = false;
    for (int raw : kxvk::rawCodes(vk))
        if (raw && HeadlessSystem::world().takeKeyPressed(raw))
            pressed = true;
    return pressed;
}

void HeadlessDesktopServices::sendKey(int vk, bool down)
{
    int raw = kxvk::rawCodes(vk)[0];
    if (!raw)
        return;
    HeadlessSystem::log().record("SendKey 0x%x %s", unsigned(vk), down ? "down" : "up");
    if (vk == kxvk::PrintScreen && down)
        putPrintScreenPicture(isKeyDown(kxvk::Alt));
    HeadlessSystem::world().pressKey(raw, down);
}

bool HeadlessDesktopServices::putClipboardPicture(const KXClipPicture& picture)
{
    if (picture.width <= 0 || picture.height <= 0
        || picture.argb.size() != size_t(picture.width) * size_t(picture.height))
        return false;
    m_clipboard = picture;
    m_hasPicture = true;
    HeadlessSystem::log().record("Clipboard put %dx%d", picture.width, picture.height);
    return true;
}

bool HeadlessDesktopServices::clipboardPicture(KXClipPicture& out)
{
    if (!m_hasPicture)
        return false;
    out = m_clipboard;
    return true;
}

bool HeadlessDesktopServices::hasClipboardPicture() { return m_hasPicture; }

void HeadlessDesktopServices::emptyClipboard()
{
    m_hasPicture = false;
    m_clipboard = {};
    HeadlessSystem::log().record("Clipboard empty");
}

void HeadlessDesktopServices::beep()
{
    ++m_beeps;
    HeadlessSystem::log().record("Beep");
}

void HeadlessDesktopServices::reset()
{
    m_hasPicture = false;
    m_clipboard = {};
    m_beeps = 0;
}
