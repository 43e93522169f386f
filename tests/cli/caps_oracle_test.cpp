// SPDX-License-Identifier: GPL-3.0-or-later
// tamo caps on the oracle descriptors: its JSON against what Windows reported.
#include "cli_fixture.h"
#include "oracle_json.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <vector>

namespace tamo::test {
namespace {

using nlohmann::json;

// What tamo caps must print: Windows' whole list of input value caps, or the first ones Wine's
// test asserts.
struct CapsCase {
    std::string name;
    std::string hex;
    std::size_t tlcIndex = 0;
    json hidpCaps;
    json valueCaps;
    bool wholeList = true;
};

void PrintTo(const CapsCase &c, std::ostream *out)
{
    *out << c.name;
}

std::vector<CapsCase> Cases()
{
    std::vector<CapsCase> cases;
    for (const OracleCase &oracle : WindowsCases())
        cases.push_back({oracle.name, oracle.hex, oracle.tlcIndex, oracle.expected.at("hidp_caps"),
                         oracle.expected.at("input_value_caps"), true});
    for (const OracleCase &oracle : WineCases())
        cases.push_back({oracle.name, oracle.hex, oracle.tlcIndex, oracle.expected.at("hidp_caps"),
                         oracle.expected.at("first_input_value_caps"), false});
    return cases;
}

// Every oracle key (notes excepted) must be in the printed object with the same value.
void ExpectSameFields(const json &expected, const json &actual)
{
    ASSERT_TRUE(actual.is_object());
    std::size_t compared = 0;
    for (const auto &[key, value] : expected.items()) {
        if (key.starts_with('_'))
            continue;
        ++compared;
        ASSERT_TRUE(actual.contains(key)) << "output lacks " << key;
        EXPECT_EQ(actual.at(key), value) << "field " << key;
    }
    EXPECT_EQ(actual.size(), compared) << "output has fields the oracle does not name";
}

class CapsOracle : public CliTest, public ::testing::WithParamInterface<CapsCase> {};

TEST_P(CapsOracle, PrintsWhatWindowsReported)
{
    const CapsCase &oracle = GetParam();
    ASSERT_EQ(Run({"caps", "--collection", std::to_string(oracle.tlcIndex), oracle.hex}),
              cli::EXIT_OK)
        << err.str();
    const json output = json::parse(out.str());
    EXPECT_FALSE(output.contains("error"));
    {
        SCOPED_TRACE("hidp_caps");
        ExpectSameFields(oracle.hidpCaps, output.at("hidp_caps"));
    }
    const json &caps = output.at("input_value_caps");
    if (oracle.wholeList)
        ASSERT_EQ(caps.size(), oracle.valueCaps.size());
    else
        ASSERT_GE(caps.size(), oracle.valueCaps.size());
    for (std::size_t i = 0; i < oracle.valueCaps.size(); ++i) {
        SCOPED_TRACE("input value caps record " + std::to_string(i));
        ExpectSameFields(oracle.valueCaps[i], caps[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Oracle, CapsOracle, ::testing::ValuesIn(Cases()),
                         [](const auto &info) { return info.param.name; });

} // namespace
} // namespace tamo::test
