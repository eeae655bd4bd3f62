// How failures reach the user and end the program.
#pragma once

// Formats the message (printf-style, cut to 255 characters), stops the debugger, shows the
// message through it and ends the program with exit code 0. Never returns.
[[noreturn]] void kxRuntimeError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Formats the message, shows it captioned "***** INTERNAL ERROR *****" and exits the process
// with code 0 without shutting modules down. Never returns.
[[noreturn]] void kxInternalError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Formats the message and hands it to the current debugger's log.
void kxDebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Ends the program: run state 3, the end handler (the host's shuts the modules down in reverse
// start order), exit code 0. Called while the program is already ending it raises the internal
// error "Recursive kxEnd".
[[noreturn]] void kxEnd();

// The host installs what ending a run takes down; kxEnd calls the handler once the run state is
// 3, then flushes the output streams and exits with code 0. Until one is installed (or after
// null) nothing is taken down: a process without a host started no run.
using KXEndHandler = void (*)();
void kxSetEndHandler(KXEndHandler handler);

// A C++ exception that leaves a command cannot unwind through program code (compiled without
// unwind tables) and ends in std::terminate. After this call, an allocation failure ending
// there (std::bad_alloc, std::length_error) becomes the runtime error "Out of memory", as the
// commands that check their allocations report it; anything else still aborts.
void kxGuardUncaughtExceptions();

// The message loop runs on a stack of its own, which is freed as the process exits. An end
// that starts on that stack is handed to the program's stack first: the relay switches there
// and the end goes on from the point where the program entered the loop. The relay returns at
// once when the caller already runs on the program's stack.
using KXEndRelay = void (*)();
void kxSetEndRelay(KXEndRelay relay);

// Tests replace what happens at the very end of a runtime error or kxEnd. The trap receives
// the runtime error's message (or null for a plain end) and must not return (it throws or exits).
using KXEndTrap = void (*)(const char* message);
void kxSetEndTrap(KXEndTrap trap);
