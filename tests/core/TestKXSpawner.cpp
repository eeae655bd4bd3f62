// Starting programs: piped children, failed starts that leave nothing behind, and detached
// programs in their own session.
#include "core/KXSpawner.h"
#include "tests/support/KXTempDir.h"
#include "tests/support/KXTestSupport.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
int openDescriptors()
{
    int n = 0;
    if (DIR* d = opendir("/proc/self/fd")) {
        while (readdir(d))
            ++n;
        closedir(d);
    }
    return n;
}

bool noChildren()
{
    return waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

std::string readAll(int fd)
{
    std::string out;
    char buf[256];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0)
        out.append(buf, size_t(n));
    return out;
}

// The file's text once it holds a whole line (the program writes it after it started).
std::string waitForLine(const std::string& path)
{
    for (int i = 0; i < 400; ++i) {
        std::ifstream in(path);
        std::stringstream ss;
        ss << in.rdbuf();
        std::string s = ss.str();
        if (!s.empty() && s.back() == '\n')
            return s.substr(0, s.size() - 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return {};
}
}

TEST(Spawner, PipedChildTalksAndIsReaped)
{
    KXSpawner::Options o;
    o.pipeInput = o.pipeOutput = true;
    KXSpawner::Child c;
    ASSERT_TRUE(KXSpawner::spawn({ "sh", "-c", "tr a-z A-Z; exit 3", "ignored" }, o, c));
    ASSERT_GT(c.pid, 0);
    for (int fd : { c.input, c.output }) {
        EXPECT_GT(fd, 2);
        EXPECT_TRUE(fcntl(fd, F_GETFD) & FD_CLOEXEC) << "a later child would inherit " << fd;
    }
    ASSERT_EQ(write(c.input, "hello\n", 6), 6);
    close(c.input);
    EXPECT_EQ(readAll(c.output), "HELLO\n");
    close(c.output);
    int status = 0;
    ASSERT_EQ(waitpid(c.pid, &status, 0), c.pid);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
}

TEST(Spawner, FailedStartsLeaveNoDescriptorOrChild)
{
    const int before = openDescriptors();
    KXSpawner::Options o;
    o.pipeInput = o.pipeOutput = true;
    KXSpawner::Child c;
    EXPECT_FALSE(KXSpawner::spawn({ "no-such-program-kx-spawner" }, o, c));
    EXPECT_FALSE(KXSpawner::spawn({ "/etc/passwd" }, o, c)); // not executable
    EXPECT_FALSE(KXSpawner::spawn({}, o, c));
    EXPECT_FALSE(KXSpawner::spawn({ "" }, o, c));
    // Without the PATH search a bare name is a file in the current folder.
    o.searchPath = false;
    EXPECT_FALSE(KXSpawner::spawn({ "sh", "-c", "exit 0" }, o, c));
    o.detached = true;
    EXPECT_FALSE(KXSpawner::spawn({ "/no/such/program" }, o, c));
    EXPECT_EQ(c.pid, -1);
    EXPECT_EQ(c.input, -1);
    EXPECT_EQ(c.output, -1);
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_TRUE(noChildren());
}

TEST(Spawner, DetachedProgramRunsInItsOwnSessionAndIsNotOurChild)
{
    KXTempDir dir;
    const std::string out = dir / "pid";
    KXSpawner::Options o;
    o.searchPath = false;
    o.detached = true;
    KXSpawner::Child c;
    ASSERT_TRUE(KXSpawner::spawn({ "/bin/sh", "-c", "echo $$ > \"$1\"; exec sleep 30", "sh", out }, o, c));
    EXPECT_EQ(c.pid, -1);
    EXPECT_TRUE(noChildren());
    const std::string line = waitForLine(out);
    ASSERT_FALSE(line.empty());
    const pid_t pid = pid_t(std::stol(line));
    // The program leads a session of its own, so it outlives a terminal hang-up of ours.
    std::ifstream stat("/proc/" + line + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string state;
    long parent = 0, group = 0, session = 0;
    fields >> state >> parent >> group >> session;
    EXPECT_EQ(session, long(pid));
    EXPECT_NE(session, long(getsid(0)));
    kill(pid, SIGTERM);
}
