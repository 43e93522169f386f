// SPDX-License-Identifier: GPL-3.0-or-later
// The button test: what each of the 32 inputs did across a run of timed input reports, counted
// report by report (every press, however short), never sampled. Gaps are measured from a
// release to the next press, so a held button is never taken for a bouncing one.
#pragma once

#include "encoder_modes.h"
#include "input_report.h"
#include "interval_histogram.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tamo::config {

// One input report's buttons and the steady-clock time at which it was read.
struct TimedReport {
    std::uint64_t timeUs = 0;
    ButtonState buttons = 0;
    // Read together with the report before it: the system had queued both, so they carry one
    // time and no interval of their own lies between them.
    bool sameReadAsPrevious = false;
};

// A gap from a release to the next press shorter than this is chatter: the common keyboard
// testers' threshold.
inline constexpr std::uint64_t DEFAULT_CHATTER_THRESHOLD_US = 8000;

struct ButtonTestOptions {
    std::uint64_t chatterThresholdUs = DEFAULT_CHATTER_THRESHOLD_US;
    // Pairs set as encoders, bit p for pair p + 1 (B1 + B2 is bit 0). Their pulses are the
    // board's own, so they are counted as detents and never taken for chatter.
    std::uint16_t encoderPairs = 0;
};

struct InputTally {
    bool pressedNow = false;
    // Pressed and released at least once.
    bool seen = false;
    std::uint32_t presses = 0;
    std::optional<std::uint64_t> shortestPressUs;
    std::optional<std::uint64_t> shortestGapUs;
    // Gaps shorter than the threshold.
    std::uint32_t chatters = 0;
    // Pressed in the first report and never released since: stuck, or held by the tester.
    bool heldFromStart = false;
};

struct EncoderTally {
    int pair = 0; // 1 for B1 + B2
    // Pulses on the pair's first input (one way) and on its second (the other way).
    std::uint32_t detentsFirst = 0;
    std::uint32_t detentsSecond = 0;
    std::optional<std::uint64_t> shortestPulseUs;
};

struct ReportTiming {
    std::uint64_t reports = 0;
    // Reports that came in a read with the report before them.
    std::uint64_t sharedRead = 0;
    std::optional<double> reportsPerSecond;
    // Between reads that each brought reports.
    std::optional<std::uint64_t> medianIntervalUs;
    std::optional<std::uint64_t> p99IntervalUs;
    std::optional<std::uint64_t> largestIntervalUs;
};

class ButtonTest {
public:
    explicit ButtonTest(ButtonTestOptions options = {});

    // The buttons as they are when the test starts, known from before it: the first report
    // is then compared with them. Without it the first report is the starting state.
    void start(ButtonState state);
    void add(const TimedReport &report);
    void add(std::span<const TimedReport> reports);
    // The reports of one read, oldest first: the system queued them, so they share its time.
    void addRead(std::span<const ButtonState> reports, std::uint64_t timeUs);
    // Starts again, keeping the options.
    void reset();
    // New options for what comes next; what was counted stays.
    void setOptions(ButtonTestOptions options) { options_ = options; }

    const ButtonTestOptions &options() const { return options_; }
    // Button 1 to 32.
    const InputTally &input(int button) const;
    // The pairs set as encoders, in pair order.
    std::vector<EncoderTally> encoders() const;
    ReportTiming timing() const;
    // Inputs that changed at least twice and only ever together with the same others, each
    // group once (bit n - 1 is button n): wired together, or a diode missing.
    std::vector<ButtonState> changedTogether() const;

    ButtonState seen() const;
    ButtonState chattered() const;
    ButtonState pressedNow() const { return state_; }
    // Inputs pressed in some report since the last call: a lamp shows each for one repaint
    // however short the press.
    ButtonState takePressedSinceLastLook();

private:
    bool isEncoderInput(int index) const;
    std::optional<std::uint64_t> sinceUs(std::uint64_t earlierUs, bool sameRead) const;

    ButtonTestOptions options_;
    std::array<InputTally, BUTTON_COUNT> inputs_{};
    // When each input last changed, and whether that was in the read being taken now.
    std::array<std::uint64_t, BUTTON_COUNT> changedAtUs_{};
    std::array<bool, BUTTON_COUNT> changedInThisRead_{};
    std::array<std::uint32_t, BUTTON_COUNT> changes_{};
    // Per input: the inputs that changed in every report in which it changed.
    std::array<ButtonState, BUTTON_COUNT> together_{};
    ButtonState state_ = 0;
    ButtonState pressedSinceLook_ = 0;
    bool started_ = false;
    bool timed_ = false;
    std::uint64_t firstReadUs_ = 0;
    std::uint64_t readUs_ = 0;
    std::optional<std::uint64_t> previousReadUs_;
    std::uint64_t reports_ = 0;
    std::uint64_t sharedRead_ = 0;
    IntervalHistogram intervals_;
};

ButtonTest AnalyseReports(std::span<const TimedReport> reports, ButtonTestOptions options = {});

// Pairs set as encoders from the pairs' list indexes (Enc1 first): "1:1", "1:2" or "1:4".
std::uint16_t EncoderPairsOf(std::span<const int> modeListIndexes);

// "B5".
std::string InputName(int button);
// "B4, B6, B32".
std::string InputNames(ButtonState inputs);
// Milliseconds with one decimal: "8.0 ms".
std::string MillisecondsText(std::uint64_t us);

// The result as plain text, one finding a line, for the clipboard and the terminal. Inputs are
// those under test (bit n - 1 for button n).
// With perInput, a line for every input pressed follows the findings.
std::vector<std::string> ButtonTestReport(const ButtonTest &test, ButtonState inputs,
                                          bool perInput = true);

} // namespace tamo::config
