// SPDX-License-Identifier: GPL-3.0-or-later
#include "bytes_as_hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tamo::device {
namespace {

TEST(HexBytes, WritesHighNibbleFirstInEitherForm)
{
    const std::vector<std::uint8_t> bytes = {0x00, 0xEE, 0x06, 0x2A, 0xF0};
    EXPECT_EQ(HexBytes(bytes), "00 EE 06 2A F0");
    EXPECT_EQ(HexBytes(bytes, "", HexCase::Lower), "00ee062af0");
    EXPECT_EQ(HexBytes(std::vector<std::uint8_t>{0x7F}), "7F");
    EXPECT_EQ(HexBytes({}), "");
}

} // namespace
} // namespace tamo::device
