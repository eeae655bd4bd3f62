// Shared-library loading and function lookup over the dynamic loader.
#include "runtime/KXLibraryLoader.h"

#include "core/KXPath.h"

#include <cctype>
#include <cstring>
#include <dlfcn.h>
#include <string>

void* kxLoadLibrary(std::string_view name)
{
    if (name.empty())
        return nullptr;
    // Names are resolved at once so that a library with unresolved references fails to load
    // here instead of failing later inside a call.
    return dlopen(kxSystemPath(name).c_str(), RTLD_NOW | RTLD_LOCAL);
}

void kxFreeLibrary(void* library)
{
    if (library)
        dlclose(library);
}

void* kxLibraryFunction(void* library, const char* name)
{
    if (!library || !name || !*name)
        return nullptr;
    if (void* f = dlsym(library, name))
        return f;
    // "_Name@N": a leading underscore, then "@" and decimal digits to the end.
    const char* at = std::strrchr(name, '@');
    if (name[0] != '_' || !at || at == name + 1 || !at[1])
        return nullptr;
    for (const char* p = at + 1; *p; ++p)
        if (!std::isdigit(static_cast<unsigned char>(*p)))
            return nullptr;
    return dlsym(library, std::string(name, at).c_str());
}
