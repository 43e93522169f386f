// SPDX-License-Identifier: GPL-3.0-or-later
// Every top-level collection that Windows dumped, parsed from the device's original
// descriptor and compared field by field with what Windows reported.
#include "descriptor_test_support.h"
#include "oracle_json.h"
#include "report_descriptor.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <vector>

namespace tamo::device {
namespace {

using nlohmann::json;
using tamo::test::LoadOracle;
using tamo::test::OracleCase;
using tamo::test::WindowsCases;
using tamo::test::WineCases;
using testing::ExpectButtonCapsEqual;
using testing::ExpectCapsEqual;
using testing::ExpectLinkNodeEqual;
using testing::ExpectValueCapsEqual;
using testing::HexBytes;

std::string CaseName(const ::testing::TestParamInfo<OracleCase> &info)
{
    return info.param.name;
}

HidCollectionCaps ParseCollection(const OracleCase &oracle)
{
    const std::vector<std::uint8_t> bytes = HexBytes(oracle.hex);
    const DescriptorParse parse = ParseReportDescriptor(bytes);
    EXPECT_TRUE(parse.ok()) << parse.error;
    if (oracle.tlcIndex >= parse.collections.size()) {
        ADD_FAILURE() << "only " << parse.collections.size() << " top-level collections";
        return {};
    }
    return parse.collections[oracle.tlcIndex];
}

// Compares the first expected.size() records, or all of them when the whole list is known.
template<typename Record, typename Compare>
void ExpectRecords(const json &expected, const std::vector<Record> &actual, bool wholeList,
                   Compare compare)
{
    if (wholeList)
        ASSERT_EQ(actual.size(), expected.size());
    else
        ASSERT_GE(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        compare(expected[i], actual[i]);
    }
}

class WindowsOracle : public ::testing::TestWithParam<OracleCase> {};

TEST_P(WindowsOracle, MatchesWhatWindowsReported)
{
    const OracleCase &oracle = GetParam();
    const HidCollectionCaps parsed = ParseCollection(oracle);
    const json &windows = oracle.expected;

    ExpectCapsEqual(windows.at("hidp_caps"), parsed.caps);
    {
        SCOPED_TRACE("input value caps");
        ExpectRecords(windows.at("input_value_caps"), parsed.inputValueCaps, true,
                      ExpectValueCapsEqual);
    }
    {
        SCOPED_TRACE("input button caps");
        ExpectRecords(windows.at("input_button_caps"), parsed.inputButtonCaps, true,
                      ExpectButtonCapsEqual);
    }
    {
        SCOPED_TRACE("link collection nodes");
        ExpectRecords(windows.at("link_collection_nodes"), parsed.linkCollectionNodes, true,
                      ExpectLinkNodeEqual);
    }
    EXPECT_EQ(parsed.outputValueCaps.size(), windows.at("output_value_caps_count").get<size_t>());
    EXPECT_EQ(parsed.featureValueCaps.size(), windows.at("feature_value_caps_count").get<size_t>());
}

INSTANTIATE_TEST_SUITE_P(Dumps, WindowsOracle, ::testing::ValuesIn(WindowsCases()), CaseName);

class WineTestOracle : public ::testing::TestWithParam<OracleCase> {};

TEST_P(WineTestOracle, MatchesWhatTheTestAsserts)
{
    const OracleCase &oracle = GetParam();
    const HidCollectionCaps parsed = ParseCollection(oracle);
    const json &asserted = oracle.expected;

    ExpectCapsEqual(asserted.at("hidp_caps"), parsed.caps);
    {
        SCOPED_TRACE("first input value caps");
        ExpectRecords(asserted.at("first_input_value_caps"), parsed.inputValueCaps, false,
                      ExpectValueCapsEqual);
    }
    {
        SCOPED_TRACE("first input button caps");
        ExpectRecords(asserted.at("first_input_button_caps"), parsed.inputButtonCaps, false,
                      ExpectButtonCapsEqual);
    }
    {
        SCOPED_TRACE("first link collection nodes");
        ExpectRecords(asserted.at("first_link_collection_nodes"), parsed.linkCollectionNodes, false,
                      ExpectLinkNodeEqual);
    }
}

INSTANTIATE_TEST_SUITE_P(Descriptors, WineTestOracle, ::testing::ValuesIn(WineCases()), CaseName);

// An unreadable oracle would otherwise leave the suites above empty and silently green.
TEST(OracleFiles, AreReadable)
{
    EXPECT_FALSE(WindowsCases().empty());
    EXPECT_FALSE(WineCases().empty());
}

// The excerpt of that TLC alone lacks the Logical Maximum an earlier TLC left behind: the
// dumped value is only reached with global items carried across collections.
TEST(OracleFiles, InheritedGlobalsAreNeededForTheHeadsetExcerpt)
{
    for (const json &record : LoadOracle("windows_caps.json")) {
        const json &descriptor = record.at("descriptor");
        if (!descriptor.contains("inheritance_test_descriptor"))
            continue;
        const DescriptorParse excerpt = ParseReportDescriptor(HexBytes(descriptor.at("hex")));
        ASSERT_TRUE(excerpt.ok()) << excerpt.error;
        ASSERT_EQ(excerpt.collections.size(), 1u);
        const json &windows = record.at("windows").at("input_value_caps");
        ASSERT_FALSE(windows.empty());
        ASSERT_FALSE(excerpt.collections[0].inputValueCaps.empty());
        EXPECT_NE(excerpt.collections[0].inputValueCaps[0].LogicalMax,
                  windows[0].at("LogicalMax").get<std::int32_t>());
        return;
    }
    FAIL() << "no record with an inheritance test descriptor";
}

} // namespace
} // namespace tamo::device
