// SPDX-License-Identifier: GPL-3.0-or-later
// The one seam between the tool and the operating system's HID services. Each operation keeps
// the name of the platform service it stands for; one implementation per platform
// (hid_linux.cpp, hid_windows.cpp) and the virtual boards of sim/.
#pragma once

#include "device_changes.h"
#include "hid_records.h"
#include "input_wait.h"
#include "platform_result.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace tamo::device {

class HidPlatform {
public:
    virtual ~HidPlatform() = default;

    // Device setup: each present HID interface once, in a stable order, with its path.
    virtual PlatformResult HidD_GetHidGuid(GUID &guid) = 0;
    virtual PlatformResult SetupDiGetClassDevsA(const GUID &classGuid, std::uint32_t flags,
                                                PlatformHandle &interfaceSet) = 0;
    // Fails (for any reason, including "no more items") past the last interface.
    virtual PlatformResult SetupDiEnumDeviceInterfaces(PlatformHandle interfaceSet,
                                                       const GUID &classGuid,
                                                       std::uint32_t memberIndex,
                                                       SP_DEVICE_INTERFACE_DATA &interfaceData) = 0;
    // detail empty: a size query that sets requiredSize. Otherwise the detail record
    // (32-bit cbSize, which must be DETAIL_DATA_FIXED_SIZE, then the zero-terminated path at
    // DETAIL_DATA_PATH_OFFSET) is written into detail, never past its end.
    virtual PlatformResult SetupDiGetDeviceInterfaceDetailA(
        PlatformHandle interfaceSet, const SP_DEVICE_INTERFACE_DATA &interfaceData,
        std::span<std::uint8_t> detail, std::uint32_t &requiredSize) = 0;
    virtual PlatformResult SetupDiDestroyDeviceInfoList(PlatformHandle interfaceSet) = 0;

    // Kernel services. One path may be open twice at once.
    virtual PlatformResult CreateFileA(const std::string &path, std::uint32_t desiredAccess,
                                       std::uint32_t shareMode,
                                       const SECURITY_ATTRIBUTES *securityAttributes,
                                       std::uint32_t creationDisposition,
                                       std::uint32_t flagsAndAttributes, PlatformHandle &file) = 0;
    virtual PlatformResult CloseHandle(PlatformHandle handle) = 0;
    virtual PlatformResult CreateEventA(const SECURITY_ATTRIBUTES *securityAttributes,
                                        bool manualReset, bool initialState,
                                        const std::string &name, PlatformHandle &event) = 0;
    // Returns at once with every whole input report queued since the last read, oldest
    // first, as many as fit in buffer; the outcome tells reports, nothing queued and failure
    // apart.
    virtual ReadResult ReadFile(PlatformHandle file, std::span<std::uint8_t> buffer,
                                std::uint32_t &bytesRead, OVERLAPPED &overlapped) = 0;

    // HID class services. Strings arrive as zero-terminated UTF-16LE from byte 0, never
    // written past buffer's end.
    virtual PlatformResult HidD_GetAttributes(PlatformHandle device,
                                              HIDD_ATTRIBUTES &attributes) = 0;
    virtual PlatformResult HidD_GetIndexedString(PlatformHandle device, std::uint32_t stringIndex,
                                                 std::span<std::uint8_t> buffer) = 0;
    virtual PlatformResult HidD_GetSerialNumberString(PlatformHandle device,
                                                      std::span<std::uint8_t> buffer) = 0;
    virtual PlatformResult HidD_GetManufacturerString(PlatformHandle device,
                                                      std::span<std::uint8_t> buffer) = 0;
    virtual PlatformResult HidD_GetProductString(PlatformHandle device,
                                                 std::span<std::uint8_t> buffer) = 0;
    virtual PlatformResult HidD_GetPreparsedData(PlatformHandle device,
                                                 PlatformHandle &preparsedData) = 0;
    virtual PlatformResult HidD_FreePreparsedData(PlatformHandle preparsedData) = 0;
    virtual PlatformResult HidP_GetCaps(PlatformHandle preparsedData, HIDP_CAPS &caps) = 0;
    // records holds whole 72-byte HIDP_VALUE_CAPS records; length is the record count in
    // (clamped to what records can hold) and the number written out.
    virtual PlatformResult HidP_GetValueCaps(HIDP_REPORT_TYPE reportType,
                                             std::span<std::uint8_t> records, std::uint16_t &length,
                                             PlatformHandle preparsedData) = 0;
    // Byte 0 of the buffer is the report ID; the whole buffer travels as one feature report.
    virtual PlatformResult HidD_SetFeature(PlatformHandle device,
                                           std::span<const std::uint8_t> report) = 0;
    virtual PlatformResult HidD_GetFeature(PlatformHandle device,
                                           std::span<std::uint8_t> report) = 0;

    // The platform's notifications of interfaces that come, go or change access. A backend
    // without them answers every question yes.
    virtual std::unique_ptr<DeviceChangeSource> WatchDeviceChanges()
    {
        return std::make_unique<AlwaysChanged>();
    }

    // What to wait on until a ReadFile of file (a read handle) would return at once. An Event
    // wait keeps a read pending in the backend from this call until the handle is closed; its
    // report is the first that the next ReadFile returns. The wait ends with the handle.
    virtual InputWait WaitForInput(PlatformHandle) { return {}; }
    // For a Notify wait: ready is called each time reports are queued on file or its device
    // goes, until it is replaced, cleared with an empty function, or the handle is closed.
    virtual void NotifyInput(PlatformHandle, std::function<void()>) {}

    // The typed form of the value-capabilities query.
    PlatformResult HidP_GetValueCaps(HIDP_REPORT_TYPE reportType,
                                     std::span<HIDP_VALUE_CAPS> records, std::uint16_t &length,
                                     PlatformHandle preparsedData)
    {
        return HidP_GetValueCaps(
            reportType,
            std::span<std::uint8_t>(reinterpret_cast<std::uint8_t *>(records.data()),
                                    records.size_bytes()),
            length, preparsedData);
    }
};

// The kernel's memory move, kept under its platform name because the enumeration writes the
// detail record's size field with it.
inline void RtlMoveMemory(void *destination, const void *source, std::size_t length)
{
    std::memmove(destination, source, length);
}

} // namespace tamo::device
