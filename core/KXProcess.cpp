// Child processes with piped standard input and output.
#include "core/KXProcess.h"

#include "core/KXCommandLine.h"
#include "core/KXPath.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
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

// Writing to a pipe whose reader has gone raises SIGPIPE, which would end the runtime. The
// signal is blocked around the write and a SIGPIPE the write caused is taken off again.
ssize_t writeWithoutSigpipe(int fd, const void* data, size_t n)
{
    sigset_t pipeSet, old, pending;
    sigemptyset(&pipeSet);
    sigaddset(&pipeSet, SIGPIPE);
    sigpending(&pending);
    bool wasPending = sigismember(&pending, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSet, &old);
    ssize_t r = ::write(fd, data, n);
    if (r < 0 && errno == EPIPE && !wasPending) {
        timespec zero {};
        sigtimedwait(&pipeSet, nullptr, &zero);
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    return r;
}
}

KXProcess* KXProcess::start(std::string_view commandLine)
{
    std::vector<std::string> args = KXCommandLine::split(commandLine);
    if (args.empty() || args[0].empty())
        return nullptr;
    args[0] = kxSystemPath(args[0]);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int in[2] = { -1, -1 }, out[2] = { -1, -1 }, status[2] = { -1, -1 };
    if (!makePipe(in) || !makePipe(out) || !makePipe(status)) {
        closeAll({ in[0], in[1], out[0], out[1], status[0], status[1] });
        return nullptr;
    }
    pid_t pid = fork();
    if (pid == 0) {
        // The child: only async-signal-safe calls until exec. A failed exec reports its errno
        // through the status pipe, which exec otherwise closes unseen.
        dup2(in[0], 0);
        dup2(out[1], 1);
        signal(SIGPIPE, SIG_DFL);
        execvp(argv[0], argv.data());
        int e = errno;
        ssize_t ignored = ::write(status[1], &e, sizeof e);
        (void)ignored;
        _exit(127);
    }
    closeAll({ in[0], out[1], status[1] });
    if (pid < 0) {
        closeAll({ in[1], out[0], status[0] });
        return nullptr;
    }
    int e = 0;
    ssize_t got;
    do
        got = ::read(status[0], &e, sizeof e);
    while (got < 0 && errno == EINTR);
    close(status[0]);
    if (got == sizeof e) {
        waitpid(pid, nullptr, 0);
        closeAll({ in[1], out[0] });
        return nullptr;
    }
    return new KXProcess(pid, in[1], out[0]);
}

KXProcess::~KXProcess()
{
    close(m_in);
    close(m_out);
    // A child still running is not waited for (nor killed): closing its input asks it to end.
    waitpid(m_pid, nullptr, WNOHANG);
}

int KXProcess::read(void* buffer, int n)
{
    int done = 0;
    while (done < n) {
        ssize_t r = ::read(m_out, static_cast<char*>(buffer) + done, size_t(n - done));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            m_ended = true;
            break;
        }
        done += int(r);
    }
    return done;
}

int KXProcess::write(const void* buffer, int n)
{
    int done = 0;
    while (done < n) {
        ssize_t r = writeWithoutSigpipe(m_in, static_cast<const char*>(buffer) + done, size_t(n - done));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        done += int(r);
    }
    return done;
}

int KXProcess::avail()
{
    int n = 0;
    if (ioctl(m_out, FIONREAD, &n) != 0)
        return 0;
    return n;
}

int KXProcess::eof()
{
    if (m_ended)
        return 1;
    pollfd p { m_out, POLLIN, 0 };
    if (poll(&p, 1, 0) > 0 && avail() == 0) {
        // Readable with nothing to read: the child closed its output.
        m_ended = true;
        return 1;
    }
    return 0;
}
