// Test program: a window with a menu bar and a timer, driven by the headless scripted user.
// It prints every menu choice, key release, timer tick (once) and the close, then ends.
#include "trova.h"

KX_CSTR(title, "Session");
KX_CSTR(fileText, "&File");
KX_CSTR(openText, "&Open");
KX_CSTR(exitText, "E&xit");
KX_CSTR(blank, " ");
KX_CSTR(tick, "tick");
KX_CSTR(closed, "closed");
KX_CSTRS(&title, &fileText, &openText, &exitText, &blank, &tick, &closed);

KX_DATA();
KX_LIBS();

static void report(kx_str what, int data)
{
    kx_temps t;
    Print(t.made(kxStrConcat(t.made(kxStrConcat(what, blank)), t.made(kxStrFromInt(data)))));
}

KX_MAIN()
{
    int window = CreateWindow(title, 40, 40, 320, 200);
    int file = CreateMenu(fileText, 0, WindowMenu(window));
    CreateMenu(openText, 5, file);
    CreateMenu(exitText, 9, file);
    UpdateWindowMenu(window);
    int timer = CreateTimer(50.0f);
    bool ticked = false;
    for (;;) {
        int id = WaitEvent(-1);
        if (id == 0x4001 && !ticked && EventSource() == timer) {
            ticked = true;
            Print(tick);
        } else if (id == 0x1001 || id == 0x102) {
            kx_temps t;
            report(t(Hex(id)), EventData());
        } else if (id == 0x803 && EventSource() == window) {
            Print(closed);
            break;
        }
    }
    FreeTimer(timer);
    FreeGadget(window);
}
