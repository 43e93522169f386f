// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows backend's contract where it can be shown without a board: failures name the
// call and the system's reason, our records reach the services intact, value capabilities
// stay inside the caller's span, and the input read returns at once. A message-mode pipe
// stands in for a board's read handle: like a HID collection it completes one message per
// read, and with nothing queued a read would wait.
#include "hid_windows.h"
#include "native_platform.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace tamo::device {
namespace {

const SECURITY_ATTRIBUTES INHERITABLE{12, 0, 1};

// The reason part of "Call: reason": the system's text, on one line.
void ExpectReadableFailure(const PlatformResult &result, const std::string &call)
{
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(result.error.rfind(call + ": ", 0), 0u) << result.error;
    const std::string reason = result.error.substr(call.size() + 2);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(reason.find_first_of("\r\n"), std::string::npos) << reason;
    EXPECT_NE(reason.rfind("error ", 0), 0u) << "no system text for: " << reason;
}

std::string SystemReason(DWORD error)
{
    char text[512] = {};
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, error, 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r'))
        --length;
    return std::string(text, length);
}

bool Inheritable(PlatformHandle handle)
{
    DWORD flags = 0;
    ::GetHandleInformation(reinterpret_cast<HANDLE>(handle.value), &flags);
    return (flags & HANDLE_FLAG_INHERIT) != 0;
}

// The server end of a message pipe, and the path our backend opens as a board's read handle.
class MessagePipe {
public:
    MessagePipe()
    {
        static int serial = 0;
        path = "\\\\.\\pipe\\tamo-test-" + std::to_string(::GetCurrentProcessId()) + "-"
               + std::to_string(++serial);
        server = ::CreateNamedPipeA(path.c_str(), PIPE_ACCESS_DUPLEX,
                                    PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, 4096,
                                    4096, 0, nullptr);
    }
    ~MessagePipe() { closeServer(); }
    MessagePipe(const MessagePipe &) = delete;
    MessagePipe &operator=(const MessagePipe &) = delete;

    void send(std::vector<std::uint8_t> message)
    {
        DWORD written = 0;
        ASSERT_TRUE(::WriteFile(server, message.data(), static_cast<DWORD>(message.size()),
                                &written, nullptr));
        ASSERT_EQ(written, message.size());
    }
    void closeServer()
    {
        if (server != INVALID_HANDLE_VALUE)
            ::CloseHandle(server);
        server = INVALID_HANDLE_VALUE;
    }

    std::string path;
    HANDLE server = INVALID_HANDLE_VALUE;
};

// A board-like read handle on a pipe, with the event the connection gives every read.
struct ReadSide {
    WindowsHidPlatform platform;
    MessagePipe pipe;
    PlatformHandle file;
    OVERLAPPED overlapped;

    ReadSide()
    {
        EXPECT_NE(pipe.server, INVALID_HANDLE_VALUE);
        const PlatformResult opened = platform.CreateFileA(
            pipe.path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
            &INHERITABLE, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, file);
        EXPECT_TRUE(opened) << opened.error;
        PlatformHandle event;
        EXPECT_TRUE(platform.CreateEventA(&INHERITABLE, true, true, "", event));
        overlapped.hEvent = event;
    }
    ~ReadSide()
    {
        platform.CloseHandle(file);
        if (overlapped.hEvent.valid())
            platform.CloseHandle(overlapped.hEvent);
    }

    ReadResult read(std::vector<std::uint8_t> &buffer, std::uint32_t &bytesRead)
    {
        return platform.ReadFile(file, buffer, bytesRead, overlapped);
    }
};

std::vector<std::uint8_t> Report(std::uint8_t tag, std::size_t length = 8)
{
    std::vector<std::uint8_t> report(length, tag);
    report[0] = 0;
    return report;
}

TEST(WindowsPlatform, FailuresNameTheCallAndTheSystemReason)
{
    WindowsHidPlatform platform;
    const std::string path = "\\\\.\\tamo-no-such-device";
    PlatformHandle file{1234};
    const PlatformResult opened =
        platform.CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &INHERITABLE, OPEN_EXISTING, 0, file);
    ExpectReadableFailure(opened, "CreateFileA(" + path + ")");
    EXPECT_FALSE(file.valid());

    PlatformHandle event;
    ASSERT_TRUE(platform.CreateEventA(nullptr, true, false, "", event));
    EXPECT_TRUE(platform.CloseHandle(event));
    ExpectReadableFailure(platform.CloseHandle(event), "CloseHandle");

    // A handle that is no HID collection is refused by every HID class service.
    MessagePipe pipe;
    PlatformHandle client;
    ASSERT_TRUE(platform.CreateFileA(pipe.path, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                     OPEN_EXISTING, 0, client));
    std::array<std::uint8_t, 9> report{};
    ExpectReadableFailure(platform.HidD_GetFeature(client, report), "HidD_GetFeature");
    ExpectReadableFailure(platform.HidD_SetFeature(client, report), "HidD_SetFeature");
    HIDD_ATTRIBUTES attributes;
    attributes.Size = sizeof attributes;
    ExpectReadableFailure(platform.HidD_GetAttributes(client, attributes), "HidD_GetAttributes");
    PlatformHandle preparsed{99};
    ExpectReadableFailure(platform.HidD_GetPreparsedData(client, preparsed),
                          "HidD_GetPreparsedData");
    EXPECT_FALSE(preparsed.valid());
    EXPECT_TRUE(platform.CloseHandle(client));
}

TEST(WindowsPlatform, TheNativePlatformIsThisBackend)
{
    EXPECT_NE(dynamic_cast<WindowsHidPlatform *>(CreateNativeHidPlatform().get()), nullptr);
}

TEST(WindowsPlatform, RecordsReachTheServicesIntact)
{
    WindowsHidPlatform platform;
    GUID guid;
    EXPECT_TRUE(platform.HidD_GetHidGuid(guid));
    EXPECT_EQ(guid, HID_INTERFACE_CLASS_GUID);

    // The interface record's 32-bit size is accepted on every pointer width: enumerating past
    // the end fails for the end, not for the record.
    PlatformHandle set;
    ASSERT_TRUE(platform.SetupDiGetClassDevsA(guid, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE, set));
    SP_DEVICE_INTERFACE_DATA data;
    data.cbSize = SP_DEVICE_INTERFACE_DATA_SIZE;
    const PlatformResult past = platform.SetupDiEnumDeviceInterfaces(set, guid, 100000, data);
    EXPECT_EQ(past.error, "SetupDiEnumDeviceInterfaces: " + SystemReason(ERROR_NO_MORE_ITEMS));
    data.cbSize = 5;
    const PlatformResult badRecord = platform.SetupDiEnumDeviceInterfaces(set, guid, 0, data);
    EXPECT_FALSE(badRecord.ok);
    EXPECT_NE(badRecord.error, past.error);
    EXPECT_TRUE(platform.SetupDiDestroyDeviceInfoList(set));

    // Security attributes: inheritable as asked, and not otherwise.
    PlatformHandle inherited;
    PlatformHandle private_;
    ASSERT_TRUE(platform.CreateEventA(&INHERITABLE, true, true, "", inherited));
    const SECURITY_ATTRIBUTES notInherited{12, 0, 0};
    ASSERT_TRUE(platform.CreateEventA(&notInherited, true, true, "", private_));
    EXPECT_TRUE(Inheritable(inherited));
    EXPECT_FALSE(Inheritable(private_));
    EXPECT_TRUE(platform.CloseHandle(inherited));
    EXPECT_TRUE(platform.CloseHandle(private_));
}

TEST(WindowsPlatform, CreateEventGivesManualResetEventsNamedOrNot)
{
    WindowsHidPlatform platform;
    PlatformHandle first;
    PlatformHandle second;
    ASSERT_TRUE(platform.CreateEventA(&INHERITABLE, true, true, "", first));
    ASSERT_TRUE(platform.CreateEventA(&INHERITABLE, true, true, "", second));
    const auto h = [](PlatformHandle handle) {
        return reinterpret_cast<HANDLE>(handle.value);
    };
    // Manual reset and initially signalled: a wait does not clear it.
    EXPECT_EQ(::WaitForSingleObject(h(first), 0), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(h(first), 0), WAIT_OBJECT_0);
    // Unnamed events are separate objects.
    ::ResetEvent(h(first));
    EXPECT_EQ(::WaitForSingleObject(h(first), 0), WAIT_TIMEOUT);
    EXPECT_EQ(::WaitForSingleObject(h(second), 0), WAIT_OBJECT_0);

    // A name reaches the service: the same name opens the same event.
    const std::string name = "tamo-test-event-" + std::to_string(::GetCurrentProcessId());
    PlatformHandle named;
    PlatformHandle again;
    ASSERT_TRUE(platform.CreateEventA(nullptr, true, false, name, named));
    ASSERT_TRUE(platform.CreateEventA(nullptr, true, false, name, again));
    ::SetEvent(h(named));
    EXPECT_EQ(::WaitForSingleObject(h(again), 0), WAIT_OBJECT_0);
    for (PlatformHandle handle : {first, second, named, again})
        EXPECT_TRUE(platform.CloseHandle(handle));
}

TEST(WindowsPlatform, CapabilitiesQueriesOnBadDataChangeNothing)
{
    WindowsHidPlatform platform;
    // Zeros are no preparsed data: the service must refuse them by their content.
    std::vector<std::uint8_t> bogus(4096, 0);
    const PlatformHandle preparsed{reinterpret_cast<std::uintptr_t>(bogus.data())};

    HIDP_CAPS caps;
    caps.InputReportByteLength = 7;
    const PlatformResult gotCaps = platform.HidP_GetCaps(preparsed, caps);
    EXPECT_FALSE(gotCaps.ok);
    EXPECT_EQ(gotCaps.value, HIDP_STATUS_INVALID_PREPARSED_DATA);
    EXPECT_EQ(gotCaps.error, "HidP_GetCaps: HIDP_STATUS_INVALID_PREPARSED_DATA");
    EXPECT_EQ(caps.InputReportByteLength, 7);

    // 100 bytes hold one whole record; the count asked for is more than that.
    std::array<std::uint8_t, 200> records;
    records.fill(0x5A);
    std::uint16_t length = 14;
    const PlatformResult gotValues = platform.HidP_GetValueCaps(
        HIDP_REPORT_TYPE::HidP_Input, std::span(records).first(100), length, preparsed);
    EXPECT_FALSE(gotValues.ok);
    EXPECT_EQ(length, 0);
    EXPECT_TRUE(
        std::all_of(records.begin(), records.end(), [](std::uint8_t b) { return b == 0x5A; }));
}

TEST(WindowsPlatform, ReadWithNothingQueuedReturnsAtOnceAndLeavesNoReadBehind)
{
    ReadSide side;
    std::vector<std::uint8_t> buffer(1000, 0xCC);
    std::uint32_t bytesRead = 77;
    const ReadResult result = side.read(buffer, bytesRead);
    EXPECT_EQ(result.outcome, ReadOutcome::NothingQueued) << result.error;
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(bytesRead, 0u);
    // The read has ended: its event is set again, and a report sent now goes to the next read,
    // not into the buffer of the one that returned.
    EXPECT_EQ(::WaitForSingleObject(reinterpret_cast<HANDLE>(side.overlapped.hEvent.value), 0),
              WAIT_OBJECT_0);
    side.pipe.send(Report(1));
    ::Sleep(50);
    EXPECT_TRUE(
        std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == 0xCC; }));
    std::vector<std::uint8_t> next(1000, 0);
    const ReadResult later = side.read(next, bytesRead);
    EXPECT_EQ(later.outcome, ReadOutcome::Reports) << later.error;
    ASSERT_EQ(bytesRead, 8u);
    EXPECT_EQ(std::vector(next.begin(), next.begin() + 8), Report(1));
}

TEST(WindowsPlatform, ReadDrainsWholeReportsOldestFirstAsManyAsFit)
{
    ReadSide side;
    side.platform.setInputReportLength(side.file, 8);
    for (std::uint8_t tag = 1; tag <= 5; ++tag)
        side.pipe.send(Report(tag));

    // Room for three and a half reports: three whole ones, the fourth stays queued.
    std::vector<std::uint8_t> small(28, 0xEE);
    std::uint32_t bytesRead = 0;
    ReadResult result = side.read(small, bytesRead);
    ASSERT_EQ(result.outcome, ReadOutcome::Reports) << result.error;
    EXPECT_TRUE(result.ok());
    ASSERT_EQ(bytesRead, 24u);
    for (std::uint8_t tag = 1; tag <= 3; ++tag)
        EXPECT_EQ(small[std::size_t{tag - 1u} * 8 + 1], tag);
    EXPECT_EQ(small[24], 0xEE);

    std::vector<std::uint8_t> buffer(1000, 0);
    result = side.read(buffer, bytesRead);
    ASSERT_EQ(result.outcome, ReadOutcome::Reports) << result.error;
    ASSERT_EQ(bytesRead, 16u);
    EXPECT_EQ(buffer[1], 4);
    EXPECT_EQ(buffer[9], 5);

    result = side.read(buffer, bytesRead);
    EXPECT_EQ(result.outcome, ReadOutcome::NothingQueued) << result.error;
    EXPECT_EQ(bytesRead, 0u);
}

TEST(WindowsPlatform, ReadWithoutAnEventStillReturnsAtOnce)
{
    ReadSide side;
    side.platform.setInputReportLength(side.file, 8);
    OVERLAPPED noEvent;
    std::vector<std::uint8_t> buffer(1000, 0);
    std::uint32_t bytesRead = 0;
    EXPECT_EQ(side.platform.ReadFile(side.file, buffer, bytesRead, noEvent).outcome,
              ReadOutcome::NothingQueued);
    side.pipe.send(Report(3));
    side.pipe.send(Report(4));
    const ReadResult result = side.platform.ReadFile(side.file, buffer, bytesRead, noEvent);
    EXPECT_EQ(result.outcome, ReadOutcome::Reports) << result.error;
    EXPECT_EQ(bytesRead, 16u);
}

TEST(WindowsPlatform, AnArmedWaitIsSignalledByEachReportAndByAGoneDevice)
{
    ReadSide side;
    side.platform.setInputReportLength(side.file, 8);
    const InputWait wait = side.platform.WaitForInput(side.file);
    ASSERT_EQ(wait.kind, InputWait::Kind::Event);
    const auto event = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(wait.handle));
    EXPECT_EQ(::WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    std::vector<std::uint8_t> buffer(1000, 0);
    std::uint32_t bytesRead = 0;
    EXPECT_EQ(side.read(buffer, bytesRead).outcome, ReadOutcome::NothingQueued);

    // The pending read takes the first report, the read after the signal drains the rest.
    side.pipe.send(Report(1));
    side.pipe.send(Report(2));
    ASSERT_EQ(::WaitForSingleObject(event, 2000), WAIT_OBJECT_0);
    ASSERT_EQ(side.read(buffer, bytesRead).outcome, ReadOutcome::Reports);
    ASSERT_EQ(bytesRead, 16u);
    EXPECT_EQ(buffer[1], 1);
    EXPECT_EQ(buffer[9], 2);
    // Armed again, and quiet until the next report.
    EXPECT_EQ(::WaitForSingleObject(event, 0), WAIT_TIMEOUT);

    side.pipe.closeServer();
    ASSERT_EQ(::WaitForSingleObject(event, 2000), WAIT_OBJECT_0);
    EXPECT_EQ(side.read(buffer, bytesRead).outcome, ReadOutcome::Failed);
    // Not armed after the failure, so a notifier on the event does not spin.
    EXPECT_EQ(::WaitForSingleObject(event, 0), WAIT_TIMEOUT);

    // A handle closed while its read is pending: the read ends before the handle does.
    ReadSide pending;
    pending.platform.setInputReportLength(pending.file, 8);
    EXPECT_EQ(pending.platform.WaitForInput(pending.file).kind, InputWait::Kind::Event);
    EXPECT_TRUE(pending.platform.CloseHandle(pending.file));
    pending.file = {};
}

TEST(WindowsPlatform, ReadFromAGoneDeviceFailsWithTheReason)
{
    ReadSide side;
    side.pipe.closeServer();
    std::vector<std::uint8_t> buffer(1000, 0);
    std::uint32_t bytesRead = 5;
    const ReadResult result = side.read(buffer, bytesRead);
    EXPECT_EQ(result.outcome, ReadOutcome::Failed);
    ExpectReadableFailure(result, "ReadFile");
    EXPECT_EQ(bytesRead, 0u);
}

} // namespace
} // namespace tamo::device
