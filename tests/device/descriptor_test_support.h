// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the report descriptor tests: hex decoding and field-by-field comparison of
// parsed records against JSON objects keyed by the platform's field names.
#pragma once

#include "report_descriptor.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace tamo::device::testing {

std::vector<std::uint8_t> HexBytes(const std::string &hex);

// Each compares every key of expected (keys starting with '_' are notes, not fields) with the
// field of that name, and fails on a key that names no field, so nothing is skipped quietly.
void ExpectCapsEqual(const nlohmann::json &expected, const HIDP_CAPS &actual);
void ExpectValueCapsEqual(const nlohmann::json &expected, const HIDP_VALUE_CAPS &actual);
void ExpectButtonCapsEqual(const nlohmann::json &expected, const HidButtonCaps &actual);
void ExpectLinkNodeEqual(const nlohmann::json &expected, const HidLinkCollectionNode &actual);

} // namespace tamo::device::testing
