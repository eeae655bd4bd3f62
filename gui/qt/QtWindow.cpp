// Qt windows: frame geometry, menu bar, status bar, and the window manager's reports.
#include "gui/qt/QtWindow.h"

#include "gui/KXEventFilter.h"
#include "gui/qt/QtDesktopServices.h"
#include "gui/qt/QtFont.h"
#include "gui/qt/QtGadget.h"
#include "gui/qt/QtText.h"

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
            m_owner->reportGeometry();
    }
    void resizeEvent(QResizeEvent* e) override
    {
        QMainWindow::resizeEvent(e);
        if (m_owner)
            m_owner->reportGeometry();
    }
    void changeEvent(QEvent* e) override
    {
        QMainWindow::changeEvent(e);
        if (!m_owner)
            return;
        if (e->type() == QEvent::WindowStateChange)
            m_owner->reportStateChange();
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

QtWindow::~QtWindow()
{
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
    if (m_native->isVisible() && m_native->windowHandle()) {
        QRect f = m_native->frameGeometry(), g = m_native->geometry();
        if (f != g || decorationKind() == 0)
            return { g.x() - f.x(), g.y() - f.y(), f.right() - g.right(), f.bottom() - g.bottom() };
    }
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

void QtWindow::nativeSetFrame(const KXRect& frame, int& clientWidth, int& clientHeight)
{
    Margins m = margins();
    QSize inner(std::max(1, frame.width - m.left - m.right), std::max(1, frame.height - m.top - m.bottom));
    bool moved = frame.x != m_frame.x || frame.y != m_frame.y;
    bool sized = frame.width != m_frame.width || frame.height != m_frame.height;
    m_frame = frame;
    m_settingFrame = true;
    if (isUserSizable()) {
        m_native->resize(inner);
    } else {
        m_native->setFixedSize(inner);
    }
    m_native->move(frame.x, frame.y);
    m_settingFrame = false;
    clientSize(inner, clientWidth, clientHeight);
    // A shown window reports the change as the window procedure would; the window manager's
    // echo of it then reports nothing new.
    if (m_shown && moved)
        onMoved(frame.x, frame.y);
    if (m_shown && sized)
        onSized(nativeState(), frame, clientWidth, clientHeight);
}

KXWindow::SizeType QtWindow::nativeState() const
{
    Qt::WindowStates s = m_native->windowState();
    if (s & Qt::WindowMinimized)
        return SizeType::Minimized;
    if (s & Qt::WindowMaximized)
        return SizeType::Maximized;
    return SizeType::Restored;
}

void QtWindow::reportGeometry()
{
    if (m_settingFrame || !m_shown || !m_native->isVisible() || nativeState() == SizeType::Minimized)
        return;
    QRect f = m_native->frameGeometry(), g = m_native->geometry();
    if (f != g)
        s_margins[decorationKind()] = { g.x() - f.x(), g.y() - f.y(), f.right() - g.right(), f.bottom() - g.bottom() };
    KXRect frame { f.x(), f.y(), f.width(), f.height() };
    bool moved = frame.x != m_frame.x || frame.y != m_frame.y;
    bool sized = frame.width != m_frame.width || frame.height != m_frame.height;
    m_frame = frame;
    if (moved)
        onMoved(frame.x, frame.y);
    if (sized && KXObject::isLive(this)) {
        int cw, ch;
        clientSize(g.size(), cw, ch);
        onSized(nativeState(), frame, cw, ch);
    }
}

void QtWindow::reportStateChange()
{
    if (!m_shown)
        return;
    SizeType state = nativeState();
    if (state == SizeType::Minimized) {
        if (!isMinimized())
            onSized(state, m_frame, clientWidth(), clientHeight());
        return;
    }
    if ((state == SizeType::Maximized) == isMaximized() && !isMinimized())
        return;
    QRect f = m_native->frameGeometry();
    m_frame = { f.x(), f.y(), f.width(), f.height() };
    int cw, ch;
    clientSize(m_native->geometry().size(), cw, ch);
    onSized(state, m_frame, cw, ch);
}

void QtWindow::reportActivation(bool active)
{
    if (!active)
        return;
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
        m_native->show();
        // Showing a window for the first time gives it activation, owned windows included.
        if (first)
            nativeActivate();
    } else {
        const bool wasShown = m_native->isVisible();
        m_native->hide();
        // A screen read may come next (a capture that steps the program's window aside): the
        // window manager's frame must be gone from the screen by then, not merely the client.
        if (wasShown && m_native->internalWinId())
            if (auto* services = dynamic_cast<QtDesktopServices*>(KXDesktopServices::current()))
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

void QtWindow::activate() { m_client->setFocus(Qt::OtherFocusReason); }

bool QtWindow::nativeActivate()
{
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

void QtWindow::nativeMinimize() { m_native->showMinimized(); }

void QtWindow::nativeMaximize() { m_native->showMaximized(); }

void QtWindow::nativeRestore() { m_native->showNormal(); }

void QtWindow::nativeSetMinSize(int width, int height)
{
    Margins m = margins();
    int top = m.top;
    m_native->setMinimumSize(std::max(0, width - m.left - m.right), std::max(0, height - top - m.bottom));
}
