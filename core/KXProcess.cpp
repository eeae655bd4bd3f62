// Child processes with piped standard input and output.
#include "core/KXProcess.h"

#include "core/KXCommandLine.h"
#include "core/KXPath.h"
#include "core/KXSpawner.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
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
    KXSpawner::Options options;
    options.pipeInput = options.pipeOutput = true;
    KXSpawner::Child child;
    if (!KXSpawner::spawn(args, options, child))
        return nullptr;
    return new KXProcess(child.pid, child.input, child.output);
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
