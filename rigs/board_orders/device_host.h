// SPDX-License-Identifier: GPL-3.0-or-later
// What both board programs do with their devices: the table of devices by name, the orders
// on them and their replies, and the waits for the kernel while a device is plugged in or out.
// A host supplies how its kind of device is made, plugged in and out, found as a node and
// served. Device has pluggedIn(), model() and featureReports().
#pragma once

#include "board_orders.h"
#include "order_device.h"
#include "order_host.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tamo::orders {

struct DeviceHostSetup {
    Transport transport = Transport::Uhid;
    std::uint64_t unitsPerMs = 1; // of the host's time
    std::uint64_t nodeWait = 0;   // for a node to appear or vanish, in the host's unit
    int pendingPollMs = 5;
    std::string noNode;     // why a plug-in failed when no node appeared in time
    std::string nodeStayed; // why an unplug failed when the node stayed
};

template<class Device>
class DeviceHost : public OrderHost {
public:
    std::vector<int> fds() const
    {
        std::vector<int> fds;
        for (const auto &[name, entry] : devices_) {
            const auto mine = fdsOf(*entry.device);
            fds.insert(fds.end(), mine.begin(), mine.end());
        }
        return fds;
    }

    void handleReadable(int fd, std::uint64_t now)
    {
        for (auto &[name, entry] : devices_) {
            const auto mine = fdsOf(*entry.device);
            if (std::find(mine.begin(), mine.end(), fd) != mine.end()) {
                readable(name, *entry.device, fd, now);
                return;
            }
        }
    }

    // Runs what is due: the next orders, the waits for the kernel, the devices' input.
    void service(std::uint64_t now)
    {
        runQueued(now);
        for (auto &[name, entry] : devices_)
            pump(name, *entry.device, now);
    }

    // How long the caller may sleep before the next service.
    int timeoutMs(std::uint64_t now) const
    {
        if (pending_) {
            const std::uint64_t until = pending_->what == What::UnplugDue    ? pending_->due
                                        : pending_->what == What::ScriptSent ? pending_->deadline
                                                                             : 0;
            if (until == 0)
                return setup_.pendingPollMs;
            return until > now ? static_cast<int>(std::min<std::uint64_t>(
                       (until - now + setup_.unitsPerMs - 1) / setup_.unitsPerMs, 1000))
                               : 0;
        }
        if (queued())
            return 0;
        int timeout = -1;
        for (const auto &[name, entry] : devices_) {
            const int mine = deviceTimeoutMs(*entry.device, now);
            if (mine >= 0)
                timeout = timeout < 0 ? mine : std::min(timeout, mine);
        }
        return timeout;
    }

protected:
    struct Entry {
        std::unique_ptr<Device> device;
        std::string node; // hidrawN while the device is plugged in
    };

    DeviceHost(std::function<void(const std::string &)> print, DeviceHostSetup setup)
        : OrderHost(std::move(print), setup.transport)
        , setup_(std::move(setup))
    {}

    // The order waits until the script's changes have gone, or until the deadline.
    void awaitScript(const Order &order, std::uint64_t deadline)
    {
        pending_ = Pending{What::ScriptSent, order, 0, deadline};
    }
    std::optional<std::string> pluggedInName() const
    {
        for (const auto &[name, entry] : devices_) {
            if (entry.device->pluggedIn())
                return name;
        }
        return std::nullopt;
    }

private:
    enum class What { NodeAppears, UnplugDue, NodeGone, ScriptSent };
    struct Pending {
        What what;
        Order order;
        std::uint64_t due = 0;
        std::uint64_t deadline = 0;
    };

    virtual std::unique_ptr<Device> make(const Order &order, OrderedDevice made,
                                         std::string &error) = 0;
    virtual bool plugIn(const Order &order, Entry &entry, std::string &error) = 0;
    virtual void unplug(Entry &entry) = 0;
    // When an unplug may go (a device may need a quiet moment first).
    virtual std::uint64_t unplugDue(const Entry &) const { return 0; }
    // Sets entry.node once the node is there and returns the reply's extra text.
    virtual std::optional<std::string> findNode(Entry &entry) const = 0;
    virtual bool nodeGone(const Entry &entry) const = 0;
    // Replies itself, or calls awaitScript and replies from scriptDone.
    virtual void startScript(const Order &order, Entry &entry, std::uint64_t now) = 0;
    // Replies and returns true once the script's changes have gone, or when `late` (past its
    // deadline) after cancelling it.
    virtual bool scriptDone(const Order &, Entry &, bool /*late*/) { return true; }
    // After a buttons order changed the model; false with error set when its report cannot go.
    virtual bool sendChange(Entry &, std::uint64_t, std::string &) { return true; }
    virtual std::vector<int> fdsOf(const Device &device) const = 0;
    virtual void readable(const std::string &name, Device &device, int fd, std::uint64_t now) = 0;
    virtual void pump(const std::string &name, Device &device, std::uint64_t now) = 0;
    virtual int deviceTimeoutMs(const Device &device, std::uint64_t now) const = 0;

    bool waiting() const override { return pending_.has_value(); }

    void run(const Order &order, std::uint64_t now) override
    {
        if (order.verb == Verb::Create) {
            create(order, now);
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
            ApplyToBoard(order, *model);
            // Sent before the reply, so that the report has gone when the order is done.
            if (std::string error; order.verb == Verb::Buttons && !sendChange(entry, now, error)) {
                fail(order, error);
                return;
            }
            ok(order);
            return;
        case Verb::Taps:
        case Verb::Bounce:
            if (!model || !entry.device->pluggedIn())
                fail(order, model ? "not plugged in" : "not a board");
            else if ((model->buttons() & ScriptButtonBit(order)) != 0)
                fail(order, "the button is pressed; release it first");
            else
                startScript(order, entry, now);
            return;
        case Verb::Dump: {
            const auto &reports = entry.device->featureReports();
            for (const auto &report : reports)
                print("feature " + order.device + " " + HexText(report));
            ok(order, "count=" + std::to_string(reports.size()));
            return;
        }
        case Verb::Unplug:
        case Verb::Remove:
            if (entry.device->pluggedIn()) {
                pending_ = Pending{What::UnplugDue, order, unplugDue(entry), 0};
                advancePending(now);
            } else if (order.verb == Verb::Remove) {
                devices_.erase(found);
                ok(order);
            } else {
                fail(order, "not plugged in");
            }
            return;
        case Verb::Replug:
            if (entry.device->pluggedIn())
                fail(order, "already plugged in");
            else
                startPlugIn(order, entry, now);
            return;
        case Verb::Create:
        case Verb::Quit:
            break;
        }
    }

    void create(const Order &order, std::uint64_t now)
    {
        if (devices_.contains(order.device)) {
            fail(order, "exists already");
            return;
        }
        OrderedDevice made;
        std::string error;
        std::unique_ptr<Device> device;
        if (DeviceFromOrder(order, made, error))
            device = make(order, std::move(made), error);
        if (!device) {
            fail(order, error);
            return;
        }
        Entry &entry = devices_[order.device];
        entry.device = std::move(device);
        startPlugIn(order, entry, now);
        if (!pending_)
            devices_.erase(order.device);
    }

    void startPlugIn(const Order &order, Entry &entry, std::uint64_t now)
    {
        if (std::string error; !plugIn(order, entry, error)) {
            fail(order, error);
            return;
        }
        // The kernel probes the device and makes its node in the background.
        pending_ = Pending{What::NodeAppears, order, 0, now + setup_.nodeWait};
    }

    void advancePending(std::uint64_t now) override
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
        case What::NodeAppears:
            if (const auto reply = findNode(entry)) {
                pending_.reset();
                ok(order, *reply);
            } else if (now >= pending_->deadline) {
                pending_.reset();
                unplug(entry);
                fail(order, setup_.noNode);
                if (order.verb == Verb::Create)
                    devices_.erase(found);
            }
            return;
        case What::ScriptSent:
            if (scriptDone(order, entry, now >= pending_->deadline))
                pending_.reset();
            return;
        case What::UnplugDue:
            if (now < pending_->due)
                return;
            unplug(entry);
            pending_->what = What::NodeGone;
            pending_->deadline = now + setup_.nodeWait;
            [[fallthrough]];
        case What::NodeGone: {
            const bool gone = nodeGone(entry);
            if (!gone && now < pending_->deadline)
                return;
            pending_.reset();
            entry.node.clear();
            if (!gone)
                fail(order, setup_.nodeStayed);
            else
                ok(order);
            if (order.verb == Verb::Remove)
                devices_.erase(found);
            return;
        }
        }
    }

    DeviceHostSetup setup_;
    std::map<std::string, Entry> devices_;
    std::optional<Pending> pending_;
};

} // namespace tamo::orders
