// KXDllCache: the libraries and functions CallDLL has looked up, by the names the program gave.
//
// Invariants: only successes are recorded, so a library or function once found is never loaded
// or looked up again, while a name that failed is tried again on its next use. Entries are never
// removed; the libraries stay loaded until the process exits.
#pragma once

#include <map>
#include <string>

class KXDllCache {
public:
    static KXDllCache& instance();

    // The function's address, loading the library and looking the function up on first use.
    // Null when the library cannot be loaded or does not export the function.
    void* function(const std::string& library, const std::string& name);

    // How many times the loader and the lookup were asked (for diagnostics and tests).
    int libraryLoads() const { return m_libraryLoads; }
    int functionLookups() const { return m_functionLookups; }

private:
    struct Library {
        void* handle;
        std::map<std::string, void*> functions;
    };
    std::map<std::string, Library> m_libraries;
    int m_libraryLoads { 0 };
    int m_functionLookups { 0 };
};
