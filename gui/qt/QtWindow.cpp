// Qt windows: frame geometry, menu bar, status bar, and the window manager's reports.
#include "gui/qt/QtWindow.h"

#include "gui/KXEventFilter.h"
#include "gui/qt/QtDesktopServices.h"
#include "gui/qt/QtFont.h"
#include "gui/qt/QtGadget.h"
#include "gui/qt/QtText.h"
#include "gui/qt/X11WindowInfo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QVariant>
#include <QWindow>

#include <algorithm>

// The native main window; it passes what the window manager does to its owner.
class QtWindow::Native final : public QMainWindow {
public:
    Native(QtWindow* owner, QWidget* parent, Qt::WindowFlags flags)
        : QMainWindow(parent, flags)
        , m_owner(owner)
    {
    }
    QtWindow* owner() const { return m_owner; }
    void disown() { m_owner = nullptr; }

protected:
    void moveEvent(QMoveEvent* e) override
    {
        QMainWindow::moveEvent(e);
        if (m_owner)
            m_owner->reportServerChange();
    }
    void resizeEvent(QResizeEvent* e) override
    {
        QMainWindow::resizeEvent(e);
        if (m_owner)
            m_owner->reportServerChange();
    }
    void changeEvent(QEvent* e) override
    {
        QMainWindow::changeEvent(e);
        if (!m_owner)
            return;
        if (e->type() == QEvent::WindowStateChange)
            m_owner->reportServerChange();
        else if (e->type() == QEvent::ActivationChange)
            m_owner->reportActivation(isActiveWindow());
    }
    void closeEvent(QCloseEvent* e) override
    {
        // A close request is only a request: the program decides.
        e->ignore();
        if (m_owner)
            m_owner->reportCloseRequest();
    }

private:
    QtWindow* m_owner;
};

namespace {
// How long hiding a window waits at most for the window manager to take its frame away.
constexpr int hideWaitMs = 500;

Qt::WindowFlags flagsFor(int style, bool owned)
{
    using namespace Qt;
    if (!(style & KXWindow::TitleBar))
        return Window | FramelessWindowHint;
    WindowFlags f = ((style & KXWindow::FrameVariant) ? Tool : Window) | CustomizeWindowHint | WindowTitleHint
        | WindowSystemMenuHint | WindowCloseButtonHint;
    if (style & KXWindow::Resizable)
        f |= WindowMinMaxButtonsHint;
    else if (!owned)
        f |= WindowMinimizeButtonHint;
    return f;
}
}

QtWindow::QtWindow(KXGroup* group, int style)
    : KXWindow(group, style)
{
    QWidget* owner = nullptr;
    if (auto* w = dynamic_cast<QtWindow*>(group))
        owner = w->m_native;
    auto* native = new Native(this, owner, flagsFor(style, owner != nullptr));
    m_native = native;
    native->setAttribute(Qt::WA_DeleteOnClose, false);
    m_client = new QWidget(native);
    m_client->setAutoFillBackground(true);
    native->setCentralWidget(m_client);
    if (hasMenuBar()) {
        auto* bar = new QMenuBar(native);
        bar->setNativeMenuBar(false);
        bar->setFixedHeight(menuBarHeight());
        native->setMenuBar(bar);
    }
    if (hasStatusBar()) {
        QStatusBar* bar = native->statusBar();
        bar->setSizeGripEnabled(false);
        m_status = new QLabel(bar);
        bar->addWidget(m_status, 1);
        bar->setFixedHeight(statusBarHeight());
    }
}

std::unordered_map<unsigned long, QtWindow*>& QtWindow::frames()
{
    static std::unordered_map<unsigned long, QtWindow*> map;
    return map;
}

void QtWindow::forgetFrame()
{
    if (m_frameWindow)
        frames().erase(m_frameWindow);
    m_frameWindow = 0;
}

QtWindow* QtWindow::ofFrame(unsigned long frame)
{
    auto it = frames().find(frame);
    return it == frames().end() ? nullptr : it->second;
}

QtWindow::~QtWindow()
{
    forgetFrame();
    if (m_native) {
        static_cast<Native*>(m_native.data())->disown();
        m_native->hide();
        // Deleted once control is back in the loop: the window may be freed from inside one of
        // its own handlers.
        m_native->deleteLater();
    }
}

QtWindow* QtWindow::ofWidget(QWidget* widget)
{
    // Only the window's own widgets: a dialog it owns is a window of its own.
    auto* n = widget ? dynamic_cast<Native*>(widget->window()) : nullptr;
    return n ? n->owner() : nullptr;
}

QtWindow* QtWindow::ofHandle(int handle)
{
    if (handle <= 0 || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    auto* n = dynamic_cast<Native*>(QWidget::find(WId(unsigned(handle))));
    return n ? n->owner() : nullptr;
}

void QtWindow::applyTitleBarStyle(QWidget* window, int styleWord)
{
    Qt::WindowFlags flags = window->windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    flags.setFlag(Qt::WindowMinimizeButtonHint, styleWord & MinimizeBoxBit);
    flags.setFlag(Qt::WindowMaximizeButtonHint, styleWord & MaximizeBoxBit);
    flags.setFlag(Qt::WindowSystemMenuHint, styleWord & SystemMenuBit);
    flags.setFlag(Qt::WindowCloseButtonHint, styleWord & SystemMenuBit);
    // setWindowFlags would recreate the native window (and change the handle programs hold).
    window->overrideWindowFlags(flags);
    if (QWindow* native = window->windowHandle())
        native->setFlags(flags);
}

void QtWindow::nativeApplyStyle(int styleWord, int exStyleWord)
{
    (void)exStyleWord;
    applyTitleBarStyle(m_native, styleWord);
    // The sizing frame: without it the window keeps its present size.
    bool sizable = styleWord & SizingFrameBit;
    if (sizable == (m_native->minimumSize() != m_native->maximumSize()))
        return;
    if (sizable) {
        m_native->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        nativeSetMinSize(minWidth(), minHeight());
    } else {
        m_native->setFixedSize(m_native->size());
    }
}

int QtWindow::query(int id) { return id == 1 || id == 2 ? int(m_native->winId()) : KXWindow::query(id); }

int QtWindow::decorationKind() const
{
    if (!(style() & TitleBar))
        return 0;
    return (style() & FrameVariant) ? 2 : 1;
}

QtWindow::Margins QtWindow::margins() const
{
    if (m_extents)
        return *m_extents;
    return s_margins[decorationKind()];
}

int QtWindow::menuBarHeight() const
{
    if (!hasMenuBar())
        return 0;
    static const int height = [] {
        QMenuBar probe;
        probe.addMenu(QStringLiteral("File"));
        return probe.sizeHint().height();
    }();
    return height;
}

int QtWindow::statusBarHeight() const
{
    static const int height = [] {
        QLabel probe(QStringLiteral("Status"));
        return probe.sizeHint().height() + 6;
    }();
    return height;
}

KXRect QtWindow::frameForClient(const KXRect& client) const
{
    Margins m = margins();
    int top = m.top + menuBarHeight();
    return { client.x - m.left, client.y - top, client.width + m.left + m.right, client.height + top + m.bottom };
}

void QtWindow::clientSize(const QSize& inner, int& width, int& height) const
{
    width = std::max(0, inner.width());
    height = std::max(0, inner.height() - menuBarHeight() - (hasStatusBar() ? statusBarHeight() : 0));
}

void QtWindow::place(const KXRect& frame)
{
    // The client window's own position (Qt's geometry, the X server's static gravity): the
    // window manager builds the frame around it, so the frame lands where asked, mapped or not,
    // and stays there when the window is hidden and shown again.
    Margins m = margins();
    QRect client(frame.x + m.left, frame.y + m.top, std::max(1, frame.width - m.left - m.right),
        std::max(1, frame.height - m.top - m.bottom));
    if (!isUserSizable())
        m_native->setFixedSize(client.size());
    if (m_native->geometry() != client)
        m_native->setGeometry(client);
}

void QtWindow::nativeSetFrame(const KXRect& frame, int& clientWidth, int& clientHeight)
{
    Margins m = margins();
    QSize inner(std::max(1, frame.width - m.left - m.right), std::max(1, frame.height - m.top - m.bottom));
    // A shown window reports the change once the window manager confirms it; a hidden one takes
    // the frame as its own, and it is asked of the window manager when the window shows.
    if (frame != m_frame || !(m_shown && m_native->isVisible()))
        m_askedFrame = AskedFrame { frame, AnswersPerFrame };
    if (!(m_shown && m_native->isVisible()))
        m_frame = frame;
    place(frame);
    clientSize(inner, clientWidth, clientHeight);
}

bool QtWindow::nativePending() const
{
    bool shown = m_shown && m_native->isVisible();
    return shown && (m_askedFrame || m_askedState || m_askedMapped || m_askedActive || m_confirmPosted);
}

void QtWindow::reportServerChange(bool configured)
{
    m_configured = m_configured || configured;
    if (m_confirmPosted || !m_native)
        return;
    m_confirmPosted = true;
    // Read back later: the news comes from inside Qt's own event handling, and what it reports
    // may hand control to the program.
    QPointer<QMainWindow> native = m_native;
    QMetaObject::invokeMethod(
        m_native,
        [native] {
            if (auto* n = dynamic_cast<Native*>(native.data()))
                if (QtWindow* w = n->owner())
                    w->confirm();
        },
        Qt::QueuedConnection);
}

void QtWindow::confirm()
{
    m_confirmPosted = false;
    // Whether the window manager answered since the frame was last looked at.
    bool configured = m_configured;
    auto* services = dynamic_cast<QtDesktopServices*>(KXDesktopServices::current());
    X11WindowState s;
    if (!services || !m_native->internalWinId() || !services->windows().state(int(m_native->internalWinId()), s)) {
        m_askedMapped = false;
        return;
    }
    // The frame's own moves (the window manager's animations included) come as its
    // ConfigureNotify: the frame is watched from the time it is known.
    if (s.viewable && s.frameWindow && s.frameWindow != m_frameWindow) {
        forgetFrame();
        m_frameWindow = s.frameWindow;
        frames()[m_frameWindow] = this;
        services->windows().watchFrame(m_frameWindow);
    }
    if (s.framed && s.viewable) {
        m_extents = Margins { s.left, s.top, s.right, s.bottom };
        s_margins[decorationKind()] = *m_extents;
    }
    if (!m_shown || !m_native->isVisible()) {
        m_askedState.reset();
        m_askedMapped = false;
        m_askedActive = false;
        return;
    }
    // Mapping, or the window manager still taking the window: nothing confirmed yet.
    if (!s.viewable && !s.iconic)
        return;
    // A window the window manager manages is mapped once it has its frame.
    if (s.viewable && (s.framed || !s.managed || decorationKind() == 0))
        m_askedMapped = false;
    SizeType state = s.iconic ? SizeType::Minimized : s.maximized ? SizeType::Maximized
                                                                  : SizeType::Restored;
    std::optional<SizeType> askedStateBefore = m_askedState;
    if (m_askedState == state)
        m_askedState.reset();
    if (state == SizeType::Minimized) {
        if (!isMinimized())
            onSized(state, m_frame, clientWidth(), clientHeight());
        return;
    }
    m_configured = false;
    // A window manager that restores a maximised window by its client's place (openbox with
    // the static gravity) leaves the frame off where it stood by the frame extents: the frame
    // before maximising is asked again.
    // (A restore the program asked is Qt's, which puts back the geometry it kept.)
    bool askedRestore = askedStateBefore == SizeType::Restored;
    if (state == SizeType::Restored && isMaximized() && !askedRestore && m_normalFrame && s.frame != *m_normalFrame) {
        m_askedFrame = AskedFrame { *m_normalFrame, AnswersPerFrame };
        configured = true;
    }
    if (state == SizeType::Maximized && !isMaximized())
        m_normalFrame = m_frame;
    if (m_askedFrame && state == SizeType::Restored && (s.framed || !s.managed)) {
        const KXRect& asked = m_askedFrame->frame;
        if (asked == s.frame || (style() & ClientCoords)) {
            m_askedFrame.reset();
        } else if (!configured && (state == SizeType::Maximized) == isMaximized() && !isMinimized()) {
            return; // the window manager has not answered yet
        } else if (--m_askedFrame->answersLeft <= 0) {
            m_askedFrame.reset(); // it decided otherwise
        } else {
            // Placed before the frame extents were known (or by a gravity the toolkit chose
            // then): moved by what is missing, and the answer to that awaited.
            int dw = asked.width - s.frame.width, dh = asked.height - s.frame.height;
            QRect client(s.client.x + asked.x - s.frame.x, s.client.y + asked.y - s.frame.y, s.client.width + dw,
                s.client.height + dh);
            if (!isUserSizable())
                m_native->setFixedSize(client.size());
            m_native->setGeometry(client);
            // A new state is reported at once; the frame once the window manager answers.
            if ((state == SizeType::Maximized) == isMaximized() && !isMinimized())
                return;
        }
    }
    KXRect frame = s.frame;
    bool moved = frame.x != m_frame.x || frame.y != m_frame.y;
    bool sized = frame.width != m_frame.width || frame.height != m_frame.height;
    bool stateChanged = (state == SizeType::Maximized) != isMaximized() || isMinimized();
    m_frame = frame;
    int cw, ch;
    clientSize(QSize(s.client.width, s.client.height), cw, ch);
    if (moved)
        onMoved(frame.x, frame.y);
    if ((sized || stateChanged) && KXObject::isLive(this))
        onSized(state, frame, cw, ch);
}

void QtWindow::reportActivation(bool active)
{
    if (!active)
        return;
    m_askedActive = false;
    if (!s_appActive) {
        s_appActive = true;
        onAppActivation(true);
    }
    if (KXObject::isLive(this))
        onActivated();
}

void QtWindow::reportApplicationState(bool active)
{
    if (active || !s_appActive)
        return;
    s_appActive = false;
    if (KXWindow* w = KXWindow::active())
        w->onAppActivation(false);
    else
        kxPostEvent(KXEvent::make(KXEventId::AppSuspend));
}

bool QtWindow::reportKey(int rawKey, bool down, bool autoRepeat, const QString& text)
{
    // X11 repeats a held key as release-press pairs; the release half is no real release.
    if (autoRepeat && !down)
        return false;
    int typed = text.size() == 1 && text[0].unicode() < 256 ? text[0].unicode() : 0;
    return onRawKey(rawKey, down, typed);
}

void QtWindow::reportFocus(QWidget* widget)
{
    // The control whose widget holds the focus (or a part of it), else the window itself.
    KXGadget* gadget = nullptr;
    for (QWidget* w = widget; w && w != m_native; w = w->parentWidget()) {
        QVariant v = w->property(QtGadgetProperty);
        if (v.isValid()) {
            auto* g = static_cast<KXGadget*>(v.value<void*>());
            if (KXObject::isLive(g))
                gadget = g;
            break;
        }
    }
    onFocusChanged(gadget);
}

void QtWindow::setText(KXString* text)
{
    KXWindow::setText(text);
    m_native->setWindowTitle(QtText::toQt(textView()));
}

void QtWindow::setVisible(bool visible)
{
    KXWindow::setVisible(visible);
    if (visible) {
        bool first = !m_shown;
        m_shown = true;
        if (!m_native->isVisible())
            m_askedMapped = true;
        m_native->show();
        reportServerChange();
        // Showing a window for the first time gives it activation, owned windows included.
        if (first)
            nativeActivate();
    } else {
        const bool wasShown = m_native->isVisible();
        auto* services = dynamic_cast<QtDesktopServices*>(KXDesktopServices::current());
        // A window hidden while the window manager is still taking it on may be left unmapped by
        // the next show: the mapping is seen through first.
        if (wasShown && m_askedMapped && services && m_native->internalWinId()) {
            services->awaitOnScreen(int(m_native->internalWinId()), hideWaitMs);
        }
        m_askedMapped = false;
        m_askedActive = false;
        m_native->hide();
        // A screen read may come next (a capture that steps the program's window aside): the
        // window manager's frame must be gone from the screen by then, not merely the client.
        if (wasShown && services && m_native->internalWinId())
            services->awaitOffScreen(int(m_native->internalWinId()), hideWaitMs);
    }
}

void QtWindow::setEnabled(bool enabled)
{
    KXWindow::setEnabled(enabled);
    m_native->setEnabled(enabled);
}

void QtWindow::setFont(KXFont* font)
{
    KXWindow::setFont(font);
    if (auto* f = dynamic_cast<QtFont*>(font))
        m_native->setFont(f->qfont());
}

void QtWindow::activate()
{
    // The window itself takes the keyboard focus, active or not: Qt keeps the client widget as
    // the window's focus widget and gives it the focus when the window is activated.
    m_client->setFocus(Qt::OtherFocusReason);
    onFocusChanged(nullptr);
}

bool QtWindow::nativeActivate()
{
    if (!m_native->isActiveWindow())
        m_askedActive = true;
    m_native->raise();
    m_native->activateWindow();
    return true;
}

void QtWindow::fillMenu(QMenu* menu, QMenuBar* bar, const std::vector<KXNativeMenuItem>& items)
{
    for (const KXNativeMenuItem& item : items) {
        if (item.isSeparator()) {
            if (menu)
                menu->addSeparator();
            else
                bar->addSeparator();
            continue;
        }
        QString text = QtText::toQt(item.text);
        if (item.isPopup()) {
            QMenu* sub = menu ? menu->addMenu(text) : bar->addMenu(text);
            sub->setEnabled(!(item.flags & KXNativeMenuItem::Grayed));
            fillMenu(sub, nullptr, item.children);
            continue;
        }
        QAction* action = menu ? menu->addAction(text) : bar->addAction(text);
        action->setEnabled(!(item.flags & KXNativeMenuItem::Grayed));
        if (item.flags & KXNativeMenuItem::Checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        int command = item.commandId;
        Native* native = static_cast<Native*>(m_native.data());
        QObject::connect(action, &QAction::triggered, native, [native, command] {
            if (QtWindow* w = native->owner())
                w->onCommand(command);
        });
    }
}

void QtWindow::nativeSetMenu(std::vector<KXNativeMenuItem> bar)
{
    if (!hasMenuBar())
        return;
    QMenuBar* menuBar = m_native->menuBar();
    menuBar->clear();
    fillMenu(nullptr, menuBar, bar);
}

void QtWindow::nativeSetStatusText(KXString* text)
{
    if (m_status)
        m_status->setText(QtText::toQt(text ? text->view() : std::string_view()));
}

void QtWindow::nativeMinimize()
{
    if (!isMinimized())
        m_askedState = SizeType::Minimized;
    // Qt asks only when its own record of the state changes, and that record may still hold a
    // minimising the window manager has undone since: then the request goes out directly.
    bool askedByQt = !(m_native->windowState() & Qt::WindowMinimized);
    m_native->showMinimized();
    auto* services = dynamic_cast<QtDesktopServices*>(KXDesktopServices::current());
    if (!askedByQt && !isMinimized() && services && m_native->internalWinId())
        services->windows().iconify(m_native->internalWinId());
}

void QtWindow::nativeMaximize()
{
    if (!isMaximized())
        m_askedState = SizeType::Maximized;
    bool askedByQt = !(m_native->windowState() & Qt::WindowMaximized);
    m_native->showMaximized();
    auto* services = dynamic_cast<QtDesktopServices*>(KXDesktopServices::current());
    if (!askedByQt && !isMaximized() && services && m_native->internalWinId())
        services->windows().setMaximized(m_native->internalWinId(), true);
}

void QtWindow::nativeRestore()
{
    if (isMinimized() || isMaximized())
        m_askedState = SizeType::Restored;
    bool askedByQt = (m_native->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) != 0;
    m_native->showNormal();
    auto* services = dynamic_cast<QtDesktopServices*>(KXDesktopServices::current());
    if (!askedByQt && isMaximized() && !isMinimized() && services && m_native->internalWinId())
        services->windows().setMaximized(m_native->internalWinId(), false);
}

void QtWindow::nativeSetMinSize(int width, int height)
{
    Margins m = margins();
    int top = m.top;
    m_native->setMinimumSize(std::max(0, width - m.left - m.right), std::max(0, height - top - m.bottom));
}
