// Clipboard pictures over QClipboard.
#include "gui/qt/QtClipboard.h"

#include "gui/qt/QtPictureMimeData.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QThread>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <unistd.h>

extern char** environ;

QtClipboard::QtClipboard(Display* display)
    : m_display(display)
    , m_clipboardAtom(XInternAtom(display, "CLIPBOARD", False))
    , m_timeAtom(XInternAtom(display, "_TROVA_TIME", False))
{
}

void QtClipboard::refreshTime()
{
    // Qt watches the root window's properties and takes the time of every change it sees.
    XChangeProperty(m_display, DefaultRootWindow(m_display), m_timeAtom, XA_INTEGER, 32, PropModeAppend, nullptr, 0);
    XSync(m_display, False);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool QtClipboard::ownerIsUs(bool wantNone) const
{
    ::Window owner = XGetSelectionOwner(m_display, m_clipboardAtom);
    if (wantNone)
        return owner == None;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const xcb_setup_t* setup = x11 ? xcb_get_setup(x11->connection()) : nullptr;
    return setup && owner != None && (owner & ~setup->resource_id_mask) == setup->resource_id_base;
}

bool QtClipboard::take(const QImage* picture)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        refreshTime();
        // The clipboard owns the data from here, whether or not the selection changed hands.
        clipboard->setMimeData(picture ? new QtPictureMimeData(*picture) : nullptr, QClipboard::Clipboard);
        if (ownerIsUs(!picture))
            return true;
        if (clock.elapsed() > 2000)
            return false;
        QThread::msleep(5);
    }
}

bool QtClipboard::put(const KXClipPicture& picture)
{
    if (picture.width <= 0 || picture.height <= 0
        || picture.argb.size() != size_t(picture.width) * size_t(picture.height))
        return false;
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    if (image.isNull())
        return false;
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), picture.argb.data() + size_t(y) * size_t(picture.width), size_t(picture.width) * 4);
    return take(&image);
}

bool QtClipboard::read(KXClipPicture& out)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasImage())
        return false;
    QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull())
        return false;
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return false;
    KXClipPicture picture;
    picture.width = image.width();
    picture.height = image.height();
    picture.argb.resize(size_t(picture.width) * size_t(picture.height));
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(picture.argb.data() + size_t(y) * size_t(picture.width), image.constScanLine(y), size_t(picture.width) * 4);
    out = std::move(picture);
    return true;
}

bool QtClipboard::hasPicture()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    return data && data->hasImage();
}

void QtClipboard::empty() { take(nullptr); }

bool QtClipboard::handToManager()
{
    ::Window manager = XGetSelectionOwner(m_display, XInternAtom(m_display, "CLIPBOARD_MANAGER", False));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (manager == None || !data)
        return false;
    // A manager copies each form in one transfer; larger pictures go to the keeper, which
    // serves them in pieces.
    long words = XExtendedMaxRequestSize(m_display) ? XExtendedMaxRequestSize(m_display) : XMaxRequestSize(m_display);
    if (data->data(QStringLiteral("image/png")).size() > words * 4 - 1024)
        return false;
    // The answer comes to a window of a connection of our own, which Qt does not read.
    Display* own = XOpenDisplay(DisplayString(m_display));
    if (!own)
        return false;
    ::Window window = XCreateSimpleWindow(own, DefaultRootWindow(own), 0, 0, 1, 1, 0, 0, 0);
    XConvertSelection(own, XInternAtom(own, "CLIPBOARD_MANAGER", False), XInternAtom(own, "SAVE_TARGETS", False),
        XInternAtom(own, "_TROVA_SAVED", False), window, CurrentTime);
    XFlush(own);
    bool saved = false, answered = false;
    QElapsedTimer clock;
    clock.start();
    while (!answered && clock.elapsed() < 5000) {
        // The manager copies the forms from us meanwhile.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        while (!answered && XPending(own)) {
            XEvent event;
            XNextEvent(own, &event);
            if (event.type == SelectionNotify && event.xselection.requestor == window) {
                answered = true;
                saved = event.xselection.property != None;
            }
        }
        if (!answered) {
            pollfd p { ConnectionNumber(own), POLLIN, 0 };
            poll(&p, 1, 5);
        }
    }
    XCloseDisplay(own);
    return saved;
}

bool QtClipboard::keep()
{
    refreshTime();
    if (!ownerIsUs(false))
        return true;
    if (handToManager())
        return true;
    char self[4096];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return false;
    std::string keeper(self, size_t(length));
    keeper = keeper.substr(0, keeper.rfind('/') + 1) + "trova-clipkeeper";

    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0)
        return false;
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&files, ready[1], 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own session: the keeper outlives this process and its terminal.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    char* argv[] = { keeper.data(), nullptr };
    pid_t pid = 0;
    bool spawned = posix_spawn(&pid, keeper.c_str(), &files, &attributes, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    close(ready[1]);

    // The keeper copies the picture from us, so Qt must go on answering until it is ready.
    std::string answer;
    QElapsedTimer clock;
    clock.start();
    while (spawned && answer.find('\n') == std::string::npos && clock.elapsed() < 15000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        pollfd p { ready[0], POLLIN, 0 };
        if (poll(&p, 1, 5) <= 0)
            continue;
        char buffer[64];
        ssize_t n = ::read(ready[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        answer.append(buffer, size_t(n));
    }
    close(ready[0]);
    return answer == "ready\n";
}
