// SPDX-License-Identifier: GPL-3.0-or-later
// The devices of one tamo-usb-board run: carries out the orders in turn (board_orders.h),
// serves the plugged-in device's control requests and input reports, and prints a line for
// every reply and every event worth knowing:
//   ok VERB NAME [node=hidrawN usb=bus/usb/BBB/DDD] [count=N]   an order done
//   ok taps|bounce NAME changes=N sent=US,...   every change's CLOCK_MONOTONIC send time
//   error VERB NAME: TEXT                                       an order refused
//   event NAME connect full|high | disconnect | configured N
//   event NAME string N [stalled]     a string descriptor the host asked for
//   event NAME get HEX | set HEX | refused HEX | stall SETUP
//   event NAME report BITS sent=US    the first input report with new buttons, as it was
//                                     written to the endpoint (CLOCK_MONOTONIC microseconds)
//   feature NAME HEX                  one received feature report (dump)
// gadgetfs serves one device at a time, so only one device may be plugged in at once.
#pragma once

#include "board_orders.h"
#include "gadget_device.h"
#include "order_host.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tamo::usb {

struct UsbHostPaths {
    std::filesystem::path gadgetfs = "/dev/gadget";
    std::filesystem::path sysfs = "/sys";
    std::filesystem::path dev = "/dev";
};

// The device that an order creates: the board's or the foreign mouse's defaults, with the
// order's options over them. False with error set when the options cannot make a device.
bool BuildDevice(const orders::Order &order, UsbIdentity &identity,
                 std::optional<sim::BoardModel> &model, std::string &error);

class UsbBoardHost : public orders::OrderHost {
public:
    explicit UsbBoardHost(std::function<void(const std::string &)> print, UsbHostPaths paths = {});

    std::vector<int> fds() const;
    void handleReadable(int fd, std::uint64_t nowUs);
    void service(std::uint64_t nowUs);
    int timeoutMs(std::uint64_t nowUs) const;

private:
    struct Entry {
        std::unique_ptr<GadgetDevice> device;
        std::string node;
        std::string usbNode;
    };
    struct Pending {
        enum class What { NodeAppears, NodeGone, ScriptSent } what;
        orders::Order order;
        std::uint64_t deadlineUs = 0;
    };

    void run(const orders::Order &order, std::uint64_t nowUs) override;
    bool waiting() const override { return pending_.has_value(); }
    void create(const orders::Order &order, std::uint64_t nowUs);
    void plugIn(const orders::Order &order, Entry &entry, std::uint64_t nowUs);
    void startScript(const orders::Order &order, Entry &entry, std::uint64_t nowUs);
    void advanceScript(Entry &entry, std::uint64_t nowUs);
    void advancePending(std::uint64_t nowUs) override;
    // The hidraw node and USB device node of the device on the dummy host controller.
    std::optional<std::pair<std::string, std::string>> findNodes() const;
    std::optional<std::string> pluggedInName() const;
    void printEvents(const std::string &name, std::vector<std::string> &events);

    UsbHostPaths paths_;
    std::map<std::string, Entry> devices_;
    std::optional<Pending> pending_;
};

} // namespace tamo::usb
