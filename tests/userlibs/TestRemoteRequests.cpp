// Command-line capture requests: what the command line may say, the wire form the running
// instance accepts, and the socket between a second start and the instance.
#include "tests/support/KXTempDir.h"
#include "userlibs/remote/KXCaptureRequest.h"
#include "userlibs/remote/KXRemoteChannel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using Parsed = KXCaptureRequest::Parsed;

TEST(RemoteRequests, CommandLinesParseIntoRequestsOrOneErrorLine)
{
    KXCaptureRequest r;
    std::string error;
    EXPECT_EQ(KXCaptureRequest::parse({}, r, error), Parsed::Nothing);
    EXPECT_EQ(KXCaptureRequest::parse({ "--capture=full", "--help" }, r, error), Parsed::Help);
    ASSERT_EQ(KXCaptureRequest::parse({ "--capture", "client", "--delay=5", "--output", "/x/a.JPEG", "--clipboard" }, r, error),
        Parsed::Capture);
    EXPECT_EQ(r.source, KXCaptureRequest::Source::Client);
    EXPECT_EQ(r.delay, 5);
    EXPECT_EQ(r.format, KXCaptureRequest::Format::Jpeg);
    EXPECT_EQ(r.output, "/x/a.JPEG");
    EXPECT_TRUE(r.clipboard);
    ASSERT_EQ(KXCaptureRequest::parse({ "--capture=window", "--output=shot.png" }, r, error), Parsed::Capture);
    EXPECT_EQ(r.delay, -1);
    char* cwd = getcwd(nullptr, 0);
    EXPECT_EQ(r.output, std::string(cwd) + "/shot.png"); // made absolute where the command ran
    std::free(cwd);

    const std::vector<std::vector<std::string>> bad = { { "--capture=desk" }, { "--capture" }, { "--frob" },
        { "--capture=full", "--delay=-1" }, { "--capture=full", "--delay=3601" }, { "--capture=full", "--delay=2.5" },
        { "--capture=full", "--output=a.gif" }, { "--capture=full", "--output=dir.png/a" }, { "--output=a.png" },
        { "--capture=full", "--clipboard=yes" } };
    for (const auto& args : bad) {
        error.clear();
        EXPECT_EQ(KXCaptureRequest::parse(args, r, error), Parsed::Bad) << args.back();
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(RemoteRequests, TheInstanceTakesOnlyWellFormedRequests)
{
    KXCaptureRequest r, back;
    r.source = KXCaptureRequest::Source::Window;
    r.delay = 10;
    r.clipboard = true;
    r.format = KXCaptureRequest::Format::Bmp;
    r.output = "/tmp/a b.bmp";
    ASSERT_TRUE(KXCaptureRequest::decode(r.encode(), back));
    EXPECT_EQ(back.encode(), r.encode());

    std::string good = r.encode();
    for (const std::string& text : { std::string(), good.substr(0, good.size() - 1), "x" + good,
             std::string("pictorra-capture 1\n4\n-1\n0\n-1\n\n"), std::string("pictorra-capture 1\n1\n99999\n0\n-1\n\n"),
             std::string("pictorra-capture 1\n1\n-1\n0\n2\nrelative.png\n"), std::string("pictorra-capture 1\n1\n-1\n0\n-1\n/a.png\n"),
             good + "extra\n" })
        EXPECT_FALSE(KXCaptureRequest::decode(text, back)) << text;
}

TEST(RemoteRequests, ASecondStartHandsItsRequestToTheInstanceOverAnOwnerOnlySocket)
{
    KXTempDir dir;
    setenv("TROVA_MUTEX_DIR", dir.path().c_str(), 1);
    std::string path = KXRemoteChannel::socketPath("Pictorra");
    ASSERT_FALSE(path.empty());
    {
        std::string message;
        EXPECT_EQ(KXRemoteChannel::send("Pictorra", {}, 1, message), 1) << "nobody listens";
        EXPECT_FALSE(message.empty());
    }
    {
        std::ofstream stale(path);
    } // a file in the way is not a socket: listening refuses it
    KXRemoteChannel channel;
    EXPECT_FALSE(channel.listen("Pictorra"));
    unlink(path.c_str());
    ASSERT_TRUE(channel.listen("Pictorra"));
    struct stat st { };
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // Garbage is answered and never taken.
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    path.copy(addr.sun_path, sizeof addr.sun_path - 1);
    ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(write(fd, "nonsense\n", 9), 9);
    shutdown(fd, SHUT_WR);
    KXCaptureRequest taken;
    EXPECT_FALSE(channel.take(taken));
    char reply[64] = {};
    EXPECT_GT(read(fd, reply, sizeof reply - 1), 0);
    EXPECT_EQ(reply[0], '2');
    close(fd);

    KXCaptureRequest request;
    request.source = KXCaptureRequest::Source::Client;
    request.delay = 2;
    int status = -1;
    std::string message;
    std::thread client([&] { status = KXRemoteChannel::send("Pictorra", request, 10, message); });
    while (!channel.take(taken))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(taken.encode(), request.encode());
    channel.answer(1, "cannot write /x.png");
    client.join();
    EXPECT_EQ(status, 1);
    EXPECT_EQ(message, "cannot write /x.png");
    channel.stop();
    EXPECT_NE(access(path.c_str(), F_OK), 0) << "the socket goes with the instance";
    unsetenv("TROVA_MUTEX_DIR");
}
