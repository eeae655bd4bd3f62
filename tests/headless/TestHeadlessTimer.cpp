// Headless timers: the native timer is asked for the whole-millisecond period.
#include "tests/headless/HeadlessTestSupport.h"

TEST_F(HeadlessGuiTest, TheNativeTimerGetsTheWholeMillisecondPeriod)
{
    int t = CreateTimer(3.0f);
    ASSERT_NE(t, 0);
    EXPECT_TRUE(sys().log().called("timeSetEvent 333"));
    EXPECT_FALSE(sys().log().called("timeSetEvent 334"));
}
