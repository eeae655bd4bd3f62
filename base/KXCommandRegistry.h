// The command registry: the four registrars, spec lookup and link names.
#pragma once

#include <string>

using KXRegisterFn = void (*)(const char* spec, void* address);

// The registrars, in the order the registry calls them. Each calls fn once per entry.
void kxRegisterCoreHelpers(KXRegisterFn fn);
void kxRegisterSystemCommands(KXRegisterFn fn);
void kxRegisterGuiCommands(KXRegisterFn fn);
void kxRegisterGraphicsCommands(KXRegisterFn fn);

// The symbol name program images use for a spec: helpers "_" + name, commands "_f" + the
// lower-case name ("%LoadImage$file%flags=1" -> "_floadimage").
std::string kxLinkName(const char* spec);

// The address an area table gives a spec, or null when no area implements it.
void* kxImplementation(const char* spec);
