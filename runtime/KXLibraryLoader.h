// Loading external shared libraries by the names programs give them, and looking up their
// functions by the names programs bind.
#pragma once

#include <string_view>

// Loads a library: a name with a directory ("data\Clipboard.dll", "\" or "/") is a path from the
// working directory; a bare name goes through the loader's normal search (which includes the
// runtime executable's own directory). Answers the handle, or null.
void* kxLoadLibrary(std::string_view name);

// Unloads a library kxLoadLibrary loaded.
void kxFreeLibrary(void* library);

// The address of a function the library exports under exactly this name. A name decorated as
// "_Name@N" that is not found as it stands is looked up as "_Name" (the "@N" suffix cannot be
// part of a shared-object symbol name). Null when there is none.
void* kxLibraryFunction(void* library, const char* name);
