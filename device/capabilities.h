// Reads the capabilities of the board just opened and builds the value-capabilities report.
#pragma once

#include "board_connection.h"

#include <array>
#include <string>

namespace tamo::device {

// Never cleared: a board that reports fewer records leaves the rest as an earlier one wrote.
inline constexpr std::size_t VALUE_CAPS_RECORDS = 11;
using ValueCapsArray = std::array<HIDP_VALUE_CAPS, VALUE_CAPS_RECORDS>;

// Fills connection.Capabilities and valueCaps and returns the report for the capabilities
// text box. The first query is given at most VALUE_CAPS_RECORDS records, whatever count the
// board declares, so a board with more input value caps is reported with its first eleven.
std::string ReadCapabilities(HidPlatform &platform, BoardConnection &connection,
                             ValueCapsArray &valueCaps);

} // namespace tamo::device
