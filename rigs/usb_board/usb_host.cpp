// SPDX-License-Identifier: GPL-3.0-or-later
#include "usb_host.h"

#include "linux_sysfs.h"
#include "order_device.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace tamo::usb {

namespace {

using orders::Order;
using orders::Verb;

// Enumeration under emulation is slow: the hub's debounce, then every descriptor.
constexpr std::uint64_t kNodeWaitUs = 20'000'000;
// A script's last change is due at its own time; past that, a host that stops polling (no
// reader has the node open) would keep the writer waiting for ever.
constexpr std::uint64_t kScriptSlackUs = 30'000'000;

UsbIdentity IdentityOf(const orders::OrderedDevice &made)
{
    UsbIdentity identity;
    identity.vendorId = made.vendorId;
    identity.productId = made.productId;
    identity.bcdDevice = made.version;
    identity.manufacturer = made.manufacturer;
    identity.product = made.product;
    identity.serial = made.serial;
    identity.marker = made.marker;
    identity.reportDescriptor = made.reportDescriptor;
    // On the wire a report of a board without report IDs has no ID byte; the mouse sends its
    // buttons, X, Y and wheel.
    identity.inputPacketBytes =
        made.model ? static_cast<std::uint16_t>(made.inputReportBytes - 1) : std::uint16_t{4};
    return identity;
}

} // namespace

bool BuildDevice(const Order &order, UsbIdentity &identity, std::optional<sim::BoardModel> &model,
                 std::string &error)
{
    orders::OrderedDevice made;
    if (!orders::DeviceFromOrder(order, made, error))
        return false;
    identity = IdentityOf(made);
    model = std::move(made.model);
    return true;
}

UsbBoardHost::UsbBoardHost(std::function<void(const std::string &)> print, UsbHostPaths paths)
    : DeviceHost(std::move(print),
                 {orders::Transport::Usb, 1000, kNodeWaitUs, 5,
                  "no hidraw node appeared on dummy_hcd (are usbhid and hid-generic loaded?)",
                  "the hidraw node stayed after the device was disconnected"})
    , paths_(std::move(paths))
{}

std::unique_ptr<GadgetDevice> UsbBoardHost::make(const Order &, orders::OrderedDevice made,
                                                 std::string &)
{
    UsbIdentity identity = IdentityOf(made);
    return std::make_unique<GadgetDevice>(BoardFunction(std::move(identity), std::move(made.model)),
                                          paths_.gadgetfs);
}

void UsbBoardHost::printEvents(const std::string &name, std::vector<std::string> &events)
{
    for (const std::string &event : events)
        print("event " + name + " " + event);
    events.clear();
}

void UsbBoardHost::readable(const std::string &name, GadgetDevice &device, int fd,
                            std::uint64_t nowUs)
{
    std::vector<std::string> events;
    device.handleReadable(fd, nowUs, events);
    printEvents(name, events);
}

void UsbBoardHost::pump(const std::string &name, GadgetDevice &device, std::uint64_t nowUs)
{
    std::vector<std::string> events;
    device.pumpInput(nowUs, events);
    printEvents(name, events);
}

bool UsbBoardHost::plugIn(const Order &, Entry &entry, std::string &error)
{
    if (const auto other = pluggedInName()) {
        error = "gadgetfs serves one device at a time; unplug " + *other + " first";
        return false;
    }
    return entry.device->plugIn(error);
}

std::optional<std::string> UsbBoardHost::findNode(Entry &entry) const
{
    const auto nodes = findNodes();
    if (!nodes)
        return std::nullopt;
    entry.node = nodes->first;
    return "node=" + nodes->first + " usb=" + nodes->second;
}

std::optional<std::pair<std::string, std::string>> UsbBoardHost::findNodes() const
{
    std::string error;
    for (const std::string &node : device::ListHidrawNodes(paths_.sysfs, error)) {
        const device::HidrawSysfs sysfs = device::ReadHidrawSysfs(paths_.sysfs, node);
        if (!sysfs.usb || !sysfs.usb->busnum || !sysfs.usb->devnum)
            continue;
        std::error_code ignored;
        const auto real = std::filesystem::canonical(sysfs.usb->directory, ignored).string();
        if (real.find("/dummy_hcd.") == std::string::npos)
            continue;
        char usbNode[32];
        std::snprintf(usbNode, sizeof usbNode, "bus/usb/%03d/%03d", *sysfs.usb->busnum,
                      *sysfs.usb->devnum);
        // The device nodes follow their sysfs entries a moment later.
        if (std::filesystem::exists(paths_.dev / node, ignored)
            && std::filesystem::exists(paths_.dev / usbNode, ignored))
            return std::make_pair(node, std::string(usbNode));
    }
    return std::nullopt;
}

void UsbBoardHost::startScript(const Order &order, Entry &entry, std::uint64_t nowUs)
{
    const auto changes = orders::ScriptChanges(order, entry.device->model()->buttons());
    // The first change a moment from now, so that it too goes at its time.
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t startNs = static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000
                                  + static_cast<std::uint64_t>(now.tv_nsec) + 1'000'000;
    std::string error;
    if (!entry.device->runScript(changes, startNs, error)) {
        fail(order, error);
        return;
    }
    const std::uint64_t lastUs = changes.empty() ? 0 : changes.back().atUs;
    awaitScript(order, nowUs + lastUs + kScriptSlackUs);
}

bool UsbBoardHost::scriptDone(const Order &order, Entry &entry, bool late)
{
    if (auto result = entry.device->takeScriptResult()) {
        if (result->cancelled)
            fail(order, "cancelled after " + std::to_string(result->sentUs.size()) + " changes");
        else
            ok(order, orders::ScriptReply(result->sentUs));
        return true;
    }
    if (!late)
        return false;
    // The writer leaves a cancelled result, taken and dropped by the next script's start.
    entry.device->cancelScript();
    fail(order, "the changes did not all go within " + std::to_string(kScriptSlackUs / 1'000'000)
                    + " s of the last one's time (usbhid polls only while the node is open)");
    return true;
}

} // namespace tamo::usb
