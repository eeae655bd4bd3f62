// KXProcess: a stream connected to a child process's standard input (what the program writes)
// and standard output (what the program reads).
//
// Invariants: m_in and m_out are open pipe ends until destruction, which closes them (the child
// then sees the end of its input) and reaps the child if it has already exited.
#pragma once

#include "core/KXStream.h"

#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

class KXProcess : public KXStream {
public:
    // Starts the command without a shell: the text is split into arguments (KXCommandLine::split,
    // backslashes before quotes escaping), the first naming the program, looked up along PATH
    // when it holds no separator. Answers null when there is no argument or the program cannot
    // be started.
    static KXProcess* start(std::string_view commandLine);
    ~KXProcess() override;

    // Waits until n bytes arrived or the child closed its output.
    int read(void* buffer, int n) override;
    // Waits until all n bytes are taken; fewer when the child closed its input.
    int write(const void* buffer, int n) override;
    int avail() override;
    // 1 once the child closed its output and every byte was read; 0 while more may come.
    int eof() override;
    // Pipes have no position: both answer 0.
    int pos() override { return 0; }
    int seek(int) override { return 0; }

    pid_t pid() const { return m_pid; }
    const char* typeName() const override { return "Process"; }

private:
    KXProcess(pid_t pid, int in, int out)
        : m_pid(pid)
        , m_in(in)
        , m_out(out)
    {
    }

    pid_t m_pid;
    int m_in; // write end of the child's standard input
    int m_out; // read end of the child's standard output
    bool m_ended { false };
};
