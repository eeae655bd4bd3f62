// The headless platform's modules and what each starts before itself, in that order. The
// neutral drivers start their own neutral needs (the event driver and the catch filter start
// the queue filter); the list holds the platform's.
#include "gui/headless/HeadlessModules.h"

#include "base/KXModuleList.h"
#include "base/KXModuleNames.h"

namespace {
using namespace KXModuleNames;

constexpr KXModuleNeed module(const char* name) { return kxNeedModule(name); }
constexpr KXModuleNeed subsystem(const char* name) { return kxNeedSubsystem(name); }

constexpr KXModuleListEntry s_modules[] = {
    { HeadlessEventDriver, { module(HeadlessCatchFilter) } },
    { HeadlessCatchFilter, {} },
    { HeadlessFontDriver, {} },
    { HeadlessTimerDriver, { module(HeadlessEventDriver) } },
    { HeadlessGuiDriver, { subsystem(KXSubsystems::Screen), module(HeadlessEventDriver), module(HeadlessFontDriver), module(HeadlessTimerDriver) } },
    { HeadlessControlDriver, { module(HeadlessGuiDriver) } },
    { HeadlessRequesterDriver, { module(HeadlessGuiDriver) } },
    { HeadlessCanvasDriver, { subsystem(KXSubsystems::Gui), subsystem(KXSubsystems::Graphics) } },
    { HeadlessDD, {} },
    { HeadlessScreenDriver, { module(HeadlessDD) } },
    { HeadlessGrDriver2D, { module(HeadlessDD), module(HeadlessFontDriver) } },
};
}

bool HeadlessModules::startDependencies(const char* name) { return kxStartModuleNeeds(s_modules, name); }

std::vector<const char*> HeadlessModules::names() { return kxModuleListNames(s_modules); }
