// SPDX-License-Identifier: GPL-3.0-or-later
// The button test's count over timed report vectors: taps, bounces, encoders, dead and
// wired-together inputs, and the board's report timing.
#include "button_test.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tamo::config;

namespace {

constexpr ButtonState B(int n)
{
    return ButtonState{1} << (n - 1);
}

// Reports at the given milliseconds, one read each.
std::vector<TimedReport> At(std::initializer_list<std::pair<double, ButtonState>> steps)
{
    std::vector<TimedReport> reports;
    for (auto [ms, buttons] : steps)
        reports.push_back({static_cast<std::uint64_t>(ms * 1000), buttons, false});
    return reports;
}

} // namespace

TEST(ButtonTest, ACleanTapIsOnePressWithItsLength)
{
    const ButtonTest test = AnalyseReports(At({{0, 0}, {100, B(5)}, {110, 0}, {500, 0}}));
    const InputTally &b5 = test.input(5);
    EXPECT_TRUE(b5.seen);
    EXPECT_EQ(b5.presses, 1u);
    EXPECT_EQ(b5.shortestPressUs, 10000u);
    EXPECT_FALSE(b5.shortestGapUs);
    EXPECT_EQ(b5.chatters, 0u);
    EXPECT_EQ(test.seen(), B(5));
    EXPECT_EQ(test.chattered(), 0u);
}

TEST(ButtonTest, ABounceIsChatterMeasuredFromTheReleaseNotThePress)
{
    // Three contacts in 4 ms, then a second press 30 ms after the release: only the bounce is
    // chatter, and a long press (press to press 40 ms) is never one.
    const ButtonTest test = AnalyseReports(At({{0, 0},
                                               {10, B(7)},
                                               {11, 0},
                                               {13, B(7)},
                                               {14, 0},
                                               {16, B(7)},
                                               {50, 0},
                                               {80, B(7)},
                                               {120, 0}}));
    const InputTally &b7 = test.input(7);
    EXPECT_EQ(b7.presses, 4u);
    EXPECT_EQ(b7.chatters, 2u);
    EXPECT_EQ(b7.shortestGapUs, 2000u);
    EXPECT_EQ(b7.shortestPressUs, 1000u);
    EXPECT_EQ(test.chattered(), B(7));
    // The threshold is the caller's.
    const ButtonTest loose = AnalyseReports(At({{0, 0}, {10, B(7)}, {11, 0}, {13, B(7)}, {14, 0}}),
                                            {.chatterThresholdUs = 1500});
    EXPECT_EQ(loose.input(7).chatters, 0u);
}

TEST(ButtonTest, AnEncoderCountsDetentsEachWayAndNeverChatters)
{
    // B3 + B4 as an encoder: 16 ms pulses 4 ms apart, three to B3, two to B4.
    std::vector<TimedReport> reports = At({{0, 0}});
    double t = 10;
    for (int n : {3, 3, 3, 4, 4}) {
        reports.push_back({static_cast<std::uint64_t>(t * 1000), B(n), false});
        reports.push_back({static_cast<std::uint64_t>((t + 16) * 1000), 0, false});
        t += 20;
    }
    const ButtonTest test = AnalyseReports(reports, {.encoderPairs = 0b10});
    const std::vector<EncoderTally> encoders = test.encoders();
    ASSERT_EQ(encoders.size(), 1u);
    EXPECT_EQ(encoders[0].pair, 2);
    EXPECT_EQ(encoders[0].detentsFirst, 3u);
    EXPECT_EQ(encoders[0].detentsSecond, 2u);
    EXPECT_EQ(encoders[0].shortestPulseUs, 16000u);
    EXPECT_EQ(test.chattered(), 0u);
    // The same pulses on plain inputs are chatter.
    EXPECT_EQ(AnalyseReports(reports).chattered(), B(3) | B(4));
}

TEST(ButtonTest, DeadStuckAndWiredTogetherInputsAreNamed)
{
    // B2 held from the first report, B9 and B10 always change together, B1 works, B32 dead.
    const ButtonTest test = AnalyseReports(At({{0, B(2)},
                                               {100, B(2) | B(1)},
                                               {200, B(2)},
                                               {300, B(2) | B(9) | B(10)},
                                               {400, B(2)},
                                               {500, B(2) | B(9) | B(10)},
                                               {600, B(2)}}));
    EXPECT_TRUE(test.input(2).heldFromStart);
    EXPECT_FALSE(test.input(2).seen);
    EXPECT_EQ(test.input(2).presses, 0u);
    EXPECT_EQ(test.changedTogether(), std::vector<ButtonState>{B(9) | B(10)});
    const ButtonState all = 0xFFFFFFFFu;
    const std::vector<std::string> report = ButtonTestReport(test, all);
    EXPECT_EQ(report[0], "Button test: 3 of 32 inputs seen, 0 chattered");
    EXPECT_NE(report[1].find("held since the start: B2"), std::string::npos) << report[1];
    EXPECT_NE(report[1].find("B32"), std::string::npos);
    EXPECT_EQ(report[2], "Always changed together: B9, B10 (wired together, or a diode missing?)");
    // One press of two buttons in one report is chance, not wiring.
    EXPECT_TRUE(AnalyseReports(At({{0, 0}, {10, B(5) | B(6)}, {90, 0}})).changedTogether().empty());
}

TEST(ButtonTest, ReportsQueuedTogetherShareATimeAndNoInventedGap)
{
    // A 1 kHz stream read whole every millisecond, then one read holding three reports.
    std::vector<TimedReport> reports;
    for (int ms = 0; ms <= 1000; ++ms)
        reports.push_back({static_cast<std::uint64_t>(ms) * 1000, 0, false});
    reports.push_back({1010'000, B(1), false});
    reports.push_back({1010'000, 0, true});
    reports.push_back({1010'000, B(1), true});
    const ButtonTest test = AnalyseReports(reports);
    const ReportTiming timing = test.timing();
    EXPECT_EQ(timing.reports, 1004u);
    EXPECT_EQ(timing.sharedRead, 2u);
    EXPECT_EQ(timing.medianIntervalUs, 1000u);
    EXPECT_EQ(timing.p99IntervalUs, 1000u);
    EXPECT_EQ(timing.largestIntervalUs, 10000u);
    ASSERT_TRUE(timing.reportsPerSecond);
    EXPECT_NEAR(*timing.reportsPerSecond, 1003.0 / 1.01, 0.5);
    // The release and the press came in one read 10 ms after the last: the gap is at most
    // that, not zero.
    EXPECT_EQ(test.input(1).shortestGapUs, 10000u);
    EXPECT_EQ(test.input(1).chatters, 0u);
}

TEST(ButtonTest, PressesBetweenTwoLooksAreKeptForTheLampsAndResetForgetsAll)
{
    ButtonTest test;
    test.add(At({{0, 0}, {5, B(4)}, {7, 0}}));
    EXPECT_EQ(test.takePressedSinceLastLook(), B(4));
    EXPECT_EQ(test.takePressedSinceLastLook(), 0u);
    test.reset();
    EXPECT_EQ(test.seen(), 0u);
    EXPECT_EQ(test.timing().reports, 0u);
}
