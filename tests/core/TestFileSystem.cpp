// File-system commands: types and sizes, copying, deleting, directories and their listings.
#include "core/FileCommands.h"
#include "tests/support/KXTempDir.h"
#include "tests/support/KXTestSupport.h"

#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct FileSystem : testing::Test {
    void SetUp() override
    {
        mkdir((dir / "sub").c_str(), 0755);
        kxWriteBytes(dir / "sub/a.txt", "hello");
        kxWriteBytes(dir / "sub/b.dat", "");
    }
    // The same path written with backslashes, as programs write them.
    std::string backslashed(const std::string& name) const
    {
        std::string p = dir / name;
        for (char& c : p)
            if (c == '/')
                c = '\\';
        return p;
    }
    KXTempDir dir;
};
}

TEST_F(FileSystem, TypesAndSizesTakeEitherSeparator)
{
    EXPECT_EQ(FileType(KXArg(dir / "missing")), 0);
    EXPECT_EQ(FileType(KXArg(backslashed("sub\\a.txt"))), 1);
    EXPECT_EQ(FileType(KXArg(backslashed("sub"))), 2);
    EXPECT_EQ(FileType(KXArg(dir / "sub/")), 2);
    EXPECT_EQ(FileSize(KXArg(backslashed("sub\\a.txt"))), 5);
    EXPECT_EQ(FileSize(KXArg(dir / "sub")), 0);
    EXPECT_EQ(FileSize(KXArg(dir / "missing")), 0);
    EXPECT_EQ(FileSize(KXArg(dir / "sub/*.txt")), 5);
}

// A name holding a NUL byte names no file: not the folder or file named by the part before it
// (a search for a free name there would never end), and nothing is made, opened or deleted. A
// dangling link is a taken name, not a free one.
TEST_F(FileSystem, NamesWithANulByteNameNothing)
{
    std::string folder = dir / "sub", file = dir / "sub/a.txt";
    std::string nul = std::string("\0x", 2);
    EXPECT_EQ(FileType(KXArg(folder + nul)), 0);
    EXPECT_EQ(FileType(KXArg(file + nul)), 0);
    EXPECT_EQ(FileSize(KXArg(file + nul)), 0);
    EXPECT_EQ(ReadDir(KXArg(folder + nul)), 0);
    EXPECT_EQ(WriteFile(KXArg(file + nul)), 0);
    EXPECT_EQ(OpenFile(KXArg(file + nul)), 0);
    DeleteFile(KXArg(file + nul));
    CopyFile(KXArg(dir / "sub/b.dat"), KXArg(file + nul));
    EXPECT_EQ(kxReadBytes(file), "hello");
    CreateDir(KXArg(dir / "new" + nul));
    EXPECT_EQ(FileType(KXArg(dir / "new")), 0);

    std::string link = dir / "dangling.png";
    ASSERT_EQ(symlink("nowhere.png", link.c_str()), 0);
    EXPECT_EQ(FileType(KXArg(link)), 1);
}

TEST_F(FileSystem, CopyOfAReadOnlyFileIsWritable)
{
    std::string src = dir / "sub/a.txt", copy = dir / "copy.txt";
    chmod(src.c_str(), 0444);
    kxWriteBytes(copy, "older and longer contents");
    CopyFile(KXArg(backslashed("sub\\a.txt")), KXArg(copy));
    EXPECT_EQ(kxReadBytes(copy), "hello");
    struct stat st;
    ASSERT_EQ(stat(copy.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    // A copy onto the source itself must not destroy it.
    CopyFile(KXArg(src), KXArg(dir / "sub/../sub/a.txt"));
    EXPECT_EQ(kxReadBytes(src), "hello");
    CopyFile(KXArg(dir / "missing"), KXArg(copy));
    EXPECT_EQ(kxReadBytes(copy), "hello");
    DeleteFile(KXArg(copy));
    EXPECT_EQ(FileType(KXArg(copy)), 0);
}

// A copy replaces the target whole: a reader that opened the old file keeps its contents, and no
// temporary file is left beside the target. A target that is a symbolic link is written through.
TEST_F(FileSystem, CopyReplacesTheTargetInOneStep)
{
    std::string target = dir / "target.txt";
    kxWriteBytes(target, "old contents");
    FILE* reader = fopen(target.c_str(), "rb");
    ASSERT_NE(reader, nullptr);
    CopyFile(KXArg(dir / "sub/a.txt"), KXArg(target));
    char seen[32] = {};
    EXPECT_EQ(fread(seen, 1, sizeof seen - 1, reader), 12u);
    fclose(reader);
    EXPECT_STREQ(seen, "old contents");
    EXPECT_EQ(kxReadBytes(target), "hello");

    ASSERT_EQ(symlink("target.txt", (dir / "link.txt").c_str()), 0);
    kxWriteBytes(dir / "c.txt", "through the link");
    CopyFile(KXArg(dir / "c.txt"), KXArg(dir / "link.txt"));
    EXPECT_EQ(kxReadBytes(target), "through the link");
    struct stat st;
    ASSERT_EQ(lstat((dir / "link.txt").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));

    int d = ReadDir(KXArg(dir.path()));
    std::set<std::string> names;
    while (MoreFiles(d))
        names.insert(kxTake(NextFile(d)));
    CloseDir(d);
    EXPECT_EQ(names, (std::set<std::string> { ".", "..", "sub", "target.txt", "link.txt", "c.txt" }));
}

TEST_F(FileSystem, DirectoryListingWalksEveryEntryOnce)
{
    for (const std::string& name : { backslashed("sub"), dir / "sub/", backslashed("sub") + "\\" }) {
        int d = ReadDir(KXArg(name));
        ASSERT_NE(d, 0) << name;
        std::set<std::string> seen;
        while (MoreFiles(d))
            EXPECT_TRUE(seen.insert(kxTake(NextFile(d))).second);
        EXPECT_EQ(seen, (std::set<std::string> { ".", "..", "a.txt", "b.dat" }));
        EXPECT_EQ(kxTake(NextFile(d)), "");
        EXPECT_EQ(MoreFiles(d), 0);
        CloseDir(d);
    }
    EXPECT_EQ(ReadDir(KXArg(dir / "sub/a.txt")), 0);
    EXPECT_EQ(ReadDir(KXArg(dir / "missing")), 0);
    CloseDir(0);
}

TEST_F(FileSystem, CurrentDirectoryUsesSlashesAndEndsInOne)
{
    std::string before = kxTake(CurrentDir());
    ASSERT_EQ(before.back(), '/');
    CreateDir(KXArg(backslashed("sub\\new")));
    EXPECT_EQ(FileType(KXArg(dir / "sub/new")), 2);
    ChangeDir(KXArg(backslashed("sub\\new")));
    std::string here = kxTake(CurrentDir());
    ChangeDir(KXArg("/"));
    EXPECT_EQ(kxTake(CurrentDir()), "/");
    ChangeDir(KXArg(before));
    EXPECT_EQ(here.substr(here.size() - 9), "/sub/new/");
    EXPECT_EQ(here.find('\\'), std::string::npos);
    DeleteDir(KXArg(dir / "sub")); // not empty: stays
    DeleteDir(KXArg(backslashed("sub\\new")));
    EXPECT_EQ(FileType(KXArg(dir / "sub/new")), 0);
    EXPECT_EQ(FileType(KXArg(dir / "sub")), 2);
}
