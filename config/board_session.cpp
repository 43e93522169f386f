// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_session.h"

#include "command_report.h"
#include "device_texts.h"
#include "hid_string.h"
#include "setting_commands.h"

#include <algorithm>
#include <utility>

namespace tamo::config {

namespace {
// Both identity strings share one buffer that reaches past the bytes offered, so a terminator
// is always found.
constexpr std::size_t kIdentityBufferBytes = device::STRING_REQUEST_BYTES + 2;
} // namespace

void BoardSession::record(device::PlatformResult result)
{
    device::RecordResult(connection_, std::move(result), device::LogSource::BoardIo);
}

bool BoardSession::SendCommandReport(std::uint8_t code, std::uint8_t argument)
{
    const std::vector<std::uint8_t> report =
        BuildCommandReport(connection_.Capabilities.FeatureReportByteLength, code, argument);
    if (report.empty())
        return false;
    record(platform_.HidD_SetFeature(connection_.FeatureHandle, report));
    return connection_.LastResult.ok;
}

bool BoardSession::SendCommands(std::span<const CommandReport> commands)
{
    bool all = true;
    for (const CommandReport &command : commands)
        all = SendCommandReport(command.code, command.argument) && all;
    return all;
}

bool BoardSession::SendEncoderModes(std::span<const int, ENCODER_PAIRS_LOW_GROUP> listIndexes)
{
    return SendCommands(EncoderModeCommands(listIndexes));
}

bool BoardSession::SendEncoderModes9_10(int enc9ListIndex, int enc10ListIndex)
{
    return SendCommands(EncoderModeCommands9_10(enc9ListIndex, enc10ListIndex));
}

bool BoardSession::SendPulseLength(int delayListIndex)
{
    const CommandReport command = PulseLengthCommand(PulseLengthByte(delayListIndex));
    return SendCommandReport(command.code, command.argument);
}

bool BoardSession::SendAInputMode(int rotStartListIndex)
{
    const CommandReport command = AInputModeCommand(static_cast<std::uint8_t>(rotStartListIndex));
    return SendCommandReport(command.code, command.argument);
}

BoardIdentity BoardSession::ReadIdentity()
{
    BoardIdentity identity;
    std::vector<std::uint8_t> buffer(kIdentityBufferBytes, 0);
    const auto offered = std::span(buffer).first(device::STRING_REQUEST_BYTES);
    record(platform_.HidD_GetManufacturerString(connection_.ReadHandle, offered));
    if (connection_.LastResult)
        identity.manufacturer = IdentityLabelText(buffer);
    record(platform_.HidD_GetProductString(connection_.ReadHandle, offered));
    if (connection_.LastResult)
        identity.product = IdentityLabelText(buffer);
    identity.version = VersionText(connection_.Attributes.VersionNumber);
    return identity;
}

std::optional<ConfigurationSettings> BoardSession::ReadBackConfiguration()
{
    std::optional<ConfigurationSettings> settings;
    // One buffer for all attempts: each read's report ID byte is what the previous read left.
    std::vector<std::uint8_t> reply(connection_.Capabilities.FeatureReportByteLength, 0);
    for (int attempt = 0; attempt < READBACK_ATTEMPTS; ++attempt) {
        record(platform_.HidD_GetFeature(connection_.FeatureHandle, reply));
        if (!connection_.LastResult)
            continue;
        if (std::optional<ConfigurationSettings> decoded = DecodeConfigurationReply(reply))
            settings = decoded;
    }
    return settings;
}

SelfTestDisplay BoardSession::RunSelfTest()
{
    const std::uint16_t length = connection_.Capabilities.FeatureReportByteLength;
    const std::vector<std::uint8_t> request = BuildSelfTestRequest(length);
    std::vector<std::uint8_t> reply(length, 0);
    bool transfersSucceeded = false;
    if (!request.empty()) {
        record(platform_.HidD_SetFeature(connection_.FeatureHandle, request));
        const bool sent = connection_.LastResult.ok;
        reply[0] = 0x00;
        record(platform_.HidD_GetFeature(connection_.FeatureHandle, reply));
        transfersSucceeded = sent && connection_.LastResult.ok;
    }
    return SelfTestResult(reply, transfersSucceeded);
}

InputPoll BoardSession::PollInput(std::uint32_t readBytes)
{
    std::vector<std::uint8_t> buffer(readBytes + 1, 0);
    std::uint32_t bytesRead = 0;
    device::ReadResult read =
        platform_.ReadFile(connection_.ReadHandle, std::span(buffer).first(readBytes), bytesRead,
                           connection_.ReadOverlapped);
    InputPoll poll;
    poll.outcome = read.outcome;
    // A quiet board answers every tick with nothing queued: recorded, not logged.
    if (poll.outcome == device::ReadOutcome::NothingQueued)
        connection_.LastResult = std::move(read);
    else
        record(std::move(read));
    if (poll.outcome == device::ReadOutcome::Reports) {
        const auto bytes = std::span(buffer).first(std::min(bytesRead, readBytes));
        const std::uint16_t reportLength = connection_.Capabilities.InputReportByteLength;
        poll.buttons = NewestButtonBytes(bytes, reportLength);
        poll.reports = EveryReportsButtons(bytes, reportLength);
        poll.reportCount = static_cast<std::uint32_t>(poll.reports.size());
    }
    return poll;
}

std::uint32_t StreamReadBytes(std::uint16_t inputReportByteLength)
{
    const std::uint32_t queue = STREAM_QUEUE_REPORTS * std::uint32_t{inputReportByteLength};
    return std::clamp(queue, INPUT_READ_BYTES, MAX_STREAM_READ_BYTES);
}

} // namespace tamo::config
