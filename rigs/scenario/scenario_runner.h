// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a scenario: the real window over virtual boards in virtual time, steps as a user and
// the boards would take them, checks of what the window shows and what the boards received.
#pragma once

#include "scenario_script.h"

#include "main_window.h"
#include "manual_poll_timer.h"
#include "virtual_platform.h"

#include <map>
#include <memory>
#include <ostream>
#include <string>

namespace tamo::scenario {

class ScenarioRunner {
public:
    explicit ScenarioRunner(std::ostream &out);
    ~ScenarioRunner();

    // Runs every line; false when a check failed or a line could not be run.
    bool run(const ParsedScript &script);
    int passed() const { return passed_; }
    int failed() const { return failed_; }

private:
    using Words = std::vector<std::string>;
    struct Verdict {
        bool ok = false;
        std::string got;
    };
    // A verb: its word, the error it gives when its words do not fit (empty when any words do),
    // and the function that takes it. A step function returns an error text, empty on success.
    struct Step {
        const char *verb;
        const char *usage;
        std::string (ScenarioRunner::*run)(const ScenarioLine &line, const char *usage);
    };
    // What a check needs before its words are looked at: nothing, the window, or the window and
    // the control named by its third word.
    enum class Needs { Nothing, Window, Control };
    struct CheckCall {
        const Words &w;
        const char *usage;
        QWidget *control = nullptr;
    };
    // A check function returns an error text, empty when it reached a verdict.
    struct Check {
        const char *verb;
        const char *usage;
        Needs needs;
        std::string (ScenarioRunner::*run)(const CheckCall &call, Verdict &verdict);
    };
    static const Step STEPS[];
    static const Check CHECKS[];

    std::string step(const ScenarioLine &line);
    std::string check(const ScenarioLine &line, Verdict &verdict);

    std::string attach(const ScenarioLine &line, const char *usage);
    std::string plug(const ScenarioLine &line, const char *usage);
    std::string start(const ScenarioLine &line, const char *usage);
    std::string pressOrRelease(const ScenarioLine &line, const char *usage);
    std::string buttons(const ScenarioLine &line, const char *usage);
    std::string wait(const ScenarioLine &line, const char *usage);
    std::string tick(const ScenarioLine &line, const char *usage);
    std::string pick(const ScenarioLine &line, const char *usage);
    std::string click(const ScenarioLine &line, const char *usage);
    std::string close(const ScenarioLine &line, const char *usage);
    std::string boardByte(const ScenarioLine &line, const char *usage);
    std::string settings(const ScenarioLine &line, const char *usage);
    std::string access(const ScenarioLine &line, const char *usage);
    std::string notifications(const ScenarioLine &line, const char *usage);
    std::string replies(const ScenarioLine &line, const char *usage);
    std::string fail(const ScenarioLine &line, const char *usage);

    // Compares a value with the last word of a line of exactly `words` words.
    static std::string compare(const CheckCall &call, std::size_t words, std::string got,
                               Verdict &verdict);
    std::string expectReceived(const CheckCall &call, Verdict &verdict);
    std::string expectFeatureReads(const CheckCall &call, Verdict &verdict);
    std::string expectPlatformCalls(const CheckCall &call, Verdict &verdict);
    std::string expectHandles(const CheckCall &call, Verdict &verdict);
    std::string expectInterval(const CheckCall &call, Verdict &verdict);
    std::string expectTimer(const CheckCall &call, Verdict &verdict);
    std::string expectConnected(const CheckCall &call, Verdict &verdict);
    std::string expectNotice(const CheckCall &call, Verdict &verdict);
    std::string expectPresses(const CheckCall &call, Verdict &verdict);
    std::string expectFindings(const CheckCall &call, Verdict &verdict);
    std::string expectLampsOn(const CheckCall &call, Verdict &verdict);
    std::string expectRepainted(const CheckCall &call, Verdict &verdict);
    std::string expectText(const CheckCall &call, Verdict &verdict);
    std::string expectStartsWith(const CheckCall &call, Verdict &verdict);
    std::string expectEndsWith(const CheckCall &call, Verdict &verdict);
    std::string expectContains(const CheckCall &call, Verdict &verdict);
    std::string expectEnabled(const CheckCall &call, Verdict &verdict);
    std::string expectItems(const CheckCall &call, Verdict &verdict);

    int device(const std::string &name, std::string &error) const;
    // The device that word `at` names; -1 with the usage when the line has fewer than `words`
    // words, -1 with why when no device has that name.
    int device(const Words &w, std::size_t at, std::size_t words, const char *usage,
               std::string &error) const;
    // The board that word 1 names; null with the usage when the device is not a board.
    sim::BoardModel *board(const Words &w, std::size_t words, const char *usage,
                           std::string &error);
    QWidget *control(const std::string &name, std::string &error) const;
    std::string receivedSinceLastCheck(int device);
    // A lamp's fill and its label's colour tell the same state.
    bool lampAgreesWithLabel(int lamp) const;
    // Lets ms of virtual time pass, the boards' reports delivered as they are sent.
    void advance(std::uint64_t ms);
    std::string repaintedSinceLastCheck();

    std::ostream &out_;
    std::uint64_t nowMs_ = 0;
    sim::VirtualHidPlatform platform_;
    app::ManualPollTimer *timer_ = nullptr;
    std::unique_ptr<app::MainWindow> window_;
    bool closed_ = false;
    std::map<std::string, int> devices_;
    std::map<int, std::size_t> receivedSeen_;
    std::map<int, int> featureReadsSeen_;
    // Platform calls made by the last tick step.
    std::size_t lastTickCalls_ = 0;
    std::vector<int> lampFillSets_;
    int passed_ = 0;
    int failed_ = 0;
};

} // namespace tamo::scenario
