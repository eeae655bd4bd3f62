// The headless message loop.
#include "gui/headless/HeadlessEventDriver.h"

#include "gui/headless/HeadlessModules.h"
#include "gui/headless/HeadlessScript.h"
#include "gui/headless/HeadlessSystem.h"
#include "base/KXModuleNames.h"

#include <chrono>

namespace {
HeadlessEventDriver s_eventDriver;

long long nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}

HeadlessEventDriver::HeadlessEventDriver()
    : KXEventDriver(KXModuleNames::HeadlessEventDriver, KXPlatform::Headless)
{
}

HeadlessEventDriver* HeadlessEventDriver::instance() { return &s_eventDriver; }

bool HeadlessEventDriver::startDependencies() { return KXEventDriver::startDependencies() && HeadlessModules::startDependencies(name()); }

bool HeadlessEventDriver::startup()
{
    if (!KXEventDriver::startup())
        return false;
    // The script is read once per process, also if the driver starts again.
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        HeadlessScript::instance().loadFromEnvironment();
    }
    return true;
}

void HeadlessEventDriver::pumpMessages(int timeoutMs)
{
    HeadlessSystem& sys = HeadlessSystem::instance();
    HeadlessScript& script = HeadlessScript::instance();
    const long long deadline = timeoutMs > 0 ? nowMs() + timeoutMs : -1;
    for (;;) {
        if (sys.messages().hasMessages())
            break;
        // The scripted user acts only while the program waits for input.
        if (script.runDueAction())
            continue;
        if (timeoutMs == 0)
            break;
        long long now = nowMs();
        if (timeoutMs > 0 && now >= deadline)
            break;
        long long wake = deadline;
        long long due = script.nextDueMs();
        if (due >= 0 && (wake < 0 || due < wake))
            wake = due;
        sys.messages().waitForMessage(wake);
    }
    dispatchMessages();
}

void HeadlessEventDriver::dispatchMessages()
{
    HeadlessSystem& sys = HeadlessSystem::instance();
    HeadlessMessage m;
    while (sys.messages().takeMessage(m)) {
        if (m.thread != KXThreadMessage::None)
            threadMessage(m.thread, m.param1, m.param2);
        else if (m.deliver)
            m.deliver();
    }
}

void HeadlessEventDriver::dropNativeMessages(int source) { HeadlessSystem::messages().dropMessagesFor(source); }
