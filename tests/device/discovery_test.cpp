// SPDX-License-Identifier: GPL-3.0-or-later
// Finding boards of the family among the present HID devices, and the connection's
// invariants, over virtual devices.
#include "board_identity.h"
#include "discovery.h"
#include "virtual_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace tamo::test {

using device::PID_FIRST;
using device::VENDOR_ID;

class Discovery : public ::testing::Test {
protected:
    sim::VirtualHidPlatform platform{[] {
        return std::uint64_t{0};
    }};
    device::BoardConnection connection;
    device::ValueCapsArray valueCaps{};
    device::Discovery discovery{platform, connection, valueCaps};
    std::vector<std::string> serials;
    // The serial number the window would show: the last one listed.
    std::string shown;
    std::string report;

    int addBoard(std::u16string serial, std::uint16_t productId = PID_FIRST,
                 std::u16string marker = u"Tamo", std::uint16_t vendorId = VENDOR_ID)
    {
        auto definition = sim::FamilyBoard(std::move(serial));
        definition.productId = productId;
        definition.vendorId = vendorId;
        definition.indexedStrings.clear();
        if (!marker.empty())
            definition.indexedStrings[device::MARKER_STRING_INDEX] = marker;
        return platform.addDevice(definition);
    }
    std::vector<std::string> scan()
    {
        serials = device::Scan_USB_devices(discovery);
        shown = serials.empty() ? "" : serials.back();
        return serials;
    }
    bool find()
    {
        const device::SearchResult result = device::FindTheHid(discovery, shown);
        report = result.capabilitiesReport;
        EXPECT_EQ(result.found, connection.DeviceFound);
        return result.found;
    }
};

TEST_F(Discovery, NoBoardLeavesTheListEmptyAndDisabledAndNoHandleOpen)
{
    platform.addDevice(sim::ForeignMouse());
    EXPECT_TRUE(scan().empty());
    EXPECT_FALSE(find());
    EXPECT_FALSE(connection.DeviceFound);
    EXPECT_EQ(platform.openFileHandles(), 0);
}

TEST_F(Discovery, ListsBoardsInEnumerationOrderAndLeavesNoHandleOpen)
{
    addBoard(u"A1");
    EXPECT_EQ(scan(), std::vector<std::string>{"A1"});

    platform.addDevice(sim::ForeignMouse());
    addBoard(u"B2");
    addBoard(u"C3");
    EXPECT_EQ(scan(), (std::vector<std::string>{"A1", "B2", "C3"}));
    EXPECT_EQ(platform.openFileHandles(), 0);
}

TEST_F(Discovery, TheMarkerInExactCaseAcceptsAnyProductIdOfOurVendorOnly)
{
    addBoard(u"marker", PID_FIRST + 22, u"Tamo box");
    addBoard(u"lower", PID_FIRST + 22, u"tamo box");
    addBoard(u"upper", PID_FIRST + 22, u"TAMO");
    addBoard(u"other-vendor", PID_FIRST, u"Tamo", VENDOR_ID ^ 0x0101);
    EXPECT_EQ(scan(), std::vector<std::string>{"marker"});
}

TEST_F(Discovery, WithoutTheMarkerOnlyThe22ProductIdsAreAccepted)
{
    addBoard(u"below", PID_FIRST - 1, u"");
    addBoard(u"first", PID_FIRST, u"");
    addBoard(u"last", PID_FIRST + 21, u"");
    addBoard(u"past", PID_FIRST + 22, u"");
    addBoard(u"short", PID_FIRST + 22, u"Tam");
    EXPECT_EQ(scan(), (std::vector<std::string>{"first", "last"}));
}

TEST_F(Discovery, ABoardWhoseSerialCannotBeReadIsNeitherListedNorMatched)
{
    auto definition = sim::FamilyBoard(u"x");
    definition.serialNumber.reset();
    platform.addDevice(definition);
    addBoard(u"A1");
    EXPECT_EQ(scan(), std::vector<std::string>{"A1"});
}

TEST_F(Discovery, SerialTextEndsBeforeACodeUnitWithAZeroLowByte)
{
    addBoard(u"AB\u0100CD");
    addBoard(u"\u0141\u0142X"); // high bytes are dropped: 0x41 0x42 then 'X'
    EXPECT_EQ(scan(), (std::vector<std::string>{"AB", "ABX"}));
}

TEST_F(Discovery, FindTheHidOpensTheFirstBoardWithTheShownSerialAndKeepsTwoHandles)
{
    const int first = addBoard(u"SAME");
    const int second = addBoard(u"SAME");
    scan();
    ASSERT_EQ(serials.size(), 2u);
    ASSERT_TRUE(find());
    EXPECT_TRUE(connection.DeviceFound);
    EXPECT_EQ(connection.DevicePath, platform.path(first));
    EXPECT_EQ(platform.openFileHandles(first), 2);
    EXPECT_EQ(platform.openFileHandles(second), 0);
    EXPECT_EQ(connection.Capabilities.FeatureReportByteLength, 17);
    EXPECT_EQ(connection.ReadOverlapped.hEvent, connection.ReadEvent);
    EXPECT_EQ(report.rfind("UsagePage 1\r\nReportID 0", 0), 0u) << report.substr(0, 40);
}

TEST_F(Discovery, ABoardWhoseReadHandleDoesNotOpenIsNotFoundAndSaysWhy)
{
    addBoard(u"A1");
    scan();
    platform.failNext("CreateFileA", 1, 0, 1);
    EXPECT_FALSE(find());
    EXPECT_FALSE(report.empty()) << "its capabilities were read";
    EXPECT_EQ(platform.openFileHandles(), 0);
    EXPECT_NE(connection.LastResult.error.find("injected"), std::string::npos)
        << connection.LastResult.error;
}

TEST_F(Discovery, AFailedSearchLeavesNoHandleOfItsOwnOpen)
{
    addBoard(u"A1");
    addBoard(u"B2");
    scan();
    platform.unplug(1);
    EXPECT_FALSE(find()) << "B2 is shown but gone";
    EXPECT_EQ(platform.openFileHandles(), 0);
}

TEST_F(Discovery, LaterSearchesReuseTheOneReadEventAndClosingReleasesBothHandles)
{
    addBoard(u"A1");
    for (int i = 0; i < 3; ++i) {
        scan();
        ASSERT_TRUE(find());
        EXPECT_EQ(platform.openFileHandles(), 2);
        device::CloseConnection(platform, connection);
        EXPECT_FALSE(connection.DeviceFound);
        EXPECT_EQ(platform.openFileHandles(), 0);
    }
    EXPECT_EQ(platform.eventsCreated(), 1);
    for (const sim::CallRecord &call : platform.calls())
        EXPECT_TRUE(call.operation != "CloseHandle" || call.ok) << "no handle closed twice";
}

TEST_F(Discovery, AFailedEventCreationIsRetriedByTheNextSearch)
{
    addBoard(u"A1");
    platform.failNext("CreateEventA", 1);
    scan();
    ASSERT_TRUE(find());
    EXPECT_FALSE(connection.ReadEvent.valid());
    device::CloseConnection(platform, connection);
    ASSERT_TRUE(find());
    EXPECT_TRUE(connection.ReadEvent.valid());
    EXPECT_EQ(connection.ReadOverlapped.hEvent, connection.ReadEvent);
}

TEST_F(Discovery, ABoardWithMoreValueCapsThanRecordsIsReportedWithItsFirstEleven)
{
    auto definition = sim::FamilyBoard(u"A1");
    device::HidCollectionCaps caps;
    caps.caps.InputReportByteLength = 8;
    caps.caps.FeatureReportByteLength = 17;
    caps.caps.NumberInputValueCaps = 20;
    for (std::uint16_t i = 0; i < 20; ++i) {
        device::HIDP_VALUE_CAPS record;
        record.UsagePage = 1;
        record.UsageMin = record.UsageMax = static_cast<std::uint16_t>(0x30 + i);
        caps.inputValueCaps.push_back(record);
    }
    definition.capsOverride = caps;
    platform.addDevice(definition);
    scan();
    ASSERT_TRUE(find());
    EXPECT_EQ(connection.Capabilities.NumberInputValueCaps, 11);
    EXPECT_EQ(valueCaps[10].UsageMin, 0x30 + 10);
    // The report's byte line holds the fourteen whole records that fit in 1024 bytes.
    EXPECT_NE(report.find("\r\nValueCapsLength 14\r\n"), std::string::npos);
    EXPECT_EQ(std::count(report.begin(), report.end(), ' '), 28 + 2 + 1024);
}

TEST_F(Discovery, ABoardWithoutValueCapsReportsRecordZeroAsAnEarlierBoardLeftIt)
{
    addBoard(u"A1");
    auto bare = sim::FamilyBoard(u"B2");
    bare.capsOverride = device::HidCollectionCaps{};
    bare.capsOverride->caps.FeatureReportByteLength = 17;
    platform.addDevice(bare);
    scan();
    shown = serials[0];
    ASSERT_TRUE(find());
    const std::string first = report.substr(0, report.find("ValueCapsLength"));
    shown = serials[1];
    ASSERT_TRUE(find());
    EXPECT_EQ(report.substr(0, report.find("ValueCapsLength")), first);
    EXPECT_NE(report.find("ValueCapsLength 0\r\n 0 0 0"), std::string::npos);
}

TEST_F(Discovery, SerialBytesAboveSevenBitsAreListedAndMatchedByteForByte)
{
    addBoard(u"SN-\u00E91");
    addBoard(u"\u0080\u00FF");
    EXPECT_EQ(scan(), (std::vector<std::string>{"SN-\xE9"
                                                "1",
                                                "\x80\xFF"}));
    shown = serials[0];
    EXPECT_TRUE(find());
}

TEST_F(Discovery, ABoardWhoseCapabilitiesCannotBeReadIsNotOpenedAndKeepsNoHandle)
{
    addBoard(u"A1");
    auto wide = sim::FamilyBoard(u"B2");
    wide.capsOverride = device::HidCollectionCaps{};
    wide.capsOverride->caps.FeatureReportByteLength = 65;
    wide.capsOverride->caps.InputReportByteLength = 10;
    platform.addDevice(wide);
    scan();
    shown = "A1";
    ASSERT_TRUE(find());
    const device::HIDP_CAPS first = connection.Capabilities;
    device::CloseConnection(platform, connection);

    shown = "B2";
    platform.failNext("HidD_GetPreparsedData", 1);
    EXPECT_FALSE(find());
    EXPECT_EQ(platform.openFileHandles(), 0);
    EXPECT_EQ(platform.openPreparsedData(), 0);
    EXPECT_FALSE(connection.FeatureHandle.valid());
    EXPECT_FALSE(connection.ReadHandle.valid());
    EXPECT_EQ(std::memcmp(&connection.Capabilities, &first, sizeof first), 0)
        << "the record is the last open board's, never mixed";
    EXPECT_EQ(report.rfind("UsagePage ", 0), 0u) << "the report is still written";

    // The next search, as the next tick makes it, opens the board with its own lengths.
    EXPECT_TRUE(find());
    EXPECT_EQ(connection.Capabilities.FeatureReportByteLength, 65);
    EXPECT_EQ(connection.Capabilities.InputReportByteLength, 10);
}

TEST_F(Discovery, ABoardWhoseDescriptorHasNoCollectionIsListedButNeverOpened)
{
    auto definition = sim::FamilyBoard(u"NC");
    definition.reportDescriptor = {0x05, 0x01, 0x09, 0x04}; // usage page and usage, no collection
    platform.addDevice(definition);
    EXPECT_EQ(scan(), std::vector<std::string>{"NC"});
    EXPECT_FALSE(find());
    EXPECT_FALSE(find());
    EXPECT_EQ(platform.openFileHandles(), 0);
    EXPECT_NE(platform.calls().back().operation, "CreateEventA");
}

} // namespace tamo::test
