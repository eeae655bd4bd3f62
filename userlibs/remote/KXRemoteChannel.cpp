// The capture-request socket.
#include "userlibs/remote/KXRemoteChannel.h"
#include "winapi/KXNamedMutex.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr size_t LongestRequest = 8192;
constexpr int ReadMillis = 2000; // a client writes its whole request at once

bool fillAddress(const std::string& path, sockaddr_un& addr)
{
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof addr.sun_path)
        return false;
    std::memcpy(addr.sun_path, path.data(), path.size());
    return true;
}

// Reads until the peer closes its side, at most limit bytes, within millis; false on timeout,
// error or overflow.
bool readAll(int fd, std::string& out, size_t limit, int millis)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(millis);
    char buffer[1024];
    for (;;) {
        int left = int(std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count());
        if (left <= 0)
            return false;
        pollfd p { fd, POLLIN, 0 };
        int ready = poll(&p, 1, left);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        out.append(buffer, size_t(n));
        if (out.size() > limit)
            return false;
    }
}

bool writeAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

bool samePerson(int fd)
{
    ucred cred {};
    socklen_t length = sizeof cred;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &length) == 0 && cred.uid == getuid();
}

}

std::string KXRemoteChannel::socketPath(const std::string& name)
{
    std::string lock = KXNamedMutex::lockPath(name);
    if (lock.empty())
        return {};
    std::string path = lock + ".sock";
    sockaddr_un addr;
    return fillAddress(path, addr) ? path : std::string();
}

bool KXRemoteChannel::listen(const std::string& name)
{
    stop();
    std::string path = socketPath(name);
    sockaddr_un addr;
    if (!fillAddress(path, addr))
        return false;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode))
        unlink(path.c_str());
    // The folder is the owner's alone; the mode is narrowed before anyone can connect.
    mode_t old = umask(0177);
    int bound = bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    umask(old);
    if (bound != 0 || chmod(path.c_str(), 0600) != 0 || ::listen(fd, 4) != 0) {
        close(fd);
        return false;
    }
    m_listen = fd;
    m_path = path;
    return true;
}

bool KXRemoteChannel::take(KXCaptureRequest& out)
{
    if (m_listen < 0 || m_client >= 0)
        return false;
    for (;;) {
        int fd = accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            return false;
        std::string text;
        KXCaptureRequest request;
        if (samePerson(fd) && readAll(fd, text, LongestRequest, ReadMillis) && KXCaptureRequest::decode(text, request)) {
            m_client = fd;
            out = std::move(request);
            return true;
        }
        writeAll(fd, "2\nthe running Pictorra did not understand the request\n");
        close(fd);
    }
}

void KXRemoteChannel::answer(int status, const std::string& message)
{
    if (m_client < 0)
        return;
    writeAll(m_client, std::to_string(status) + "\n" + message + "\n");
    close(m_client);
    m_client = -1;
}

void KXRemoteChannel::stop()
{
    answer(1, "Pictorra ended before the capture");
    if (m_listen >= 0) {
        close(m_listen);
        m_listen = -1;
        unlink(m_path.c_str());
    }
}

int KXRemoteChannel::send(const std::string& name, const KXCaptureRequest& request, int waitSeconds, std::string& message)
{
    sockaddr_un addr;
    int fd = fillAddress(socketPath(name), addr) ? socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0) : -1;
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        if (fd >= 0)
            close(fd);
        message = "Pictorra is running but does not take capture requests";
        return 1;
    }
    std::string reply;
    bool ok = writeAll(fd, request.encode()) && shutdown(fd, SHUT_WR) == 0
        && readAll(fd, reply, LongestRequest, waitSeconds * 1000);
    close(fd);
    size_t nl = reply.find('\n');
    if (!ok || nl == std::string::npos || nl == 0) {
        message = "the running Pictorra did not answer";
        return 1;
    }
    message = reply.substr(nl + 1);
    while (!message.empty() && message.back() == '\n')
        message.pop_back();
    return std::atoi(reply.substr(0, nl).c_str());
}
