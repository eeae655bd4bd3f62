// Requesters and message boxes: results, neutral values on cancel, the shared colour state and
// the file requester's filters and names.
#include "tests/gui/ControlTestSupport.h"

#include "tests/support/KXTempDir.h"

#include <fstream>

TEST_F(ControlTest, FileRequestFiltersAndNames)
{
    KXFileRequest r = KXFileRequest::make("Save screenshot as...", "bmp,jpg,png", true, "");
    EXPECT_EQ(r.filters, (std::vector<KXFileFilter> { { "bmp Files", "*.bmp" }, { "jpg Files", "*.jpg" }, { "png Files", "*.png" } }));
    EXPECT_EQ(r.defaultExtension, "bmp");
    EXPECT_EQ(r.initialName, "*.bmp");
    EXPECT_EQ(r.completeName("shots/one"), "shots/one.bmp");
    EXPECT_EQ(r.completeName("shots.d/one.png"), "shots.d/one.png");
    EXPECT_EQ(r.completeName("shots.d/one"), "shots.d/one.bmp");

    KXFileRequest any = KXFileRequest::make("", "", false, "data\\shots\\a.png");
    EXPECT_EQ(any.filters, (std::vector<KXFileFilter> { { "All files", "*.*" } }));
    EXPECT_EQ(any.defaultExtension, "");
    EXPECT_EQ(any.initialName, "data/shots/a.png");
    EXPECT_EQ(any.completeName("noext"), "noext");
}

TEST_F(ControlTest, RequestersTakeTheUsersAnswers)
{
    window("Main");
    KXTempDir dir;
    user().answerButton("yes");
    user().answerButton("no");
    user().answerButton("cancel");
    EXPECT_EQ(Proceed(Str("a"), 0), 1);
    EXPECT_EQ(Proceed(Str("b"), 0), 0);
    EXPECT_EQ(Proceed(Str("c"), 0), -1);
    user().answerButton("ok");
    EXPECT_EQ(Confirm(Str("d"), 0), 1);
    user().answerCancel();
    EXPECT_EQ(RequestColor(1, 2, 3), 0); // cancelled: nothing changes
    EXPECT_EQ(RequestedRed(), 255);
    user().answerDir(dir.path());
    EXPECT_EQ(take(RequestDir(Str("Folder"), Str(""))), dir.path());
    EXPECT_TRUE(settle());
}
