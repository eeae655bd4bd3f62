// Whole-or-nothing file writes: what a failed or raced write leaves, and where links lead it.
#include "core/KXAtomicFile.h"
#include "tests/support/KXTempDir.h"
#include "tests/support/KXTestSupport.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int entries(const KXTempDir& dir)
{
    int n = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path()))
        ++n;
    return n;
}

int writeText(int fd, const std::string& text) { return kxAtomicWriteAll(fd, text.data(), text.size()); }
}

// A new name is taken only by the complete file, never from an entry that appeared meanwhile;
// a writer's failure leaves nothing behind.
TEST(AtomicFile, NewNamesAreNeverTakenFromOthers)
{
    KXTempDir dir;
    std::string path = dir / "shot.bmp";
    int result = kxAtomicFileWrite(path.c_str(), KXAtomicReplace, [&](int fd) {
        EXPECT_FALSE(std::filesystem::exists(path)); // not under its name while written
        kxWriteBytes(path, "appeared meanwhile");
        return writeText(fd, "picture");
    });
    EXPECT_EQ(result, EEXIST);
    EXPECT_EQ(kxReadBytes(path), "appeared meanwhile");
    EXPECT_EQ(entries(dir), 1);

    std::string other = dir / "other.bmp";
    EXPECT_EQ(kxAtomicFileWrite(other.c_str(), KXAtomicReplace, [&](int fd) {
        writeText(fd, "half");
        return ENOSPC;
    }),
        ENOSPC);
    EXPECT_FALSE(std::filesystem::exists(other));
    EXPECT_EQ(entries(dir), 1);

    EXPECT_EQ(kxAtomicFileWrite(other.c_str(), KXAtomicNew, [&](int fd) { return writeText(fd, "whole"); }), 0);
    EXPECT_EQ(kxReadBytes(other), "whole");
    EXPECT_EQ(kxAtomicFileWrite(other.c_str(), KXAtomicNew, [&](int fd) { return writeText(fd, "again"); }), EEXIST);
    EXPECT_EQ(kxReadBytes(other), "whole");
}

// An existing file is replaced whole, keeping its mode, where a link leads; a failed write keeps
// the old file; a dangling link, a folder or a pipe is never written.
TEST(AtomicFile, ReplacesOnlyRegularFilesWhereLinksLead)
{
    KXTempDir dir;
    std::string real = dir / "real.reg", link = dir / "link.reg";
    kxWriteBytes(real, "old");
    chmod(real.c_str(), 0640);
    ASSERT_EQ(symlink("real.reg", link.c_str()), 0);
    EXPECT_EQ(kxAtomicFileWrite(link.c_str(), KXAtomicReplace, [&](int fd) { return writeText(fd, "new"); }), 0);
    struct stat st;
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(kxReadBytes(real), "new");
    EXPECT_EQ(kxAtomicFileWrite(real.c_str(), KXAtomicReplace, [&](int fd) {
        writeText(fd, "cut");
        return EIO;
    }),
        EIO);
    EXPECT_EQ(kxReadBytes(real), "new");

    std::string dangling = dir / "dangling.png", folder = dir / "folder", pipe = dir / "pipe";
    ASSERT_EQ(symlink("elsewhere.png", dangling.c_str()), 0);
    mkdir(folder.c_str(), 0755);
    mkfifo(pipe.c_str(), 0644);
    auto never = [](int) {
        ADD_FAILURE() << "written";
        return 0;
    };
    EXPECT_EQ(kxAtomicFileWrite(dangling.c_str(), KXAtomicReplace, never), EEXIST);
    EXPECT_FALSE(std::filesystem::exists(dir / "elsewhere.png"));
    EXPECT_EQ(kxAtomicFileWrite(folder.c_str(), KXAtomicReplace, never), EISDIR);
    EXPECT_EQ(kxAtomicFileWrite(pipe.c_str(), KXAtomicReplace, never), EINVAL);
    EXPECT_EQ(entries(dir), 5);
}
