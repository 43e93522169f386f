// SPDX-License-Identifier: GPL-3.0-or-later
// The HID platform over the Windows HID class, device-setup and kernel services: every
// operation forwards to the service of the same name, with our records converted to the
// platform's own at each call. The platform headers stay inside hid_windows.cpp.
#pragma once

#include "hid_platform.h"

#include <cstdint>
#include <map>
#include <memory>

namespace tamo::device {

class WindowsHidPlatform : public HidPlatform {
public:
    WindowsHidPlatform();
    ~WindowsHidPlatform() override;
    WindowsHidPlatform(const WindowsHidPlatform &) = delete;
    WindowsHidPlatform &operator=(const WindowsHidPlatform &) = delete;

    // The configuration manager's notifications for the HID interface class.
    std::unique_ptr<DeviceChangeSource> WatchDeviceChanges() override;

    PlatformResult HidD_GetHidGuid(GUID &guid) override;
    PlatformResult SetupDiGetClassDevsA(const GUID &classGuid, std::uint32_t flags,
                                        PlatformHandle &interfaceSet) override;
    PlatformResult SetupDiEnumDeviceInterfaces(PlatformHandle interfaceSet, const GUID &classGuid,
                                               std::uint32_t memberIndex,
                                               SP_DEVICE_INTERFACE_DATA &interfaceData) override;
    PlatformResult SetupDiGetDeviceInterfaceDetailA(PlatformHandle interfaceSet,
                                                    const SP_DEVICE_INTERFACE_DATA &interfaceData,
                                                    std::span<std::uint8_t> detail,
                                                    std::uint32_t &requiredSize) override;
    PlatformResult SetupDiDestroyDeviceInfoList(PlatformHandle interfaceSet) override;

    // An overlapped open also learns the handle's input report length, which ReadFile needs
    // to drain the queue one report at a time.
    PlatformResult CreateFileA(const std::string &path, std::uint32_t desiredAccess,
                               std::uint32_t shareMode,
                               const SECURITY_ATTRIBUTES *securityAttributes,
                               std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes,
                               PlatformHandle &file) override;
    PlatformResult CloseHandle(PlatformHandle handle) override;
    PlatformResult CreateEventA(const SECURITY_ATTRIBUTES *securityAttributes, bool manualReset,
                                bool initialState, const std::string &name,
                                PlatformHandle &event) override;
    // Windows completes one report per read: reads are repeated while they complete at once
    // and another whole report fits. A read that would wait is cancelled and its completion
    // awaited, so no read outlives the call.
    // With a wait armed (WaitForInput), the report of the pending read comes first, and the
    // read is armed again before the call returns.
    ReadResult ReadFile(PlatformHandle file, std::span<std::uint8_t> buffer,
                        std::uint32_t &bytesRead, OVERLAPPED &overlapped) override;
    // An overlapped read kept pending on file, into the backend's own buffer, with an event of
    // its own that the system signals when a report lands or the device goes.
    InputWait WaitForInput(PlatformHandle file) override;

    PlatformResult HidD_GetAttributes(PlatformHandle device, HIDD_ATTRIBUTES &attributes) override;
    PlatformResult HidD_GetIndexedString(PlatformHandle device, std::uint32_t stringIndex,
                                         std::span<std::uint8_t> buffer) override;
    PlatformResult HidD_GetSerialNumberString(PlatformHandle device,
                                              std::span<std::uint8_t> buffer) override;
    PlatformResult HidD_GetManufacturerString(PlatformHandle device,
                                              std::span<std::uint8_t> buffer) override;
    PlatformResult HidD_GetProductString(PlatformHandle device,
                                         std::span<std::uint8_t> buffer) override;
    PlatformResult HidD_GetPreparsedData(PlatformHandle device,
                                         PlatformHandle &preparsedData) override;
    PlatformResult HidD_FreePreparsedData(PlatformHandle preparsedData) override;
    PlatformResult HidP_GetCaps(PlatformHandle preparsedData, HIDP_CAPS &caps) override;
    using HidPlatform::HidP_GetValueCaps;
    PlatformResult HidP_GetValueCaps(HIDP_REPORT_TYPE reportType, std::span<std::uint8_t> records,
                                     std::uint16_t &length, PlatformHandle preparsedData) override;
    PlatformResult HidD_SetFeature(PlatformHandle device,
                                   std::span<const std::uint8_t> report) override;
    PlatformResult HidD_GetFeature(PlatformHandle device, std::span<std::uint8_t> report) override;

    // The length of one input report on file, for a handle that delivers one message per read
    // but has no HID capabilities to learn it from (a pipe standing in for a board).
    void setInputReportLength(PlatformHandle file, std::uint16_t length);

private:
    struct PendingRead;

    // Input report length per overlapped handle; a handle without one is read once per call.
    std::map<std::uintptr_t, std::uint16_t> inputReportLength_;
    std::map<std::uintptr_t, std::unique_ptr<PendingRead>> pendingReads_;
};

} // namespace tamo::device
