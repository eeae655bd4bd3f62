// Times the round trip from the program's stack into the message loop and back (an empty
// PeekEvent), and posting plus taking an event, against a plain virtual call as baseline.
#include "gui/KXEventDriver.h"
#include "gui/KXEventFilter.h"
#include "gui/KXQueFilter.h"
#include "base/KXModuleRegistry.h"
#include "runtime/KXProgram.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

// Runs before static constructors, so the modules register for the headless platform.
__attribute__((constructor(101))) static void chooseHeadless() { setenv("TROVA_PLATFORM", "headless", 1); }

namespace {
struct Base {
    virtual ~Base() = default;
    virtual int f(int x) { return x + 1; }
};
}

int main()
{
    KXModuleRegistry& modules = KXModuleRegistry::global();
    kxSelectPlatformConfigs(modules);
    modules.startModuleByName("HeadlessGuiDriver");
    KXEventDriver& driver = *KXEventDriver::current();

    using Clock = std::chrono::steady_clock;
    constexpr int Rounds = 200000;
    auto t0 = Clock::now();
    for (int i = 0; i < Rounds; ++i)
        driver.peekEvent();
    double peekNs = std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / Rounds;

    auto t1 = Clock::now();
    for (int i = 0; i < Rounds; ++i) {
        kxPostEvent(KXEvent::make(KXEventId::GadgetAction, i));
        driver.waitEvent(0);
    }
    double postNs = std::chrono::duration<double, std::nano>(Clock::now() - t1).count() / Rounds;

    Base* b = new Base;
    volatile int sink = 0;
    auto t2 = Clock::now();
    for (int i = 0; i < Rounds; ++i)
        sink = b->f(sink);
    double callNs = std::chrono::duration<double, std::nano>(Clock::now() - t2).count() / Rounds;
    delete b;

    std::printf("PeekEvent (loop round trip): %.1f ns\n", peekNs);
    std::printf("post + WaitEvent(0):          %.1f ns\n", postNs);
    std::printf("baseline virtual call:        %.1f ns\n", callNs);
    return 0;
}
