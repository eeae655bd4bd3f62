// Application-wide keyboard, activation and X server facts.
#include "gui/qt/QtInputFilter.h"

#include "gui/qt/QtKeyCodes.h"
#include "gui/qt/QtWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

namespace {
// Whether a menu takes the key: an open pop-up takes every key; a menu bar the keyboard walks
// (after Esc closed its menu, say) the keys it walks with: Esc, Enter, Space, the arrows and the
// mnemonic letters and digits.
bool menuTakes(const QKeyEvent* key)
{
    if (QApplication::activePopupWidget())
        return true;
    if (!qobject_cast<QMenuBar*>(QApplication::focusWidget()))
        return false;
    switch (key->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return key->text().size() == 1 && key->text().at(0).isLetterOrNumber();
    }
}
}

bool QtInputFilter::key(QObject* watched, QEvent* event)
{
    // Qt hands each native key event to the native window it came for (a menu's own while it
    // has the keyboard), which passes it to its focus widget and that to its parents; only the
    // first delivery counts.
    auto* native = qobject_cast<QWindow*>(watched);
    if (!native)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    int raw = QtKeyCodes::rawFromX(key->nativeScanCode());
    if (!raw)
        return false;
    bool down = event->type() == QEvent::KeyPress;
    if (down && !key->isAutoRepeat() && menuTakes(key))
        m_menuKeys.insert(raw);
    if (m_menuKeys.count(raw)) {
        if (!down && !key->isAutoRepeat())
            m_menuKeys.erase(raw);
        return false;
    }
    QtWindow* window = QtWindow::ofHandle(int(native->winId()));
    return window && window->reportKey(raw, down, key->isAutoRepeat(), key->text());
}

bool QtInputFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return key(watched, event);
    case QEvent::FocusIn:
        if (auto* widget = qobject_cast<QWidget*>(watched))
            if (QtWindow* window = QtWindow::ofWidget(widget))
                window->reportFocus(widget);
        return false;
    case QEvent::ApplicationStateChange:
        if (watched == qApp)
            QtWindow::reportApplicationState(QGuiApplication::applicationState() == Qt::ApplicationActive);
        return false;
    default:
        return false;
    }
}

bool QtInputFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result)
{
    (void)result;
    if (eventType != "xcb_generic_event_t")
        return false;
    auto* e = static_cast<xcb_generic_event_t*>(message);
    xcb_window_t window = XCB_NONE;
    bool configured = false;
    switch (e->response_type & 0x7f) {
    case XCB_CONFIGURE_NOTIFY:
        window = reinterpret_cast<xcb_configure_notify_event_t*>(e)->window;
        configured = true;
        break;
    case XCB_PROPERTY_NOTIFY:
        window = reinterpret_cast<xcb_property_notify_event_t*>(e)->window;
        break;
    case XCB_MAP_NOTIFY:
        window = reinterpret_cast<xcb_map_notify_event_t*>(e)->window;
        break;
    case XCB_UNMAP_NOTIFY:
        window = reinterpret_cast<xcb_unmap_notify_event_t*>(e)->window;
        break;
    case XCB_REPARENT_NOTIFY:
        window = reinterpret_cast<xcb_reparent_notify_event_t*>(e)->window;
        break;
    default:
        return false;
    }
    if (QtWindow* w = QtWindow::ofHandle(int(window)))
        w->reportServerChange(configured);
    else if (QtWindow* framed = configured ? QtWindow::ofFrame(window) : nullptr)
        framed->reportServerChange(true);
    return false;
}
