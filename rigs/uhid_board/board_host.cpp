// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_host.h"

#include "errno_text.h"
#include "linux_sysfs.h"
#include "order_device.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>
#include <utility>

namespace tamo::uhid {

namespace {

// Destroying a device right after it answered a request races with the ioctl that is still
// returning in the client, which then fails with EIO now and then.
constexpr std::uint64_t kQuietBeforeDestroyMs = 100;
constexpr std::uint64_t kNodeWaitMs = 5000;
constexpr std::size_t kPhysLimit = 63;

std::uint64_t MonotonicNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000
           + static_cast<std::uint64_t>(now.tv_nsec);
}

// Each change at its own time from a moment from now; the CLOCK_MONOTONIC microseconds at
// which each went. A uhid write queues the report in the kernel at once, so the program does
// nothing else meanwhile: the kernel keeps its events for us until the script is done.
std::vector<std::uint64_t> RunScript(UhidDevice &device,
                                     const std::vector<orders::ScriptedChange> &changes,
                                     std::string &error)
{
    const std::uint64_t startNs = MonotonicNs() + 1'000'000;
    std::vector<std::uint64_t> sentUs;
    for (const orders::ScriptedChange &change : changes) {
        const std::uint64_t dueNs = startNs + change.atUs * 1000;
        const timespec due{static_cast<time_t>(dueNs / 1'000'000'000),
                           static_cast<long>(dueNs % 1'000'000'000)};
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR) {
        }
        const std::uint64_t sent = MonotonicNs() / 1000;
        if (!device.sendInputReport(device.model()->inputReportWith(change.buttons), error))
            break;
        sentUs.push_back(sent);
    }
    return sentUs;
}

} // namespace

BoardHost::BoardHost(std::function<void(const std::string &)> print, HostPaths paths)
    : DeviceHost(std::move(print), {orders::Transport::Uhid, 1, kNodeWaitMs, 2,
                                    "no hidraw node appeared (is hid-generic loaded?)",
                                    "the hidraw node stayed after the device was destroyed"})
    , paths_(std::move(paths))
{}

std::unique_ptr<UhidDevice> BoardHost::make(const orders::Order &order, orders::OrderedDevice made,
                                            std::string &)
{
    UhidIdentity identity;
    identity.name = made.product;
    identity.phys = ("tamo-uhid-board-" + std::to_string(::getpid()) + "/" + order.device)
                        .substr(0, kPhysLimit);
    identity.uniq = made.serial.value_or("");
    identity.bus = BUS_USB;
    identity.vendor = made.vendorId;
    identity.product = made.productId;
    identity.version = made.version;
    identity.descriptor = std::move(made.reportDescriptor);
    return std::make_unique<UhidDevice>(std::move(identity), std::move(made.model));
}

bool BoardHost::plugIn(const orders::Order &, Entry &entry, std::string &error)
{
    const int fd = ::open(paths_.uhid.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = device::ErrnoText("open(" + paths_.uhid + ")", errno);
        return false;
    }
    return entry.device->create(fd, error);
}

std::uint64_t BoardHost::unplugDue(const Entry &entry) const
{
    const auto last = entry.device->lastReplyMs();
    return last ? *last + kQuietBeforeDestroyMs : 0;
}

std::optional<std::string> BoardHost::findNode(Entry &entry) const
{
    std::string error;
    for (const std::string &node : device::ListHidrawNodes(paths_.sysfs, error)) {
        const auto uevent = device::ReadSysfsAttribute(paths_.sysfs / "class" / "hidraw" / node
                                                       / "device" / "uevent");
        if (!uevent)
            continue;
        const auto fields = device::ParseUevent(*uevent);
        const auto found = fields.find("HID_PHYS");
        std::error_code ignored;
        // The device node follows its sysfs entry a moment later.
        if (found != fields.end() && found->second == entry.device->identity().phys
            && std::filesystem::exists(paths_.dev / node, ignored)) {
            entry.node = node;
            return "node=" + node;
        }
    }
    return std::nullopt;
}

bool BoardHost::nodeGone(const Entry &entry) const
{
    std::error_code ignored;
    return entry.node.empty()
           || !std::filesystem::exists(paths_.sysfs / "class" / "hidraw" / entry.node, ignored);
}

void BoardHost::startScript(const orders::Order &order, Entry &entry, std::uint64_t)
{
    std::string error;
    const auto sent = RunScript(
        *entry.device, orders::ScriptChanges(order, entry.device->model()->buttons()), error);
    if (!error.empty())
        fail(order, error + " after " + std::to_string(sent.size()) + " changes");
    else
        ok(order, orders::ScriptReply(sent));
}

bool BoardHost::sendChange(Entry &entry, std::uint64_t nowMs, std::string &error)
{
    return entry.device->pumpInput(nowMs, error);
}

std::vector<int> BoardHost::fdsOf(const UhidDevice &device) const
{
    if (device.pluggedIn())
        return {device.fd()};
    return {};
}

void BoardHost::readable(const std::string &name, UhidDevice &device, int, std::uint64_t nowMs)
{
    std::string error;
    const auto happening = device.handleEvent(nowMs, error);
    if (happening) {
        std::string line = "event " + name + " " + KindName(happening->kind);
        if (!happening->data.empty() || happening->kind == UhidHappening::Kind::GetFeature)
            line += " " + orders::HexText(happening->data);
        print(line);
    }
    if (!error.empty())
        print("event " + name + " error " + error);
}

void BoardHost::pump(const std::string &name, UhidDevice &device, std::uint64_t nowMs)
{
    std::string error;
    if (!device.pumpInput(nowMs, error))
        print("event " + name + " error " + error);
}

int BoardHost::deviceTimeoutMs(const UhidDevice &device, std::uint64_t) const
{
    const sim::BoardModel *model = device.model();
    if (device.pluggedIn() && model && model->inputMode() == sim::InputMode::Streaming)
        return static_cast<int>(model->streamPeriodMs());
    return -1;
}

} // namespace tamo::uhid
