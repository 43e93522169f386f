// SPDX-License-Identifier: GPL-3.0-or-later
#include "station.h"

#include "board_access.h"
#include "board_test.h"
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

int RunStation(Environment &env, const std::optional<SettingsPlan> &plan,
               const std::optional<std::string> &logFile)
{
    std::ofstream log;
    if (logFile) {
        std::error_code ignored;
        const bool fresh = !std::filesystem::exists(*logFile, ignored)
                           || std::filesystem::file_size(*logFile, ignored) == 0;
        log.open(*logFile, std::ios::app | std::ios::binary);
        if (!log) {
            env.err << "tamo selftest: " << *logFile << ": cannot be opened for appending\n";
            return EXIT_USAGE;
        }
        if (fresh)
            log << "serial,time,result\n" << std::flush;
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
            const BoardTestResult result = TestBoard(env, serial, plan);
            const std::string time = UtcTimestamp(env.clock.WallMs());
            ++tested;
            if (result.status != EXIT_OK)
                failed.push_back(SerialText(serial));
            env.out << time << "  " << SerialText(serial) << "  " << result.result;
            if (result.status != EXIT_OK && !result.detail.empty())
                env.out << " (" << result.detail << ")";
            env.out << '\n' << std::flush;
            if (log.is_open()) {
                std::string text = result.result;
                if (result.status != EXIT_OK && !result.detail.empty())
                    text += ": " + result.detail;
                log << CsvField(Latin1ToUtf8(serial)) << ',' << time << ',' << CsvField(text)
                    << '\n'
                    << std::flush;
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
