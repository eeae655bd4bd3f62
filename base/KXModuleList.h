// A platform's list of modules and what each starts before itself, in that order, with the
// start of those needs and the list's names. Each backend keeps its list in one file.
#pragma once

#include "base/KXModuleDependencies.h"

#include <cstddef>
#include <cstring>
#include <vector>

struct KXModuleNeed {
    bool isSubsystem;
    const char* name; // null: end of the needs
};

struct KXModuleListEntry {
    const char* module;
    KXModuleNeed needs[4];
};

constexpr KXModuleNeed kxNeedModule(const char* name) { return { false, name }; }
constexpr KXModuleNeed kxNeedSubsystem(const char* name) { return { true, name }; }

// Starts what the list says module name needs; false when one of them cannot start. A module
// the list does not hold needs nothing.
template<std::size_t N>
bool kxStartModuleNeeds(const KXModuleListEntry (&list)[N], const char* name)
{
    for (const KXModuleListEntry& e : list) {
        if (std::strcmp(e.module, name) != 0)
            continue;
        for (const KXModuleNeed& n : e.needs) {
            if (!n.name)
                break;
            if (!(n.isSubsystem ? kxStartSubsystem(n.name) : kxStartModule(n.name)))
                return false;
        }
        break;
    }
    return true;
}

template<std::size_t N>
std::vector<const char*> kxModuleListNames(const KXModuleListEntry (&list)[N])
{
    std::vector<const char*> out;
    for (const KXModuleListEntry& e : list)
        out.push_back(e.module);
    return out;
}
