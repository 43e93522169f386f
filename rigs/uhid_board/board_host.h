// SPDX-License-Identifier: GPL-3.0-or-later
// The devices of one tamo-uhid-board run: carries out the orders in turn, answers the
// kernel's events, sends the boards' input reports, and prints one line for every reply and
// every event worth knowing:
//   ok VERB NAME [node=hidrawN] [count=N]     an order done
//   error VERB NAME: TEXT                     an order refused
//   event NAME start|stop|open|close          the kernel's view of the device
//   event NAME get HEX | set HEX | output HEX | refused HEX
//   feature NAME HEX                          one received feature report (dump)
#pragma once

#include "board_orders.h"
#include "order_host.h"
#include "uhid_device.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tamo::uhid {

using orders::CreateOptions;
using orders::HexText;
using orders::Order;
using orders::ParseOrder;
using orders::Verb;
using orders::VerbName;

struct HostPaths {
    std::string uhid = "/dev/uhid";
    std::filesystem::path sysfs = "/sys";
    std::filesystem::path dev = "/dev";
};

class BoardHost : public orders::OrderHost {
public:
    explicit BoardHost(std::function<void(const std::string &)> print, HostPaths paths = {});

    // The devices' files, to be watched for events.
    std::vector<int> fds() const;
    void handleReadable(int fd, std::uint64_t nowMs);
    // Runs what is due: the next orders, the waits for nodes, the input reports.
    void service(std::uint64_t nowMs);
    // How long the caller may sleep before the next service.
    int timeoutMs(std::uint64_t nowMs) const;

private:
    struct Entry {
        std::unique_ptr<UhidDevice> device;
        std::string node; // hidrawN while the device exists
    };
    // An order that waits for the kernel: a node to appear or vanish, or a safe moment to
    // destroy a device.
    struct Pending {
        enum class What { NodeAppears, DestroyDue, NodeGone } what;
        Order order;
        std::uint64_t dueMs = 0;
        std::uint64_t deadlineMs = 0;
    };

    void run(const Order &order, std::uint64_t nowMs) override;
    bool waiting() const override { return pending_.has_value(); }
    void create(const Order &order, std::uint64_t nowMs);
    void plugIn(const Order &order, Entry &entry, std::uint64_t nowMs);
    void unplug(const Order &order, Entry &entry, std::uint64_t nowMs);
    void advancePending(std::uint64_t nowMs) override;
    std::optional<std::string> nodeOf(const std::string &phys) const;

    HostPaths paths_;
    std::map<std::string, Entry> devices_;
    std::optional<Pending> pending_;
};

} // namespace tamo::uhid
