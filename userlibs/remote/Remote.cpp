// Remote.dll: Pictorra's command-line captures, bound as "data\Remote.dll". It parses the command
// line, prints the help and error lines, hands a request to the running instance over
// KXRemoteChannel and, in that instance, hands the program the requests that arrive.
//
// One request is current at a time: the one the command line gave (RemoteParse) or the one the
// instance took last (RemoteTake); RemoteSource, RemoteDelay, RemoteClipboard, RemoteFormat and
// RemoteOutput describe it.
#include "core/KXCommandLine.h"
#include "userlibs/remote/KXCaptureRequest.h"
#include "userlibs/remote/KXRemoteChannel.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {
KXCaptureRequest s_request;
KXRemoteChannel s_channel;
constexpr int WaitBeyondDelay = 60; // seconds a client waits for the capture after its delay

void errorLine(const std::string& text)
{
    if (!text.empty())
        std::fprintf(stderr, "pictorra: %s\n", text.c_str());
    std::fflush(stderr);
}
}

// 0: no arguments (a normal start); 1: a capture request, now current; 2: --help, printed on
// standard output; 3: bad arguments, one line printed on standard error.
extern "C" __attribute__((stdcall, visibility("default"))) int RemoteParse(const char* commandLine) __asm__("_RemoteParse");
int RemoteParse(const char* commandLine)
{
    std::vector<std::string> args = KXCommandLine::split(commandLine ? commandLine : "");
    std::string error;
    switch (KXCaptureRequest::parse(args, s_request, error)) {
    case KXCaptureRequest::Parsed::Nothing:
        return 0;
    case KXCaptureRequest::Parsed::Capture:
        return 1;
    case KXCaptureRequest::Parsed::Help:
        std::fputs(KXCaptureRequest::helpText(), stdout);
        std::fflush(stdout);
        return 2;
    case KXCaptureRequest::Parsed::Bad:
        break;
    }
    errorLine(error);
    return 3;
}

extern "C" __attribute__((stdcall, visibility("default"))) int RemoteSource() __asm__("_RemoteSource");
int RemoteSource() { return int(s_request.source); }

// The request's delay in seconds, -1 for the stored setting.
extern "C" __attribute__((stdcall, visibility("default"))) int RemoteDelay() __asm__("_RemoteDelay");
int RemoteDelay() { return s_request.delay; }

extern "C" __attribute__((stdcall, visibility("default"))) int RemoteClipboard() __asm__("_RemoteClipboard");
int RemoteClipboard() { return s_request.clipboard ? 1 : 0; }

// -1 no output file, 0 BMP, 1 JPEG, 2 PNG.
extern "C" __attribute__((stdcall, visibility("default"))) int RemoteFormat() __asm__("_RemoteFormat");
int RemoteFormat() { return int(s_request.format); }

// Copies the output path and its terminator into buffer when it fits in size bytes; answers the
// path's length (0: none), whether or not it fitted.
extern "C" __attribute__((stdcall, visibility("default"))) int RemoteOutput(char* buffer, int size) __asm__("_RemoteOutput");
int RemoteOutput(char* buffer, int size)
{
    int length = int(s_request.output.size());
    if (buffer && size > length)
        std::memcpy(buffer, s_request.output.c_str(), size_t(length) + 1);
    return length;
}

// Hands the current request to the running instance of the lock called name, prints its
// failure line, if any, and answers the exit status.
extern "C" __attribute__((stdcall, visibility("default"))) int RemoteSend(const char* name) __asm__("_RemoteSend");
int RemoteSend(const char* name)
{
    std::string message;
    int wait = (s_request.delay < 0 ? 10 : s_request.delay) + WaitBeyondDelay;
    int status = KXRemoteChannel::send(name ? name : "", s_request, wait, message);
    if (status != 0)
        errorLine(message);
    return status;
}

// Starts taking requests for the lock called name (held by this process); 1 when listening.
extern "C" __attribute__((stdcall, visibility("default"))) int RemoteListen(const char* name) __asm__("_RemoteListen");
int RemoteListen(const char* name) { return s_channel.listen(name ? name : "") ? 1 : 0; }

// 1 when a request arrived; it is now current and waits for RemoteAnswer.
extern "C" __attribute__((stdcall, visibility("default"))) int RemoteTake() __asm__("_RemoteTake");
int RemoteTake() { return s_channel.take(s_request) ? 1 : 0; }

// Answers the request taken last: status 0 when its capture was written, else its error line.
extern "C" __attribute__((stdcall, visibility("default"))) void RemoteAnswer(int status, const char* message) __asm__("_RemoteAnswer");
void RemoteAnswer(int status, const char* message) { s_channel.answer(status, message ? message : ""); }

extern "C" __attribute__((stdcall, visibility("default"))) void RemoteStop() __asm__("_RemoteStop");
void RemoteStop() { s_channel.stop(); }

// Ends the process at once with status after printing message (when not empty) as one line on
// standard error: how a capture without a window reports a failure. The program has already
// tidied what it leaves behind.
extern "C" __attribute__((stdcall, visibility("default"))) void RemoteExit(int status, const char* message) __asm__("_RemoteExit");
void RemoteExit(int status, const char* message)
{
    errorLine(message ? message : "");
    std::fflush(stdout);
    _exit(status);
}
