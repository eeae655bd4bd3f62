// The Qt message loop driver.
#include "gui/qt/QtEventDriver.h"

#include "gui/qt/QtEventLoop.h"
#include "gui/qt/QtModules.h"
#include "base/KXModuleNames.h"

namespace {
QtEventDriver s_eventDriver;
}

QtEventDriver::QtEventDriver()
    : KXEventDriver(KXModuleNames::QtEventDriver, KXPlatform::Qt)
{
}

QtEventDriver* QtEventDriver::instance() { return current() == &s_eventDriver ? &s_eventDriver : nullptr; }

bool QtEventDriver::startup()
{
    QtEventLoop::instance();
    return KXEventDriver::startup();
}

bool QtEventDriver::startDependencies() { return KXEventDriver::startDependencies() && QtModules::startDependencies(name()); }

void QtEventDriver::pumpMessages(int timeoutMs) { QtEventLoop::instance().pump(timeoutMs); }

void QtEventDriver::dropNativeMessages(int source) { QtEventLoop::instance().dropThreadMessages(source); }
