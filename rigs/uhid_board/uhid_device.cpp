// SPDX-License-Identifier: GPL-3.0-or-later
#include "uhid_device.h"

#include "errno_text.h"
#include "hidraw_read.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <linux/uhid.h>
#include <unistd.h>

namespace tamo::uhid {

namespace {

template<std::size_t N>
void CopyText(std::uint8_t (&field)[N], const std::string &text)
{
    // The kernel takes these fields as zero-terminated; the last byte stays 0.
    const std::size_t length = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), length);
}

} // namespace

const char *KindName(UhidHappening::Kind kind)
{
    switch (kind) {
    case UhidHappening::Kind::Start:
        return "start";
    case UhidHappening::Kind::Stop:
        return "stop";
    case UhidHappening::Kind::Open:
        return "open";
    case UhidHappening::Kind::Close:
        return "close";
    case UhidHappening::Kind::GetFeature:
        return "get";
    case UhidHappening::Kind::SetFeature:
        return "set";
    case UhidHappening::Kind::Output:
        return "output";
    case UhidHappening::Kind::Refused:
        return "refused";
    case UhidHappening::Kind::Other:
        break;
    }
    return "other";
}

UhidDevice::UhidDevice(UhidIdentity identity, std::optional<sim::BoardModel> model)
    : identity_(std::move(identity))
    , model_(std::move(model))
    , stripReportId_(!device::DescriptorUsesReportIds(identity_.descriptor))
{}

UhidDevice::~UhidDevice()
{
    destroy();
}

bool UhidDevice::write(const void *event, std::size_t size, std::string &error)
{
    ssize_t written = 0;
    do {
        written = ::write(fd_, event, size);
    } while (written < 0 && errno == EINTR);
    if (written < 0) {
        error = device::ErrnoText("write(uhid)", errno);
        return false;
    }
    if (static_cast<std::size_t>(written) != size) {
        error = "write(uhid): short write";
        return false;
    }
    return true;
}

bool UhidDevice::create(int fd, std::string &error)
{
    destroy();
    fd_ = fd;
    open_ = false;
    if (identity_.descriptor.size() > HID_MAX_DESCRIPTOR_SIZE) {
        error = "report descriptor longer than uhid accepts";
        destroy();
        return false;
    }
    uhid_event event{};
    event.type = UHID_CREATE2;
    uhid_create2_req &request = event.u.create2;
    CopyText(request.name, identity_.name);
    CopyText(request.phys, identity_.phys);
    CopyText(request.uniq, identity_.uniq);
    request.rd_size = static_cast<std::uint16_t>(identity_.descriptor.size());
    request.bus = identity_.bus;
    request.vendor = identity_.vendor;
    request.product = identity_.product;
    request.version = identity_.version;
    std::copy(identity_.descriptor.begin(), identity_.descriptor.end(), request.rd_data);
    if (!write(&event, sizeof event, error)) {
        destroy();
        return false;
    }
    return true;
}

void UhidDevice::destroy()
{
    if (fd_ < 0)
        return;
    uhid_event event{};
    event.type = UHID_DESTROY;
    std::string ignored; // closing the file destroys the device anyway
    write(&event, sizeof event, ignored);
    ::close(fd_);
    fd_ = -1;
    open_ = false;
}

std::optional<UhidHappening> UhidDevice::handleEvent(std::uint64_t nowMs, std::string &error)
{
    if (fd_ < 0)
        return std::nullopt;
    uhid_event event{};
    ssize_t got = 0;
    do {
        got = ::read(fd_, &event, sizeof event);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            error = device::ErrnoText("read(uhid)", errno);
        return std::nullopt;
    }
    if (static_cast<std::size_t>(got) < sizeof event.type) {
        error = "read(uhid): short event";
        return std::nullopt;
    }
    // The kernel fills the whole event; a shorter one leaves the rest zero, never unread.
    switch (event.type) {
    case UHID_START:
        return UhidHappening{UhidHappening::Kind::Start, {}};
    case UHID_STOP:
        return UhidHappening{UhidHappening::Kind::Stop, {}};
    case UHID_OPEN:
        open_ = true;
        return UhidHappening{UhidHappening::Kind::Open, {}};
    case UHID_CLOSE:
        open_ = false;
        return UhidHappening{UhidHappening::Kind::Close, {}};
    case UHID_OUTPUT: {
        const std::size_t size = std::min<std::size_t>(event.u.output.size, UHID_DATA_MAX);
        return UhidHappening{UhidHappening::Kind::Output,
                             {event.u.output.data, event.u.output.data + size}};
    }
    case UHID_GET_REPORT: {
        const uhid_get_report_req request = event.u.get_report;
        UhidHappening answered = answerGetReport(request.id, request.rnum, request.rtype, error);
        lastReplyMs_ = nowMs;
        return answered;
    }
    case UHID_SET_REPORT: {
        const std::size_t size = std::min<std::size_t>(event.u.set_report.size, UHID_DATA_MAX);
        UhidHappening answered = answerSetReport(
            event.u.set_report.id, event.u.set_report.rnum, event.u.set_report.rtype,
            std::span<const std::uint8_t>(event.u.set_report.data, size), error);
        lastReplyMs_ = nowMs;
        return answered;
    }
    default:
        return UhidHappening{UhidHappening::Kind::Other, {}};
    }
}

UhidHappening UhidDevice::answerGetReport(std::uint32_t id, std::uint8_t reportNumber,
                                          std::uint8_t reportType, std::string &error)
{
    uhid_event reply{};
    reply.type = UHID_GET_REPORT_REPLY;
    reply.u.get_report_reply.id = id;
    UhidHappening answered{UhidHappening::Kind::Refused, {}};
    // The board has one feature report and no report IDs, so it is report number 0.
    if (model_ && reportType == UHID_FEATURE_REPORT && reportNumber == 0) {
        std::vector<std::uint8_t> data = model_->nextFeatureReply();
        // hidraw copies the reply to the caller as it is, so it carries the report number in
        // front, as usbhid's reply does.
        if (!data.empty())
            data[0] = reportNumber;
        data.resize(std::min<std::size_t>(data.size(), UHID_DATA_MAX));
        std::copy(data.begin(), data.end(), reply.u.get_report_reply.data);
        reply.u.get_report_reply.size = static_cast<std::uint16_t>(data.size());
        answered = UhidHappening{UhidHappening::Kind::GetFeature, std::move(data)};
    } else {
        reply.u.get_report_reply.err = EIO;
    }
    write(&reply, sizeof reply, error);
    return answered;
}

UhidHappening UhidDevice::answerSetReport(std::uint32_t id, std::uint8_t reportNumber,
                                          std::uint8_t reportType,
                                          std::span<const std::uint8_t> data, std::string &error)
{
    uhid_event reply{};
    reply.type = UHID_SET_REPORT_REPLY;
    reply.u.set_report_reply.id = id;
    UhidHappening answered{UhidHappening::Kind::Refused, {data.begin(), data.end()}};
    if (model_ && reportType == UHID_FEATURE_REPORT && reportNumber == 0) {
        // hidraw passes the caller's buffer on whole, report-number byte first, which is the
        // layout the model reads.
        model_->receiveFeatureReport(data);
        received_.emplace_back(data.begin(), data.end());
        answered.kind = UhidHappening::Kind::SetFeature;
    } else {
        reply.u.set_report_reply.err = EIO;
    }
    write(&reply, sizeof reply, error);
    return answered;
}

bool UhidDevice::pumpInput(std::uint64_t nowMs, std::string &error)
{
    if (fd_ < 0 || !model_)
        return true;
    // Sent also while the board knows of no reader: the kernel queues a report for every file
    // open on the node, and UHID_OPEN may reach us after a reader has opened it.
    for (const auto &report : model_->takeInputReports(nowMs)) {
        if (!sendInputReport(report, error))
            return false;
    }
    return true;
}

bool UhidDevice::sendInputReport(std::span<const std::uint8_t> report, std::string &error)
{
    if (fd_ < 0) {
        error = "the device is not plugged in";
        return false;
    }
    // The model's reports carry the report-ID byte in front; a device without report IDs
    // sends its data without it.
    const std::size_t skip = stripReportId_ && !report.empty() ? 1 : 0;
    const std::size_t size = std::min<std::size_t>(report.size() - skip, UHID_DATA_MAX);
    uhid_event event{};
    event.type = UHID_INPUT2;
    event.u.input2.size = static_cast<std::uint16_t>(size);
    std::copy_n(report.begin() + static_cast<std::ptrdiff_t>(skip), size, event.u.input2.data);
    return write(&event, sizeof event, error);
}

} // namespace tamo::uhid
