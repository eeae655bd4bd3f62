// Headless requesters: boxes nobody answers, answers of the wrong kind, the values requesters start with, and answers the scripted user gives after waits.
#include "tests/headless/HeadlessTestSupport.h"
#include "tests/support/KXTempDir.h"

#include <fstream>

TEST_F(HeadlessControlTest, MessageBoxResults)
{
    // Nobody answers: the box is closed with its close box.
    EXPECT_EQ(Proceed(Str("Save first?"), 0), -1);
    EXPECT_EQ(Confirm(Str("Really?"), 1), 0);
    user().answerButton("yes");
    user().answerButton("no");
    user().answerCancel();
    user().answerButton("ok");
    user().answerButton("cancel");
    user().answerButton("yes");
    EXPECT_EQ(Proceed(Str("a"), 0), 1);
    EXPECT_EQ(Proceed(Str("b"), 0), 0);
    EXPECT_EQ(Proceed(Str("c"), 0), -1);
    EXPECT_EQ(Confirm(Str("d"), 0), 1);
    EXPECT_EQ(Confirm(Str("e"), 0), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Confirm(Str("f"), 0), 0); // a Yes the box does not have closes it
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(": f\n"), std::string::npos);
    EXPECT_NE(err.find("no such button"), std::string::npos);

    testing::internal::CaptureStderr();
    Notify(Str("Saved."), 0);
    err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("test_headless: Saved.\n"), std::string::npos);
}

TEST_F(HeadlessControlTest, RequestedColourAndCancel)
{
    EXPECT_EQ(RequestedRed(), 255);
    EXPECT_EQ(RequestedGreen(), 255);
    EXPECT_EQ(RequestedBlue(), 255);
    EXPECT_EQ(RequestColor(1, 2, 3), 0); // cancelled: nothing changes
    EXPECT_EQ(RequestedGreen(), 255);
    EXPECT_EQ(requesters().lastColorStart(), 0x010203u);

    user().answerColor(10, 20, 30);
    user().answerCancel();
    user().answerFile("x");
    EXPECT_EQ(RequestColor(255, 255, 255), 1);
    EXPECT_EQ(RequestedRed(), 10);
    EXPECT_EQ(RequestedGreen(), 20);
    EXPECT_EQ(RequestedBlue(), 30);
    EXPECT_EQ(RequestColor(0x100, 0, 0), 0);
    EXPECT_EQ(requesters().lastColorStart(), 0u); // channels count modulo 256
    EXPECT_EQ(RequestedGreen(), 20);
    testing::internal::CaptureStderr();
    EXPECT_EQ(RequestColor(0, 0, 0), 0); // an answer of the wrong kind cancels
    EXPECT_NE(testing::internal::GetCapturedStderr().find("does not fit"), std::string::npos);
    EXPECT_EQ(RequestedBlue(), 30);
}

TEST_F(HeadlessControlTest, FileAndFolderRequesters)
{
    KXTempDir dir;
    std::string base = dir.path();
    std::ofstream(base + "/old.png") << "x";

    user().answerFile(base + "/new");
    user().answerFile(base + "/missing.png");
    user().answerFile(base + "\\old.png");
    user().answerDir(base + "/");
    user().answerDir(base + "/nothing");
    EXPECT_EQ(take(RequestFile(Str("Save as"), Str("bmp,jpg,png"), 1, Str(""))), base + "/new.bmp");
    EXPECT_EQ(requesters().lastFileRequest().initialName, "*.bmp");
    EXPECT_TRUE(requesters().lastFileRequest().save);
    testing::internal::CaptureStderr();
    EXPECT_EQ(take(RequestFile(Str("Open"), Str("png"), 0, Str("a\\b.png"))), ""); // must exist
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(requesters().lastFileRequest().initialName, "a/b.png");
    EXPECT_EQ(take(RequestFile(Str("Open"), Str("png"), 0, Str(""))), base + "/old.png");

    EXPECT_EQ(take(RequestDir(Str("Select Auto Save Folder..."), Str("C:\\shots\\"))), base);
    EXPECT_EQ(requesters().lastDirStart(), "C:/shots/");
    testing::internal::CaptureStderr();
    EXPECT_EQ(take(RequestDir(Str("Folder"), Str(""))), ""); // not a folder
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(take(RequestDir(Str("Folder"), Str(""))), ""); // nobody answers
    EXPECT_EQ(take(RequestFile(Str(""), Str(""), 0, Str(""))), "");
}

TEST_F(HeadlessControlTest, RequesterWaitsForScriptedAnswerButNotPastOtherActions)
{
    window("Main");
    // The answer comes after a wait: the requester runs the script on until it arrives.
    user().wait(30);
    user().answerColor(1, 2, 3);
    user().key(30, true);
    user().answerColor(4, 5, 6);
    EXPECT_EQ(RequestColor(0, 0, 0), 1);
    EXPECT_EQ(RequestedBlue(), 3);
    // The next action is a key, not an answer: the user closes the requester first.
    EXPECT_EQ(RequestColor(0, 0, 0), 0);
    EXPECT_EQ(WaitEvent(1000), 0x101);
    EXPECT_EQ(RequestColor(0, 0, 0), 1);
    EXPECT_EQ(RequestedBlue(), 6);

    user().answerFont("Mono", 12, 1);
    int font = RequestFont();
    ASSERT_NE(font, 0);
    EXPECT_EQ(kxHandle<KXFont>(font, "Font")->height(), 12);
    EXPECT_EQ(RequestFont(), 0);
}
