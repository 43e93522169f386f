// SPDX-License-Identifier: GPL-3.0-or-later
// tamo show: a board's identity and the settings it holds, as the window's lists name them.
#include "board_access.h"
#include "commands.h"
#include "setting_names.h"
#include "table.h"
#include "text.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <memory>
#include <ostream>

namespace tamo::cli {

namespace {

struct ShowOptions {
    std::optional<std::string> serial;
    bool json = false;
};

int RunShow(Environment &env, const ShowOptions &options)
{
    const BoardChoice choice = ChooseBoard(env, options.serial, "tamo show");
    if (!choice.serial)
        return choice.status;
    OpenBoard board(env.platform);
    if (const int status = OpenChosen(env, board, *choice.serial); status != EXIT_OK)
        return status;
    config::BoardSession session = board.Session();
    const config::BoardIdentity identity = session.ReadIdentity();
    const auto settings = session.ReadBackConfiguration();

    const std::string manufacturer = LabelValue(identity.manufacturer.value_or(""));
    const std::string product = LabelValue(identity.product.value_or(""));
    // The window shows the version only when the manufacturer string could be read.
    const std::string version = identity.manufacturer ? LabelValue(identity.version) : "";
    if (options.json) {
        nlohmann::ordered_json json;
        json["serial_number"] = Latin1ToUtf8(*choice.serial);
        json["manufacturer"] = Latin1ToUtf8(manufacturer);
        json["product"] = Latin1ToUtf8(product);
        json["version"] = version;
        if (settings) {
            nlohmann::ordered_json encoders;
            for (int pair = 1; pair <= config::PAIR_COUNT; ++pair)
                encoders[config::PairName(pair)] = config::EncoderModeName(
                    settings->encoderModes[static_cast<std::size_t>(pair - 1)]);
            json["encoders"] = encoders;
            const std::string pulse = config::PulseLengthName(settings->pulseLength);
            json["pulse_length"] =
                pulse.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(pulse);
            json["a_input"] = config::AInputModeName(settings->aInputMode);
        } else {
            json["settings_error"] = "no usable configuration reply";
        }
        env.out << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                << '\n';
    } else {
        std::vector<std::vector<std::string>> rows{
            {"serial number", SerialText(*choice.serial)},
            {"manufacturer", Printable(manufacturer)},
            {"product", Printable(product)},
            {"version", version},
        };
        if (settings) {
            for (int pair = 1; pair <= config::PAIR_COUNT; ++pair)
                rows.push_back({config::PairName(pair),
                                config::EncoderModeName(
                                    settings->encoderModes[static_cast<std::size_t>(pair - 1)])});
            const std::string pulse = config::PulseLengthName(settings->pulseLength);
            rows.push_back({"pulse length", pulse.empty() ? "none (the board holds 0)" : pulse});
            rows.push_back({"A input", config::AInputModeName(settings->aInputMode)});
        }
        PrintTable(env.out, rows);
    }
    if (!settings) {
        env.err << "tamo: board " << SerialText(*choice.serial)
                << " gave no usable configuration reply in " << config::READBACK_ATTEMPTS
                << " reads: " << Escaped(board.WhyNoReply()) << '\n';
        return EXIT_BOARD_IO;
    }
    return EXIT_OK;
}

} // namespace

Command AddShowCommand(CLI::App &tamo, Environment &env)
{
    auto options = std::make_shared<ShowOptions>();
    CLI::App *show = tamo.add_subcommand(
        "show", "Show a board's identity and the settings it holds, as the window names them");
    show->add_option("SERIAL", options->serial, SERIAL_HELP);
    show->add_flag("--json", options->json, "Print as JSON");
    return {show, [&env, options] {
                return RunShow(env, *options);
            }};
}

} // namespace tamo::cli
