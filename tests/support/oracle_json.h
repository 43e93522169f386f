// SPDX-License-Identifier: GPL-3.0-or-later
// The records Windows reported for real devices (tests/device/oracle), as JSON. The test's
// build names the folder in TAMO_ORACLE_DIR.
#pragma once

#include <nlohmann/json.hpp>

#include <fstream>
#include <string>

namespace tamo::test {

// An empty list when the file is missing: the oracle tests then have no cases to run.
inline nlohmann::json LoadOracle(const std::string &file)
{
    std::ifstream in(std::string{TAMO_ORACLE_DIR} + "/" + file);
    return in ? nlohmann::json::parse(in) : nlohmann::json::array();
}

} // namespace tamo::test
