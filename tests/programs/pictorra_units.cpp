// Test program: Pictorra's own code with stand-ins for the platform libraries it binds, so that
// start-up, the configuration file, the data pack and the plasma tables can be driven and read
// back without the Win32 subset. The first word of the command line picks the run:
//
//   start                    start-up as the program does it, a report of the globals, then the
//                            main loop (the scripted user ends it through the Exit menu)
//   plasma                   the plasma tables, wave bounds over many moves, one rendered frame
//   record                   the windowinfo record through the object helpers
//   plasmabench              times plasma frames and a baseline of the same pixel traffic
//   pak PACK KEY HKEY ARG... pakinit, then for each ARG: "clean" runs pakclean, any other word
//                            is extracted with pak and the returned name printed
//
// Stand-ins read the environment: PT_LASTERROR (what GetLastError answers after CreateMutexA),
// PT_OS ("major minor build platform", or "fail"), PT_DX ("on", "off": toggles work; "stuck":
// they do not), PT_DESKTOP (the desktop folder), PT_NOFOLDER (the folder lookup fails).
#include "../../app/pictorra.h"

namespace {

kx_str text(kx_temps& t, const char* s) { return t.made(kxStrFromCStr(s)); }

kx_str env(kx_temps& t, const char* name) { return t(GetEnv(text(t, name))); }

void say(const char* label, kx_str value)
{
    kx_temps t;
    Print(kxcat(t, text(t, label), text(t, " "), value));
}

void say(const char* label, int value)
{
    kx_temps t;
    say(label, kxnum(t, value));
}

// The word at index n (from 0) of a blank-separated line, or the empty string.
kx_str word(kx_temps& t, kx_str line, int n)
{
    kx_str rest = line;
    for (int i = 0;; ++i) {
        rest = t(Trim(rest));
        int blank = Instr(rest, text(t, " "));
        kx_str w = blank ? t(Left(rest, blank - 1)) : rest;
        if (i == n)
            return w;
        if (!blank)
            return kx_empty();
        rest = t(Mid(rest, blank + 1));
    }
}

// ---- Stand-ins ----------------------------------------------------------------------------------

int dxState = 0;
bool dxStuck = false;
int windowStyle = 0x10C00000;

int KX_STDCALL fakeCreateMutex(void*, int, const char*) { return 0x77; }
int KX_STDCALL fakeLastError()
{
    kx_temps t;
    return kxStrToInt(env(t, "PT_LASTERROR"));
}
int KX_STDCALL fakeVersion(void* record)
{
    kx_temps t;
    kx_str spec = env(t, "PT_OS");
    if (kxeq(spec, text(t, "fail")))
        return 0;
    auto* info = static_cast<osversioninfo*>(record);
    if (info->size != 148)
        return 0;
    info->majorVersion = kxStrToInt(word(t, spec, 0));
    info->minorVersion = kxStrToInt(word(t, spec, 1));
    info->buildNumber = kxStrToInt(word(t, spec, 2));
    info->platformId = kxStrToInt(word(t, spec, 3));
    return 1;
}
int KX_STDCALL fakeExtractIcon(int, const char* file, int)
{
    kx_temps t;
    return FileType(text(t, file)) == 1 ? 0x4242 : 0;
}
int KX_STDCALL fakeSetClassLong(int, int index, int value)
{
    say("classlong", index);
    say("icon", value);
    return 0;
}
int KX_STDCALL fakeFindWindow(const char*, const char* title)
{
    say("findwindow", kxStrFromCStr(title));
    kxStrTmpFree(1);
    return 0x10001;
}
int KX_STDCALL fakeGetWindowLong(int, int) { return windowStyle; }
int KX_STDCALL fakeSetWindowLong(int, int index, int value)
{
    int old = windowStyle;
    if (index == -16)
        windowStyle = value;
    say("windowstyle", value);
    return old;
}
int KX_STDCALL fakeFolderLocation(int, int folder, void* itemList)
{
    kx_temps t;
    if (Len(env(t, "PT_NOFOLDER")) > 0 || folder != 16)
        return 1;
    *static_cast<int*>(itemList) = 0x5150;
    return 0;
}
int KX_STDCALL fakePathFromList(int itemList, void* path)
{
    kx_temps t;
    if (itemList != 0x5150)
        return 0;
    kx_str dir = env(t, "PT_DESKTOP");
    const char* s = kxStrToCStr(dir);
    char* out = static_cast<char*>(path);
    int i = 0;
    for (; s[i] && i < 259; ++i)
        out[i] = s[i];
    out[i] = 0;
    return 1;
}
int KX_STDCALL fakeDXEnabled() { return dxState; }
int KX_STDCALL fakeDXToggle()
{
    if (!dxStuck)
        dxState = !dxState;
    say("dxtoggle", dxState);
    return dxState;
}

// The command line is this program's own ("start", ...): a normal start that takes no requests,
// and nothing of the clipboard to keep at exit.
int KX_STDCALL fakeRemoteParse(const char*) { return 0; }
int KX_STDCALL fakeRemoteListen(const char*) { return 0; }
void KX_STDCALL fakeRemoteStop() { }
int KX_STDCALL fakeKeepClip() { return 1; }

void installstandins()
{
    kx_temps t;
    kx_str dx = env(t, "PT_DX");
    dxState = kxeq(dx, text(t, "on")) ? 1 : 0;
    dxStuck = kxeq(dx, text(t, "stuck"));
    CreateMutexA = fakeCreateMutex;
    GetLastError = fakeLastError;
    GetVersionExA = fakeVersion;
    ExtractIconA = fakeExtractIcon;
    SetClassLongA = fakeSetClassLong;
    FindWindowA = fakeFindWindow;
    GetWindowLongA = fakeGetWindowLong;
    SetWindowLongA = fakeSetWindowLong;
    SHGetSpecialFolderLocation = fakeFolderLocation;
    SHGetPathFromIDListA = fakePathFromList;
    DXPrintScreenEnabled = fakeDXEnabled;
    ToggleDXPrintScreen = fakeDXToggle;
    RemoteParse = fakeRemoteParse;
    RemoteListen = fakeRemoteListen;
    RemoteStop = fakeRemoteStop;
    KeepClipImage = fakeKeepClip;
}

// ---- Runs ---------------------------------------------------------------------------------------

void runstart()
{
    startup();
    say("os", winosversion);
    say("winheight", winheight);
    say("winpos", winxpos);
    say("winypos", winypos);
    say("autosavedir", autosavedir);
    say("resetautosave", resetautosave);
    say("dx", DXPrintScreenEnabled());
    mainloop();
}

void runplasma()
{
    initplasma();
    say("cosinus0", cosinus(0));
    say("cosinus640", cosinus(640));
    int low = 1000, high = -1000;
    for (int i = 0; i <= 640; ++i) {
        low = cosinus(i) < low ? cosinus(i) : low;
        high = cosinus(i) > high ? cosinus(i) : high;
    }
    say("cosinusmin", low);
    say("cosinusmax", high);
    static const int entries[] = { 0, 63, 64, 69, 127, 128, 191, 192, 255 };
    for (int i : entries) {
        kx_temps t;
        Print(kxcat(t, text(t, "palette "), kxnum(t, i), text(t, " "), kxnum(t, r(i)), text(t, ","), kxnum(t, g(i)),
            text(t, ","), kxnum(t, b(i)), text(t, " "), t(Hex(mrgb(i)))));
    }

    // A wave rising from 318 by its speed leaves the table's range and is re-picked at once.
    wave1 = 318;
    wave1dir = 0;
    wave1spe = 2;
    movewave();
    say("wave1", wave1);
    say("wave1dir", wave1dir);

    int posLow = 1000, posHigh = -1000, speedLow = 1000, speedHigh = -1000, speed3Low = 1000, speed3High = -1000;
    for (int i = 0; i < 20000; ++i) {
        movewave();
        int positions[] = { wave1, wave2, wave3 };
        for (int p : positions) {
            posLow = p < posLow ? p : posLow;
            posHigh = p > posHigh ? p : posHigh;
        }
        int speeds[] = { wave1spe, wave2spe };
        for (int s : speeds) {
            speedLow = s < speedLow ? s : speedLow;
            speedHigh = s > speedHigh ? s : speedHigh;
        }
        speed3Low = wave3spe < speed3Low ? wave3spe : speed3Low;
        speed3High = wave3spe > speed3High ? wave3spe : speed3High;
    }
    say("positions", posLow);
    say("positionsmax", posHigh);
    say("speeds", speedLow);
    say("speedsmax", speedHigh);
    say("speed3", speed3Low);
    say("speed3max", speed3High);

    // One frame over a logo that is opaque black but for one white pixel.
    int logo = CreateImage(160, 160, 1, 2);
    SetBuffer(ImageBuffer(logo, 0));
    Cls();
    LockBuffer();
    WritePixelFast(10, 20, int(0xFFFFFFFFu));
    UnlockBuffer();
    plasma(logo);
    SetBuffer(ImageBuffer(plasmaimage, 0));
    LockBuffer();
    {
        kx_temps t;
        say("kept", t(Hex(ReadPixelFast(10, 20))));
        int changed = 0;
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 160; ++x)
                changed += ReadPixelFast(x, y) != int(0xFF000000u) ? 1 : 0;
        say("painted", changed);
    }
    UnlockBuffer();

    // A logo without opaque black keeps every pixel.
    SetBuffer(ImageBuffer(logo, 0));
    LockBuffer();
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 160; ++x)
            WritePixelFast(x, y, int(0xFFFFFFFFu));
    UnlockBuffer();
    plasma(logo);
    SetBuffer(ImageBuffer(plasmaimage, 0));
    LockBuffer();
    int unpainted = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 160; ++x)
            unpainted += ReadPixelFast(x, y) != int(0xFFFFFFFFu) ? 1 : 0;
    say("unpainted", unpainted);
    UnlockBuffer();
}

// Times plasma frames against a baseline in the same run: a frame's own pixel traffic (a locked
// read and a write of every pixel) without the tables.
void runplasmabench()
{
    initplasma();
    int logo = CreateImage(160, 160, 1, 2);
    const int frames = 40;
    int start = MilliSecs();
    for (int i = 0; i < frames; ++i)
        plasma(logo);
    int plasmaTime = MilliSecs() - start;
    start = MilliSecs();
    for (int i = 0; i < frames; ++i) {
        SetBuffer(ImageBuffer(plasmaimage, 0));
        LockBuffer();
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 160; ++x)
                WritePixelFast(x, y, ReadPixelFast(x, y));
        UnlockBuffer();
    }
    int baseTime = MilliSecs() - start;
    say("frames", frames);
    say("plasmams", plasmaTime);
    say("baselinems", baseTime);
}

// The windowinfo record through the runtime's object helpers: fifteen zeroed int fields, laid
// out as GetWindowInfo fills them, a handle, deletion, and reuse.
void runrecord()
{
    kx_objheader* info = windowinfo.create();
    int zero = 0;
    for (int i = 0; i < 15; ++i)
        zero += info->fields[i] == 0 ? 1 : 0;
    say("zeroed", zero);
    info->fields[wiSize] = 60;
    info->fields[wiExStyle] = 0x20000;
    say("size", info->fields[0]);
    say("exstyle", info->fields[10]);
    say("handle", kxObjToHandle(info) > 0 ? 1 : 0);
    say("listed", kxObjFirst(&windowinfo) == info ? 1 : 0);
    kxObjDelete(info);
    say("deleted", kxObjFirst(&windowinfo) == nullptr ? 1 : 0);
    kx_objheader* again = windowinfo.create();
    say("fresh", again->fields[0] == 0 ? 1 : 0);
    kxObjDelete(again);
}

void runpak(kx_str line)
{
    paksize.dim(1000);
    pakfiles.dim(1000);
    paklocate.dim(1000);
    pakextracted.dim(1000);
    {
        kx_temps t;
        pakinit(word(t, line, 1), kxStrToInt(word(t, line, 2)), kxStrToInt(word(t, line, 3)));
    }
    say("packcount", packcount);
    say("exeoffset", exeoffset);
    for (int i = 4;; ++i) {
        kx_temps t;
        kx_str arg = word(t, line, i);
        if (Len(arg) == 0)
            break;
        if (kxeq(arg, text(t, "clean"))) {
            pakclean();
            say("cleaned", packcount);
        } else {
            say("pak", t(pak(arg)));
        }
    }
}

}

KX_DATA();

KX_MAIN()
{
    installstandins();
    kx_temps t;
    kx_str line = t(CommandLine());
    kx_str verb = word(t, line, 0);
    if (kxeq(verb, text(t, "plasma")))
        runplasma();
    else if (kxeq(verb, text(t, "record")))
        runrecord();
    else if (kxeq(verb, text(t, "plasmabench")))
        runplasmabench();
    else if (kxeq(verb, text(t, "pak")))
        runpak(line);
    else
        runstart();
}
