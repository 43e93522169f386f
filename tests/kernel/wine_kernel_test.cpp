// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows programs, cross-built and run under Wine, against boards the kernel made through
// uhid and gadgetfs: Wine's HID class driver hands each hidraw node to them as a Windows HID
// device, so tamo.exe and the window go through the Windows backend's own calls (SetupDi,
// HidD_, HidP_, overlapped ReadFile) end to end. Wine's services see only the boards present
// when they start: every board is made first, and one Wine serves the whole suite.
#include "board_bytes.h"
#include "board_process.h"
#include "running_program.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <sstream>
#include <thread>

namespace tamo::test {
namespace {

using namespace std::chrono_literals;

// What Wine 8.0 shows of a board where Windows would show the board's own values; nothing
// else is loosened. Wine's bus takes a hidraw node's names from its HID device, not from the
// USB device above it: the manufacturer is its own placeholder, and the product the kernel's
// HID name, which for a USB device is the manufacturer and product joined; a uhid device has
// no USB device above it, and its version reads 0. Wine has no
// HidD_GetIndexedString (IOCTL_HID_GET_INDEXED_STRING is unimplemented), so no board here is
// known only by its marker in string 42, and its services miss boards that come or go while
// they run, so nothing here plugs a board in or out.
struct Shown {
    const char *manufacturer;
    const char *product;
    const char *version;
};
const Shown kUhidUnderWine{"hidraw", "Tamo micro 32", "0.0"};
const Shown kUsbUnderWine{"hidraw", "Velbrin Tamo micro 32", "1.9"};

std::string Getenv(const char *name)
{
    const char *value = std::getenv(name);
    return value == nullptr ? std::string() : value;
}

// A Unix path as a Windows program under Wine names it.
std::string WinePath(const std::string &path)
{
    std::string text = "Z:" + path;
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class WineOverKernel : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        programs = Getenv("TAMO_WINDOWS_PROGRAMS");
        if (programs.empty() || !UhidUnavailableReason().empty())
            return;
        // An .exe read from the 9p share may come with zeroed pages: run a copy from memory.
        const std::filesystem::path copy = "/tmp/windows-programs";
        std::error_code error;
        std::filesystem::copy(programs, copy, std::filesystem::copy_options::recursive, error);
        if (error) {
            setUpFailure = "cannot copy " + programs + ": " + error.message();
            return;
        }
        programs = copy.string();
        uhid = std::make_unique<BoardProcess>(UhidBoardProgram());
        const bool made = uhid->started()
                          && !uhid->create("a", "serial=W-1 stream=onchange").empty()
                          && !uhid->create("b", "serial=W-2 stream=onchange").empty()
                          && !uhid->create("f", "kind=foreign").empty();
        if (!made) {
            setUpFailure = "uhid boards: " + uhid->lastReply();
            return;
        }
        if (UsbUnavailableReason().empty()) {
            usb = std::make_unique<BoardProcess>(UsbBoardProgram());
            if (!usb->started() || usb->create("u", "serial=U-1 stream=onchange").empty()) {
                setUpFailure = "USB board: " + usb->lastReply();
                return;
            }
        }
        // One Wine for the suite. Its services outlive the program that starts them and keep
        // its standard files: started here with none of ours, so each program's output ends
        // when it does.
        const auto start = std::chrono::steady_clock::now();
        if (std::system("/usr/bin/wineserver -p && /usr/bin/wine wineboot >/dev/null 2>&1") != 0) {
            setUpFailure = "Wine's services did not start";
            return;
        }
        const auto started = std::chrono::steady_clock::now();
        std::printf("Wine's services started in %.1f s\n",
                    std::chrono::duration<double>(started - start).count());
    }
    static void TearDownTestSuite()
    {
        if (!programs.empty())
            RunProgram({"/usr/bin/wineserver", "-k"}, 30s);
        uhid.reset();
        usb.reset();
    }
    void SetUp() override
    {
        if (Getenv("TAMO_WINDOWS_PROGRAMS").empty())
            GTEST_SKIP() << "TAMO_WINDOWS_PROGRAMS names no folder of Windows programs";
        if (const std::string why = UhidUnavailableReason(); !why.empty())
            GTEST_SKIP() << why;
        ASSERT_TRUE(setUpFailure.empty()) << setUpFailure;
        ASSERT_NE(usb, nullptr) << UsbUnavailableReason();
    }

    // The command line that runs one of the Windows programs under Wine.
    static std::vector<std::string> Wine(const std::string &program,
                                         std::vector<std::string> args = {})
    {
        args.insert(args.begin(), {"/usr/bin/wine", programs + "/" + program});
        return args;
    }
    static ProgramResult Run(const std::string &program, std::vector<std::string> args,
                             std::chrono::milliseconds timeout = 90s)
    {
        args = Wine(program, std::move(args));
        const auto start = std::chrono::steady_clock::now();
        ProgramResult result = RunProgram(args, timeout);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("  %s %s: %.1f s\n", program.c_str(), args.size() > 2 ? args[2].c_str() : "",
                    seconds);
        return result;
    }
    static ProgramResult Tamo(std::vector<std::string> args,
                              std::chrono::milliseconds timeout = 90s)
    {
        return Run("tamo.exe", std::move(args), timeout);
    }
    BoardProcess &boardsOf(const std::string &name) { return name == "u" ? *usb : *uhid; }

    static inline std::string programs;
    static inline std::string setUpFailure;
    static inline std::unique_ptr<BoardProcess> uhid;
    static inline std::unique_ptr<BoardProcess> usb;
};

TEST_F(WineOverKernel, ListNamesTheFamilysBoardsWithWhatWineShowsOfThem)
{
    const ProgramResult list = Tamo({"list", "--json"});
    ASSERT_EQ(list.status, 0) << list.err;
    std::map<std::string, nlohmann::json> boards;
    const auto listed = nlohmann::json::parse(list.out);
    for (const auto &board : listed.at("boards"))
        boards[board.at("serial_number").get<std::string>()] = board;
    ASSERT_EQ(boards.size(), 3u) << "the foreign device is not one of them: " << list.out;
    for (const char *serial : {"W-1", "W-2", "U-1"}) {
        ASSERT_TRUE(boards.contains(serial)) << list.out;
        const Shown &shown = serial[0] == 'U' ? kUsbUnderWine : kUhidUnderWine;
        EXPECT_EQ(boards[serial].at("manufacturer"), shown.manufacturer) << serial;
        EXPECT_EQ(boards[serial].at("version"), shown.version) << serial;
        EXPECT_EQ(boards[serial].at("product"), shown.product) << serial;
        EXPECT_EQ(boards[serial].at("openable"), true) << serial;
    }
}

TEST_F(WineOverKernel, SetSendsTheExactReportsAndShowReadsThemBack)
{
    for (const char *name : {"a", "u"}) {
        const std::string serial = name[0] == 'a' ? "W-1" : "U-1";
        const ProgramResult set = Tamo({"set", serial, "--encoder", "B5+B6=1:4", "--pulse-length",
                                        "16 ms", "--a-input", "Button 21"});
        ASSERT_EQ(set.status, 0) << set.err;
        EXPECT_EQ(
            boardsOf(name).featureReports(name),
            (std::vector<std::string>{FeatureReportHex("00ee0204"), FeatureReportHex("00ee0404"),
                                      FeatureReportHex("00ee0602"), FeatureReportHex("00ee0704")}))
            << serial;
        if (name[0] == 'u')
            continue; // show reads the same way over both
        const ProgramResult show = Tamo({"show", serial});
        ASSERT_EQ(show.status, 0) << show.err;
        EXPECT_NE(show.out.find("B5+B6          1:4"), std::string::npos) << show.out;
        EXPECT_NE(show.out.find("pulse length   16 ms"), std::string::npos) << show.out;
        EXPECT_NE(show.out.find("A input        Button 21"), std::string::npos) << show.out;
        EXPECT_EQ(boardsOf(name).featureReports(name).size(), 4u) << "show sends nothing";
    }
}

TEST_F(WineOverKernel, SettingsSavedFromOneBoardAreLoadedOntoAnother)
{
    const std::string file = "/tmp/wine-gold.json";
    ASSERT_EQ(Tamo({"save", WinePath(file), "W-1"}).status, 0);
    EXPECT_NE(ReadFile(file).find("\"B5+B6\": \"1:4\""), std::string::npos) << ReadFile(file);

    const ProgramResult load = Tamo({"load", WinePath(file), "W-2"});
    ASSERT_EQ(load.status, 0) << load.err;
    // A file sets every pair: both groups of encoder bits go.
    EXPECT_EQ(
        uhid->featureReports("b"),
        (std::vector<std::string>{FeatureReportHex("00ee0204"), FeatureReportHex("00ee0404"),
                                  FeatureReportHex("00ee0300"), FeatureReportHex("00ee0500"),
                                  FeatureReportHex("00ee0602"), FeatureReportHex("00ee0704")}));
    const auto copy = nlohmann::json::parse(Tamo({"show", "W-2", "--json"}).out);
    EXPECT_EQ(copy.at("a_input"), "Button 21");
    EXPECT_EQ(copy.at("pulse_length"), "16 ms");
}

TEST_F(WineOverKernel, ASelfTestThatFailsSaysOnWhichButtonWithItsExitStatus)
{
    ASSERT_EQ(uhid->order("selftest b 7"), "ok selftest b");
    const ProgramResult failed = Tamo({"selftest", "W-2"});
    EXPECT_EQ(failed.status, 1) << failed.err;
    EXPECT_EQ(failed.out, "W-2: Failed on B7\r\n");

    ASSERT_EQ(uhid->order("selftest b 0"), "ok selftest b");
    const ProgramResult passed = Tamo({"selftest", "W-2"});
    EXPECT_EQ(passed.status, 0) << passed.err;
    EXPECT_EQ(passed.out, "W-2: Passed\r\n");
}

TEST_F(WineOverKernel, WatchReadsEveryShortTapAsItArrives)
{
    RunningProgram watch(Wine("tamo.exe", {"watch", "U-1"}));
    // Pressed and released until the watch shows it: from then on it is reading.
    bool seen = false;
    for (int tries = 0; tries < 60 && !seen; ++tries) {
        ASSERT_EQ(usb->order("buttons u 0x1"), "ok buttons u");
        seen = watch.waitForOutput("button 1 pressed", 1s);
        ASSERT_EQ(usb->order("buttons u 0x0"), "ok buttons u");
    }
    ASSERT_TRUE(seen) << watch.outputSoFar();
    ASSERT_TRUE(watch.waitForOutput("button 1 released", 10s)) << watch.outputSoFar();
    // Ten taps of 3 ms, 5 to 10 ms apart, timed by the board.
    ASSERT_TRUE(usb->order("taps u 9 10 3 5 10 1", 30s).starts_with("ok taps u changes=20 "))
        << usb->lastReply();
    const auto count = [&](const std::string &part) {
        const std::string out = watch.outputSoFar();
        std::size_t found = 0;
        for (auto at = out.find(part); at != std::string::npos; at = out.find(part, at + 1))
            ++found;
        return found;
    };
    for (int waited = 0; waited < 200 && count("button 9 released") < 10; ++waited)
        std::this_thread::sleep_for(100ms);
    EXPECT_EQ(count("button 9 pressed"), 10u) << watch.outputSoFar();
    EXPECT_EQ(count("button 9 released"), 10u) << watch.outputSoFar();
    watch.finish(0ms);
}

// The window itself and a window driven by hand, side by side: each Wine program starts slowly
// under emulation, and neither sends anything the other would miss.
TEST_F(WineOverKernel, TheWindowOpensABoardLightsALampForAPressAndSendsTheSettingPicked)
{
    ASSERT_EQ(uhid->order("buttons a 0x0"), "ok buttons a");
    const auto gets = [&] {
        return uhid->eventCount("a", "get") + uhid->eventCount("b", "get")
               + usb->eventCount("u", "get");
    };
    const std::size_t before = gets();
    const std::size_t sent = uhid->featureReports("a").size();
    RunningProgram tool(Wine("tamo-config.exe", {"-platform", "offscreen"}));
    RunningProgram window(Wine("tamo-window-check.exe", {"W-1", "24 ms"}));
    ASSERT_TRUE(window.waitForOutput("open W-1\r\n", 120s)) << window.outputSoFar();
    ASSERT_EQ(uhid->order("buttons a 0x10"), "ok buttons a");
    EXPECT_TRUE(window.waitForOutput("lit 5\r\n", 60s)) << window.outputSoFar();
    EXPECT_TRUE(window.waitForOutput("picked 24 ms\r\n", 60s)) << window.outputSoFar();
    const ProgramResult result = window.finish(30s);
    EXPECT_EQ(result.status, 0) << result.out << result.err;
    const std::vector<std::string> reports = uhid->featureReports("a");
    ASSERT_EQ(reports.size(), sent + 1);
    EXPECT_EQ(reports.back(), FeatureReportHex("00ee0603"));

    // Each window reads the settings of the board it opens: eight reads.
    bool read = false;
    for (int waited = 0; waited < 600 && !(read = gets() >= before + 16); ++waited)
        std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(read) << "the boards saw " << gets() - before << " reads";
    const ProgramResult config = tool.finish(0ms);
    EXPECT_EQ(config.status, -1) << "tamo-config.exe ended by itself: " << config.err;
}

} // namespace
} // namespace tamo::test
