// The functions Pictorra binds from external libraries through its library table (libs.cpp).
// Each is a pointer slot that start-up fills; a library or function that cannot be found
// leaves a stand-in that ends the program with "User lib not found" or "User lib function not
// found" when called. All are stdcall. Handles, bank addresses and texts are 32-bit values.
#pragma once

#include "trova.h"

#define PT_IMPORT(result, name, parameters, link)            \
    using pt_import_##name = result(KX_STDCALL*) parameters; \
    extern "C" pt_import_##name name KX_LINK(link)

// data\Clipboard.dll
PT_IMPORT(int, GetClipImageInfo, (int hwnd, void* buffer, int mode), "_fgetclipimageinfo");
PT_IMPORT(int, PasteClipImage, (int hwnd, void* infoHeader, void* bits, int size), "_fpasteclipimage");
PT_IMPORT(int, KeepClipImage, (), "_fkeepclipimage");

// data\Remote.dll
PT_IMPORT(int, RemoteParse, (const char* commandLine), "_fremoteparse");
PT_IMPORT(int, RemoteSource, (), "_fremotesource");
PT_IMPORT(int, RemoteDelay, (), "_fremotedelay");
PT_IMPORT(int, RemoteClipboard, (), "_fremoteclipboard");
PT_IMPORT(int, RemoteFormat, (), "_fremoteformat");
PT_IMPORT(int, RemoteOutput, (char* buffer, int size), "_fremoteoutput");
PT_IMPORT(int, RemoteSend, (const char* name), "_fremotesend");
PT_IMPORT(int, RemoteListen, (const char* name), "_fremotelisten");
PT_IMPORT(int, RemoteTake, (), "_fremotetake");
PT_IMPORT(void, RemoteAnswer, (int status, const char* message), "_fremoteanswer");
PT_IMPORT(void, RemoteStop, (), "_fremotestop");
PT_IMPORT(void, RemoteExit, (int status, const char* message), "_fremoteexit");

// data\Dexolan.dll
PT_IMPORT(int, DXPrintScreenEnabled, (), "_fdxprintscreenenabled");
PT_IMPORT(int, ToggleDXPrintScreen, (), "_ftoggledxprintscreen");

// data\FreeImage.dll (bitmaps are opaque pointers)
PT_IMPORT(int, FreeImage_Save, (int format, void* dib, const char* path, int flags), "_ffreeimage_save");
PT_IMPORT(void, FreeImage_Unload, (void* dib), "_ffreeimage_unload");
PT_IMPORT(void*, FreeImage_GetBits, (void* dib), "_ffreeimage_getbits");
PT_IMPORT(unsigned, FreeImage_GetWidth, (void* dib), "_ffreeimage_getwidth");
PT_IMPORT(unsigned, FreeImage_GetHeight, (void* dib), "_ffreeimage_getheight");
PT_IMPORT(unsigned, FreeImage_GetPitch, (void* dib), "_ffreeimage_getpitch");
PT_IMPORT(void*, FreeImage_ConvertTo24Bits, (void* dib), "_ffreeimage_convertto24bits");
PT_IMPORT(void*, FreeImage_GetInfoHeader, (void* dib), "_ffreeimage_getinfoheader");
PT_IMPORT(void*, FreeImage_ConvertFromRawBits,
    (void* bits, int width, int height, int pitch, unsigned bpp, unsigned redMask, unsigned greenMask,
        unsigned blueMask, int topdown),
    "_ffreeimage_convertfromrawbits");
PT_IMPORT(void*, FreeImage_ConvertFromRawBitsEx,
    (int copySource, void* bits, int type, int width, int height, int pitch, unsigned bpp, unsigned redMask,
        unsigned greenMask, unsigned blueMask, int topdown),
    "_ffreeimage_convertfromrawbitsex");
PT_IMPORT(void, FreeImage_ConvertToRawBits,
    (void* bits, void* dib, int pitch, unsigned bpp, unsigned redMask, unsigned greenMask, unsigned blueMask,
        int topdown),
    "_ffreeimage_converttorawbits");

// kernel32.dll
PT_IMPORT(int, GetEnvironmentVariableA, (const char* name, char* buffer, int size), "_fgetenvironmentvariablea");
PT_IMPORT(int, CreateMutexA, (void* attributes, int initialOwner, const char* name), "_fcreatemutexa");
PT_IMPORT(int, GetLastError, (), "_fgetlasterror");
PT_IMPORT(int, GetVersionExA, (void* info), "_fgetversionexa");

// shell32.dll
PT_IMPORT(int, ExtractIconA, (int instance, const char* file, int index), "_fextracticona");
PT_IMPORT(int, SHGetSpecialFolderLocation, (int hwnd, int folder, void* itemList), "_fshgetspecialfolderlocation");
PT_IMPORT(int, SHGetPathFromIDListA, (int itemList, void* path), "_fshgetpathfromidlista");

// user32.dll
PT_IMPORT(short, GetAsyncKeyState, (int virtualKey), "_fgetasynckeystate");
PT_IMPORT(int, GetForegroundWindow, (), "_fgetforegroundwindow");
PT_IMPORT(int, SetForegroundWindow, (int hwnd), "_fsetforegroundwindow");
PT_IMPORT(int, GetWindowInfo, (int hwnd, void* info), "_fgetwindowinfo");
PT_IMPORT(int, MessageBeep, (int type), "_fmessagebeep");
PT_IMPORT(int, SetClassLongA, (int hwnd, int index, int value), "_fsetclasslonga");
PT_IMPORT(int, OpenClipboard, (int hwnd), "_fopenclipboard");
PT_IMPORT(int, CloseClipboard, (), "_fcloseclipboard");
PT_IMPORT(int, EmptyClipboard, (), "_femptyclipboard");
PT_IMPORT(int, FindWindowA, (const char* className, const char* title), "_ffindwindowa");
PT_IMPORT(int, GetWindowLongA, (int hwnd, int index), "_fgetwindowlonga");
PT_IMPORT(int, SetWindowLongA, (int hwnd, int index, int value), "_fsetwindowlonga");
PT_IMPORT(void, keybd_event, (int virtualKey, int scanCode, int flags, int extraInfo), "_fkeybd_event");
