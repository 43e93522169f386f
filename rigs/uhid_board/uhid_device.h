// SPDX-License-Identifier: GPL-3.0-or-later
// One HID device made through the kernel's uhid interface: its identity and descriptor, and
// for a board of the family the board model that answers the kernel's report requests and
// produces its input reports. A device without a model (a foreign device) refuses every
// report request, as a device without feature reports does.
#pragma once

#include "board_model.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tamo::uhid {

struct UhidIdentity {
    std::string name; // HID_NAME, which the tool shows as the product
    std::string phys; // HID_PHYS: unique per device, so that its hidraw node can be found
    std::string uniq; // HID_UNIQ, the serial number
    std::uint16_t bus = 0;
    std::uint32_t vendor = 0;
    std::uint32_t product = 0;
    std::uint32_t version = 0;
    std::vector<std::uint8_t> descriptor;
};

// What the kernel asked of the device in one event.
struct UhidHappening {
    enum class Kind { Start, Stop, Open, Close, GetFeature, SetFeature, Output, Refused, Other };
    Kind kind = Kind::Other;
    // GetFeature: the reply sent; SetFeature and Output: the bytes received.
    std::vector<std::uint8_t> data;
};

const char *KindName(UhidHappening::Kind kind);

class UhidDevice {
public:
    UhidDevice(UhidIdentity identity, std::optional<sim::BoardModel> model);
    ~UhidDevice();
    UhidDevice(const UhidDevice &) = delete;
    UhidDevice &operator=(const UhidDevice &) = delete;

    // Creates the device on fd, an open /dev/uhid (or a test's stand-in), which the device
    // then owns. False with error set when the kernel refuses it.
    bool create(int fd, std::string &error);
    // Destroys the device and closes its file; closing alone would destroy it too.
    void destroy();
    bool pluggedIn() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    // Reads one event from the kernel and answers it. Nothing when no event was waiting.
    std::optional<UhidHappening> handleEvent(std::uint64_t nowMs, std::string &error);
    // Sends the input reports that the model has produced up to nowMs; the kernel drops
    // those that no open file is there to take.
    bool pumpInput(std::uint64_t nowMs, std::string &error);
    // Sends one input report (with its report-ID byte, as the model makes them) at once.
    bool sendInputReport(std::span<const std::uint8_t> report, std::string &error);

    const UhidIdentity &identity() const { return identity_; }
    sim::BoardModel *model() { return model_ ? &*model_ : nullptr; }
    const sim::BoardModel *model() const { return model_ ? &*model_ : nullptr; }
    bool isOpen() const { return open_; }
    // When the device last answered a report request.
    std::optional<std::uint64_t> lastReplyMs() const { return lastReplyMs_; }
    // Every feature report the kernel delivered, oldest first, as received.
    const std::vector<std::vector<std::uint8_t>> &featureReports() const { return received_; }

private:
    bool write(const void *event, std::size_t size, std::string &error);
    UhidHappening answerGetReport(std::uint32_t id, std::uint8_t reportNumber,
                                  std::uint8_t reportType, std::string &error);
    UhidHappening answerSetReport(std::uint32_t id, std::uint8_t reportNumber,
                                  std::uint8_t reportType, std::span<const std::uint8_t> data,
                                  std::string &error);

    UhidIdentity identity_;
    std::optional<sim::BoardModel> model_;
    bool stripReportId_;
    int fd_ = -1;
    bool open_ = false;
    std::optional<std::uint64_t> lastReplyMs_;
    std::vector<std::vector<std::uint8_t>> received_;
};

} // namespace tamo::uhid
