// SPDX-License-Identifier: GPL-3.0-or-later
#include "gadget_device.h"

#include "errno_text.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <linux/usb/gadgetfs.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tamo::usb {

namespace {

// gadgetfs names its endpoint files after the controller's endpoints; on dummy_hcd an
// interrupt endpoint may use a bulk-capable one, as any interrupt-capable hardware allows.
constexpr const char *kInEndpointFiles[] = {"ep1in-bulk", "ep5in-int"};
constexpr std::uint32_t kEndpointTag = 1;
constexpr std::uint32_t kDeviceTag = 0;
// The data stage of an OUT request follows its setup packet within a frame or two.
constexpr long kDataStageWaitNs = 2'000'000'000;

std::string Fail(const std::string &call)
{
    return device::ErrnoText(call, errno);
}

std::uint32_t ButtonsOf(const std::vector<std::uint8_t> &report)
{
    std::uint32_t buttons = 0;
    for (std::size_t i = 0; i < 4 && 3 + i < report.size(); ++i)
        buttons |= std::uint32_t{report[3 + i]} << (8 * i);
    return buttons;
}

// The board has no report IDs: the wire carries its reports without the ID byte.
WireReport Wire(std::vector<std::uint8_t> report)
{
    WireReport out{{}, ButtonsOf(report)};
    out.bytes.assign(report.begin() + (report.empty() ? 0 : 1), report.end());
    return out;
}

void Interrupted(int) {}

// Waits in the kernel, not in a sleep loop: the program must take the data the moment it
// arrives, before the host's next request can replace this one. A timer aimed at this thread
// ends the wait if the data never comes.
ssize_t ReadDataStage(int ep0, std::vector<std::uint8_t> &data)
{
    struct sigaction action {};
    action.sa_handler = Interrupted; // no SA_RESTART: the read returns EINTR
    ::sigaction(SIGALRM, &action, nullptr);
    sigevent toThisThread{};
    toThisThread.sigev_notify = SIGEV_THREAD_ID;
    toThisThread.sigev_signo = SIGALRM;
    toThisThread._sigev_un._tid = ::gettid(); // sigev_notify_thread_id
    timer_t timer{};
    const bool timed = ::timer_create(CLOCK_MONOTONIC, &toThisThread, &timer) == 0;
    if (timed) {
        itimerspec once{};
        once.it_value.tv_sec = kDataStageWaitNs / 1'000'000'000;
        once.it_value.tv_nsec = kDataStageWaitNs % 1'000'000'000;
        ::timer_settime(timer, 0, &once, nullptr);
    }
    const int flags = ::fcntl(ep0, F_GETFL);
    ::fcntl(ep0, F_SETFL, flags & ~O_NONBLOCK);
    const ssize_t done = ::read(ep0, data.data(), data.size());
    const int readError = errno;
    ::fcntl(ep0, F_SETFL, flags);
    if (timed)
        ::timer_delete(timer);
    errno = readError;
    return done;
}

} // namespace

GadgetDevice::GadgetDevice(BoardFunction function, std::filesystem::path gadgetfs)
    : function_(std::move(function))
    , gadgetfs_(std::move(gadgetfs))
{
    writerEvents_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

GadgetDevice::~GadgetDevice()
{
    unplug();
    if (writerEvents_ >= 0)
        ::close(writerEvents_);
}

bool GadgetDevice::plugIn(std::string &error)
{
    if (pluggedIn())
        return true;
    if (writerEvents_ < 0) {
        error = "no eventfd";
        return false;
    }
    // The controller's file is the one that is not an endpoint's.
    std::filesystem::path controller;
    std::error_code ignored;
    for (const auto &entry : std::filesystem::directory_iterator(gadgetfs_, ignored)) {
        if (!entry.path().filename().string().starts_with("ep"))
            controller = entry.path();
    }
    if (controller.empty()) {
        error = "no controller file in " + gadgetfs_.string()
                + " (is gadgetfs mounted there, "
                  "and dummy_hcd loaded?)";
        return false;
    }
    ep0_ = ::open(controller.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (ep0_ < 0) {
        error = Fail("open(" + controller.string() + ")");
        return false;
    }
    // Tag 0, the full-speed configuration, no high-speed one (so the device runs at full
    // speed, as the boards do), the device descriptor.
    std::vector<std::uint8_t> descriptors(sizeof kDeviceTag, 0);
    const auto config = ConfigurationDescriptor(function_.identity());
    const auto device = DeviceDescriptor(function_.identity());
    descriptors.insert(descriptors.end(), config.begin(), config.end());
    descriptors.insert(descriptors.end(), device.begin(), device.end());
    if (::write(ep0_, descriptors.data(), descriptors.size())
        != static_cast<ssize_t>(descriptors.size())) {
        error = Fail("write(" + controller.string() + ")");
        ::close(ep0_);
        ep0_ = -1;
        return false;
    }
    // gadgetfs hands control requests up only once someone has read ep0; until then it
    // stalls them, strings included. The host starts enumerating at once, so read now.
    usb_gadgetfs_event none[1];
    [[maybe_unused]] const ssize_t got = ::read(ep0_, none, sizeof none);
    configured_ = false;
    streamed_.reset();
    return true;
}

void GadgetDevice::closeEndpoint()
{
    writer_.reset(); // ends a write that waits for the host
    if (endpoint_ >= 0)
        ::close(endpoint_);
    endpoint_ = -1;
    configured_ = false;
}

void GadgetDevice::unplug()
{
    if (!pluggedIn())
        return;
    closeEndpoint();
    ::close(ep0_);
    ep0_ = -1;
}

std::vector<int> GadgetDevice::fds() const
{
    std::vector<int> fds;
    if (ep0_ >= 0)
        fds.push_back(ep0_);
    if (writerEvents_ >= 0)
        fds.push_back(writerEvents_);
    return fds;
}

void GadgetDevice::handleReadable(int fd, std::uint64_t nowUs, std::vector<std::string> &events)
{
    if (fd == writerEvents_) {
        std::uint64_t signalled = 0;
        [[maybe_unused]] const ssize_t got = ::read(writerEvents_, &signalled, sizeof signalled);
        if (writer_) {
            auto mine = writer_->takeEvents();
            events.insert(events.end(), mine.begin(), mine.end());
        }
    } else if (fd == ep0_)
        readEvents(nowUs, events);
}

void GadgetDevice::readEvents(std::uint64_t nowUs, std::vector<std::string> &events)
{
    usb_gadgetfs_event batch[5];
    const ssize_t got = ::read(ep0_, batch, sizeof batch);
    if (got <= 0)
        return; // nothing queued, or a setup aborted by the host (EIDRM)
    const std::size_t count = static_cast<std::size_t>(got) / sizeof batch[0];
    for (std::size_t i = 0; i < count; ++i) {
        const usb_gadgetfs_event &event = batch[i];
        switch (event.type) {
        case GADGETFS_CONNECT:
            events.push_back(std::string("connect ")
                             + (event.u.speed == USB_SPEED_HIGH ? "high" : "full"));
            break;
        case GADGETFS_DISCONNECT:
            // The host reset or dropped the device; it configures it again if it wants it.
            events.push_back("disconnect");
            break;
        case GADGETFS_SETUP: {
            const usb_ctrlrequest &setup = event.u.setup;
            answer({setup.bRequestType, setup.bRequest, setup.wValue, setup.wIndex, setup.wLength},
                   events);
            break;
        }
        case GADGETFS_SUSPEND:
        case GADGETFS_NOP:
            break;
        }
    }
    pumpInput(nowUs, events);
}

void GadgetDevice::answer(const ControlRequest &request, std::vector<std::string> &events)
{
    ControlAnswer answer = function_.setup(request);
    std::string error;
    ssize_t done = 0;
    switch (answer.kind) {
    case ControlAnswer::Kind::Data:
        done = ::write(ep0_, answer.data.data(), answer.data.size());
        if (done < 0)
            error = Fail("write(ep0)");
        break;
    case ControlAnswer::Kind::Configure:
        // The endpoint is enabled before the status stage, so that the host's first poll
        // finds it; a device configured again keeps it.
        if (!configured_ && !enableEndpoint(error))
            events.push_back("error " + error);
        error.clear();
        [[fallthrough]];
    case ControlAnswer::Kind::Ack:
        if (::read(ep0_, nullptr, 0) < 0)
            error = Fail("read(ep0) acknowledging");
        break;
    case ControlAnswer::Kind::Stall:
        // A "wrong direction" transfer on ep0 stalls the request.
        if ((request.requestType & 0x80) != 0) {
            std::uint8_t byte = 0;
            done = ::read(ep0_, &byte, 1);
        } else {
            done = ::write(ep0_, nullptr, 0);
        }
        break;
    case ControlAnswer::Kind::TakeData: {
        std::vector<std::uint8_t> data(request.length, 0);
        done = ReadDataStage(ep0_, data);
        if (done < 0) {
            error = Fail("read(ep0) data stage");
            break;
        }
        data.resize(static_cast<std::size_t>(done));
        answer.event = function_.dataOut(request, data);
        break;
    }
    }
    if (!answer.event.empty())
        events.push_back(std::move(answer.event));
    if (!error.empty())
        events.push_back("error " + error);
}

bool GadgetDevice::enableEndpoint(std::string &error)
{
    closeEndpoint();
    const auto descriptor = InEndpointDescriptor(function_.identity());
    std::vector<std::uint8_t> config(sizeof kEndpointTag, 0);
    std::memcpy(config.data(), &kEndpointTag, sizeof kEndpointTag);
    config.insert(config.end(), descriptor.begin(), descriptor.end());
    for (const char *name : kInEndpointFiles) {
        const auto path = gadgetfs_ / name;
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0) {
            error = Fail("open(" + path.string() + ")");
            continue;
        }
        if (::write(fd, config.data(), config.size()) == static_cast<ssize_t>(config.size())) {
            endpoint_ = fd;
            configured_ = true;
            streamed_.reset();
            writer_ = std::make_unique<ReportWriter>(endpoint_, writerEvents_);
            return true;
        }
        error = Fail("write(" + path.string() + ") configuring");
        ::close(fd);
    }
    return false;
}

void GadgetDevice::pumpInput(std::uint64_t nowUs, std::vector<std::string> &)
{
    sim::BoardModel *model = function_.model();
    if (model == nullptr)
        return;
    if (model->inputMode() == sim::InputMode::OnChange) {
        // Changes made before the host configured the device are sent once it has.
        if (!configured_)
            return;
        for (auto &report : model->takeInputReports(nowUs / 1000))
            writer_->queue(Wire(std::move(report)));
        return;
    }
    std::vector<std::uint8_t> state = model->inputReport();
    if (configured_ && streamed_ != state) {
        writer_->stream(Wire(state), model->streamPeriodMs());
        streamed_ = std::move(state);
    }
}

int GadgetDevice::timeoutMs(std::uint64_t) const
{
    return -1; // the writer keeps its own time
}

bool GadgetDevice::runScript(const std::vector<orders::ScriptedChange> &changes,
                             std::uint64_t startNs, std::string &error)
{
    const sim::BoardModel *model = function_.model();
    if (model == nullptr || !configured_ || !writer_) {
        error = "the host has not configured the device";
        return false;
    }
    std::vector<ScriptedReport> reports;
    for (const orders::ScriptedChange &change : changes)
        reports.push_back(
            {Wire(model->inputReportWith(change.buttons)), startNs + change.atUs * 1000});
    if (!writer_->script(std::move(reports))) {
        error = "a script still runs";
        return false;
    }
    return true;
}

void GadgetDevice::cancelScript()
{
    if (writer_)
        writer_->cancelScript();
}

std::optional<ScriptResult> GadgetDevice::takeScriptResult()
{
    return writer_ ? writer_->takeScriptResult() : std::nullopt;
}

} // namespace tamo::usb
