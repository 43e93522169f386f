// Finding boards of the family among the present HID devices, and the connection's
// invariants, over virtual devices.
#include "board_identity.h"
#include "discovery.h"
#include "manual_poll_timer.h"
#include "recording_discovery_view.h"
#include "virtual_platform.h"

#include <gtest/gtest.h>

namespace tamo::test {

using device::PID_FIRST;
using device::VENDOR_ID;

class Discovery : public ::testing::Test {
protected:
    sim::VirtualHidPlatform platform{[] {
        return std::uint64_t{0};
    }};
    device::BoardConnection connection;
    RecordingDiscoveryView view;
    device::ValueCapsArray valueCaps{};
    device::Discovery discovery{platform, connection, view, valueCaps};

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
        device::Scan_USB_devices(discovery);
        return view.items;
    }
};

TEST_F(Discovery, NoBoardLeavesTheListEmptyAndDisabledAndNoHandleOpen)
{
    platform.addDevice(sim::ForeignMouse());
    EXPECT_TRUE(scan().empty());
    EXPECT_FALSE(view.enabled);
    EXPECT_TRUE(connection.ListReady);
    EXPECT_FALSE(device::FindTheHid(discovery));
    EXPECT_FALSE(connection.DeviceFound);
    EXPECT_EQ(platform.openFileHandles(), 0);
}

TEST_F(Discovery, ListsBoardsInEnumerationOrderSelectsTheLastAndEnablesOnlyForTwoOrMore)
{
    addBoard(u"A1");
    EXPECT_EQ(scan(), std::vector<std::string>{"A1"});
    EXPECT_FALSE(view.enabled);
    EXPECT_EQ(view.selected, 0);

    platform.addDevice(sim::ForeignMouse());
    addBoard(u"B2");
    addBoard(u"C3");
    EXPECT_EQ(scan(), (std::vector<std::string>{"A1", "B2", "C3"}));
    EXPECT_TRUE(view.enabled);
    EXPECT_EQ(view.shownSerialNumber(), "C3");
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
    ASSERT_EQ(view.items.size(), 2u);
    ASSERT_TRUE(device::FindTheHid(discovery));
    EXPECT_TRUE(connection.DeviceFound);
    EXPECT_EQ(connection.DevicePath, platform.path(first));
    EXPECT_EQ(platform.openFileHandles(first), 2);
    EXPECT_EQ(platform.openFileHandles(second), 0);
    EXPECT_EQ(connection.Capabilities.FeatureReportByteLength, 17);
    EXPECT_EQ(connection.ReadOverlapped.hEvent, connection.ReadEvent);
    EXPECT_EQ(view.report.rfind("UsagePage 1\r\nReportID 0", 0), 0u) << view.report.substr(0, 40);
}

TEST_F(Discovery, AFailedSearchLeavesNoHandleOfItsOwnOpen)
{
    addBoard(u"A1");
    addBoard(u"B2");
    scan();
    platform.unplug(1);
    EXPECT_FALSE(device::FindTheHid(discovery)) << "B2 is shown but gone";
    EXPECT_EQ(platform.openFileHandles(), 0);
}

TEST_F(Discovery, SelectionsDuringTheScanFindTheListNotReady)
{
    addBoard(u"A1");
    addBoard(u"B2");
    std::vector<bool> readyAtSelect;
    view.onSelect = [&] {
        readyAtSelect.push_back(connection.ListReady);
    };
    connection.ListReady = true;
    scan();
    EXPECT_EQ(readyAtSelect, (std::vector<bool>{false, false}));
    EXPECT_TRUE(connection.ListReady);
}

TEST_F(Discovery, LaterSearchesReuseTheOneReadEventAndClosingReleasesBothHandles)
{
    addBoard(u"A1");
    device::ManualPollTimer timer;
    timer.setInterval(50);
    for (int i = 0; i < 3; ++i) {
        scan();
        ASSERT_TRUE(device::FindTheHid(discovery));
        EXPECT_EQ(platform.openFileHandles(), 2);
        device::CloseConnection(platform, connection, timer);
        EXPECT_FALSE(connection.DeviceFound);
        EXPECT_FALSE(connection.ViewReady);
        EXPECT_EQ(timer.interval(), device::RECONNECT_INTERVAL_MS);
        EXPECT_EQ(platform.openFileHandles(), 0);
    }
    EXPECT_EQ(platform.eventsCreated(), 1);
    for (const sim::CallRecord &call : platform.calls())
        EXPECT_TRUE(call.operation != "CloseHandle" || call.ok) << "no handle closed twice";
}

TEST_F(Discovery, AFailedEventCreationIsRetriedByTheNextSearch)
{
    addBoard(u"A1");
    device::ManualPollTimer timer;
    platform.failNext("CreateEventA", 1);
    scan();
    ASSERT_TRUE(device::FindTheHid(discovery));
    EXPECT_FALSE(connection.ReadEvent.valid());
    device::CloseConnection(platform, connection, timer);
    ASSERT_TRUE(device::FindTheHid(discovery));
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
    ASSERT_TRUE(device::FindTheHid(discovery));
    EXPECT_EQ(connection.Capabilities.NumberInputValueCaps, 11);
    EXPECT_EQ(valueCaps[10].UsageMin, 0x30 + 10);
    // The report's byte line holds the fourteen whole records that fit in 1024 bytes.
    EXPECT_NE(view.report.find("\r\nValueCapsLength 14\r\n"), std::string::npos);
    EXPECT_EQ(std::count(view.report.begin(), view.report.end(), ' '), 28 + 2 + 1024);
}

TEST_F(Discovery, ABoardWithoutValueCapsReportsRecordZeroAsAnEarlierBoardLeftIt)
{
    addBoard(u"A1");
    auto bare = sim::FamilyBoard(u"B2");
    bare.capsOverride = device::HidCollectionCaps{};
    bare.capsOverride->caps.FeatureReportByteLength = 17;
    platform.addDevice(bare);
    scan();
    view.selected = 0;
    ASSERT_TRUE(device::FindTheHid(discovery));
    const std::string first = view.report.substr(0, view.report.find("ValueCapsLength"));
    view.selected = 1;
    ASSERT_TRUE(device::FindTheHid(discovery));
    EXPECT_EQ(view.report.substr(0, view.report.find("ValueCapsLength")), first);
    EXPECT_NE(view.report.find("ValueCapsLength 0\r\n 0 0 0"), std::string::npos);
}

} // namespace tamo::test
