// Test program: binds the application's whole library table (the clipboard library, the
// print-screen helper, the FreeImage adapter and the Win32 subset) and calls into it. The
// command line picks the part:
//   "mutex"       creates the mutex "Pictorra" and prints GetLastError;
//   "mutex hold"  the same, then stays running (so another instance can find the mutex held);
//   "scene"       lets the scripted user set the scene, then prints the version, the foreground
//                 window's WINDOWINFO rectangles and extended style, its title's FindWindowA
//                 result, the Print Screen key state, the desktop folder, and the print-screen
//                 switch before and after a toggle.
#include "trova.h"

KX_IMPORT(int, GetClipImageInfo, (int, void*, int), "_fgetclipimageinfo");
KX_IMPORT(int, PasteClipImage, (int, void*, void*, int), "_fpasteclipimage");
KX_IMPORT(int, DXPrintScreenEnabled, (), "_fdxprintscreenenabled");
KX_IMPORT(int, ToggleDXPrintScreen, (), "_ftoggledxprintscreen");
KX_IMPORT(int, FreeImage_Save, (int, void*, const char*, int), "_ffreeimage_save");
KX_IMPORT(void, FreeImage_Unload, (void*), "_ffreeimage_unload");
KX_IMPORT(void*, FreeImage_GetBits, (void*), "_ffreeimage_getbits");
KX_IMPORT(int, FreeImage_GetWidth, (void*), "_ffreeimage_getwidth");
KX_IMPORT(int, FreeImage_GetHeight, (void*), "_ffreeimage_getheight");
KX_IMPORT(int, FreeImage_GetPitch, (void*), "_ffreeimage_getpitch");
KX_IMPORT(void*, FreeImage_ConvertTo24Bits, (void*), "_ffreeimage_convertto24bits");
KX_IMPORT(void*, FreeImage_GetInfoHeader, (void*), "_ffreeimage_getinfoheader");
KX_IMPORT(void*, FreeImage_ConvertFromRawBits, (void*, int, int, int, int, int, int, int, int), "_ffreeimage_convertfromrawbits");
KX_IMPORT(void, FreeImage_ConvertToRawBits, (void*, void*, int, int, int, int, int, int), "_ffreeimage_converttorawbits");
KX_IMPORT(int, GetEnvironmentVariableA, (const char*, char*, int), "_fgetenvironmentvariablea");
KX_IMPORT(int, CreateMutexA, (void*, int, const char*), "_fcreatemutexa");
KX_IMPORT(int, GetLastError, (), "_fgetlasterror");
KX_IMPORT(int, GetVersionExA, (int*), "_fgetversionexa");
KX_IMPORT(int, ExtractIconA, (int, const char*, int), "_fextracticona");
KX_IMPORT(int, SHGetSpecialFolderLocation, (int, int, void**), "_fshgetspecialfolderlocation");
KX_IMPORT(int, SHGetPathFromIDListA, (void*, char*), "_fshgetpathfromidlista");
KX_IMPORT(int, GetAsyncKeyState, (int), "_fgetasynckeystate");
KX_IMPORT(int, GetForegroundWindow, (), "_fgetforegroundwindow");
KX_IMPORT(int, GetWindowInfo, (int, int*), "_fgetwindowinfo");
KX_IMPORT(int, MessageBeep, (int), "_fmessagebeep");
KX_IMPORT(int, SetClassLongA, (int, int, int), "_fsetclasslonga");
KX_IMPORT(int, OpenClipboard, (int), "_fopenclipboard");
KX_IMPORT(int, CloseClipboard, (), "_fcloseclipboard");
KX_IMPORT(int, EmptyClipboard, (), "_femptyclipboard");
KX_IMPORT(int, FindWindowA, (const char*, const char*), "_ffindwindowa");
KX_IMPORT(int, GetWindowLongA, (int, int), "_fgetwindowlonga");
KX_IMPORT(int, SetWindowLongA, (int, int, int), "_fsetwindowlonga");
KX_IMPORT(void, keybd_event, (int, int, int, int), "_fkeybd_event");

KX_LIBS(kx_lib("data\\Clipboard.dll", kx_libfn("_GetClipImageInfo@12", &GetClipImageInfo), kx_libfn("_PasteClipImage@16", &PasteClipImage)),
    kx_lib("data\\Dexolan.dll", kx_libfn("DXPrintScreenEnabled", &DXPrintScreenEnabled), kx_libfn("ToggleDXPrintScreen", &ToggleDXPrintScreen)),
    kx_lib("data\\FreeImage.dll", kx_libfn("_FreeImage_Save@16", &FreeImage_Save), kx_libfn("_FreeImage_Unload@4", &FreeImage_Unload),
        kx_libfn("_FreeImage_GetBits@4", &FreeImage_GetBits), kx_libfn("_FreeImage_GetWidth@4", &FreeImage_GetWidth),
        kx_libfn("_FreeImage_GetHeight@4", &FreeImage_GetHeight), kx_libfn("_FreeImage_GetPitch@4", &FreeImage_GetPitch),
        kx_libfn("_FreeImage_ConvertTo24Bits@4", &FreeImage_ConvertTo24Bits), kx_libfn("_FreeImage_GetInfoHeader@4", &FreeImage_GetInfoHeader),
        kx_libfn("_FreeImage_ConvertFromRawBits@36", &FreeImage_ConvertFromRawBits), kx_libfn("_FreeImage_ConvertToRawBits@32", &FreeImage_ConvertToRawBits)),
    kx_lib("kernel32.dll", kx_libfn("GetEnvironmentVariableA", &GetEnvironmentVariableA), kx_libfn("CreateMutexA", &CreateMutexA),
        kx_libfn("GetLastError", &GetLastError), kx_libfn("GetVersionExA", &GetVersionExA)),
    kx_lib("shell32.dll", kx_libfn("ExtractIconA", &ExtractIconA), kx_libfn("SHGetSpecialFolderLocation", &SHGetSpecialFolderLocation),
        kx_libfn("SHGetPathFromIDListA", &SHGetPathFromIDListA)),
    kx_lib("user32.dll", kx_libfn("GetAsyncKeyState", &GetAsyncKeyState), kx_libfn("GetForegroundWindow", &GetForegroundWindow),
        kx_libfn("GetWindowInfo", &GetWindowInfo), kx_libfn("MessageBeep", &MessageBeep), kx_libfn("SetClassLongA", &SetClassLongA),
        kx_libfn("OpenClipboard", &OpenClipboard), kx_libfn("CloseClipboard", &CloseClipboard), kx_libfn("EmptyClipboard", &EmptyClipboard),
        kx_libfn("FindWindowA", &FindWindowA), kx_libfn("GetWindowLongA", &GetWindowLongA), kx_libfn("SetWindowLongA", &SetWindowLongA),
        kx_libfn("keybd_event", &keybd_event)));

KX_CSTR(mutexMode, "mutex");
KX_CSTR(holdMode, "mutex hold");
KX_CSTR(blank, " ");
KX_CSTRS(&mutexMode, &holdMode, &blank);

KX_DATA();

static void printInt(int value)
{
    kx_temps t;
    Print(t.made(kxStrFromInt(value)));
}

static void printInts(const int* values, int count)
{
    kx_temps t;
    kx_str line = t.made(kxStrFromInt(values[0]));
    for (int i = 1; i < count; ++i)
        line = t.made(kxStrConcat(t.made(kxStrConcat(line, blank)), t.made(kxStrFromInt(values[i]))));
    Print(line);
}

KX_MAIN()
{
    bool mutex, hold;
    {
        kx_temps t;
        kx_str line = t(CommandLine());
        hold = kxStrCompare(line, holdMode) == 0;
        mutex = hold || kxStrCompare(line, mutexMode) == 0;
    }
    if (mutex) {
        CreateMutexA(nullptr, 1, "Pictorra");
        int error = GetLastError();
        printInt(error);
        if (hold && error == 0)
            Delay(120000);
        return;
    }

    for (int i = 0; i < 30; ++i)
        WaitEvent(30);

    int version[37] = { 148 };
    GetVersionExA(version);
    printInts(version + 1, 4);

    int handle = GetForegroundWindow();
    int info[15] = { 60 };
    int ok = GetWindowInfo(handle, info);
    int geometry[10] = { ok, info[1], info[2], info[3], info[4], info[5], info[6], info[7], info[8], info[10] };
    printInts(geometry, 10);
    printInt(FindWindowA(nullptr, "Notes") == handle && handle != 0);
    printInt(GetAsyncKeyState(0x2C));

    void* list[2] = { nullptr, nullptr };
    char path[260];
    for (int i = 0; i < 260; ++i)
        path[i] = 0;
    if (SHGetSpecialFolderLocation(0, 16, list) == 0 && SHGetPathFromIDListA(list[0], path)) {
        kx_temps t;
        Print(t.made(kxStrFromCStr(path)));
    }

    int before = DXPrintScreenEnabled();
    int toggled = ToggleDXPrintScreen();
    int states[3] = { before, toggled, DXPrintScreenEnabled() };
    printInts(states, 3);
}
