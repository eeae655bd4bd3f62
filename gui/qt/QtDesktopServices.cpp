// The desktop services on X11.
#include "gui/qt/QtDesktopServices.h"

#include "gui/KXVirtualKeys.h"
#include "gui/qt/QtKeyCodes.h"
#include "gui/qt/QtWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>

namespace {
constexpr int styleIndex = -16;
constexpr int exStyleIndex = -20;
constexpr int wsMaximizeBox = KXWindow::MaximizeBoxBit;
constexpr int wsMinimizeBox = KXWindow::MinimizeBoxBit;
constexpr int wsThickFrame = KXWindow::SizingFrameBit;
constexpr int wsSysMenu = KXWindow::SystemMenuBit;
constexpr int wsCaption = 0x00C00000;
constexpr int wsPopup = int(0x80000000u);
constexpr int wsStateBits = 0x10000000 | 0x20000000 | 0x01000000; // visible, minimised, maximised
constexpr int wsExToolWindow = 0x00000080;

// The style word of a top-level widget without a neutral window: its state as the server
// reports it (xStyle), its title bar's parts as Qt decorates it.
int widgetStyle(const QWidget* widget, int xStyle)
{
    Qt::WindowFlags flags = widget->windowFlags();
    if (flags & Qt::FramelessWindowHint)
        return wsPopup | (xStyle & wsStateBits);
    int style = wsCaption | (xStyle & wsStateBits);
    // Without customising hints the window manager gives every button.
    bool all = !(flags & Qt::CustomizeWindowHint);
    if (all || (flags & Qt::WindowSystemMenuHint))
        style |= wsSysMenu;
    if (all || (flags & Qt::WindowMinimizeButtonHint))
        style |= wsMinimizeBox;
    if (all || (flags & Qt::WindowMaximizeButtonHint))
        style |= wsMaximizeBox;
    if (widget->minimumSize() != widget->maximumSize())
        style |= wsThickFrame;
    return style;
}

// The X key code of a raw key code, or 0.
int xKeyCode(int raw)
{
    for (unsigned code = 8; raw && code < 256; ++code)
        if (QtKeyCodes::rawFromX(code) == raw)
            return int(code);
    return 0;
}
}

std::unique_ptr<QtDesktopServices> QtDesktopServices::create()
{
    if (!qGuiApp)
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return nullptr;
    return std::unique_ptr<QtDesktopServices>(new QtDesktopServices(display));
}

QtDesktopServices::QtDesktopServices(Display* display)
    : m_display(display)
    , m_screen(display)
    , m_windows(display)
    , m_keys(X11KeyMonitor::create(DisplayString(display)))
    , m_clipboard(display)
{
    int event = 0, error = 0, major = 0, minor = 0;
    m_hasXTest = XTestQueryExtension(display, &event, &error, &major, &minor);
}

QtDesktopServices::~QtDesktopServices()
{
    if (current() == this)
        install(nullptr);
}

int QtDesktopServices::screenWidth() const { return m_screen.width(); }

int QtDesktopServices::screenHeight() const { return m_screen.height(); }

bool QtDesktopServices::readScreen(const KXRect& rect, uint8_t* dst, int pitch, int format)
{
    return m_screen.read(rect, dst, pitch, format);
}

void QtDesktopServices::awaitOffScreen(int handle, int timeoutMs) const
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (isOnScreen(handle) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void QtDesktopServices::awaitOnScreen(int handle, int timeoutMs) const
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!isOnScreen(handle) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

int QtDesktopServices::foregroundWindow() const { return m_windows.activeWindow(); }

bool QtDesktopServices::activateWindow(int handle) { return m_windows.activate(handle); }

QWidget* QtDesktopServices::programWindow(int handle)
{
    if (handle <= 0 || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    QWidget* widget = QWidget::find(WId(unsigned(handle)));
    return widget && widget->isWindow() ? widget : nullptr;
}

bool QtDesktopServices::windowInfo(int handle, KXDesktopWindowInfo& out) const
{
    KXDesktopWindowInfo info;
    if (!m_windows.info(handle, info))
        return false;
    if (QtWindow* window = QtWindow::ofHandle(handle)) {
        // The neutral window's words, with the state the server reports.
        info.isProgram = true;
        info.style = (window->styleWord() & ~wsStateBits) | (info.style & wsStateBits);
        info.exStyle = window->exStyleWord();
    } else if (QWidget* widget = programWindow(handle)) {
        info.isProgram = true;
        info.style = widgetStyle(widget, info.style);
        if (widget->windowType() == Qt::Tool)
            info.exStyle |= wsExToolWindow;
        if (auto it = m_longs.find({ handle, styleIndex }); it != m_longs.end())
            info.style = it->second;
        if (auto it = m_longs.find({ handle, exStyleIndex }); it != m_longs.end())
            info.exStyle = it->second;
    }
    out = info;
    return true;
}

int QtDesktopServices::findWindow(const std::string& title) const
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->internalWinId()
                && (widget->windowTitle().toStdString() == title || widget->windowTitle().toLatin1().toStdString() == title))
                return int(widget->internalWinId());
    }
    return m_windows.findByTitle(title);
}

int QtDesktopServices::windowLong(int handle, int index) const
{
    if (index != styleIndex && index != exStyleIndex)
        return 0;
    KXDesktopWindowInfo info;
    if (!windowInfo(handle, info))
        return 0;
    return index == styleIndex ? info.style : info.exStyle;
}

int QtDesktopServices::setWindowLong(int handle, int index, int value)
{
    if (index != styleIndex && index != exStyleIndex)
        return 0;
    int previous = windowLong(handle, index);
    if (QtWindow* window = QtWindow::ofHandle(handle)) {
        window->setWindowLong(index, value);
        return previous;
    }
    QWidget* widget = programWindow(handle);
    if (!widget)
        return previous;
    m_longs[{ handle, index }] = value;
    if (index == styleIndex)
        QtWindow::applyTitleBarStyle(widget, value);
    return previous;
}

bool QtDesktopServices::setWindowIcon(int handle, const std::string& iconFile)
{
    QWidget* widget = programWindow(handle);
    if (!widget)
        return false;
    QImageReader reader(QString::fromStdString(iconFile));
    QImage image = reader.read();
    if (image.isNull())
        return false;
    widget->setWindowIcon(QIcon(QPixmap::fromImage(image)));
    return true;
}

bool QtDesktopServices::isKeyDown(int vk) const
{
    if (!m_keys)
        return false;
    for (int raw : kxvk::rawCodes(vk))
        if (raw && m_keys->isDown(raw))
            return true;
    return false;
}

bool QtDesktopServices::takeKeyPressed(int vk)
{
    if (!m_keys)
        return false;
    bool pressed = false;
    for (int raw : kxvk::rawCodes(vk))
        if (raw && m_keys->takePressed(raw))
            pressed = true;
    return pressed;
}

void QtDesktopServices::sendKey(int vk, bool down)
{
    int keycode = xKeyCode(kxvk::rawCodes(vk)[0]);
    if (!keycode)
        return;
    if (vk == kxvk::PrintScreen && down)
        putPrintScreenPicture(isKeyDown(kxvk::Alt));
    if (!m_hasXTest)
        return;
    XTestFakeKeyEvent(m_display, unsigned(keycode), down ? True : False, CurrentTime);
    // Processed by the server before this returns, so the key state is current at once.
    XSync(m_display, False);
}

bool QtDesktopServices::putClipboardPicture(const KXClipPicture& picture) { return m_clipboard.put(picture); }

bool QtDesktopServices::clipboardPicture(KXClipPicture& out) { return m_clipboard.read(out); }

bool QtDesktopServices::hasClipboardPicture() { return m_clipboard.hasPicture(); }

void QtDesktopServices::emptyClipboard() { m_clipboard.empty(); }

bool QtDesktopServices::keepClipboard() { return m_clipboard.keep(); }

void QtDesktopServices::beep()
{
    XBell(m_display, 0);
    XFlush(m_display);
}
