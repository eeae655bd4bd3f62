// Test program for a real X11 desktop: calls the Win32 subset and the clipboard library while
// real X clients act around it. The command line picks the part:
//   "info"         prints whether FindWindowA("Notes") is the foreground window, then that
//                  window's WINDOWINFO window and client rectangles;
//   "key"          prints "ready", then "pressed" and "released" as Print Screen goes down and up
//                  in whichever window has the focus ("timeout" after 30 s);
//   "printscreen"  presses Print Screen itself and prints the clipboard picture's header, then
//                  keeps the clipboard until the file "done" exists;
//   "paste"        prints the header of the picture another program put on the clipboard and the
//                  colours of its top-left and bottom-right pixels;
//   "export"       puts a 4 x 2 picture on the clipboard, prints PasteClipImage's result and keeps
//                  the clipboard until the file "done" exists.
#include "trova.h"

KX_IMPORT(int, GetClipImageInfo, (int, void*, int), "_fgetclipimageinfo");
KX_IMPORT(int, PasteClipImage, (int, const void*, const void*, int), "_fpasteclipimage");
KX_IMPORT(int, GetAsyncKeyState, (int), "_fgetasynckeystate");
KX_IMPORT(int, GetForegroundWindow, (), "_fgetforegroundwindow");
KX_IMPORT(int, GetWindowInfo, (int, int*), "_fgetwindowinfo");
KX_IMPORT(int, FindWindowA, (const char*, const char*), "_ffindwindowa");
KX_IMPORT(void, keybd_event, (int, int, int, int), "_fkeybd_event");

KX_LIBS(kx_lib("data\\Clipboard.dll", kx_libfn("_GetClipImageInfo@12", &GetClipImageInfo), kx_libfn("_PasteClipImage@16", &PasteClipImage)),
    kx_lib("user32.dll", kx_libfn("GetAsyncKeyState", &GetAsyncKeyState), kx_libfn("GetForegroundWindow", &GetForegroundWindow),
        kx_libfn("GetWindowInfo", &GetWindowInfo), kx_libfn("FindWindowA", &FindWindowA), kx_libfn("keybd_event", &keybd_event)));

KX_CSTR(infoMode, "info");
KX_CSTR(keyMode, "key");
KX_CSTR(printMode, "printscreen");
KX_CSTR(pasteMode, "paste");
KX_CSTR(exportMode, "export");
KX_CSTR(blank, " ");
KX_CSTR(ready, "ready");
KX_CSTR(pressed, "pressed");
KX_CSTR(released, "released");
KX_CSTR(timeout, "timeout");
KX_CSTR(none, "none");
KX_CSTR(doneFile, "done");
KX_CSTRS(&infoMode, &keyMode, &printMode, &pasteMode, &exportMode, &blank, &ready, &pressed, &released, &timeout, &none, &doneFile);

KX_DATA();

// Room for the rows of a 320 x 240 desktop.
static unsigned rows[320 * 240];

static void printInts(const int* values, int count)
{
    kx_temps t;
    kx_str line = t.made(kxStrFromInt(values[0]));
    for (int i = 1; i < count; ++i)
        line = t.made(kxStrConcat(t.made(kxStrConcat(line, blank)), t.made(kxStrFromInt(values[i]))));
    Print(line);
}

static void printHex(int a, int b)
{
    kx_temps t;
    Print(t.made(kxStrConcat(t.made(kxStrConcat(t(Right(t(Hex(a)), 6)), blank)), t(Right(t(Hex(b)), 6)))));
}

// Reads the clipboard picture's header, waiting up to 10 s; false when none came.
static bool header(int* out)
{
    unsigned char h[18];
    for (int i = 0; i < 300; ++i) {
        if (GetClipImageInfo(0, h, 0)) {
            for (int f = 0; f < 3; ++f)
                out[f] = h[4 * f] | h[4 * f + 1] << 8 | h[4 * f + 2] << 16 | h[4 * f + 3] << 24;
            out[3] = h[12] | h[13] << 8;
            return true;
        }
        WaitEvent(30);
    }
    Print(none);
    return false;
}

static void holdUntilDone()
{
    for (int i = 0; i < 600 && FileType(doneFile) == 0; ++i)
        WaitEvent(50);
}

static bool is(kx_str mode)
{
    kx_temps t;
    return kxStrCompare(t(CommandLine()), mode) == 0;
}

KX_MAIN()
{
    if (is(infoMode)) {
        int handle = FindWindowA(nullptr, "Notes");
        int info[15] = { 60 };
        int ok = GetWindowInfo(handle, info);
        int values[10] = { handle != 0 && GetForegroundWindow() == handle, ok, info[1], info[2], info[3], info[4], info[5], info[6], info[7], info[8] };
        printInts(values, 10);
    } else if (is(keyMode)) {
        GetAsyncKeyState(0x2C);
        Print(ready);
        int i = 0;
        for (; i < 600 && !GetAsyncKeyState(0x2C); ++i)
            WaitEvent(50);
        if (i == 600) {
            Print(timeout);
            return;
        }
        Print(pressed);
        for (i = 0; i < 600 && (GetAsyncKeyState(0x2C) & 0x8000); ++i)
            WaitEvent(50);
        Print(i == 600 ? timeout : released);
    } else if (is(printMode)) {
        keybd_event(44, 0, 0, 0);
        keybd_event(44, 0, 2, 0);
        int h[4];
        if (header(h)) {
            printInts(h, 4);
            holdUntilDone();
        }
    } else if (is(pasteMode)) {
        int h[4];
        if (!header(h))
            return;
        int shape[3] = { h[0], h[1], h[3] };
        printInts(shape, 3);
        if (h[2] <= int(sizeof rows) && h[0] > 0 && h[1] > 0) {
            GetClipImageInfo(0, rows, 1);
            printHex(int(rows[(h[1] - 1) * h[0]]), int(rows[h[0] - 1]));
        }
    } else if (is(exportMode)) {
        // 4 x 2, 24 bits, bottom row first: top row red, green, blue, white; bottom row black,
        // yellow, cyan, magenta.
        static const unsigned char bits[2 * 12] = {
            0, 0, 0, 0, 255, 255, 255, 255, 0, 255, 0, 255,
            0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255
        };
        int bih[10] = { 40, 4, 2, 1 | 24 << 16, 0, 0, 0, 0, 0, 0 };
        int result = PasteClipImage(0, bih, bits, sizeof bits);
        printInts(&result, 1);
        holdUntilDone();
    }
}
