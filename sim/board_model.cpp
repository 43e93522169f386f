// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_model.h"

#include <algorithm>

namespace tamo::sim {

namespace {
constexpr std::uint8_t kCommandMarker = 0xEE;
constexpr std::uint8_t kSelfTestRequest = 0xE1;
constexpr std::uint8_t kFirstCode = 2;
constexpr std::uint8_t kLastCode = 7;
// More than a tick's worth of reports is never useful; the kernel keeps 63 per reader.
constexpr std::size_t kMaxReportsPerTake = 64;
} // namespace

BoardModel::BoardModel(std::uint16_t featureReportByteLength, std::uint16_t inputReportByteLength)
    : featureLength_(featureReportByteLength)
    , inputLength_(inputReportByteLength)
{}

void BoardModel::receiveFeatureReport(std::span<const std::uint8_t> report)
{
    if (report.size() >= 2 && report[1] == kSelfTestRequest) {
        selfTestPending_ = true;
        return;
    }
    if (report.size() < 4 || report[1] != kCommandMarker)
        return;
    const std::uint8_t code = report[2];
    if (code < kFirstCode || code > kLastCode)
        return;
    settings_.arguments[code - kFirstCode] = report[3];
}

void BoardModel::scriptFeatureReplies(std::vector<std::vector<std::uint8_t>> replies)
{
    scripted_.insert(scripted_.end(), replies.begin(), replies.end());
}

std::vector<std::uint8_t> BoardModel::nextFeatureReply()
{
    std::vector<std::uint8_t> reply(featureLength_, 0);
    if (!scripted_.empty()) {
        const std::vector<std::uint8_t> &next = scripted_.front();
        std::copy_n(next.begin(), std::min(next.size(), reply.size()), reply.begin());
        scripted_.pop_front();
        return reply;
    }
    if (selfTestPending_) {
        selfTestPending_ = false;
        if (reply.size() > 1)
            reply[1] = selfTestResult_;
        return reply;
    }
    if (reply.size() > 1)
        reply[1] = replyStatus_;
    for (std::size_t i = 0; i < settings_.arguments.size(); ++i) {
        const std::size_t at = kFirstCode + 2 + i;
        if (at < reply.size())
            reply[at] = settings_.arguments[i];
    }
    return reply;
}

void BoardModel::setInputMode(InputMode mode, std::uint32_t periodMs)
{
    inputMode_ = mode;
    periodMs_ = std::max<std::uint32_t>(periodMs, 1);
    changes_.clear();
}

void BoardModel::setButtons(std::uint32_t buttons)
{
    if (buttons == buttons_)
        return;
    buttons_ = buttons;
    if (inputMode_ == InputMode::OnChange) {
        changes_.push_back(inputReport());
        if (changes_.size() > kMaxReportsPerTake)
            changes_.pop_front();
    }
}

std::vector<std::vector<std::uint8_t>> BoardModel::takeInputReports(std::uint64_t nowMs)
{
    std::vector<std::vector<std::uint8_t>> reports;
    if (inputMode_ == InputMode::OnChange) {
        reports.assign(changes_.begin(), changes_.end());
        changes_.clear();
        return reports;
    }
    if (!clockStarted_ || nowMs < lastEmitMs_) {
        clockStarted_ = true;
        lastEmitMs_ = nowMs;
        return reports;
    }
    const std::uint64_t due = (nowMs - lastEmitMs_) / periodMs_;
    lastEmitMs_ += due * periodMs_;
    const std::size_t count =
        static_cast<std::size_t>(std::min<std::uint64_t>(due, kMaxReportsPerTake));
    reports.assign(count, inputReport());
    return reports;
}

std::vector<std::uint8_t> BoardModel::inputReportWith(std::uint32_t buttons) const
{
    std::vector<std::uint8_t> report(inputLength_, 0);
    for (std::size_t i = 0; i < 4; ++i) {
        if (3 + i < report.size())
            report[3 + i] = static_cast<std::uint8_t>(buttons >> (8 * i));
    }
    return report;
}

} // namespace tamo::sim
