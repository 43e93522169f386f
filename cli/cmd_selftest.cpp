// SPDX-License-Identifier: GPL-3.0-or-later
// tamo selftest: the boards' self-diagnostic, for one board, every board, or a production
// line (--station) that tests each board as it is plugged in.
#include "board_access.h"
#include "board_test.h"
#include "button_test_run.h"
#include "commands.h"
#include "file_io.h"
#include "settings_file.h"
#include "station.h"
#include "text.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace tamo::cli {

namespace {

struct SelftestOptions {
    std::optional<std::string> serial;
    bool all = false;
    bool station = false;
    std::optional<std::string> load;
    std::optional<std::string> log;
    std::optional<std::string> inputs;
    double timeout = 120;
};

// The status of the worst result: a failed test before a board that did not answer before
// one that could not be opened.
int Worse(int a, int b)
{
    for (const int status : {EXIT_FAILED, EXIT_BOARD_IO, EXIT_NOT_OPENABLE})
        if (a == status || b == status)
            return status;
    return EXIT_OK;
}

int RunSelftest(Environment &env, const SelftestOptions &options)
{
    if (options.station) {
        // Appending records to the settings file would leave a file that no longer loads.
        if (options.load && options.log && settings_file::SameFile(*options.load, *options.log)) {
            env.err << "tamo selftest: --log " << Escaped(*options.log)
                    << " is the settings file given to --load; name another file for the log\n";
            return EXIT_USAGE;
        }
        std::optional<config::SettingsPlan> plan;
        if (options.load) {
            std::string error;
            const auto file = settings_file::ReadSettingsFile(*options.load, env.in, error);
            if (!file) {
                env.err << "tamo selftest: " << error << '\n';
                return EXIT_USAGE;
            }
            plan = config::MakePlan(file->settings, std::nullopt, error);
        }
        std::optional<StationButtonTest> buttons;
        if (options.inputs) {
            std::string error;
            const auto inputs = ParseInputList(*options.inputs, error);
            if (!inputs) {
                env.err << "tamo selftest: --inputs: " << error << '\n';
                return EXIT_USAGE;
            }
            buttons =
                StationButtonTest{*inputs, static_cast<std::uint64_t>(options.timeout * 1000)};
        }
        return RunStation(env, plan, options.log, buttons);
    }
    std::vector<device::SerialNumber> serials;
    if (options.all) {
        serials = config::ScanBoards(env.platform);
        if (serials.empty())
            return ReportNoBoard(env);
    } else {
        const BoardChoice choice = ChooseBoard(env, options.serial, "tamo selftest");
        if (!choice.serial)
            return choice.status;
        serials.push_back(*choice.serial);
    }
    int status = EXIT_OK;
    for (const device::SerialNumber &serial : serials) {
        const BoardTestResult result = TestBoard(env, serial, std::nullopt);
        env.out << SerialText(serial) << ": " << result.result << '\n';
        if (result.status != EXIT_OK && !result.detail.empty())
            env.err << "tamo: board " << SerialText(serial) << ": " << result.detail << '\n';
        status = Worse(status, result.status);
    }
    return status;
}

} // namespace

Command AddSelftestCommand(CLI::App &tamo, Environment &env)
{
    auto options = std::make_shared<SelftestOptions>();
    CLI::App *selftest = tamo.add_subcommand(
        "selftest", "Run the board's self-diagnostic: Passed, Failed on B<n>, or No reply from "
                    "board; or test boards on a production line (--station)");
    auto *serial = selftest->add_option("SERIAL", options->serial, SERIAL_HELP);
    auto *all = selftest->add_flag("--all", options->all, "Test every attached board");
    auto *station = selftest->add_flag(
        "--station", options->station,
        "Production line: wait for boards plugged in one after another, test each, print one "
        "line per board; Ctrl-C ends with a summary");
    selftest
        ->add_option("--load", options->load,
                     "With --station: after a pass, put this settings file onto the board "
                     "and check it")
        ->needs(station)
        ->type_name("FILE");
    selftest
        ->add_option("--log", options->log,
                     "With --station: append serial number, time (UTC) and result to this "
                     "CSV file")
        ->needs(station)
        ->type_name("FILE.csv");
    auto *inputs = selftest
                       ->add_option("--inputs", options->inputs,
                                    "With --station: after a pass, the guided button test of "
                                    "these inputs (e.g. 1-32), logged in its own column")
                       ->needs(station)
                       ->type_name("LIST");
    selftest
        ->add_option("--timeout", options->timeout,
                     "With --inputs: seconds each board's button test may take (default 120)")
        ->needs(inputs)
        ->check(CLI::PositiveNumber)
        ->type_name("S");
    all->excludes(serial);
    station->excludes(serial)->excludes(all);
    selftest->footer("Exit status: 0 when every board passed, 1 when one failed, 5 when one "
                     "gave no reply, 3/4 no board / cannot be opened.");
    return {selftest, [&env, options] {
                return RunSelftest(env, *options);
            }};
}

} // namespace tamo::cli
