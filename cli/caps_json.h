// SPDX-License-Identifier: GPL-3.0-or-later
// The caps of one top-level collection as JSON, under the platform's field names.
#pragma once

#include "report_descriptor.h"

#include <nlohmann/json.hpp>

namespace tamo::cli {

// {"hidp_caps": {15 fields}, "input_value_caps": [{28 fields}, ...]}; reserved fields are
// left out.
nlohmann::ordered_json CapsToJson(const device::HidCollectionCaps &collection);

} // namespace tamo::cli
