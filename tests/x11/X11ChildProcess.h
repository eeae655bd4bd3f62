// X11ChildProcess: another program started through KXSpawner (QProcess's own start-up fails
// under the user-mode emulator), its input written at once, its output collected while the caller
// pumps events.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/types.h>

class X11ChildProcess {
public:
    X11ChildProcess() = default;
    ~X11ChildProcess();
    X11ChildProcess(const X11ChildProcess&) = delete;
    X11ChildProcess& operator=(const X11ChildProcess&) = delete;

    // Starts program (found on PATH) with args; input goes to its standard input, which is then
    // closed. False when it could not start.
    bool start(const QString& program, const QStringList& args, const QByteArray& input = {});
    // Takes what it wrote so far and checks whether it ended; answers true once it has.
    bool poll();
    // Its exit code once ended (-1 when killed by a signal).
    int exitCode() const { return m_exitCode; }
    const QByteArray& output() const { return m_output; }
    void kill();

private:
    pid_t m_pid { -1 };
    int m_stdout { -1 };
    bool m_ended { false };
    int m_exitCode { -1 };
    QByteArray m_output;
};
