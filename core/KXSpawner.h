// KXSpawner: starts another program with fork and exec, never through a shell.
//
// Every program the runtime or its tests start goes through here (child process streams,
// ExecFile, the test helpers), so that descriptors, signals and exec failures are handled once.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

class KXSpawner {
public:
    struct Options {
        // Look a program name without a separator up along PATH (else it is taken as it stands).
        bool searchPath { true };
        // Give the child a pipe as its standard input (Child::input is our write end) or output
        // (Child::output is our read end). Otherwise it shares ours.
        bool pipeInput { false };
        bool pipeOutput { false };
        // Start it in its own session through an intermediate child that exits at once, so it
        // outlives nothing of ours and leaves no zombie; Child::pid is then -1.
        bool detached { false };
    };

    // What the caller owns after a successful start: the child to reap (unless detached) and the
    // pipe ends asked for, -1 for the others. Pipe ends are above the standard descriptors and
    // closed on exec, so later children never inherit them.
    struct Child {
        pid_t pid { -1 };
        int input { -1 };
        int output { -1 };
    };

    // Starts args[0] with the arguments args (args[0] included). True once the program runs;
    // false when args is empty, args[0] is empty or cannot be executed, or the system refuses a
    // pipe or a process. A false answer leaves no descriptor open and no child behind.
    static bool spawn(const std::vector<std::string>& args, const Options& options, Child& out);
};
