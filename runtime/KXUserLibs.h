// KXUserLibs: binds the external libraries a program names in its library table and unloads
// them at the end of the program.
//
// Library table (no alignment): library entries, ended by a zero byte where the next library
// name would begin. A library entry is the library's name (zero-ended), function entries, then
// a zero byte. A function entry is the exported name (zero-ended, decorated as the library
// exports it), then the 4-byte address of the program's pointer slot for it.
//
// Invariants: m_libraries holds the libraries bind loaded, in loading order; each is unloaded
// exactly once, last loaded first, at shutdown.
#pragma once

#include "base/KXModule.h"

#include <vector>

class KXUserLibs : public KXModule {
public:
    static KXUserLibs& instance();

    // Loads every library of the table and fills every slot. A library that the loader cannot
    // find by its name is tried again under $trovapath/userlibs/ (refused when that path would
    // exceed 259 characters). Slots of a library that stays missing get a stand-in that raises
    // "User lib not found" when called; slots of functions a loaded library lacks get one that
    // raises "User lib function not found". Nothing is reported while binding.
    void bind(const char* table);

    // Unloads the bound libraries, last loaded first.
    void shutdown() override;

    const std::vector<void*>& libraries() const { return m_libraries; }

    // The stand-ins binding stores; they take whatever the caller pushed and never return.
    static void* missingLibraryStub();
    static void* missingFunctionStub();

private:
    KXUserLibs()
        : KXModule("KXUserLibs")
    {
    }
    std::vector<void*> m_libraries;
};
