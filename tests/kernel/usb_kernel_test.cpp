// SPDX-License-Identifier: GPL-3.0-or-later
// The hidraw backend against a real USB device: boards made through gadgetfs on the virtual
// host and device controller pair (dummy_hcd), bound by usbhid, reached through /sys,
// /dev/hidrawN and /dev/bus/usb exactly as the tool reaches a board on a cable.
#include "board_bytes.h"
#include "board_identity.h"
#include "board_process.h"
#include "debug_log.h"
#include "device_texts.h"
#include "discovery.h"
#include "hid_linux.h"
#include "hid_string.h"
#include "tap_reader.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tamo::test {
namespace {

using device::PlatformHandle;
using device::ReadOutcome;
using namespace std::chrono_literals;

// usbhid drops input for 50 ms after a node is opened ("reports released when the device is
// re-opened"); a test that wants its reports waits longer than that first.
constexpr auto kAfterOpen = 300ms;

bool Contains(const std::vector<std::string> &lines, const std::string &line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class UsbKernel : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string why = UsbUnavailableReason(); !why.empty())
            GTEST_SKIP() << why;
        boards = std::make_unique<BoardProcess>(UsbBoardProgram());
        ASSERT_TRUE(boards->started()) << "cannot run " << UsbBoardProgram();
    }

    std::string create(const std::string &name, const std::string &options = {})
    {
        std::string node = boards->create(name, options);
        EXPECT_FALSE(node.empty()) << boards->lastReply();
        return node;
    }
    void remove(const std::string &name)
    {
        EXPECT_EQ(boards->order("remove " + name, 30s), "ok remove " + name);
    }

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

    std::vector<std::string> listed()
    {
        device::BoardConnection connection;
        device::ValueCapsArray valueCaps{};
        device::Discovery discovery{platform, connection, valueCaps};
        return device::Scan_USB_devices(discovery);
    }

    std::u16string
    text(device::PlatformResult (device::LinuxHidPlatform::*call)(PlatformHandle,
                                                                  std::span<std::uint8_t>),
         PlatformHandle handle, bool &ok)
    {
        std::vector<std::uint8_t> buffer(device::STRING_REQUEST_BYTES + 2, 0);
        ok = static_cast<bool>(
            (platform.*call)(handle, std::span(buffer).first(device::STRING_REQUEST_BYTES)));
        std::u16string text;
        for (std::size_t i = 0; i + 1 < buffer.size(); i += 2) {
            const char16_t unit = static_cast<char16_t>(buffer[i] | buffer[i + 1] << 8);
            if (unit == 0)
                break;
            text += unit;
        }
        return text;
    }

    // Reads until the newest report carries these buttons (or time is up); the bytes read.
    std::vector<std::uint8_t> readUntil(PlatformHandle handle, std::uint32_t buttons)
    {
        std::vector<std::uint8_t> all;
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (std::chrono::steady_clock::now() < deadline) {
            std::vector<std::uint8_t> buffer(1000, 0);
            std::uint32_t bytesRead = 0;
            device::OVERLAPPED overlapped;
            const auto result = platform.ReadFile(handle, buffer, bytesRead, overlapped);
            EXPECT_NE(result.outcome, ReadOutcome::Failed) << result.error;
            all.insert(all.end(), buffer.begin(), buffer.begin() + bytesRead);
            if (all.size() >= kInputLength) {
                const auto newest = all.end() - kInputLength;
                const std::uint32_t shown =
                    newest[3] | newest[4] << 8 | newest[5] << 16 | std::uint32_t{newest[6]} << 24;
                if (shown == buttons)
                    return all;
            }
            std::this_thread::sleep_for(10ms);
        }
        ADD_FAILURE() << "buttons " << buttons << " never arrived; read " << Hex(all);
        return all;
    }

    std::unique_ptr<BoardProcess> boards;
    device::LinuxHidPlatform platform;
};

TEST_F(UsbKernel, IdentificationByTheMarkerInString42AndByTheProductId)
{
    struct Case {
        const char *options;
        bool listed;
        bool markerAsked;
    };
    const Case cases[] = {
        // Outside the product-ID range: only the marker, in its exact case, accepts it.
        {"marker=\"Tamo button box\" pid=", true, true},
        {"marker=\"TAMO button box\" pid=", false, true},
        {"marker=tamo pid=", false, true},
        // Inside the range a board without string 42 is accepted; its request stalls.
        {"marker=none pid=", true, true},
        // Another maker's device is never asked for string 42, whatever it holds.
        {"vid=0x046d marker=Tamo pid=", false, false},
    };
    int n = 0;
    for (const Case &c : cases) {
        const std::string name = "b" + std::to_string(n++);
        const std::string options =
            std::string(c.options)
            + std::to_string(device::PID_FIRST + (std::strstr(c.options, "none") ? 3 : 22));
        SCOPED_TRACE(options);
        create(name, "serial=USB-1 " + options);
        EXPECT_EQ(listed(),
                  c.listed ? std::vector<std::string>{"USB-1"} : std::vector<std::string>{});
        boards->featureReports(name); // a round trip: every earlier event line has arrived
        const auto events = boards->events(name);
        EXPECT_EQ(Contains(events, "string 42") || Contains(events, "string 42 stalled"),
                  c.markerAsked);
        remove(name);
    }
}

TEST_F(UsbKernel, IdentityFromTheUsbDevice)
{
    const std::string path =
        create("b", "serial=KB-0042 " + Pid(5)
                        + " version=0x0110 manufacturer=Velbrin product=\"Tamo 32\"");
    const PlatformHandle handle = open(path);
    device::HIDD_ATTRIBUTES attributes;
    ASSERT_TRUE(platform.HidD_GetAttributes(handle, attributes));
    EXPECT_EQ(attributes.VendorID, device::VENDOR_ID);
    EXPECT_EQ(attributes.ProductID, device::PID_FIRST + 5);
    EXPECT_EQ(attributes.VersionNumber, 0x0110);
    EXPECT_EQ(config::VersionText(attributes.VersionNumber), " 1.10");

    bool ok = false;
    EXPECT_EQ(text(&device::LinuxHidPlatform::HidD_GetManufacturerString, handle, ok), u"Velbrin");
    EXPECT_TRUE(ok);
    EXPECT_EQ(text(&device::LinuxHidPlatform::HidD_GetProductString, handle, ok), u"Tamo 32");
    EXPECT_TRUE(ok);
    EXPECT_EQ(text(&device::LinuxHidPlatform::HidD_GetSerialNumberString, handle, ok), u"KB-0042");
    EXPECT_TRUE(ok);
    std::vector<std::uint8_t> marker(device::STRING_REQUEST_BYTES, 0);
    const auto got = platform.HidD_GetIndexedString(handle, device::MARKER_STRING_INDEX, marker);
    EXPECT_TRUE(got) << got.error;
    EXPECT_EQ(std::string(marker.begin(), marker.begin() + 8), std::string("T\0a\0m\0o\0", 8));
    EXPECT_TRUE(platform.CloseHandle(handle));
    remove("b");

    // Without a manufacturer string the request fails (and the window leaves the version
    // out); a stalled string 42 fails with the pipe error.
    const PlatformHandle bare = open(create("c", "manufacturer=none marker=none"));
    text(&device::LinuxHidPlatform::HidD_GetManufacturerString, bare, ok);
    EXPECT_FALSE(ok);
    const auto stalled = platform.HidD_GetIndexedString(bare, device::MARKER_STRING_INDEX, marker);
    EXPECT_FALSE(stalled);
    EXPECT_NE(stalled.error.find("Broken pipe"), std::string::npos) << stalled.error;
    EXPECT_TRUE(platform.CloseHandle(bare));
}

TEST_F(UsbKernel, FeatureReportsRoundTripThroughTheControlPipe)
{
    const PlatformHandle handle = open(create("b"));
    const auto command = Report({0x00, 0xEE, 0x06, 0x02}, kFeatureLength);
    const auto modes = Report({0x00, 0xEE, 0x02, 0x81}, kFeatureLength);
    ASSERT_TRUE(platform.HidD_SetFeature(handle, command));
    ASSERT_TRUE(platform.HidD_SetFeature(handle, modes));
    // usbhid sends 16 bytes without the report number; the board puts it back in its record.
    EXPECT_EQ(boards->featureReports("b"), (std::vector<std::string>{Hex(command), Hex(modes)}));

    // Report number 0 in byte 0; the rest must be overwritten by the reply.
    std::vector<std::uint8_t> reply(kFeatureLength, 0xAA);
    reply[0] = 0;
    const auto got = platform.HidD_GetFeature(handle, reply);
    EXPECT_TRUE(got) << got.error;
    EXPECT_EQ(Hex(reply),
              Hex(Report({0x00, 0x00, 0x00, 0x00, 0x81, 0x00, 0x00, 0x00, 0x02}, kFeatureLength)));

    ASSERT_EQ(boards->order("selftest b 7"), "ok selftest b");
    ASSERT_TRUE(platform.HidD_SetFeature(handle, Report({0x00, 0xE1}, kFeatureLength)));
    ASSERT_TRUE(platform.HidD_GetFeature(handle, reply));
    EXPECT_EQ(Hex(reply), Hex(Report({0x00, 0x07}, kFeatureLength)));
    EXPECT_TRUE(platform.CloseHandle(handle));
    remove("b");

    // A device that stalls GET_REPORT fails the read; the set cannot be stalled by gadgetfs.
    const PlatformHandle mouse = open(create("m", "kind=foreign"));
    std::vector<std::uint8_t> none(kFeatureLength, 0);
    const auto refused = platform.HidD_GetFeature(mouse, none);
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.error.find("HIDIOCGFEATURE"), std::string::npos) << refused.error;
    EXPECT_TRUE(platform.CloseHandle(mouse));
}

TEST_F(UsbKernel, InputReportsArriveThroughTheInterruptEndpoint)
{
    const PlatformHandle reader = open(create("b", "stream=onchange"), true);
    std::this_thread::sleep_for(kAfterOpen);
    for (const char *bits : {"0x01", "0x0200", "0x81000000"})
        ASSERT_EQ(boards->order(std::string("buttons b ") + bits), "ok buttons b");
    // Each change arrives as one report, in order, with the ID byte put back in front.
    const std::vector<std::uint8_t> all = readUntil(reader, 0x81000000);
    std::vector<std::uint8_t> expected;
    for (const auto &report :
         {Report({0, 0, 0, 0x01}, kInputLength), Report({0, 0, 0, 0, 0x02}, kInputLength),
          Report({0, 0, 0, 0, 0, 0, 0x81}, kInputLength)})
        expected.insert(expected.end(), report.begin(), report.end());
    EXPECT_EQ(Hex(all), Hex(expected));
    EXPECT_TRUE(platform.CloseHandle(reader));
}

// Calls `seen(pressed, sentUs, readUs)` for each change of input `button`, oldest first.
template<typename Seen>
void ForEachChange(const TapRun &run, int button, Seen seen)
{
    std::uint32_t previous = 0;
    std::size_t k = 0;
    for (const ArrivedRead &read : run.reads) {
        for (const config::ButtonState buttons : read.reports) {
            const std::uint32_t bit = buttons >> (button - 1) & 1;
            if (bit != previous && k < run.sentUs.size())
                seen(bit != 0, run.sentUs[k], read.timeUs);
            previous = bit;
            ++k;
        }
    }
}

// Each change of input `button` as sent and as read, in milliseconds from the first one sent.
std::string Changes(const TapRun &run, int button)
{
    std::string text;
    ForEachChange(run, button, [&](bool pressed, std::uint64_t sentUs, std::uint64_t readUs) {
        text += std::string(pressed ? " P" : " R") + " sent "
                + std::to_string((sentUs - run.sentUs[0]) / 1000.0) + " read "
                + std::to_string((readUs - run.sentUs[0]) / 1000.0) + ";";
    });
    return text;
}

// How many releases of input `button` reached the reader less than `withinUs` before the next
// press was even sent: only those can read as a gap under `withinUs`, as every press is read
// after it was sent.
unsigned HeldBackReleases(const TapRun &run, int button, std::uint64_t withinUs)
{
    unsigned held = 0;
    std::uint64_t releaseReadUs = 0;
    ForEachChange(run, button, [&](bool pressed, std::uint64_t sentUs, std::uint64_t readUs) {
        if (!pressed)
            releaseReadUs = readUs;
        else if (releaseReadUs != 0 && releaseReadUs + withinUs > sentUs)
            ++held;
    });
    return held;
}

// The button test over the real interrupt pipe: the board times every change itself, and
// every one arrives as its own report, so every press is counted and only the bouncing switch
// chatters. Under emulation a change can go late (the writer waits for the host's poll, and
// the machine stalls now and then): a release held back until the next press is due reaches
// the reader just before that press, which reads as a short gap, so the taps' gaps are 40 to
// 100 ms, room for stalls of over 30 ms; a longer stall may make a tap chatter, but only
// where a release was held back that long. A late read works the other way: a release and the
// next press read together are only known to be apart by less than the time since the read
// before, and dummy_hcd serves the endpoint about once a 4 ms jiffy, one change a poll: the
// bounce's gaps read as 4 to 12 ms here (in one run 4 of its 10 gaps under 8 ms). The worn
// switch therefore bounces on each of eight presses, as a worn switch does, and must be
// flagged for at least one of its 16 gaps.
TEST_F(UsbKernel, TheButtonTestCountsEveryTapAndFlagsTheBounce)
{
    ASSERT_FALSE(create("b", "serial=TAPS-1 stream=onchange").empty());
    std::vector<std::string> orders{"taps b 1 200 10 40 100 19"};
    orders.insert(orders.end(), 8, "bounce b 9");
    TapRun run = ReadTaps(*boards, "TAPS-1", orders);
    ASSERT_EQ(run.failure, "");
    ASSERT_EQ(run.sentUs.size(), 448u) << ::testing::PrintToString(run.replies);
    // One report a change, none lost, none merged.
    EXPECT_EQ(ArrivalTimes(run.reads).size(), 448u);
    const config::InputTally &tapped = run.test.input(1);
    const config::InputTally &bounced = run.test.input(9);
    EXPECT_EQ(tapped.presses, 200u);
    const unsigned heldBack = HeldBackReleases(run, 1, 8'000);
    EXPECT_LE(tapped.chatters, heldBack)
        << "shortest gap " << tapped.shortestGapUs.value_or(0) << " us" << Changes(run, 1);
    EXPECT_EQ(bounced.presses, 24u);
    EXPECT_GE(bounced.chatters, 1u) << Changes(run, 9);
    EXPECT_EQ(run.test.chattered(),
              (config::ButtonState{1} << 8) | (tapped.chatters > 0 ? 1u : 0u));
    EXPECT_EQ(run.test.seen(), config::ButtonState{0x101});
    EXPECT_EQ(run.test.pressedNow(), 0u);
    std::printf("taps: %u releases held back, shortest gap read %.1f ms; bounce: %u chatters in 16 "
                "bounces, shortest "
                "gap read %.1f ms\n",
                heldBack, tapped.shortestGapUs.value_or(0) / 1000.0, bounced.chatters,
                bounced.shortestGapUs.value_or(0) / 1000.0);
    remove("b");
}

TEST_F(UsbKernel, AnUnplugFailsTheReadAndTheReplugGivesANewNodeThatOpens)
{
    const std::string first = create("b", "serial=RE-1 stream=10ms");
    const PlatformHandle reader = open(first, true);
    std::this_thread::sleep_for(kAfterOpen);
    ASSERT_EQ(boards->order("buttons b 0x10"), "ok buttons b");
    readUntil(reader, 0x10);

    ASSERT_EQ(boards->order("unplug b", 30s), "ok unplug b");
    device::ReadResult last;
    for (int i = 0; i < 100; ++i) {
        std::vector<std::uint8_t> buffer(1000, 0);
        std::uint32_t bytesRead = 0;
        device::OVERLAPPED overlapped;
        last = platform.ReadFile(reader, buffer, bytesRead, overlapped);
        if (last.outcome == ReadOutcome::Failed)
            break;
    }
    EXPECT_EQ(last.outcome, ReadOutcome::Failed);
    EXPECT_TRUE(platform.CloseHandle(reader));
    EXPECT_TRUE(listed().empty());

    const std::string second = boards->replug("b");
    ASSERT_FALSE(second.empty()) << boards->lastReply();
    EXPECT_EQ(listed(), std::vector<std::string>{"RE-1"});
    const PlatformHandle again = open(second, true);
    std::this_thread::sleep_for(kAfterOpen);
    // The board kept its state over the unplug, as the model does.
    readUntil(again, 0x10);
    EXPECT_TRUE(platform.CloseHandle(again));
}

TEST_F(UsbKernel, TheNewestReportWinsWhenTheBoardQueuesMoreThanAReadTakes)
{
    // 64-byte reports every millisecond: some 50 a poll period, and a 1000-byte read takes 15.
    constexpr std::size_t kLong = 64;
    const PlatformHandle reader = open(create("b", "stream=1ms input=64"), true);
    std::this_thread::sleep_for(kAfterOpen);
    struct Poll {
        std::size_t bytes = 0;
        std::uint8_t newestButtons = 0;
    };
    auto poll = [&] {
        std::this_thread::sleep_for(50ms); // the window's tick
        std::vector<std::uint8_t> buffer(1000, 0);
        std::uint32_t bytesRead = 0;
        device::OVERLAPPED overlapped;
        const auto result = platform.ReadFile(reader, buffer, bytesRead, overlapped);
        EXPECT_NE(result.outcome, ReadOutcome::Failed) << result.error;
        Poll got{bytesRead, 0};
        if (bytesRead >= kLong)
            got.newestButtons = buffer[bytesRead - kLong + 3];
        return got;
    };
    std::size_t fullReads = 0;
    for (int i = 0; i < 10; ++i)
        fullReads += poll().bytes == 15 * kLong ? 1 : 0;
    // Otherwise this run shows nothing: the board must outpace one read.
    EXPECT_GT(fullReads, 0u) << "the board never queued more than one read takes";

    ASSERT_EQ(boards->order("buttons b 0x5a"), "ok buttons b");
    // Once the new state is on the wire, the next poll shows it; a read that took the oldest
    // reports would show it only after the backlog (hundreds of milliseconds).
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!boards->waitForEventCount("b", "report 0x0000005a", 1, 10ms)
           && std::chrono::steady_clock::now() < deadline)
        poll();
    ASSERT_EQ(boards->eventCount("b", "report 0x0000005a"), 1u);
    poll(); // may have read before the report
    EXPECT_EQ(poll().newestButtons, 0x5A);
    EXPECT_TRUE(platform.CloseHandle(reader));
}

// Runs body as the unprivileged user "nobody" in a child process and returns its debug-log
// lines, one string per line, and what body returned.
std::pair<std::vector<std::string>, std::string> AsNobody(const std::function<std::string()> &body)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string out;
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            out = "cannot become nobody";
        } else {
            std::string log;
            device::SetDebugLogSink(
                [&](std::string_view line) { log += std::string(line) + "\n"; });
            out = body() + "\n" + log;
        }
        [[maybe_unused]] const ssize_t written = ::write(pipeFds[1], out.data(), out.size());
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string text;
    char chunk[4096];
    for (ssize_t got; (got = ::read(pipeFds[0], chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<std::size_t>(got));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (lines.empty())
        return {{}, text};
    const std::string result = lines.front();
    lines.erase(lines.begin());
    return {lines, result};
}

bool AnyContains(const std::vector<std::string> &lines, const std::string &part)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string &line) {
        return line.find(part) != std::string::npos;
    });
}

TEST_F(UsbKernel, NodesTheSeatUserCannotOpenAreSkippedWithAReasonInTheDebugLog)
{
    // A board known only by its marker needs both its hidraw node and its USB device node.
    const std::string hidraw = create("b", "serial=SEAT-1 " + Pid(22));
    const std::string usbNode = boards->usbNode();
    ASSERT_FALSE(usbNode.empty()) << boards->lastReply();
    auto scan = [] {
        device::LinuxHidPlatform platform;
        device::BoardConnection connection;
        device::ValueCapsArray valueCaps{};
        device::Discovery discovery{platform, connection, valueCaps};
        std::string serials;
        for (const std::string &serial : device::Scan_USB_devices(discovery))
            serials += serial + ";";
        return serials;
    };

    // No udev here: root's nodes, as on a system without the rule.
    ASSERT_EQ(::chmod(hidraw.c_str(), 0600), 0);
    auto [log, serials] = AsNobody(scan);
    EXPECT_EQ(serials, "");
    EXPECT_TRUE(AnyContains(log, "skipping " + hidraw + ": open(" + hidraw
                                     + "): Permission denied (is the udev rule 70-tamo.rules"))
        << ::testing::PrintToString(log);

    // The hidraw node alone is not enough: string 42 comes through the USB device node.
    ASSERT_EQ(::chmod(hidraw.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(usbNode.c_str(), 0600), 0);
    std::tie(log, serials) = AsNobody(scan);
    EXPECT_EQ(serials, "");
    EXPECT_TRUE(
        AnyContains(log, "string 42 of " + hidraw + ": open(" + usbNode + "): Permission denied"))
        << ::testing::PrintToString(log);

    // Both, as the rule gives them to the seat's user: found.
    ASSERT_EQ(::chmod(usbNode.c_str(), 0666), 0);
    std::tie(log, serials) = AsNobody(scan);
    EXPECT_EQ(serials, "SEAT-1;") << ::testing::PrintToString(log);
}

} // namespace
} // namespace tamo::test
