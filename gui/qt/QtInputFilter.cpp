// Application-wide keyboard and activation facts.
#include "gui/qt/QtInputFilter.h"

#include "gui/qt/QtKeyCodes.h"
#include "gui/qt/QtWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

bool QtInputFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* widget = qobject_cast<QWidget*>(watched);
        // Qt offers a key to the focus widget (the active window without one), then to its
        // parents; the program's window takes it once, at the first of them.
        QWidget* focus = QApplication::focusWidget();
        if (!widget || (focus ? widget != focus : !widget->isWindow()))
            return false;
        QtWindow* window = QtWindow::ofWidget(widget);
        if (!window)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        int raw = QtKeyCodes::rawFromX(key->nativeScanCode());
        if (!raw)
            return false;
        // An event no one accepted travels on to the receiver's parents. When the program's
        // handler moved the focus meanwhile (it hid the window, say), a parent would pass the
        // test above: the event is known again by its kind, time and key, and reported once.
        struct Seen {
            QEvent::Type type;
            quint64 time;
            quint32 code;
        };
        static Seen s_reported {};
        Seen seen { event->type(), key->timestamp(), key->nativeScanCode() };
        if (seen.type == s_reported.type && seen.time == s_reported.time && seen.code == s_reported.code)
            return true;
        s_reported = seen;
        return window->reportKey(raw, event->type() == QEvent::KeyPress, key->isAutoRepeat(), key->text());
    }
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
