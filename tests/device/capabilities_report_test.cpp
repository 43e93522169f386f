// SPDX-License-Identifier: GPL-3.0-or-later
#include "capabilities_report.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

using namespace tamo::device;

namespace {

using Scratch = std::array<std::uint8_t, CAPABILITIES_SCRATCH_BYTES>;

std::string Repeat(const std::string &piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

// The report up to and including the line break before the byte line.
std::string Head(const std::string &report) {
    const auto end = report.find("ValueCapsLength ");
    return report.substr(0, report.find("\r\n", end) + 2);
}

} // namespace

TEST(CapabilitiesReport, BoardWithoutValueCaps) {
    const Scratch scratch{};
    const std::string report = CapabilitiesReport(HIDP_VALUE_CAPS{}, 0, scratch);
    const std::string expectedHead =
        "UsagePage 0\r\nReportID 0\r\nIsAlias 0\r\nBitField 0\r\nLinkCollection 0\r\n"
        "LinkUsage 0\r\nLinkUsagePage 0\r\nIsRange 0\r\nIsStringRange 0\r\n"
        "IsDesignatorRange 0\r\nIsAbsolute 0\r\nHasNull 0\r\nBitSize 0\r\nReportCount 0\r\n"
        "UnitsExp 0\r\nUnits 0\r\nLogicalMin 0\r\nLogicalMax 0\r\nPhysicalMin 0\r\n"
        "PhysicalMax 0\r\nUsageMin 0\r\nUsageMax 0\r\nStringMin 0\r\nStringMax 0\r\n"
        "DesignatorMin 0\r\nDesignatorMax 0\r\nDataIndexMin 0\r\nDataIndexMax 0 \r\n"
        "ValueCapsLength 0\r\n";
    EXPECT_EQ(report, expectedHead + Repeat(" 0", 1024));
}

TEST(CapabilitiesReport, FieldSignednessFollowsTheFieldWidth) {
    HIDP_VALUE_CAPS caps;
    caps.UsagePage = 0xFFFF;
    caps.ReportID = 255;
    caps.BitField = 0x8000;
    caps.BitSize = 16;
    caps.UnitsExp = 0xFFFFFFFFu;
    caps.Units = 0x80000000u;
    caps.LogicalMin = -32768;
    caps.LogicalMax = 32767;
    caps.UsageMin = 0x30;
    caps.DataIndexMax = 0xFFFE;
    const Scratch scratch{};
    const std::string head = Head(CapabilitiesReport(caps, 65535, scratch));
    EXPECT_EQ(head.rfind("UsagePage -1\r\nReportID 255\r\nIsAlias 0\r\nBitField -32768\r\n", 0),
              0u);
    EXPECT_NE(head.find("\r\nBitSize 16\r\n"), std::string::npos);
    EXPECT_NE(head.find("\r\nUnitsExp -1\r\nUnits -2147483648\r\n"), std::string::npos);
    EXPECT_NE(head.find("\r\nLogicalMin -32768\r\nLogicalMax 32767\r\n"), std::string::npos);
    EXPECT_NE(head.find("\r\nUsageMin 48\r\n"), std::string::npos);
    EXPECT_TRUE(head.ends_with("\r\nDataIndexMax -2 \r\nValueCapsLength -1\r\n"));
}

TEST(CapabilitiesReport, ByteLineShowsTheScratchBufferInOrder) {
    HIDP_VALUE_CAPS caps;
    caps.UsagePage = 1;
    caps.ReportID = 3;
    Scratch scratch{};
    std::memcpy(scratch.data(), &caps, sizeof caps);
    scratch[1023] = 255;
    const std::string report = CapabilitiesReport(caps, 1, scratch);
    const std::string bytes = report.substr(Head(report).size());
    EXPECT_EQ(bytes.rfind(" 1 0 3 0 0 0", 0), 0u);
    EXPECT_TRUE(bytes.ends_with(" 0 255"));
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    EXPECT_EQ(bytes.find('\n'), std::string::npos);
}

TEST(CapabilitiesReport, WidestValuesFillTheMaximumLength) {
    HIDP_VALUE_CAPS caps;
    // 0x8000 is the widest signed 16-bit text, 0xFF the widest byte, INT32_MIN the widest 32.
    caps.UsagePage = caps.BitField = caps.LinkCollection = caps.LinkUsage = caps.LinkUsagePage =
        caps.BitSize = caps.ReportCount = caps.UsageMin = caps.UsageMax = caps.StringMin =
            caps.StringMax = caps.DesignatorMin = caps.DesignatorMax = caps.DataIndexMin =
                caps.DataIndexMax = 0x8000;
    caps.ReportID = caps.IsAlias = caps.IsRange = caps.IsStringRange = caps.IsDesignatorRange =
        caps.IsAbsolute = caps.HasNull = 255;
    caps.UnitsExp = caps.Units = 0x80000000u;
    caps.LogicalMin = caps.LogicalMax = caps.PhysicalMin = caps.PhysicalMax =
        std::numeric_limits<std::int32_t>::min();
    Scratch scratch;
    scratch.fill(255);
    const std::string report = CapabilitiesReport(caps, 0x8000, scratch);
    EXPECT_EQ(report.size(), CAPABILITIES_REPORT_MAX_LENGTH);
    EXPECT_TRUE(report.ends_with(" 255 255"));
}
