// SPDX-License-Identifier: GPL-3.0-or-later
// Finds the boards of the family among the present HID interfaces: lists their serial
// numbers, and opens the one with a given serial number.
#pragma once

#include "board_connection.h"
#include "capabilities.h"

#include <optional>
#include <string>
#include <vector>

namespace tamo::device {

struct Discovery {
    HidPlatform &platform;
    BoardConnection &connection;
    ValueCapsArray &valueCaps;
};

// A serial number as the tool compares and shows it: one byte per UTF-16 code unit (its low
// byte), up to the first zero byte.
using SerialNumber = std::string;

// Vendor ID, then the marker in string 42 (exact case), else the product-ID range.
bool IsFamilyBoard(Discovery &discovery, PlatformHandle device);
std::optional<SerialNumber> ReadSerialNumber(Discovery &discovery, PlatformHandle device);

// The serial number of every board of the family, in enumeration order. Leaves no handle open.
std::vector<SerialNumber> Scan_USB_devices(Discovery &discovery);

struct SearchResult {
    // True when the board is open on both handles with its capabilities read.
    bool found = false;
    // The value-capabilities report of the board found; empty when none was found.
    std::string capabilitiesReport;
};

// Opens the first board whose serial number equals serialNumber byte for byte, reads its
// capabilities and opens the read handle. A board whose capabilities cannot be read is closed
// again and not found: it would be driven with another board's report lengths. When nothing
// is found no handle of the search is left open.
SearchResult FindTheHid(Discovery &discovery, const SerialNumber &serialNumber);

} // namespace tamo::device
