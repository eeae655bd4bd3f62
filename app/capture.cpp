// Screen capture: the capture rectangle, the three entry points, the clipboard picture and the pipeline.
#include "pictorra.h"

namespace {

constexpr int RecordSize = 60; // cbSize of the windowinfo record
constexpr int BeepTooSmall = 128, BeepFailed = 48;
constexpr int PrintScreenKey = 44, KeyUp = 2;
constexpr int KeyEvents = 0x100; // FlushEvents kind: every key event
constexpr int ClipboardTimeoutTicks = 4; // of the 30 Hz timer: about 132 ms
constexpr int LargestClipboardPicture = 1 << 28; // bytes of pixel rows we accept

// The capture rectangle of the capture in progress.
int capx, capy, capw, caph;

// GetWindowInfo of hwnd into a fresh record; the difference of two fields (second < 0: the first
// field alone), or -1 when the query fails.
int windowfield(int hwnd, int field, int minus = -1)
{
    kx_objheader* record = windowinfo.create();
    int* info = record->fields;
    info[wiSize] = RecordSize;
    int result = -1;
    if (GetWindowInfo(hwnd, info) != 0)
        result = minus < 0 ? info[field] : info[field] - info[minus];
    kxObjDelete(record);
    return result;
}

// True when hwnd names a window GetWindowInfo can describe.
bool windowexists(int hwnd)
{
    kx_objheader* record = windowinfo.create();
    record->fields[wiSize] = RecordSize;
    bool ok = hwnd != 0 && GetWindowInfo(hwnd, record->fields) != 0;
    kxObjDelete(record);
    return ok;
}

// The digit of a style's top four bits, as the first of Hex's eight digits.
int topdigit(int style) { return int(unsigned(style) >> 28); }

void newscreenshot()
{
    forgetcorners();
    if (screenshot)
        FreeImage(screenshot);
    screenshot = CreateImage(capw, caph, 1, 1);
}

// A capture that cannot be taken leaves the previous capture and the commands as they were.
void cancelcapture()
{
    SetStatusText(win, txContentTooSmall);
    MessageBeep(BeepTooSmall);
    ResetTimer(messagetimer);
    ResumeTimer(messagetimer);
}

// The capture rectangle by the selected source, with screenshot made at its size. False when
// the capture was cancelled: a client area of 10 pixels or less, or a foreground window whose
// geometry cannot be read (none, or it vanished meanwhile). exstyle receives the window's
// extended style under Active Window (Full) on the clipboard path, else 0.
bool capturerectangle(bool fromclipboard, int& exstyle)
{
    capx = capy = capw = caph = 0;
    clamped = 0;
    exstyle = 0;
    bool made = false;
    int deskwidth = GadgetWidth(Desktop());

    if (ButtonState(fullscr) == 1) {
        capw = deskwidth;
        caph = GadgetHeight(Desktop());
        newscreenshot();
        made = true;
    }
    if (ButtonState(actiwin) == 1) {
        int fg = GetForegroundWindow();
        if (!windowexists(fg)) {
            cancelcapture();
            return false;
        }
        capx = wininfox(fg);
        capy = wininfoy(fg);
        capw = wininfowidth(fg);
        caph = wininfoheight(fg);
        if (fromclipboard) {
            exstyle = wininfoexstyle(fg);
            int digit = topdigit(exstyle);
            if (fg == winhandle && (digit == 0x2 || digit == 0xE)) {
                capx -= 5;
                capy -= 5;
                capw += 10;
                caph += 10;
            }
        }
        if (capw > deskwidth) {
            capx = 0;
            capy = 0;
            capw = deskwidth;
            caph = cliinfobase(fg) + cliinfox(fg);
            clamped = 1;
        }
        if (capw <= 0 || caph <= 0) {
            cancelcapture();
            return false;
        }
        newscreenshot();
        made = true;
    }
    if (ButtonState(acticli) == 1) {
        int fg = GetForegroundWindow();
        capx = cliinfox(fg);
        capy = cliinfoy(fg);
        capw = cliinfowidth(fg);
        caph = cliinfoheight(fg);
        if (!(capw > 10 && caph > 10)) {
            cancelcapture();
            return false;
        }
        newscreenshot();
        made = true;
    }
    return made;
}

void disablecommands()
{
    DisableMenu(prevmenu);
    DisableMenu(expomenu);
    DisableMenu(savemenu);
    DisableGadget(prevscr);
    DisableGadget(expclip);
    DisableGadget(savescr);
}

// No picture came from the clipboard: no capture remains.
void capturefailed()
{
    MessageBeep(BeepFailed);
    SetPanelColor(prevthumbpanel, 0, 0, 0);
    statusmessage(txCaptureFailed);
    disablecommands();
    if (screenshot)
        FreeImage(screenshot);
    screenshot = 0;
}

bool hiding() { return ButtonState(hidewin) == 1 && ButtonState(fullscr) == 1; }

// Pipeline steps 2 to 4: scale, mirror, report the size.
void transformstage()
{
    if (SliderValue(reduceslider) + 10 < 100)
        resizescreenshot();
    if (ButtonState(flipscreenx) == 1 || ButtonState(flipscreeny) == 1)
        flipscreenshot();
    kx_temps t;
    statusmessage(kxcat(t, txImageSize, kxnum(t, ImageWidth(screenshot)), txTimes, kxnum(t, ImageHeight(screenshot)),
        txPixels));
}

// Pipeline steps 5 to 7: thumbnail, auto-save, commands enabled.
void finishstage()
{
    createthumb();
    if (MenuChecked(autosave) == 1)
        autosavescreenshot();
    EnableMenu(prevmenu);
    EnableMenu(expomenu);
    EnableMenu(savemenu);
    EnableGadget(prevscr);
    EnableGadget(expclip);
    EnableGadget(savescr);
}

}

int wininfox(int hwnd) { return windowfield(hwnd, wiWindowLeft); }
int wininfoy(int hwnd) { return windowfield(hwnd, wiWindowTop); }
int wininfowidth(int hwnd) { return windowfield(hwnd, wiWindowRight, wiWindowLeft); }
int wininfoheight(int hwnd) { return windowfield(hwnd, wiWindowBottom, wiWindowTop); }
int wininfobase(int hwnd) { return windowfield(hwnd, wiWindowBottom); }
int wininfoexstyle(int hwnd) { return windowfield(hwnd, wiExStyle); }
int cliinfox(int hwnd) { return windowfield(hwnd, wiClientLeft); }
int cliinfoy(int hwnd) { return windowfield(hwnd, wiClientTop); }
int cliinfowidth(int hwnd) { return windowfield(hwnd, wiClientRight, wiClientLeft); }
int cliinfoheight(int hwnd) { return windowfield(hwnd, wiClientBottom, wiClientTop); }
int cliinfobase(int hwnd) { return windowfield(hwnd, wiClientBottom); }

bool clipboardcapture()
{
    return kxeq(winosversion, txWinVista) || kxeq(winosversion, txWin7) || kxeq(winosversion, txWinNextGen);
}

pixellayout lockedlayout(int format)
{
    switch (format) {
    case 1:
        return { 16, 0xF800, 0x07E0, 0x001F };
    case 2:
        return { 16, 0x7C00, 0x03E0, 0x001F };
    case 3:
        return { 24, 0xFF0000, 0xFF00, 0xFF };
    case 4:
        return { 32, 0xFF0000, 0xFF00, 0xFF };
    default:
        return { 0, 0, 0, 0 };
    }
}

// Reads the desktop buffer directly.
int grabscreenshot()
{
    SetStatusText(win, txCreating);
    int exstyle;
    if (!capturerectangle(false, exstyle))
        return 0;
    bool hide = hiding();
    if (hide)
        HideGadget(win);
    if (MenuChecked(allowcam) == 1)
        PlaySound(camsound, 0);
    Delay(8);
    CopyRect(capx, capy, capw, caph, 0, 0, DesktopBuffer(), ImageBuffer(screenshot, 0));
    Delay(8);
    capturepipeline(0);
    if (hide)
        ShowGadget(win);
    return 0;
}

// Cuts the rectangle out of the picture the system's Print Screen put on the clipboard; with
// Hide, the picture is taken again by a synthetic Print Screen once the window is hidden.
int grabscreenshotaero()
{
    SetStatusText(win, txCreating);
    int exstyle;
    if (!capturerectangle(true, exstyle))
        return 0;
    bool hide = hiding();
    if (hide) {
        HideGadget(win);
        clearclipboard();
        EnableGadget(win);
        ActivateWindow(win);
        Delay(400);
        keybd_event(PrintScreenKey, 0, 0, 0);
        keybd_event(PrintScreenKey, 0, KeyUp, 0);
        FlushKeys();
        // The synthetic key must not reach the event loop as a Print Screen of its own: that
        // would start the next capture, and so on without end.
        FlushEvents(KeyEvents, 0);
    }
    if (MenuChecked(allowcam) == 1)
        PlaySound(camsound, 0);
    Delay(8);
    VWait(1);
    int clip = loadclip(QueryObject(win, 1), 1);
    if (clip == 0) {
        capturefailed();
        if (hide)
            ShowGadget(win);
        return 0;
    }
    CopyRect(capx, capy, capw, caph, 0, 0, ImageBuffer(clip, 0), ImageBuffer(screenshot, 0));
    FreeImage(clip);
    Delay(8);
    capturepipeline(ButtonState(actiwin) == 1 ? exstyle : 0);
    if (hide)
        ShowGadget(win);
    return 0;
}

// Takes the whole clipboard picture a full-screen game's print-screen support put there.
int importscreenshot()
{
    forgetcorners();
    if (screenshot)
        FreeImage(screenshot);
    screenshot = 0;
    VWait(1);
    screenshot = loadclip(QueryObject(win, 1), 1);
    if (screenshot == 0) {
        capturefailed();
        return 0;
    }
    transformstage();
    if (MenuChecked(allowcam) == 1)
        PlaySound(camsound, 0);
    finishstage();
    return 0;
}

int clearclipboard()
{
    OpenClipboard(QueryObject(win, 1));
    EmptyClipboard();
    CloseClipboard();
    return 0;
}

// The clipboard picture as a new image, or 0 when none arrived within about 132 ms or its
// header does not describe pixel rows the picture can have.
int loadclip(int hwnd, int flags)
{
    void* header = kxbankdata(clipheader);
    int timer = CreateTimer(30.0f);
    for (;;) {
        int found = GetClipImageInfo(hwnd, header, 0);
        if (TimerTicks(timer) >= ClipboardTimeoutTicks) {
            FreeTimer(timer);
            return 0;
        }
        if (found != 0)
            break;
    }
    FreeTimer(timer);

    int width = PeekInt(clipheader, 0), height = PeekInt(clipheader, 4);
    int size = PeekInt(clipheader, 8), bits = PeekShort(clipheader, 12);
    if (width <= 0 || height <= 0 || size <= 0 || size > LargestClipboardPicture)
        return 0;
    if (bits != 16 && bits != 24 && bits != 32)
        return 0;
    int rowlength = size / height;
    if ((unsigned long long)rowlength < ((unsigned long long)width * unsigned(bits) >> 3))
        return 0;

    int bank = CreateBank(size);
    GetClipImageInfo(hwnd, kxbankdata(bank), 1);
    pixellayout rows = bits == 16 ? pixellayout { 16, 0xF800, 0x07E0, 0x001F }
                                  : pixellayout { unsigned(bits), 0xFF0000, 0xFF00, 0xFF };
    // The library's rows run bottom-up; read as top-down they land upside down in FreeImage's
    // own bottom-up storage, and the copy-out below (not top-down) flips them back.
    void* dib = FreeImage_ConvertFromRawBits(kxbankdata(bank), width, height, rowlength, rows.bits, rows.red, rows.green,
        rows.blue, 1);
    FreeBank(bank);
    if (!dib)
        return 0;
    if (bits != 32) {
        void* wide = FreeImage_ConvertTo24Bits(dib);
        FreeImage_Unload(dib);
        dib = wide;
        if (!dib)
            return 0;
    }

    int image = CreateImage(int(FreeImage_GetWidth(dib)), int(FreeImage_GetHeight(dib)), 1, flags);
    int buffer = ImageBuffer(image, 0);
    LockBuffer(buffer);
    pixellayout locked = lockedlayout(LockedFormat(buffer));
    FreeImage_ConvertToRawBits(reinterpret_cast<void*>(LockedPixels(buffer)), dib, LockedPitch(buffer), locked.bits,
        locked.red, locked.green, locked.blue, 0);
    UnlockBuffer(buffer);
    FreeImage_Unload(dib);
    return image;
}

void capturepipeline(int mask)
{
    ++capturecount;
    bool masking = ButtonState(actiwin) == 1 && ButtonState(appmask) == 1 && clamped == 0;
    int maskedwidth = ImageWidth(screenshot), maskedheight = ImageHeight(screenshot);
    if (masking)
        drawwindowmask(mask);
    transformstage();
    keepcorners(maskedwidth, maskedheight);
    finishstage();
}
