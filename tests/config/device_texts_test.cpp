// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_texts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace tamo::config;
using tamo::device::HIDP_CAPS;

TEST(CapabilitiesText, ZeroRecordShowsEighteenZeroLines) {
    EXPECT_EQ(CapabilitiesText(HIDP_CAPS{}), "UsagePage 0\r\n"
                                             "Usage 0\r\n"
                                             "InputReportByteLength 0\r\n"
                                             "OutputReportByteLength 0\r\n"
                                             "FeatureReportByteLength 0\r\n"
                                             "Reserved(0) 0\r\n"
                                             "Reserved(1) 0\r\n"
                                             "Reserved(15) 0\r\n"
                                             "NumberLinkCollectionNodes 0\r\n"
                                             "NumberInputButtonCaps 0\r\n"
                                             "NumberInputValueCaps 0\r\n"
                                             "NumberInputDataIndices 0\r\n"
                                             "NumberOutputButtonCaps 0\r\n"
                                             "NumberOutputValueCaps 0\r\n"
                                             "NumberOutputDataIndices 0\r\n"
                                             "NumberFeatureButtonCaps 0\r\n"
                                             "NumberFeatureValueCaps 0\r\n"
                                             "NumberFeatureDataIndices 0");
}

TEST(CapabilitiesText, FieldsAreSignedSixteenBitAndInTheirOwnLines) {
    HIDP_CAPS caps;
    caps.UsagePage = 0xFF00;
    caps.FeatureReportByteLength = 65;
    caps.Reserved[1] = 0x8000;
    caps.Reserved[2] = 7; // not shown
    caps.Reserved[15] = 0xFFFF;
    caps.Reserved[16] = 9; // not shown
    caps.NumberFeatureDataIndices = 0x7FFF;
    const std::string text = CapabilitiesText(caps);
    EXPECT_EQ(text.rfind("UsagePage -256\r\nUsage 0\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\nFeatureReportByteLength 65\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nReserved(0) 0\r\nReserved(1) -32768\r\nReserved(15) -1\r\n"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\nNumberFeatureDataIndices 32767"));
    std::size_t lineBreaks = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++lineBreaks;
    EXPECT_EQ(lineBreaks, 17u);
    EXPECT_EQ(text.find("7\r\n"), std::string::npos);
}

TEST(VersionText, MajorDecimalMinorHex) {
    EXPECT_EQ(VersionText(0x0109), " 1.9");
    EXPECT_EQ(VersionText(0x0110), " 1.10");
    EXPECT_EQ(VersionText(0x1A2B), " 26.2B");
    EXPECT_EQ(VersionText(0x0000), " 0.0");
    EXPECT_EQ(VersionText(0x00FF), " 0.FF");
    // Read as signed 16-bit, with the floor of the division for the major number.
    EXPECT_EQ(VersionText(0x8001), " -128.1");
    EXPECT_EQ(VersionText(0xFFFF), " -1.FF");
    EXPECT_EQ(VersionText(0xFF00), " -1.0");
}

TEST(IdentityLabelText, LeadingSpaceAndLowBytes) {
    const std::vector<std::uint8_t> buffer = {'V', 0, 'e', 0x01, 'l', 0, 0, 'X', 'z', 0};
    EXPECT_EQ(IdentityLabelText(buffer), " Vel");
    EXPECT_EQ(IdentityLabelText({}), " ");
}

TEST(ListItems, FixedItemsAtTheirIndexes) {
    EXPECT_EQ(ENCODER_MODE_ITEMS[1], "1:1");
    EXPECT_EQ(ENCODER_MODE_ITEMS[3], "1:4");
    const auto pulses = PulseLengthItems();
    ASSERT_EQ(pulses.size(), 25u);
    EXPECT_EQ(pulses[0], "8 ms");
    EXPECT_EQ(pulses[1], "16 ms");
    EXPECT_EQ(pulses[PULSE_LENGTH_DEFAULT_INDEX], "48 ms");
    EXPECT_EQ(pulses[12], "104 ms");
    EXPECT_EQ(pulses[24], "200 ms");
    EXPECT_EQ(A_INPUT_MODE_ITEMS[2], "Rotary Switch, Pulsed");
    EXPECT_EQ(A_INPUT_MODE_ITEMS[4], "Button 21");
}
