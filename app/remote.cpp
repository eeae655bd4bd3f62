// Command-line captures: the running instance takes requests from data\Remote.dll's socket, a
// start with --capture and no running instance captures once without a window, and both write
// the request's file and clipboard.
//
// A request captures as if Print Screen had been pressed with its source (the selected source
// is put back afterwards), always reading the desktop directly: nothing put a system picture on
// the clipboard for it, and the user's clipboard stays as it was.
#include "pictorra.h"

namespace {

constexpr int TimerTick = 0x4001;
constexpr int RequestCapture = 1, RequestHelp = 2, RequestBad = 3;
constexpr int SourceFull = 1, SourceWindow = 2, SourceClient = 3;
constexpr int FifBmp = 0, FifJpeg = 2, FifPng = 13;
constexpr int JpegFlags[] = { 128, 256, 512, 1024 }; // by imagecomp index
constexpr int LongestPath = 4096;

int remotetimer = 0; // 10 Hz: looks for a request
bool serving = false; // a request is being captured (or counting down)

// Writes screenshot to the request's output file; false when it could not be written.
bool writeoutput()
{
    int bank = CreateBank(LongestPath + 1);
    int length = RemoteOutput(static_cast<char*>(kxbankdata(bank)), LongestPath + 1);
    bool ok = length > 0 && length <= LongestPath;
    if (ok) {
        int format = RemoteFormat();
        int fif = format == 0 ? FifBmp : format == 1 ? FifJpeg
                                                     : FifPng;
        unsigned quality = unsigned(SelectedGadgetItem(imagecomp));
        int flags = format == 1 ? JpegFlags[quality < 4 ? quality : 0] : 0;
        ok = fisave(fif, screenshot, static_cast<const char*>(kxbankdata(bank)), flags) != 0;
    }
    FreeBank(bank);
    return ok;
}

// The output path for a message: the request's, as text.
kx_str outputname(kx_temps& t)
{
    int bank = CreateBank(LongestPath + 1);
    int length = RemoteOutput(static_cast<char*>(kxbankdata(bank)), LongestPath + 1);
    kx_str name = length > 0 && length <= LongestPath ? t(kxStrFromCStr(static_cast<const char*>(kxbankdata(bank))))
                                                      : kx_empty();
    FreeBank(bank);
    return name;
}

// Captures the request's source now; 0 when the capture was taken and written, else 1 with
// message set (a text constant or a temporary of t).
int capturerequest(kx_temps& t, kx_str& message)
{
    int source = RemoteSource();
    if (source != SourceFull && GetForegroundWindow() == 0) {
        message = txRemoteNoWindow;
        return 1;
    }
    int full = ButtonState(fullscr), window = ButtonState(actiwin), client = ButtonState(acticli);
    int dx = ButtonState(dxenabl);
    SetButtonState(fullscr, source == SourceFull ? 1 : 0);
    SetButtonState(actiwin, source == SourceWindow ? 1 : 0);
    SetButtonState(acticli, source == SourceClient ? 1 : 0);
    SetButtonState(dxenabl, 0);
    int before = capturecount;
    int foreground = GetForegroundWindow();
    bool stepsaside = source == SourceFull && ButtonState(hidewin) == 1;
    grabscreenshot();
    // Pictorra's window shown again after a Full Desktop capture must not take the focus from
    // the program the user works in.
    if (stepsaside && foreground != 0 && foreground != winhandle)
        SetForegroundWindow(foreground);
    SetButtonState(fullscr, full);
    SetButtonState(actiwin, window);
    SetButtonState(acticli, client);
    SetButtonState(dxenabl, dx);
    if (capturecount == before) {
        message = txRemoteCancelled;
        return 1;
    }
    if (RemoteFormat() >= 0 && !writeoutput()) {
        message = kxcat(t, txRemoteCannotWrite, outputname(t));
        return 1;
    }
    if (RemoteClipboard() == 1) {
        exportscreenshot();
        if (clipboardholdspicture() == 0) {
            message = txRemoteClipboardFailed;
            return 1;
        }
    }
    return 0;
}

int requestdelay() { return RemoteDelay() < 0 ? capturedelay : RemoteDelay(); }

}

int capturecount = 0;
int oneshot = 0;

int parsecommandline()
{
    kx_temps t;
    int request = RemoteParse(kxStrToCStr(t(CommandLine())));
    if (request == RequestHelp)
        End();
    if (request == RequestBad) {
        RemoteExit(2, "");
        End();
    }
    return request == RequestCapture ? 1 : 0;
}

void remotesecondstart()
{
    RemoteExit(RemoteSend(kxStrToCStr(txMutexName)), "");
    End();
}

void initremote()
{
    if (RemoteListen(kxStrToCStr(txMutexName)) == 1)
        remotetimer = CreateTimer(10.0f);
}

void stopremote() { RemoteStop(); }

void holdremote()
{
    if (remotetimer)
        PauseTimer(remotetimer);
}

void releaseremote()
{
    if (remotetimer)
        ResumeTimer(remotetimer);
}

void remotefinished(int status, kx_str message)
{
    serving = false;
    RemoteAnswer(status, kxStrToCStr(message));
}

void remotecapture()
{
    kx_temps t;
    kx_str message = kx_empty();
    int status = capturerequest(t, message);
    remotefinished(status, message);
}

bool remoteevent()
{
    if (EventID() != TimerTick || remotetimer == 0 || EventSource() != remotetimer)
        return false;
    if (serving || RemoteTake() == 0)
        return true;
    if (countingdown()) {
        RemoteAnswer(1, kxStrToCStr(txRemoteBusy));
        return true;
    }
    serving = true;
    int delay = requestdelay();
    if (delay > 0)
        startcountdown(delay, RemoteSource());
    else
        remotecapture();
    return true;
}

void runoneshot()
{
    kx_temps t;
    if (RemoteFormat() < 0 && RemoteClipboard() == 0 && MenuChecked(autosave) == 0) {
        shutdownquietly();
        RemoteExit(1, kxStrToCStr(txRemoteNothingToWrite));
    }
    int delay = requestdelay();
    if (delay > 0)
        Delay(delay * 1000);
    SetButtonState(hidewin, 0); // there is no window to step aside
    kx_str message = kx_empty();
    int status = capturerequest(t, message);
    if (status == 0 && RemoteClipboard() == 1 && keepclipboard() == 0) {
        status = 1;
        message = txRemoteClipboardLost;
    }
    shutdownquietly();
    RemoteExit(status, kxStrToCStr(message));
    End();
}
