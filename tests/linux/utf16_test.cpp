// SPDX-License-Identifier: GPL-3.0-or-later
#include "hid_string.h"
#include "usb_string_descriptor.h"
#include "utf16_buffer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tamo::device;

namespace {

std::vector<std::uint8_t> Filled(std::size_t size)
{
    return std::vector<std::uint8_t>(size, 0xAA);
}

std::u16string UnitsOf(const std::vector<std::uint8_t> &buffer)
{
    std::u16string units;
    for (std::size_t i = 0; i + 1 < buffer.size(); i += 2) {
        const auto unit = static_cast<char16_t>(buffer[i] | (buffer[i + 1] << 8));
        if (unit == 0)
            break;
        units.push_back(unit);
    }
    return units;
}

} // namespace

TEST(Utf8ToUtf16, DecodesEveryLength)
{
    EXPECT_EQ(Utf8ToUtf16("Tamo"), u"Tamo");
    EXPECT_EQ(Utf8ToUtf16("\xC3\xA9"), u"\u00E9");
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82\xAC"), u"\u20AC");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x8E\xAE"), u"\U0001F3AE"); // a surrogate pair
    EXPECT_EQ(Utf8ToUtf16("\xF4\x8F\xBF\xBF"), u"\U0010FFFF");
    EXPECT_EQ(Utf8ToUtf16(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf8ToUtf16, ReplacesEachIllFormedSubsequenceOnce)
{
    EXPECT_EQ(Utf8ToUtf16("a\x80z"), u"a\uFFFDz");                 // stray continuation
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");           // overlong lead is invalid
    EXPECT_EQ(Utf8ToUtf16("\xE0\x80\x80"), u"\uFFFD\uFFFD\uFFFD"); // overlong 3-byte
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // encoded surrogate
    EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD"); // > U+10FFFF
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD");                           // truncated at the end
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82z"), u"\uFFFDz");                         // cut short, next kept
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x8E"), u"\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xFF\xFE"), u"\uFFFD\uFFFD");
}

TEST(WriteUtf16Le, FillsTheCallersBytesAndTerminatesWhereThereIsRoom)
{
    for (const std::size_t size : {0u, 1u}) {
        auto buffer = Filled(size);
        EXPECT_FALSE(WriteUtf16Le(u"Tamo", buffer)) << size;
        EXPECT_EQ(buffer, Filled(size)) << size;
    }

    auto two = Filled(2);
    EXPECT_TRUE(WriteUtf16Le(u"Tamo", two));
    EXPECT_EQ(two, (std::vector<std::uint8_t>{'T', 0}));

    auto odd = Filled(7); // three whole code units; the odd byte stays untouched
    EXPECT_TRUE(WriteUtf16Le(u"Tamo", odd));
    EXPECT_EQ(odd, (std::vector<std::uint8_t>{'T', 0, 'a', 0, 'm', 0, 0xAA}));

    auto exact = Filled(10);
    EXPECT_TRUE(WriteUtf16Le(u"Tamo", exact));
    EXPECT_EQ(exact, (std::vector<std::uint8_t>{'T', 0, 'a', 0, 'm', 0, 'o', 0, 0, 0}));

    auto empty = Filled(4);
    EXPECT_TRUE(WriteUtf16Le(u"", empty));
    EXPECT_EQ(empty, (std::vector<std::uint8_t>{0, 0, 0xAA, 0xAA}));
}

TEST(WriteUtf16Le, FiftyCharactersInTheHundredByteRequest)
{
    const std::u16string fifty(50, u'S');
    auto buffer = Filled(STRING_REQUEST_BYTES);
    ASSERT_TRUE(WriteUtf16Le(fifty, buffer));
    EXPECT_EQ(buffer[98], 'S');
    EXPECT_EQ(buffer[99], 0);
    EXPECT_EQ(HidStringToText(buffer), std::string(50, 'S'));

    auto roomy = Filled(STRING_REQUEST_BYTES + 2);
    ASSERT_TRUE(WriteUtf16Le(fifty, roomy));
    EXPECT_EQ(UnitsOf(roomy), fifty);
}

TEST(WriteUtf16Le, NonAsciiIsLittleEndianAndPairsStayWhole)
{
    auto buffer = Filled(8);
    ASSERT_TRUE(WriteUtf16Le(Utf8ToUtf16("\xC4\x80\xE2\x82\xAC"), buffer)); // U+0100 U+20AC
    EXPECT_EQ(buffer, (std::vector<std::uint8_t>{0x00, 0x01, 0xAC, 0x20, 0, 0, 0xAA, 0xAA}));
    // The tool's text ends at a code unit whose low byte is zero.
    EXPECT_EQ(HidStringToText(buffer), "");

    const std::u16string pair = u"ab\U0001F3AE";
    auto cut = Filled(6); // three units would split the pair
    ASSERT_TRUE(WriteUtf16Le(pair, cut));
    EXPECT_EQ(UnitsOf(cut), u"ab");
    auto whole = Filled(8);
    ASSERT_TRUE(WriteUtf16Le(pair, whole));
    EXPECT_EQ(UnitsOf(whole), pair);
}

TEST(UsbStringDescriptor, FirstLanguageOrEnglish)
{
    EXPECT_EQ(FirstLanguageId(std::vector<std::uint8_t>{4, 3, 0x07, 0x04}), 0x0407);
    EXPECT_EQ(FirstLanguageId(std::vector<std::uint8_t>{6, 3, 0x09, 0x04, 0x07, 0x04}), 0x0409);
    EXPECT_EQ(FirstLanguageId(std::vector<std::uint8_t>{2, 3}), DEFAULT_LANGUAGE_ID);
    EXPECT_EQ(FirstLanguageId(std::vector<std::uint8_t>{4, 3, 0x07}), DEFAULT_LANGUAGE_ID);
    EXPECT_EQ(FirstLanguageId(std::vector<std::uint8_t>{4, 2, 0x07, 0x04}), DEFAULT_LANGUAGE_ID);
    EXPECT_EQ(FirstLanguageId({}), DEFAULT_LANGUAGE_ID);
}

TEST(UsbStringDescriptor, PayloadBoundedByLengthAndByWhatArrived)
{
    const std::vector<std::uint8_t> tamo{10, 3, 'T', 0, 'a', 0, 'm', 0, 'o', 0};
    auto buffer = Filled(STRING_REQUEST_BYTES);
    ASSERT_TRUE(CopyStringDescriptor(tamo, buffer));
    EXPECT_EQ(HidStringToText(buffer), "Tamo");

    // bLength claims more than arrived: only what arrived is used.
    const std::vector<std::uint8_t> shortReply{255, 3, 'T', 0, 'a', 0};
    buffer = Filled(STRING_REQUEST_BYTES);
    ASSERT_TRUE(CopyStringDescriptor(shortReply, buffer));
    EXPECT_EQ(UnitsOf(buffer), u"Ta");

    // Bytes after bLength, and an odd trailing byte, are not text.
    const std::vector<std::uint8_t> trailing{5, 3, 'T', 0, 'a', 'X', 0};
    buffer = Filled(STRING_REQUEST_BYTES);
    ASSERT_TRUE(CopyStringDescriptor(trailing, buffer));
    EXPECT_EQ(UnitsOf(buffer), u"T");

    auto small = Filled(4);
    ASSERT_TRUE(CopyStringDescriptor(tamo, small));
    EXPECT_EQ(small, (std::vector<std::uint8_t>{'T', 0, 'a', 0})) << "as much as the caller's bytes hold";
}

TEST(UsbStringDescriptor, RejectsWhatIsNotAStringDescriptor)
{
    auto buffer = Filled(STRING_REQUEST_BYTES);
    EXPECT_FALSE(CopyStringDescriptor(std::vector<std::uint8_t>{}, buffer));
    EXPECT_FALSE(CopyStringDescriptor(std::vector<std::uint8_t>{10}, buffer));
    EXPECT_FALSE(CopyStringDescriptor(std::vector<std::uint8_t>{4, 1, 'T', 0}, buffer));
    EXPECT_FALSE(CopyStringDescriptor(std::vector<std::uint8_t>{1, 3, 'T', 0}, buffer));
    EXPECT_EQ(buffer, Filled(STRING_REQUEST_BYTES));
    auto tiny = Filled(1);
    EXPECT_FALSE(CopyStringDescriptor(std::vector<std::uint8_t>{4, 3, 'T', 0}, tiny));
}
