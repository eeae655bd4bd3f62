// HeadlessTimerDriver: makes headless timers; the 1 ms resolution it asks for is only logged.
#include "gui/KXTimerDriver.h"

#include "gui/headless/HeadlessModules.h"
#include "gui/headless/HeadlessSystem.h"
#include "gui/headless/HeadlessTimer.h"
#include "base/KXModuleNames.h"

namespace {
class HeadlessTimerDriver final : public KXTimerDriver {
public:
    HeadlessTimerDriver()
        : KXTimerDriver(KXModuleNames::HeadlessTimerDriver, KXPlatform::Headless)
    {
    }
    void shutdown() override
    {
        KXTimerDriver::shutdown();
        HeadlessSystem::log().record("timeEndPeriod 1");
    }

protected:
    bool startDependencies() override
    {
        HeadlessSystem::log().record("timeBeginPeriod 1");
        return HeadlessModules::startDependencies(name());
    }
    KXTimer* makeTimer(int periodMs) override { return new HeadlessTimer(periodMs); }
} s_timerDriver;
}
