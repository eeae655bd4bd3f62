// Shared-library loading and function lookup over the dynamic loader.
#include "runtime/KXLibraryLoader.h"

#include "core/KXPath.h"
#include "runtime/KXHostPaths.h"

#include <cctype>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

void* kxLoadLibrary(std::string_view name)
{
    if (name.empty() || !kxNamesFile(name))
        return nullptr;
    // Names are resolved at once so that a library with unresolved references fails to load
    // here instead of failing later inside a call.
    const std::string path = kxSystemPath(name);
    // A bare name is looked for beside the executable first. The dynamic loader's own search
    // depends on the object that calls it (an interposed dlopen searches its own run path),
    // so it comes second.
    if (path.find('/') == std::string::npos) {
        const std::string beside = kxExecutableDir() + path;
        if (access(beside.c_str(), F_OK) == 0)
            return dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
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
