// SPDX-License-Identifier: GPL-3.0-or-later
// Forwards every operation to the real Windows backend and keeps what the code under test
// opened and closed through it, so a test can tell which interfaces it visited and whether it
// left anything open.
#pragma once

#include "hid_windows.h"

#include <set>
#include <string>
#include <vector>

namespace tamo::test {

class TrackingPlatform : public device::HidPlatform {
public:
    device::WindowsHidPlatform real;
    std::vector<std::string> openedPaths;
    std::vector<std::uint32_t> openFlags;
    std::set<std::uintptr_t> openFiles;
    std::set<std::uintptr_t> openSets;
    std::set<std::uintptr_t> openPreparsed;
    int closeFailures = 0;

    using PlatformResult = device::PlatformResult;
    using PlatformHandle = device::PlatformHandle;

    PlatformResult HidD_GetHidGuid(device::GUID &guid) override
    {
        return real.HidD_GetHidGuid(guid);
    }
    PlatformResult SetupDiGetClassDevsA(const device::GUID &classGuid, std::uint32_t flags,
                                        PlatformHandle &interfaceSet) override
    {
        PlatformResult result = real.SetupDiGetClassDevsA(classGuid, flags, interfaceSet);
        if (result)
            openSets.insert(interfaceSet.value);
        return result;
    }
    PlatformResult SetupDiEnumDeviceInterfaces(PlatformHandle interfaceSet,
                                               const device::GUID &classGuid,
                                               std::uint32_t memberIndex,
                                               device::SP_DEVICE_INTERFACE_DATA &data) override
    {
        return real.SetupDiEnumDeviceInterfaces(interfaceSet, classGuid, memberIndex, data);
    }
    PlatformResult SetupDiGetDeviceInterfaceDetailA(PlatformHandle interfaceSet,
                                                    const device::SP_DEVICE_INTERFACE_DATA &data,
                                                    std::span<std::uint8_t> detail,
                                                    std::uint32_t &requiredSize) override
    {
        return real.SetupDiGetDeviceInterfaceDetailA(interfaceSet, data, detail, requiredSize);
    }
    PlatformResult SetupDiDestroyDeviceInfoList(PlatformHandle interfaceSet) override
    {
        openSets.erase(interfaceSet.value);
        return real.SetupDiDestroyDeviceInfoList(interfaceSet);
    }
    PlatformResult CreateFileA(const std::string &path, std::uint32_t access, std::uint32_t share,
                               const device::SECURITY_ATTRIBUTES *security,
                               std::uint32_t disposition, std::uint32_t flags,
                               PlatformHandle &file) override
    {
        openedPaths.push_back(path);
        openFlags.push_back(flags);
        PlatformResult result =
            real.CreateFileA(path, access, share, security, disposition, flags, file);
        if (result)
            openFiles.insert(file.value);
        return result;
    }
    PlatformResult CloseHandle(PlatformHandle handle) override
    {
        PlatformResult result = real.CloseHandle(handle);
        if (result)
            openFiles.erase(handle.value);
        else
            ++closeFailures;
        return result;
    }
    PlatformResult CreateEventA(const device::SECURITY_ATTRIBUTES *security, bool manualReset,
                                bool initialState, const std::string &name,
                                PlatformHandle &event) override
    {
        return real.CreateEventA(security, manualReset, initialState, name, event);
    }
    device::ReadResult ReadFile(PlatformHandle file, std::span<std::uint8_t> buffer,
                                std::uint32_t &bytesRead, device::OVERLAPPED &overlapped) override
    {
        return real.ReadFile(file, buffer, bytesRead, overlapped);
    }
    PlatformResult HidD_GetAttributes(PlatformHandle device,
                                      device::HIDD_ATTRIBUTES &attributes) override
    {
        return real.HidD_GetAttributes(device, attributes);
    }
    PlatformResult HidD_GetIndexedString(PlatformHandle device, std::uint32_t index,
                                         std::span<std::uint8_t> buffer) override
    {
        return real.HidD_GetIndexedString(device, index, buffer);
    }
    PlatformResult HidD_GetSerialNumberString(PlatformHandle device,
                                              std::span<std::uint8_t> buffer) override
    {
        return real.HidD_GetSerialNumberString(device, buffer);
    }
    PlatformResult HidD_GetManufacturerString(PlatformHandle device,
                                              std::span<std::uint8_t> buffer) override
    {
        return real.HidD_GetManufacturerString(device, buffer);
    }
    PlatformResult HidD_GetProductString(PlatformHandle device,
                                         std::span<std::uint8_t> buffer) override
    {
        return real.HidD_GetProductString(device, buffer);
    }
    PlatformResult HidD_GetPreparsedData(PlatformHandle device,
                                         PlatformHandle &preparsedData) override
    {
        PlatformResult result = real.HidD_GetPreparsedData(device, preparsedData);
        if (result)
            openPreparsed.insert(preparsedData.value);
        return result;
    }
    PlatformResult HidD_FreePreparsedData(PlatformHandle preparsedData) override
    {
        openPreparsed.erase(preparsedData.value);
        return real.HidD_FreePreparsedData(preparsedData);
    }
    PlatformResult HidP_GetCaps(PlatformHandle preparsedData, device::HIDP_CAPS &caps) override
    {
        return real.HidP_GetCaps(preparsedData, caps);
    }
    using HidPlatform::HidP_GetValueCaps;
    PlatformResult HidP_GetValueCaps(device::HIDP_REPORT_TYPE type, std::span<std::uint8_t> records,
                                     std::uint16_t &length, PlatformHandle preparsedData) override
    {
        return real.HidP_GetValueCaps(type, records, length, preparsedData);
    }
    PlatformResult HidD_SetFeature(PlatformHandle device,
                                   std::span<const std::uint8_t> report) override
    {
        return real.HidD_SetFeature(device, report);
    }
    PlatformResult HidD_GetFeature(PlatformHandle device, std::span<std::uint8_t> report) override
    {
        return real.HidD_GetFeature(device, report);
    }
};

} // namespace tamo::test
