// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_orders.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <utility>
#include <vector>

namespace tamo::orders {

namespace {

constexpr std::array<std::pair<std::string_view, Verb>, 11> kVerbs{{
    {"create", Verb::Create},
    {"buttons", Verb::Buttons},
    {"selftest", Verb::SelfTest},
    {"status", Verb::Status},
    {"taps", Verb::Taps},
    {"bounce", Verb::Bounce},
    {"unplug", Verb::Unplug},
    {"replug", Verb::Replug},
    {"remove", Verb::Remove},
    {"dump", Verb::Dump},
    {"quit", Verb::Quit},
}};

// Words split at spaces; a double-quoted stretch (quotes dropped) may hold spaces.
bool SplitWords(std::string_view line, std::vector<std::string> &words, std::string &error)
{
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t' || c == '\r') && !quoted) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) {
        error = "unterminated quote";
        return false;
    }
    if (inWord)
        words.push_back(std::move(word));
    return true;
}

template<typename Number>
std::optional<Number> ParseNumber(std::string_view text)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t value = 0;
    const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || code != std::errc{} || end != text.data() + text.size()
        || value > std::numeric_limits<Number>::max())
        return std::nullopt;
    return static_cast<Number>(value);
}

bool ParseStream(std::string_view text, CreateOptions &options)
{
    if (text == "onchange") {
        options.inputMode = sim::InputMode::OnChange;
        return true;
    }
    if (!text.ends_with("ms"))
        return false;
    const auto period = ParseNumber<std::uint32_t>(text.substr(0, text.size() - 2));
    if (!period || *period == 0)
        return false;
    options.inputMode = sim::InputMode::Streaming;
    options.streamPeriodMs = *period;
    return true;
}

constexpr std::uint16_t kMinInputLength = 8;  // the ID byte, two axes and 32 buttons, a pad
constexpr std::uint16_t kMaxInputLength = 64; // one full-speed interrupt packet and the ID byte

void SetText(std::string_view value, TextOption &option)
{
    option.none = value == "none";
    option.text = option.none ? std::nullopt : std::optional<std::string>(value);
}

bool ParseOption(std::string_view word, CreateOptions &options, Transport transport,
                 std::string &error)
{
    const std::size_t equals = word.find('=');
    if (equals == std::string_view::npos) {
        error = "expected key=value, got '" + std::string(word) + "'";
        return false;
    }
    const std::string_view key = word.substr(0, equals);
    const std::string_view value = word.substr(equals + 1);
    auto number = [&](std::optional<std::uint16_t> &field) {
        field = ParseNumber<std::uint16_t>(value);
        return field.has_value();
    };
    bool ok = false;
    if (key == "kind") {
        options.foreign = value == "foreign";
        ok = value == "foreign" || value == "board";
    } else if (key == "serial") {
        options.serial = std::string(value);
        ok = true;
    } else if (key == "product") {
        options.product = std::string(value);
        ok = true;
    } else if (key == "vid") {
        ok = number(options.vendorId);
    } else if (key == "pid") {
        ok = number(options.productId);
    } else if (key == "version") {
        ok = number(options.version);
    } else if (key == "stream") {
        ok = ParseStream(value, options);
    } else if (key == "marker" && transport == Transport::Uhid) {
        // uhid gives a device no USB parent, and the tool reads string 42 from the USB device
        // itself, so no marker can be served: the product-ID rule decides for these boards.
        error = "a uhid device cannot serve string 42 (it has no USB device); choose pid= "
                "inside or outside the family's range instead";
        return false;
    } else if ((key == "manufacturer" || key == "input") && transport == Transport::Uhid) {
        error =
            "a uhid device has no "
            + std::string(key == "input" ? "input length of its own (its descriptor is the board's)"
                                         : "manufacturer string");
        return false;
    } else if (key == "marker") {
        SetText(value, options.marker);
        ok = true;
    } else if (key == "manufacturer") {
        SetText(value, options.manufacturer);
        ok = true;
    } else if (key == "input") {
        options.inputLength = ParseNumber<std::uint16_t>(value);
        ok = options.inputLength && *options.inputLength >= kMinInputLength
             && *options.inputLength <= kMaxInputLength;
    } else {
        error = "unknown option '" + std::string(key) + "'";
        return false;
    }
    if (!ok)
        error = "bad value for " + std::string(key) + ": '" + std::string(value) + "'";
    return ok;
}

constexpr int kButtons = 32;
constexpr std::uint32_t kMaxTaps = 10'000;
constexpr std::uint32_t kMaxTapMs = 60'000;

// Pressed, released, pressed, ... from the first change, in microseconds.
constexpr std::array<std::uint64_t, 6> kBounceUs{0, 5'000, 6'500, 9'500, 11'500, 51'500};

// splitmix64: the same gaps from the same seed on every system.
std::uint64_t NextRandom(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

bool ParseScript(const std::vector<std::string> &words, Order &order, std::string &error)
{
    const bool taps = order.verb == Verb::Taps;
    const std::size_t expected = taps ? 8 : 3;
    const std::string usage =
        taps ? "taps NAME BUTTON COUNT PRESS_MS GAP_MIN_MS GAP_MAX_MS SEED" : "bounce NAME BUTTON";
    if (words.size() != expected) {
        error = "usage: " + usage;
        return false;
    }
    const auto button = ParseNumber<std::uint32_t>(words[2]);
    if (!button || *button < 1 || *button > kButtons) {
        error = "the button is 1 to 32, not '" + words[2] + "'";
        return false;
    }
    order.taps.button = static_cast<int>(*button);
    if (!taps)
        return true;
    const auto count = ParseNumber<std::uint32_t>(words[3]);
    const auto pressMs = ParseNumber<std::uint32_t>(words[4]);
    const auto gapMinMs = ParseNumber<std::uint32_t>(words[5]);
    const auto gapMaxMs = ParseNumber<std::uint32_t>(words[6]);
    const auto seed = ParseNumber<std::uint64_t>(words[7]);
    auto inRange = [](const std::optional<std::uint32_t> &value, std::uint32_t most) {
        return value && *value >= 1 && *value <= most;
    };
    if (!inRange(count, kMaxTaps) || !inRange(pressMs, kMaxTapMs) || !inRange(gapMinMs, kMaxTapMs)
        || !inRange(gapMaxMs, kMaxTapMs) || *gapMaxMs < *gapMinMs || !seed) {
        error = "usage: " + usage + " (COUNT 1 to " + std::to_string(kMaxTaps) + ", times 1 to "
                + std::to_string(kMaxTapMs) + " ms, GAP_MIN_MS <= GAP_MAX_MS)";
        return false;
    }
    order.taps.count = *count;
    order.taps.pressMs = *pressMs;
    order.taps.gapMinMs = *gapMinMs;
    order.taps.gapMaxMs = *gapMaxMs;
    order.taps.seed = *seed;
    return true;
}

} // namespace

std::uint32_t ScriptButtonBit(const Order &order)
{
    return std::uint32_t{1} << (std::clamp(order.taps.button, 1, kButtons) - 1);
}

std::vector<ScriptedChange> ScriptChanges(const Order &order, std::uint32_t others)
{
    const std::uint32_t bit = ScriptButtonBit(order);
    const std::uint32_t released = others & ~bit;
    std::vector<ScriptedChange> changes;
    if (order.verb == Verb::Bounce) {
        for (std::size_t i = 0; i < kBounceUs.size(); ++i)
            changes.push_back({kBounceUs[i], i % 2 == 0 ? released | bit : released});
        return changes;
    }
    if (order.verb != Verb::Taps)
        return changes;
    const TapOptions &taps = order.taps;
    std::uint64_t random = taps.seed;
    const std::uint64_t gapMinUs = std::uint64_t{taps.gapMinMs} * 1000;
    const std::uint64_t gapSpanUs = std::uint64_t{taps.gapMaxMs} * 1000 - gapMinUs + 1;
    std::uint64_t at = 0;
    for (std::uint32_t i = 0; i < taps.count; ++i) {
        if (i > 0)
            at += gapMinUs + NextRandom(random) % gapSpanUs;
        changes.push_back({at, released | bit});
        at += std::uint64_t{taps.pressMs} * 1000;
        changes.push_back({at, released});
    }
    return changes;
}

std::string ScriptReply(const std::vector<std::uint64_t> &sentUs)
{
    std::string text = "changes=" + std::to_string(sentUs.size()) + " sent=";
    for (std::size_t i = 0; i < sentUs.size(); ++i)
        text += (i > 0 ? "," : "") + std::to_string(sentUs[i]);
    return text;
}

void ApplyToBoard(const Order &order, sim::BoardModel &model)
{
    if (order.verb == Verb::Buttons)
        model.setButtons(order.value);
    else if (order.verb == Verb::SelfTest)
        model.setSelfTestResult(static_cast<std::uint8_t>(order.value));
    else if (order.verb == Verb::Status)
        model.setReplyStatus(static_cast<std::uint8_t>(order.value));
}

const char *VerbName(Verb verb)
{
    for (const auto &[name, known] : kVerbs) {
        if (known == verb)
            return name.data();
    }
    return "?";
}

std::optional<Order> ParseOrder(std::string_view line, std::string &error, Transport transport)
{
    std::vector<std::string> words;
    if (!SplitWords(line, words, error))
        return std::nullopt;
    if (words.empty()) {
        error = "empty order";
        return std::nullopt;
    }
    Order order;
    bool known = false;
    for (const auto &[name, verb] : kVerbs) {
        if (words[0] == name) {
            order.verb = verb;
            known = true;
        }
    }
    if (!known) {
        error = "unknown order '" + words[0] + "'";
        return std::nullopt;
    }
    if (order.verb == Verb::Quit) {
        if (words.size() != 1) {
            error = "quit takes nothing";
            return std::nullopt;
        }
        return order;
    }
    if (words.size() < 2) {
        error = std::string(VerbName(order.verb)) + " needs a device name";
        return std::nullopt;
    }
    order.device = words[1];
    switch (order.verb) {
    case Verb::Create:
        for (std::size_t i = 2; i < words.size(); ++i) {
            if (!ParseOption(words[i], order.create, transport, error))
                return std::nullopt;
        }
        return order;
    case Verb::Buttons:
    case Verb::SelfTest:
    case Verb::Status: {
        const bool isByte = order.verb != Verb::Buttons;
        const auto value = words.size() == 3 ? ParseNumber<std::uint32_t>(words[2]) : std::nullopt;
        if (!value || (isByte && *value > 0xFF)) {
            error = std::string(VerbName(order.verb)) + " needs NAME and a "
                    + (isByte ? "byte" : "32-bit value");
            return std::nullopt;
        }
        order.value = *value;
        return order;
    }
    case Verb::Taps:
    case Verb::Bounce:
        if (!ParseScript(words, order, error))
            return std::nullopt;
        return order;
    default:
        if (words.size() != 2) {
            error = std::string(VerbName(order.verb)) + " takes only a device name";
            return std::nullopt;
        }
        return order;
    }
}

} // namespace tamo::orders
