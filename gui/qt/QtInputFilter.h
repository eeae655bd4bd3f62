// QtInputFilter: watches every event Qt delivers in the application, and every X event it takes,
// and passes the raw facts of the keyboard, the keyboard focus, the application's activation and
// the X server's changes to the program's windows.
//
// A key is taken once per native key event, where Qt hands it to the program window's native
// window (before any widget sees it): whichever control has the focus, and whether or not Qt has
// caught up with a focus change yet. A key the window's policy took (dialog keys, hot keys) never
// reaches the control. A key whose press went to an open menu belongs to the menu, its release
// included: every key while a pop-up is open, the keys a menu bar walks with while it has the
// keyboard (Esc, Enter, Space, arrows, mnemonics).
//
// Invariant: m_menuKeys holds the raw keys pressed while a menu had the keyboard and not yet
// released.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <set>

class QtInputFilter final : public QObject
    , public QAbstractNativeEventFilter {
public:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // ConfigureNotify, PropertyNotify, MapNotify and UnmapNotify of a program window's client
    // window go to the window as news to read back; nothing is taken from Qt.
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    bool key(QObject* watched, QEvent* event);
    std::set<int> m_menuKeys;
};
