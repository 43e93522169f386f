#include "virtual_platform.h"

#include "utf16_buffer.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <set>
#include <stdexcept>

namespace tamo::sim {

using device::PlatformHandle;
using device::PlatformResult;

namespace {
// hidraw keeps this many reports per open file and drops newer ones.
constexpr std::size_t kReportQueueLimit = 63;
constexpr const char *kPathPrefix = "virtual:/dev/hidraw";

} // namespace

struct VirtualHidPlatform::Device {
    VirtualDeviceDefinition definition;
    device::HidCollectionCaps caps;
    // As hidraw's parser: a descriptor without a top-level collection gives no preparsed data.
    bool hasCollection = true;
    std::unique_ptr<BoardModel> board;
    bool plugged = true;
    int generation = 0;
    int nodeNumber = 0;
    std::vector<std::vector<std::uint8_t>> received;
};

struct VirtualHidPlatform::OpenFile {
    int device = -1;
    int generation = 0;
    bool overlapped = false;
    std::deque<std::vector<std::uint8_t>> queue;
};

struct VirtualHidPlatform::InterfaceSet {
    std::vector<int> devices;
};

VirtualHidPlatform::VirtualHidPlatform(Clock clock)
    : clock_(std::move(clock))
{}

VirtualHidPlatform::~VirtualHidPlatform() = default;

std::uint64_t VirtualHidPlatform::now() const
{
    if (clock_)
        return clock_();
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int VirtualHidPlatform::nextNodeNumber() const
{
    std::set<int> used;
    for (const auto &device : devices_) {
        if (device->plugged)
            used.insert(device->nodeNumber);
    }
    int number = 0;
    while (used.count(number) != 0)
        ++number;
    return number;
}

int VirtualHidPlatform::addDevice(VirtualDeviceDefinition definition)
{
    auto device = std::make_unique<Device>();
    if (definition.capsOverride) {
        device->caps = *definition.capsOverride;
    } else {
        device::DescriptorParse parse = device::ParseReportDescriptor(definition.reportDescriptor);
        device->hasCollection = !parse.collections.empty();
        if (device->hasCollection)
            device->caps = parse.collections.front();
    }
    if (definition.isBoard) {
        device->board = std::make_unique<BoardModel>(device->caps.caps.FeatureReportByteLength,
                                                     device->caps.caps.InputReportByteLength);
        device->board->setInputMode(definition.inputMode, definition.streamPeriodMs);
    }
    device->definition = std::move(definition);
    device->plugged = false;
    device->nodeNumber = nextNodeNumber();
    device->plugged = true;
    devices_.push_back(std::move(device));
    return static_cast<int>(devices_.size()) - 1;
}

void VirtualHidPlatform::unplug(int device)
{
    Device &d = *devices_.at(device);
    if (!d.plugged)
        return;
    pumpInputReports();
    d.plugged = false;
}

void VirtualHidPlatform::plug(int device)
{
    Device &d = *devices_.at(device);
    if (d.plugged)
        return;
    d.nodeNumber = nextNodeNumber();
    ++d.generation;
    d.plugged = true;
}

bool VirtualHidPlatform::isPlugged(int device) const
{
    return devices_.at(device)->plugged;
}

const VirtualDeviceDefinition &VirtualHidPlatform::definition(int device) const
{
    return devices_.at(device)->definition;
}

BoardModel *VirtualHidPlatform::board(int device)
{
    return devices_.at(device)->board.get();
}

const device::HidCollectionCaps &VirtualHidPlatform::caps(int device) const
{
    return devices_.at(device)->caps;
}

std::string VirtualHidPlatform::path(int device) const
{
    return kPathPrefix + std::to_string(devices_.at(device)->nodeNumber);
}

const std::vector<std::vector<std::uint8_t>> &
VirtualHidPlatform::featureReportsReceived(int device) const
{
    return devices_.at(device)->received;
}

void VirtualHidPlatform::clearFeatureReportsReceived(int device)
{
    devices_.at(device)->received.clear();
}

int VirtualHidPlatform::countCalls(const std::string &operation, int device) const
{
    return static_cast<int>(std::count_if(calls_.begin(), calls_.end(), [&](const CallRecord &c) {
        return c.operation == operation && (device < 0 || c.device == device);
    }));
}

int VirtualHidPlatform::openFileHandles() const
{
    return static_cast<int>(files_.size());
}

int VirtualHidPlatform::openFileHandles(int device) const
{
    return static_cast<int>(std::count_if(
        files_.begin(), files_.end(), [&](const auto &f) { return f.second.device == device; }));
}

void VirtualHidPlatform::failNext(const std::string &operation, int count, int device)
{
    faults_.push_back({operation, device, count});
}

bool VirtualHidPlatform::consumeFault(const std::string &operation, int device)
{
    for (Fault &fault : faults_) {
        if (fault.remaining > 0 && fault.operation == operation
            && (fault.device < 0 || fault.device == device)) {
            --fault.remaining;
            return true;
        }
    }
    return false;
}

PlatformResult VirtualHidPlatform::record(const std::string &operation, int device,
                                          PlatformResult result, std::vector<std::uint8_t> bytes)
{
    calls_.push_back({operation, device, std::move(bytes), result.ok});
    return result;
}

void VirtualHidPlatform::pumpInputReports()
{
    const std::uint64_t time = now();
    for (std::size_t id = 0; id < devices_.size(); ++id) {
        Device &d = *devices_[id];
        if (!d.plugged || !d.board)
            continue;
        for (auto &report : d.board->takeInputReports(time)) {
            // A board that declares no input report sends none.
            if (report.empty())
                continue;
            for (auto &[handle, file] : files_) {
                if (file.device == static_cast<int>(id) && file.generation == d.generation
                    && file.queue.size() < kReportQueueLimit)
                    file.queue.push_back(report);
            }
        }
    }
}

VirtualHidPlatform::OpenFile *VirtualHidPlatform::findFile(PlatformHandle handle)
{
    const auto found = files_.find(handle.value);
    return found == files_.end() ? nullptr : &found->second;
}

PlatformResult VirtualHidPlatform::HidD_GetHidGuid(device::GUID &guid)
{
    guid = device::HID_INTERFACE_CLASS_GUID;
    return record("HidD_GetHidGuid", -1, PlatformResult::success());
}

PlatformResult VirtualHidPlatform::SetupDiGetClassDevsA(const device::GUID &classGuid,
                                                        std::uint32_t flags,
                                                        PlatformHandle &interfaceSet)
{
    const char *op = "SetupDiGetClassDevsA";
    if (consumeFault(op, -1))
        return record(op, -1, PlatformResult::failure("SetupDiGetClassDevsA: injected fault"));
    if (!(classGuid == device::HID_INTERFACE_CLASS_GUID)
        || (flags & device::DIGCF_DEVICEINTERFACE) == 0)
        return record(op, -1, PlatformResult::failure("SetupDiGetClassDevsA: not the HID class"));
    InterfaceSet set;
    for (std::size_t id = 0; id < devices_.size(); ++id) {
        if (devices_[id]->plugged)
            set.devices.push_back(static_cast<int>(id));
    }
    std::sort(set.devices.begin(), set.devices.end(),
              [&](int a, int b) { return devices_[a]->nodeNumber < devices_[b]->nodeNumber; });
    interfaceSet = newHandle();
    sets_.emplace(interfaceSet.value, std::move(set));
    return record(op, -1, PlatformResult::success());
}

PlatformResult VirtualHidPlatform::SetupDiEnumDeviceInterfaces(
    PlatformHandle interfaceSet, const device::GUID &classGuid, std::uint32_t memberIndex,
    device::SP_DEVICE_INTERFACE_DATA &interfaceData)
{
    const char *op = "SetupDiEnumDeviceInterfaces";
    const auto set = sets_.find(interfaceSet.value);
    if (set == sets_.end())
        return record(op, -1, PlatformResult::failure("SetupDiEnumDeviceInterfaces: bad set"));
    if (interfaceData.cbSize != device::SP_DEVICE_INTERFACE_DATA_SIZE)
        return record(op, -1, PlatformResult::failure("SetupDiEnumDeviceInterfaces: bad cbSize"));
    if (memberIndex >= set->second.devices.size())
        return record(op, -1,
                      PlatformResult::failure("SetupDiEnumDeviceInterfaces: no more items"));
    const int id = set->second.devices[memberIndex];
    interfaceData.InterfaceClassGuid = classGuid;
    interfaceData.Flags = 1;
    interfaceData.Reserved = static_cast<std::uintptr_t>(id) + 1;
    return record(op, id, PlatformResult::success());
}

PlatformResult VirtualHidPlatform::SetupDiGetDeviceInterfaceDetailA(
    PlatformHandle interfaceSet, const device::SP_DEVICE_INTERFACE_DATA &interfaceData,
    std::span<std::uint8_t> detail, std::uint32_t &requiredSize)
{
    const char *op = "SetupDiGetDeviceInterfaceDetailA";
    const int id = static_cast<int>(interfaceData.Reserved) - 1;
    if (sets_.count(interfaceSet.value) == 0 || id < 0 || id >= deviceCount())
        return record(op, -1, PlatformResult::failure("SetupDiGetDeviceInterfaceDetailA: bad set"));
    const std::string devicePath = path(id);
    requiredSize =
        static_cast<std::uint32_t>(device::DETAIL_DATA_PATH_OFFSET + devicePath.size() + 1);
    if (detail.empty())
        return record(
            op, id,
            PlatformResult::failure("SetupDiGetDeviceInterfaceDetailA: insufficient buffer"));
    std::uint32_t cbSize = 0;
    if (detail.size() >= sizeof cbSize)
        std::memcpy(&cbSize, detail.data(), sizeof cbSize);
    if (cbSize != device::DETAIL_DATA_FIXED_SIZE)
        return record(op, id,
                      PlatformResult::failure("SetupDiGetDeviceInterfaceDetailA: bad cbSize"));
    if (detail.size() < requiredSize)
        return record(
            op, id,
            PlatformResult::failure("SetupDiGetDeviceInterfaceDetailA: insufficient buffer"));
    std::memcpy(detail.data() + device::DETAIL_DATA_PATH_OFFSET, devicePath.c_str(),
                devicePath.size() + 1);
    return record(op, id, PlatformResult::success());
}

PlatformResult VirtualHidPlatform::SetupDiDestroyDeviceInfoList(PlatformHandle interfaceSet)
{
    const bool erased = sets_.erase(interfaceSet.value) == 1;
    return record("SetupDiDestroyDeviceInfoList", -1,
                  erased ? PlatformResult::success()
                         : PlatformResult::failure("SetupDiDestroyDeviceInfoList: bad set"));
}

PlatformResult VirtualHidPlatform::CreateFileA(const std::string &path, std::uint32_t desiredAccess,
                                               std::uint32_t, const device::SECURITY_ATTRIBUTES *,
                                               std::uint32_t creationDisposition,
                                               std::uint32_t flagsAndAttributes,
                                               PlatformHandle &file)
{
    const char *op = "CreateFileA";
    file = {};
    int id = -1;
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (devices_[i]->plugged && this->path(static_cast<int>(i)) == path)
            id = static_cast<int>(i);
    }
    if (id < 0)
        return record(op, -1,
                      PlatformResult::failure("open(" + path + "): No such file or directory"));
    if (consumeFault(op, id))
        return record(op, id, PlatformResult::failure("open(" + path + "): Permission denied"));
    if (creationDisposition != device::OPEN_EXISTING
        || (desiredAccess & (device::GENERIC_READ | device::GENERIC_WRITE)) == 0)
        return record(op, id, PlatformResult::failure("open(" + path + "): Invalid argument"));
    pumpInputReports();
    file = newHandle();
    OpenFile open;
    open.device = id;
    open.generation = devices_[id]->generation;
    open.overlapped = (flagsAndAttributes & device::FILE_FLAG_OVERLAPPED) != 0;
    files_.emplace(file.value, std::move(open));
    return record(op, id, PlatformResult::success());
}

PlatformResult VirtualHidPlatform::CloseHandle(PlatformHandle handle)
{
    const char *op = "CloseHandle";
    if (const auto f = files_.find(handle.value); f != files_.end()) {
        const int id = f->second.device;
        files_.erase(f);
        return record(op, id, PlatformResult::success());
    }
    if (events_.erase(handle.value) == 1)
        return record(op, -1, PlatformResult::success());
    return record(op, -1, PlatformResult::failure("CloseHandle: invalid handle"));
}

PlatformResult VirtualHidPlatform::CreateEventA(const device::SECURITY_ATTRIBUTES *, bool,
                                                bool initialState, const std::string &,
                                                PlatformHandle &event)
{
    const char *op = "CreateEventA";
    event = {};
    if (consumeFault(op, -1))
        return record(op, -1, PlatformResult::failure("CreateEventA: injected fault"));
    event = newHandle();
    events_[event.value] = initialState;
    ++eventsCreated_;
    return record(op, -1, PlatformResult::success());
}

device::ReadResult VirtualHidPlatform::ReadFile(PlatformHandle handle,
                                                std::span<std::uint8_t> buffer,
                                                std::uint32_t &bytesRead,
                                                device::OVERLAPPED &overlapped)
{
    const char *op = "ReadFile";
    bytesRead = 0;
    device::ReadResult result;
    OpenFile *file = findFile(handle);
    const int id = file ? file->device : -1;
    auto finish = [&](device::ReadResult r) {
        std::vector<std::uint8_t> bytes(buffer.begin(), buffer.begin() + bytesRead);
        record(op, id, r, std::move(bytes));
        return r;
    };
    if (!file) {
        static_cast<PlatformResult &>(result) =
            PlatformResult::failure("read: Bad file descriptor");
        return finish(result);
    }
    if (consumeFault(op, id)) {
        static_cast<PlatformResult &>(result) = PlatformResult::failure("read: Input/output error");
        return finish(result);
    }
    pumpInputReports();
    const Device &d = *devices_[id];
    const bool connected = d.plugged && file->generation == d.generation;
    while (!file->queue.empty() && bytesRead + file->queue.front().size() <= buffer.size()) {
        const auto &report = file->queue.front();
        std::copy(report.begin(), report.end(), buffer.begin() + bytesRead);
        bytesRead += static_cast<std::uint32_t>(report.size());
        file->queue.pop_front();
    }
    overlapped.InternalHigh = bytesRead;
    if (bytesRead > 0) {
        static_cast<PlatformResult &>(result) = PlatformResult::success();
        result.outcome = device::ReadOutcome::Reports;
    } else if (connected) {
        static_cast<PlatformResult &>(result) =
            PlatformResult::failure("read: Resource temporarily unavailable");
        result.outcome = device::ReadOutcome::NothingQueued;
    } else {
        static_cast<PlatformResult &>(result) = PlatformResult::failure("read: Input/output error");
        result.outcome = device::ReadOutcome::Failed;
    }
    return finish(result);
}

PlatformResult VirtualHidPlatform::HidD_GetAttributes(PlatformHandle handle,
                                                      device::HIDD_ATTRIBUTES &attributes)
{
    const char *op = "HidD_GetAttributes";
    OpenFile *file = findFile(handle);
    if (!file)
        return record(op, -1, PlatformResult::failure("HidD_GetAttributes: invalid handle"));
    const Device &d = *devices_[file->device];
    if (consumeFault(op, file->device) || !d.plugged || file->generation != d.generation)
        return record(op, file->device,
                      PlatformResult::failure("ioctl(HIDIOCGRAWINFO): No such device"));
    attributes.VendorID = d.definition.vendorId;
    attributes.ProductID = d.definition.productId;
    attributes.VersionNumber = d.definition.versionNumber;
    return record(op, file->device, PlatformResult::success());
}

PlatformResult
VirtualHidPlatform::stringRequest(const std::string &operation, PlatformHandle handle,
                                  std::span<std::uint8_t> buffer,
                                  const std::function<const std::u16string *(Device &)> &pick)
{
    OpenFile *file = findFile(handle);
    if (!file)
        return record(operation, -1, PlatformResult::failure(operation + ": invalid handle"));
    Device &d = *devices_[file->device];
    if (consumeFault(operation, file->device) || !d.plugged || file->generation != d.generation)
        return record(operation, file->device,
                      PlatformResult::failure(operation + ": No such device"));
    const std::u16string *text = pick(d);
    if (!text)
        return record(operation, file->device,
                      PlatformResult::failure(operation + ": no such string"));
    if (!device::WriteUtf16Le(*text, buffer))
        return record(operation, file->device,
                      PlatformResult::failure(operation + ": buffer too small"));
    return record(operation, file->device, PlatformResult::success(),
                  std::vector<std::uint8_t>(buffer.begin(), buffer.end()));
}

PlatformResult VirtualHidPlatform::HidD_GetIndexedString(PlatformHandle handle,
                                                         std::uint32_t stringIndex,
                                                         std::span<std::uint8_t> buffer)
{
    return stringRequest("HidD_GetIndexedString", handle, buffer,
                         [stringIndex](Device &d) -> const std::u16string * {
                             const auto found = d.definition.indexedStrings.find(stringIndex);
                             return found == d.definition.indexedStrings.end() ? nullptr
                                                                               : &found->second;
                         });
}

PlatformResult VirtualHidPlatform::HidD_GetSerialNumberString(PlatformHandle handle,
                                                              std::span<std::uint8_t> buffer)
{
    return stringRequest("HidD_GetSerialNumberString", handle, buffer, [](Device &d) {
        return d.definition.serialNumber ? &*d.definition.serialNumber : nullptr;
    });
}

PlatformResult VirtualHidPlatform::HidD_GetManufacturerString(PlatformHandle handle,
                                                              std::span<std::uint8_t> buffer)
{
    return stringRequest("HidD_GetManufacturerString", handle, buffer, [](Device &d) {
        return d.definition.manufacturer ? &*d.definition.manufacturer : nullptr;
    });
}

PlatformResult VirtualHidPlatform::HidD_GetProductString(PlatformHandle handle,
                                                         std::span<std::uint8_t> buffer)
{
    return stringRequest("HidD_GetProductString", handle, buffer, [](Device &d) {
        return d.definition.product ? &*d.definition.product : nullptr;
    });
}

PlatformResult VirtualHidPlatform::HidD_GetPreparsedData(PlatformHandle handle,
                                                         PlatformHandle &preparsedData)
{
    const char *op = "HidD_GetPreparsedData";
    preparsedData = {};
    OpenFile *file = findFile(handle);
    if (!file)
        return record(op, -1, PlatformResult::failure("HidD_GetPreparsedData: invalid handle"));
    const Device &d = *devices_[file->device];
    if (consumeFault(op, file->device) || !d.plugged || file->generation != d.generation)
        return record(op, file->device,
                      PlatformResult::failure("ioctl(HIDIOCGRDESC): No such device"));
    if (!d.hasCollection)
        return record(op, file->device,
                      PlatformResult::failure("HidD_GetPreparsedData(" + path(file->device)
                                              + "): no top-level collection"));
    preparsedData = preparsed_.add(d.caps);
    return record(op, file->device, PlatformResult::success());
}

PlatformResult VirtualHidPlatform::HidD_FreePreparsedData(PlatformHandle preparsedData)
{
    const bool released = preparsed_.release(preparsedData);
    return record("HidD_FreePreparsedData", -1,
                  released ? PlatformResult::success()
                           : PlatformResult::failure("HidD_FreePreparsedData: invalid data"));
}

PlatformResult VirtualHidPlatform::HidP_GetCaps(PlatformHandle preparsedData,
                                                device::HIDP_CAPS &caps)
{
    return record("HidP_GetCaps", -1, preparsed_.getCaps(preparsedData, caps));
}

PlatformResult VirtualHidPlatform::HidP_GetValueCaps(device::HIDP_REPORT_TYPE reportType,
                                                     std::span<std::uint8_t> records,
                                                     std::uint16_t &length,
                                                     PlatformHandle preparsedData)
{
    return record("HidP_GetValueCaps", -1,
                  preparsed_.getValueCaps(reportType, records, length, preparsedData));
}

PlatformResult VirtualHidPlatform::HidD_SetFeature(PlatformHandle handle,
                                                   std::span<const std::uint8_t> report)
{
    const char *op = "HidD_SetFeature";
    std::vector<std::uint8_t> bytes(report.begin(), report.end());
    OpenFile *file = findFile(handle);
    if (!file)
        return record(op, -1, PlatformResult::failure("HidD_SetFeature: invalid handle"), bytes);
    Device &d = *devices_[file->device];
    if (consumeFault(op, file->device) || !d.plugged || file->generation != d.generation)
        return record(op, file->device,
                      PlatformResult::failure("ioctl(HIDIOCSFEATURE): No such device"), bytes);
    if (!d.board || report.empty())
        return record(op, file->device,
                      PlatformResult::failure("ioctl(HIDIOCSFEATURE): Broken pipe"), bytes);
    d.received.push_back(bytes);
    d.board->receiveFeatureReport(report);
    return record(op, file->device, PlatformResult::success(), bytes);
}

PlatformResult VirtualHidPlatform::HidD_GetFeature(PlatformHandle handle,
                                                   std::span<std::uint8_t> report)
{
    const char *op = "HidD_GetFeature";
    OpenFile *file = findFile(handle);
    if (!file)
        return record(op, -1, PlatformResult::failure("HidD_GetFeature: invalid handle"));
    Device &d = *devices_[file->device];
    if (consumeFault(op, file->device) || !d.plugged || file->generation != d.generation)
        return record(op, file->device,
                      PlatformResult::failure("ioctl(HIDIOCGFEATURE): No such device"));
    if (!d.board || report.empty())
        return record(op, file->device,
                      PlatformResult::failure("ioctl(HIDIOCGFEATURE): Broken pipe"));
    const std::vector<std::uint8_t> reply = d.board->nextFeatureReply();
    std::copy_n(reply.begin(), std::min(reply.size(), report.size()), report.begin());
    return record(op, file->device, PlatformResult::success(),
                  std::vector<std::uint8_t>(report.begin(), report.end()));
}

} // namespace tamo::sim
