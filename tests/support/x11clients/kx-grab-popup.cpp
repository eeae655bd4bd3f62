// kx-grab-popup: a program with its menu open, for tests. It shows a window titled "Grabbing
// Program" (300 x 200, one colour) and, once that window has the focus, a popup (an
// override-redirect window, 120 x 80, another colour) at (40, 30) inside it, and holds an active
// keyboard and pointer grab as an open menu does. "grabbed" on standard output once the grab
// is held; it ends when its standard input closes.
//   kx-grab-popup WINDOW_COLOUR POPUP_COLOUR     (colours as 0xRRGGBB)
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    unsigned long windowColour = std::strtoul(argv[1], nullptr, 16), popupColour = std::strtoul(argv[2], nullptr, 16);
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return 1;
    Window root = DefaultRootWindow(d);
    Window w = XCreateSimpleWindow(d, root, 100, 100, 300, 200, 0, 0, windowColour);
    XStoreName(d, w, "Grabbing Program");
    XSelectInput(d, w, FocusChangeMask | StructureNotifyMask);
    XMapWindow(d, w);
    XEvent event;
    do
        XNextEvent(d, &event);
    while (event.type != FocusIn);

    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(d, w, root, 40, 30, &x, &y, &child);
    XSetWindowAttributes attributes {};
    attributes.override_redirect = True;
    attributes.background_pixel = popupColour;
    Window popup = XCreateWindow(d, root, x, y, 120, 80, 0, CopyFromParent, InputOutput, CopyFromParent,
        CWOverrideRedirect | CWBackPixel, &attributes);
    XSelectInput(d, popup, StructureNotifyMask);
    XMapRaised(d, popup);
    do
        XNextEvent(d, &event);
    while (event.type != MapNotify || event.xmap.window != popup);
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (XGrabKeyboard(d, popup, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess
            && XGrabPointer(d, popup, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess)
            break;
        usleep(10000);
    }
    XSync(d, False);
    std::puts("grabbed");
    std::fflush(stdout);
    pollfd p[2] = { { 0, POLLIN, 0 }, { ConnectionNumber(d), POLLIN, 0 } };
    for (;;) {
        while (XPending(d))
            XNextEvent(d, &event);
        poll(p, 2, -1);
        char c;
        if ((p[0].revents & (POLLIN | POLLHUP)) && read(0, &c, 1) <= 0)
            return 0;
    }
}
