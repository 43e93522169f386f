// The HID platform over Linux hidraw: enumeration from sysfs, feature reports and the
// descriptor through hidraw ioctls, identity strings from sysfs (or the USB device itself for
// indexed strings), and the descriptor parser in place of a HID parser service.
#pragma once

#include "hid_platform.h"
#include "hidraw_read.h"
#include "linux_sysfs.h"
#include "preparsed_data.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tamo::device {

class LinuxHidPlatform : public HidPlatform {
public:
    // The roots are parameters so that a test can stand up a sysfs tree and device nodes
    // of its own; paths handed out are <devRoot>/hidrawN.
    explicit LinuxHidPlatform(std::filesystem::path sysfsRoot = "/sys",
                              std::filesystem::path devRoot = "/dev");
    ~LinuxHidPlatform() override;
    LinuxHidPlatform(const LinuxHidPlatform &) = delete;
    LinuxHidPlatform &operator=(const LinuxHidPlatform &) = delete;

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

    PlatformResult CreateFileA(const std::string &path, std::uint32_t desiredAccess,
                               std::uint32_t shareMode,
                               const SECURITY_ATTRIBUTES *securityAttributes,
                               std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes,
                               PlatformHandle &file) override;
    PlatformResult CloseHandle(PlatformHandle handle) override;
    PlatformResult CreateEventA(const SECURITY_ATTRIBUTES *securityAttributes, bool manualReset,
                                bool initialState, const std::string &name,
                                PlatformHandle &event) override;
    ReadResult ReadFile(PlatformHandle file, std::span<std::uint8_t> buffer,
                        std::uint32_t &bytesRead, OVERLAPPED &overlapped) override;

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

private:
    struct OpenFile {
        int fd = -1;
        std::string path;
        std::string nodeName; // hidrawN, the node's name under /sys/class/hidraw
        std::optional<InputReportFormat> inputFormat; // learnt at open or at the first read
    };
    struct Event {};
    struct InterfaceSet {
        std::vector<std::string> nodes;
    };
    using Object = std::variant<OpenFile, Event, InterfaceSet>;

    PlatformHandle add(Object object);
    static PlatformResult LearnInputFormat(OpenFile &open);
    template<typename T>
    T *find(PlatformHandle handle);
    PlatformResult sysfsString(PlatformHandle device, std::span<std::uint8_t> buffer,
                               const char *call, const char *what,
                               std::optional<std::string> (*pick)(const HidrawSysfs &));

    std::filesystem::path sysfsRoot_;
    std::filesystem::path devRoot_;
    std::map<std::uintptr_t, Object> objects_;
    std::uintptr_t nextHandle_;
    PreparsedDataTable preparsed_;
};

} // namespace tamo::device
