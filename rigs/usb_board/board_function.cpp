// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_function.h"

#include "board_orders.h"

#include <algorithm>

namespace tamo::usb {

namespace {

constexpr std::uint8_t DIR_IN = 0x80;
constexpr std::uint8_t TYPE_MASK = 0x60;
constexpr std::uint8_t TYPE_STANDARD = 0x00;
constexpr std::uint8_t TYPE_CLASS = 0x20;
constexpr std::uint8_t RECIPIENT_MASK = 0x1F;
constexpr std::uint8_t RECIPIENT_DEVICE = 0x00;
constexpr std::uint8_t RECIPIENT_INTERFACE = 0x01;

constexpr std::uint8_t REQ_GET_DESCRIPTOR = 0x06;
constexpr std::uint8_t REQ_SET_CONFIGURATION = 0x09;
constexpr std::uint8_t REQ_GET_INTERFACE = 0x0A;
constexpr std::uint8_t REQ_SET_INTERFACE = 0x0B;
constexpr std::uint8_t DT_STRING = 0x03;
constexpr std::uint8_t DT_HID = 0x21;
constexpr std::uint8_t DT_REPORT = 0x22;

constexpr std::uint8_t HID_GET_REPORT = 0x01;
constexpr std::uint8_t HID_SET_REPORT = 0x09;
constexpr std::uint8_t HID_SET_IDLE = 0x0A;
constexpr std::uint8_t HID_SET_PROTOCOL = 0x0B;
constexpr std::uint8_t REPORT_INPUT = 1;
constexpr std::uint8_t REPORT_FEATURE = 3;

ControlAnswer Data(std::vector<std::uint8_t> bytes, std::uint16_t length, std::string event = {})
{
    bytes.resize(std::min<std::size_t>(bytes.size(), length));
    return {ControlAnswer::Kind::Data, std::move(bytes), std::move(event)};
}

ControlAnswer Stall(std::string event = {})
{
    return {ControlAnswer::Kind::Stall, {}, std::move(event)};
}

std::string SetupText(const ControlRequest &request)
{
    const std::uint8_t bytes[] = {request.requestType,
                                  request.request,
                                  static_cast<std::uint8_t>(request.value & 0xFF),
                                  static_cast<std::uint8_t>(request.value >> 8),
                                  static_cast<std::uint8_t>(request.index & 0xFF),
                                  static_cast<std::uint8_t>(request.index >> 8),
                                  static_cast<std::uint8_t>(request.length & 0xFF),
                                  static_cast<std::uint8_t>(request.length >> 8)};
    return orders::HexText(bytes);
}

} // namespace

BoardFunction::BoardFunction(UsbIdentity identity, std::optional<sim::BoardModel> model)
    : identity_(std::move(identity))
    , model_(std::move(model))
{}

ControlAnswer BoardFunction::setup(const ControlRequest &request)
{
    ControlAnswer answer;
    switch (request.requestType & TYPE_MASK) {
    case TYPE_STANDARD:
        answer = standard(request);
        break;
    case TYPE_CLASS:
        answer = hidClass(request);
        break;
    default:
        answer = Stall();
        break;
    }
    // A stall without a reason of its own names the request, so that a surprise shows.
    if (answer.kind == ControlAnswer::Kind::Stall && answer.event.empty())
        answer.event = "stall " + SetupText(request);
    return answer;
}

ControlAnswer BoardFunction::standard(const ControlRequest &request)
{
    const std::uint8_t recipient = request.requestType & RECIPIENT_MASK;
    const bool in = (request.requestType & DIR_IN) != 0;
    const auto type = static_cast<std::uint8_t>(request.value >> 8);
    const auto index = static_cast<std::uint8_t>(request.value & 0xFF);
    if (in && request.request == REQ_GET_DESCRIPTOR && recipient == RECIPIENT_DEVICE
        && type == DT_STRING) {
        const std::string event = "string " + std::to_string(index);
        if (auto descriptor = StringDescriptor(identity_, index))
            return Data(std::move(*descriptor), request.length, event);
        return Stall(event + " stalled");
    }
    if (in && request.request == REQ_GET_DESCRIPTOR && recipient == RECIPIENT_INTERFACE
        && request.index == 0) {
        if (type == DT_REPORT)
            return Data(identity_.reportDescriptor, request.length);
        if (type == DT_HID)
            return Data(HidDescriptor(identity_), request.length);
    }
    if (!in && request.request == REQ_SET_CONFIGURATION && recipient == RECIPIENT_DEVICE)
        return {ControlAnswer::Kind::Configure, {}, "configured " + std::to_string(index)};
    if (in && request.request == REQ_GET_INTERFACE && recipient == RECIPIENT_INTERFACE)
        return Data({0}, request.length);
    if (!in && request.request == REQ_SET_INTERFACE && recipient == RECIPIENT_INTERFACE
        && request.value == 0)
        return {ControlAnswer::Kind::Ack, {}, {}};
    return Stall();
}

ControlAnswer BoardFunction::hidClass(const ControlRequest &request)
{
    if ((request.requestType & RECIPIENT_MASK) != RECIPIENT_INTERFACE || request.index != 0)
        return Stall();
    const bool in = (request.requestType & DIR_IN) != 0;
    const auto reportType = static_cast<std::uint8_t>(request.value >> 8);
    const auto reportNumber = static_cast<std::uint8_t>(request.value & 0xFF);
    if (!in && (request.request == HID_SET_IDLE || request.request == HID_SET_PROTOCOL))
        return {ControlAnswer::Kind::Ack, {}, {}};
    if (in && request.request == HID_GET_REPORT && model_ && reportNumber == 0) {
        // The board has no report IDs: on the wire its reports carry no ID byte, and the
        // model's replies have one in front.
        std::vector<std::uint8_t> report;
        if (reportType == REPORT_FEATURE)
            report = model_->nextFeatureReply();
        else if (reportType == REPORT_INPUT)
            report = model_->inputReport();
        else
            return Stall();
        if (!report.empty())
            report.erase(report.begin());
        ControlAnswer answer = Data(std::move(report), request.length);
        if (reportType == REPORT_FEATURE)
            answer.event = "get " + orders::HexText(answer.data);
        return answer;
    }
    if (!in && request.request == HID_SET_REPORT && request.length > 0)
        // gadgetfs has already asked for the data stage and cannot stall it.
        return {ControlAnswer::Kind::TakeData, {}, {}};
    return Stall();
}

std::string BoardFunction::dataOut(const ControlRequest &request,
                                   std::span<const std::uint8_t> data)
{
    const auto reportType = static_cast<std::uint8_t>(request.value >> 8);
    const auto reportNumber = static_cast<std::uint8_t>(request.value & 0xFF);
    std::vector<std::uint8_t> report{reportNumber};
    report.insert(report.end(), data.begin(), data.end());
    if (request.request != HID_SET_REPORT || reportType != REPORT_FEATURE || !model_
        || reportNumber != 0)
        return "refused " + orders::HexText(report);
    model_->receiveFeatureReport(report);
    received_.push_back(report);
    return "set " + orders::HexText(report);
}

} // namespace tamo::usb
