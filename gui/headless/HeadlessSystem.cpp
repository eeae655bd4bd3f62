// The headless world: desktop, native message queue and call log.
#include "gui/headless/HeadlessSystem.h"

#include "graphics/headless/HeadlessScreen.h"
#include "gui/KXGuiDriver.h"
#include "gui/headless/HeadlessWindow.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

HeadlessSystem& HeadlessSystem::instance()
{
    static HeadlessSystem system;
    return system;
}

void HeadlessSystem::record(const char* format, ...)
{
    char text[512];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(text, sizeof text, format, ap);
    va_end(ap);
    m_calls.emplace_back(text);
}

bool HeadlessSystem::called(const std::string& prefix) const
{
    return std::any_of(m_calls.begin(), m_calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
}

void HeadlessSystem::postThreadMessage(KXThreadMessage message, int param1, int param2)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        HeadlessMessage m;
        m.thread = message;
        m.param1 = param1;
        m.param2 = param2;
        m_messages.push_back(std::move(m));
    }
    m_arrived.notify_all();
}

void HeadlessSystem::postMessage(int target, std::function<void()> deliver)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        HeadlessMessage m;
        m.target = target;
        m.deliver = std::move(deliver);
        m_messages.push_back(std::move(m));
    }
    m_arrived.notify_all();
}

bool HeadlessSystem::hasMessages()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return !m_messages.empty();
}

bool HeadlessSystem::takeMessage(HeadlessMessage& out)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_messages.empty())
        return false;
    out = std::move(m_messages.front());
    m_messages.pop_front();
    return true;
}

void HeadlessSystem::waitForMessage(long long deadlineMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    auto ready = [this] { return !m_messages.empty(); };
    if (deadlineMs < 0) {
        m_arrived.wait(lock, ready);
        return;
    }
    auto deadline = std::chrono::steady_clock::time_point(std::chrono::milliseconds(deadlineMs));
    m_arrived.wait_until(lock, deadline, ready);
}

void HeadlessSystem::dropMessagesFor(int target)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_messages.erase(std::remove_if(m_messages.begin(), m_messages.end(),
                         [&](const HeadlessMessage& m) {
                             return m.target == target || (m.thread == KXThreadMessage::TimerTick && m.param2 == target);
                         }),
        m_messages.end());
}

void HeadlessSystem::clearMessages()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_messages.clear();
}

int HeadlessSystem::desktopWidth() const { return HeadlessScreen::instance().width(); }

int HeadlessSystem::desktopHeight() const { return HeadlessScreen::instance().height(); }

bool HeadlessSystem::setDesktopSize(int width, int height)
{
    if (!HeadlessScreen::instance().resize(width, height))
        return false;
    desktopResized();
    return true;
}

void HeadlessSystem::desktopResized()
{
    const HeadlessScreen& screen = HeadlessScreen::instance();
    if (KXGuiDriver* gui = KXGuiDriver::current())
        if (KXDesktop* desktop = gui->desktop())
            desktop->setShape(0, 0, screen.width(), screen.height());
}

void HeadlessSystem::addForeignWindow(const HeadlessForeignWindow& w)
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

bool HeadlessSystem::windowInfo(int handle, HeadlessWindowInfo& out) const
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

int HeadlessSystem::findWindow(std::string_view title) const
{
    for (HeadlessWindow* w : m_windows)
        if (w->textView() == title)
            return w->nativeHandle();
    for (const HeadlessForeignWindow& f : m_foreign)
        if (f.title == title)
            return f.handle;
    return 0;
}

int HeadlessSystem::foregroundHandle() const
{
    if (!m_foregroundForeign.empty()) {
        const HeadlessForeignWindow* f = foreignWindow(m_foregroundForeign);
        return f ? f->handle : 0;
    }
    auto* active = dynamic_cast<HeadlessWindow*>(KXWindow::active());
    return active && active->isVisible() ? active->nativeHandle() : 0;
}

int HeadlessSystem::windowLong(int handle, int index) const
{
    HeadlessWindowInfo info;
    if (!windowInfo(handle, info))
        return 0;
    return index == -16 ? info.style : index == -20 ? info.exStyle
                                                    : 0;
}

int HeadlessSystem::setWindowLong(int handle, int index, int value)
{
    if (index != -16 && index != -20)
        return 0;
    for (HeadlessWindow* w : m_windows) {
        if (w->nativeHandle() == handle) {
            int old = w->setWindowLong(index, value);
            record("SetWindowLong %d %d 0x%x", handle, index, unsigned(value));
            return old;
        }
    }
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

const HeadlessForeignWindow* HeadlessSystem::foreignWindow(const std::string& id) const
{
    for (const HeadlessForeignWindow& f : m_foreign)
        if (f.id == id)
            return &f;
    return nullptr;
}

void HeadlessSystem::pressKey(int rawKey, bool down)
{
    if (rawKey < 0 || rawKey >= 256)
        return;
    setKey(rawKey, down);
    if (isProgramForeground() && isAppActive())
        if (HeadlessWindow* w = programWindow())
            w->userKey(rawKey, down);
}

void HeadlessSystem::setKey(int rawKey, bool down)
{
    if (rawKey < 0 || rawKey >= 256)
        return;
    if (down && !m_keyDown[rawKey])
        m_keyPressed[rawKey] = true;
    m_keyDown[rawKey] = down;
}

bool HeadlessSystem::takeKeyPressed(int rawKey)
{
    if (rawKey < 0 || rawKey >= 256)
        return false;
    bool pressed = m_keyPressed[rawKey];
    m_keyPressed[rawKey] = false;
    return pressed;
}

void HeadlessSystem::addWindow(HeadlessWindow* w) { m_windows.push_back(w); }

void HeadlessSystem::removeWindow(HeadlessWindow* w)
{
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), w), m_windows.end());
}

HeadlessWindow* HeadlessSystem::windowByTitle(std::string_view title) const
{
    for (HeadlessWindow* w : m_windows)
        if (w->textView() == title)
            return w;
    return nullptr;
}

HeadlessWindow* HeadlessSystem::programWindow() const
{
    if (auto* active = dynamic_cast<HeadlessWindow*>(KXWindow::active()))
        return active;
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if ((*it)->isVisible())
            return *it;
    return nullptr;
}

void HeadlessSystem::reset()
{
    clearMessages();
    m_calls.clear();
    m_foreign.clear();
    m_foregroundForeign.clear();
    m_appActive = true;
    m_modalDepth = 0;
    std::fill(std::begin(m_keyDown), std::end(m_keyDown), false);
    std::fill(std::begin(m_keyPressed), std::end(m_keyPressed), false);
}
