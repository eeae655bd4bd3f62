// The Win32 subset bound through the runtime's loader from a library table like the
// application's, with the headless GUI (and so the desktop services) running.
#pragma once

#include "gui/headless/HeadlessDesktopServices.h"
#include "gui/headless/HeadlessSystem.h"
#include "base/KXModuleRegistry.h"
#include "runtime/KXProgram.h"
#include "runtime/KXUserLibs.h"
#include "runtime/UserLibCommands.h"
#include "tests/support/KXLibTable.h"
#include "tests/support/KXTestSupport.h"

#include <cstdint>

#define W32 __attribute__((stdcall))

struct Win32Api {
    // kernel32.dll
    uint32_t(W32* GetEnvironmentVariableA)(const char*, char*, uint32_t) = nullptr;
    void*(W32* CreateMutexA)(void*, int, const char*) = nullptr;
    uint32_t(W32* GetLastError)() = nullptr;
    int(W32* GetVersionExA)(void*) = nullptr;
    // shell32.dll
    void*(W32* ExtractIconA)(int, const char*, int) = nullptr;
    int32_t(W32* SHGetSpecialFolderLocation)(int, int, void**) = nullptr;
    int(W32* SHGetPathFromIDListA)(const void*, char*) = nullptr;
    // user32.dll
    int(W32* GetAsyncKeyState)(int) = nullptr;
    int(W32* GetForegroundWindow)() = nullptr;
    int(W32* GetWindowInfo)(int, void*) = nullptr;
    int(W32* MessageBeep)(int) = nullptr;
    int(W32* SetClassLongA)(int, int, int) = nullptr;
    int(W32* OpenClipboard)(int) = nullptr;
    int(W32* CloseClipboard)() = nullptr;
    int(W32* EmptyClipboard)() = nullptr;
    int(W32* FindWindowA)(const char*, const char*) = nullptr;
    int(W32* GetWindowLongA)(int, int) = nullptr;
    int(W32* SetWindowLongA)(int, int, int) = nullptr;
    void(W32* keybd_event)(int, int, int, int) = nullptr;
    // advapi32.dll
    int32_t(W32* RegOpenKeyExA)(uint32_t, const char*, uint32_t, uint32_t, uint32_t*) = nullptr;
    int32_t(W32* RegQueryValueExA)(uint32_t, const char*, uint32_t*, uint32_t*, void*, uint32_t*) = nullptr;
    int32_t(W32* RegSetValueExA)(uint32_t, const char*, uint32_t, uint32_t, const void*, uint32_t) = nullptr;
    int32_t(W32* RegCloseKey)(uint32_t) = nullptr;

    // Binds every function by the names programs use; the libraries stay loaded until unbind.
    void bind()
    {
        KXLibTable t;
        t.lib("kernel32.dll").fn("GetEnvironmentVariableA", GetEnvironmentVariableA).fn("CreateMutexA", CreateMutexA).fn("GetLastError", GetLastError).fn("GetVersionExA", GetVersionExA);
        t.lib("shell32.dll").fn("ExtractIconA", ExtractIconA).fn("SHGetSpecialFolderLocation", SHGetSpecialFolderLocation).fn("SHGetPathFromIDListA", SHGetPathFromIDListA);
        t.lib("user32.dll").fn("GetAsyncKeyState", GetAsyncKeyState).fn("GetForegroundWindow", GetForegroundWindow).fn("GetWindowInfo", GetWindowInfo).fn("MessageBeep", MessageBeep).fn("SetClassLongA", SetClassLongA).fn("OpenClipboard", OpenClipboard).fn("CloseClipboard", CloseClipboard).fn("EmptyClipboard", EmptyClipboard).fn("FindWindowA", FindWindowA).fn("GetWindowLongA", GetWindowLongA).fn("SetWindowLongA", SetWindowLongA).fn("keybd_event", keybd_event);
        t.lib("advapi32.dll").fn("RegOpenKeyExA", RegOpenKeyExA).fn("RegQueryValueExA", RegQueryValueExA).fn("RegSetValueExA", RegSetValueExA).fn("RegCloseKey", RegCloseKey);
        std::vector<char> bytes = t.bytes();
        kxLoadLibs(bytes.data());
    }
};

class Win32Test : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static bool started = [] {
            kxSelectPlatformConfigs(KXModuleRegistry::global());
            KXModuleRegistry::global().startModuleByName("HeadlessGuiDriver");
            return true;
        }();
        (void)started;
        api().bind();
    }
    static void TearDownTestSuite() { KXUserLibs::instance().shutdown(); }
    // Checked per test: a failure in the suite's set-up would only mark its tests skipped.
    void SetUp() override
    {
        ASSERT_EQ(KXUserLibs::instance().libraries().size(), 4u) << "the Win32 subset did not load";
        HeadlessSystem::instance().reset();
        HeadlessDesktopServices::instance().reset();
    }

    static Win32Api& api()
    {
        static Win32Api a;
        return a;
    }
};
