// A whole session: a small program with a button, a check box, a slider and a combo box, whose
// user also answers a colour and a file requester and closes the window.
#include "tests/gui/SessionProgram.h"

#include "tests/support/KXTempDir.h"

#include <fstream>

using session::Outcome;
using session::runProgram;

TEST_F(ControlTest, UserSessionWithControlsAndRequesters)
{
    KXTempDir dir;
    user().click("Flip");
    user().slide("#1", 45);
    user().scroll("#1", KXTestUser::Scroll::PageDown);
    user().pick("#1", "PNG");
    user().click("Colour...");
    user().answerColor(200, 100, 50);
    user().click("Save");
    user().answerFile(dir.path() + "/shot");
    user().close("Scripted");

    Outcome out;
    runProgram(out);
    EXPECT_TRUE(out.closed);
    EXPECT_EQ(out.flip, 1);
    // A real scroll bar reports the positions a drag passes through; the last ones count.
    ASSERT_GE(out.sliderEvents.size(), 2u);
    EXPECT_EQ(out.sliderEvents[out.sliderEvents.size() - 2], 45);
    EXPECT_EQ(out.sliderEvents.back(), 55);
    if (!onRealDisplay()) {
        EXPECT_EQ(out.sliderEvents.size(), 2u);
    }
    EXPECT_EQ(out.size, 55);
    EXPECT_EQ(out.format, 2);
    EXPECT_EQ(out.red, 200);
    EXPECT_EQ(out.green, 100);
    EXPECT_EQ(out.blue, 50);
    EXPECT_EQ(out.savedAs, dir.path() + "/shot.png");
    EXPECT_TRUE(settle());
}
