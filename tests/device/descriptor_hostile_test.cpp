// SPDX-License-Identifier: GPL-3.0-or-later
// Descriptors as a broken or malicious device might send them: every one must end in a clear
// error with a byte offset or a bounded result, never a crash, a hang or unbounded memory.
#include "descriptor_test_support.h"
#include "report_descriptor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace tamo::device {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace limits = descriptor_limits;

// Generic Desktop joystick application collection around body.
Bytes Tlc(const Bytes &body)
{
    Bytes bytes{0x05, 0x01, 0x09, 0x04, 0xA1, 0x01};
    bytes.insert(bytes.end(), body.begin(), body.end());
    bytes.push_back(0xC0);
    return bytes;
}

Bytes Repeat(const Bytes &unit, std::size_t times)
{
    Bytes bytes;
    for (std::size_t i = 0; i < times; ++i)
        bytes.insert(bytes.end(), unit.begin(), unit.end());
    return bytes;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes bytes;
    for (const Bytes &part : parts)
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

// One 8-bit X axis input.
const Bytes AXIS{0x09, 0x30, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02};

void ExpectErrorAt(const DescriptorParse &parse, const std::string &what, std::size_t offset)
{
    EXPECT_NE(parse.error.find(what), std::string::npos) << parse.error;
    EXPECT_NE(parse.error.find("byte offset " + std::to_string(offset)), std::string::npos)
        << parse.error;
}

TEST(HostileDescriptor, EveryTruncationOfARealDescriptorIsAnError)
{
    const Bytes whole = testing::HexBytes(
        "05010905A101A10009300931150026FFFF350046FFFF950275108102C0A10009330934150026FFFF350046"
        "FFFF950275108102C0A1000932150026FFFF350046FFFF950175108102C005091901291095107501810205"
        "010939150125083500463B10660E00750495018142750495018103750895028103C0");
    ASSERT_TRUE(ParseReportDescriptor(whole).ok());
    for (std::size_t length = 1; length < whole.size(); ++length) {
        SCOPED_TRACE("length " + std::to_string(length));
        const DescriptorParse parse = ParseReportDescriptor(std::span(whole).first(length));
        EXPECT_FALSE(parse.ok());
        EXPECT_TRUE(parse.collections.empty());
        EXPECT_NE(parse.error.find("byte offset"), std::string::npos) << parse.error;
    }
}

TEST(HostileDescriptor, ItemDataRunningPastTheEnd)
{
    // Logical Maximum announcing 4 data bytes with 2 left.
    const Bytes bytes{0x05, 0x01, 0x09, 0x04, 0xA1, 0x01, 0x27, 0xFF, 0xFF};
    ExpectErrorAt(ParseReportDescriptor(bytes), "needs 4 data bytes but only 2 remain", 6);
    // A long item whose declared data size overruns the descriptor.
    ExpectErrorAt(ParseReportDescriptor(Bytes{0xA1, 0x01, 0xFE, 0x09, 0x10, 0x00}), "long item", 2);
    ExpectErrorAt(ParseReportDescriptor(Bytes{0xFE}), "long item", 0);
}

TEST(HostileDescriptor, LongItemsAreSkippedAndReported)
{
    const Bytes bytes = Tlc(Concat({{0xFE, 0x03, 0x10, 0x81, 0x02, 0xC0}, AXIS}));
    const DescriptorParse parse = ParseReportDescriptor(bytes);
    ExpectErrorAt(parse, "long item", 6);
    ASSERT_EQ(parse.collections.size(), 1u);
    // The long item's data bytes look like Input and End Collection; they must not count.
    EXPECT_EQ(parse.collections[0].inputValueCaps.size(), 1u);
    EXPECT_EQ(parse.collections[0].caps.InputReportByteLength, 2);
}

TEST(HostileDescriptor, ReportLengthsBeyond16BitsAreErrorsNotClamped)
{
    // 8 + 8 x 65534 bits is exactly 65535 bytes: the longest report a length can hold.
    const DescriptorParse longest =
        ParseReportDescriptor(Tlc({0x75, 0x08, 0x96, 0xFE, 0xFF, 0x81, 0x03}));
    ASSERT_TRUE(longest.ok()) << longest.error;
    EXPECT_EQ(longest.collections.at(0).caps.InputReportByteLength, 0xFFFF);

    // Report Count 65535 x Report Size 32.
    ExpectErrorAt(ParseReportDescriptor(Tlc({0x75, 0x20, 0x96, 0xFF, 0xFF, 0x81, 0x02})),
                  "longer than 65535 bytes", 11);
    // Two items that fit alone overflow together.
    ExpectErrorAt(
        ParseReportDescriptor(Tlc({0x75, 0x08, 0x96, 0x00, 0x80, 0xB1, 0x03, 0xB1, 0x03})),
        "Feature item: feature report 0 is longer", 13);
    ExpectErrorAt(
        ParseReportDescriptor(Tlc({0x75, 0x01, 0x97, 0x00, 0x00, 0x01, 0x00, 0x81, 0x02})),
        "Report Count 65536 does not fit 16 bits", 13);
    ExpectErrorAt(
        ParseReportDescriptor(Tlc({0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x95, 0x01, 0x91, 0x02})),
        "Report Size 4294967295 does not fit 16 bits", 13);
}

TEST(HostileDescriptor, ThousandsOfUsagesHitTheUsageLimit)
{
    const Bytes usages = Repeat({0x09, 0x30}, 5000);
    const DescriptorParse parse = ParseReportDescriptor(Tlc(Concat({usages, AXIS})));
    ExpectErrorAt(parse, "usages for one main item", 6 + 2 * limits::USAGES_PER_ITEM);
    EXPECT_TRUE(parse.collections.empty());

    // At the limit every usage is kept.
    const Bytes atLimit = Concat({Repeat({0x09, 0x30}, limits::USAGES_PER_ITEM),
                                  {0x75, 0x08, 0x96, 0x00, 0x04, 0x81, 0x02}});
    const DescriptorParse full = ParseReportDescriptor(Tlc(atLimit));
    ASSERT_TRUE(full.ok()) << full.error;
    EXPECT_EQ(full.collections.at(0).inputValueCaps.size(), limits::USAGES_PER_ITEM);
}

TEST(HostileDescriptor, CapsAndDataIndicesAreBounded)
{
    // Arrays of 1000 usages each: the cap total runs out before memory does.
    const Bytes arrayItem =
        Concat({Repeat({0x09, 0x30}, 1000), {0x75, 0x08, 0x95, 0x01, 0x81, 0x00}});
    const DescriptorParse many = ParseReportDescriptor(Tlc(Repeat(arrayItem, 10)));
    EXPECT_NE(many.error.find("more than 8192 caps"), std::string::npos) << many.error;

    // One usage range of 65536 buttons would need data indices beyond 16 bits.
    const DescriptorParse indices = ParseReportDescriptor(
        Tlc({0x05, 0x09, 0x19, 0x00, 0x2A, 0xFF, 0xFF, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00}));
    ExpectErrorAt(indices, "more than 65535 input data indices", 17);
}

TEST(HostileDescriptor, NestingAndPushDepthAreBounded)
{
    const DescriptorParse deep = ParseReportDescriptor(Repeat({0xA1, 0x00}, 10000));
    ExpectErrorAt(deep, "nested deeper than 32", 2 * limits::NESTING_DEPTH);

    const Bytes deepest = Concat(
        {Repeat({0xA1, 0x00}, limits::NESTING_DEPTH), AXIS, Repeat({0xC0}, limits::NESTING_DEPTH)});
    const DescriptorParse balanced = ParseReportDescriptor(deepest);
    ASSERT_TRUE(balanced.ok()) << balanced.error;
    EXPECT_EQ(balanced.collections.at(0).caps.NumberLinkCollectionNodes, limits::NESTING_DEPTH);
    EXPECT_EQ(balanced.collections.at(0).inputValueCaps.at(0).LinkCollection,
              limits::NESTING_DEPTH - 1);

    ExpectErrorAt(ParseReportDescriptor(Tlc(Repeat({0xA4}, 1000))), "Push deeper than 32",
                  6 + limits::PUSH_DEPTH);
    // Push without Pop is harmless as long as it stays within the bound.
    EXPECT_TRUE(ParseReportDescriptor(Tlc(Concat({Repeat({0xA4}, 5), AXIS}))).ok());
}

TEST(HostileDescriptor, StrayEndCollectionPopAndMainItemsAreSkipped)
{
    const Bytes bytes = Concat({{0xC0},                               // End Collection, none open
                                {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}, // Input outside
                                Tlc(Concat({{0xB4}, AXIS}))});        // Pop without Push
    const DescriptorParse parse = ParseReportDescriptor(bytes);
    ExpectErrorAt(parse, "End Collection without an open collection", 0);
    ASSERT_EQ(parse.collections.size(), 1u);
    EXPECT_EQ(parse.collections[0].inputValueCaps.size(), 1u);
    // The Input outside any collection belongs to no report.
    EXPECT_EQ(parse.collections[0].caps.InputReportByteLength, 2);

    ExpectErrorAt(ParseReportDescriptor(Bytes{0x75, 0x08, 0x95, 0x01, 0xB1, 0x02}),
                  "Feature item outside any collection", 4);
    ExpectErrorAt(ParseReportDescriptor(Tlc({0xB4})), "Pop without a matching Push", 6);
}

TEST(HostileDescriptor, UnbalancedCollectionsEndInAnError)
{
    const DescriptorParse endless = ParseReportDescriptor(Repeat({0xA1, 0x01, 0xC0}, 5000));
    ExpectErrorAt(endless, "more than 64 top-level collections", 3 * limits::TOP_LEVEL_COLLECTIONS);
    EXPECT_EQ(endless.collections.size(), limits::TOP_LEVEL_COLLECTIONS);

    const DescriptorParse open =
        ParseReportDescriptor(Concat({Tlc(AXIS), {0xA1, 0x01, 0xA1, 0x00, 0xC0}}));
    ExpectErrorAt(open, "descriptor ends inside the collection opened", 15);
    EXPECT_EQ(open.collections.size(), 1u);

    // Thousands of sibling collections inside one.
    const DescriptorParse siblings = ParseReportDescriptor(Tlc(Repeat({0xA1, 0x00, 0xC0}, 3000)));
    EXPECT_NE(siblings.error.find("more than 1024 collections"), std::string::npos)
        << siblings.error;
}

TEST(HostileDescriptor, RandomBytesStayWithinTheLimits)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<std::size_t> length(0, 600);
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes(length(random));
        for (std::uint8_t &b : bytes)
            b = static_cast<std::uint8_t>(byte(random));
        const DescriptorParse parse = ParseReportDescriptor(bytes);
        ASSERT_LE(parse.collections.size(), limits::TOP_LEVEL_COLLECTIONS);
        for (const HidCollectionCaps &collection : parse.collections) {
            ASSERT_EQ(collection.caps.NumberInputValueCaps, collection.inputValueCaps.size());
            ASSERT_EQ(collection.caps.NumberLinkCollectionNodes,
                      collection.linkCollectionNodes.size());
            for (const HIDP_VALUE_CAPS &cap : collection.inputValueCaps)
                ASSERT_LT(cap.LinkCollection, collection.linkCollectionNodes.size());
        }
    }
}

} // namespace
} // namespace tamo::device
