// SPDX-License-Identifier: GPL-3.0-or-later
// The tamo program itself, run as a user runs it, against boards the kernel made through uhid:
// the real hidraw backend, the real files, the real Ctrl-C.
#include "board_bytes.h"
#include "running_program.h"
#include "uhid_boards_test.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tamo::test {
namespace {

std::string TamoProgram()
{
    return ProgramPath("TAMO_CLI", "tamo", TAMO_CLI_PATH);
}

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CliOverKernel : public UhidBoardsTest {
protected:
    void SetUp() override
    {
        UhidBoardsTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        folder = std::filesystem::temp_directory_path()
                 / ("tamo-cli-kernel-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override
    {
        std::error_code ignored;
        if (!folder.empty())
            std::filesystem::remove_all(folder, ignored);
    }

    ProgramResult tamo(std::vector<std::string> args)
    {
        args.insert(args.begin(), TamoProgram());
        return RunProgram(args);
    }
    void createBoard(const std::string &name, const std::string &serial)
    {
        ASSERT_FALSE(boards->create(name, "serial=" + serial + " stream=onchange").empty())
            << boards->lastReply();
    }
    std::string path(const std::string &name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};

TEST_F(CliOverKernel, ListNamesTheFamilysBoardsAndSaysWhenThereIsNone)
{
    EXPECT_EQ(tamo({"list"}).status, 3) << "no board attached";
    createBoard("a", "L-1");
    createBoard("b", "L-2");
    ASSERT_FALSE(boards->create("f", "kind=foreign").empty());

    const ProgramResult list = tamo({"list", "--json"});
    ASSERT_EQ(list.status, 0) << list.err;
    const auto json = nlohmann::json::parse(list.out);
    std::vector<std::string> serials;
    for (const auto &board : json.at("boards")) {
        serials.push_back(board.at("serial_number"));
        EXPECT_EQ(board.at("openable"), true);
    }
    EXPECT_EQ(serials, (std::vector<std::string>{"L-1", "L-2"})) << list.out;
    const ProgramResult text = tamo({"list"});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("L-2"), std::string::npos) << text.out;
}

TEST_F(CliOverKernel, SetSendsTheWindowsReportsAndShowReadsThemBack)
{
    createBoard("a", "CS-1");
    const ProgramResult set = tamo({"set", "CS-1", "--encoder", "B5+B6=1:4", "--pulse-length",
                                    "16 ms", "--a-input", "Button 21"});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(
        boards->featureReports("a"),
        (std::vector<std::string>{FeatureReportHex("00ee0204"), FeatureReportHex("00ee0404"),
                                  FeatureReportHex("00ee0602"), FeatureReportHex("00ee0704")}));

    const ProgramResult show = tamo({"show"});
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_NE(show.out.find("B5+B6          1:4"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("B1+B2          off"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("pulse length   16 ms"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("A input        Button 21"), std::string::npos) << show.out;
    EXPECT_EQ(boards->featureReports("a").size(), 4u) << "show sends nothing";

    // A setting that does not exist reaches no board.
    EXPECT_EQ(tamo({"set", "--pulse-length", "17 ms"}).status, 2);
    EXPECT_EQ(boards->featureReports("a").size(), 4u);
}

TEST_F(CliOverKernel, SettingsSavedFromOneBoardAreLoadedOntoAnother)
{
    createBoard("a", "GOLD");
    ASSERT_EQ(tamo({"set", "--encoder", "B19+B20=1:2", "--encoder", "B1+B2=1:1", "--a-input",
                    "Potentiometer"})
                  .status,
              0);
    const std::string file = path("gold.json");
    ASSERT_EQ(tamo({"save", file}).status, 0);
    EXPECT_NE(ReadFile(file).find("\"B19+B20\": \"1:2\""), std::string::npos) << ReadFile(file);

    createBoard("b", "COPY");
    const ProgramResult load = tamo({"load", file, "COPY"});
    ASSERT_EQ(load.status, 0) << load.err;
    const auto gold = nlohmann::json::parse(tamo({"show", "GOLD", "--json"}).out);
    const auto copy = nlohmann::json::parse(tamo({"show", "COPY", "--json"}).out);
    EXPECT_EQ(copy.at("encoders"), gold.at("encoders"));
    EXPECT_EQ(copy.at("pulse_length"), gold.at("pulse_length"));
    EXPECT_EQ(copy.at("a_input"), "Potentiometer");

    // Two boards attached and none named: nothing is sent, and the choices are named.
    const ProgramResult unnamed = tamo({"load", file});
    EXPECT_EQ(unnamed.status, 2);
    EXPECT_NE(unnamed.err.find("COPY"), std::string::npos) << unnamed.err;
}

TEST_F(CliOverKernel, ASelfTestThatFailsSaysOnWhichButtonWithItsExitStatus)
{
    createBoard("a", "ST-1");
    ASSERT_EQ(boards->order("selftest a 7"), "ok selftest a");
    const ProgramResult failed = tamo({"selftest"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "ST-1: Failed on B7\n");
    EXPECT_EQ(boards->featureReports("a"), std::vector<std::string>{FeatureReportHex("00e1")});

    ASSERT_EQ(boards->order("selftest a 0"), "ok selftest a");
    const ProgramResult passed = tamo({"selftest", "ST-1"});
    EXPECT_EQ(passed.status, 0);
    EXPECT_EQ(passed.out, "ST-1: Passed\n");
}

TEST_F(CliOverKernel, TheStationTestsBoardsPluggedInOneAfterAnotherUntilCtrlC)
{
    // The second board, made ready to fail and unplugged before the line starts.
    createBoard("b", "LINE-2");
    ASSERT_EQ(boards->order("selftest b 3"), "ok selftest b");
    ASSERT_EQ(boards->order("unplug b"), "ok unplug b");

    const std::string log = path("line.csv");
    RunningProgram station({TamoProgram(), "selftest", "--station", "--log", log});
    ASSERT_TRUE(station.waitForOutput("waiting for boards", std::chrono::seconds(10)));
    createBoard("a", "LINE-1");
    EXPECT_TRUE(station.waitForOutput("LINE-1  Passed\n", std::chrono::seconds(10)))
        << station.outputSoFar();
    ASSERT_EQ(boards->order("unplug a"), "ok unplug a");
    ASSERT_FALSE(boards->replug("b").empty());
    EXPECT_TRUE(station.waitForOutput("LINE-2  Failed on B3", std::chrono::seconds(10)))
        << station.outputSoFar();

    station.interrupt();
    const ProgramResult result = station.finish();
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.out.find("station: 2 boards tested: 1 passed, 1 failed (LINE-2)\n"),
              std::string::npos)
        << result.out;
    const std::string lines = ReadFile(log);
    EXPECT_EQ(lines.rfind("serial,time,result\n\"LINE-1\",", 0), 0u) << lines;
    EXPECT_NE(lines.find(",\"Passed\"\n\"LINE-2\","), std::string::npos) << lines;
    EXPECT_NE(lines.find(",\"Failed on B3"), std::string::npos) << lines;
}

} // namespace
} // namespace tamo::test
