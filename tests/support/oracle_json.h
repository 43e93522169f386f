// SPDX-License-Identifier: GPL-3.0-or-later
// The records Windows reported for real devices (tests/device/oracle), as JSON. The test's
// build names the folder in TAMO_ORACLE_DIR.
#pragma once

#include <nlohmann/json.hpp>

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace tamo::test {

// An empty list when the file is missing: the oracle tests then have no cases to run.
inline nlohmann::json LoadOracle(const std::string &file)
{
    std::ifstream in(std::string{TAMO_ORACLE_DIR} + "/" + file);
    return in ? nlohmann::json::parse(in) : nlohmann::json::array();
}

// One descriptor and what Windows (or Wine's test of its parser) reported for it.
struct OracleCase {
    std::string name;
    std::string hex;
    std::size_t tlcIndex = 0;
    nlohmann::json expected;
};

inline void PrintTo(const OracleCase &oracle, std::ostream *out)
{
    *out << oracle.name;
}

inline std::vector<OracleCase> WindowsCases()
{
    std::vector<OracleCase> cases;
    for (const nlohmann::json &record : LoadOracle("windows_caps.json")) {
        const nlohmann::json &descriptor = record.at("descriptor");
        // A TLC excerpt that relies on global items left by an earlier TLC of its interface
        // comes with a whole-interface descriptor that supplies them.
        const nlohmann::json &source = descriptor.contains("inheritance_test_descriptor")
                                           ? descriptor.at("inheritance_test_descriptor")
                                           : descriptor;
        cases.push_back(
            {record.at("name"), source.at("hex"), source.at("tlc_index"), record.at("windows")});
    }
    return cases;
}

inline std::vector<OracleCase> WineCases()
{
    std::vector<OracleCase> cases;
    for (const nlohmann::json &record : LoadOracle("supplementary_wine_test.json")) {
        const nlohmann::json &descriptor = record.at("descriptor");
        cases.push_back({record.at("name"), descriptor.at("hex"), descriptor.at("tlc_index"),
                         record.at("expected_by_wine_test")});
    }
    return cases;
}

} // namespace tamo::test
