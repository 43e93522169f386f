// SPDX-License-Identifier: GPL-3.0-or-later
// The platform contract for systems without the Windows services: handle tables, interface
// sets, detail records, events and preparsed data, kept here once. A backend supplies only
// what its system does natively (list the HID nodes, open one, move reports and strings,
// give the report descriptor's first collection).
#pragma once

#include "hid_platform.h"
#include "preparsed_data.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tamo::device {

// A backend's number for a device, for backends that can tell devices apart across calls.
inline constexpr int NO_DEVICE = -1;

// One present HID interface as a backend lists it.
struct HidNode {
    std::string path;
    int device = NO_DEVICE;
};

// What a backend keeps for one open file; each backend derives its own.
class NodeFile {
public:
    virtual ~NodeFile() = default;
};

enum class HidStringKind { Indexed, SerialNumber, Manufacturer, Product };

// The operation that requests a string of this kind, e.g. "HidD_GetProductString".
const char *StringOperation(HidStringKind kind);

class EmulatedHidPlatform : public HidPlatform {
public:
    ~EmulatedHidPlatform() override;
    EmulatedHidPlatform(const EmulatedHidPlatform &) = delete;
    EmulatedHidPlatform &operator=(const EmulatedHidPlatform &) = delete;

    // Every operation of the seam by name, and whether a call of it reaches one device (and so
    // can fail for that device alone) or the system as a whole.
    static bool IsOperation(std::string_view operation);
    static bool ReachesOneDevice(std::string_view operation);

    PlatformResult HidD_GetHidGuid(GUID &guid) final;
    PlatformResult SetupDiGetClassDevsA(const GUID &classGuid, std::uint32_t flags,
                                        PlatformHandle &interfaceSet) final;
    PlatformResult SetupDiEnumDeviceInterfaces(PlatformHandle interfaceSet, const GUID &classGuid,
                                               std::uint32_t memberIndex,
                                               SP_DEVICE_INTERFACE_DATA &interfaceData) final;
    PlatformResult SetupDiGetDeviceInterfaceDetailA(PlatformHandle interfaceSet,
                                                    const SP_DEVICE_INTERFACE_DATA &interfaceData,
                                                    std::span<std::uint8_t> detail,
                                                    std::uint32_t &requiredSize) final;
    PlatformResult SetupDiDestroyDeviceInfoList(PlatformHandle interfaceSet) final;

    PlatformResult CreateFileA(const std::string &path, std::uint32_t desiredAccess,
                               std::uint32_t shareMode,
                               const SECURITY_ATTRIBUTES *securityAttributes,
                               std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes,
                               PlatformHandle &file) final;
    PlatformResult CloseHandle(PlatformHandle handle) final;
    PlatformResult CreateEventA(const SECURITY_ATTRIBUTES *securityAttributes, bool manualReset,
                                bool initialState, const std::string &name,
                                PlatformHandle &event) final;
    ReadResult ReadFile(PlatformHandle file, std::span<std::uint8_t> buffer,
                        std::uint32_t &bytesRead, OVERLAPPED &overlapped) final;

    PlatformResult HidD_GetAttributes(PlatformHandle device, HIDD_ATTRIBUTES &attributes) final;
    PlatformResult HidD_GetIndexedString(PlatformHandle device, std::uint32_t stringIndex,
                                         std::span<std::uint8_t> buffer) final;
    PlatformResult HidD_GetSerialNumberString(PlatformHandle device,
                                              std::span<std::uint8_t> buffer) final;
    PlatformResult HidD_GetManufacturerString(PlatformHandle device,
                                              std::span<std::uint8_t> buffer) final;
    PlatformResult HidD_GetProductString(PlatformHandle device,
                                         std::span<std::uint8_t> buffer) final;
    PlatformResult HidD_GetPreparsedData(PlatformHandle device,
                                         PlatformHandle &preparsedData) final;
    PlatformResult HidD_FreePreparsedData(PlatformHandle preparsedData) final;
    PlatformResult HidP_GetCaps(PlatformHandle preparsedData, HIDP_CAPS &caps) final;
    using HidPlatform::HidP_GetValueCaps;
    PlatformResult HidP_GetValueCaps(HIDP_REPORT_TYPE reportType, std::span<std::uint8_t> records,
                                     std::uint16_t &length, PlatformHandle preparsedData) final;
    PlatformResult HidD_SetFeature(PlatformHandle device,
                                   std::span<const std::uint8_t> report) final;
    PlatformResult HidD_GetFeature(PlatformHandle device, std::span<std::uint8_t> report) final;

    InputWait WaitForInput(PlatformHandle file) final;
    void NotifyInput(PlatformHandle file, std::function<void()> ready) final;

protected:
    EmulatedHidPlatform() = default;

    // What each backend does natively. file is always one that openNode made.
    // The present HID interfaces in a stable order.
    virtual PlatformResult listNodes(std::vector<HidNode> &nodes) = 0;
    // device names the device that the path leads to, also when opening fails.
    virtual PlatformResult openNode(const std::string &path, std::uint32_t desiredAccess,
                                    bool overlapped, std::unique_ptr<NodeFile> &file,
                                    int &device) = 0;
    // The file is released whatever the result says.
    virtual PlatformResult closeNode(NodeFile &file);
    // Whole input reports as ReadFile delivers them.
    virtual ReadResult readReports(NodeFile &file, std::span<std::uint8_t> buffer,
                                   std::uint32_t &bytesRead) = 0;
    virtual PlatformResult attributes(NodeFile &file, HIDD_ATTRIBUTES &attributes) = 0;
    // Zero-terminated UTF-16LE from byte 0, never past buffer's end; stringIndex only for
    // HidStringKind::Indexed.
    virtual PlatformResult string(NodeFile &file, HidStringKind kind, std::uint32_t stringIndex,
                                  std::span<std::uint8_t> buffer) = 0;
    // The capabilities of the report descriptor's first top-level collection.
    virtual PlatformResult collection(NodeFile &file, HidCollectionCaps &collection) = 0;
    virtual PlatformResult setFeature(NodeFile &file, std::span<const std::uint8_t> report) = 0;
    virtual PlatformResult getFeature(NodeFile &file, std::span<std::uint8_t> report) = 0;
    // What tells that a read of file would return at once; nothing by default.
    virtual InputWait inputWait(NodeFile &file);
    // For a backend whose wait is Notify.
    virtual void notifyInput(NodeFile &file, std::function<void()> ready);

    // Every call passes here before it acts, with the device it reaches (NO_DEVICE for a call
    // on the system as a whole): a result makes the call fail with it, as a test asks.
    virtual std::optional<PlatformResult> injectedFault(std::string_view operation, int device);
    // ...and here when it returns, with the bytes it moved (the report sent, the report,
    // string or input reports received).
    virtual void completed(std::string_view operation, int device, const PlatformResult &result,
                           std::span<const std::uint8_t> bytes);

    // Open files, on every device or on one.
    int openFileCount(int device = NO_DEVICE) const;
    void forEachOpenFile(const std::function<void(NodeFile &, int device)> &visit);
    std::size_t preparsedDataCount() const { return preparsed_.size(); }

private:
    struct OpenFile {
        std::unique_ptr<NodeFile> node;
        int device = NO_DEVICE;
    };
    struct Event {};
    struct InterfaceSet {
        std::vector<HidNode> nodes;
    };
    using Object = std::variant<OpenFile, Event, InterfaceSet>;

    PlatformHandle add(Object object);
    template<typename T>
    T *find(PlatformHandle handle);
    PlatformResult finish(std::string_view operation, int device, PlatformResult result,
                          std::span<const std::uint8_t> bytes = {});
    PlatformResult stringRequest(PlatformHandle device, HidStringKind kind,
                                 std::uint32_t stringIndex, std::span<std::uint8_t> buffer);
    int preparsedDevice(PlatformHandle preparsedData) const;

    std::map<std::uintptr_t, Object> objects_;
    std::uintptr_t nextHandle_ = 0x10000;
    PreparsedDataTable preparsed_;
    std::map<std::uintptr_t, int> preparsedDevice_;
};

} // namespace tamo::device
