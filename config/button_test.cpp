// SPDX-License-Identifier: GPL-3.0-or-later
#include "button_test.h"

#include "setting_names.h"

#include <algorithm>
#include <bit>
#include <cstdio>

namespace tamo::config {

namespace {

// One press and release could come together by chance; two in a row cannot.
constexpr std::uint32_t kChangesBeforeTogether = 4;

ButtonState Bit(int index)
{
    return ButtonState{1} << index;
}

void KeepShortest(std::optional<std::uint64_t> &shortest, std::uint64_t us)
{
    if (!shortest || us < *shortest)
        shortest = us;
}

} // namespace

ButtonTest::ButtonTest(ButtonTestOptions options)
    : options_(options)
{}

void ButtonTest::reset()
{
    *this = ButtonTest(options_);
}

const InputTally &ButtonTest::input(int button) const
{
    return inputs_.at(static_cast<std::size_t>(std::clamp(button, 1, BUTTON_COUNT) - 1));
}

bool ButtonTest::isEncoderInput(int index) const
{
    return (options_.encoderPairs >> (index / 2) & 1) != 0 && index / 2 < int(ENCODER_PAIRS);
}

std::optional<std::uint64_t> ButtonTest::sinceUs(std::uint64_t earlierUs, bool sameRead) const
{
    if (!sameRead)
        return readUs_ - earlierUs;
    // Both changes were queued between the last read and this one: that span is all we know.
    if (!previousReadUs_)
        return std::nullopt;
    return readUs_ - *previousReadUs_;
}

void ButtonTest::add(std::span<const TimedReport> reports)
{
    for (const TimedReport &report : reports)
        add(report);
}

void ButtonTest::addRead(std::span<const ButtonState> reports, std::uint64_t timeUs)
{
    for (std::size_t i = 0; i < reports.size(); ++i)
        add(TimedReport{timeUs, reports[i], i > 0});
}

void ButtonTest::start(ButtonState state)
{
    started_ = true;
    state_ = state;
    for (int i = 0; i < BUTTON_COUNT; ++i)
        inputs_[i].pressedNow = inputs_[i].heldFromStart = (state & Bit(i)) != 0;
}

void ButtonTest::add(const TimedReport &report)
{
    ++reports_;
    const bool first = !started_;
    if (first) {
        start(report.buttons);
        pressedSinceLook_ = report.buttons;
    }
    if (!timed_) {
        timed_ = true;
        firstReadUs_ = readUs_ = report.timeUs;
    } else if (report.sameReadAsPrevious) {
        ++sharedRead_;
    } else {
        // A clock that went back counts as no time passed.
        const std::uint64_t time = std::max(report.timeUs, readUs_);
        intervals_.add(time - readUs_);
        previousReadUs_ = readUs_;
        readUs_ = time;
        changedInThisRead_.fill(false);
    }
    if (first)
        return;
    const ButtonState changed = state_ ^ report.buttons;
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        if (!(changed & Bit(i)))
            continue;
        InputTally &tally = inputs_[i];
        const std::uint32_t changes = ++changes_[i];
        together_[i] = changes == 1 ? changed : together_[i] & changed;
        // Only a change before this one gives a press its start or a gap its release.
        const std::optional<std::uint64_t> since =
            changes >= 2 ? sinceUs(changedAtUs_[i], changedInThisRead_[i]) : std::nullopt;
        tally.pressedNow = (report.buttons & Bit(i)) != 0;
        if (tally.pressedNow) {
            ++tally.presses;
            pressedSinceLook_ |= Bit(i);
            if (since) {
                KeepShortest(tally.shortestGapUs, *since);
                if (*since < options_.chatterThresholdUs && !isEncoderInput(i))
                    ++tally.chatters;
            }
        } else {
            tally.seen = true;
            tally.heldFromStart = false;
            if (since)
                KeepShortest(tally.shortestPressUs, *since);
        }
        changedAtUs_[i] = readUs_;
        changedInThisRead_[i] = true;
    }
    state_ = report.buttons;
}

std::vector<EncoderTally> ButtonTest::encoders() const
{
    std::vector<EncoderTally> pairs;
    for (int pair = 1; pair <= int(ENCODER_PAIRS); ++pair) {
        if (!(options_.encoderPairs >> (pair - 1) & 1))
            continue;
        const InputTally &first = inputs_[2 * pair - 2];
        const InputTally &second = inputs_[2 * pair - 1];
        EncoderTally tally{pair, first.presses, second.presses, first.shortestPressUs};
        if (second.shortestPressUs)
            KeepShortest(tally.shortestPulseUs, *second.shortestPressUs);
        pairs.push_back(tally);
    }
    return pairs;
}

ReportTiming ButtonTest::timing() const
{
    ReportTiming timing;
    timing.reports = reports_;
    timing.sharedRead = sharedRead_;
    if (readUs_ > firstReadUs_)
        timing.reportsPerSecond = static_cast<double>(intervals_.count() + sharedRead_) * 1e6
                                  / static_cast<double>(readUs_ - firstReadUs_);
    timing.medianIntervalUs = intervals_.quantileUs(0.5);
    timing.p99IntervalUs = intervals_.quantileUs(0.99);
    timing.largestIntervalUs = intervals_.largestUs();
    return timing;
}

std::vector<ButtonState> ButtonTest::changedTogether() const
{
    std::vector<ButtonState> groups;
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        const ButtonState group = together_[i];
        if (changes_[i] >= kChangesBeforeTogether && std::popcount(group) >= 2
            && std::find(groups.begin(), groups.end(), group) == groups.end())
            groups.push_back(group);
    }
    return groups;
}

ButtonState ButtonTest::seen() const
{
    ButtonState state = 0;
    for (int i = 0; i < BUTTON_COUNT; ++i)
        if (inputs_[i].seen)
            state |= Bit(i);
    return state;
}

ButtonState ButtonTest::chattered() const
{
    ButtonState state = 0;
    for (int i = 0; i < BUTTON_COUNT; ++i)
        if (inputs_[i].chatters > 0)
            state |= Bit(i);
    return state;
}

ButtonState ButtonTest::takePressedSinceLastLook()
{
    const ButtonState pressed = pressedSinceLook_;
    pressedSinceLook_ = 0;
    return pressed;
}

ButtonTest AnalyseReports(std::span<const TimedReport> reports, ButtonTestOptions options)
{
    ButtonTest test(options);
    test.add(reports);
    return test;
}

std::uint16_t EncoderPairsOf(std::span<const int> modeListIndexes)
{
    std::uint16_t pairs = 0;
    for (std::size_t p = 0; p < modeListIndexes.size() && p < ENCODER_PAIRS; ++p)
        if (modeListIndexes[p] > 0)
            pairs |= static_cast<std::uint16_t>(1u << p);
    return pairs;
}

std::string InputName(int button)
{
    return "B" + std::to_string(button);
}

std::string InputNames(ButtonState inputs)
{
    std::string text;
    for (int button = 1; button <= BUTTON_COUNT; ++button)
        if (inputs & Bit(button - 1))
            text += (text.empty() ? "" : ", ") + InputName(button);
    return text;
}

std::string MillisecondsText(std::uint64_t us)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", static_cast<double>(us) / 1000.0);
    return text;
}

std::vector<std::string> ButtonTestReport(const ButtonTest &test, ButtonState inputs, bool perInput)
{
    std::vector<std::string> lines;
    const ButtonState seen = test.seen() & inputs;
    const ButtonState chattered = test.chattered() & inputs;
    lines.push_back("Button test: " + std::to_string(std::popcount(seen)) + " of "
                    + std::to_string(std::popcount(inputs)) + " inputs seen, "
                    + std::to_string(std::popcount(chattered)) + " chattered");
    if (const ButtonState missing = inputs & ~seen) {
        std::string line = "Not seen: " + InputNames(missing);
        ButtonState held = 0;
        for (int button = 1; button <= BUTTON_COUNT; ++button)
            if ((missing & Bit(button - 1)) && test.input(button).heldFromStart)
                held |= Bit(button - 1);
        if (held)
            line += " (held since the start: " + InputNames(held) + ")";
        lines.push_back(line);
    }
    for (int button = 1; button <= BUTTON_COUNT; ++button) {
        const InputTally &tally = test.input(button);
        if (!(chattered & Bit(button - 1)))
            continue;
        lines.push_back("Chatter: " + InputName(button) + " " + std::to_string(tally.chatters)
                        + (tally.chatters == 1 ? " time" : " times") + ", shortest gap "
                        + MillisecondsText(tally.shortestGapUs.value_or(0)) + " (under "
                        + MillisecondsText(test.options().chatterThresholdUs)
                        + " from a release to the next press)");
    }
    for (const ButtonState group : test.changedTogether())
        if (group & inputs)
            lines.push_back("Always changed together: " + InputNames(group)
                            + " (wired together, or a diode missing?)");
    for (const EncoderTally &encoder : test.encoders()) {
        std::string line =
            "Encoder " + PairName(encoder.pair, " + ") + ": " + std::to_string(encoder.detentsFirst)
            + " detents on " + InputName(2 * encoder.pair - 1) + ", "
            + std::to_string(encoder.detentsSecond) + " on " + InputName(2 * encoder.pair);
        if (encoder.shortestPulseUs)
            line += ", shortest pulse " + MillisecondsText(*encoder.shortestPulseUs);
        lines.push_back(line);
    }
    const ReportTiming timing = test.timing();
    std::string line = "Reports: " + std::to_string(timing.reports);
    if (timing.reportsPerSecond) {
        char rate[48];
        std::snprintf(rate, sizeof rate, ", %.1f per second", *timing.reportsPerSecond);
        line += rate;
    }
    if (timing.medianIntervalUs)
        line += "; interval median " + MillisecondsText(*timing.medianIntervalUs)
                + ", 99th percentile " + MillisecondsText(*timing.p99IntervalUs) + ", largest "
                + MillisecondsText(*timing.largestIntervalUs);
    if (timing.sharedRead)
        line += "; " + std::to_string(timing.sharedRead)
                + " came queued behind another and carry its time";
    lines.push_back(line);
    for (int button = 1; perInput && button <= BUTTON_COUNT; ++button) {
        const InputTally &tally = test.input(button);
        if (!(inputs & Bit(button - 1)) || tally.presses == 0)
            continue;
        std::string row = InputName(button) + ": " + std::to_string(tally.presses)
                          + (tally.presses == 1 ? " press" : " presses");
        if (tally.shortestPressUs)
            row += ", shortest " + MillisecondsText(*tally.shortestPressUs);
        if (tally.shortestGapUs)
            row += ", shortest gap " + MillisecondsText(*tally.shortestGapUs);
        lines.push_back(row);
    }
    return lines;
}

} // namespace tamo::config
