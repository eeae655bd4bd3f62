// The global keyboard: keys typed into other programs' windows (xdotool) and synthetic keys, by
// virtual key: down now, and pressed since the last query.
#include "tests/x11/X11TestSupport.h"

namespace {

constexpr int vkA = 0x41, vkB = 0x42, vk7 = 0x37;

class Keys : public testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_SERVICES();
        if (!x11test::services()->hasKeyMonitor())
            GTEST_SKIP() << "the display has no XInput 2";
        // Forget presses earlier tests made.
        for (int vk : { vkA, vkB, vk7, 0x10, 0x11, 0x12, 0x2C })
            x11test::services()->takeKeyPressed(vk);
    }
};

}

TEST_F(Keys, AKeyTypedIntoAnotherProgramIsPressedSinceTheLastQueryOnce)
{
    x11test::ForeignWindow other("Key Target", 200, 200);
    ASSERT_NE(other.id(), 0);
    if (x11test::hasWindowManager())
        ASSERT_TRUE(other.activate());
    QtDesktopServices& s = *x11test::services();
    EXPECT_FALSE(s.takeKeyPressed(vkA));
    ASSERT_EQ(x11test::run("xdotool", { "key", "a" }), 0);
    // xdotool ends once its keys are sent; the server may take a moment more to process them.
    EXPECT_TRUE(x11test::waitFor([&] { return s.takeKeyPressed(vkA); }, 3000));
    EXPECT_FALSE(s.isKeyDown(vkA)) << "released again";
    EXPECT_FALSE(s.takeKeyPressed(vkA)) << "the query cleared it";
    EXPECT_FALSE(s.takeKeyPressed(vkB));

    ASSERT_EQ(x11test::run("xdotool", { "key", "7" }), 0);
    EXPECT_TRUE(x11test::waitFor([&] { return s.takeKeyPressed(vk7); }, 3000));
}

TEST_F(Keys, ModifiersHeldInAnotherProgramAreDownUntilReleased)
{
    QtDesktopServices& s = *x11test::services();
    ASSERT_EQ(x11test::run("xdotool", { "keydown", "Shift_L" }), 0);
    EXPECT_TRUE(x11test::waitFor([&] { return s.isKeyDown(0x10); }, 3000));
    EXPECT_TRUE(s.isKeyDown(0xA0)) << "the left shift key";
    EXPECT_FALSE(s.isKeyDown(0xA1));
    ASSERT_EQ(x11test::run("xdotool", { "keyup", "Shift_L" }), 0);
    EXPECT_TRUE(x11test::waitFor([&] { return !s.isKeyDown(0x10); }, 3000));
    EXPECT_TRUE(s.takeKeyPressed(0x10));

    // Either Ctrl key counts for the neutral virtual key.
    ASSERT_EQ(x11test::run("xdotool", { "keydown", "Control_R" }), 0);
    EXPECT_TRUE(x11test::waitFor([&] { return s.isKeyDown(0x11); }, 3000));
    ASSERT_EQ(x11test::run("xdotool", { "keyup", "Control_R" }), 0);
    EXPECT_TRUE(x11test::waitFor([&] { return !s.isKeyDown(0x11); }, 3000));
}

TEST_F(Keys, SyntheticKeysAreSeenAsTypedKeys)
{
    QtDesktopServices& s = *x11test::services();
    s.sendKey(vkB, true);
    EXPECT_TRUE(s.isKeyDown(vkB));
    s.sendKey(vkB, false);
    EXPECT_FALSE(s.isKeyDown(vkB));
    EXPECT_TRUE(s.takeKeyPressed(vkB));
    EXPECT_FALSE(s.takeKeyPressed(vkB));
    // Keys without a key here do nothing.
    s.sendKey(0xFF, true);
    EXPECT_FALSE(s.isKeyDown(0xFF));
    EXPECT_FALSE(s.takeKeyPressed(0));
}
