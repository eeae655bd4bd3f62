// Main event loop, Print Screen monitor while inactive, status messages and the orderly exit.
#include "pictorra.h"

// FIXME: a minimal loop until the full one lands: the Exit menu and the close box end the
// program, and the enable states, swatches and menu bar follow every event.
void mainloop()
{
    while (int id = WaitEvent(-1)) {
        if (id == 0x803 && EventSource() == win)
            shutdownprog();
        if (id == 0x1001 && EventData() == 40)
            shutdownprog();
        checkgadgetenable();
        updatepanelcolours();
        UpdateWindowMenu(win);
    }
}

int monitorkey()
{
    notbuilt();
}

// The orderly exit: settings stored, the thumbnail file removed, DirectX print-screen support
// switched off again.
void shutdownprog()
{
    writeconfig();
    DeleteFile(txThumbFile);
    if (DXPrintScreenEnabled() == 1) {
        ToggleDXPrintScreen();
        Delay(8);
    }
    End();
}

void statusmessage(kx_str text)
{
    SetStatusText(win, text);
    ResetTimer(messagetimer);
    ResumeTimer(messagetimer);
}
