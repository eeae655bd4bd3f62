// The clipboard library and the FreeImage adapter bound as the application binds them (from
// data\ beside the runtime, decorated names), with the headless desktop services running.
#pragma once

#include "base/KXModuleRegistry.h"
#include "gui/headless/HeadlessDesktopServices.h"
#include "runtime/KXProgram.h"
#include "runtime/KXUserLibs.h"
#include "runtime/UserLibCommands.h"
#include "tests/support/KXLibTable.h"
#include "tests/support/KXTestSupport.h"

#include <cstdint>
#include <unistd.h>

#define UL __attribute__((stdcall))

struct UserLibApi {
    int(UL* GetClipImageInfo)(int, void*, int) = nullptr;
    int(UL* PasteClipImage)(int, const void*, const void*, int) = nullptr;
    int(UL* Save)(int, void*, const char*, int) = nullptr;
    void(UL* Unload)(void*) = nullptr;
    uint8_t*(UL* GetBits)(void*) = nullptr;
    unsigned(UL* GetWidth)(void*) = nullptr;
    unsigned(UL* GetHeight)(void*) = nullptr;
    unsigned(UL* GetPitch)(void*) = nullptr;
    void*(UL* ConvertTo24Bits)(void*) = nullptr;
    const uint8_t*(UL* GetInfoHeader)(void*) = nullptr;
    void*(UL* ConvertFromRawBits)(const void*, int, int, int, unsigned, unsigned, unsigned, unsigned, int) = nullptr;
    void(UL* ConvertToRawBits)(void*, void*, int, unsigned, unsigned, unsigned, unsigned, int) = nullptr;
    void*(UL* ConvertFromRawBitsEx)(int, const void*, int, int, int, int, unsigned, unsigned, unsigned, unsigned, int) = nullptr;
};

class UserLibTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static bool started = [] {
            kxSelectPlatformConfigs(KXModuleRegistry::global());
            KXModuleRegistry::global().startModuleByName("HeadlessGuiDriver");
            return true;
        }();
        (void)started;
        ASSERT_EQ(chdir(KX_BIN_DIR), 0);
        UserLibApi& a = api();
        KXLibTable t;
        t.lib("data\\Clipboard.dll").fn("_GetClipImageInfo@12", a.GetClipImageInfo).fn("_PasteClipImage@16", a.PasteClipImage);
        t.lib("data\\FreeImage.dll").fn("_FreeImage_Save@16", a.Save).fn("_FreeImage_Unload@4", a.Unload).fn("_FreeImage_GetBits@4", a.GetBits).fn("_FreeImage_GetWidth@4", a.GetWidth).fn("_FreeImage_GetHeight@4", a.GetHeight).fn("_FreeImage_GetPitch@4", a.GetPitch).fn("_FreeImage_ConvertTo24Bits@4", a.ConvertTo24Bits).fn("_FreeImage_GetInfoHeader@4", a.GetInfoHeader).fn("_FreeImage_ConvertFromRawBits@36", a.ConvertFromRawBits).fn("_FreeImage_ConvertToRawBits@32", a.ConvertToRawBits).fn("_FreeImage_ConvertFromRawBitsEx@44", a.ConvertFromRawBitsEx);
        std::vector<char> bytes = t.bytes();
        kxLoadLibs(bytes.data());
    }
    static void TearDownTestSuite() { KXUserLibs::instance().shutdown(); }
    // Checked per test: a failure in the suite's set-up would only mark its tests skipped.
    void SetUp() override
    {
        ASSERT_EQ(KXUserLibs::instance().libraries().size(), 2u);
        ASSERT_NE(reinterpret_cast<void*>(api().ConvertToRawBits), KXUserLibs::missingFunctionStub());
        HeadlessDesktopServices::instance().reset();
    }

    static UserLibApi& api()
    {
        static UserLibApi a;
        return a;
    }

public:
    // An asymmetric test picture, top row first: every pixel differs from its mirror images.
    // Channels are multiples of 8, so 5-5-5 and 5-6-5 pixels hold them exactly.
    static uint32_t pixel(int x, int y) { return 0xFF000000u | uint32_t(x * 40 + 8) << 16 | uint32_t(y * 48 + 16) << 8 | uint32_t((x + 3 * y) * 8); }
};
