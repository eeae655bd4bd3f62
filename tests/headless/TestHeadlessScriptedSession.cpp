// A whole scripted session: a small program with a button, a check box, a slider and a combo
// box, whose user (a script file) also answers a colour and a file requester.
#include "tests/gui/SessionProgram.h"
#include "tests/headless/HeadlessTestSupport.h"

#include "tests/support/KXTempDir.h"

#include <fstream>

using session::Outcome;
using session::runProgram;

TEST_F(HeadlessControlTest, ScriptedSessionWithControlsAndRequesters)
{
    KXTempDir dir;
    std::string script = dir.path() + "/session.txt";
    std::ofstream(script) << "# the user sets up a capture and saves it\n"
                             "click \"Flip\"\n"
                             "slider #1 45\n"
                             "slider #1 pagedown\n"
                             "pick #1 \"PNG\"\n"
                             "click \"Colour...\"\n"
                             "wait 20\n"
                             "answer color 200 100 50\n"
                             "click \"Save\"\n"
                             "answer file \""
                          << dir.path() << "/shot\"\n"
                                           "close \"Scripted\"\n";
    ASSERT_TRUE(HeadlessScript::instance().loadFile(script));

    Outcome out;
    runProgram(out);
    EXPECT_TRUE(out.closed);
    EXPECT_EQ(out.flip, 1);
    EXPECT_EQ(out.sliderEvents, (std::vector<int> { 45, 55 }));
    EXPECT_EQ(out.size, 55);
    EXPECT_EQ(out.format, 2);
    EXPECT_EQ(out.red, 200);
    EXPECT_EQ(out.green, 100);
    EXPECT_EQ(out.blue, 50);
    EXPECT_EQ(out.savedAs, dir.path() + "/shot.png");
    EXPECT_TRUE(HeadlessScript::instance().isFinished());
}
