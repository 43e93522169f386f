// SPDX-License-Identifier: GPL-3.0-or-later
// The hidraw backend against the real kernel: boards and foreign devices made through uhid,
// reached through /sys and /dev/hidrawN exactly as the tool reaches a USB board.
#include "board_bytes.h"
#include "board_descriptors.h"
#include "board_identity.h"
#include "board_orders.h"
#include "discovery.h"
#include "enumerated_paths.h"
#include "hid_linux.h"
#include "hid_string.h"
#include "report_descriptor.h"
#include "tap_reader.h"
#include "uhid_boards_test.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace tamo::test {
namespace {

using device::PlatformHandle;
using device::ReadOutcome;

std::size_t OpenDescriptorCount()
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

class HidrawKernel : public UhidBoardsTest {
protected:
    std::string create(const std::string &name, const std::string &options = {})
    {
        std::string node = boards->create(name, options);
        EXPECT_FALSE(node.empty()) << boards->lastReply();
        return node;
    }

    std::vector<std::string> enumeratedPaths() { return EnumeratedPaths(platform); }

    PlatformHandle open(const std::string &path, bool overlapped = false)
    {
        using namespace device;
        PlatformHandle handle;
        const PlatformResult result = platform.CreateFileA(
            path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
            OPEN_EXISTING, overlapped ? FILE_FLAG_OVERLAPPED : 0, handle);
        EXPECT_TRUE(result) << result.error;
        return handle;
    }

    std::vector<std::uint8_t> getFeature(PlatformHandle handle, device::PlatformResult &result)
    {
        std::vector<std::uint8_t> reply(kFeatureLength, 0);
        result = platform.HidD_GetFeature(handle, reply);
        return reply;
    }

    struct Read {
        device::ReadResult result;
        std::vector<std::uint8_t> bytes;
    };
    Read read(PlatformHandle handle, std::size_t bufferBytes = 1000)
    {
        std::vector<std::uint8_t> buffer(bufferBytes, 0xAA);
        std::uint32_t bytesRead = 0;
        device::OVERLAPPED overlapped;
        Read read{platform.ReadFile(handle, buffer, bytesRead, overlapped), {}};
        buffer.resize(std::min<std::size_t>(bytesRead, buffer.size()));
        read.bytes = std::move(buffer);
        return read;
    }

    std::u16string
    stringOf(device::PlatformResult (device::LinuxHidPlatform::*call)(PlatformHandle,
                                                                      std::span<std::uint8_t>),
             PlatformHandle handle, bool &ok)
    {
        std::vector<std::uint8_t> buffer(device::STRING_REQUEST_BYTES, 0);
        ok = static_cast<bool>((platform.*call)(handle, buffer));
        std::u16string text;
        for (std::size_t i = 0; i + 1 < buffer.size(); i += 2) {
            const char16_t unit = static_cast<char16_t>(buffer[i] | buffer[i + 1] << 8);
            if (unit == 0)
                break;
            text += unit;
        }
        return text;
    }

    device::LinuxHidPlatform platform;
};

TEST_F(HidrawKernel, EnumeratesEveryNodeInNumberOrderAndEachPathOpens)
{
    // Twelve devices take hidraw0 to hidraw11 at least, so a textual sort (hidraw10 before
    // hidraw2) would show.
    std::vector<std::pair<int, std::string>> created;
    for (int i = 0; i < 12; ++i) {
        const std::string node = create("f" + std::to_string(i), "kind=foreign");
        created.emplace_back(std::stoi(node.substr(std::string("/dev/hidraw").size())), node);
    }
    ASSERT_EQ(boards->order("remove f3"), "ok remove f3");
    created.erase(created.begin() + 3);
    std::sort(created.begin(), created.end());
    std::vector<std::string> expected;
    for (const auto &[number, node] : created)
        expected.push_back(node);

    const std::vector<std::string> paths = enumeratedPaths();
    EXPECT_EQ(paths, expected);
    for (const std::string &path : paths) {
        const PlatformHandle handle = open(path);
        EXPECT_TRUE(platform.CloseHandle(handle));
    }
}

TEST_F(HidrawKernel, IdentityOfABoardWithoutUsbParent)
{
    const std::string path =
        create("b", "serial=KB-0042 " + Pid(5) + " version=0x0203 product=\"Tamo micro 32\"");
    const PlatformHandle handle = open(path);

    device::HIDD_ATTRIBUTES attributes;
    ASSERT_TRUE(platform.HidD_GetAttributes(handle, attributes));
    EXPECT_EQ(attributes.Size, 12u);
    EXPECT_EQ(attributes.VendorID, device::VENDOR_ID);
    EXPECT_EQ(attributes.ProductID, device::PID_FIRST + 5);
    // The kernel keeps a version only in a USB device's descriptor; a HID device on its own
    // shows none in sysfs or through hidraw, so the backend reports 0.
    EXPECT_EQ(attributes.VersionNumber, 0);

    bool ok = false;
    EXPECT_EQ(stringOf(&device::LinuxHidPlatform::HidD_GetSerialNumberString, handle, ok),
              u"KB-0042");
    EXPECT_TRUE(ok);
    EXPECT_EQ(stringOf(&device::LinuxHidPlatform::HidD_GetProductString, handle, ok),
              u"Tamo micro 32");
    EXPECT_TRUE(ok);
    stringOf(&device::LinuxHidPlatform::HidD_GetManufacturerString, handle, ok);
    EXPECT_FALSE(ok) << "uhid devices have no manufacturer string";

    // String 42 comes from the USB device, which a uhid device does not have.
    std::vector<std::uint8_t> marker(device::STRING_REQUEST_BYTES, 0);
    const auto result = platform.HidD_GetIndexedString(handle, device::MARKER_STRING_INDEX, marker);
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("not a USB device"), std::string::npos) << result.error;
    EXPECT_TRUE(platform.CloseHandle(handle));
}

TEST_F(HidrawKernel, KernelDescriptorGivesTheCapsOfTheDeclaredOne)
{
    struct Case {
        const char *options;
        std::vector<std::uint8_t> declared;
    };
    const Case cases[] = {{"", sim::BoardReportDescriptor()},
                          {"kind=foreign", sim::MouseReportDescriptor()}};
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.options);
        const PlatformHandle handle = open(create("d" + std::to_string(n++), c.options));
        const device::DescriptorParse parse = device::ParseReportDescriptor(c.declared);
        ASSERT_TRUE(parse.ok()) << parse.error;
        const device::HidCollectionCaps &want = parse.collections.front();

        PlatformHandle preparsed;
        ASSERT_TRUE(platform.HidD_GetPreparsedData(handle, preparsed));
        device::HIDP_CAPS caps;
        ASSERT_TRUE(platform.HidP_GetCaps(preparsed, caps));
        EXPECT_EQ(caps, want.caps);
        std::vector<device::HIDP_VALUE_CAPS> values(caps.NumberInputValueCaps + 1);
        std::uint16_t count = static_cast<std::uint16_t>(values.size());
        ASSERT_TRUE(platform.HidP_GetValueCaps(device::HIDP_REPORT_TYPE::HidP_Input,
                                               std::span(values), count, preparsed));
        values.resize(count);
        EXPECT_EQ(values, want.inputValueCaps);
        EXPECT_TRUE(platform.HidD_FreePreparsedData(preparsed));
        EXPECT_TRUE(platform.CloseHandle(handle));
    }
}

TEST_F(HidrawKernel, FeatureReportsTravelByteForByte)
{
    const PlatformHandle handle = open(create("b"));
    const auto command = Report({0x00, 0xEE, 0x06, 0x02}, kFeatureLength);
    auto sent = platform.HidD_SetFeature(handle, command);
    ASSERT_TRUE(sent) << sent.error;
    ASSERT_TRUE(platform.HidD_SetFeature(handle, Report({0x00, 0xEE, 0x02, 0x81}, kFeatureLength)));
    // hidraw hands the whole buffer, report-number byte first, to the board.
    EXPECT_EQ(boards->featureReports("b"),
              (std::vector<std::string>{Hex(command),
                                        Hex(Report({0x00, 0xEE, 0x02, 0x81}, kFeatureLength))}));

    device::PlatformResult got;
    // Status 0, then the arguments of codes 2 to 7 in bytes 4 to 9.
    EXPECT_EQ(getFeature(handle, got),
              Report({0x00, 0x00, 0x00, 0x00, 0x81, 0x00, 0x00, 0x00, 0x02, 0x00}, kFeatureLength));
    EXPECT_TRUE(got) << got.error;

    ASSERT_EQ(boards->order("status b 3"), "ok status b");
    EXPECT_EQ(getFeature(handle, got)[1], 3);
    EXPECT_TRUE(platform.CloseHandle(handle));
}

TEST_F(HidrawKernel, SelfTestExchange)
{
    const PlatformHandle handle = open(create("b"));
    ASSERT_EQ(boards->order("selftest b 7"), "ok selftest b");
    const auto request = Report({0x00, 0xE1}, kFeatureLength);
    ASSERT_TRUE(platform.HidD_SetFeature(handle, request));
    device::PlatformResult got;
    EXPECT_EQ(getFeature(handle, got), Report({0x00, 0x07}, kFeatureLength));
    EXPECT_TRUE(got) << got.error;
    // The next read is the configuration reply again: default pulse length 6 in byte 8.
    EXPECT_EQ(getFeature(handle, got), Report({0, 0, 0, 0, 0, 0, 0, 0, 6, 0}, kFeatureLength));
    EXPECT_EQ(boards->featureReports("b"), std::vector<std::string>{Hex(request)});
    EXPECT_TRUE(platform.CloseHandle(handle));
}

TEST_F(HidrawKernel, ADeviceThatRefusesFeatureReportsFailsTheTransfer)
{
    const PlatformHandle handle = open(create("m", "kind=foreign"));
    device::PlatformResult got;
    getFeature(handle, got);
    EXPECT_FALSE(got);
    EXPECT_NE(got.error.find("HIDIOCGFEATURE"), std::string::npos) << got.error;
    const auto sent = platform.HidD_SetFeature(handle, Report({0x00, 0xEE, 0x06, 0x02}, 9));
    EXPECT_FALSE(sent);
    EXPECT_NE(sent.error.find("HIDIOCSFEATURE"), std::string::npos) << sent.error;
    EXPECT_TRUE(platform.CloseHandle(handle));
}

TEST_F(HidrawKernel, ReadsDrainQueuedReportsOldestFirstWithTheIdByte)
{
    const PlatformHandle handle = open(create("b", "stream=onchange"), true);
    EXPECT_EQ(read(handle).result.outcome, ReadOutcome::NothingQueued);

    for (const char *bits : {"0x01", "0x0200", "0x030000"})
        ASSERT_EQ(boards->order(std::string("buttons b ") + bits), "ok buttons b");
    Read all = read(handle);
    EXPECT_EQ(all.result.outcome, ReadOutcome::Reports) << all.result.error;
    std::vector<std::uint8_t> expected;
    for (const auto &report :
         {Report({0, 0, 0, 0x01}, kInputLength), Report({0, 0, 0, 0, 0x02}, kInputLength),
          Report({0, 0, 0, 0, 0, 0x03}, kInputLength)})
        expected.insert(expected.end(), report.begin(), report.end());
    EXPECT_EQ(Hex(all.bytes), Hex(expected));
    EXPECT_EQ(read(handle).result.outcome, ReadOutcome::NothingQueued);

    // A buffer with room for two takes the newest two; the oldest gives way and nothing
    // waits for the next read.
    for (const char *bits : {"0x10", "0x20", "0x30"})
        ASSERT_EQ(boards->order(std::string("buttons b ") + bits), "ok buttons b");
    Read two = read(handle, 2 * kInputLength + 4);
    EXPECT_EQ(two.bytes.size(), 2 * kInputLength);
    EXPECT_EQ(two.bytes.at(3), 0x20);
    EXPECT_EQ(two.bytes.at(kInputLength + 3), 0x30);
    EXPECT_EQ(read(handle).result.outcome, ReadOutcome::NothingQueued);
    EXPECT_TRUE(platform.CloseHandle(handle));
}

TEST_F(HidrawKernel, AStreamingBoardQueuesAReportEveryPeriod)
{
    const PlatformHandle handle = open(create("b", "stream=10ms"), true);
    ASSERT_EQ(boards->order("buttons b 0x81"), "ok buttons b");
    read(handle); // whatever came before the buttons changed
    ::usleep(300'000);
    const Read got = read(handle);
    ASSERT_EQ(got.result.outcome, ReadOutcome::Reports) << got.result.error;
    ASSERT_EQ(got.bytes.size() % kInputLength, 0u);
    // Ten milliseconds apart for 300 ms, even on a slow machine some of them.
    EXPECT_GE(got.bytes.size() / kInputLength, 3u);
    EXPECT_EQ(Hex(std::vector(got.bytes.end() - kInputLength, got.bytes.end())),
              Hex(Report({0, 0, 0, 0x81}, kInputLength)));
    EXPECT_TRUE(platform.CloseHandle(handle));
}

TEST_F(HidrawKernel, ReportsQueuedBeforeAnUnplugAreReadThenReadsFail)
{
    const std::string path = create("b", "stream=onchange");
    const PlatformHandle reader = open(path, true);
    const PlatformHandle feature = open(path);
    // As the tool's first poll does, before the board goes: that read learns the report format
    // from the descriptor, which cannot be fetched from a removed device.
    EXPECT_EQ(read(reader).result.outcome, ReadOutcome::NothingQueued);
    ASSERT_EQ(boards->order("buttons b 1"), "ok buttons b");
    ASSERT_EQ(boards->order("buttons b 2"), "ok buttons b");
    ASSERT_EQ(boards->order("unplug b"), "ok unplug b");

    const Read queued = read(reader);
    EXPECT_EQ(queued.result.outcome, ReadOutcome::Reports) << queued.result.error;
    EXPECT_EQ(queued.bytes.size(), 2 * kInputLength);
    const Read gone = read(reader);
    EXPECT_EQ(gone.result.outcome, ReadOutcome::Failed);
    EXPECT_TRUE(gone.bytes.empty());
    EXPECT_FALSE(gone.result.error.empty());
    device::PlatformResult got;
    getFeature(feature, got);
    EXPECT_FALSE(got);
    EXPECT_TRUE(platform.CloseHandle(reader));
    EXPECT_TRUE(platform.CloseHandle(feature));
    const std::vector<std::string> paths = enumeratedPaths();
    EXPECT_EQ(std::find(paths.begin(), paths.end(), path), paths.end());
}

TEST_F(HidrawKernel, DiscoveryListsFamilyBoardsBySerialAndOpensTheChosenOne)
{
    create("mouse", "kind=foreign serial=MOUSE-1");
    const std::string first = create("b1", "serial=B-1 " + Pid(0));
    // Our vendor ID outside the range: only string 42 could accept it, and a uhid device
    // cannot serve it.
    create("out", "serial=OUT-22 " + Pid(22));
    create("other", "kind=foreign serial=OTHER vid=0x046d " + Pid(0));
    const std::string second = create("b2", "serial=B-2 " + Pid(21));

    device::BoardConnection connection;
    device::ValueCapsArray valueCaps{};
    device::Discovery discovery{platform, connection, valueCaps};
    EXPECT_EQ(device::Scan_USB_devices(discovery), (std::vector<std::string>{"B-1", "B-2"}));

    ASSERT_TRUE(device::FindTheHid(discovery, "B-1").found);
    EXPECT_TRUE(connection.DeviceFound);
    EXPECT_EQ(connection.DevicePath, first);
    EXPECT_EQ(connection.Capabilities.FeatureReportByteLength, kFeatureLength);
    EXPECT_EQ(connection.Capabilities.InputReportByteLength, kInputLength);
    std::vector<std::uint8_t> reply(kFeatureLength, 0);
    EXPECT_TRUE(platform.HidD_GetFeature(connection.FeatureHandle, reply));
    EXPECT_TRUE(boards->waitForEventCount("b1", "get", 1, std::chrono::seconds(2)));
    EXPECT_EQ(boards->eventCount("b2", "get"), 0u);
    device::CloseConnection(platform, connection);

    ASSERT_TRUE(device::FindTheHid(discovery, "B-2").found);
    EXPECT_EQ(connection.DevicePath, second);
    device::CloseConnection(platform, connection);

    EXPECT_FALSE(device::FindTheHid(discovery, "B-3").found);
    EXPECT_FALSE(connection.DeviceFound);
}

TEST_F(HidrawKernel, NoDescriptorIsLeftOpen)
{
    create("mouse", "kind=foreign");
    create("b1", "serial=B-1 stream=5ms");
    device::BoardConnection connection;
    device::ValueCapsArray valueCaps{};
    device::Discovery discovery{platform, connection, valueCaps};
    const std::size_t before = OpenDescriptorCount();

    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(device::Scan_USB_devices(discovery), std::vector<std::string>{"B-1"});
        ASSERT_TRUE(device::FindTheHid(discovery, "B-1").found);
        read(connection.ReadHandle);
        if (round == 1) {
            // A board lost while open: the failed read, then the close.
            ASSERT_EQ(boards->order("unplug b1"), "ok unplug b1");
            for (int i = 0;
                 i < 100 && read(connection.ReadHandle).result.outcome != ReadOutcome::Failed;
                 ++i) {
            }
        }
        device::CloseConnection(platform, connection);
    }
    EXPECT_TRUE(device::Scan_USB_devices(discovery).empty());
    EXPECT_FALSE(device::FindTheHid(discovery, "B-1").found);
    EXPECT_EQ(OpenDescriptorCount(), before);
}

// The uhid board's timed changes: each goes as one report, on its schedule, on the clock the
// reader stamps its reads with; the button test counts every press of both.
TEST_F(HidrawKernel, TimedTapsAndABounceArriveOneReportAChangeAfterTheirSendTimes)
{
    create("b", "serial=TAPS-U stream=onchange");
    const TapRun run = ReadTaps(*boards, "TAPS-U", {"taps b 2 50 5 20 40 3", "bounce b 32"});
    ASSERT_EQ(run.failure, "");
    ASSERT_EQ(run.sentUs.size(), 106u) << ::testing::PrintToString(run.replies);
    const std::vector<std::uint64_t> arrived = ArrivalTimes(run.reads);
    ASSERT_EQ(arrived.size(), 106u);
    std::string error;
    const auto taps = orders::ScriptChanges(*orders::ParseOrder("taps b 2 50 5 20 40 3", error), 0);
    for (std::size_t k = 0; k < arrived.size(); ++k)
        EXPECT_GE(arrived[k], run.sentUs[k]) << k;
    // On its schedule: from absolute times the last tap ends where the taps put it.
    EXPECT_NEAR(static_cast<double>(run.sentUs[taps.size() - 1] - run.sentUs[0]),
                static_cast<double>(taps.back().atUs), 100'000.0);
    EXPECT_EQ(run.test.input(2).presses, 50u);
    EXPECT_EQ(run.test.input(32).presses, 3u);
    EXPECT_EQ(run.test.seen(), (config::ButtonState{1} << 31) | 2);
    EXPECT_EQ(run.test.pressedNow(), 0u);
}

} // namespace
} // namespace tamo::test
