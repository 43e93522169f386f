// SPDX-License-Identifier: GPL-3.0-or-later
// What a board of the family does inside, as far as the tool can see it: it stores the
// arguments of the command reports, answers a feature read with its configuration reply (or,
// right after a self-test request, with the self-test reply) and produces input reports with
// its button state. The in-process virtual boards and the uhid board program share it.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace tamo::sim {

enum class InputMode { Streaming, OnChange };

struct BoardSettings {
    // Arguments of command codes 2 to 7, as last received (index = code - 2).
    std::array<std::uint8_t, 6> arguments{0, 0, 0, 0, 6, 0};
    friend bool operator==(const BoardSettings &, const BoardSettings &) = default;
};

class BoardModel {
public:
    BoardModel(std::uint16_t featureReportByteLength, std::uint16_t inputReportByteLength);

    // Host to board. A command report with an unknown code, or a report too short, is
    // ignored as a real board would.
    void receiveFeatureReport(std::span<const std::uint8_t> report);
    // Board to host: the bytes of the next feature report, featureReportByteLength long.
    std::vector<std::uint8_t> nextFeatureReply();

    // The next feature reads answer these bytes, in order, before the board's own replies;
    // queued behind any replies still waiting.
    void scriptFeatureReplies(std::vector<std::vector<std::uint8_t>> replies);

    void setSelfTestResult(std::uint8_t result) { selfTestResult_ = result; }
    std::uint8_t selfTestResult() const { return selfTestResult_; }
    // Status byte of the configuration reply; nonzero makes the tool ignore the reply.
    void setReplyStatus(std::uint8_t status) { replyStatus_ = status; }

    const BoardSettings &settings() const { return settings_; }
    void setSettings(const BoardSettings &settings) { settings_ = settings; }

    void setInputMode(InputMode mode, std::uint32_t periodMs = 10);
    InputMode inputMode() const { return inputMode_; }
    std::uint32_t streamPeriodMs() const { return periodMs_; }
    std::uint32_t buttons() const { return buttons_; }
    // An on-change board queues one report per change.
    void setButtons(std::uint32_t buttons);

    // Reports produced up to nowMs: a streaming board one per period, an on-change board
    // those its changes queued.
    std::vector<std::vector<std::uint8_t>> takeInputReports(std::uint64_t nowMs);
    std::vector<std::uint8_t> inputReport() const { return inputReportWith(buttons_); }
    // The input report the board sends with these buttons.
    std::vector<std::uint8_t> inputReportWith(std::uint32_t buttons) const;

    std::uint16_t featureReportByteLength() const { return featureLength_; }
    std::uint16_t inputReportByteLength() const { return inputLength_; }

private:
    std::uint16_t featureLength_;
    std::uint16_t inputLength_;
    BoardSettings settings_;
    std::uint8_t selfTestResult_ = 0;
    std::uint8_t replyStatus_ = 0;
    bool selfTestPending_ = false;
    InputMode inputMode_ = InputMode::Streaming;
    std::uint32_t periodMs_ = 10;
    std::uint32_t buttons_ = 0;
    bool clockStarted_ = false;
    std::uint64_t lastEmitMs_ = 0;
    std::deque<std::vector<std::uint8_t>> changes_;
    std::deque<std::vector<std::uint8_t>> scripted_;
};

} // namespace tamo::sim
