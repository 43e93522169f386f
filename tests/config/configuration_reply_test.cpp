// SPDX-License-Identifier: GPL-3.0-or-later
#include "configuration_reply.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

using namespace tamo::config;

namespace {

// A usable reply of a board with a 16-byte feature report.
std::vector<std::uint8_t> Reply(std::uint8_t low, std::uint8_t low9_10, std::uint8_t high,
                                std::uint8_t high9_10, std::uint8_t pulse = 6,
                                std::uint8_t aInput = 0) {
    std::vector<std::uint8_t> reply(16, 0);
    reply[4] = low;
    reply[5] = low9_10;
    reply[6] = high;
    reply[7] = high9_10;
    reply[8] = pulse;
    reply[9] = aInput;
    return reply;
}

} // namespace

TEST(ConfigurationReply, EncoderModesFromBitmaps) {
    auto reply = Reply(0x01, 0, 0x01, 0);
    EXPECT_EQ(EncoderModeIndex(reply, 1), 3);
    for (int k = 2; k <= 10; ++k)
        EXPECT_EQ(EncoderModeIndex(reply, k), 0) << "pair " << k;

    EXPECT_EQ(EncoderModeIndex(Reply(0x00, 0, 0x80, 0), 8), 2);
    EXPECT_EQ(EncoderModeIndex(Reply(0x80, 0, 0x00, 0), 8), 1);

    reply = Reply(0, 0x02, 0, 0x03);
    EXPECT_EQ(EncoderModeIndex(reply, 9), 2);
    EXPECT_EQ(EncoderModeIndex(reply, 10), 3);
    // Bits 2 to 7 of bytes 5 and 7 belong to no pair, and bytes 5/7 never reach pairs 1-8.
    const auto noisy = Reply(0, 0xFE, 0, 0xFF);
    EXPECT_EQ(EncoderModeIndex(noisy, 9), 2);
    EXPECT_EQ(EncoderModeIndex(noisy, 10), 3);
    EXPECT_EQ(EncoderModeIndex(noisy, 3), 0);
}

TEST(ConfigurationReply, WrittenModesReadBackUnchanged) {
    for (int mode = 0; mode < 4; ++mode) {
        for (int pair = 1; pair <= 8; ++pair) {
            std::array<int, 8> indexes{};
            indexes[pair - 1] = mode;
            const auto sent = EncoderModeBitmaps(std::span<const int, 8>(indexes));
            const auto settings = DecodeConfigurationReply(Reply(sent.low, 0, sent.high, 0));
            ASSERT_TRUE(settings);
            for (int k = 1; k <= 10; ++k)
                EXPECT_EQ(settings->encoderModes[k - 1], k == pair ? mode : 0)
                    << "mode " << mode << " in pair " << pair << ", pair " << k;
        }
        for (int other = 0; other < 4; ++other) {
            const auto sent = EncoderModeBitmaps9_10(mode, other);
            const auto reply = Reply(0, sent.low, 0, sent.high);
            EXPECT_EQ(EncoderModeIndex(reply, 9), mode);
            EXPECT_EQ(EncoderModeIndex(reply, 10), other);
        }
    }
}

TEST(ConfigurationReply, PulseLengthSelectionClampsToTheList) {
    EXPECT_EQ(PulseLengthSelection(0, 25), -1); // no entry shown
    EXPECT_EQ(PulseLengthSelection(1, 25), 0);
    EXPECT_EQ(PulseLengthSelection(6, 25), 5);
    EXPECT_EQ(PulseLengthSelection(25, 25), 24);
    EXPECT_EQ(PulseLengthSelection(26, 25), 24);
    EXPECT_EQ(PulseLengthSelection(255, 25), 24);
    EXPECT_EQ(PulseLengthSelection(3, 0), -1);
    EXPECT_EQ(PulseLengthSelection(0, 0), -1);
}

TEST(ConfigurationReply, AInputModeSelectionClampsToTheList) {
    EXPECT_EQ(AInputModeSelection(0, 5), 0);
    EXPECT_EQ(AInputModeSelection(4, 5), 4);
    EXPECT_EQ(AInputModeSelection(5, 5), 4);
    EXPECT_EQ(AInputModeSelection(255, 5), 4);
    EXPECT_EQ(AInputModeSelection(0, 0), -1);
}

TEST(ConfigurationReply, OnlyCompleteRepliesWithStatusZeroAreUsable) {
    auto reply = Reply(0xFF, 0x03, 0xFF, 0x03, 25, 4);
    const auto settings = DecodeConfigurationReply(reply);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->pulseLength, 25);
    EXPECT_EQ(settings->aInputMode, 4);
    EXPECT_EQ(settings->encoderModes, (std::array<int, 10>{3, 3, 3, 3, 3, 3, 3, 3, 3, 3}));

    reply[1] = 1;
    EXPECT_FALSE(IsUsableConfigurationReply(reply));
    EXPECT_FALSE(DecodeConfigurationReply(reply));

    const std::vector<std::uint8_t> ten(10, 0), nine(9, 0), empty;
    EXPECT_TRUE(IsUsableConfigurationReply(ten));
    EXPECT_FALSE(IsUsableConfigurationReply(nine));
    EXPECT_FALSE(IsUsableConfigurationReply(empty));
    EXPECT_FALSE(DecodeConfigurationReply(nine));
}

TEST(ConfigurationReply, EncoderModeIndexStaysInsideTheReply) {
    const std::vector<std::uint8_t> eight = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(EncoderModeIndex(eight, 10), 3);
    EXPECT_EQ(EncoderModeIndex(std::span(eight).first(7), 1), -1);
    EXPECT_EQ(EncoderModeIndex(eight, 0), -1);
    EXPECT_EQ(EncoderModeIndex(eight, 11), -1);
}
