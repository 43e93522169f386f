// SPDX-License-Identifier: GPL-3.0-or-later
// The device a create order makes, for either board program: the board's or the foreign
// mouse's defaults with the order's options over them, and for a board its model.
#pragma once

#include "board_model.h"
#include "board_orders.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamo::orders {

struct OrderedDevice {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t version = 0;
    // UTF-8; a string left out is one the device does not have.
    std::optional<std::string> manufacturer;
    std::string product;
    std::optional<std::string> serial;
    std::optional<std::string> marker; // string 42
    std::vector<std::uint8_t> reportDescriptor;
    std::uint16_t inputReportBytes = 0;   // with the report-ID byte
    std::optional<sim::BoardModel> model; // none for a foreign device
};

// False with error set when the options cannot make a device.
bool DeviceFromOrder(const Order &order, OrderedDevice &made, std::string &error);

} // namespace tamo::orders
