// keytime: presses and releases a key on the X display through XTest, as xdotool's `key` does,
// and prints the milliseconds from just before the press until a file in a folder is closed after
// writing (the program's save complete). Sending the key from here keeps the start of a helper
// program out of the figure; with a command instead of a key name it runs that command as the
// sender, timed from just before it starts.
//   keytime FOLDER TIMEOUT_MS KEYSYM
//   keytime FOLDER TIMEOUT_MS -- COMMAND ARGS...
// Prints "MS NAME SIZE" on success; "- - -" and exit status 1 when no file was written within
// the time-out, 2 for bad arguments, a folder that cannot be watched or a key that cannot be sent.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;

// The name of the next file closed after writing in the watched folder, or "" at the deadline.
std::string awaitWritten(int fd, Clock::time_point deadline)
{
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return {};
        pollfd p { fd, POLLIN, 0 };
        if (poll(&p, 1, int(left)) <= 0)
            continue;
        ssize_t n = read(fd, buffer, sizeof buffer);
        for (ssize_t at = 0; n > 0 && at + ssize_t(sizeof(inotify_event)) <= n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
            if ((e->mask & (IN_CLOSE_WRITE | IN_MOVED_TO)) && e->len > 0 && e->name[0])
                return e->name;
            at += ssize_t(sizeof(inotify_event)) + e->len;
        }
    }
}
}

int main(int argc, char** argv)
{
    const bool command = argc >= 5 && std::strcmp(argv[3], "--") == 0;
    if (argc != 4 && !command) {
        std::fprintf(stderr, "usage: keytime FOLDER TIMEOUT_MS KEYSYM | keytime FOLDER TIMEOUT_MS -- COMMAND ARGS...\n");
        return 2;
    }
    const char* folder = argv[1];
    long timeout = std::strtol(argv[2], nullptr, 10);
    int fd = inotify_init1(IN_CLOEXEC);
    if (fd < 0 || inotify_add_watch(fd, folder, IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
        std::perror("keytime: cannot watch the folder");
        return 2;
    }
    Display* display = nullptr;
    KeyCode key = 0;
    if (!command) {
        int event, error, major, minor;
        display = XOpenDisplay(nullptr);
        KeySym sym = display ? XStringToKeysym(argv[3]) : NoSymbol;
        key = sym != NoSymbol ? XKeysymToKeycode(display, sym) : 0;
        if (!display || !key || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
            std::fprintf(stderr, "keytime: cannot send %s on this display\n", argv[3]);
            return 2;
        }
    }
    auto t0 = Clock::now();
    pid_t child = 0;
    if (command) {
        if (posix_spawnp(&child, argv[4], nullptr, nullptr, argv + 4, environ) != 0) {
            std::perror("keytime: cannot start the command");
            return 2;
        }
    } else {
        XTestFakeKeyEvent(display, key, True, CurrentTime);
        XTestFakeKeyEvent(display, key, False, CurrentTime);
        XFlush(display);
    }
    std::string name = awaitWritten(fd, t0 + std::chrono::milliseconds(timeout > 0 ? timeout : 10000));
    auto t1 = Clock::now();
    if (child) {
        int status;
        waitpid(child, &status, 0);
    }
    if (display)
        XCloseDisplay(display);
    if (name.empty()) {
        std::printf("- - -\n");
        return 1;
    }
    struct stat st { };
    stat((std::string(folder) + "/" + name).c_str(), &st);
    std::printf("%.1f %s %lld\n", std::chrono::duration<double, std::milli>(t1 - t0).count(), name.c_str(),
        static_cast<long long>(st.st_size));
    return 0;
}
