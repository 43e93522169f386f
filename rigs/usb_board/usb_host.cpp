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
constexpr int kPendingPollMs = 5;
// A script's last change is due at its own time; past that, a host that stops polling (no
// reader has the node open) would keep the writer waiting for ever.
constexpr std::uint64_t kScriptSlackUs = 30'000'000;

} // namespace

bool BuildDevice(const Order &order, UsbIdentity &identity, std::optional<sim::BoardModel> &model,
                 std::string &error)
{
    orders::OrderedDevice made;
    if (!orders::DeviceFromOrder(order, made, error))
        return false;
    identity = {};
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
    model = std::move(made.model);
    return true;
}

UsbBoardHost::UsbBoardHost(std::function<void(const std::string &)> print, UsbHostPaths paths)
    : OrderHost(std::move(print), orders::Transport::Usb)
    , paths_(std::move(paths))
{}

std::vector<int> UsbBoardHost::fds() const
{
    std::vector<int> fds;
    for (const auto &[name, entry] : devices_) {
        const auto mine = entry.device->fds();
        fds.insert(fds.end(), mine.begin(), mine.end());
    }
    return fds;
}

void UsbBoardHost::printEvents(const std::string &name, std::vector<std::string> &events)
{
    for (const std::string &event : events)
        print("event " + name + " " + event);
    events.clear();
}

void UsbBoardHost::handleReadable(int fd, std::uint64_t nowUs)
{
    for (auto &[name, entry] : devices_) {
        const auto mine = entry.device->fds();
        if (std::find(mine.begin(), mine.end(), fd) == mine.end())
            continue;
        std::vector<std::string> events;
        entry.device->handleReadable(fd, nowUs, events);
        printEvents(name, events);
        return;
    }
}

void UsbBoardHost::service(std::uint64_t nowUs)
{
    runQueued(nowUs);
    for (auto &[name, entry] : devices_) {
        std::vector<std::string> events;
        entry.device->pumpInput(nowUs, events);
        printEvents(name, events);
    }
}

int UsbBoardHost::timeoutMs(std::uint64_t nowUs) const
{
    // The writer's notice ends a script; only its deadline needs a timer.
    if (pending_ && pending_->what == Pending::What::ScriptSent)
        return pending_->deadlineUs > nowUs ? static_cast<int>(
                   std::min<std::uint64_t>((pending_->deadlineUs - nowUs) / 1000 + 1, 1000))
                                            : 0;
    if (pending_)
        return kPendingPollMs;
    if (queued())
        return 0;
    int timeout = -1;
    for (const auto &[name, entry] : devices_) {
        const int mine = entry.device->timeoutMs(nowUs);
        if (mine >= 0)
            timeout = timeout < 0 ? mine : std::min(timeout, mine);
    }
    return timeout;
}

std::optional<std::string> UsbBoardHost::pluggedInName() const
{
    for (const auto &[name, entry] : devices_) {
        if (entry.device->pluggedIn())
            return name;
    }
    return std::nullopt;
}

void UsbBoardHost::run(const Order &order, std::uint64_t nowUs)
{
    if (order.verb == Verb::Create) {
        create(order, nowUs);
        return;
    }
    const auto found = devices_.find(order.device);
    if (found == devices_.end()) {
        fail(order, "no such device");
        return;
    }
    Entry &entry = found->second;
    sim::BoardModel *model = entry.device->function().model();
    switch (order.verb) {
    case Verb::Buttons:
    case Verb::SelfTest:
    case Verb::Status:
        if (!model) {
            fail(order, "not a board");
            return;
        }
        orders::ApplyToBoard(order, *model);
        ok(order);
        return;
    case Verb::Taps:
    case Verb::Bounce:
        if (!model) {
            fail(order, "not a board");
            return;
        }
        if ((model->buttons() & orders::ScriptButtonBit(order)) != 0) {
            fail(order, "the button is pressed; release it first");
            return;
        }
        startScript(order, entry, nowUs);
        return;
    case Verb::Dump: {
        const auto &reports = entry.device->function().featureReports();
        for (const auto &report : reports)
            print("feature " + order.device + " " + orders::HexText(report));
        ok(order, "count=" + std::to_string(reports.size()));
        return;
    }
    case Verb::Unplug:
    case Verb::Remove:
        if (!entry.device->pluggedIn()) {
            if (order.verb == Verb::Remove) {
                devices_.erase(found);
                ok(order);
            } else {
                fail(order, "not plugged in");
            }
            return;
        }
        entry.device->unplug();
        pending_ = Pending{Pending::What::NodeGone, order, nowUs + kNodeWaitUs};
        return;
    case Verb::Replug:
        if (entry.device->pluggedIn()) {
            fail(order, "already plugged in");
            return;
        }
        plugIn(order, entry, nowUs);
        return;
    case Verb::Create:
    case Verb::Quit:
        break;
    }
}

void UsbBoardHost::create(const Order &order, std::uint64_t nowUs)
{
    if (devices_.contains(order.device)) {
        fail(order, "exists already");
        return;
    }
    UsbIdentity identity;
    std::optional<sim::BoardModel> model;
    std::string error;
    if (!BuildDevice(order, identity, model, error)) {
        fail(order, error);
        return;
    }
    Entry &entry = devices_[order.device];
    entry.device = std::make_unique<GadgetDevice>(
        BoardFunction(std::move(identity), std::move(model)), paths_.gadgetfs);
    plugIn(order, entry, nowUs);
    if (!entry.device->pluggedIn())
        devices_.erase(order.device);
}

void UsbBoardHost::plugIn(const Order &order, Entry &entry, std::uint64_t nowUs)
{
    if (const auto other = pluggedInName()) {
        fail(order, "gadgetfs serves one device at a time; unplug " + *other + " first");
        return;
    }
    std::string error;
    if (!entry.device->plugIn(error)) {
        fail(order, error);
        return;
    }
    pending_ = Pending{Pending::What::NodeAppears, order, nowUs + kNodeWaitUs};
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
    const auto changes = orders::ScriptChanges(order, entry.device->function().model()->buttons());
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
    pending_ = Pending{Pending::What::ScriptSent, order, nowUs + lastUs + kScriptSlackUs};
}

void UsbBoardHost::advanceScript(Entry &entry, std::uint64_t nowUs)
{
    const Order order = pending_->order;
    if (auto result = entry.device->takeScriptResult()) {
        pending_.reset();
        if (result->cancelled)
            fail(order, "cancelled after " + std::to_string(result->sentUs.size()) + " changes");
        else
            ok(order, orders::ScriptReply(result->sentUs));
        return;
    }
    if (nowUs < pending_->deadlineUs)
        return;
    // The writer leaves a cancelled result, taken and dropped by the next script's start.
    entry.device->cancelScript();
    pending_.reset();
    fail(order, "the changes did not all go within " + std::to_string(kScriptSlackUs / 1'000'000)
                    + " s of the last one's time (usbhid polls only while the node is open)");
}

void UsbBoardHost::advancePending(std::uint64_t nowUs)
{
    if (!pending_)
        return;
    const Order order = pending_->order;
    const auto found = devices_.find(order.device);
    if (found == devices_.end()) {
        pending_.reset();
        return;
    }
    Entry &entry = found->second;
    if (pending_->what == Pending::What::ScriptSent) {
        advanceScript(entry, nowUs);
        return;
    }
    const auto nodes = findNodes();
    if (pending_->what == Pending::What::NodeAppears) {
        if (nodes) {
            entry.node = nodes->first;
            entry.usbNode = nodes->second;
            pending_.reset();
            ok(order, "node=" + entry.node + " usb=" + entry.usbNode);
        } else if (nowUs >= pending_->deadlineUs) {
            pending_.reset();
            entry.device->unplug();
            fail(order, "no hidraw node appeared on dummy_hcd (are usbhid and hid-generic "
                        "loaded?)");
            if (order.verb == Verb::Create)
                devices_.erase(found);
        }
        return;
    }
    if (nodes && nowUs < pending_->deadlineUs)
        return;
    pending_.reset();
    entry.node.clear();
    entry.usbNode.clear();
    if (nodes)
        fail(order, "the hidraw node stayed after the device was disconnected");
    else
        ok(order);
    if (order.verb == Verb::Remove)
        devices_.erase(found);
}

} // namespace tamo::usb
