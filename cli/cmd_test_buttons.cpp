// SPDX-License-Identifier: GPL-3.0-or-later
// tamo test-buttons: the guided button test. Every input under test must be pressed and
// released once; each press counts however short, and an input that bounces is named.
#include "board_access.h"
#include "button_test_run.h"
#include "commands.h"
#include "setting_names.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cmath>
#include <memory>
#include <ostream>

namespace tamo::cli {

namespace {

struct TestButtonsOptions {
    std::optional<std::string> serial;
    std::string inputs = "1-32";
    std::optional<double> timeout;
    double chatterMs = static_cast<double>(config::DEFAULT_CHATTER_THRESHOLD_US) / 1000.0;
    bool json = false;
};

std::optional<double> Ms(const std::optional<std::uint64_t> &us)
{
    if (!us)
        return std::nullopt;
    return std::round(static_cast<double>(*us) / 100.0) / 10.0;
}

nlohmann::json Inputs(config::ButtonState inputs)
{
    nlohmann::json list = nlohmann::json::array();
    for (int button = 1; button <= config::BUTTON_COUNT; ++button)
        if (inputs >> (button - 1) & 1)
            list.push_back(button);
    return list;
}

nlohmann::json ResultJson(const std::string &serial, const ButtonTestOutcome &outcome,
                          config::ButtonState inputs)
{
    const config::ButtonTest &test = outcome.test;
    const auto optional = [](const std::optional<double> &value) {
        return value ? nlohmann::json(*value) : nlohmann::json(nullptr);
    };
    nlohmann::json result{{"serial", serial},
                          {"passed", outcome.passed},
                          {"ended", outcome.passed ? "passed" : outcome.ended},
                          {"inputs", Inputs(inputs)},
                          {"not_seen", Inputs(inputs & ~test.seen())},
                          {"chattered", Inputs(inputs & test.chattered())},
                          {"chatter_threshold_ms", Ms(test.options().chatterThresholdUs).value()}};
    nlohmann::json together = nlohmann::json::array();
    for (const config::ButtonState group : test.changedTogether())
        together.push_back(Inputs(group));
    result["changed_together"] = together;
    nlohmann::json encoders = nlohmann::json::array();
    for (const config::EncoderTally &encoder : test.encoders())
        encoders.push_back({{"pair", config::PairName(encoder.pair, " + ")},
                            {"detents_first", encoder.detentsFirst},
                            {"detents_second", encoder.detentsSecond},
                            {"shortest_pulse_ms", optional(Ms(encoder.shortestPulseUs))}});
    result["encoders"] = encoders;
    nlohmann::json perInput = nlohmann::json::object();
    for (int button = 1; button <= config::BUTTON_COUNT; ++button) {
        const config::InputTally &tally = test.input(button);
        if (!(inputs >> (button - 1) & 1))
            continue;
        perInput[std::to_string(button)] = {
            {"seen", tally.seen},
            {"presses", tally.presses},
            {"chatters", tally.chatters},
            {"held_from_start", tally.heldFromStart},
            {"shortest_press_ms", optional(Ms(tally.shortestPressUs))},
            {"shortest_gap_ms", optional(Ms(tally.shortestGapUs))}};
    }
    result["per_input"] = perInput;
    const config::ReportTiming timing = test.timing();
    result["reports"] = {{"count", timing.reports},
                         {"queued_behind_another", timing.sharedRead},
                         {"per_second", optional(timing.reportsPerSecond)},
                         {"interval_median_ms", optional(Ms(timing.medianIntervalUs))},
                         {"interval_p99_ms", optional(Ms(timing.p99IntervalUs))},
                         {"interval_largest_ms", optional(Ms(timing.largestIntervalUs))}};
    return result;
}

int RunTestButtons(Environment &env, const TestButtonsOptions &options)
{
    std::string error;
    const std::optional<config::ButtonState> inputs = ParseInputList(options.inputs, error);
    if (!inputs) {
        env.err << "tamo test-buttons: --inputs: " << error << '\n';
        return EXIT_USAGE;
    }
    const BoardChoice choice = ChooseBoard(env, options.serial, "tamo test-buttons");
    if (!choice.serial)
        return choice.status;
    OpenBoard board(env.platform);
    if (const int status = OpenChosen(env, board, *choice.serial); status != EXIT_OK)
        return status;
    const std::string name = SerialText(*choice.serial);

    ButtonTestRunOptions run;
    run.inputs = *inputs;
    if (options.timeout)
        run.timeoutMs = static_cast<std::uint64_t>(*options.timeout * 1000);
    run.chatterThresholdUs = static_cast<std::uint64_t>(options.chatterMs * 1000);
    run.progress = options.json        ? ButtonTestProgress::None
                   : env.outIsTerminal ? ButtonTestProgress::InPlace
                                       : ButtonTestProgress::Lines;
    run.prefix = env.outIsTerminal ? name : "";
    if (run.progress == ButtonTestProgress::Lines)
        env.out << name << ": press every input once: " << config::InputNames(*inputs)
                << " (Ctrl-C ends)\n"
                << std::flush;
    const ButtonTestOutcome outcome = RunButtonTest(env, board, run);
    if (options.json) {
        env.out << ResultJson(name, outcome, *inputs).dump(2) << '\n';
    } else {
        for (const std::string &line : config::ButtonTestReport(outcome.test, *inputs))
            env.out << line << '\n';
        env.out << (outcome.passed ? "Passed" : "Failed") << '\n';
    }
    if (outcome.status == EXIT_BOARD_IO)
        env.err << "tamo test-buttons: board " << name << ": " << outcome.ended << '\n';
    return outcome.status;
}

} // namespace

Command AddTestButtonsCommand(CLI::App &tamo, Environment &env)
{
    auto options = std::make_shared<TestButtonsOptions>();
    CLI::App *command = tamo.add_subcommand(
        "test-buttons",
        "Guided button test: press every input once; every press counts however "
        "short, and an input that bounces, is dead or is wired to another is named");
    command->add_option("SERIAL", options->serial, SERIAL_HELP);
    command
        ->add_option("--inputs", options->inputs,
                     "The inputs under test, e.g. 1-8,12,B17 (default all 32)")
        ->type_name("LIST");
    command->add_option("--timeout", options->timeout, "Give up after this many seconds")
        ->check(CLI::PositiveNumber)
        ->type_name("S");
    command
        ->add_option("--chatter-ms", options->chatterMs,
                     "A release followed by a press sooner than this is chatter (default 8)")
        ->check(CLI::PositiveNumber);
    command->add_flag("--json", options->json, "Print the result as JSON, and no progress");
    command->footer(
        "On a terminal the inputs still to press are shown in place; otherwise one line per "
        "input seen or chattering. Ends when every input was seen without chatter, on "
        "--timeout or on Ctrl-C.\nExit status: 0 when every input passed, 1 when one was not "
        "seen or chattered, 5 when the board goes.");
    return {command, [&env, options] {
                return RunTestButtons(env, *options);
            }};
}

} // namespace tamo::cli
