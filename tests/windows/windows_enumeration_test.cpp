// SPDX-License-Identifier: GPL-3.0-or-later
// Discovery over the real Windows services: whatever HID interfaces the system presents are
// walked, opened twice, identified and read for capabilities, and nothing is left open. None
// of them is a board of the family, so nothing is listed and nothing is found.
#include "discovery.h"
#include "enumerated_paths.h"
#include "hid_string.h"
#include "hid_windows.h"
#include "tracking_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace tamo::device {
namespace {

using test::TrackingPlatform;

DWORD HandleCount()
{
    DWORD count = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &count);
    return count;
}

std::vector<std::string> InterfacePaths(HidPlatform &platform)
{
    return tamo::test::EnumeratedPaths(platform);
}

std::string StringOrError(const PlatformResult &result, std::span<const std::uint8_t> buffer)
{
    return result ? '"' + HidStringToText(buffer) + '"' : "(" + result.error + ")";
}

// Everything the tool reads from one interface, through both of its handles.
void ProbeInterface(WindowsHidPlatform &platform, const std::string &path)
{
    SCOPED_TRACE(path);
    const SECURITY_ATTRIBUTES security{12, 0, 1};
    PlatformHandle feature;
    PlatformHandle read;
    const PlatformResult openedFeature =
        platform.CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &security, OPEN_EXISTING, 0, feature);
    const PlatformResult openedRead =
        platform.CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &security, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, read);
    std::cout << path << "\n  feature open: " << (openedFeature ? "ok" : openedFeature.error)
              << "\n  read open: " << (openedRead ? "ok" : openedRead.error) << '\n';
    if (openedFeature && openedRead) {
        EXPECT_NE(feature, read);
    }

    HIDP_CAPS caps;
    if (openedFeature) {
        HIDD_ATTRIBUTES attributes;
        attributes.Size = sizeof attributes;
        const PlatformResult gotAttributes = platform.HidD_GetAttributes(feature, attributes);
        EXPECT_TRUE(gotAttributes) << gotAttributes.error;
        std::cout << "  VID " << std::hex << attributes.VendorID << " PID " << attributes.ProductID
                  << " version " << attributes.VersionNumber << std::dec << '\n';

        std::array<std::uint8_t, 201> text{};
        const auto strings =
            std::to_array<std::pair<const char *, PlatformResult (WindowsHidPlatform::*)(
                                                      PlatformHandle, std::span<std::uint8_t>)>>(
                {{"manufacturer", &WindowsHidPlatform::HidD_GetManufacturerString},
                 {"product", &WindowsHidPlatform::HidD_GetProductString},
                 {"serial", &WindowsHidPlatform::HidD_GetSerialNumberString}});
        for (const auto &[name, call] : strings) {
            text.fill(0);
            const PlatformResult got =
                (platform.*call)(feature, std::span(text).first(STRING_REQUEST_BYTES));
            std::cout << "  " << name << ": " << StringOrError(got, text) << '\n';
            // Never past the 100 bytes offered.
            EXPECT_TRUE(std::all_of(text.begin() + STRING_REQUEST_BYTES, text.end(),
                                    [](std::uint8_t b) { return b == 0; }));
        }
        text.fill(0);
        const PlatformResult marker = platform.HidD_GetIndexedString(
            feature, 42, std::span(text).first(STRING_REQUEST_BYTES));
        std::cout << "  string 42: " << StringOrError(marker, text) << '\n';

        PlatformHandle preparsed;
        const PlatformResult gotPreparsed = platform.HidD_GetPreparsedData(feature, preparsed);
        EXPECT_TRUE(gotPreparsed) << gotPreparsed.error;
        if (gotPreparsed) {
            const PlatformResult gotCaps = platform.HidP_GetCaps(preparsed, caps);
            EXPECT_TRUE(gotCaps) << gotCaps.error;
            std::cout << "  usage page " << caps.UsagePage << " usage " << caps.Usage << " input "
                      << caps.InputReportByteLength << " feature " << caps.FeatureReportByteLength
                      << " input value caps " << caps.NumberInputValueCaps << '\n';

            // Asked for more records than there is room for: one record at most, and the
            // guard record behind the span untouched.
            std::array<std::uint8_t, 2 * sizeof(HIDP_VALUE_CAPS)> records;
            records.fill(0xA5);
            std::uint16_t length = std::max<std::uint16_t>(caps.NumberInputValueCaps, 14);
            platform.HidP_GetValueCaps(HIDP_REPORT_TYPE::HidP_Input,
                                       std::span(records).first(sizeof(HIDP_VALUE_CAPS)), length,
                                       preparsed);
            EXPECT_LE(length, 1);
            EXPECT_TRUE(std::all_of(records.begin() + sizeof(HIDP_VALUE_CAPS), records.end(),
                                    [](std::uint8_t b) { return b == 0xA5; }));
            EXPECT_TRUE(platform.HidD_FreePreparsedData(preparsed));
        }
        EXPECT_TRUE(platform.CloseHandle(feature));
    }
    if (openedRead) {
        // Returns at once whatever the device has queued; what it returns is whole reports.
        std::vector<std::uint8_t> buffer(1000, 0);
        std::uint32_t bytesRead = 0;
        OVERLAPPED overlapped;
        ASSERT_TRUE(platform.CreateEventA(&security, true, true, "", overlapped.hEvent));
        const ReadResult result = platform.ReadFile(read, buffer, bytesRead, overlapped);
        std::cout << "  read: " << bytesRead << " bytes "
                  << (result.outcome == ReadOutcome::Reports         ? "reports"
                      : result.outcome == ReadOutcome::NothingQueued ? "nothing queued"
                                                                     : result.error)
                  << '\n';
        EXPECT_LE(bytesRead, buffer.size());
        if (result.outcome == ReadOutcome::Reports && caps.InputReportByteLength != 0) {
            EXPECT_EQ(bytesRead % caps.InputReportByteLength, 0u);
        }
        // A read that had to be cancelled has ended too: its event is set again.
        if (result.outcome == ReadOutcome::NothingQueued) {
            EXPECT_EQ(::WaitForSingleObject(reinterpret_cast<HANDLE>(overlapped.hEvent.value), 0),
                      WAIT_OBJECT_0);
        }
        EXPECT_TRUE(platform.CloseHandle(overlapped.hEvent));
        EXPECT_TRUE(platform.CloseHandle(read));
    }
}

TEST(WindowsEnumeration, EveryInterfaceOpensTwiceAndAnswersThroughTheRealServices)
{
    WindowsHidPlatform platform;
    InterfacePaths(platform); // the services' own first-use handles are not ours
    const DWORD handlesBefore = HandleCount();

    const std::vector<std::string> paths = InterfacePaths(platform);
    std::cout << paths.size() << " HID interface(s) present\n";
    for (const std::string &path : paths) {
        EXPECT_FALSE(path.empty());
        ProbeInterface(platform, path);
    }
    // The same interfaces in the same order on a second pass.
    EXPECT_EQ(InterfacePaths(platform), paths);
    EXPECT_EQ(HandleCount(), handlesBefore);
}

TEST(WindowsEnumeration, ScanVisitsEveryInterfaceListsNoBoardAndLeavesNothingOpen)
{
    TrackingPlatform platform;
    BoardConnection connection;
    ValueCapsArray valueCaps{};
    Discovery discovery{platform, connection, valueCaps};
    Scan_USB_devices(discovery);
    platform.openedPaths.clear();
    platform.openFlags.clear();
    const DWORD handlesBefore = HandleCount();

    EXPECT_TRUE(Scan_USB_devices(discovery).empty());
    // Each interface was opened once, as for features, in enumeration order.
    EXPECT_EQ(platform.openedPaths, InterfacePaths(platform.real));
    for (std::uint32_t flags : platform.openFlags)
        EXPECT_EQ(flags, 0u);
    EXPECT_TRUE(platform.openFiles.empty());
    EXPECT_TRUE(platform.openSets.empty());
    EXPECT_EQ(platform.closeFailures, 0);
    EXPECT_EQ(HandleCount(), handlesBefore);
}

TEST(WindowsEnumeration, SearchForAnAbsentBoardFailsAndLeavesNothingOpen)
{
    TrackingPlatform platform;
    BoardConnection connection;
    ValueCapsArray valueCaps{};
    Discovery discovery{platform, connection, valueCaps};
    FindTheHid(discovery, "no such board");
    const DWORD handlesBefore = HandleCount();

    const SearchResult result = FindTheHid(discovery, "no such board");
    EXPECT_FALSE(result.found);
    EXPECT_FALSE(connection.DeviceFound);
    EXPECT_FALSE(connection.ReadHandle.valid());
    EXPECT_TRUE(result.capabilitiesReport.empty());
    EXPECT_TRUE(platform.openFiles.empty());
    EXPECT_TRUE(platform.openSets.empty());
    EXPECT_TRUE(platform.openPreparsed.empty());
    EXPECT_EQ(HandleCount(), handlesBefore);
}

} // namespace
} // namespace tamo::device
