// SPDX-License-Identifier: GPL-3.0-or-later
#include "station.h"

#include "board_access.h"
#include "board_test.h"
#include "button_test_run.h"
#include "scan_gate.h"
#include "text.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <set>

namespace tamo::cli {

namespace {

constexpr const char *kButtonsHeader = "serial,time,result,buttons";

// A log keeps the columns it was begun with, so every record of a file has the same shape: one
// begun with three (before the button test had a column, or without it) gets the button
// test's verdict in its result column.
bool HasButtonsColumn(const std::string &logFile)
{
    std::ifstream existing(logFile, std::ios::binary);
    std::string header;
    std::getline(existing, header);
    return header == kButtonsHeader || header == std::string(kButtonsHeader) + "\r";
}

// The button test of a board that passed its self-test: "" when none was asked for.
std::string TestButtons(Environment &env, const device::SerialNumber &serial,
                        const StationButtonTest &buttons, BoardTestResult &result)
{
    OpenBoard board(env.platform);
    if (!board.Open(serial).found) {
        result.status = EXIT_NOT_OPENABLE;
        return "failed: could not be opened: " + board.Why();
    }
    env.out << "  " << SerialText(serial)
            << ": press every input once: " << config::InputNames(buttons.inputs) << '\n'
            << std::flush;
    ButtonTestRunOptions run;
    run.inputs = buttons.inputs;
    run.timeoutMs = buttons.timeoutMs;
    run.prefix = "  " + SerialText(serial) + ": ";
    const ButtonTestOutcome outcome = RunButtonTest(env, board, run);
    if (!outcome.passed)
        result.status = outcome.status;
    return ButtonTestVerdict(outcome, buttons.inputs);
}

} // namespace

int RunStation(Environment &env, const std::optional<config::SettingsPlan> &plan,
               const std::optional<std::string> &logFile,
               const std::optional<StationButtonTest> &buttons)
{
    std::ofstream log;
    bool threeColumns = false;
    if (logFile) {
        std::error_code ignored;
        const bool fresh = !std::filesystem::exists(*logFile, ignored)
                           || std::filesystem::file_size(*logFile, ignored) == 0;
        threeColumns = fresh ? !buttons : !HasButtonsColumn(*logFile);
        log.open(*logFile, std::ios::app | std::ios::binary);
        if (!log) {
            env.err << "tamo selftest: " << Escaped(*logFile)
                    << ": cannot be opened for appending\n";
            return EXIT_USAGE;
        }
        if (fresh)
            log << (threeColumns ? "serial,time,result" : kButtonsHeader) << '\n' << std::flush;
        if (!fresh && threeColumns && buttons)
            env.err << "tamo selftest: " << Escaped(*logFile)
                    << " has the three columns of an older log; the button test's result goes "
                       "into its result column\n";
    }
    env.out << "station: waiting for boards; plug them in one after another (Ctrl-C ends)\n"
            << std::flush;
    // Boards tested and still attached. One that is unplugged is forgotten, so plugging it in
    // again tests it again.
    std::set<device::SerialNumber> present;
    int tested = 0;
    std::vector<std::string> failed;
    // A station waits for hours: it enumerates (opening every HID interface) only when the
    // platform says the interfaces may have changed.
    device::ScanGate gate(env.platform.WatchDeviceChanges(), STATION_SAFETY_LOOK_MS);
    // Boards attached but closed to us, by node: when first seen, and whether reported yet.
    std::map<std::string, std::pair<std::uint64_t, bool>> closed;
    const auto settling = [&] {
        return std::any_of(closed.begin(), closed.end(),
                           [](const auto &board) { return !board.second.second; });
    };
    const auto record = [&](const std::string &shown, const std::string &logSerial,
                            const std::string &result, const std::string &detail, bool ok,
                            const std::string &buttonVerdict) {
        const std::string time = UtcTimestamp(env.clock.WallMs());
        ++tested;
        if (!ok)
            failed.push_back(shown);
        env.out << time << "  " << shown << "  " << result;
        if (!ok && !detail.empty())
            env.out << " (" << Escaped(detail) << ")";
        if (!buttonVerdict.empty())
            env.out << ", buttons " << Escaped(buttonVerdict);
        env.out << '\n' << std::flush;
        if (log.is_open()) {
            std::string text = !ok && !detail.empty() ? result + ": " + detail : result;
            if (threeColumns && !buttonVerdict.empty())
                text += ", buttons " + buttonVerdict;
            log << CsvField(logSerial) << ',' << time << ',' << CsvField(text);
            if (!threeColumns)
                log << ',' << CsvField(buttonVerdict);
            log << '\n' << std::flush;
        }
    };
    for (std::uint32_t elapsed = 0; !env.interrupted(); elapsed = STATION_SCAN_INTERVAL_MS) {
        if (!gate.due(elapsed, settling())) {
            env.clock.Sleep(STATION_SCAN_INTERVAL_MS);
            continue;
        }
        const std::vector<device::SerialNumber> serials = config::ScanBoards(env.platform);
        std::erase_if(present, [&](const device::SerialNumber &serial) {
            return std::find(serials.begin(), serials.end(), serial) == serials.end();
        });
        for (const device::SerialNumber &serial : serials) {
            if (env.interrupted() || !present.insert(serial).second)
                continue;
            BoardTestResult result = TestBoard(env, serial, plan);
            const std::string buttonVerdict = buttons && result.status == EXIT_OK
                                                  ? TestButtons(env, serial, *buttons, result)
                                                  : std::string();
            record(SerialText(serial), Latin1ToUtf8(serial), result.result, result.detail,
                   result.status == EXIT_OK, buttonVerdict);
        }
        // A board that discovery cannot open is skipped by it as if absent; here it is a board
        // on the line like any other, and a failed one.
        const std::uint64_t now = env.clock.SteadyMs();
        const std::vector<device::InaccessibleBoard> closedNow = env.findInaccessibleBoards();
        std::erase_if(closed, [&](const auto &board) {
            return std::none_of(closedNow.begin(), closedNow.end(),
                                [&](const auto &still) { return still.path == board.first; });
        });
        for (const device::InaccessibleBoard &board : closedNow) {
            auto &[since, reported] = closed.try_emplace(board.path, now, false).first->second;
            if (reported || now - since < STATION_CLOSED_SETTLE_MS || env.interrupted())
                continue;
            reported = true;
            const std::string serial = SystemText(board.serialNumber.value_or(""));
            record(serial.empty() ? Escaped(board.path) : Escaped(serial), serial,
                   "Could not be opened", board.reason, false, {});
            if (!board.fix.empty())
                env.err << "  fix: " << Escaped(board.fix) << '\n';
        }
        if (!env.interrupted())
            env.clock.Sleep(STATION_SCAN_INTERVAL_MS);
    }
    env.out << "station: " << tested << (tested == 1 ? " board" : " boards")
            << " tested: " << tested - static_cast<int>(failed.size()) << " passed, "
            << failed.size() << " failed";
    if (!failed.empty()) {
        env.out << " (";
        for (std::size_t i = 0; i < failed.size(); ++i)
            env.out << (i ? ", " : "") << failed[i];
        env.out << ")";
    }
    env.out << '\n';
    if (log.is_open() && !log) {
        env.err << "tamo selftest: " << Escaped(*logFile) << ": writing failed\n";
        return EXIT_FAILED;
    }
    return failed.empty() ? EXIT_OK : EXIT_FAILED;
}

} // namespace tamo::cli
