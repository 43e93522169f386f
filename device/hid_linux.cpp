#include "hid_linux.h"

#include "debug_log.h"
#include "errno_text.h"
#include "native_platform.h"
#include "report_descriptor.h"
#include "usb_string_descriptor.h"
#include "usbdevfs_string.h"
#include "utf16_buffer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tamo::device {

namespace fs = std::filesystem;

namespace {

// Well away from the preparsed-data handles (which count from 1), so that a handle of the
// wrong kind is refused instead of meaning something else.
constexpr std::uintptr_t FIRST_HANDLE = 0x10000;
// The largest length that the hidraw feature ioctls can encode (14 size bits).
constexpr std::size_t MAX_FEATURE_LENGTH = (1u << _IOC_SIZEBITS) - 1;
constexpr std::uint32_t SPINT_ACTIVE = 1;

PlatformResult Failure(std::string_view call, std::string_view why)
{
    std::string text(call);
    text += ": ";
    text += why;
    return PlatformResult::failure(std::move(text));
}

PlatformResult Ioctl(int fd, unsigned long request, void *argument, const char *name, int &returned)
{
    do {
        returned = ::ioctl(fd, request, argument);
    } while (returned < 0 && errno == EINTR);
    if (returned < 0)
        return PlatformResult::failure(ErrnoText(std::string("ioctl(") + name + ")", errno));
    return PlatformResult::success();
}

PlatformResult FetchDescriptor(int fd, std::vector<std::uint8_t> &descriptor)
{
    int size = 0;
    int returned = 0;
    if (auto result = Ioctl(fd, HIDIOCGRDESCSIZE, &size, "HIDIOCGRDESCSIZE", returned); !result)
        return result;
    hidraw_report_descriptor raw{};
    raw.size = static_cast<std::uint32_t>(std::clamp(size, 0, HID_MAX_DESCRIPTOR_SIZE));
    if (auto result = Ioctl(fd, HIDIOCGRDESC, &raw, "HIDIOCGRDESC", returned); !result)
        return result;
    const std::size_t length = std::min<std::size_t>(raw.size, sizeof raw.value);
    descriptor.assign(raw.value, raw.value + length);
    return PlatformResult::success();
}

// A descriptor that our parser faults but that still yields a top-level collection is used:
// the kernel accepted it and drives the board, and the diagnostic shows what was understood.
// The fault goes to the debug log, since a successful result carries no text.
PlatformResult FirstCollection(const std::string &path, std::span<const std::uint8_t> descriptor,
                               HidCollectionCaps &collection)
{
    DescriptorParse parse = ParseReportDescriptor(descriptor);
    if (parse.collections.empty())
        return Failure("HidD_GetPreparsedData(" + path + ")",
                       parse.ok() ? "no top-level collection" : parse.error);
    if (!parse.ok())
        DebugLog("report descriptor of " + path
                 + " partly parsed, first collection used: " + parse.error);
    collection = std::move(parse.collections.front());
    return PlatformResult::success();
}

} // namespace

std::unique_ptr<HidPlatform> CreateNativeHidPlatform()
{
    return std::make_unique<LinuxHidPlatform>();
}

LinuxHidPlatform::LinuxHidPlatform(fs::path sysfsRoot, fs::path devRoot)
    : sysfsRoot_(std::move(sysfsRoot))
    , devRoot_(std::move(devRoot))
    , nextHandle_(FIRST_HANDLE)
{}

LinuxHidPlatform::~LinuxHidPlatform()
{
    for (auto &[value, object] : objects_) {
        if (const auto *file = std::get_if<OpenFile>(&object))
            ::close(file->fd);
    }
}

PlatformHandle LinuxHidPlatform::add(Object object)
{
    const PlatformHandle handle{nextHandle_++};
    objects_.emplace(handle.value, std::move(object));
    return handle;
}

template<typename T>
T *LinuxHidPlatform::find(PlatformHandle handle)
{
    const auto found = objects_.find(handle.value);
    return found == objects_.end() ? nullptr : std::get_if<T>(&found->second);
}

PlatformResult LinuxHidPlatform::HidD_GetHidGuid(GUID &guid)
{
    guid = HID_INTERFACE_CLASS_GUID;
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::SetupDiGetClassDevsA(const GUID &classGuid, std::uint32_t,
                                                      PlatformHandle &interfaceSet)
{
    interfaceSet = {};
    InterfaceSet set;
    // Another class has no members here, as on a system with no such devices.
    if (classGuid == HID_INTERFACE_CLASS_GUID) {
        std::string error;
        set.nodes = ListHidrawNodes(sysfsRoot_, error);
        if (!error.empty())
            return Failure("SetupDiGetClassDevsA", error);
    }
    interfaceSet = add(std::move(set));
    return PlatformResult::success();
}

PlatformResult
LinuxHidPlatform::SetupDiEnumDeviceInterfaces(PlatformHandle interfaceSet, const GUID &classGuid,
                                              std::uint32_t memberIndex,
                                              SP_DEVICE_INTERFACE_DATA &interfaceData)
{
    constexpr const char *CALL = "SetupDiEnumDeviceInterfaces";
    const InterfaceSet *set = find<InterfaceSet>(interfaceSet);
    if (set == nullptr)
        return Failure(CALL, "invalid interface set");
    if (interfaceData.cbSize != SP_DEVICE_INTERFACE_DATA_SIZE)
        return Failure(CALL, "invalid record size");
    if (memberIndex >= set->nodes.size())
        return Failure(CALL, "no more items");
    interfaceData.InterfaceClassGuid = classGuid;
    interfaceData.Flags = SPINT_ACTIVE;
    // The member's index + 1, so that a record never filled in here is refused later.
    interfaceData.Reserved = std::uintptr_t{memberIndex} + 1;
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::SetupDiGetDeviceInterfaceDetailA(
    PlatformHandle interfaceSet, const SP_DEVICE_INTERFACE_DATA &interfaceData,
    std::span<std::uint8_t> detail, std::uint32_t &requiredSize)
{
    constexpr const char *CALL = "SetupDiGetDeviceInterfaceDetailA";
    const InterfaceSet *set = find<InterfaceSet>(interfaceSet);
    if (set == nullptr)
        return Failure(CALL, "invalid interface set");
    if (interfaceData.Reserved == 0 || interfaceData.Reserved > set->nodes.size())
        return Failure(CALL, "interface record not from this set");
    const std::string path = (devRoot_ / set->nodes[interfaceData.Reserved - 1]).string();
    const std::size_t needed = DETAIL_DATA_PATH_OFFSET + path.size() + 1;
    requiredSize = static_cast<std::uint32_t>(needed);
    if (detail.empty())
        return Failure(CALL, "insufficient buffer"); // the size query, as the caller expects
    std::uint32_t cbSize = 0;
    if (detail.size() < sizeof cbSize)
        return Failure(CALL, "insufficient buffer");
    std::memcpy(&cbSize, detail.data(), sizeof cbSize);
    if (cbSize != DETAIL_DATA_FIXED_SIZE)
        return Failure(CALL, "invalid record size " + std::to_string(cbSize));
    if (detail.size() < needed)
        return Failure(CALL, "insufficient buffer");
    std::memcpy(detail.data() + DETAIL_DATA_PATH_OFFSET, path.c_str(), path.size() + 1);
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::SetupDiDestroyDeviceInfoList(PlatformHandle interfaceSet)
{
    if (find<InterfaceSet>(interfaceSet) == nullptr)
        return Failure("SetupDiDestroyDeviceInfoList", "invalid interface set");
    objects_.erase(interfaceSet.value);
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::LearnInputFormat(OpenFile &open)
{
    std::vector<std::uint8_t> descriptor;
    HidCollectionCaps collection;
    PlatformResult fetched = FetchDescriptor(open.fd, descriptor);
    if (fetched)
        fetched = FirstCollection(open.path, descriptor, collection);
    if (!fetched)
        return fetched;
    // Only the first collection's length is known to the caller, so a longer report of
    // another collection is cut to it.
    open.inputFormat = InputReportFormat{collection.caps.InputReportByteLength,
                                         DescriptorUsesReportIds(descriptor)};
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::CreateFileA(const std::string &path, std::uint32_t, std::uint32_t,
                                             const SECURITY_ATTRIBUTES *,
                                             std::uint32_t creationDisposition,
                                             std::uint32_t flagsAndAttributes, PlatformHandle &file)
{
    file = {};
    if (creationDisposition != OPEN_EXISTING)
        return Failure("CreateFileA(" + path + ")", "only existing devices can be opened");
    // Access is always read-write: every handle of the tool sends or receives reports. The
    // kernel lets several files share one hidraw node, which is all that sharing needs.
    int flags = O_RDWR | O_CLOEXEC;
    if (flagsAndAttributes & FILE_FLAG_OVERLAPPED)
        flags |= O_NONBLOCK;
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        PlatformResult result = PlatformResult::failure(ErrnoText("open(" + path + ")", error));
        DebugLog("skipping " + path + ": " + result.error
                 + (error == EACCES ? " (is the udev rule 70-tamo.rules installed?)" : ""));
        return result;
    }
    OpenFile open{fd, path, fs::path(path).filename().string(), std::nullopt};
    // A read handle learns its report format now, while the device is surely there: reports
    // queued before an unplug can then still be read after it.
    if (flagsAndAttributes & FILE_FLAG_OVERLAPPED)
        LearnInputFormat(open);
    file = add(std::move(open));
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::CloseHandle(PlatformHandle handle)
{
    const auto found = objects_.find(handle.value);
    if (found == objects_.end() || std::holds_alternative<InterfaceSet>(found->second))
        return Failure("CloseHandle", "invalid handle");
    int error = 0;
    if (const auto *file = std::get_if<OpenFile>(&found->second)) {
        // The descriptor is gone even when close() reports an error, so it is never retried.
        if (::close(file->fd) != 0)
            error = errno;
    }
    objects_.erase(found);
    if (error != 0 && error != EINTR)
        return PlatformResult::failure(ErrnoText("close", error));
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::CreateEventA(const SECURITY_ATTRIBUTES *, bool, bool,
                                              const std::string &, PlatformHandle &event)
{
    // Reads complete inside ReadFile, so nothing ever waits on the event: it only has to be
    // a distinct handle that CloseHandle accepts.
    event = add(Event{});
    return PlatformResult::success();
}

ReadResult LinuxHidPlatform::ReadFile(PlatformHandle file, std::span<std::uint8_t> buffer,
                                      std::uint32_t &bytesRead, OVERLAPPED &overlapped)
{
    bytesRead = 0;
    OpenFile *open = find<OpenFile>(file);
    if (open == nullptr) {
        ReadResult result;
        result.error = "ReadFile: invalid handle";
        return result;
    }
    if (!open->inputFormat) {
        PlatformResult learnt = LearnInputFormat(*open);
        if (!learnt) {
            ReadResult result;
            static_cast<PlatformResult &>(result) = std::move(learnt);
            return result;
        }
    }
    ReadResult result =
        DrainInputReports(open->fd, open->path, *open->inputFormat, buffer, bytesRead);
    overlapped.Internal = result.ok ? 0 : 1;
    overlapped.InternalHigh = bytesRead;
    return result;
}

PlatformResult LinuxHidPlatform::HidD_GetAttributes(PlatformHandle device,
                                                    HIDD_ATTRIBUTES &attributes)
{
    const OpenFile *open = find<OpenFile>(device);
    if (open == nullptr)
        return Failure("HidD_GetAttributes", "invalid handle");
    hidraw_devinfo info{};
    int returned = 0;
    if (auto result = Ioctl(open->fd, HIDIOCGRAWINFO, &info, "HIDIOCGRAWINFO", returned); !result)
        return result;
    attributes.Size = sizeof(HIDD_ATTRIBUTES);
    attributes.VendorID = static_cast<std::uint16_t>(info.vendor);
    attributes.ProductID = static_cast<std::uint16_t>(info.product);
    // Only USB keeps a device release number where we can read it; uhid and Bluetooth
    // devices show none.
    const auto usb = ReadHidrawSysfs(sysfsRoot_, open->nodeName).usb;
    attributes.VersionNumber = usb ? usb->bcdDevice : 0;
    return PlatformResult::success();
}

PlatformResult
LinuxHidPlatform::sysfsString(PlatformHandle device, std::span<std::uint8_t> buffer,
                              const char *call, const char *what,
                              std::optional<std::string> (*pick)(const HidrawSysfs &))
{
    const OpenFile *open = find<OpenFile>(device);
    if (open == nullptr)
        return Failure(call, "invalid handle");
    const std::string callOnPath = std::string(call) + "(" + open->path + ")";
    const auto text = pick(ReadHidrawSysfs(sysfsRoot_, open->nodeName));
    if (!text)
        return Failure(callOnPath, std::string("no ") + what);
    if (!WriteUtf16Le(Utf8ToUtf16(*text), buffer))
        return Failure(callOnPath, "buffer too small");
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::HidD_GetSerialNumberString(PlatformHandle device,
                                                            std::span<std::uint8_t> buffer)
{
    return sysfsString(device, buffer, "HidD_GetSerialNumberString", "serial number", SerialOf);
}

PlatformResult LinuxHidPlatform::HidD_GetManufacturerString(PlatformHandle device,
                                                            std::span<std::uint8_t> buffer)
{
    return sysfsString(device, buffer, "HidD_GetManufacturerString", "manufacturer string",
                       ManufacturerOf);
}

PlatformResult LinuxHidPlatform::HidD_GetProductString(PlatformHandle device,
                                                       std::span<std::uint8_t> buffer)
{
    return sysfsString(device, buffer, "HidD_GetProductString", "product string", ProductOf);
}

PlatformResult LinuxHidPlatform::HidD_GetIndexedString(PlatformHandle device,
                                                       std::uint32_t stringIndex,
                                                       std::span<std::uint8_t> buffer)
{
    const OpenFile *open = find<OpenFile>(device);
    if (open == nullptr)
        return Failure("HidD_GetIndexedString", "invalid handle");
    const std::string call = "HidD_GetIndexedString(" + open->path + ")";
    if (stringIndex > 0xFF)
        return Failure(call, "string index out of range");
    // hidraw has no request for an arbitrary string, so it goes to the USB device directly.
    const auto usb = ReadHidrawSysfs(sysfsRoot_, open->nodeName).usb;
    if (!usb)
        return Failure(call, "not a USB device");
    if (!usb->busnum || !usb->devnum)
        return Failure(call, "USB device without bus or device number");
    char node[32];
    std::snprintf(node, sizeof node, "bus/usb/%03d/%03d", *usb->busnum, *usb->devnum);
    std::vector<std::uint8_t> received;
    if (auto result = ReadUsbStringDescriptor((devRoot_ / node).string(),
                                              static_cast<std::uint8_t>(stringIndex), received);
        !result) {
        // A board without the string stalls the request (EPIPE); anything else, such as no
        // access to the USB node, hides the marker and is worth telling.
        DebugLog("string " + std::to_string(stringIndex) + " of " + open->path + ": "
                 + result.error);
        return result;
    }
    if (!CopyStringDescriptor(received, buffer))
        return Failure(call, received.size() < 2 || received[1] != USB_DT_STRING_TYPE
                                 ? "reply is not a string descriptor"
                                 : "buffer too small");
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::HidD_GetPreparsedData(PlatformHandle device,
                                                       PlatformHandle &preparsedData)
{
    preparsedData = {};
    const OpenFile *open = find<OpenFile>(device);
    if (open == nullptr)
        return Failure("HidD_GetPreparsedData", "invalid handle");
    std::vector<std::uint8_t> descriptor;
    if (auto result = FetchDescriptor(open->fd, descriptor); !result)
        return result;
    HidCollectionCaps collection;
    if (auto result = FirstCollection(open->path, descriptor, collection); !result)
        return result;
    preparsedData = preparsed_.add(std::move(collection));
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::HidD_FreePreparsedData(PlatformHandle preparsedData)
{
    if (!preparsed_.release(preparsedData))
        return Failure("HidD_FreePreparsedData", "invalid preparsed data");
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::HidP_GetCaps(PlatformHandle preparsedData, HIDP_CAPS &caps)
{
    return preparsed_.getCaps(preparsedData, caps);
}

PlatformResult LinuxHidPlatform::HidP_GetValueCaps(HIDP_REPORT_TYPE reportType,
                                                   std::span<std::uint8_t> records,
                                                   std::uint16_t &length,
                                                   PlatformHandle preparsedData)
{
    return preparsed_.getValueCaps(reportType, records, length, preparsedData);
}

PlatformResult LinuxHidPlatform::HidD_SetFeature(PlatformHandle device,
                                                 std::span<const std::uint8_t> report)
{
    const OpenFile *open = find<OpenFile>(device);
    if (open == nullptr)
        return Failure("HidD_SetFeature", "invalid handle");
    if (report.empty() || report.size() > MAX_FEATURE_LENGTH)
        return Failure("HidD_SetFeature", "invalid report length");
    // The ioctl takes a writable buffer although it only reads it.
    std::vector<std::uint8_t> data(report.begin(), report.end());
    int returned = 0;
    return Ioctl(open->fd, HIDIOCSFEATURE(data.size()), data.data(), "HIDIOCSFEATURE", returned);
}

PlatformResult LinuxHidPlatform::HidD_GetFeature(PlatformHandle device,
                                                 std::span<std::uint8_t> report)
{
    const OpenFile *open = find<OpenFile>(device);
    if (open == nullptr)
        return Failure("HidD_GetFeature", "invalid handle");
    if (report.empty() || report.size() > MAX_FEATURE_LENGTH)
        return Failure("HidD_GetFeature", "invalid report length");
    // hidraw hands back the report number in byte 0 also for a device without report IDs,
    // so the reply lands as the caller expects it, and the kernel writes no more than asked.
    int returned = 0;
    return Ioctl(open->fd, HIDIOCGFEATURE(report.size()), report.data(), "HIDIOCGFEATURE",
                 returned);
}

} // namespace tamo::device
