// Headless windows: frame geometry, native menu, status bar and the scripted user's actions.
#include "gui/headless/HeadlessWindow.h"

#include "gui/KXGuiDriver.h"
#include "gui/headless/HeadlessEventDriver.h"
#include "gui/headless/HeadlessSystem.h"

#include <algorithm>
#include <cstdint>

namespace {
// Runs the steps inside a modal native loop, as the window manager runs its move, size and
// menu loops: 0x2004 as it begins, 0x2005 as it ends, and other messages (timer ticks) still
// delivered before each step. Stops early when the window goes away.
void modalLoop(HeadlessWindow* w, const std::vector<std::function<void(HeadlessWindow*)>>& steps)
{
    HeadlessSystem& sys = HeadlessSystem::instance();
    sys.messages().setModalDepth(sys.messages().modalDepth() + 1);
    w->onModalLoop(true);
    for (const auto& step : steps) {
        HeadlessEventDriver::instance()->dispatchMessages();
        if (!HeadlessWindow::live(w))
            break;
        step(w);
    }
    if (HeadlessWindow::live(w))
        w->onModalLoop(false);
    sys.messages().setModalDepth(sys.messages().modalDepth() - 1);
}
}

HeadlessWindow::HeadlessWindow(KXGroup* group, int style)
    : KXWindow(group, style)
    , m_nativeHandle(HeadlessSystem::world().newProgramHandle())
{
    HeadlessSystem::world().addWindow(this);
    HeadlessSystem::log().record("CreateWindow style=%d", style);
}

HeadlessWindow::~HeadlessWindow()
{
    HeadlessSystem& sys = HeadlessSystem::instance();
    sys.log().record("DestroyWindow \"%s\"", std::string(textView()).c_str());
    sys.world().removeWindow(this);
    sys.messages().dropMessagesFor(handle());
}

HeadlessWindow* HeadlessWindow::live(HeadlessWindow* w)
{
    if (!KXObject::isLive(w))
        return nullptr;
    return dynamic_cast<HeadlessWindow*>(static_cast<KXObject*>(static_cast<KXWindow*>(w)));
}

int HeadlessWindow::query(int id) { return id == 1 || id == 2 ? m_nativeHandle : KXWindow::query(id); }

int HeadlessWindow::border() const
{
    if (!(style() & TitleBar))
        return 0;
    return (style() & Resizable) ? SizingBorder : FixedBorder;
}

int HeadlessWindow::topInset() const
{
    int caption = (style() & TitleBar) ? ((style() & FrameVariant) ? SmallCaption : Caption) : 0;
    return border() + caption + (hasMenuBar() ? MenuBarHeight : 0);
}

KXRect HeadlessWindow::frameForClient(const KXRect& client) const
{
    int b = border();
    int top = topInset();
    return { client.x - b, client.y - top, client.width + 2 * b, client.height + top + b };
}

KXRect HeadlessWindow::clientRect() const
{
    int b = border();
    int top = topInset();
    return { m_frame.x + b, m_frame.y + top, std::max(0, m_frame.width - 2 * b), std::max(0, m_frame.height - top - b) };
}

void HeadlessWindow::clientSizeFor(const KXRect& frame, int& width, int& height) const
{
    int b = border();
    width = std::max(0, frame.width - 2 * b);
    height = std::max(0, frame.height - topInset() - b - (hasStatusBar() ? StatusBarHeight : 0));
}

void HeadlessWindow::nativeSetFrame(const KXRect& frame, int& clientWidth, int& clientHeight)
{
    HeadlessSystem::log().record("SetWindowPos %d %d %d %d", frame.x, frame.y, frame.width, frame.height);
    bool moved = frame.x != m_frame.x || frame.y != m_frame.y;
    bool sized = frame.width != m_frame.width || frame.height != m_frame.height;
    m_frame = frame;
    if (m_state == SizeType::Restored)
        m_restoreFrame = frame;
    clientSizeFor(frame, clientWidth, clientHeight);
    // A shown window reports the change through its window procedure, as native windows do.
    if (m_shown && moved)
        onMoved(frame.x, frame.y);
    if (m_shown && sized)
        sendSize(m_state, frame);
}

void HeadlessWindow::sendSize(SizeType type, const KXRect& frame)
{
    int cw, ch;
    clientSizeFor(frame, cw, ch);
    onSized(type, frame, cw, ch);
}

void HeadlessWindow::setText(KXString* text)
{
    KXWindow::setText(text);
    HeadlessSystem::log().record("SetWindowText \"%s\"", std::string(textView()).c_str());
}

void HeadlessWindow::setVisible(bool visible)
{
    KXWindow::setVisible(visible);
    HeadlessSystem& sys = HeadlessSystem::instance();
    sys.log().record("ShowWindow \"%s\" %d", std::string(textView()).c_str(), visible ? 1 : 0);
    bool first = visible && !m_shown;
    m_shown = m_shown || visible;
    // Showing a window for the first time gives it activation, owned windows included.
    if (first)
        nativeActivate();
}

void HeadlessWindow::setEnabled(bool enabled)
{
    KXWindow::setEnabled(enabled);
    HeadlessSystem::log().record("EnableWindow \"%s\" %d", std::string(textView()).c_str(), enabled ? 1 : 0);
}

void HeadlessWindow::activate()
{
    HeadlessSystem::log().record("SetFocus \"%s\"", std::string(textView()).c_str());
    onFocusChanged(nullptr);
}

bool HeadlessWindow::nativeActivate()
{
    HeadlessSystem& sys = HeadlessSystem::instance();
    sys.log().record("SetForegroundWindow \"%s\"", std::string(textView()).c_str());
    sys.world().setProgramForeground();
    if (!sys.world().isAppActive()) {
        sys.world().setAppActive(true);
        onAppActivation(true);
    }
    onActivated();
    return true;
}

void HeadlessWindow::nativeSetMenu(std::vector<KXNativeMenuItem> bar)
{
    HeadlessSystem::log().record("SetMenu \"%s\" %d", std::string(textView()).c_str(), int(bar.size()));
    m_menu = std::move(bar);
    ++m_menuBuilds;
}

void HeadlessWindow::nativeSetStatusText(KXString* text)
{
    m_status = text ? text->str() : std::string();
    HeadlessSystem::log().record("SetStatusText \"%s\"", m_status.c_str());
}

void HeadlessWindow::nativeMinimize()
{
    HeadlessSystem::log().record("ShowWindow \"%s\" minimize", std::string(textView()).c_str());
    if (m_state == SizeType::Minimized)
        return;
    m_state = SizeType::Minimized;
    sendSize(SizeType::Minimized, m_frame);
}

void HeadlessWindow::nativeMaximize()
{
    HeadlessSystem& sys = HeadlessSystem::instance();
    sys.log().record("ShowWindow \"%s\" maximize", std::string(textView()).c_str());
    if (m_state == SizeType::Maximized)
        return;
    m_state = SizeType::Maximized;
    m_frame = { 0, 0, sys.world().desktopWidth(), sys.world().desktopHeight() };
    sendSize(SizeType::Maximized, m_frame);
}

void HeadlessWindow::nativeRestore()
{
    HeadlessSystem::log().record("ShowWindow \"%s\" restore", std::string(textView()).c_str());
    if (m_state == SizeType::Restored)
        return;
    m_state = SizeType::Restored;
    m_frame = m_restoreFrame;
    sendSize(SizeType::Restored, m_frame);
}

const KXNativeMenuItem* HeadlessWindow::findCommand(int commandId) const
{
    std::vector<const std::vector<KXNativeMenuItem>*> pending { &m_menu };
    while (!pending.empty()) {
        const auto* level = pending.back();
        pending.pop_back();
        for (const KXNativeMenuItem& item : *level) {
            if (item.isPopup()) {
                if (!(item.flags & KXNativeMenuItem::Grayed))
                    pending.push_back(&item.children);
            } else if (!item.isSeparator() && item.commandId == commandId && !(item.flags & KXNativeMenuItem::Grayed)) {
                return &item;
            }
        }
    }
    return nullptr;
}

void HeadlessWindow::postToSelf(std::function<void(HeadlessWindow*)> fn)
{
    HeadlessWindow* self = this;
    HeadlessSystem::messages().postMessage(handle(), [self, fn = std::move(fn)] {
        if (HeadlessWindow* w = live(self))
            fn(w);
    });
}

bool HeadlessWindow::userMenu(int menuId)
{
    // Ids so large that no command id can carry them are on no menu bar.
    const int64_t wide = int64_t(menuId) + KXNativeMenuItem::CommandBase;
    if (wide > INT32_MAX)
        return false;
    const int command = int(wide);
    if (!isEnabled() || !findCommand(command))
        return false;
    // The menu opens in the menu loop; the chosen command arrives once the loop has ended.
    postToSelf([command](HeadlessWindow* w) {
        modalLoop(w, {});
        if (live(w))
            w->onCommand(command);
    });
    return true;
}

void HeadlessWindow::userClose()
{
    postToSelf([](HeadlessWindow* w) { w->onCloseRequest(); });
}

void HeadlessWindow::userKey(int rawKey, bool down)
{
    postToSelf([rawKey, down](HeadlessWindow* w) { w->onRawKey(rawKey, down); });
}

void HeadlessWindow::userDrag(const std::vector<std::pair<int, int>>& positions)
{
    postToSelf([positions](HeadlessWindow* w) {
        std::vector<std::function<void(HeadlessWindow*)>> steps;
        for (auto [x, y] : positions) {
            steps.push_back([x, y](HeadlessWindow* self) {
                self->m_frame.x = x;
                self->m_frame.y = y;
                if (self->m_state == SizeType::Restored)
                    self->m_restoreFrame = self->m_frame;
                self->onMoved(x, y);
            });
        }
        modalLoop(w, steps);
    });
}

void HeadlessWindow::userResize(int width, int height)
{
    postToSelf([width, height](HeadlessWindow* w) {
        modalLoop(w, { [width, height](HeadlessWindow* self) {
            KXRect frame = self->m_frame;
            frame.width = std::max(width, self->minWidth());
            frame.height = std::max(height, self->minHeight());
            self->m_frame = frame;
            self->m_state = SizeType::Restored;
            self->m_restoreFrame = frame;
            self->sendSize(SizeType::Restored, frame);
        } });
    });
}

void HeadlessWindow::userMinimize()
{
    postToSelf([](HeadlessWindow* w) { w->nativeMinimize(); });
}

void HeadlessWindow::userMaximize()
{
    postToSelf([](HeadlessWindow* w) { w->nativeMaximize(); });
}

void HeadlessWindow::userRestore()
{
    postToSelf([](HeadlessWindow* w) { w->nativeRestore(); });
}

void HeadlessWindow::userActivate()
{
    postToSelf([](HeadlessWindow* w) { w->nativeActivate(); });
}

void HeadlessWindow::nativeApplyStyle(int styleWord, int exStyleWord)
{
    HeadlessSystem::log().record("SetWindowLong \"%s\" 0x%x 0x%x", std::string(textView()).c_str(), unsigned(styleWord),
        unsigned(exStyleWord));
}
