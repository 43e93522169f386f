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
#include <ostream>
#include <set>

namespace tamo::cli {

namespace {

std::vector<device::SerialNumber> Scan(Environment &env)
{
    device::BoardConnection connection;
    device::ValueCapsArray valueCaps{};
    device::Discovery discovery{env.platform, connection, valueCaps};
    return device::Scan_USB_devices(discovery);
}

} // namespace

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
    if (!board.Open(serial)) {
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

int RunStation(Environment &env, const std::optional<SettingsPlan> &plan,
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
            env.err << "tamo selftest: " << *logFile << ": cannot be opened for appending\n";
            return EXIT_USAGE;
        }
        if (fresh)
            log << (threeColumns ? "serial,time,result" : kButtonsHeader) << '\n' << std::flush;
        if (!fresh && threeColumns && buttons)
            env.err << "tamo selftest: " << *logFile
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
    for (std::uint32_t elapsed = 0; !env.interrupted(); elapsed = STATION_SCAN_INTERVAL_MS) {
        if (!gate.due(elapsed)) {
            env.clock.Sleep(STATION_SCAN_INTERVAL_MS);
            continue;
        }
        const std::vector<device::SerialNumber> serials = Scan(env);
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
            const std::string time = UtcTimestamp(env.clock.WallMs());
            ++tested;
            if (result.status != EXIT_OK)
                failed.push_back(SerialText(serial));
            env.out << time << "  " << SerialText(serial) << "  " << result.result;
            if (result.status != EXIT_OK && !result.detail.empty())
                env.out << " (" << result.detail << ")";
            if (!buttonVerdict.empty())
                env.out << ", buttons " << buttonVerdict;
            env.out << '\n' << std::flush;
            if (log.is_open()) {
                std::string text = result.result;
                if (result.status != EXIT_OK && !result.detail.empty())
                    text += ": " + result.detail;
                if (threeColumns && !buttonVerdict.empty())
                    text += ", buttons " + buttonVerdict;
                log << CsvField(Latin1ToUtf8(serial)) << ',' << time << ',' << CsvField(text);
                if (!threeColumns)
                    log << ',' << CsvField(buttonVerdict);
                log << '\n' << std::flush;
            }
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
        env.err << "tamo selftest: " << *logFile << ": writing failed\n";
        return EXIT_FAILED;
    }
    return failed.empty() ? EXIT_OK : EXIT_FAILED;
}

} // namespace tamo::cli
