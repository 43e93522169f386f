// One USB device made through gadgetfs on a device controller (dummy_hcd in the test VM): it
// writes the device's descriptors to the controller's ep0 file, which connects it; answers
// the control requests that gadgetfs hands up through that file; enables the interrupt IN
// endpoint when the host configures the device; and sends the board's input reports through
// it with asynchronous writes, so that one thread serves everything. Closing the ep0 file
// disconnects the device, as pulling the plug does.
#pragma once

#include "board_function.h"

#include <cstdint>
#include <deque>
#include <filesystem>
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

    // The files to watch: ep0 and the completion notice of the input writes.
    std::vector<int> fds() const;
    // Serves what is ready on fd; events get one line each (without the device's name).
    void handleReadable(int fd, std::uint64_t nowUs, std::vector<std::string> &events);
    // Sends the input report that is due, if the endpoint is free.
    void pumpInput(std::uint64_t nowUs, std::vector<std::string> &events);
    // How long until pumpInput has something to do; -1 when only an event can bring work.
    int timeoutMs(std::uint64_t nowUs) const;

    BoardFunction &function() { return function_; }
    const BoardFunction &function() const { return function_; }

private:
    void readEvents(std::uint64_t nowUs, std::vector<std::string> &events);
    void answer(const ControlRequest &request, std::vector<std::string> &events);
    bool enableEndpoint(std::string &error);
    void reapWrites(std::uint64_t nowUs, std::vector<std::string> &events);
    bool submit(std::vector<std::uint8_t> report, std::uint64_t nowUs, std::string &error);
    void closeEndpoint();

    BoardFunction function_;
    std::filesystem::path gadgetfs_;
    int ep0_ = -1;
    int endpoint_ = -1;
    bool configured_ = false;
    // Linux native AIO: the context, and an eventfd that it signals on every completion.
    unsigned long aio_ = 0;
    int completions_ = -1;
    std::uint32_t generation_ = 0; // completions of an earlier connection are ignored
    bool inFlight_ = false;
    std::uint32_t inFlightButtons_ = 0;
    std::uint64_t inFlightSentUs_ = 0;
    std::uint64_t nextDueUs_ = 0;
    std::uint32_t lastTakenButtons_ = 0;
    bool anyTaken_ = false;
    std::deque<std::vector<std::uint8_t>> changes_;
};

} // namespace tamo::usb
