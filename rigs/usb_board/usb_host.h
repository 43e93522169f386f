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

#include "device_host.h"
#include "gadget_device.h"

#include <filesystem>
#include <functional>
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

// Times in microseconds.
class UsbBoardHost : public orders::DeviceHost<GadgetDevice> {
public:
    explicit UsbBoardHost(std::function<void(const std::string &)> print, UsbHostPaths paths = {});

private:
    std::unique_ptr<GadgetDevice> make(const orders::Order &order, orders::OrderedDevice made,
                                       std::string &error) override;
    bool plugIn(const orders::Order &order, Entry &entry, std::string &error) override;
    void unplug(Entry &entry) override { entry.device->unplug(); }
    std::optional<std::string> findNode(Entry &entry) const override;
    bool nodeGone(const Entry &) const override { return !findNodes(); }
    void startScript(const orders::Order &order, Entry &entry, std::uint64_t nowUs) override;
    bool scriptDone(const orders::Order &order, Entry &entry, bool late) override;
    std::vector<int> fdsOf(const GadgetDevice &device) const override { return device.fds(); }
    void readable(const std::string &name, GadgetDevice &device, int fd,
                  std::uint64_t nowUs) override;
    void pump(const std::string &name, GadgetDevice &device, std::uint64_t nowUs) override;
    int deviceTimeoutMs(const GadgetDevice &device, std::uint64_t nowUs) const override
    {
        return device.timeoutMs(nowUs);
    }
    // The hidraw node and USB device node of the device on the dummy host controller.
    std::optional<std::pair<std::string, std::string>> findNodes() const;
    void printEvents(const std::string &name, std::vector<std::string> &events);

    UsbHostPaths paths_;
};

} // namespace tamo::usb
