// What the Win32 subset libraries share: the export macro, the Win32 error codes and constants
// they answer with, the last-error calls of kernel32.dll and the way to the desktop services.
//
// Every export is a stdcall function under the exact name programs bind; program code reaches
// it from a 4-byte-aligned stack (the build gives every library -mincoming-stack-boundary=2).
#pragma once

#include "gui/KXDesktopServices.h"

#include <cstdint>
#include <dlfcn.h>
#include <string>

#define KX_WINAPI extern "C" __attribute__((stdcall, visibility("default")))

namespace kxwin {

// Win32 error codes (GetLastError values and registry results).
enum Error : uint32_t {
    ErrorSuccess = 0,
    ErrorFileNotFound = 2,
    ErrorAccessDenied = 5,
    ErrorInvalidHandle = 6,
    ErrorNotEnoughMemory = 8,
    ErrorWriteFault = 29,
    ErrorInvalidParameter = 87,
    ErrorDiskFull = 112,
    ErrorInsufficientBuffer = 122,
    ErrorAlreadyExists = 183,
    ErrorEnvvarNotFound = 203,
    ErrorFilenameExcedRange = 206,
    ErrorMoreData = 234,
    ErrorNoAccess = 998,
    ErrorBadDb = 1009,
    ErrorKeyDeleted = 1018,
    ErrorInvalidWindowHandle = 1400,
    ErrorInvalidIndex = 1413,
    ErrorClipboardNotOpen = 1418,
};

// The longest path a Win32 buffer of MAX_PATH characters holds, without its terminator.
constexpr size_t MaxPath = 259;

// The platform's desktop services, found through the runtime executable's export; null when the
// process has none or no platform GUI runs.
inline KXDesktopServices* desktop()
{
    using Lookup = KXDesktopServices* (*)();
    static Lookup lookup = reinterpret_cast<Lookup>(dlsym(RTLD_DEFAULT, "trovaDesktopServices"));
    return lookup ? lookup() : nullptr;
}

// A path as a program gives it ("\" or "/") in the form the system takes.
inline std::string systemPath(const char* path)
{
    std::string p = path ? path : "";
    for (char& c : p)
        if (c == '\\')
            c = '/';
    return p;
}

}

// The calling thread's last error (kernel32.dll).
KX_WINAPI uint32_t GetLastError();
KX_WINAPI void SetLastError(uint32_t error);
