// The capture delay: Print Screen (or a command-line request) with a delay starts a countdown in
// the status bar ("Capturing in 3..."), and the capture is taken when it reaches zero, of what
// the screen shows then. Print Screen during a countdown cancels it.
#include "pictorra.h"

namespace {

constexpr int TimerTick = 0x4001;

int countdowntimer = 0; // 1 Hz while a countdown runs, else paused
int countdownseconds = 0; // the countdown's length
int countdownsource = 0; // 0: Print Screen's selected source; 1 to 3: a request's
bool counting = false;

void showleft(int left)
{
    kx_temps t;
    statusmessage(kxcat(t, txCapturingIn, kxnum(t, left), txEllipsis));
}

}

void initcountdown()
{
    countdowntimer = CreateTimer(1.0f);
    PauseTimer(countdowntimer);
}

bool countingdown() { return counting; }

void startcountdown(int seconds, int source)
{
    countdownseconds = seconds;
    countdownsource = source;
    counting = true;
    ResetTimer(countdowntimer);
    ResumeTimer(countdowntimer);
    showleft(seconds);
}

void cancelcountdown()
{
    counting = false;
    PauseTimer(countdowntimer);
    ResetTimer(countdowntimer);
    if (countdownsource != 0)
        remotefinished(1, txCountdownCancelled);
    statusmessage(txCountdownCancelled);
}

void printscreen()
{
    if (counting) {
        cancelcountdown();
        return;
    }
    if (capturedelay > 0)
        startcountdown(capturedelay, 0);
    else
        capturenow();
}

bool countdownevent()
{
    if (EventID() != TimerTick || countdowntimer == 0 || EventSource() != countdowntimer)
        return false;
    if (!counting)
        return true;
    int left = countdownseconds - TimerTicks(countdowntimer);
    if (left > 0) {
        showleft(left);
        return true;
    }
    counting = false;
    PauseTimer(countdowntimer);
    ResetTimer(countdowntimer);
    if (countdownsource == 0)
        capturenow();
    else
        remotecapture();
    return true;
}
