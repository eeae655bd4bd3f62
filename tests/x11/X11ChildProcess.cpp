// Child processes for the X11 tests.
#include "tests/x11/X11ChildProcess.h"

#include "core/KXSpawner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

X11ChildProcess::~X11ChildProcess() { kill(); }

bool X11ChildProcess::start(const QString& program, const QStringList& args, const QByteArray& input)
{
    std::vector<std::string> words { program.toLocal8Bit().toStdString() };
    for (const QString& a : args)
        words.push_back(a.toLocal8Bit().toStdString());
    KXSpawner::Options options;
    options.pipeInput = options.pipeOutput = true;
    KXSpawner::Child child;
    if (!KXSpawner::spawn(words, options, child))
        return false;
    // Inputs here are small: written whole before the program reads.
    const char* p = input.constData();
    qsizetype left = input.size();
    while (left > 0) {
        ssize_t n = write(child.input, p, size_t(left));
        if (n <= 0)
            break;
        p += n;
        left -= n;
    }
    close(child.input);
    fcntl(child.output, F_SETFL, O_NONBLOCK);
    m_pid = child.pid;
    m_stdout = child.output;
    return true;
}

bool X11ChildProcess::poll()
{
    if (!m_ended && m_pid > 0) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_ended = true;
            m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
    }
    // Read after the exit check, so everything written before the exit is taken. A program that
    // leaves a background copy of itself keeps the pipe open: the exit, not the pipe's end, ends.
    if (m_stdout >= 0) {
        char buffer[65536];
        for (;;) {
            ssize_t n = read(m_stdout, buffer, sizeof buffer);
            if (n <= 0)
                break;
            m_output.append(buffer, n);
        }
    }
    return m_ended;
}

void X11ChildProcess::kill()
{
    if (m_pid > 0 && !m_ended) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_ended = true;
    }
    if (m_stdout >= 0) {
        close(m_stdout);
        m_stdout = -1;
    }
}
