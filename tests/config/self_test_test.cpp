// SPDX-License-Identifier: GPL-3.0-or-later
#include "self_test.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace tamo::config;

TEST(SelfTest, RequestFillsTheWholeFeatureReport) {
    const std::vector<std::uint8_t> nine = {0x00, 0xE1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(BuildSelfTestRequest(9), nine);
    const auto large = BuildSelfTestRequest(300);
    ASSERT_EQ(large.size(), 300u);
    EXPECT_EQ(large[1], 0xE1);
    EXPECT_EQ(large[299], 0);
    EXPECT_EQ(BuildSelfTestRequest(2), (std::vector<std::uint8_t>{0x00, 0xE1}));
    EXPECT_TRUE(BuildSelfTestRequest(1).empty());
    EXPECT_TRUE(BuildSelfTestRequest(0).empty());
}

TEST(SelfTest, ReplyByteOneIsTheResult) {
    const std::vector<std::uint8_t> pass = {0, 0, 9, 9};
    EXPECT_EQ(SelfTestResult(pass, true), (SelfTestDisplay{"Passed", "0 0"}));
    const std::vector<std::uint8_t> fail12 = {0, 12};
    EXPECT_EQ(SelfTestResult(fail12, true), (SelfTestDisplay{"Failed on B12", "0 12"}));
    const std::vector<std::uint8_t> fail255 = {3, 255, 0};
    EXPECT_EQ(SelfTestResult(fail255, true), (SelfTestDisplay{"Failed on B255", "3 255"}));
}

TEST(SelfTest, FailedTransferIsNeverAPass) {
    const std::vector<std::uint8_t> zeros(9, 0), one(1, 0);
    const SelfTestDisplay noReply{"No reply from board", ""};
    EXPECT_EQ(SelfTestResult(zeros, false), noReply);
    EXPECT_EQ(SelfTestResult(one, true), noReply);
    EXPECT_EQ(SelfTestResult({}, true), noReply);
}
