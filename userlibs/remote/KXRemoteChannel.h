// KXRemoteChannel: the UNIX socket through which a second start hands a capture request to the
// running instance, and the answer back.
//
// The socket lies beside the single-instance lock (its lock file's path plus ".sock"), in the
// owner's private lock folder, with mode 0600; the instance also refuses peers of another user.
// Only the holder of the instance lock listens, so a socket file left by a crashed instance is
// removed before binding.
//
// Wire: the client sends one request block (KXCaptureRequest::encode) and closes its sending
// side; the instance answers "STATUS\nMESSAGE\n" and closes.
#pragma once

#include "userlibs/remote/KXCaptureRequest.h"

#include <string>

class KXRemoteChannel {
public:
    // The socket path for the single-instance lock called name; empty when the lock folder is
    // unusable or the path too long for a socket.
    static std::string socketPath(const std::string& name);

    // Instance side. listen answers false when the socket cannot be made (the instance then
    // runs without taking requests).
    bool listen(const std::string& name);
    // A request waiting, read in full without blocking the caller for more than a moment; false
    // when none waits. While one is taken and not yet answered, no other is taken.
    bool take(KXCaptureRequest& out);
    void answer(int status, const std::string& message);
    void stop();
    bool isListening() const { return m_listen >= 0; }

    // Client side: sends request to the instance and waits for its answer (up to waitSeconds).
    // Returns the status and message; status 1 with a message when the instance cannot be
    // reached or did not answer.
    static int send(const std::string& name, const KXCaptureRequest& request, int waitSeconds, std::string& message);

    ~KXRemoteChannel() { stop(); }

private:
    int m_listen { -1 };
    int m_client { -1 };
    std::string m_path;
};
