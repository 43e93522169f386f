// SPDX-License-Identifier: GPL-3.0-or-later
#include "virtual_platform.h"

#include "board_identity.h"
#include "utf16_buffer.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <deque>
#include <optional>
#include <set>
#include <stdexcept>

namespace tamo::sim {

using device::PlatformHandle;
using device::PlatformResult;

namespace {
// hidraw keeps this many reports per open file and drops newer ones.
constexpr std::size_t kReportQueueLimit = 63;
constexpr const char *kPathPrefix = "virtual:/dev/hidraw";

void AppendUtf8(std::string &out, char32_t point)
{
    if (point < 0x80) {
        out.push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | point >> 6));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | point >> 12));
        out.push_back(static_cast<char>(0x80 | (point >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | point >> 18));
        out.push_back(static_cast<char>(0x80 | (point >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

// A device string as sysfs gives it: UTF-8, a lone surrogate as U+FFFD.
std::optional<std::string> SystemUtf8(const std::optional<std::u16string> &text)
{
    if (!text)
        return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < text->size(); ++i) {
        const char32_t unit = (*text)[i];
        const bool high = unit >= 0xD800 && unit < 0xDC00;
        const char32_t next = i + 1 < text->size() ? (*text)[i + 1] : 0;
        if (high && next >= 0xDC00 && next < 0xE000) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
        }
    }
    return out;
}

} // namespace

struct VirtualHidPlatform::Device {
    VirtualDeviceDefinition definition;
    device::HidCollectionCaps caps;
    // A descriptor without a top-level collection gives no preparsed data, as on hidraw.
    bool hasCollection = true;
    bool openable = true;
    std::unique_ptr<BoardModel> board;
    bool plugged = true;
    int generation = 0;
    int nodeNumber = 0;
    std::vector<std::vector<std::uint8_t>> received;
};

struct VirtualHidPlatform::File : device::NodeFile {
    int device = -1;
    int generation = 0;
    std::deque<std::vector<std::uint8_t>> queue;
    std::function<void()> ready;
    // Reports queued, or the device gone, since ready was last called.
    bool untold = false;
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
    tellChange();
    return static_cast<int>(devices_.size()) - 1;
}

void VirtualHidPlatform::tellChange()
{
    if (notifying_)
        ++changesTold_;
}

void VirtualHidPlatform::setOpenable(int device, bool openable)
{
    Device &d = *devices_.at(device);
    if (d.openable == openable)
        return;
    d.openable = openable;
    tellChange();
}

std::vector<device::InaccessibleBoard> VirtualHidPlatform::InaccessibleBoards() const
{
    std::vector<int> closed;
    for (std::size_t id = 0; id < devices_.size(); ++id) {
        const Device &d = *devices_[id];
        const std::uint16_t vendor = d.definition.vendorId;
        const std::uint16_t product = d.definition.productId;
        if (d.plugged && !d.openable && vendor == device::VENDOR_ID && product >= device::PID_FIRST
            && product - device::PID_FIRST < device::PID_COUNT)
            closed.push_back(static_cast<int>(id));
    }
    std::sort(closed.begin(), closed.end(),
              [&](int a, int b) { return devices_[a]->nodeNumber < devices_[b]->nodeNumber; });
    std::vector<device::InaccessibleBoard> boards;
    for (const int id : closed) {
        const VirtualDeviceDefinition &definition = devices_[id]->definition;
        device::InaccessibleBoard board;
        board.path = path(id);
        board.vendorId = definition.vendorId;
        board.productId = definition.productId;
        board.versionNumber = definition.versionNumber;
        board.manufacturer = SystemUtf8(definition.manufacturer);
        board.product = SystemUtf8(definition.product);
        board.serialNumber = SystemUtf8(definition.serialNumber);
        // What CreateFileA says of such a node.
        board.reason = "open(" + board.path + "): Permission denied";
        board.fix = device::INSTALL_UDEV_RULE_FIX;
        boards.push_back(std::move(board));
    }
    return boards;
}

namespace {
// Asks the platform how many changes it has told, and remembers the count.
class VirtualDeviceChanges : public device::DeviceChangeSource {
public:
    explicit VirtualDeviceChanges(const VirtualHidPlatform &platform)
        : platform_(platform)
    {}
    bool changedSinceLastAsked() override
    {
        const std::uint64_t told = platform_.changesTold();
        const bool changed = first_ || told != seen_;
        first_ = false;
        seen_ = told;
        return changed;
    }

private:
    const VirtualHidPlatform &platform_;
    std::uint64_t seen_ = 0;
    bool first_ = true;
};
} // namespace

std::unique_ptr<device::DeviceChangeSource> VirtualHidPlatform::WatchDeviceChanges()
{
    return std::make_unique<VirtualDeviceChanges>(*this);
}

void VirtualHidPlatform::unplug(int device)
{
    Device &d = *devices_.at(device);
    if (!d.plugged)
        return;
    pumpInputReports();
    d.plugged = false;
    forEachOpenFile([&](device::NodeFile &node, int) {
        auto &file = static_cast<File &>(node);
        if (file.device == device && file.generation == d.generation)
            file.untold = true;
    });
    tellChange();
    deliverInputReports();
}

void VirtualHidPlatform::plug(int device)
{
    Device &d = *devices_.at(device);
    if (d.plugged)
        return;
    d.nodeNumber = nextNodeNumber();
    ++d.generation;
    d.plugged = true;
    tellChange();
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

void VirtualHidPlatform::failNext(const std::string &operation, int count, int device, int after)
{
    if (!IsOperation(operation))
        throw std::invalid_argument("no platform operation is named " + operation);
    if (device >= 0 && !ReachesOneDevice(operation))
        throw std::invalid_argument(operation
                                    + " reaches no single device, so it cannot fail for one");
    faults_.push_back({operation, device, count, after});
}

std::optional<PlatformResult> VirtualHidPlatform::injectedFault(std::string_view operation,
                                                                int device)
{
    for (Fault &fault : faults_) {
        if (fault.remaining > 0 && fault.operation == operation
            && (fault.device < 0 || fault.device == device)) {
            if (fault.skip > 0) {
                --fault.skip;
                continue;
            }
            --fault.remaining;
            return PlatformResult::failure(std::string(operation) + ": injected fault");
        }
    }
    return std::nullopt;
}

void VirtualHidPlatform::completed(std::string_view operation, int device,
                                   const PlatformResult &result,
                                   std::span<const std::uint8_t> bytes)
{
    if (operation == "CreateEventA" && result.ok)
        ++eventsCreated_;
    calls_.push_back({std::string(operation), device,
                      std::vector<std::uint8_t>(bytes.begin(), bytes.end()), result.ok});
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
            forEachOpenFile([&](device::NodeFile &node, int) {
                auto &file = static_cast<File &>(node);
                if (file.device == static_cast<int>(id) && file.generation == d.generation
                    && file.queue.size() < kReportQueueLimit) {
                    file.queue.push_back(report);
                    file.untold = true;
                }
            });
        }
    }
}

void VirtualHidPlatform::deliverInputReports()
{
    pumpInputReports();
    // One file at a time, looked up afresh: a listener may close files, its own among them.
    for (;;) {
        std::function<void()> ready;
        forEachOpenFile([&](device::NodeFile &node, int) {
            auto &file = static_cast<File &>(node);
            if (!ready && file.untold && file.ready) {
                file.untold = false;
                ready = file.ready;
            }
        });
        if (!ready)
            return;
        ready();
    }
}

device::InputWait VirtualHidPlatform::inputWait(device::NodeFile &)
{
    return {device::InputWait::Kind::Notify, -1};
}

void VirtualHidPlatform::notifyInput(device::NodeFile &node, std::function<void()> ready)
{
    static_cast<File &>(node).ready = std::move(ready);
}

VirtualHidPlatform::Device *VirtualHidPlatform::connected(device::NodeFile &node)
{
    const auto &file = static_cast<const File &>(node);
    Device &d = *devices_[file.device];
    return d.plugged && file.generation == d.generation ? &d : nullptr;
}

PlatformResult VirtualHidPlatform::listNodes(std::vector<device::HidNode> &nodes)
{
    std::vector<int> plugged;
    for (std::size_t id = 0; id < devices_.size(); ++id) {
        if (devices_[id]->plugged)
            plugged.push_back(static_cast<int>(id));
    }
    std::sort(plugged.begin(), plugged.end(),
              [&](int a, int b) { return devices_[a]->nodeNumber < devices_[b]->nodeNumber; });
    for (int id : plugged)
        nodes.push_back({path(id), id});
    return PlatformResult::success();
}

PlatformResult VirtualHidPlatform::openNode(const std::string &path, std::uint32_t desiredAccess,
                                            bool, std::unique_ptr<device::NodeFile> &file,
                                            int &device)
{
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (devices_[i]->plugged && this->path(static_cast<int>(i)) == path)
            device = static_cast<int>(i);
    }
    if (device < 0)
        return PlatformResult::failure("open(" + path + "): No such file or directory");
    if ((desiredAccess & (device::GENERIC_READ | device::GENERIC_WRITE)) == 0)
        return PlatformResult::failure("open(" + path + "): Invalid argument");
    if (!devices_[device]->openable)
        return PlatformResult::failure("open(" + path + "): Permission denied");
    // Reports queued before this open go to the files open before it.
    pumpInputReports();
    auto open = std::make_unique<File>();
    open->device = device;
    open->generation = devices_[device]->generation;
    file = std::move(open);
    return PlatformResult::success();
}

device::ReadResult VirtualHidPlatform::readReports(device::NodeFile &node,
                                                   std::span<std::uint8_t> buffer,
                                                   std::uint32_t &bytesRead)
{
    auto &file = static_cast<File &>(node);
    pumpInputReports();
    const bool live = connected(node) != nullptr;
    while (!file.queue.empty() && bytesRead + file.queue.front().size() <= buffer.size()) {
        const auto &report = file.queue.front();
        std::copy(report.begin(), report.end(), buffer.begin() + bytesRead);
        bytesRead += static_cast<std::uint32_t>(report.size());
        file.queue.pop_front();
    }
    if (bytesRead > 0) {
        // A gone board's last reports are followed by the failure, told as news of its own.
        if (!live && file.ready)
            file.untold = true;
        return device::ReadResult::reports();
    }
    if (live)
        return device::ReadResult::nothingQueued("read: Resource temporarily unavailable");
    return device::ReadResult::failed("read: Input/output error");
}

PlatformResult VirtualHidPlatform::attributes(device::NodeFile &file,
                                              device::HIDD_ATTRIBUTES &attributes)
{
    const Device *d = connected(file);
    if (!d)
        return PlatformResult::failure("ioctl(HIDIOCGRAWINFO): No such device");
    attributes.VendorID = d->definition.vendorId;
    attributes.ProductID = d->definition.productId;
    attributes.VersionNumber = d->definition.versionNumber;
    return PlatformResult::success();
}

PlatformResult VirtualHidPlatform::string(device::NodeFile &file, device::HidStringKind kind,
                                          std::uint32_t stringIndex, std::span<std::uint8_t> buffer)
{
    const std::string operation = device::StringOperation(kind);
    const Device *d = connected(file);
    if (!d)
        return PlatformResult::failure(operation + ": No such device");
    const VirtualDeviceDefinition &definition = d->definition;
    const std::optional<std::u16string> *text = nullptr;
    std::optional<std::u16string> indexed;
    switch (kind) {
    case device::HidStringKind::Indexed:
        if (const auto found = definition.indexedStrings.find(stringIndex);
            found != definition.indexedStrings.end())
            indexed = found->second;
        text = &indexed;
        break;
    case device::HidStringKind::SerialNumber:
        text = &definition.serialNumber;
        break;
    case device::HidStringKind::Manufacturer:
        text = &definition.manufacturer;
        break;
    case device::HidStringKind::Product:
        text = &definition.product;
        break;
    }
    if (!text || !*text)
        return PlatformResult::failure(operation + ": no such string");
    if (!device::WriteUtf16Le(**text, buffer))
        return PlatformResult::failure(operation + ": buffer too small");
    return PlatformResult::success();
}

PlatformResult VirtualHidPlatform::collection(device::NodeFile &file,
                                              device::HidCollectionCaps &collection)
{
    const Device *d = connected(file);
    if (!d)
        return PlatformResult::failure("ioctl(HIDIOCGRDESC): No such device");
    if (!d->hasCollection)
        return PlatformResult::failure("HidD_GetPreparsedData("
                                       + path(static_cast<File &>(file).device)
                                       + "): no top-level collection");
    collection = d->caps;
    return PlatformResult::success();
}

PlatformResult VirtualHidPlatform::setFeature(device::NodeFile &file,
                                              std::span<const std::uint8_t> report)
{
    Device *d = connected(file);
    if (!d)
        return PlatformResult::failure("ioctl(HIDIOCSFEATURE): No such device");
    if (!d->board || report.empty())
        return PlatformResult::failure("ioctl(HIDIOCSFEATURE): Broken pipe");
    d->received.emplace_back(report.begin(), report.end());
    d->board->receiveFeatureReport(report);
    return PlatformResult::success();
}

PlatformResult VirtualHidPlatform::getFeature(device::NodeFile &file,
                                              std::span<std::uint8_t> report)
{
    Device *d = connected(file);
    if (!d)
        return PlatformResult::failure("ioctl(HIDIOCGFEATURE): No such device");
    if (!d->board || report.empty())
        return PlatformResult::failure("ioctl(HIDIOCGFEATURE): Broken pipe");
    const std::vector<std::uint8_t> reply = d->board->nextFeatureReply();
    std::copy_n(reply.begin(), std::min(reply.size(), report.size()), report.begin());
    return PlatformResult::success();
}

} // namespace tamo::sim
