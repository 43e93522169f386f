// SPDX-License-Identifier: GPL-3.0-or-later
// Parser rules that the device dumps exercise only thinly or not at all.
#include "report_descriptor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tamo::device {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes bytes;
    for (const Bytes &part : parts)
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

HidCollectionCaps ParseOne(const Bytes &bytes)
{
    const DescriptorParse parse = ParseReportDescriptor(bytes);
    EXPECT_TRUE(parse.ok()) << parse.error;
    EXPECT_EQ(parse.collections.size(), 1u);
    return parse.collections.empty() ? HidCollectionCaps{} : parse.collections.front();
}

const Bytes JOYSTICK{0x05, 0x01, 0x09, 0x04, 0xA1, 0x01};
const Bytes END{0xC0};

TEST(DescriptorRules, GlobalsCarryAcrossTopLevelCollectionsButLocalsDoNot)
{
    const Bytes bytes = Concat({JOYSTICK,
                                {0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x01, 0x85, 0x07},
                                {0x09, 0x30, 0x81, 0x02},
                                {0x09, 0x31}, // a usage left before End Collection
                                END,
                                {0x09, 0x05, 0xA1, 0x01, 0x81, 0x03, 0x09, 0x32, 0x81, 0x02},
                                END});
    const DescriptorParse parse = ParseReportDescriptor(bytes);
    ASSERT_TRUE(parse.ok()) << parse.error;
    ASSERT_EQ(parse.collections.size(), 2u);
    const HidCollectionCaps &second = parse.collections[1];
    EXPECT_EQ(second.caps.Usage, 5);
    // The constant item would be a cap if usage 0x31 had survived the End Collection.
    ASSERT_EQ(second.inputValueCaps.size(), 1u);
    const HIDP_VALUE_CAPS &z = second.inputValueCaps[0];
    EXPECT_EQ(z.UsageMin, 0x32);
    EXPECT_EQ(z.ReportID, 7);
    EXPECT_EQ(z.LogicalMin, -127);
    EXPECT_EQ(z.LogicalMax, 127);
    EXPECT_EQ(z.BitSize, 8);
    // Each collection numbers its own data indices and measures its own reports.
    EXPECT_EQ(z.DataIndexMin, 0);
    EXPECT_EQ(second.caps.InputReportByteLength, 3);
}

TEST(DescriptorRules, ReportLengthIsTheLongestReportIdAndCountsTheIdByte)
{
    const Bytes bytes = Concat({JOYSTICK,
                                {0x75, 0x08, 0x95, 0x01},
                                {0x85, 0x01, 0x09, 0x30, 0x81, 0x02},             // 1 + 1 byte
                                {0x85, 0x02, 0x95, 0x03, 0x81, 0x03},             // 1 + 3 bytes
                                {0x85, 0x01, 0x75, 0x01, 0x95, 0x0C, 0x81, 0x03}, // +12 bits
                                END});
    const HidCollectionCaps collection = ParseOne(bytes);
    // Report 1: 8 + 8 + 12 bits = 28 bits, 4 bytes; report 2: 8 + 24 bits, 4 bytes.
    EXPECT_EQ(collection.caps.InputReportByteLength, 4);
    EXPECT_EQ(collection.caps.OutputReportByteLength, 0);
    EXPECT_EQ(collection.caps.FeatureReportByteLength, 0);

    // Without report IDs the ID byte still counts; an item of Report Count 0 makes the type
    // present with just that byte.
    const HidCollectionCaps noIds = ParseOne(
        Concat({JOYSTICK, {0x75, 0x01, 0x95, 0x09, 0x91, 0x03, 0x95, 0x00, 0xB1, 0x02}, END}));
    EXPECT_EQ(noIds.caps.OutputReportByteLength, 3);
    EXPECT_EQ(noIds.caps.FeatureReportByteLength, 1);
    EXPECT_EQ(noIds.caps.NumberFeatureValueCaps + noIds.caps.NumberFeatureButtonCaps, 0);
}

TEST(DescriptorRules, LogicalAndPhysicalExtentsSignExtendFromTheirOwnSize)
{
    const Bytes bytes =
        Concat({JOYSTICK,
                {0x15, 0x80, 0x26, 0xFF, 0x00, 0x36, 0x00, 0x80},
                {0x47, 0xFF, 0xFF, 0x00, 0x00, 0x55, 0x0D, 0x67, 0x11, 0xF0, 0xD1, 0x00},
                {0x09, 0x30, 0x75, 0x10, 0x95, 0x01, 0x81, 0x02},
                END});
    const HidCollectionCaps collection = ParseOne(bytes);
    ASSERT_EQ(collection.inputValueCaps.size(), 1u);
    const HIDP_VALUE_CAPS &x = collection.inputValueCaps[0];
    EXPECT_EQ(x.LogicalMin, -128);
    EXPECT_EQ(x.LogicalMax, 255);
    EXPECT_EQ(x.PhysicalMin, -32768);
    EXPECT_EQ(x.PhysicalMax, 65535);
    // Unit and Unit Exponent are handed out as coded, not decoded.
    EXPECT_EQ(x.UnitsExp, 0x0Du);
    EXPECT_EQ(x.Units, 0x00D1F011u);
}

TEST(DescriptorRules, PushAndPopRestoreTheGlobals)
{
    const Bytes bytes =
        Concat({JOYSTICK,
                {0x75, 0x08, 0x95, 0x01, 0x25, 0x7F, 0xA4, 0x75, 0x10, 0x26, 0xFF, 0x03},
                {0x09, 0x30, 0x81, 0x02, 0xB4, 0x09, 0x31, 0x81, 0x02},
                END});
    const HidCollectionCaps collection = ParseOne(bytes);
    ASSERT_EQ(collection.inputValueCaps.size(), 2u);
    EXPECT_EQ(collection.inputValueCaps[0].BitSize, 16);
    EXPECT_EQ(collection.inputValueCaps[0].LogicalMax, 1023);
    EXPECT_EQ(collection.inputValueCaps[1].BitSize, 8);
    EXPECT_EQ(collection.inputValueCaps[1].LogicalMax, 127);
    EXPECT_EQ(collection.caps.InputReportByteLength, 4);
}

TEST(DescriptorRules, MixedUsagesAndRangesOnOneVariableItem)
{
    // X, buttons 1-4 as a range, Y, on 8 one-byte fields: X and the range one field each,
    // Y the remaining six. Stored last first; data indices follow the stored order.
    const Bytes bytes = Concat({JOYSTICK,
                                {0x09, 0x30, 0x05, 0x09, 0x19, 0x01, 0x29, 0x04, 0x05, 0x01, 0x09,
                                 0x31, 0x75, 0x08, 0x95, 0x08, 0x81, 0x02},
                                END});
    const HidCollectionCaps collection = ParseOne(bytes);
    ASSERT_EQ(collection.inputValueCaps.size(), 3u);
    const HIDP_VALUE_CAPS &y = collection.inputValueCaps[0];
    const HIDP_VALUE_CAPS &buttons = collection.inputValueCaps[1];
    const HIDP_VALUE_CAPS &x = collection.inputValueCaps[2];
    EXPECT_EQ(y.UsageMin, 0x31);
    EXPECT_EQ(y.ReportCount, 6);
    EXPECT_EQ(y.DataIndexMin, 0);
    EXPECT_EQ(buttons.UsagePage, 9);
    EXPECT_EQ(buttons.IsRange, 1);
    EXPECT_EQ(buttons.ReportCount, 1); // a range value cap always shows one field
    EXPECT_EQ(buttons.DataIndexMin, 1);
    EXPECT_EQ(buttons.DataIndexMax, 4);
    EXPECT_EQ(x.UsageMin, 0x30);
    EXPECT_EQ(x.UsageMax, 0x30); // the not-range union keeps a copy
    EXPECT_EQ(x.DataIndexMin, 5);
    EXPECT_EQ(x.DataIndexMax, 5);
    EXPECT_EQ(collection.caps.NumberInputDataIndices, 6);
}

TEST(DescriptorRules, DelimiterSetsBecomeAliasesLastDeclaredFirst)
{
    // One field described as X, alias Y, alias Z.
    const Bytes bytes = Concat({JOYSTICK,
                                {0xA9, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x32, 0xA9, 0x00},
                                {0x75, 0x08, 0x95, 0x01, 0x81, 0x02},
                                END});
    const HidCollectionCaps collection = ParseOne(bytes);
    ASSERT_EQ(collection.inputValueCaps.size(), 3u);
    EXPECT_EQ(collection.inputValueCaps[0].UsageMin, 0x32);
    EXPECT_EQ(collection.inputValueCaps[0].IsAlias, 1);
    EXPECT_EQ(collection.inputValueCaps[1].UsageMin, 0x31);
    EXPECT_EQ(collection.inputValueCaps[1].IsAlias, 1);
    EXPECT_EQ(collection.inputValueCaps[2].UsageMin, 0x30);
    EXPECT_EQ(collection.inputValueCaps[2].IsAlias, 0);
    for (const HIDP_VALUE_CAPS &cap : collection.inputValueCaps)
        EXPECT_EQ(cap.DataIndexMin, 0);
}

TEST(DescriptorRules, StringAndDesignatorLocals)
{
    const Bytes bytes = Concat({JOYSTICK,
                                {0x89, 0x03, 0x99, 0x05, 0x39, 0x07, 0x09, 0x30},
                                {0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0x09, 0x31, 0x81, 0x02},
                                END});
    const HidCollectionCaps collection = ParseOne(bytes);
    ASSERT_EQ(collection.inputValueCaps.size(), 2u);
    const HIDP_VALUE_CAPS &x = collection.inputValueCaps[0];
    EXPECT_EQ(x.IsStringRange, 1);
    EXPECT_EQ(x.StringMin, 3);
    EXPECT_EQ(x.StringMax, 5);
    EXPECT_EQ(x.IsDesignatorRange, 0);
    EXPECT_EQ(x.DesignatorMin, 7);
    EXPECT_EQ(x.DesignatorMax, 7);
    // Locals end with their main item.
    const HIDP_VALUE_CAPS &y = collection.inputValueCaps[1];
    EXPECT_EQ(y.StringMin, 0);
    EXPECT_EQ(y.DesignatorMin, 0);
}

TEST(DescriptorRules, ReservedItemsAndTrailingZerosAreIgnored)
{
    // Some devices pad their descriptor with zero bytes after the last End Collection.
    const Bytes bytes = Concat({JOYSTICK,
                                {0xF4, 0xF8, 0x09, 0x30, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02},
                                END,
                                {0x00, 0x00, 0x00}});
    const HidCollectionCaps collection = ParseOne(bytes);
    EXPECT_EQ(collection.inputValueCaps.size(), 1u);
}

} // namespace
} // namespace tamo::device
