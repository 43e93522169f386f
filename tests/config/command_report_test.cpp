// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_report.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace tamo::config;

TEST(CommandReport, PulseLengthOnNineByteFeatureReport) {
    // "16 ms" is Delay index 1, sent as argument 2.
    const std::vector<std::uint8_t> expected = {0x00, 0xEE, 0x06, 0x02, 0, 0, 0, 0, 0};
    EXPECT_EQ(BuildCommandReport(9, CMD_PULSE_LENGTH, 2), expected);
}

TEST(CommandReport, TooShortFeatureReportGetsNothing) {
    EXPECT_TRUE(BuildCommandReport(0, CMD_A_INPUT_MODE, 4).empty());
    EXPECT_TRUE(BuildCommandReport(3, CMD_A_INPUT_MODE, 4).empty());
    const std::vector<std::uint8_t> shortest = {0x00, 0xEE, 0x07, 0x04};
    EXPECT_EQ(BuildCommandReport(4, CMD_A_INPUT_MODE, 4), shortest);
}
