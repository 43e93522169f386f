// SPDX-License-Identifier: GPL-3.0-or-later
#include "button_test_run.h"

#include "button_view.h"
#include "input_follower.h"

#include <bit>
#include <cstdio>
#include <ostream>

namespace tamo::cli {

namespace {

constexpr std::uint32_t kRedrawMs = 50;

config::ButtonState Bit(int button)
{
    return config::ButtonState{1} << (button - 1);
}

std::optional<int> InputNumber(std::string text)
{
    if (!text.empty() && (text[0] == 'B' || text[0] == 'b'))
        text.erase(0, 1);
    if (text.empty() || text.size() > 2
        || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int n = std::stoi(text);
    if (n < 1 || n > config::BUTTON_COUNT)
        return std::nullopt;
    return n;
}

// Four rows of eight: an input still to press as its number, a seen one in green brackets, one
// that chattered in yellow with '!', a pressed one in reverse video.
std::vector<std::string> Grid(const std::string &heading, const config::ButtonTest &test,
                              config::ButtonState inputs, config::ButtonState lit)
{
    const config::ButtonState due = inputs & ~test.seen();
    std::vector<std::string> lines{heading + ": press every input once; "
                                   + std::to_string(std::popcount(due)) + " to go (Ctrl-C ends)"};
    for (int row = 0; row < 4; ++row) {
        std::string line;
        for (int column = 0; column < 8; ++column) {
            const int button = 8 * row + column + 1;
            char cell[16];
            std::snprintf(cell, sizeof cell, "%2d", button);
            const config::ButtonState bit = Bit(button);
            std::string text = !(inputs & bit)            ? std::string("  ") + " " + " "
                               : (test.chattered() & bit) ? std::string("!") + cell + "!"
                               : (test.seen() & bit)      ? std::string("[") + cell + "]"
                                                          : std::string(" ") + cell + " ";
            if (lit & bit)
                text = "\x1b[7m" + text + "\x1b[0m";
            else if (test.chattered() & bit)
                text = "\x1b[33m" + text + "\x1b[0m";
            else if (test.seen() & bit)
                text = "\x1b[32m" + text + "\x1b[0m";
            line += text;
        }
        lines.push_back(line);
    }
    const config::ButtonState chattered = test.chattered() & inputs;
    lines.push_back(chattered ? "Chatter: " + config::InputNames(chattered) : std::string());
    return lines;
}

} // namespace

std::optional<config::ButtonState> ParseInputList(const std::string &text, std::string &error)
{
    config::ButtonState inputs = 0;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        const std::string item = text.substr(at, comma - at);
        const std::size_t dash = item.find('-');
        const auto first = InputNumber(item.substr(0, dash));
        const auto last = dash == std::string::npos ? first : InputNumber(item.substr(dash + 1));
        if (!first || !last || *first > *last) {
            error = "\"" + item + "\" is no input or range of inputs 1 to 32 (e.g. 1-8,12,B17)";
            return std::nullopt;
        }
        for (int n = *first; n <= *last; ++n)
            inputs |= Bit(n);
        at = comma + 1;
    }
    return inputs;
}

ButtonTestOutcome RunButtonTest(Environment &env, OpenBoard &board,
                                const ButtonTestRunOptions &options)
{
    config::ButtonTestOptions analysis;
    analysis.chatterThresholdUs = options.chatterThresholdUs;
    if (const auto settings = board.Session().ReadBackConfiguration())
        analysis.encoderPairs = config::EncoderPairsOf(settings->encoderModes);
    ButtonTestOutcome outcome{config::ButtonTest(analysis), false, {}, EXIT_OK};
    config::ButtonTest &test = outcome.test;
    // A board that reports on change says nothing until something changes, so the test starts
    // from every input released; a held one shows pressed in the board's first report.
    test.start(0);
    InputFollower follower(env, board);
    const std::uint64_t start = env.clock.SteadyMs();
    config::ButtonState seenTold = 0;
    config::ButtonState chatterTold = 0;
    std::size_t drawnLines = 0;
    std::optional<std::vector<std::string>> drawn;
    config::ButtonState lit = 0;
    std::uint64_t litAt = 0;
    while (true) {
        if (env.interrupted()) {
            outcome.ended = "interrupted";
            break;
        }
        const std::uint64_t now = env.clock.SteadyMs();
        if (options.timeoutMs && now - start >= *options.timeoutMs) {
            outcome.ended = "timed out";
            break;
        }
        const InputBatch batch = follower.next(kRedrawMs);
        if (batch.outcome == device::ReadOutcome::Failed) {
            outcome.ended = "the board is gone: " + board.Connection().LastResult.error;
            outcome.status = EXIT_BOARD_IO;
            break;
        }
        test.addRead(batch.reports, batch.timeUs);
        if (const config::ButtonState pressed = test.takePressedSinceLastLook()) {
            lit |= pressed;
            litAt = env.clock.SteadyMs();
        }
        const config::ButtonState seen = test.seen() & options.inputs;
        const config::ButtonState chattered = test.chattered() & options.inputs;
        if (options.progress == ButtonTestProgress::Lines) {
            const auto elapsed = std::to_string(env.clock.SteadyMs() - start) + " ms  ";
            for (int button = 1; button <= config::BUTTON_COUNT; ++button) {
                const config::ButtonState bit = Bit(button);
                if ((seen & ~seenTold) & bit)
                    env.out << options.prefix << elapsed << config::InputName(button) << " seen ("
                            << std::popcount(options.inputs & ~seen) << " to go)\n";
                if ((chattered & ~chatterTold) & bit)
                    env.out << options.prefix << elapsed << config::InputName(button)
                            << " chattered: "
                            << config::MillisecondsText(
                                   test.input(button).shortestGapUs.value_or(0))
                            << " from a release to the next press\n";
            }
            env.out << std::flush;
        }
        seenTold = seen;
        chatterTold = chattered;
        const bool done = seen == options.inputs && chattered == 0;
        if (options.progress == ButtonTestProgress::InPlace) {
            // The last drawing shows what was found, not what was pressed last.
            if (done || (lit && env.clock.SteadyMs() - litAt >= kRedrawMs))
                lit = 0;
            auto lines = Grid(options.prefix, test, options.inputs, test.pressedNow() | lit);
            if (lines != drawn) {
                RedrawInPlace(env.out, lines, drawnLines);
                drawn = std::move(lines);
            }
        }
        if (done) {
            outcome.passed = true;
            break;
        }
    }
    if (!outcome.passed && outcome.status == EXIT_OK)
        outcome.status = EXIT_FAILED;
    return outcome;
}

std::string ButtonTestVerdict(const ButtonTestOutcome &outcome, config::ButtonState inputs)
{
    if (outcome.passed)
        return "passed";
    std::string text = "failed";
    const char *separator = ": ";
    if (const config::ButtonState missing = inputs & ~outcome.test.seen()) {
        text += separator + std::string("not seen ") + config::InputNames(missing);
        separator = "; ";
    }
    if (const config::ButtonState chattered = inputs & outcome.test.chattered()) {
        text += separator + std::string("chattered ") + config::InputNames(chattered);
        separator = "; ";
    }
    if (outcome.status == EXIT_BOARD_IO)
        text += separator + outcome.ended;
    return text;
}

} // namespace tamo::cli
