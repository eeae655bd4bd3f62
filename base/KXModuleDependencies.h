// Start-up dependencies that drivers express inside their startup operations.
#pragma once

#include "base/KXModuleRegistry.h"

// Starts a subsystem of the global registry; false when one of its modules failed.
inline bool kxStartSubsystem(const char* subsystem)
{
    return KXModuleRegistry::global().startSubsystem(subsystem);
}

// Starts a module of the global registry by name; false when it failed.
inline bool kxStartModule(const char* name) { return KXModuleRegistry::global().startModuleByName(name); }
