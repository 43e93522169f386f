// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoder_modes.h"

#include <gtest/gtest.h>

#include <array>

using namespace tamo::config;

namespace {

EncoderBitmaps LowGroup(std::array<int, 8> indexes) {
    return EncoderModeBitmaps(std::span<const int, 8>(indexes));
}

} // namespace

TEST(EncoderModes, PairsOneToEightPlaceEachModeAtItsBit) {
    EXPECT_EQ(LowGroup({0, 0, 0, 0, 1, 0, 0, 0}), (EncoderBitmaps{0x10, 0x00}));
    EXPECT_EQ(LowGroup({1, 3, 0, 0, 0, 0, 0, 2}), (EncoderBitmaps{0x03, 0x82}));
    EXPECT_EQ(LowGroup({3, 3, 3, 3, 3, 3, 3, 3}), (EncoderBitmaps{0xFF, 0xFF}));
    EXPECT_EQ(LowGroup({0, 0, 0, 0, 0, 0, 0, 0}), (EncoderBitmaps{0x00, 0x00}));
}

TEST(EncoderModes, PairsNineAndTenUseTheLowTwoBitsOnly) {
    EXPECT_EQ(EncoderModeBitmaps9_10(2, 1), (EncoderBitmaps{0x02, 0x01}));
    EXPECT_EQ(EncoderModeBitmaps9_10(3, 3), (EncoderBitmaps{0x03, 0x03}));
    EXPECT_EQ(EncoderModeBitmaps9_10(1, 0), (EncoderBitmaps{0x01, 0x00}));
}

TEST(EncoderModes, NoSelectionFollowsFloorDivisionRule) {
    // -1 is all ones in two's complement; truncating division would give bit 1 = 0.
    EXPECT_EQ(EncoderModeBit(-1, 0), 1);
    EXPECT_EQ(EncoderModeBit(-1, 1), 1);
    EXPECT_EQ(LowGroup({-1, 0, 0, 0, 0, 0, 0, 0}), (EncoderBitmaps{0x01, 0x01}));
    EXPECT_EQ(EncoderModeBitmaps9_10(0, -1), (EncoderBitmaps{0x02, 0x02}));
    EXPECT_EQ(EncoderModeBit(3, 5), 0);
}
