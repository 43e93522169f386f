// A platform backend over virtual HID devices, for tests and the demo. It behaves as the
// kernel's hidraw does where the tool can tell (numbered paths, one report queue per open
// handle, queued reports readable after an unplug, then failure), records every call that
// reaches it and fails calls on request.
#pragma once

#include "hid_platform.h"
#include "preparsed_data.h"
#include "virtual_device.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tamo::sim {

struct CallRecord {
    std::string operation;
    int device = -1; // -1 where the call reached no device
    std::vector<std::uint8_t> bytes;
    bool ok = false;
};

class VirtualHidPlatform : public device::HidPlatform {
public:
    using Clock = std::function<std::uint64_t()>;
    // Without a clock, real time drives streaming boards.
    explicit VirtualHidPlatform(Clock clock = {});
    ~VirtualHidPlatform() override;

    // Devices, numbered in the order added. A device is plugged in when added.
    int addDevice(VirtualDeviceDefinition definition);
    void unplug(int device);
    void plug(int device);
    bool isPlugged(int device) const;
    int deviceCount() const { return static_cast<int>(devices_.size()); }
    const VirtualDeviceDefinition &definition(int device) const;
    // The board behaviour of a device added as a board; null for a foreign device.
    BoardModel *board(int device);
    const device::HidCollectionCaps &caps(int device) const;
    // The path the device has while plugged in (a replug may give another number).
    std::string path(int device) const;

    // Feature reports the device received through HidD_SetFeature, oldest first.
    const std::vector<std::vector<std::uint8_t>> &featureReportsReceived(int device) const;
    void clearFeatureReportsReceived(int device);

    const std::vector<CallRecord> &calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    int countCalls(const std::string &operation, int device = -1) const;

    // File handles still open, on any device or on one.
    int openFileHandles() const;
    int openFileHandles(int device) const;
    int eventsCreated() const { return eventsCreated_; }
    int openPreparsedData() const { return static_cast<int>(preparsed_.size()); }

    // The next count calls of operation (on device, or on any device with -1) fail.
    void failNext(const std::string &operation, int count, int device = -1);

    // HidPlatform
    device::PlatformResult HidD_GetHidGuid(device::GUID &guid) override;
    device::PlatformResult SetupDiGetClassDevsA(const device::GUID &classGuid, std::uint32_t flags,
                                                device::PlatformHandle &interfaceSet) override;
    device::PlatformResult
    SetupDiEnumDeviceInterfaces(device::PlatformHandle interfaceSet, const device::GUID &classGuid,
                                std::uint32_t memberIndex,
                                device::SP_DEVICE_INTERFACE_DATA &interfaceData) override;
    device::PlatformResult SetupDiGetDeviceInterfaceDetailA(
        device::PlatformHandle interfaceSet, const device::SP_DEVICE_INTERFACE_DATA &interfaceData,
        std::span<std::uint8_t> detail, std::uint32_t &requiredSize) override;
    device::PlatformResult
    SetupDiDestroyDeviceInfoList(device::PlatformHandle interfaceSet) override;
    device::PlatformResult CreateFileA(const std::string &path, std::uint32_t desiredAccess,
                                       std::uint32_t shareMode,
                                       const device::SECURITY_ATTRIBUTES *securityAttributes,
                                       std::uint32_t creationDisposition,
                                       std::uint32_t flagsAndAttributes,
                                       device::PlatformHandle &file) override;
    device::PlatformResult CloseHandle(device::PlatformHandle handle) override;
    device::PlatformResult CreateEventA(const device::SECURITY_ATTRIBUTES *securityAttributes,
                                        bool manualReset, bool initialState,
                                        const std::string &name,
                                        device::PlatformHandle &event) override;
    device::ReadResult ReadFile(device::PlatformHandle file, std::span<std::uint8_t> buffer,
                                std::uint32_t &bytesRead, device::OVERLAPPED &overlapped) override;
    device::PlatformResult HidD_GetAttributes(device::PlatformHandle handle,
                                              device::HIDD_ATTRIBUTES &attributes) override;
    device::PlatformResult HidD_GetIndexedString(device::PlatformHandle handle,
                                                 std::uint32_t stringIndex,
                                                 std::span<std::uint8_t> buffer) override;
    device::PlatformResult HidD_GetSerialNumberString(device::PlatformHandle handle,
                                                      std::span<std::uint8_t> buffer) override;
    device::PlatformResult HidD_GetManufacturerString(device::PlatformHandle handle,
                                                      std::span<std::uint8_t> buffer) override;
    device::PlatformResult HidD_GetProductString(device::PlatformHandle handle,
                                                 std::span<std::uint8_t> buffer) override;
    device::PlatformResult HidD_GetPreparsedData(device::PlatformHandle handle,
                                                 device::PlatformHandle &preparsedData) override;
    device::PlatformResult HidD_FreePreparsedData(device::PlatformHandle preparsedData) override;
    device::PlatformResult HidP_GetCaps(device::PlatformHandle preparsedData,
                                        device::HIDP_CAPS &caps) override;
    device::PlatformResult HidP_GetValueCaps(device::HIDP_REPORT_TYPE reportType,
                                             std::span<std::uint8_t> records, std::uint16_t &length,
                                             device::PlatformHandle preparsedData) override;
    using device::HidPlatform::HidP_GetValueCaps;
    device::PlatformResult HidD_SetFeature(device::PlatformHandle handle,
                                           std::span<const std::uint8_t> report) override;
    device::PlatformResult HidD_GetFeature(device::PlatformHandle handle,
                                           std::span<std::uint8_t> report) override;

private:
    struct Device;
    struct OpenFile;
    struct InterfaceSet;

    std::uint64_t now() const;
    int nextNodeNumber() const;
    void pumpInputReports();
    bool consumeFault(const std::string &operation, int device);
    device::PlatformResult record(const std::string &operation, int device,
                                  device::PlatformResult result,
                                  std::vector<std::uint8_t> bytes = {});
    // The open, still connected device behind a file handle, or an error text.
    OpenFile *findFile(device::PlatformHandle handle);
    device::PlatformResult
    stringRequest(const std::string &operation, device::PlatformHandle handle,
                  std::span<std::uint8_t> buffer,
                  const std::function<const std::u16string *(Device &)> &pick);
    device::PlatformHandle newHandle() { return device::PlatformHandle{nextHandle_++}; }

    Clock clock_;
    std::vector<std::unique_ptr<Device>> devices_;
    std::map<std::uintptr_t, OpenFile> files_;
    std::map<std::uintptr_t, InterfaceSet> sets_;
    std::map<std::uintptr_t, bool> events_;
    device::PreparsedDataTable preparsed_;
    std::vector<CallRecord> calls_;
    struct Fault {
        std::string operation;
        int device;
        int remaining;
    };
    std::vector<Fault> faults_;
    std::uintptr_t nextHandle_ = 0x1000;
    int eventsCreated_ = 0;
};

} // namespace tamo::sim
