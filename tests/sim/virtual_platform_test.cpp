// SPDX-License-Identifier: GPL-3.0-or-later
// What the virtual backend does beyond the platform contract (tests/device): its boards,
// report queues, unplugging and injected faults.
#include "board_identity.h"
#include "enumerated_paths.h"
#include "virtual_platform.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

namespace tamo::test {

using device::PlatformHandle;
using device::ReadOutcome;

class VirtualPlatformContract : public ::testing::Test {
protected:
    std::uint64_t nowMs = 0;
    sim::VirtualHidPlatform platform{[this] {
        return nowMs;
    }};

    PlatformHandle open(int device, std::uint32_t flags = 0)
    {
        PlatformHandle handle;
        EXPECT_TRUE(platform.CreateFileA(platform.path(device),
                                         device::GENERIC_READ | device::GENERIC_WRITE, 3, nullptr,
                                         device::OPEN_EXISTING, flags, handle));
        return handle;
    }
    device::ReadResult read(PlatformHandle handle, std::size_t bytes,
                            std::vector<std::uint8_t> &out)
    {
        std::vector<std::uint8_t> buffer(bytes, 0xAA);
        std::uint32_t got = 0;
        device::OVERLAPPED overlapped;
        const device::ReadResult result = platform.ReadFile(handle, buffer, got, overlapped);
        out.assign(buffer.begin(), buffer.begin() + got);
        return result;
    }
};

TEST_F(VirtualPlatformContract, AnUnpluggedDeviceIsNotEnumerated)
{
    platform.addDevice(sim::FamilyBoard(u"A1"));
    const int mouse = platform.addDevice(sim::ForeignMouse());
    platform.unplug(mouse);
    platform.addDevice(sim::FamilyBoard(u"B2"));
    EXPECT_EQ(EnumeratedPaths(platform),
              (std::vector<std::string>{platform.path(0), platform.path(2)}));
}

TEST_F(VirtualPlatformContract, EveryHandleIsCounted)
{
    const int board = platform.addDevice(sim::FamilyBoard(u"A1"));
    const PlatformHandle feature = open(board);
    const PlatformHandle reader = open(board, device::FILE_FLAG_OVERLAPPED);
    EXPECT_EQ(platform.openFileHandles(board), 2);
    EXPECT_TRUE(platform.CloseHandle(feature));
    EXPECT_TRUE(platform.CloseHandle(reader));
    EXPECT_EQ(platform.openFileHandles(), 0);
}

TEST_F(VirtualPlatformContract, ReadsReturnWholeQueuedReportsOldestFirstUpToTheBytesAsked)
{
    auto definition = sim::FamilyBoard(u"A1");
    definition.inputMode = sim::InputMode::OnChange;
    const int board = platform.addDevice(definition);
    const PlatformHandle reader = open(board, device::FILE_FLAG_OVERLAPPED);
    const std::size_t length = platform.caps(board).caps.InputReportByteLength;
    ASSERT_EQ(length, 8u);
    for (std::uint32_t buttons : {0x01u, 0x02u, 0x03u})
        platform.board(board)->setButtons(buttons);

    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(read(reader, 2 * length + length / 2, bytes).outcome, ReadOutcome::Reports);
    ASSERT_EQ(bytes.size(), 2 * length) << "a report that does not fit stays queued";
    EXPECT_EQ(bytes[0], 0x00) << "report ID first";
    EXPECT_EQ(bytes[3], 0x01);
    EXPECT_EQ(bytes[length + 3], 0x02);
    EXPECT_EQ(read(reader, 1000, bytes).outcome, ReadOutcome::Reports);
    ASSERT_EQ(bytes.size(), length);
    EXPECT_EQ(bytes[3], 0x03);
    EXPECT_EQ(read(reader, 1000, bytes).outcome, ReadOutcome::NothingQueued);
    EXPECT_TRUE(bytes.empty());
}

TEST_F(VirtualPlatformContract, StreamingBoardQueuesOneReportPerPeriod)
{
    auto definition = sim::FamilyBoard(u"A1");
    definition.streamPeriodMs = 10;
    const int board = platform.addDevice(definition);
    const PlatformHandle reader = open(board, device::FILE_FLAG_OVERLAPPED);
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(read(reader, 1000, bytes).outcome, ReadOutcome::NothingQueued);
    nowMs += 50;
    EXPECT_EQ(read(reader, 1000, bytes).outcome, ReadOutcome::Reports);
    EXPECT_EQ(bytes.size(), 5u * 8u);
    nowMs += 10'000;
    EXPECT_EQ(read(reader, 1000, bytes).outcome, ReadOutcome::Reports);
    EXPECT_EQ(bytes.size(), 63u * 8u) << "the queue holds what hidraw holds";
}

TEST_F(VirtualPlatformContract, UnplugLetsQueuedReportsBeReadThenFailsEveryCall)
{
    auto definition = sim::FamilyBoard(u"A1");
    definition.inputMode = sim::InputMode::OnChange;
    const int board = platform.addDevice(definition);
    const PlatformHandle feature = open(board);
    const PlatformHandle reader = open(board, device::FILE_FLAG_OVERLAPPED);
    platform.board(board)->setButtons(0x80);
    platform.unplug(board);

    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(read(reader, 1000, bytes).outcome, ReadOutcome::Reports);
    const device::ReadResult gone = read(reader, 1000, bytes);
    EXPECT_EQ(gone.outcome, ReadOutcome::Failed);
    EXPECT_FALSE(gone.error.empty());
    std::vector<std::uint8_t> report(17, 0);
    EXPECT_FALSE(platform.HidD_GetFeature(feature, report));

    platform.plug(board);
    EXPECT_EQ(read(reader, 1000, bytes).outcome, ReadOutcome::Failed)
        << "a handle from before the unplug stays dead";
    const PlatformHandle fresh = open(board, device::FILE_FLAG_OVERLAPPED);
    EXPECT_EQ(read(fresh, 1000, bytes).outcome, ReadOutcome::NothingQueued);
}

TEST_F(VirtualPlatformContract, OnlyTheMarkerIsAnIndexedString)
{
    const PlatformHandle handle = open(platform.addDevice(sim::FamilyBoard(u"A1")));
    std::vector<std::uint8_t> marker(100, 0);
    EXPECT_TRUE(platform.HidD_GetIndexedString(handle, device::MARKER_STRING_INDEX, marker));
    EXPECT_FALSE(platform.HidD_GetIndexedString(handle, 7, marker));
}

TEST_F(VirtualPlatformContract, BoardStoresCommandsAndAnswersWithItsReplies)
{
    const int board = platform.addDevice(sim::FamilyBoard(u"A1"));
    const PlatformHandle handle = open(board);
    std::vector<std::uint8_t> command(17, 0);
    command[1] = 0xEE;
    command[2] = 6;
    command[3] = 2;
    ASSERT_TRUE(platform.HidD_SetFeature(handle, command));
    EXPECT_EQ(platform.featureReportsReceived(board).back(), command);

    std::vector<std::uint8_t> reply(17, 0);
    ASSERT_TRUE(platform.HidD_GetFeature(handle, reply));
    EXPECT_EQ(reply[1], 0) << "status";
    EXPECT_EQ(reply[8], 2) << "the pulse length argument in byte code + 2";

    std::vector<std::uint8_t> request(17, 0);
    request[1] = 0xE1;
    platform.board(board)->setSelfTestResult(7);
    ASSERT_TRUE(platform.HidD_SetFeature(handle, request));
    ASSERT_TRUE(platform.HidD_GetFeature(handle, reply));
    EXPECT_EQ(reply[1], 7);
    ASSERT_TRUE(platform.HidD_GetFeature(handle, reply));
    EXPECT_EQ(reply[1], 0) << "the self-test answers once, then the configuration reply again";
}

TEST_F(VirtualPlatformContract, InjectedFaultsFailTheNextCallsOfOneOperation)
{
    const int board = platform.addDevice(sim::FamilyBoard(u"A1"));
    const PlatformHandle handle = open(board);
    platform.failNext("HidD_GetFeature", 2, board);
    std::vector<std::uint8_t> reply(17, 0);
    EXPECT_FALSE(platform.HidD_GetFeature(handle, reply));
    EXPECT_FALSE(platform.HidD_GetFeature(handle, reply));
    EXPECT_TRUE(platform.HidD_GetFeature(handle, reply));
    EXPECT_EQ(platform.countCalls("HidD_GetFeature", board), 3);
}

// Each operation that reaches a device, called on one device: whether it succeeded.
using DeviceCall = std::function<bool(sim::VirtualHidPlatform &, int device)>;

std::map<std::string, DeviceCall> CallsOnOneDevice()
{
    using namespace device;
    auto opened = [](sim::VirtualHidPlatform &p, int device) {
        PlatformHandle file;
        p.CreateFileA(p.path(device), GENERIC_READ | GENERIC_WRITE, 3, nullptr, OPEN_EXISTING, 0,
                      file);
        return file;
    };
    auto preparsed = [opened](sim::VirtualHidPlatform &p, int device) {
        PlatformHandle data;
        p.HidD_GetPreparsedData(opened(p, device), data);
        return data;
    };
    // The enumeration member of the device; the virtual devices enumerate in the order added.
    auto member = [](sim::VirtualHidPlatform &p, int device, auto &&use) {
        PlatformHandle set;
        p.SetupDiGetClassDevsA(HID_INTERFACE_CLASS_GUID, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE,
                               set);
        SP_DEVICE_INTERFACE_DATA data;
        data.cbSize = SP_DEVICE_INTERFACE_DATA_SIZE;
        const bool enumerated =
            p.SetupDiEnumDeviceInterfaces(set, HID_INTERFACE_CLASS_GUID,
                                          static_cast<std::uint32_t>(device), data)
                .ok;
        const bool ok = enumerated && use(set, data);
        p.SetupDiDestroyDeviceInfoList(set);
        return ok;
    };
    std::vector<std::uint8_t> buffer(100, 0);
    auto report = std::make_shared<std::vector<std::uint8_t>>(17, 0);
    auto text = std::make_shared<std::vector<std::uint8_t>>(100, 0);
    return {
        {"SetupDiEnumDeviceInterfaces",
         [=](auto &p, int d) {
             return member(p, d, [](auto, auto) { return true; });
         }},
        {"SetupDiGetDeviceInterfaceDetailA",
         [=](auto &p, int d) {
             return member(p, d, [&](PlatformHandle set, const SP_DEVICE_INTERFACE_DATA &data) {
                 std::vector<std::uint8_t> detail(64, 0);
                 const std::uint32_t fixed = DETAIL_DATA_FIXED_SIZE;
                 std::memcpy(detail.data(), &fixed, sizeof fixed);
                 std::uint32_t required = 0;
                 return p.SetupDiGetDeviceInterfaceDetailA(set, data, detail, required).ok;
             });
         }},
        {"CreateFileA",
         [=](auto &p, int d) {
             return opened(p, d).valid();
         }},
        {"CloseHandle",
         [=](auto &p, int d) {
             return p.CloseHandle(opened(p, d)).ok;
         }},
        {"ReadFile",
         [=](auto &p, int d) {
             std::uint32_t got = 0;
             OVERLAPPED overlapped;
             return p.ReadFile(opened(p, d), *text, got, overlapped).outcome != ReadOutcome::Failed;
         }},
        {"HidD_GetAttributes",
         [=](auto &p, int d) {
             HIDD_ATTRIBUTES attributes;
             return p.HidD_GetAttributes(opened(p, d), attributes).ok;
         }},
        {"HidD_GetIndexedString",
         [=](auto &p, int d) {
             return p.HidD_GetIndexedString(opened(p, d), MARKER_STRING_INDEX, *text).ok;
         }},
        {"HidD_GetSerialNumberString",
         [=](auto &p, int d) {
             return p.HidD_GetSerialNumberString(opened(p, d), *text).ok;
         }},
        {"HidD_GetManufacturerString",
         [=](auto &p, int d) {
             return p.HidD_GetManufacturerString(opened(p, d), *text).ok;
         }},
        {"HidD_GetProductString",
         [=](auto &p, int d) {
             return p.HidD_GetProductString(opened(p, d), *text).ok;
         }},
        {"HidD_GetPreparsedData",
         [=](auto &p, int d) {
             return preparsed(p, d).valid();
         }},
        {"HidD_FreePreparsedData",
         [=](auto &p, int d) {
             return p.HidD_FreePreparsedData(preparsed(p, d)).ok;
         }},
        {"HidP_GetCaps",
         [=](auto &p, int d) {
             HIDP_CAPS caps;
             return p.HidP_GetCaps(preparsed(p, d), caps).ok;
         }},
        {"HidP_GetValueCaps",
         [=](auto &p, int d) {
             std::array<HIDP_VALUE_CAPS, 2> records;
             std::uint16_t count = 2;
             return p
                 .HidP_GetValueCaps(HIDP_REPORT_TYPE::HidP_Input, std::span(records), count,
                                    preparsed(p, d))
                 .ok;
         }},
        {"HidD_SetFeature",
         [=](auto &p, int d) {
             return p.HidD_SetFeature(opened(p, d), *report).ok;
         }},
        {"HidD_GetFeature",
         [=](auto &p, int d) {
             return p.HidD_GetFeature(opened(p, d), *report).ok;
         }},
    };
}

TEST_F(VirtualPlatformContract, EveryOperationOnADeviceFailsForThatDeviceAloneWhenAsked)
{
    const int first = platform.addDevice(sim::FamilyBoard(u"A1"));
    const int second = platform.addDevice(sim::FamilyBoard(u"B2"));
    for (const auto &[operation, call] : CallsOnOneDevice()) {
        SCOPED_TRACE(operation);
        ASSERT_TRUE(device::EmulatedHidPlatform::ReachesOneDevice(operation));
        ASSERT_TRUE(call(platform, second)) << "succeeds unless asked to fail";
        platform.failNext(operation, 1, second);
        EXPECT_TRUE(call(platform, first)) << "another device is not touched";
        EXPECT_FALSE(call(platform, second)) << "the named device fails";
        EXPECT_TRUE(call(platform, second)) << "only as often as asked";
    }
    EXPECT_EQ(platform.openFileHandles(),
              platform.openFileHandles(first) + platform.openFileHandles(second));
}

TEST_F(VirtualPlatformContract, AFaultThatCannotHappenIsRefusedWithTheReason)
{
    const int board = platform.addDevice(sim::FamilyBoard(u"A1"));
    for (const char *system : {"HidD_GetHidGuid", "SetupDiGetClassDevsA",
                               "SetupDiDestroyDeviceInfoList", "CreateEventA"}) {
        try {
            platform.failNext(system, 1, board);
            ADD_FAILURE() << system << " was taken for one device";
        } catch (const std::invalid_argument &refused) {
            EXPECT_EQ(std::string(refused.what()),
                      std::string(system) + " reaches no single device, so it cannot fail for one");
        }
        EXPECT_NO_THROW(platform.failNext(system, 1)) << "for the whole system it can";
    }
    EXPECT_THROW(platform.failNext("HidD_GetFeatures", 1, board), std::invalid_argument);
    EXPECT_THROW(platform.failNext("RtlMoveMemory", 1), std::invalid_argument);

    device::GUID guid;
    EXPECT_FALSE(platform.HidD_GetHidGuid(guid));
    PlatformHandle set;
    EXPECT_FALSE(platform.SetupDiGetClassDevsA(guid, device::DIGCF_DEVICEINTERFACE, set));
    EXPECT_FALSE(set.valid());
}

TEST_F(VirtualPlatformContract, AReleaseMadeToFailStillReleases)
{
    const int board = platform.addDevice(sim::FamilyBoard(u"A1"));
    const PlatformHandle handle = open(board);
    PlatformHandle preparsed;
    ASSERT_TRUE(platform.HidD_GetPreparsedData(handle, preparsed));
    platform.failNext("HidD_FreePreparsedData", 1, board);
    platform.failNext("CloseHandle", 1, board);
    EXPECT_FALSE(platform.HidD_FreePreparsedData(preparsed));
    EXPECT_FALSE(platform.CloseHandle(handle));
    EXPECT_EQ(platform.openPreparsedData(), 0);
    EXPECT_EQ(platform.openFileHandles(), 0);
    EXPECT_FALSE(platform.CloseHandle(handle)) << "gone, so not closed twice";
}

TEST_F(VirtualPlatformContract, ValueCapsQueryNeverWritesPastTheRecordsGiven)
{
    const int board = platform.addDevice(sim::FamilyBoard(u"A1"));
    const PlatformHandle handle = open(board);
    PlatformHandle preparsed;
    ASSERT_TRUE(platform.HidD_GetPreparsedData(handle, preparsed));
    device::HIDP_CAPS caps;
    ASSERT_TRUE(platform.HidP_GetCaps(preparsed, caps));
    ASSERT_EQ(caps.NumberInputValueCaps, 2);

    std::vector<std::uint8_t> records(72 + 40, 0xCC);
    std::uint16_t count = 50;
    const auto result = platform.HidP_GetValueCaps(device::HIDP_REPORT_TYPE::HidP_Input,
                                                   std::span(records), count, preparsed);
    EXPECT_EQ(result.value, device::HIDP_STATUS_BUFFER_TOO_SMALL);
    EXPECT_EQ(count, 1);
    for (std::size_t i = 72; i < records.size(); ++i)
        ASSERT_EQ(records[i], 0xCC) << i;
    EXPECT_TRUE(platform.HidD_FreePreparsedData(preparsed));
    EXPECT_EQ(platform.openPreparsedData(), 0);
}

} // namespace tamo::test
