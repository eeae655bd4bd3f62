// Shared set-up of the X11 tests: the Qt platform started once for the executable, with the
// desktop services its GUI driver installs; a connection of the test's own to the display; other
// X programs run while Qt's events flow (so this process can answer clipboard requests
// meanwhile); and foreign windows to look at.
#pragma once

#include "gui/qt/QtDesktopServices.h"
#include "tests/x11/X11ChildProcess.h"

#include <QByteArray>
#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace x11test {

// The services under test; null when the Qt platform did not start on an X11 display.
QtDesktopServices* services();
// The test's own connection to the display.
Display* display();
// Runs program with args to its end (at most timeoutMs), pumping Qt's events meanwhile; answers
// its exit code (-1 when it could not start or timed out) and its standard output in out.
int run(const QString& program, const QStringList& args, QByteArray* out = nullptr, const QByteArray& input = {},
    int timeoutMs = 20000);
// Pumps Qt's events until ready() holds or timeoutMs passed; answers ready().
bool waitFor(const std::function<bool()>& ready, int timeoutMs = 10000);
// Whether a window manager runs on the display.
bool hasWindowManager();

// A window of another process (xmessage) with a given title, at a given place; closed with the
// object.
class ForeignWindow {
public:
    ForeignWindow(const QString& title, int x, int y);
    ~ForeignWindow();
    // Its client window, 0 when it did not appear.
    int id() const { return m_id; }
    // Makes it the active window (through the window manager) and waits until it is.
    bool activate();

private:
    X11ChildProcess m_process;
    int m_id { 0 };
};

}

// The suite runs on an X display only, where the services must exist.
#define REQUIRE_SERVICES() ASSERT_NE(x11test::services(), nullptr) << "no desktop services on the X display"
