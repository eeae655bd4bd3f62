// The X key code table against the virtual-key table: every key the X side reports carries the
// raw code the rest of the runtime (hot keys, key state, synthetic keys) knows it by.
#include "gui/KXVirtualKeys.h"
#include "gui/qt/QtKeyCodes.h"

#include <gtest/gtest.h>

TEST(QtKeyCodes, KeysTheProgramsNameByRawCode)
{
    // X key codes of the standard PC keyboard (evdev + 8).
    EXPECT_EQ(QtKeyCodes::rawFromX(9), 1); // Esc
    EXPECT_EQ(QtKeyCodes::rawFromX(36), 28); // Enter
    EXPECT_EQ(QtKeyCodes::rawFromX(104), 0x9c); // keypad Enter
    EXPECT_EQ(QtKeyCodes::rawFromX(107), 183); // Print Screen
    // Pause and Num Lock share scan code 0x45; the window system marks Num Lock extended.
    EXPECT_EQ(QtKeyCodes::rawFromX(127), 0x45);
    EXPECT_EQ(QtKeyCodes::rawFromX(77), 0xc5);
    EXPECT_EQ(kxvk::fromRaw(0x45), 0x13);
    EXPECT_EQ(kxvk::fromRaw(0xc5), 0x90);
    EXPECT_EQ(QtKeyCodes::rawFromX(0), 0);
    EXPECT_EQ(QtKeyCodes::rawFromX(300), 0);
}

TEST(QtKeyCodes, EveryVirtualKeyReachesTheRawCodeTheXSideReports)
{
    for (unsigned x = 8; x <= 255; ++x) {
        const int raw = QtKeyCodes::rawFromX(x);
        const int vk = kxvk::fromRaw(raw);
        if (raw == 0 || vk == 0)
            continue;
        const auto codes = kxvk::rawCodes(vk);
        EXPECT_TRUE(codes[0] == raw || codes[1] == raw) << "X key code " << x << " raw " << raw;
    }
}
