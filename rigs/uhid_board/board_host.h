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

#include "device_host.h"
#include "uhid_device.h"

#include <filesystem>
#include <functional>
#include <string>

namespace tamo::uhid {

struct HostPaths {
    std::string uhid = "/dev/uhid";
    std::filesystem::path sysfs = "/sys";
    std::filesystem::path dev = "/dev";
};

// Times in milliseconds.
class BoardHost : public orders::DeviceHost<UhidDevice> {
public:
    explicit BoardHost(std::function<void(const std::string &)> print, HostPaths paths = {});

private:
    std::unique_ptr<UhidDevice> make(const orders::Order &order, orders::OrderedDevice made,
                                     std::string &error) override;
    bool plugIn(const orders::Order &order, Entry &entry, std::string &error) override;
    void unplug(Entry &entry) override { entry.device->destroy(); }
    std::uint64_t unplugDue(const Entry &entry) const override;
    std::optional<std::string> findNode(Entry &entry) const override;
    bool nodeGone(const Entry &entry) const override;
    void startScript(const orders::Order &order, Entry &entry, std::uint64_t nowMs) override;
    bool sendChange(Entry &entry, std::uint64_t nowMs, std::string &error) override;
    std::vector<int> fdsOf(const UhidDevice &device) const override;
    void readable(const std::string &name, UhidDevice &device, int fd,
                  std::uint64_t nowMs) override;
    void pump(const std::string &name, UhidDevice &device, std::uint64_t nowMs) override;
    int deviceTimeoutMs(const UhidDevice &device, std::uint64_t nowMs) const override;

    HostPaths paths_;
};

} // namespace tamo::uhid
