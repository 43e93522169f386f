// SPDX-License-Identifier: GPL-3.0-or-later
// What a board (or a foreign device) answers on its control pipe, without any file: the
// descriptors that gadgetfs leaves to user space (strings, the HID class descriptors), the
// feature reports through GET_REPORT and SET_REPORT, and the requests it acknowledges.
#pragma once

#include "board_model.h"
#include "usb_descriptors.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tamo::usb {

struct ControlRequest {
    std::uint8_t requestType = 0;
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
    std::uint16_t length = 0;
};

struct ControlAnswer {
    enum class Kind {
        Data,      // send data (never more than the request's length)
        Ack,       // a request without data, done
        Configure, // SET_CONFIGURATION: enable the endpoint, then acknowledge
        TakeData,  // an OUT request: read its data stage and hand it to dataOut()
        Stall,
    };
    Kind kind = Kind::Stall;
    std::vector<std::uint8_t> data;
    // Worth a line to whoever drives the board ("string 42", "get 00ee..."); may be empty.
    std::string event;
};

class BoardFunction {
public:
    BoardFunction(UsbIdentity identity, std::optional<sim::BoardModel> model);

    ControlAnswer setup(const ControlRequest &request);
    // The data stage of a request that setup() answered with TakeData; returns the event.
    std::string dataOut(const ControlRequest &request, std::span<const std::uint8_t> data);

    const UsbIdentity &identity() const { return identity_; }
    sim::BoardModel *model() { return model_ ? &*model_ : nullptr; }
    const sim::BoardModel *model() const { return model_ ? &*model_ : nullptr; }
    // Every feature report received, report number first as the host's buffer had it.
    const std::vector<std::vector<std::uint8_t>> &featureReports() const { return received_; }

private:
    ControlAnswer standard(const ControlRequest &request);
    ControlAnswer hidClass(const ControlRequest &request);

    UsbIdentity identity_;
    std::optional<sim::BoardModel> model_;
    std::vector<std::vector<std::uint8_t>> received_;
};

} // namespace tamo::usb
