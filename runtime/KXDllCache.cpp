// The CallDLL cache of libraries and functions.
#include "runtime/KXDllCache.h"

#include "runtime/KXLibraryLoader.h"

KXDllCache& KXDllCache::instance()
{
    // Never destroyed: its libraries stay loaded until the process is gone.
    static KXDllCache* cache = new KXDllCache;
    return *cache;
}

void* KXDllCache::function(const std::string& library, const std::string& name)
{
    auto lib = m_libraries.find(library);
    if (lib == m_libraries.end()) {
        ++m_libraryLoads;
        void* handle = kxLoadLibrary(library);
        if (!handle)
            return nullptr;
        lib = m_libraries.emplace(library, Library { handle, {} }).first;
    }
    auto& functions = lib->second.functions;
    auto fn = functions.find(name);
    if (fn != functions.end())
        return fn->second;
    ++m_functionLookups;
    void* address = kxLibraryFunction(lib->second.handle, name.c_str());
    if (address)
        functions.emplace(name, address);
    return address;
}
