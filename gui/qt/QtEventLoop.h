// QtEventLoop: Qt's side of the message loop, the other half of QtEventDriver. It owns the
// application object (made on first use, after checking that the X display opens), waits for
// and dispatches Qt's events, and carries the platform's thread messages (timer ticks) from
// any thread into the loop.
//
// Invariants: the application object exists from instance() on and lives for the process;
// thread messages are the only state other threads touch (under m_mutex), and at most one wake
// event is posted for them at a time.
#pragma once

#include "gui/KXThreadMessage.h"

#include <QObject>

#include <deque>
#include <mutex>

class QApplication;

class QtEventLoop final : public QObject {
public:
    // The loop, opening the display first. Without a display it ends the process with a
    // message naming DISPLAY and TROVA_PLATFORM=headless; it never falls back to headless.
    static QtEventLoop& instance();
    // True when the X server named by DISPLAY accepts a connection (no Qt involved).
    static bool displayAvailable();
    // Prints the no-display message and ends the process with exit code 1.
    [[noreturn]] static void failWithoutDisplay();

    // Names the application after the program's title: the class part of the windows' WM_CLASS
    // ("Pictorra", the title with a capital initial) and the desktop entry ("pictorra", lower
    // case), so that taskbars and menus match them. Qt reads the class once, when the first
    // window is made; call before that.
    void nameApplication();

    // Waits up to timeoutMs for Qt events or thread messages (-1: without limit, 0: not at
    // all), then dispatches everything waiting. Call on the loop's stack.
    void pump(int timeoutMs);
    // Any thread: queues thread message code (see KXEventDriver::threadMessage) and wakes the loop.
    void postThreadMessage(KXThreadMessage message, int param1, int param2);
    // Drops the waiting thread messages whose source (param2) is source.
    void dropThreadMessages(int source);

protected:
    void customEvent(QEvent* event) override;

private:
    QtEventLoop();
    struct ThreadMessage {
        KXThreadMessage message;
        int param1, param2;
    };
    void deliverThreadMessages();

    std::mutex m_mutex;
    std::deque<ThreadMessage> m_messages;
    bool m_wakePosted { false };
    QApplication* m_app { nullptr };
};
