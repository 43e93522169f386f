// SPDX-License-Identifier: GPL-3.0-or-later
#include "hid_linux.h"

#include "debug_log.h"
#include "errno_text.h"
#include "hidraw_read.h"
#include "inotify_device_changes.h"
#include "linux_sysfs.h"
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

// The largest length that the hidraw feature ioctls can encode (14 size bits).
constexpr std::size_t MAX_FEATURE_LENGTH = (1u << _IOC_SIZEBITS) - 1;

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

// One open hidraw node. The descriptor is closed with the file at the latest.
struct HidrawFile : NodeFile {
    HidrawFile(int fd, std::string path)
        : fd(fd)
        , path(std::move(path))
        , nodeName(fs::path(this->path).filename().string())
    {}
    ~HidrawFile() override
    {
        if (fd >= 0)
            ::close(fd);
    }
    HidrawFile(const HidrawFile &) = delete;
    HidrawFile &operator=(const HidrawFile &) = delete;

    int fd = -1;
    std::string path;
    std::string nodeName; // hidrawN, the node's name under /sys/class/hidraw
    std::optional<InputReportFormat> inputFormat; // learnt at open or at the first read
};

HidrawFile &Hidraw(NodeFile &file)
{
    return static_cast<HidrawFile &>(file);
}

PlatformResult LearnInputFormat(HidrawFile &open)
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

// Where sysfs keeps each identity string, and its name in error texts.
struct SysfsString {
    std::optional<std::string> (*pick)(const HidrawSysfs &);
    const char *name;
};

SysfsString SysfsStringOf(HidStringKind kind)
{
    if (kind == HidStringKind::SerialNumber)
        return {SerialOf, "serial number"};
    if (kind == HidStringKind::Manufacturer)
        return {ManufacturerOf, "manufacturer string"};
    return {ProductOf, "product string"};
}

} // namespace

std::unique_ptr<HidPlatform> CreateNativeHidPlatform()
{
    return std::make_unique<LinuxHidPlatform>();
}

LinuxHidPlatform::LinuxHidPlatform(fs::path sysfsRoot, fs::path devRoot)
    : sysfsRoot_(std::move(sysfsRoot))
    , devRoot_(std::move(devRoot))
{}

std::unique_ptr<DeviceChangeSource> LinuxHidPlatform::WatchDeviceChanges()
{
    return std::make_unique<InotifyDeviceChanges>(devRoot_);
}

PlatformResult LinuxHidPlatform::listNodes(std::vector<HidNode> &nodes)
{
    std::string error;
    for (const std::string &name : ListHidrawNodes(sysfsRoot_, error))
        nodes.push_back({(devRoot_ / name).string(), NO_DEVICE});
    if (!error.empty())
        return Failure("SetupDiGetClassDevsA", error);
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::openNode(const std::string &path, std::uint32_t, bool overlapped,
                                          std::unique_ptr<NodeFile> &file, int &)
{
    // Access is always read-write: every handle of the tool sends or receives reports. The
    // kernel lets several files share one hidraw node, which is all that sharing needs.
    int flags = O_RDWR | O_CLOEXEC;
    if (overlapped)
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
    auto open = std::make_unique<HidrawFile>(fd, path);
    // A read handle learns its report format now, while the device is surely there: reports
    // queued before an unplug can then still be read after it. Failing here, it tries again
    // at the first read, so the reason is only logged.
    if (overlapped) {
        if (auto learnt = LearnInputFormat(*open); !learnt)
            DebugLog("input report format of " + path + " not known yet: " + learnt.error);
    }
    file = std::move(open);
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::closeNode(NodeFile &file)
{
    HidrawFile &open = Hidraw(file);
    // The descriptor is gone even when close() reports an error, so it is never retried.
    const int error = ::close(open.fd) != 0 ? errno : 0;
    open.fd = -1;
    if (error != 0 && error != EINTR)
        return PlatformResult::failure(ErrnoText("close", error));
    return PlatformResult::success();
}

ReadResult LinuxHidPlatform::readReports(NodeFile &file, std::span<std::uint8_t> buffer,
                                         std::uint32_t &bytesRead)
{
    HidrawFile &open = Hidraw(file);
    if (!open.inputFormat) {
        if (PlatformResult learnt = LearnInputFormat(open); !learnt)
            return ReadResult::failed(std::move(learnt.error));
    }
    return DrainInputReports(open.fd, open.path, *open.inputFormat, buffer, bytesRead);
}

InputWait LinuxHidPlatform::inputWait(NodeFile &file)
{
    return {InputWait::Kind::Descriptor, Hidraw(file).fd};
}

PlatformResult LinuxHidPlatform::attributes(NodeFile &file, HIDD_ATTRIBUTES &attributes)
{
    const HidrawFile &open = Hidraw(file);
    hidraw_devinfo info{};
    int returned = 0;
    if (auto result = Ioctl(open.fd, HIDIOCGRAWINFO, &info, "HIDIOCGRAWINFO", returned); !result)
        return result;
    attributes.VendorID = static_cast<std::uint16_t>(info.vendor);
    attributes.ProductID = static_cast<std::uint16_t>(info.product);
    // Only USB keeps a device release number where we can read it; uhid and Bluetooth
    // devices show none.
    const auto usb = ReadHidrawSysfs(sysfsRoot_, open.nodeName).usb;
    attributes.VersionNumber = usb ? usb->bcdDevice : 0;
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::string(NodeFile &file, HidStringKind kind,
                                        std::uint32_t stringIndex, std::span<std::uint8_t> buffer)
{
    if (kind == HidStringKind::Indexed)
        return indexedString(file, stringIndex, buffer);
    const HidrawFile &open = Hidraw(file);
    const std::string callOnPath = std::string(StringOperation(kind)) + "(" + open.path + ")";
    const SysfsString where = SysfsStringOf(kind);
    const auto text = where.pick(ReadHidrawSysfs(sysfsRoot_, open.nodeName));
    if (!text)
        return Failure(callOnPath, std::string("no ") + where.name);
    if (!WriteUtf16Le(Utf8ToUtf16(*text), buffer))
        return Failure(callOnPath, "buffer too small");
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::indexedString(NodeFile &file, std::uint32_t stringIndex,
                                               std::span<std::uint8_t> buffer)
{
    const HidrawFile &open = Hidraw(file);
    const std::string call = "HidD_GetIndexedString(" + open.path + ")";
    if (stringIndex > 0xFF)
        return Failure(call, "string index out of range");
    // hidraw has no request for an arbitrary string, so it goes to the USB device directly.
    const auto usb = ReadHidrawSysfs(sysfsRoot_, open.nodeName).usb;
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
        DebugLog("string " + std::to_string(stringIndex) + " of " + open.path + ": "
                 + result.error);
        return result;
    }
    if (!CopyStringDescriptor(received, buffer))
        return Failure(call, received.size() < 2 || received[1] != USB_DT_STRING_TYPE
                                 ? "reply is not a string descriptor"
                                 : "buffer too small");
    return PlatformResult::success();
}

PlatformResult LinuxHidPlatform::collection(NodeFile &file, HidCollectionCaps &collection)
{
    const HidrawFile &open = Hidraw(file);
    std::vector<std::uint8_t> descriptor;
    if (auto result = FetchDescriptor(open.fd, descriptor); !result)
        return result;
    return FirstCollection(open.path, descriptor, collection);
}

PlatformResult LinuxHidPlatform::setFeature(NodeFile &file, std::span<const std::uint8_t> report)
{
    if (report.empty() || report.size() > MAX_FEATURE_LENGTH)
        return Failure("HidD_SetFeature", "invalid report length");
    // The ioctl takes a writable buffer although it only reads it.
    std::vector<std::uint8_t> data(report.begin(), report.end());
    int returned = 0;
    return Ioctl(Hidraw(file).fd, HIDIOCSFEATURE(data.size()), data.data(), "HIDIOCSFEATURE",
                 returned);
}

PlatformResult LinuxHidPlatform::getFeature(NodeFile &file, std::span<std::uint8_t> report)
{
    if (report.empty() || report.size() > MAX_FEATURE_LENGTH)
        return Failure("HidD_GetFeature", "invalid report length");
    // hidraw hands back the report number in byte 0 also for a device without report IDs,
    // so the reply lands as the caller expects it, and the kernel writes no more than asked.
    int returned = 0;
    return Ioctl(Hidraw(file).fd, HIDIOCGFEATURE(report.size()), report.data(), "HIDIOCGFEATURE",
                 returned);
}

} // namespace tamo::device
