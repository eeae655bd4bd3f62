// Starting programs with fork and exec.
#include "core/KXSpawner.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <initializer_list>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Moves a pipe end above the standard descriptors, so the child's dup2 calls cannot clobber it
// (possible when the runtime itself runs with a standard descriptor closed).
int aboveStandard(int fd)
{
    if (fd > 2)
        return fd;
    int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
    close(fd);
    return moved;
}

bool makePipe(int ends[2])
{
    if (pipe2(ends, O_CLOEXEC) != 0)
        return false;
    ends[0] = aboveStandard(ends[0]);
    ends[1] = aboveStandard(ends[1]);
    return ends[0] >= 0 && ends[1] >= 0;
}

void closeAll(std::initializer_list<int> fds)
{
    for (int fd : fds)
        if (fd >= 0)
            close(fd);
}

// The child's side: only async-signal-safe calls from fork to exec. A failed exec reports its
// errno through the status pipe, which a successful exec closes unseen.
[[noreturn]] void execChild(char* const* argv, const KXSpawner::Options& o, int in, int out, int status)
{
    if (in >= 0)
        dup2(in, 0);
    if (out >= 0)
        dup2(out, 1);
    // The runtime may block or ignore SIGPIPE for its own writes; the program starts with the
    // default, as any program started from a shell does.
    signal(SIGPIPE, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (o.searchPath)
        execvp(argv[0], argv);
    else
        execv(argv[0], argv);
    int e = errno;
    ssize_t ignored = ::write(status, &e, sizeof e);
    (void)ignored;
    _exit(127);
}
}

bool KXSpawner::spawn(const std::vector<std::string>& args, const Options& o, Child& result)
{
    result = Child();
    if (args.empty() || args[0].empty())
        return false;
    // Everything the child needs is made before the fork.
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    int in[2] = { -1, -1 }, out[2] = { -1, -1 }, status[2] = { -1, -1 };
    auto closePipes = [&] { closeAll({ in[0], in[1], out[0], out[1], status[0], status[1] }); };
    if ((o.pipeInput && !makePipe(in)) || (o.pipeOutput && !makePipe(out)) || !makePipe(status)) {
        closePipes();
        return false;
    }
    // Buffered output must not be written twice should a child flush it.
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        if (!o.detached)
            execChild(argv.data(), o, in[0], out[1], status[1]);
        // The intermediate child: starts the program in its own session and leaves at once.
        pid_t grandchild = fork();
        if (grandchild == 0) {
            setsid();
            execChild(argv.data(), o, in[0], out[1], status[1]);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    closeAll({ in[0], out[1], status[1] });
    in[0] = out[1] = status[1] = -1;
    if (pid < 0) {
        closePipes();
        return false;
    }
    bool started = true;
    if (o.detached) {
        int st = 0;
        while (waitpid(pid, &st, 0) < 0 && errno == EINTR) { }
        started = WIFEXITED(st) && WEXITSTATUS(st) == 0;
        pid = -1;
    }
    // The status pipe ends when the program runs (closed on exec) or its start failed (errno).
    int e = 0;
    ssize_t got;
    do
        got = ::read(status[0], &e, sizeof e);
    while (got < 0 && errno == EINTR);
    close(status[0]);
    status[0] = -1;
    if (got == sizeof e)
        started = false;
    if (!started) {
        if (pid > 0)
            waitpid(pid, nullptr, 0);
        closePipes();
        return false;
    }
    result.pid = pid;
    result.input = in[1];
    result.output = out[0];
    return true;
}
