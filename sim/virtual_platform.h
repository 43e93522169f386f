// SPDX-License-Identifier: GPL-3.0-or-later
// A platform backend over virtual HID devices, for tests and the demo. It behaves as the
// kernel's hidraw does where the tool can tell (numbered paths, one report queue per open
// handle, queued reports readable after an unplug, then failure), records every call that
// reaches it and fails calls on request.
#pragma once

#include "emulated_hid_platform.h"
#include "inaccessible_boards.h"
#include "virtual_device.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tamo::sim {

struct CallRecord {
    std::string operation;
    int device = -1; // -1 where the call reached no device
    std::vector<std::uint8_t> bytes;
    bool ok = false;
};

class VirtualHidPlatform : public device::EmulatedHidPlatform {
public:
    using Clock = std::function<std::uint64_t()>;
    // Without a clock, real time drives streaming boards.
    explicit VirtualHidPlatform(Clock clock = {});
    ~VirtualHidPlatform() override;

    // Devices, numbered in the order added. A device is plugged in when added.
    int addDevice(VirtualDeviceDefinition definition);
    void unplug(int device);
    void plug(int device);
    bool isPlugged(int device) const;
    int deviceCount() const { return static_cast<int>(devices_.size()); }
    const VirtualDeviceDefinition &definition(int device) const;
    // The board behaviour of a device added as a board; null for a foreign device.
    BoardModel *board(int device);
    const device::HidCollectionCaps &caps(int device) const;
    // The path the device has while plugged in (a replug may give another number).
    std::string path(int device) const;

    // Whether the tool may open the device; a device it may not open fails CreateFileA with
    // "Permission denied", as a node without the seat's access does. A change is told.
    void setOpenable(int device, bool openable);
    // The plugged boards of the family that may not be opened, as FindInaccessibleBoards gives
    // them on Linux: known by vendor and product ID alone, in node order.
    std::vector<device::InaccessibleBoard> InaccessibleBoards() const;
    // While off, attach, unplug, plug and access changes are not told: a lost notification.
    void setNotifications(bool on) { notifying_ = on; }
    // Changes told so far.
    std::uint64_t changesTold() const { return changesTold_; }
    std::unique_ptr<device::DeviceChangeSource> WatchDeviceChanges() override;

    // Moves the boards' reports up to now into the open files' queues and calls each file's
    // listener (NotifyInput) that has news: reports, or its device gone. The platform's own
    // calls never call listeners, so a listener never runs inside one.
    void deliverInputReports();

    // Feature reports the device received through HidD_SetFeature, oldest first.
    const std::vector<std::vector<std::uint8_t>> &featureReportsReceived(int device) const;
    void clearFeatureReportsReceived(int device);

    const std::vector<CallRecord> &calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    int countCalls(const std::string &operation, int device = -1) const;

    // File handles still open, on any device or on one.
    int openFileHandles() const { return openFileCount(); }
    int openFileHandles(int device) const { return openFileCount(device); }
    int eventsCreated() const { return eventsCreated_; }
    int openPreparsedData() const { return static_cast<int>(preparsedDataCount()); }

    // The next count calls of operation (on device, or on any device with -1) fail. Throws
    // std::invalid_argument, saying why, for a name that is no platform operation and for an
    // operation that reaches no single device when a device is named.
    // after: that many such calls succeed first.
    void failNext(const std::string &operation, int count, int device = -1, int after = 0);

private:
    using PlatformResult = device::PlatformResult;
    struct Device;
    struct File;

    PlatformResult listNodes(std::vector<device::HidNode> &nodes) override;
    PlatformResult openNode(const std::string &path, std::uint32_t desiredAccess, bool overlapped,
                            std::unique_ptr<device::NodeFile> &file, int &device) override;
    device::ReadResult readReports(device::NodeFile &file, std::span<std::uint8_t> buffer,
                                   std::uint32_t &bytesRead) override;
    PlatformResult attributes(device::NodeFile &file, device::HIDD_ATTRIBUTES &attributes) override;
    PlatformResult string(device::NodeFile &file, device::HidStringKind kind,
                          std::uint32_t stringIndex, std::span<std::uint8_t> buffer) override;
    PlatformResult collection(device::NodeFile &file,
                              device::HidCollectionCaps &collection) override;
    PlatformResult setFeature(device::NodeFile &file,
                              std::span<const std::uint8_t> report) override;
    PlatformResult getFeature(device::NodeFile &file, std::span<std::uint8_t> report) override;
    device::InputWait inputWait(device::NodeFile &file) override;
    void notifyInput(device::NodeFile &file, std::function<void()> ready) override;
    std::optional<PlatformResult> injectedFault(std::string_view operation, int device) override;
    void completed(std::string_view operation, int device, const PlatformResult &result,
                   std::span<const std::uint8_t> bytes) override;

    std::uint64_t now() const;
    int nextNodeNumber() const;
    void pumpInputReports();
    // The device behind a file while it is still the one the file was opened on; null once
    // it was unplugged.
    Device *connected(device::NodeFile &file);

    void tellChange();

    Clock clock_;
    bool notifying_ = true;
    std::uint64_t changesTold_ = 0;
    std::vector<std::unique_ptr<Device>> devices_;
    std::vector<CallRecord> calls_;
    struct Fault {
        std::string operation;
        int device;
        int remaining;
        int skip = 0;
    };
    std::vector<Fault> faults_;
    int eventsCreated_ = 0;
};

} // namespace tamo::sim
