// The headless platform's virtual world: desktop, foreign windows, keys and program windows.
#include "gui/headless/HeadlessWorld.h"

#include "graphics/headless/HeadlessScreen.h"
#include "gui/KXGuiDriver.h"
#include "gui/headless/HeadlessWindow.h"

#include <algorithm>

int HeadlessWorld::desktopWidth() const { return HeadlessScreen::instance().width(); }

int HeadlessWorld::desktopHeight() const { return HeadlessScreen::instance().height(); }

bool HeadlessWorld::setDesktopSize(int width, int height)
{
    if (!HeadlessScreen::instance().resize(width, height))
        return false;
    desktopResized();
    return true;
}

void HeadlessWorld::desktopResized()
{
    const HeadlessScreen& screen = HeadlessScreen::instance();
    if (KXGuiDriver* gui = KXGuiDriver::current())
        if (KXDesktop* desktop = gui->desktop())
            desktop->setShape(0, 0, screen.width(), screen.height());
}

void HeadlessWorld::addForeignWindow(const HeadlessForeignWindow& w)
{
    for (HeadlessForeignWindow& f : m_foreign) {
        if (f.id == w.id) {
            int handle = f.handle;
            f = w;
            f.handle = handle;
            return;
        }
    }
    m_foreign.push_back(w);
    m_foreign.back().handle = 0x20000 + ++m_foreignSerial;
}

bool HeadlessWorld::windowInfo(int handle, HeadlessWindowInfo& out) const
{
    for (HeadlessWindow* w : m_windows) {
        if (w->nativeHandle() == handle) {
            out = { handle, std::string(w->textView()), w->frame(), w->clientRect(), w->styleWord(), w->exStyleWord(), true };
            return true;
        }
    }
    for (const HeadlessForeignWindow& f : m_foreign) {
        if (f.handle == handle) {
            out = { handle, f.title, f.frame, f.client, f.style, f.exStyle, false };
            return true;
        }
    }
    return false;
}

int HeadlessWorld::findWindow(std::string_view title) const
{
    for (HeadlessWindow* w : m_windows)
        if (w->textView() == title)
            return w->nativeHandle();
    for (const HeadlessForeignWindow& f : m_foreign)
        if (f.title == title)
            return f.handle;
    return 0;
}

int HeadlessWorld::foregroundHandle() const
{
    if (!m_foregroundForeign.empty()) {
        const HeadlessForeignWindow* f = foreignWindow(m_foregroundForeign);
        return f ? f->handle : 0;
    }
    auto* active = dynamic_cast<HeadlessWindow*>(KXWindow::active());
    return active && active->isVisible() ? active->nativeHandle() : 0;
}

int HeadlessWorld::windowLong(int handle, int index) const
{
    HeadlessWindowInfo info;
    if (!windowInfo(handle, info))
        return 0;
    return index == -16 ? info.style : index == -20 ? info.exStyle
                                                    : 0;
}

int HeadlessWorld::setWindowLong(int handle, int index, int value)
{
    if (index != -16 && index != -20)
        return 0;
    if (HeadlessWindow* w = windowByHandle(handle))
        return w->setWindowLong(index, value);
    for (HeadlessForeignWindow& f : m_foreign) {
        if (f.handle == handle) {
            int& field = index == -16 ? f.style : f.exStyle;
            int old = field;
            field = value;
            return old;
        }
    }
    return 0;
}

const HeadlessForeignWindow* HeadlessWorld::foreignWindow(const std::string& id) const
{
    for (const HeadlessForeignWindow& f : m_foreign)
        if (f.id == id)
            return &f;
    return nullptr;
}

void HeadlessWorld::pressKey(int rawKey, bool down)
{
    if (rawKey < 0 || rawKey >= 256)
        return;
    setKey(rawKey, down);
    if (isProgramForeground() && isAppActive())
        if (HeadlessWindow* w = programWindow())
            w->userKey(rawKey, down);
}

void HeadlessWorld::setKey(int rawKey, bool down)
{
    if (rawKey < 0 || rawKey >= 256)
        return;
    if (down && !m_keyDown[rawKey])
        m_keyPressed[rawKey] = true;
    m_keyDown[rawKey] = down;
}

bool HeadlessWorld::takeKeyPressed(int rawKey)
{
    if (rawKey < 0 || rawKey >= 256)
        return false;
    bool pressed = m_keyPressed[rawKey];
    m_keyPressed[rawKey] = false;
    return pressed;
}

void HeadlessWorld::addWindow(HeadlessWindow* w) { m_windows.push_back(w); }

void HeadlessWorld::removeWindow(HeadlessWindow* w)
{
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), w), m_windows.end());
}

HeadlessWindow* HeadlessWorld::windowByTitle(std::string_view title) const
{
    for (HeadlessWindow* w : m_windows)
        if (w->textView() == title)
            return w;
    return nullptr;
}

HeadlessWindow* HeadlessWorld::windowByHandle(int handle) const
{
    for (HeadlessWindow* w : m_windows)
        if (w->nativeHandle() == handle)
            return w;
    return nullptr;
}

HeadlessWindow* HeadlessWorld::programWindow() const
{
    if (auto* active = dynamic_cast<HeadlessWindow*>(KXWindow::active()))
        return active;
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if ((*it)->isVisible())
            return *it;
    return nullptr;
}

void HeadlessWorld::reset()
{
    m_foreign.clear();
    m_foregroundForeign.clear();
    m_appActive = true;
    std::fill(std::begin(m_keyDown), std::end(m_keyDown), false);
    std::fill(std::begin(m_keyPressed), std::end(m_keyPressed), false);
}
