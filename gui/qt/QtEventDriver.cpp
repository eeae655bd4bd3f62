// The Qt message loop driver.
#include "gui/qt/QtEventDriver.h"

#include "gui/KXTimer.h"
#include "gui/qt/QtEventLoop.h"
#include "runtime/KXModuleDependencies.h"

namespace {
QtEventDriver s_eventDriver;
}

QtEventDriver::QtEventDriver()
    : KXEventDriver("QtEventDriver", KXPlatform::Qt)
{
}

QtEventDriver* QtEventDriver::instance() { return current() == &s_eventDriver ? &s_eventDriver : nullptr; }

bool QtEventDriver::startup()
{
    QtEventLoop::instance();
    return KXEventDriver::startup() && kxStartModule("QtCatchFilter");
}

void QtEventDriver::deliverThreadMessage(int code, int param1, int param2)
{
    threadMessage(KXThreadMessage(code), param1, param2);
}

void QtEventDriver::pumpMessages(int timeoutMs) { QtEventLoop::instance().pump(timeoutMs); }

void QtEventDriver::dropNativeMessages(int source) { QtEventLoop::instance().dropThreadMessages(source); }
