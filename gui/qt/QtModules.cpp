// The Qt platform's modules and what each starts before itself, in that order. The
// neutral drivers start their own neutral needs (the event driver and the catch filter start
// the queue filter); the list holds the platform's.
#include "gui/qt/QtModules.h"

#include "base/KXModuleList.h"
#include "base/KXModuleNames.h"

namespace {
using namespace KXModuleNames;

constexpr KXModuleNeed module(const char* name) { return kxNeedModule(name); }
constexpr KXModuleNeed subsystem(const char* name) { return kxNeedSubsystem(name); }

constexpr KXModuleListEntry s_modules[] = {
    { QtEventDriver, { module(QtCatchFilter) } },
    { QtCatchFilter, {} },
    { QtFontDriver, {} },
    { QtTimerDriver, { module(QtEventDriver) } },
    { QtGuiDriver, { subsystem(KXSubsystems::Screen), module(QtEventDriver), module(QtFontDriver), module(QtTimerDriver) } },
    { QtControlDriver, { module(QtGuiDriver) } },
    { QtRequesterDriver, { module(QtGuiDriver) } },
    { QtCanvasDriver, { subsystem(KXSubsystems::Gui), subsystem(KXSubsystems::Graphics) } },
    { QtDD, {} },
    { QtScreenDriver, { module(QtDD) } },
    { QtGrDriver2D, { module(QtDD), module(QtFontDriver) } },
};
}

bool QtModules::startDependencies(const char* name) { return kxStartModuleNeeds(s_modules, name); }

std::vector<const char*> QtModules::names() { return kxModuleListNames(s_modules); }
