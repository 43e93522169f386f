// SPDX-License-Identifier: GPL-3.0-or-later
// One USB device made through gadgetfs on a device controller (dummy_hcd in the test VM): it
// writes the device's descriptors to the controller's ep0 file, which connects it; answers
// the control requests that gadgetfs hands up through that file; enables the interrupt IN
// endpoint when the host configures the device; and hands the board's input reports to the
// endpoint's writer thread. Closing the ep0 file disconnects the device, as pulling the plug
// does.
#pragma once

#include "board_function.h"
#include "board_orders.h"
#include "report_writer.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tamo::usb {

class GadgetDevice {
public:
    GadgetDevice(BoardFunction function, std::filesystem::path gadgetfs);
    ~GadgetDevice();
    GadgetDevice(const GadgetDevice &) = delete;
    GadgetDevice &operator=(const GadgetDevice &) = delete;

    // Connects the device; false with error set when gadgetfs refuses it.
    bool plugIn(std::string &error);
    void unplug();
    bool pluggedIn() const { return ep0_ >= 0; }

    // The files to watch: ep0 and the writer's event notice.
    std::vector<int> fds() const;
    // Serves what is ready on fd; events get one line each (without the device's name).
    void handleReadable(int fd, std::uint64_t nowUs, std::vector<std::string> &events);
    // Sends the input report that is due, if the endpoint is free.
    void pumpInput(std::uint64_t nowUs, std::vector<std::string> &events);
    // How long until pumpInput has something to do; -1 when only an event can bring work.
    int timeoutMs(std::uint64_t nowUs) const;

    // Sends the board's changes each at its time from startNs (CLOCK_MONOTONIC); false with
    // error set when the host has not configured the device or a script still runs.
    bool runScript(const std::vector<orders::ScriptedChange> &changes, std::uint64_t startNs,
                   std::string &error);
    void cancelScript();
    std::optional<ScriptResult> takeScriptResult();

    BoardFunction &function() { return function_; }
    const BoardFunction &function() const { return function_; }
    sim::BoardModel *model() { return function_.model(); }
    const std::vector<std::vector<std::uint8_t>> &featureReports() const
    {
        return function_.featureReports();
    }

private:
    void readEvents(std::uint64_t nowUs, std::vector<std::string> &events);
    void answer(const ControlRequest &request, std::vector<std::string> &events);
    bool enableEndpoint(std::string &error);
    void closeEndpoint();

    BoardFunction function_;
    std::filesystem::path gadgetfs_;
    int ep0_ = -1;
    int endpoint_ = -1;
    bool configured_ = false;
    int writerEvents_ = -1; // an eventfd the writer signals
    std::unique_ptr<ReportWriter> writer_;
    std::optional<std::vector<std::uint8_t>> streamed_; // the state last handed to the writer
};

} // namespace tamo::usb
