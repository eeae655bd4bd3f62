// The catch filter: events raised inside the loop reach the program at once.
#include "gui/KXCatchFilter.h"

#include "gui/KXEventDriver.h"
#include "base/KXModuleDependencies.h"
#include "base/KXModuleNames.h"

KXCatchFilter::KXCatchFilter(const char* name, KXPlatform platform)
    : KXEventFilter(name, nullptr, nullptr, platform)
{
}

bool KXCatchFilter::startup()
{
    if (!kxStartModule(KXModuleNames::QueFilter))
        return false;
    install();
    s_installed = this;
    return true;
}

void KXCatchFilter::shutdown()
{
    uninstall();
    if (s_installed == this)
        s_installed = nullptr;
    m_holding = false;
}

void KXCatchFilter::filter(const KXEvent& ev)
{
    KXEventDriver* driver = KXEventDriver::current();
    if (!driver || !driver->isOnLoopStack()) {
        passOn(ev);
        return;
    }
    if (ev.is(KXEventId::AppResume)) {
        m_held = ev;
        m_holding = true;
        return;
    }
    passOn(ev);
    if (driver->isInHandler())
        driver->yieldToProgram();
}

void KXCatchFilter::releaseHeld()
{
    if (!m_holding)
        return;
    m_holding = false;
    passOn(m_held);
}
