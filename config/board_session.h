// SPDX-License-Identifier: GPL-3.0-or-later
// The board's protocol sequences over an open connection, for every front end: command reports,
// the configuration readback, the identity strings, the self-test and the input poll. It keeps
// no state but the connection it is given; the front end decides when a sequence may run.
#pragma once

#include "board_connection.h"
#include "configuration_reply.h"
#include "input_report.h"
#include "self_test.h"
#include "setting_commands.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tamo::config {

// Bytes asked of one input read; the buffer has one more.
inline constexpr std::uint32_t INPUT_READ_BYTES = 1000;

struct BoardIdentity {
    // Each label text (" " and the string) when its request succeeded.
    std::optional<std::string> manufacturer;
    std::optional<std::string> product;
    // " major.minor" of the release number.
    std::string version;
};

struct InputPoll {
    device::ReadOutcome outcome = device::ReadOutcome::Failed;
    // The newest whole report's buttons, when the read held one.
    std::optional<ButtonBytes> buttons;
    // Whole input reports the read held, oldest included: what a report rate counts.
    std::uint32_t reportCount = 0;
    // Their buttons, oldest first.
    std::vector<ButtonState> reports;
};

// Bytes a read takes when it follows each report as it arrives: the whole queue a system keeps
// for one reader (hidraw keeps 64 reports), so that nothing queued behind a busy moment is
// dropped; never less than one read on the timer takes, never more than MAX.
inline constexpr std::uint32_t STREAM_QUEUE_REPORTS = 64;
inline constexpr std::uint32_t MAX_STREAM_READ_BYTES = 65536;
std::uint32_t StreamReadBytes(std::uint16_t inputReportByteLength);

class BoardSession {
public:
    BoardSession(device::HidPlatform &platform, device::BoardConnection &connection)
        : platform_(platform)
        , connection_(connection)
    {}

    // One command report on the feature handle. False when it failed or the board's feature
    // report cannot hold one (then nothing is sent).
    bool SendCommandReport(std::uint8_t code, std::uint8_t argument);
    // Each report whatever became of the ones before it, as a group's two go. True when all
    // went.
    bool SendCommands(std::span<const CommandReport> commands);
    // Both reports of a group, the second whatever became of the first. True when both went.
    bool SendEncoderModes(std::span<const int, ENCODER_PAIRS_LOW_GROUP> listIndexes);
    bool SendEncoderModes9_10(int enc9ListIndex, int enc10ListIndex);
    bool SendPulseLength(int delayListIndex);
    bool SendAInputMode(int rotStartListIndex);

    // Manufacturer then product, on the read handle, into one shared buffer.
    BoardIdentity ReadIdentity();
    // Always READBACK_ATTEMPTS reads into one buffer; the last usable reply decides.
    std::optional<ConfigurationSettings> ReadBackConfiguration();
    // The request, then the reply read at once.
    SelfTestDisplay RunSelfTest();
    // One read of everything queued (up to readBytes); the newest whole report is the one shown.
    InputPoll PollInput(std::uint32_t readBytes = INPUT_READ_BYTES);

private:
    void record(device::PlatformResult result);

    device::HidPlatform &platform_;
    device::BoardConnection &connection_;
};

} // namespace tamo::config
