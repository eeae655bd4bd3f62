// The Qt platform's modules and what each starts before itself, in that order. The
// neutral drivers start their own neutral needs (the event driver and the catch filter start
// the queue filter); the list holds the platform's.
#include "gui/qt/QtModules.h"

#include "base/KXModuleDependencies.h"
#include "base/KXModuleNames.h"

#include <cstring>

namespace {
using namespace KXModuleNames;

struct Need {
    bool isSubsystem;
    const char* name; // null: end of the list
};
constexpr Need module(const char* name) { return { false, name }; }
constexpr Need subsystem(const char* name) { return { true, name }; }

struct Entry {
    const char* module;
    Need needs[4];
};

constexpr Entry s_modules[] = {
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

bool QtModules::startDependencies(const char* name)
{
    for (const Entry& e : s_modules) {
        if (std::strcmp(e.module, name) != 0)
            continue;
        for (const Need& n : e.needs) {
            if (!n.name)
                break;
            if (!(n.isSubsystem ? kxStartSubsystem(n.name) : kxStartModule(n.name)))
                return false;
        }
        break;
    }
    return true;
}

std::vector<const char*> QtModules::names()
{
    std::vector<const char*> out;
    for (const Entry& e : s_modules)
        out.push_back(e.module);
    return out;
}
