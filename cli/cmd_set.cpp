// SPDX-License-Identifier: GPL-3.0-or-later
// tamo set: changes settings by the window's names, sends them as the window would, then reads
// the board back and checks it.
#include "apply.h"
#include "board_access.h"
#include "commands.h"
#include "setting_names.h"
#include "text.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace tamo::cli {

namespace {

struct SetOptions {
    std::optional<std::string> serial;
    std::vector<std::string> encoders;
    std::optional<std::string> pulseLength;
    std::optional<std::string> aInput;
    bool dryRun = false;
};

// Every argument is checked before any board is looked at.
std::optional<config::SettingsRequest> ParseRequest(Environment &env, const SetOptions &options)
{
    config::SettingsRequest request;
    for (const std::string &text : options.encoders) {
        const std::size_t equals = text.find('=');
        const std::string pairText = text.substr(0, equals);
        const auto pair = config::ParsePairName(pairText);
        if (equals == text.npos || !pair) {
            env.err << "tamo set: --encoder '" << Escaped(text) << "': "
                    << (equals == text.npos ? "expected PAIR=MODE, e.g. B5+B6=1:4"
                                            : "no input pair '" + Escaped(pairText)
                                                  + "' (pairs are " + config::PairChoices() + ")")
                    << '\n';
            return std::nullopt;
        }
        const auto mode = config::ParseEncoderMode(text.substr(equals + 1));
        if (!mode) {
            env.err << "tamo set: --encoder '" << Escaped(text) << "': no encoder mode '"
                    << Escaped(text.substr(equals + 1)) << "' (modes are "
                    << config::EncoderModeChoices() << ")\n";
            return std::nullopt;
        }
        auto &slot = request.encoderModes[static_cast<std::size_t>(*pair - 1)];
        if (slot && *slot != *mode) {
            env.err << "tamo set: --encoder gives " << config::PairName(*pair) << " twice, as "
                    << config::EncoderModeName(*slot) << " and as "
                    << config::EncoderModeName(*mode) << '\n';
            return std::nullopt;
        }
        slot = mode;
    }
    if (options.pulseLength) {
        request.pulseLengthIndex = config::ParsePulseLength(*options.pulseLength);
        if (!request.pulseLengthIndex) {
            env.err << "tamo set: --pulse-length '" << Escaped(*options.pulseLength)
                    << "': not a pulse length (" << config::PulseLengthChoices() << ")\n";
            return std::nullopt;
        }
    }
    if (options.aInput) {
        request.aInputModeIndex = config::ParseAInputMode(*options.aInput);
        if (!request.aInputModeIndex) {
            env.err << "tamo set: --a-input '" << Escaped(*options.aInput)
                    << "': not an \"A\" input mode (" << config::AInputModeChoices() << ")\n";
            return std::nullopt;
        }
    }
    if (request.empty()) {
        env.err << "tamo set: nothing to set: give --encoder, --pulse-length or --a-input (see "
                   "tamo set --help)\n";
        return std::nullopt;
    }
    return request;
}

int RunSet(Environment &env, const SetOptions &options)
{
    const auto request = ParseRequest(env, options);
    if (!request)
        return EXIT_USAGE;
    const BoardChoice choice = ChooseBoard(env, options.serial, "tamo set");
    if (!choice.serial)
        return choice.status;
    OpenBoard board(env.platform);
    if (const int status = OpenChosen(env, board, *choice.serial); status != EXIT_OK)
        return status;
    const std::string name = SerialText(*choice.serial);
    // The other pairs of a group travel with the one named: they keep what the board holds.
    const auto current = board.Session().ReadBackConfiguration();
    std::string error;
    const auto plan = config::MakePlan(*request, current, error);
    if (!plan) {
        env.err << "tamo set: board " << name << ": " << error << "; nothing was sent\n";
        return EXIT_BOARD_IO;
    }
    if (options.dryRun) {
        PrintWouldSend(env, board, *plan, name);
        return EXIT_OK;
    }
    const ApplyResult result = ApplyAndVerify(env, board, *plan, name);
    if (result.status == EXIT_OK)
        env.out << name << ": " << PlanSummary(*plan, *request) << ": sent and read back\n";
    return result.status;
}

} // namespace

Command AddSetCommand(CLI::App &tamo, Environment &env)
{
    auto options = std::make_shared<SetOptions>();
    CLI::App *set = tamo.add_subcommand(
        "set", "Change settings by the window's names, then read the board back and check it");
    set->add_option("SERIAL", options->serial, SERIAL_HELP);
    set->add_option("--encoder", options->encoders,
                    "PAIR=MODE, e.g. B5+B6=1:4; pairs B1+B2 .. B19+B20, modes off, 1:1, 1:2, "
                    "1:4; may be given more than once")
        ->type_name("PAIR=MODE")
        ->allow_extra_args(false);
    set->add_option("--pulse-length", options->pulseLength,
                    "Encoder pulse length, \"8 ms\" to \"200 ms\" in steps of 8 ms")
        ->type_name("LENGTH");
    set->add_option("--a-input", options->aInput,
                    "\"A\" input mode: Auto, Potentiometer, \"Rotary Switch, Pulsed\", "
                    "\"Rotary Switch, Latched\", \"Button 21\"")
        ->type_name("MODE");
    set->add_flag("--dry-run", options->dryRun,
                  "Print the feature reports that would be sent, as hex; send nothing");
    set->footer("A changed pair sends the two reports of its group (B1+B2..B15+B16, or "
                "B17+B18 and B19+B20), the other pairs of the group as the board holds them.\n"
                "Exit status: 0 when the board holds every setting afterwards, 1 when it does "
                "not, 2 for bad arguments (nothing sent), 3/4 no board / cannot be opened, 5 "
                "when the board stopped answering.");
    return {set, [&env, options] {
                return RunSet(env, *options);
            }};
}

} // namespace tamo::cli
