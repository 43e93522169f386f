// SPDX-License-Identifier: GPL-3.0-or-later
#include "hex_text.h"

#include <gtest/gtest.h>

namespace tamo::device {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Parsed(std::string_view text)
{
    Bytes bytes;
    std::string error;
    EXPECT_TRUE(ParseHexText(text, bytes, error)) << error;
    return bytes;
}

std::string Rejected(std::string_view text)
{
    Bytes bytes;
    std::string error;
    EXPECT_FALSE(ParseHexText(text, bytes, error));
    return error;
}

TEST(HexText, AcceptsTheUsualSpellings)
{
    const Bytes expected{0x05, 0x01, 0xA1, 0xFF};
    EXPECT_EQ(Parsed("05 01 a1 FF"), expected);
    EXPECT_EQ(Parsed("0x05, 0x1,0XA1,\n\t0xff,"), expected);
    EXPECT_EQ(Parsed("0501A1FF\n"), expected);
    EXPECT_EQ(Parsed("0501 A1ff"), expected);
}

TEST(HexText, RejectsWhatIsNotHexBytes)
{
    EXPECT_NE(Rejected("05 0G").find("'0G'"), std::string::npos);
    EXPECT_NE(Rejected("050").find("odd"), std::string::npos);
    EXPECT_NE(Rejected("0x").find("one byte"), std::string::npos);
    EXPECT_NE(Rejected("0x105").find("one byte"), std::string::npos);
    EXPECT_NE(Rejected(" ,\n ").find("no hex bytes"), std::string::npos);
}

} // namespace
} // namespace tamo::device
