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
    // A step returns an error text, empty on success; a check also sets its verdict.
    std::string step(const ScenarioLine &line);
    std::string check(const ScenarioLine &line, bool &ok, std::string &got);

    std::string attach(const ScenarioLine &line, bool board);
    std::string setButtons(const ScenarioLine &line, bool press);
    int device(const std::string &name, std::string &error) const;
    QWidget *control(const std::string &name, std::string &error) const;
    std::string receivedSinceLastCheck(int device);
    std::string testFindings(const ScenarioLine &line, bool &ok, std::string &got);
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
