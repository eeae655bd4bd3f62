// Binding a program's library table, and unloading its libraries at the end.
#include "runtime/KXUserLibs.h"

#include "base/KXCallConv.h"
#include "base/KXError.h"
#include "runtime/KXLibraryLoader.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
KXUserLibs& s_userLibs = KXUserLibs::instance();

// The path buffer of the trovapath retry holds 260 characters with the terminator.
constexpr size_t MaxPath = 259;

// The program's call through a slot pushed arguments these never read: they end the program.
KX_STDCALL void missingLibrary() { kxRuntimeError("User lib not found"); }
KX_STDCALL void missingFunction() { kxRuntimeError("User lib function not found"); }

void* loadWithRetry(const char* name, const char* trovapath)
{
    if (void* lib = kxLoadLibrary(name))
        return lib;
    if (!trovapath)
        return nullptr;
    std::string path = std::string(trovapath) + "/userlibs/" + name;
    if (path.size() > MaxPath)
        return nullptr;
    return kxLoadLibrary(path);
}
}

KXUserLibs& KXUserLibs::instance()
{
    static KXUserLibs module;
    return module;
}

void* KXUserLibs::missingLibraryStub() { return reinterpret_cast<void*>(&missingLibrary); }

void* KXUserLibs::missingFunctionStub() { return reinterpret_cast<void*>(&missingFunction); }

void KXUserLibs::bind(const char* table)
{
    if (!table)
        return;
    const char* trovapath = std::getenv("trovapath");
    const char* p = table;
    while (*p) {
        const char* libName = p;
        p += std::strlen(p) + 1;
        void* lib = loadWithRetry(libName, trovapath);
        if (lib)
            m_libraries.push_back(lib);
        while (*p) {
            const char* fnName = p;
            p += std::strlen(p) + 1;
            uint32_t slotAddress;
            std::memcpy(&slotAddress, p, 4);
            p += 4;
            void* fn = missingLibraryStub();
            if (lib) {
                fn = kxLibraryFunction(lib, fnName);
                if (!fn)
                    fn = missingFunctionStub();
            }
            auto* slot = reinterpret_cast<void*>(uintptr_t(slotAddress));
            std::memcpy(slot, &fn, 4);
        }
        ++p;
    }
}

void KXUserLibs::shutdown()
{
    while (!m_libraries.empty()) {
        void* lib = m_libraries.back();
        m_libraries.pop_back();
        kxFreeLibrary(lib);
    }
}
