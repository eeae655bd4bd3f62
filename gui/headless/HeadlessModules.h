// HeadlessModules: the headless platform's modules and, for each, what it starts before itself,
// listed in one place (HeadlessModules.cpp). Each driver's startDependencies asks the list.
#pragma once

#include <vector>

class HeadlessModules {
public:
    // Starts, in the listed order, the subsystems and modules the named module needs; false as
    // soon as one fails. A name the list does not hold needs nothing.
    static bool startDependencies(const char* module);
    // The names of the platform's modules, in the list's order.
    static std::vector<const char*> names();
};
