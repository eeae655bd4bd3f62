// Qt's half of the message loop: the application object, waiting, and thread messages.
#include "gui/qt/QtEventLoop.h"

#include "base/KXMessageBox.h"
#include "gui/qt/QtEventDriver.h"

#include <QApplication>
#include <QFont>
#include <QEvent>
#include <QTimer>

#include <X11/Xlib.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
constexpr QEvent::Type WakeEvent = QEvent::User;

// The program's name as X window classes spell it: the application title in lower case
// ("pictorra"), "trova" while there is none.
std::string instanceName()
{
    std::string name = kxAppCaption();
    if (name.empty())
        name = "trova";
    for (char& c : name)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return name;
}
}

bool QtEventLoop::displayAvailable()
{
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return false;
    Display* d = XOpenDisplay(name);
    if (!d)
        return false;
    XCloseDisplay(d);
    return true;
}

void QtEventLoop::failWithoutDisplay()
{
    const char* name = std::getenv("DISPLAY");
    std::fprintf(stderr,
        "trova: cannot open the X display %s%s%s: set DISPLAY to a running X server, or run "
        "without a display with TROVA_PLATFORM=headless\n",
        name && *name ? "\"" : "(DISPLAY is not set)", name && *name ? name : "", name && *name ? "\"" : "");
    std::fflush(stderr);
    std::exit(1);
}

QtEventLoop& QtEventLoop::instance()
{
    static QtEventLoop* loop = [] {
        if (!displayAvailable())
            failWithoutDisplay();
        // Qt runs on X11 (under Wayland through its X server).
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        return new QtEventLoop; // lives for the process, like the application object
    }();
    return *loop;
}

QtEventLoop::QtEventLoop()
{
    static int argc = 1;
    // Qt takes the instance part of the windows' WM_CLASS from the program's name.
    static std::string name = instanceName();
    static char* argv[] = { name.data(), nullptr };
    m_app = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    nameApplication();
    // Programs lay their gadgets out in pixels for a narrow dialog font 11 pixels high; the
    // desktop's larger default font would cut their captions off.
    QFont font = QApplication::font();
    font.setPixelSize(11);
    font.setStretch(QFont::Condensed);
    QApplication::setFont(font);
}

void QtEventLoop::nameApplication()
{
    std::string title = instanceName();
    title[0] = char(std::toupper(static_cast<unsigned char>(title[0])));
    QCoreApplication::setApplicationName(QString::fromLocal8Bit(title.c_str()));
    QGuiApplication::setDesktopFileName(QString::fromLocal8Bit(instanceName().c_str()));
}

void QtEventLoop::pump(int timeoutMs)
{
    deliverThreadMessages();
    if (timeoutMs != 0) {
        // Waits for the first event, with a wake-up timer when the wait has a limit.
        QTimer wake;
        wake.setSingleShot(true);
        wake.setTimerType(Qt::PreciseTimer);
        if (timeoutMs > 0)
            wake.start(timeoutMs);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    deliverThreadMessages();
}

void QtEventLoop::postThreadMessage(KXThreadMessage message, int param1, int param2)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_messages.push_back({ message, param1, param2 });
    if (!m_wakePosted) {
        m_wakePosted = true;
        QCoreApplication::postEvent(this, new QEvent(WakeEvent));
    }
}

void QtEventLoop::dropThreadMessages(int source)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::erase_if(m_messages, [source](const ThreadMessage& m) { return m.param2 == source; });
}

void QtEventLoop::customEvent(QEvent* event)
{
    if (event->type() == WakeEvent)
        deliverThreadMessages();
}

void QtEventLoop::deliverThreadMessages()
{
    for (;;) {
        ThreadMessage m;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_wakePosted = false;
            if (m_messages.empty())
                return;
            m = m_messages.front();
            m_messages.pop_front();
        }
        if (QtEventDriver* driver = QtEventDriver::instance())
            driver->deliverThreadMessage(m.message, m.param1, m.param2);
    }
}
