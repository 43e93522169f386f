// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the tamo-hid-caps executable on the oracle descriptors and compares its JSON with what
// Windows reported, and checks how it takes its input and reports faults.
#include "oracle_json.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace {

using nlohmann::json;
using tamo::test::LoadOracle;

struct ToolRun {
    int status = -1;
    std::string out;
};

ToolRun RunTool(const std::string &arguments)
{
    const std::string command =
        std::string{"'"} + TAMO_HID_CAPS_TOOL + "' " + arguments + " 2>/dev/null";
    ToolRun run;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer;
    std::size_t got = 0;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

struct ToolCase {
    std::string name;
    std::string hex;
    std::size_t tlcIndex = 0;
    json hidpCaps;
    json valueCaps;
    bool wholeList = true;
};

void PrintTo(const ToolCase &c, std::ostream *out)
{
    *out << c.name;
}

std::vector<ToolCase> Cases()
{
    std::vector<ToolCase> cases;
    for (const json &record : LoadOracle("windows_caps.json")) {
        const json &descriptor = record.at("descriptor");
        const json &source = descriptor.contains("inheritance_test_descriptor")
                                 ? descriptor.at("inheritance_test_descriptor")
                                 : descriptor;
        const json &windows = record.at("windows");
        cases.push_back({record.at("name"), source.at("hex"), source.at("tlc_index"),
                         windows.at("hidp_caps"), windows.at("input_value_caps"), true});
    }
    for (const json &record : LoadOracle("supplementary_wine_test.json")) {
        const json &asserted = record.at("expected_by_wine_test");
        cases.push_back({record.at("name"), record.at("descriptor").at("hex"),
                         record.at("descriptor").at("tlc_index"), asserted.at("hidp_caps"),
                         asserted.at("first_input_value_caps"), false});
    }
    return cases;
}

// Every oracle key (notes excepted) must be in the tool's object with the same value.
void ExpectSameFields(const json &expected, const json &actual)
{
    ASSERT_TRUE(actual.is_object());
    std::size_t compared = 0;
    for (const auto &[key, value] : expected.items()) {
        if (key.starts_with('_'))
            continue;
        ++compared;
        ASSERT_TRUE(actual.contains(key)) << "tool output lacks " << key;
        EXPECT_EQ(actual.at(key), value) << "field " << key;
    }
    EXPECT_EQ(actual.size(), compared) << "tool output has fields the oracle does not name";
}

class HidCapsTool : public ::testing::TestWithParam<ToolCase> {};

TEST_P(HidCapsTool, PrintsWhatWindowsReported)
{
    const ToolCase &oracle = GetParam();
    const ToolRun run =
        RunTool("--collection " + std::to_string(oracle.tlcIndex) + " " + oracle.hex);
    ASSERT_EQ(run.status, 0) << run.out;
    const json output = json::parse(run.out);
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

INSTANTIATE_TEST_SUITE_P(Oracle, HidCapsTool, ::testing::ValuesIn(Cases()),
                         [](const auto &info) { return info.param.name; });

TEST(HidCapsToolInput, FileStdinAndArgumentsGiveTheSameResult)
{
    const std::vector<ToolCase> cases = Cases();
    ASSERT_FALSE(cases.empty());
    const ToolCase &first = cases.front();
    const ToolRun fromArgument = RunTool(first.hex);
    ASSERT_EQ(fromArgument.status, 0);

    std::vector<char> bytes;
    std::string listing; // "0x05, 0x01,\n..." as in a C array
    for (std::size_t i = 0; i + 1 < first.hex.size(); i += 2) {
        bytes.push_back(static_cast<char>(std::stoi(first.hex.substr(i, 2), nullptr, 16)));
        listing += "0x" + first.hex.substr(i, 2) + (i % 16 == 14 ? ",\n" : ", ");
    }
    const std::string binaryPath = ::testing::TempDir() + "tamo_hid_caps_descriptor.bin";
    const std::string textPath = ::testing::TempDir() + "tamo_hid_caps_descriptor.txt";
    std::ofstream(binaryPath, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::ofstream(textPath) << listing;

    EXPECT_EQ(RunTool("'" + binaryPath + "'").out, fromArgument.out);
    EXPECT_EQ(RunTool("< '" + textPath + "'").out, fromArgument.out);
    EXPECT_EQ(RunTool("- < '" + textPath + "'").out, fromArgument.out);
}

TEST(HidCapsToolInput, UnusableInputAndBadArgumentsFail)
{
    EXPECT_EQ(RunTool("05 01 0G").status, 1);                      // not hex
    EXPECT_EQ(RunTool("050").status, 1);                           // odd digit count
    EXPECT_EQ(RunTool("< /dev/null").status, 1);                   // nothing at all
    EXPECT_EQ(RunTool("--collection 1 A10109308102C0").status, 1); // one TLC only
    EXPECT_EQ(RunTool("--collection x A101C0").status, 2);
    EXPECT_EQ(RunTool("--bogus A101C0").status, 2);
    const ToolRun help = RunTool("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--collection"), std::string::npos);
}

TEST(HidCapsToolInput, AFaultyDescriptorStillPrintsWithTheError)
{
    // A stray End Collection before a good collection.
    const ToolRun run = RunTool("C0 A1 01 09 30 75 08 95 01 81 02 C0");
    EXPECT_EQ(run.status, 3);
    const json output = json::parse(run.out);
    ASSERT_TRUE(output.contains("error"));
    EXPECT_NE(output.at("error").get<std::string>().find("byte offset 0"), std::string::npos);
    EXPECT_EQ(output.at("input_value_caps").size(), 1u);
}

} // namespace
