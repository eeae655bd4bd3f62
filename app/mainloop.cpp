// Main event loop, Print Screen monitor while inactive, status messages and the orderly exit.
#include "pictorra.h"

namespace {

constexpr int KeyUp = 0x102, GadgetAction = 0x401, WindowClose = 0x803, MenuEvent = 0x1001;
constexpr int AppSuspend = 0x2001, AppResume = 0x2002, TimerTick = 0x4001;
constexpr int RawPrintScreen = 183, RawEsc = 1;
constexpr int VkPrintScreen = 0x2C;
constexpr int BeepHint = 0x80;
constexpr int MessageSeconds = 7;

void hint(kx_str text)
{
    MessageBeep(BeepHint);
    statusmessage(text);
}

// Buttons and the size slider (main-loop step 3); the keyboard focus returns to the main window.
// Requests wait while a window of Pictorra's own runs its loop (see holdremote).
void gadgetaction()
{
    holdremote();
    int source = EventSource();
    if (source == prevscr)
        previewscreenshot();
    else if (source == expclip)
        exportscreenshot();
    else if (source == savescr)
        savescreenshot();
    else if (source == reduceslider)
        updatesizelabel();
    ActivateGadget(win);
    releaseremote();
}

void menuchoice()
{
    holdremote();
    switch (EventData()) {
    case 10:
        previewscreenshot();
        break;
    case 20:
        exportscreenshot();
        break;
    case 30:
        savescreenshot();
        break;
    case 40:
        shutdownprog();
    case 100:
        setprevbordcol();
        break;
    case 200:
        setmaskcol();
        break;
    case 300:
        allowcamstatus();
        break;
    case 400:
        allowminstatus();
        break;
    case 500:
        autosavestatus();
        break;
    case 600:
        autosavedirec();
        break;
    case 700:
        resetsettings();
        break;
    case 1000:
        showhowtoinfo();
        break;
    case 2000:
        showproginfo();
        break;
    default:
        optionsmenuchoice(EventData());
        break;
    }
    releaseremote();
}

// What follows every event: enable rules, the colour swatches, the menu bar.
void refresh()
{
    checkgadgetenable();
    if (EventSource() == prevcolpanel)
        setprevbordcol();
    if (EventSource() == maskcolpanel)
        setmaskcol();
    updatepanelcolours();
    UpdateWindowMenu(win);
}

bool capturekey() { return EventID() == KeyUp && (EventData() == RawPrintScreen || EventData() == RawEsc); }

// Busy-waits for Print Screen to be released.
void awaitrelease()
{
    while (GetAsyncKeyState(VkPrintScreen) != 0) {
    }
}

}

// A Print Screen capture. Only captures taken through the clipboard leave the system's picture
// there, so only they clear it: the direct path never touches the clipboard, and clearing after
// it would only wipe what the user had copied.
void capturenow()
{
    if (clipboardcapture()) {
        grabscreenshotaero();
        clearclipboard();
    } else {
        grabscreenshot();
    }
}

// The checks run on every event in order; each looks at the current event again, since a
// nested loop (monitorkey, the secondary windows) may have taken further events meanwhile.
void mainloop()
{
    while (WaitEvent(-1)) {
        // The request and countdown timers' ticks concern nothing else.
        if (remoteevent() || countdownevent())
            continue;
        if (capturekey() && ButtonState(dxenabl) == 0)
            printscreen();
        if (capturekey() && ButtonState(dxenabl) == 1)
            hint(txDirectXHint);
        if (EventID() == GadgetAction)
            gadgetaction();
        if (EventID() == WindowClose && EventSource() == win)
            shutdownprog();
        if (EventID() == MenuEvent)
            menuchoice();
        if (EventID() == AppSuspend) {
            GetAsyncKeyState(VkPrintScreen);
            monitorkey();
        }
        if (EventID() == TimerTick && TimerTicks(messagetimer) >= MessageSeconds) {
            SetStatusText(win, txDefaultStatus);
            ResetTimer(messagetimer);
            PauseTimer(messagetimer);
        }
        refresh();
    }
}

// Polls Print Screen on every timer tick while another application is active; returns when
// Pictorra is activated again.
int monitorkey()
{
    ResumeTimer(monikeytimer);
    if (WindowMinimized(win) == 0 && MenuChecked(allowmin) == 1)
        MinimizeWindow(win);
    while (int id = WaitEvent(-1)) {
        if (remoteevent() || countdownevent())
            continue;
        if (id == GadgetAction)
            gadgetaction();
        if (EventID() == WindowClose && EventSource() == win)
            shutdownprog();
        if (EventID() == MenuEvent)
            menuchoice();
        if (EventID() == AppResume) {
            ResetTimer(monikeytimer);
            PauseTimer(monikeytimer);
            ResetTimer(messagetimer);
            return 0;
        }
        if (EventID() == TimerTick && ButtonState(dxenabl) == 0 && GetAsyncKeyState(VkPrintScreen) != 0) {
            awaitrelease();
            if (ButtonState(fullscr) == 1)
                hint(txActivateHint);
            else
                printscreen();
        }
        if (EventID() == TimerTick && ButtonState(dxenabl) == 1 && GetAsyncKeyState(VkPrintScreen) != 0) {
            importscreenshot();
            clearclipboard();
            awaitrelease();
        }
        if (EventID() != TimerTick)
            refresh();
    }
    return 0;
}

// The orderly exit: settings stored, an exported picture left pasteable, the thumbnail file
// removed, DirectX print-screen support switched off again.
void shutdownprog()
{
    writeconfig();
    keepclipboard();
    shutdownquietly();
    End();
}

void shutdownquietly()
{
    stopremote();
    DeleteFile(txThumbFile);
    if (DXPrintScreenEnabled() == 1) {
        ToggleDXPrintScreen();
        Delay(8);
    }
}

void statusmessage(kx_str text)
{
    SetStatusText(win, text);
    ResetTimer(messagetimer);
    ResumeTimer(messagetimer);
}
