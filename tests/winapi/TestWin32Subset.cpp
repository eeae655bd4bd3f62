// kernel32, user32 and shell32 as programs bind them: environment, version, the in-process side
// of named mutexes, foreground window and its geometry, window longs, class icons, global key
// state, synthetic Print Screen, clipboard calls, the bell and the desktop folder.
#include "tests/support/KXMisalignedCall.h"
#include "tests/support/KXTempDir.h"
#include "tests/winapi/Win32TestSupport.h"

#include <cstring>
#include <filesystem>

KX_STDCALL int CreateWindow(KXString* text, int x, int y, int width, int height, int group, int style);
KX_STDCALL void FreeGadget(int gadget);
KX_STDCALL int QueryObject(int object, int queryId);

namespace {
int32_t field(const uint8_t* record, int index)
{
    int32_t v;
    std::memcpy(&v, record + 4 * index, 4);
    return v;
}

// A one-image 16 x 16 icon file (32-bit pixels, no mask rows needed by readers of the header).
std::string iconBytes()
{
    std::string image(40 + 16 * 16 * 4 + 16 * 4, '\0');
    image[0] = 40, image[4] = 16, image[8] = 32, image[12] = 1, image[14] = 32;
    std::string file = std::string("\0\0\1\0\1\0", 6) + std::string("\x10\x10\0\0\1\0\x20\0", 8);
    uint32_t size = uint32_t(image.size()), offset = 22;
    file.append(reinterpret_cast<const char*>(&size), 4).append(reinterpret_cast<const char*>(&offset), 4);
    return file + image;
}
}

TEST_F(Win32Test, EnvironmentVariables)
{
    setenv("KXT_WIN32_VAR", "hello", 1);
    char buffer[16] = "xxxxxxxxxxxxxxx";
    EXPECT_EQ(api().GetEnvironmentVariableA("KXT_WIN32_VAR", buffer, 16), 5u);
    EXPECT_STREQ(buffer, "hello");
    // Too small for the value and its terminator: the size needed, terminator included.
    EXPECT_EQ(api().GetEnvironmentVariableA("KXT_WIN32_VAR", buffer, 5), 6u);
    unsetenv("KXT_WIN32_VAR");
    EXPECT_EQ(api().GetEnvironmentVariableA("KXT_WIN32_VAR", buffer, 16), 0u);
    EXPECT_EQ(api().GetLastError(), 203u);
}

TEST_F(Win32Test, VersionDefaultOverrideAndRecordSize)
{
    uint8_t info[156];
    auto version = [&](uint32_t size) {
        std::memset(info, 0xEE, sizeof info);
        std::memcpy(info, &size, 4);
        return api().GetVersionExA(info);
    };
    unsetenv("TROVA_OSVERSION");
    ASSERT_EQ(version(148), 1);
    EXPECT_EQ(field(info, 1), 5);
    EXPECT_EQ(field(info, 2), 1);
    EXPECT_EQ(field(info, 3), 2600);
    EXPECT_EQ(field(info, 4), 2);
    EXPECT_EQ(info[20], 0); // no service-pack text
    EXPECT_EQ(info[148], 0xEE); // nothing written past the 148-byte record

    setenv("TROVA_OSVERSION", "6.1.7601.2", 1);
    ASSERT_EQ(version(156), 1);
    EXPECT_EQ(field(info, 1), 6);
    EXPECT_EQ(field(info, 2), 1);
    EXPECT_EQ(field(info, 3), 7601);
    unsetenv("TROVA_OSVERSION");

    EXPECT_EQ(version(100), 0);
    EXPECT_EQ(api().GetLastError(), 122u);
}

TEST_F(Win32Test, SecondMutexOfTheSameNameInOneProcessAlreadyExists)
{
    KXTempDir dir;
    setenv("TROVA_MUTEX_DIR", dir.path().c_str(), 1);
    EXPECT_NE(api().CreateMutexA(nullptr, 1, "KXT\\mutex/one"), nullptr);
    EXPECT_EQ(api().GetLastError(), 0u);
    EXPECT_NE(api().CreateMutexA(nullptr, 1, "KXT\\mutex/one"), nullptr);
    EXPECT_EQ(api().GetLastError(), 183u);
    EXPECT_NE(api().CreateMutexA(nullptr, 1, "KXT other"), nullptr);
    EXPECT_EQ(api().GetLastError(), 0u);
    // Names with separators stay inside the lock folder.
    EXPECT_TRUE(std::filesystem::exists(dir / "mutex-KXT%5Cmutex%2Fone"));
    unsetenv("TROVA_MUTEX_DIR");
}

TEST_F(Win32Test, ForegroundWindowInfoOfAScriptedWindow)
{
    HeadlessForeignWindow w;
    w.id = "notes";
    w.title = "Notes";
    w.frame = { 100, 50, 400, 300 };
    w.client = { 104, 73, 392, 273 };
    w.exStyle = 0x100;
    HeadlessSystem::world().addForeignWindow(w);
    HeadlessSystem::world().setForegroundForeign("notes");

    int handle = api().GetForegroundWindow();
    ASSERT_NE(handle, 0);
    EXPECT_EQ(api().FindWindowA(nullptr, "Notes"), handle);
    EXPECT_EQ(api().FindWindowA(nullptr, "Nothing"), 0);
    uint8_t info[60] = {};
    info[0] = 60;
    ASSERT_EQ(api().GetWindowInfo(handle, info), 1);
    int32_t want[] = { 60, 100, 50, 500, 350, 104, 73, 496, 346 };
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(field(info, i), want[i]) << "field " << i;
    EXPECT_EQ(field(info, 10), 0x100);
    EXPECT_EQ(field(info, 11), 1); // the foreground window's caption is active
    EXPECT_EQ(field(info, 12), 4);

    HeadlessSystem::world().setForegroundForeign("gone");
    EXPECT_EQ(api().GetForegroundWindow(), 0);
    EXPECT_EQ(api().GetWindowInfo(0, info), 0);
    EXPECT_EQ(api().GetLastError(), 1400u);
}

TEST_F(Win32Test, ProgramWindowGainsStyleBitsAndClassIcon)
{
    KXTempDir dir;
    int win = CreateWindow(KXArg("KXT Styled"), 0, 0, 200, 100, 0, 13);
    int handle = QueryObject(win, 1);
    ASSERT_EQ(api().FindWindowA(nullptr, "KXT Styled"), handle);

    int style = api().GetWindowLongA(handle, -16);
    int previous = api().SetWindowLongA(handle, -16, style | 0x20000 | 0x80000);
    EXPECT_EQ(previous, style);
    EXPECT_EQ(api().GetWindowLongA(handle, -16) & 0xA0000, 0xA0000);
    EXPECT_EQ(api().GetWindowLongA(handle, -4), 0);
    EXPECT_EQ(api().GetLastError(), 1413u);

    // The icon outlives the file it came from, which the program deletes at once.
    std::string ico = dir / "app.ico";
    kxWriteBytes(ico, iconBytes());
    void* icon = api().ExtractIconA(handle, ico.c_str(), 0);
    ASSERT_NE(icon, nullptr);
    ASSERT_NE(icon, reinterpret_cast<void*>(1));
    std::filesystem::remove(ico);
    HeadlessSystem::log().clearCalls();
    EXPECT_EQ(api().SetClassLongA(handle, -14, int(reinterpret_cast<uintptr_t>(icon))), 0);
    ASSERT_TRUE(HeadlessSystem::log().called("SetWindowIcon"));
    std::string call = HeadlessSystem::log().calls().back();
    EXPECT_TRUE(std::filesystem::exists(call.substr(call.rfind(' ') + 1))) << call;
    EXPECT_EQ(api().SetClassLongA(handle, -14, int(reinterpret_cast<uintptr_t>(icon))), int(reinterpret_cast<uintptr_t>(icon)));
    EXPECT_EQ(api().SetClassLongA(handle, -14, 12345), 0); // not an icon

    // Files that are no icon give 1; missing ones give none.
    std::string text = dir / "notes.txt";
    kxWriteBytes(text, "plain text");
    EXPECT_EQ(api().ExtractIconA(handle, text.c_str(), 0), reinterpret_cast<void*>(1));
    EXPECT_EQ(api().ExtractIconA(handle, (dir / "none.ico").c_str(), 0), nullptr);
    FreeGadget(win);
}

TEST_F(Win32Test, PrintScreenPressedInAnotherWindowIsSeenOnce)
{
    HeadlessForeignWindow w;
    w.id = "game";
    w.title = "Game";
    w.frame = { 0, 0, 100, 100 };
    w.client = { 0, 0, 100, 100 };
    HeadlessSystem::world().addForeignWindow(w);
    HeadlessSystem::world().setForegroundForeign("game");
    EXPECT_EQ(api().GetAsyncKeyState(0x2C), 0);

    HeadlessSystem::world().pressKey(183, true);
    EXPECT_EQ(api().GetAsyncKeyState(0x2C), int(int16_t(0x8001)));
    EXPECT_EQ(api().GetAsyncKeyState(0x2C), int(int16_t(0x8000)));
    HeadlessSystem::world().pressKey(183, false);
    EXPECT_EQ(api().GetAsyncKeyState(0x2C), 0);

    // A press and release between two queries still shows as pressed, once.
    HeadlessSystem::world().pressKey(183, true);
    HeadlessSystem::world().pressKey(183, false);
    EXPECT_EQ(api().GetAsyncKeyState(0x2C), 1);
    EXPECT_EQ(api().GetAsyncKeyState(0x2C), 0);
    EXPECT_EQ(api().GetAsyncKeyState(0x1234), 0);
}

TEST_F(Win32Test, SyntheticPrintScreenFillsTheClipboardAndClipboardCallsEmptyIt)
{
    auto& ds = HeadlessDesktopServices::instance();
    api().keybd_event(44, 0, 0, 0);
    api().keybd_event(44, 0, 2, 0);
    KXClipPicture picture;
    ASSERT_TRUE(ds.clipboardPicture(picture));
    EXPECT_EQ(picture.width, ds.screenWidth());
    EXPECT_EQ(picture.height, ds.screenHeight());
    EXPECT_EQ(api().GetAsyncKeyState(0x2C), 1);

    EXPECT_EQ(api().EmptyClipboard(), 0); // not open
    EXPECT_EQ(api().GetLastError(), 1418u);
    EXPECT_TRUE(ds.hasClipboardPicture());
    EXPECT_EQ(api().OpenClipboard(7), 1);
    EXPECT_EQ(api().OpenClipboard(8), 0); // another window has it open
    EXPECT_EQ(api().EmptyClipboard(), 1);
    EXPECT_EQ(api().CloseClipboard(), 1);
    EXPECT_EQ(api().CloseClipboard(), 0);
    EXPECT_FALSE(ds.hasClipboardPicture());

    EXPECT_EQ(api().MessageBeep(48), 1);
    EXPECT_EQ(api().MessageBeep(128), 1);
    EXPECT_EQ(ds.beeps(), 2);
}

TEST_F(Win32Test, DesktopFolderFromTheUserDirsElseDesktopElseHome)
{
    KXTempDir dir;
    std::string oldHome = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", dir.path().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");

    auto folder = [&](int csidl) -> std::string {
        void* list[2] = { nullptr, nullptr };
        if (api().SHGetSpecialFolderLocation(0, csidl, list) != 0)
            return "<failed>";
        char path[260];
        std::memset(path, 0, sizeof path);
        if (!api().SHGetPathFromIDListA(list[0], path))
            return "<no path>";
        return path;
    };
    // Neither a configured folder nor ~/Desktop: home.
    EXPECT_EQ(folder(16), dir.path());
    std::filesystem::create_directories(dir / "Desktop");
    EXPECT_EQ(folder(16), dir / "Desktop");
    EXPECT_EQ(folder(5), dir.path()); // only the desktop has a folder of its own to fall back to

    // ~/.config/user-dirs.dirs by default; a configured folder that does not exist yet is passed
    // over for ~/Desktop.
    std::filesystem::create_directories(dir / ".config");
    kxWriteBytes(dir / ".config/user-dirs.dirs", "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreib tisch\"\n");
    EXPECT_EQ(folder(16), dir / "Desktop");
    std::filesystem::create_directories(dir / "Schreib tisch");
    EXPECT_EQ(folder(16), dir / "Schreib tisch");

    // XDG_CONFIG_HOME moves the file.
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    std::filesystem::create_directories(dir / "config/Bureau");
    kxWriteBytes(dir / "config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"" + dir / "config/Bureau/\"\n");
    EXPECT_EQ(folder(16), dir / "config/Bureau");

    EXPECT_EQ(folder(0x9999), "<failed>");
    char path[260];
    int notAList = 0;
    EXPECT_EQ(api().SHGetPathFromIDListA(&notAList, path), 0);

    setenv("HOME", oldHome.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
}

TEST_F(Win32Test, CallsWorkFromAFourByteAlignedStack)
{
    HeadlessForeignWindow w;
    w.id = "w";
    w.title = "Aligned";
    w.frame = { 1, 2, 30, 40 };
    w.client = { 2, 3, 28, 38 };
    HeadlessSystem::world().addForeignWindow(w);
    HeadlessSystem::world().setForegroundForeign("w");
    int handle = int(kxCallMisaligned(api().FindWindowA, { 0, kxArg("Aligned") }));
    EXPECT_EQ(uint32_t(handle), kxCallMisaligned(api().GetForegroundWindow, {}));
    uint8_t info[60] = { 60 };
    EXPECT_EQ(kxCallMisaligned(api().GetWindowInfo, { uint32_t(handle), kxArg(info) }), 1u);
    EXPECT_EQ(field(info, 3), 31);
    uint8_t version[148] = { 148 };
    EXPECT_EQ(kxCallMisaligned(api().GetVersionExA, { kxArg(version) }), 1u);
    void* list = nullptr;
    char path[260];
    EXPECT_EQ(kxCallMisaligned(api().SHGetSpecialFolderLocation, { 0, 16, kxArg(&list) }), 0u);
    EXPECT_EQ(kxCallMisaligned(api().SHGetPathFromIDListA, { kxArg(list), kxArg(path) }), 1u);
    kxCallMisaligned(api().keybd_event, { 44, 0, 0, 0 });
    kxCallMisaligned(api().keybd_event, { 44, 0, 2, 0 });
    EXPECT_EQ(kxCallMisaligned(api().GetAsyncKeyState, { 0x2C }), 1u);
}
