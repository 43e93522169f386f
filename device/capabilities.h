// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the capabilities of the board just opened and builds the value-capabilities report.
#pragma once

#include "board_connection.h"

#include <array>
#include <string>

namespace tamo::device {

// Never cleared: a board that reports fewer records leaves the rest as an earlier one wrote.
inline constexpr std::size_t VALUE_CAPS_RECORDS = 11;
using ValueCapsArray = std::array<HIDP_VALUE_CAPS, VALUE_CAPS_RECORDS>;

struct CapabilitiesRead {
    // False when the board's HIDP_CAPS could not be had: connection.Capabilities then still
    // holds the previous board's record, so the board must not be driven.
    bool readable = false;
    // The value-capabilities report for the capabilities text box, written in every case.
    std::string report;
};

// Fills connection.Capabilities and valueCaps and builds the report. The first query is given at
// most VALUE_CAPS_RECORDS records, whatever count the board declares, so a board with more input
// value caps is reported with its first eleven.
CapabilitiesRead ReadCapabilities(HidPlatform &platform, BoardConnection &connection,
                                  ValueCapsArray &valueCaps);

} // namespace tamo::device
