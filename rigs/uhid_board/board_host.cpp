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
constexpr int kPendingPollMs = 2;
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
    : OrderHost(std::move(print), orders::Transport::Uhid)
    , paths_(std::move(paths))
{}

std::vector<int> BoardHost::fds() const
{
    std::vector<int> fds;
    for (const auto &[name, entry] : devices_) {
        if (entry.device->created())
            fds.push_back(entry.device->fd());
    }
    return fds;
}

void BoardHost::handleReadable(int fd, std::uint64_t nowMs)
{
    for (auto &[name, entry] : devices_) {
        if (!entry.device->created() || entry.device->fd() != fd)
            continue;
        std::string error;
        const auto happening = entry.device->handleEvent(nowMs, error);
        if (happening) {
            std::string line = "event " + name + " " + KindName(happening->kind);
            if (!happening->data.empty() || happening->kind == UhidHappening::Kind::GetFeature)
                line += " " + HexText(happening->data);
            print(line);
        }
        if (!error.empty())
            print("event " + name + " error " + error);
        return;
    }
}

void BoardHost::service(std::uint64_t nowMs)
{
    runQueued(nowMs);
    for (auto &[name, entry] : devices_) {
        std::string error;
        if (!entry.device->pumpInput(nowMs, error))
            print("event " + name + " error " + error);
    }
}

int BoardHost::timeoutMs(std::uint64_t nowMs) const
{
    if (pending_) {
        if (pending_->what == Pending::What::DestroyDue && pending_->dueMs > nowMs)
            return static_cast<int>(pending_->dueMs - nowMs);
        return kPendingPollMs;
    }
    if (queued())
        return 0;
    int timeout = -1;
    for (const auto &[name, entry] : devices_) {
        const sim::BoardModel *model = std::as_const(*entry.device).model();
        if (entry.device->created() && model && model->inputMode() == sim::InputMode::Streaming) {
            const int period = static_cast<int>(model->streamPeriodMs());
            timeout = timeout < 0 ? period : std::min(timeout, period);
        }
    }
    return timeout;
}

void BoardHost::run(const Order &order, std::uint64_t nowMs)
{
    if (order.verb == Verb::Create) {
        create(order, nowMs);
        return;
    }
    const auto found = devices_.find(order.device);
    if (found == devices_.end()) {
        fail(order, "no such device");
        return;
    }
    Entry &entry = found->second;
    sim::BoardModel *model = entry.device->model();
    switch (order.verb) {
    case Verb::Buttons:
    case Verb::SelfTest:
    case Verb::Status:
        if (!model) {
            fail(order, "not a board");
            return;
        }
        orders::ApplyToBoard(order, *model);
        // Sent before the reply, so that the report is queued when the order is done.
        if (std::string error;
            order.verb == Verb::Buttons && !entry.device->pumpInput(nowMs, error)) {
            fail(order, error);
            return;
        }
        ok(order);
        return;
    case Verb::Taps:
    case Verb::Bounce: {
        if (!model || !entry.device->created()) {
            fail(order, model ? "not plugged in" : "not a board");
            return;
        }
        if ((model->buttons() & orders::ScriptButtonBit(order)) != 0) {
            fail(order, "the button is pressed; release it first");
            return;
        }
        std::string error;
        const auto sent =
            RunScript(*entry.device, orders::ScriptChanges(order, model->buttons()), error);
        if (!error.empty())
            fail(order, error + " after " + std::to_string(sent.size()) + " changes");
        else
            ok(order, orders::ScriptReply(sent));
        return;
    }
    case Verb::Dump: {
        const auto &reports = entry.device->featureReports();
        for (const auto &report : reports)
            print("feature " + order.device + " " + HexText(report));
        ok(order, "count=" + std::to_string(reports.size()));
        return;
    }
    case Verb::Unplug:
    case Verb::Remove:
        if (!entry.device->created()) {
            if (order.verb == Verb::Remove) {
                devices_.erase(found);
                ok(order);
            } else {
                fail(order, "not plugged in");
            }
            return;
        }
        unplug(order, entry, nowMs);
        return;
    case Verb::Replug:
        if (entry.device->created()) {
            fail(order, "already plugged in");
            return;
        }
        plugIn(order, entry, nowMs);
        return;
    case Verb::Create:
    case Verb::Quit:
        break;
    }
}

void BoardHost::create(const Order &order, std::uint64_t nowMs)
{
    if (devices_.contains(order.device)) {
        fail(order, "exists already");
        return;
    }
    orders::OrderedDevice made;
    if (std::string error; !orders::DeviceFromOrder(order, made, error)) {
        fail(order, error);
        return;
    }
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
    Entry &entry = devices_[order.device];
    entry.device = std::make_unique<UhidDevice>(std::move(identity), std::move(made.model));
    plugIn(order, entry, nowMs);
    if (!entry.device->created() && !pending_)
        devices_.erase(order.device);
}

void BoardHost::plugIn(const Order &order, Entry &entry, std::uint64_t nowMs)
{
    const int fd = ::open(paths_.uhid.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        fail(order, device::ErrnoText("open(" + paths_.uhid + ")", errno));
        return;
    }
    std::string error;
    if (!entry.device->create(fd, error)) {
        fail(order, error);
        return;
    }
    // The kernel probes the device and makes its node in the background.
    pending_ = Pending{Pending::What::NodeAppears, order, 0, nowMs + kNodeWaitMs};
}

void BoardHost::unplug(const Order &order, Entry &entry, std::uint64_t nowMs)
{
    const auto last = entry.device->lastReplyMs();
    const std::uint64_t due = last ? *last + kQuietBeforeDestroyMs : 0;
    pending_ = Pending{Pending::What::DestroyDue, order, due, 0};
    advancePending(nowMs);
}

void BoardHost::advancePending(std::uint64_t nowMs)
{
    if (!pending_)
        return;
    const auto found = devices_.find(pending_->order.device);
    if (found == devices_.end()) {
        pending_.reset();
        return;
    }
    Entry &entry = found->second;
    const Order order = pending_->order;
    switch (pending_->what) {
    case Pending::What::NodeAppears:
        if (const auto node = nodeOf(entry.device->identity().phys)) {
            entry.node = *node;
            pending_.reset();
            ok(order, "node=" + entry.node);
        } else if (nowMs >= pending_->deadlineMs) {
            pending_.reset();
            entry.device->destroy();
            fail(order, "no hidraw node appeared (is hid-generic loaded?)");
            if (order.verb == Verb::Create)
                devices_.erase(found);
        }
        return;
    case Pending::What::DestroyDue:
        if (nowMs < pending_->dueMs)
            return;
        entry.device->destroy();
        pending_->what = Pending::What::NodeGone;
        pending_->deadlineMs = nowMs + kNodeWaitMs;
        [[fallthrough]];
    case Pending::What::NodeGone: {
        std::error_code ignored;
        const bool gone =
            entry.node.empty()
            || !std::filesystem::exists(paths_.sysfs / "class" / "hidraw" / entry.node, ignored);
        if (!gone && nowMs < pending_->deadlineMs)
            return;
        pending_.reset();
        entry.node.clear();
        if (!gone)
            fail(order, "the hidraw node stayed after the device was destroyed");
        else
            ok(order);
        if (order.verb == Verb::Remove)
            devices_.erase(found);
        return;
    }
    }
}

std::optional<std::string> BoardHost::nodeOf(const std::string &phys) const
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
        if (found != fields.end() && found->second == phys
            && std::filesystem::exists(paths_.dev / node, ignored))
            return node;
    }
    return std::nullopt;
}

} // namespace tamo::uhid
