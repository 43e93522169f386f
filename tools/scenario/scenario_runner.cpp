// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenario_runner.h"

#include "board_identity.h"
#include "control_access.h"
#include "hex_text.h"
#include "lamp_shape.h"
#include "report_hex.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <algorithm>
#include <set>
#include <stdexcept>

namespace tamo::scenario {

namespace {

// What the window shows is one byte per character; checks compare it as UTF-8, as the script
// is written.
std::string ShownAsUtf8(const std::string &latin1)
{
    const QString text = QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
    return text.toStdString();
}

QString ScriptText(const std::string &utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Words joined with " | ", the separator a script may also write between them.
std::string Joined(const std::vector<std::string> &words, std::size_t from)
{
    std::string text;
    bool first = true;
    for (std::size_t i = from; i < words.size(); ++i) {
        if (words[i] == "|")
            continue;
        text += (first ? "" : " | ") + words[i];
        first = false;
    }
    return text;
}

// "1-8" or "17": lamp numbers as the window captions them.
bool ParseLampNumbers(const std::vector<std::string> &words, std::size_t from, std::set<int> &out)
{
    for (std::size_t i = from; i < words.size(); ++i) {
        const std::string &word = words[i];
        const auto dash = word.find('-');
        const auto first = ParseNumber(word.substr(0, dash));
        const auto last = dash == std::string::npos ? first : ParseNumber(word.substr(dash + 1));
        if (!first || !last || *first < 1 || *last > app::BUTTON_COUNT || *first > *last)
            return false;
        for (long long n = *first; n <= *last; ++n)
            out.insert(static_cast<int>(n));
    }
    return true;
}

std::string LampList(const std::set<int> &lamps)
{
    if (lamps.empty())
        return "none";
    std::string text;
    for (int n : lamps)
        text += (text.empty() ? "" : " ") + std::to_string(n);
    return text;
}

} // namespace

ScenarioRunner::ScenarioRunner(std::ostream &out)
    : out_(out)
    , platform_([this] { return nowMs_; })
{}

ScenarioRunner::~ScenarioRunner() = default;

bool ScenarioRunner::run(const ParsedScript &script)
{
    if (!script.error.empty()) {
        out_ << "error: " << script.error << "\n";
        ++failed_;
    }
    for (const ScenarioLine &line : script.lines) {
        if (line.words[0] == "expect") {
            bool ok = false;
            std::string got;
            const std::string error = check(line, ok, got);
            if (!error.empty()) {
                ok = false;
                got = error;
            }
            ok ? ++passed_ : ++failed_;
            out_ << (ok ? "ok   " : "FAIL ") << "line " << line.number << ": " << line.source;
            if (!ok)
                out_ << "\n       got: " << got;
            out_ << "\n";
            continue;
        }
        const std::string error = step(line);
        if (!error.empty()) {
            ++failed_;
            out_ << "FAIL line " << line.number << ": " << line.source << "\n       " << error
                 << "\n";
            break;
        }
    }
    out_ << passed_ << " passed, " << failed_ << " failed\n";
    return failed_ == 0 && passed_ > 0;
}

int ScenarioRunner::device(const std::string &name, std::string &error) const
{
    const auto found = devices_.find(name);
    if (found == devices_.end()) {
        error = "no device named " + name;
        return -1;
    }
    return found->second;
}

QWidget *ScenarioRunner::control(const std::string &name, std::string &error) const
{
    if (!window_) {
        error = "the window has not been started";
        return nullptr;
    }
    auto *found = window_->findChild<QWidget *>(QString::fromStdString(name));
    if (!found && name == "frmMain")
        found = window_.get();
    if (!found)
        error = "no control named " + name;
    return found;
}

std::string ScenarioRunner::attach(const ScenarioLine &line, bool board)
{
    if (line.words.size() < 2)
        return "attach needs a name";
    const std::string &name = line.words[1];
    if (devices_.count(name))
        return "a device named " + name + " exists already";
    auto option = [&](const char *key) -> const std::string * {
        const auto found = line.options.find(key);
        return found == line.options.end() ? nullptr : &found->second;
    };
    auto number = [&](const char *key, long long fallback, std::string &error) {
        const std::string *text = option(key);
        if (!text)
            return fallback;
        const auto value = ParseNumber(*text);
        if (!value || *value < 0 || *value > 0xFFFF)
            error = std::string("bad ") + key + "=" + *text;
        return value.value_or(fallback);
    };
    std::string error;
    auto utf16 = [&](const std::string &text) {
        std::optional<std::u16string> units = CodeUnits(text);
        if (!units)
            error = "not UTF-8: " + text;
        return units.value_or(u"");
    };
    sim::VirtualDeviceDefinition definition =
        board ? sim::FamilyBoard(utf16(name)) : sim::ForeignMouse();
    definition.vendorId = static_cast<std::uint16_t>(number("vid", definition.vendorId, error));
    definition.productId = static_cast<std::uint16_t>(number("pid", definition.productId, error));
    definition.versionNumber =
        static_cast<std::uint16_t>(number("version", definition.versionNumber, error));
    if (const std::string *serial = option("serial"))
        definition.serialNumber = utf16(*serial);
    if (const std::string *marker = option("marker")) {
        definition.indexedStrings.erase(device::MARKER_STRING_INDEX);
        if (*marker != "none")
            definition.indexedStrings[device::MARKER_STRING_INDEX] = utf16(*marker);
    }
    for (auto [key, field] : {std::pair{"manufacturer", &definition.manufacturer},
                              std::pair{"product", &definition.product}}) {
        if (const std::string *text = option(key)) {
            if (*text == "none")
                field->reset();
            else
                *field = utf16(*text);
        }
    }
    if (const std::string *openable = option("openable")) {
        if (*openable != "yes" && *openable != "no")
            return "openable=yes|no";
    }
    if (const std::string *stream = option("stream")) {
        if (*stream == "onchange") {
            definition.inputMode = sim::InputMode::OnChange;
        } else {
            const auto period = ParseNumber(*stream);
            if (!period || *period < 1)
                return "bad stream=" + *stream;
            definition.inputMode = sim::InputMode::Streaming;
            definition.streamPeriodMs = static_cast<std::uint32_t>(*period);
        }
    }
    if (const std::string *descriptor = option("descriptor")) {
        std::string hexError;
        if (!tools::ParseHexText(*descriptor, definition.reportDescriptor, hexError))
            return "bad descriptor=: " + hexError;
    }
    if (option("input") || option("feature")) {
        // Report lengths that the descriptor would not give: the caps are stated directly.
        device::DescriptorParse parse = device::ParseReportDescriptor(definition.reportDescriptor);
        device::HidCollectionCaps caps =
            parse.collections.empty() ? device::HidCollectionCaps{} : parse.collections.front();
        caps.caps.InputReportByteLength =
            static_cast<std::uint16_t>(number("input", caps.caps.InputReportByteLength, error));
        caps.caps.FeatureReportByteLength =
            static_cast<std::uint16_t>(number("feature", caps.caps.FeatureReportByteLength, error));
        definition.capsOverride = caps;
    }
    if (!error.empty())
        return error;
    devices_[name] = platform_.addDevice(std::move(definition));
    if (const std::string *openable = option("openable"); openable && *openable == "no")
        platform_.setOpenable(devices_[name], false);
    return {};
}

std::string ScenarioRunner::setButtons(const ScenarioLine &line, bool press)
{
    std::string error;
    const int id = line.words.size() >= 2 ? device(line.words[1], error) : -1;
    if (id < 0)
        return error.empty() ? "press and release name a board" : error;
    sim::BoardModel *board = platform_.board(id);
    if (!board)
        return line.words[1] + " is not a board";
    std::set<int> buttons;
    if (!ParseLampNumbers(line.words, 2, buttons))
        return "buttons are numbered 1 to 32";
    std::uint32_t state = board->buttons();
    for (int n : buttons) {
        const std::uint32_t bit = 1u << (n - 1);
        state = press ? (state | bit) : (state & ~bit);
    }
    board->setButtons(state);
    return {};
}

std::string ScenarioRunner::step(const ScenarioLine &line)
{
    const std::string &command = line.words[0];
    const auto &w = line.words;
    std::string error;
    if (command == "attach")
        return attach(line, true);
    if (command == "attach-foreign")
        return attach(line, false);
    if (command == "unplug" || command == "plug") {
        const int id = w.size() >= 2 ? device(w[1], error) : -1;
        if (id < 0)
            return error.empty() ? command + " needs a device" : error;
        command == "unplug" ? platform_.unplug(id) : platform_.plug(id);
        return {};
    }
    if (command == "start") {
        if (window_)
            return "started already";
        auto timer = std::make_unique<app::ManualPollTimer>();
        timer->clock = [this] {
            return nowMs_ * 1000;
        };
        timer_ = timer.get();
        window_ = std::make_unique<app::MainWindow>(platform_, std::move(timer));
        window_->setInaccessibleBoardsSource([this] { return platform_.InaccessibleBoards(); });
        window_->LoadMainWindow();
        for (int k = 0; k < window_->lampCount(); ++k)
            lampFillSets_.push_back(window_->lamp(k)->fillSetCount());
        return {};
    }
    if (command == "press" || command == "release") {
        error = setButtons(line, command == "press");
        platform_.deliverInputReports();
        return error;
    }
    if (command == "wait") {
        const auto ms = w.size() == 2 ? ParseNumber(w[1]) : std::nullopt;
        if (!ms || *ms < 0)
            return "wait MS";
        advance(static_cast<std::uint64_t>(*ms));
        return {};
    }
    if (command == "buttons") {
        const int id = w.size() >= 3 ? device(w[1], error) : -1;
        const auto value = w.size() >= 3 ? ParseNumber(w[2]) : std::nullopt;
        if (id < 0 || !value || !platform_.board(id))
            return error.empty() ? "buttons BOARD 0xSTATE" : error;
        platform_.board(id)->setButtons(static_cast<std::uint32_t>(*value));
        platform_.deliverInputReports();
        return {};
    }
    if (command == "tick") {
        if (!window_ || closed_)
            return "no window to tick";
        const auto count = w.size() >= 2 ? ParseNumber(w[1]) : std::optional<long long>(1);
        if (!count || *count < 0)
            return "tick N";
        const std::size_t callsBefore = platform_.calls().size();
        for (long long i = 0; i < *count; ++i) {
            advance(static_cast<std::uint64_t>(timer_->interval()));
            if (timer_->isEnabled())
                window_->PollInputReport();
        }
        lastTickCalls_ = platform_.calls().size() - callsBefore;
        return {};
    }
    if (command == "pick") {
        if (w.size() < 3)
            return "pick LIST \"item\"";
        QWidget *list = control(w[1], error);
        if (!list)
            return error;
        if (!app::PickListItem(list, ScriptText(w[2])))
            return "cannot pick \"" + w[2] + "\" in " + w[1] + " (no such item, or disabled)";
        return {};
    }
    if (command == "click") {
        QWidget *widget = w.size() >= 2 ? control(w[1], error) : nullptr;
        auto *button = qobject_cast<QAbstractButton *>(widget);
        if (!button)
            return error.empty() ? "click needs a button" : error;
        if (!button->isEnabled())
            return w[1] + " is disabled";
        button->click();
        return {};
    }
    if (command == "close") {
        if (!window_ || closed_)
            return "no window to close";
        window_->close();
        closed_ = true;
        return {};
    }
    if (command == "selftest" || command == "status") {
        const int id = w.size() >= 3 ? device(w[1], error) : -1;
        const auto value = w.size() >= 3 ? ParseNumber(w[2]) : std::nullopt;
        if (id < 0 || !value || *value < 0 || *value > 255 || !platform_.board(id))
            return error.empty() ? command + " BOARD 0..255" : error;
        if (command == "selftest")
            platform_.board(id)->setSelfTestResult(static_cast<std::uint8_t>(*value));
        else
            platform_.board(id)->setReplyStatus(static_cast<std::uint8_t>(*value));
        return {};
    }
    if (command == "settings") {
        const int id = w.size() == 8 ? device(w[1], error) : -1;
        if (id < 0 || !platform_.board(id))
            return error.empty() ? "settings BOARD a2 a3 a4 a5 a6 a7" : error;
        sim::BoardSettings settings;
        for (std::size_t i = 0; i < 6; ++i) {
            const auto value = ParseNumber(w[2 + i]);
            if (!value || *value < 0 || *value > 255)
                return "settings are bytes";
            settings.arguments[i] = static_cast<std::uint8_t>(*value);
        }
        platform_.board(id)->setSettings(settings);
        return {};
    }
    if (command == "deny" || command == "allow") {
        const int id = w.size() >= 2 ? device(w[1], error) : -1;
        if (id < 0)
            return error.empty() ? command + " needs a device" : error;
        platform_.setOpenable(id, command == "allow");
        return {};
    }
    if (command == "notifications") {
        if (w.size() != 2 || (w[1] != "on" && w[1] != "off"))
            return "notifications on|off";
        platform_.setNotifications(w[1] == "on");
        return {};
    }
    if (command == "replies") {
        const int id = w.size() >= 3 ? device(w[1], error) : -1;
        if (id < 0 || !platform_.board(id))
            return error.empty() ? "replies BOARD \"HEX\"..." : error;
        std::vector<std::vector<std::uint8_t>> replies;
        for (std::size_t i = 2; i < w.size(); ++i) {
            std::vector<std::uint8_t> bytes;
            if (!tools::ParseHexText(w[i], bytes, error))
                return "bad reply \"" + w[i] + "\": " + error;
            replies.push_back(std::move(bytes));
        }
        platform_.board(id)->scriptFeatureReplies(std::move(replies));
        return {};
    }
    if (command == "fail") {
        const int id = w.size() >= 3 ? device(w[1], error) : -1;
        const auto count = w.size() >= 4 ? ParseNumber(w[3]) : std::optional<long long>(1);
        if (id < 0 || !count)
            return error.empty() ? "fail DEVICE OPERATION [N]" : error;
        // An operation that reaches no single device, or a misspelt one, is refused, never
        // ignored.
        try {
            platform_.failNext(w[2], static_cast<int>(*count), id);
        } catch (const std::invalid_argument &refused) {
            return refused.what();
        }
        return {};
    }
    return "unknown step " + command;
}

void ScenarioRunner::advance(std::uint64_t ms)
{
    // A millisecond at a time, so that a streaming board's reports reach a window that reads
    // them as they arrive when they are sent.
    for (std::uint64_t i = 0; i < ms; ++i) {
        ++nowMs_;
        platform_.deliverInputReports();
    }
}

std::string ScenarioRunner::testFindings(const ScenarioLine &line, bool &ok, std::string &got)
{
    const auto &w = line.words;
    const config::ButtonTest *test = window_->buttonTest();
    if (!test)
        return "the button test has not run";
    if (w[1] == "presses") {
        const auto button = w.size() == 4 ? ParseNumber(w[2]) : std::nullopt;
        if (!button || *button < 1 || *button > app::BUTTON_COUNT)
            return "expect presses BUTTON N";
        got = std::to_string(test->input(static_cast<int>(*button)).presses);
        ok = got == w[3];
        return {};
    }
    std::set<int> wanted;
    if (!(w.size() == 3 && w[2] == "none") && !ParseLampNumbers(w, 2, wanted))
        return "inputs are numbered 1 to 32";
    // What the lamps show: a released lamp in the second colour, and what a screen reader
    // hears of it.
    std::set<int> shown;
    for (int k = 0; k < window_->lampCount(); ++k) {
        const app::LampShape *lamp = window_->lamp(k);
        const bool marked = w[1] == "seen" ? lamp->testFinding().startsWith("seen")
                                           : lamp->testFinding().contains("chattered");
        if (marked)
            shown.insert(k + 1);
    }
    got = LampList(shown);
    ok = got == LampList(wanted);
    return {};
}

std::string ScenarioRunner::receivedSinceLastCheck(int id)
{
    const auto &reports = platform_.featureReportsReceived(id);
    std::string text;
    for (std::size_t i = receivedSeen_[id]; i < reports.size(); ++i)
        text += (text.empty() ? "" : " | ") + sim::ReportHex(reports[i]);
    receivedSeen_[id] = reports.size();
    return text.empty() ? "none" : text;
}

std::string ScenarioRunner::repaintedSinceLastCheck()
{
    std::set<int> lamps;
    for (int k = 0; k < window_->lampCount(); ++k) {
        const int sets = window_->lamp(k)->fillSetCount();
        if (k >= static_cast<int>(lampFillSets_.size()))
            lampFillSets_.push_back(0);
        if (sets != lampFillSets_[k])
            lamps.insert(k + 1);
        lampFillSets_[k] = sets;
    }
    return LampList(lamps);
}

std::string ScenarioRunner::check(const ScenarioLine &line, bool &ok, std::string &got)
{
    const auto &w = line.words;
    if (w.size() < 2)
        return "expect WHAT ...";
    const std::string &what = w[1];
    std::string error;
    if (what == "received" || what == "feature-reads") {
        const int id = w.size() >= 3 ? device(w[2], error) : -1;
        if (id < 0)
            return error.empty() ? "expect " + what + " DEVICE ..." : error;
        if (what == "received") {
            got = receivedSinceLastCheck(id);
            ok = got == Joined(w, 3);
        } else {
            const int reads = platform_.countCalls("HidD_GetFeature", id);
            got = std::to_string(reads - featureReadsSeen_[id]);
            featureReadsSeen_[id] = reads;
            ok = w.size() == 4 && got == w[3];
        }
        return {};
    }
    if (what == "platform-calls") {
        if (w.size() != 3)
            return "expect platform-calls N";
        got = std::to_string(lastTickCalls_);
        ok = got == w[2];
        return {};
    }
    if (what == "handles") {
        int id = -1;
        if (w.size() == 4 && (id = device(w[2], error)) < 0)
            return error;
        got = std::to_string(id < 0 ? platform_.openFileHandles() : platform_.openFileHandles(id));
        ok = got == w.back();
        return {};
    }
    if (!window_)
        return "the window has not been started";
    if (what == "interval" || what == "timer" || what == "connected") {
        if (w.size() != 3)
            return "expect " + what + " VALUE";
        if (what == "interval")
            got = std::to_string(timer_->interval());
        else if (what == "timer")
            got = timer_->isEnabled() ? "on" : "off";
        else
            got = window_->connection().DeviceFound ? "yes" : "no";
        ok = got == w[2];
        return {};
    }
    if (what == "notice") {
        // Part of the notice, or none; an empty part would match any notice.
        if (w.size() != 3 || w[2].empty())
            return "expect notice \"TEXT\"|none";
        got = window_->accessNotice().toStdString();
        ok = w[2] == "none" ? got.empty() : got.find(w[2]) != std::string::npos;
        if (got.empty())
            got = "none";
        return {};
    }
    if (what == "seen" || what == "chattered" || what == "presses")
        return testFindings(line, ok, got);
    if (what == "lamps-on") {
        std::set<int> wanted;
        if (!(w.size() == 3 && w[2] == "none") && !ParseLampNumbers(w, 2, wanted))
            return "lamps are numbered 1 to 32";
        std::set<int> on;
        bool mixed = false;
        for (int k = 0; k < window_->lampCount(); ++k) {
            const bool lampOn = window_->lamp(k)->fillColourValue() == app::INDICATOR_ON_COLOUR;
            const std::uint32_t label = window_->buttonLabelColourValue(k);
            if (lampOn)
                on.insert(k + 1);
            // In the button test a released lamp may show what the test found.
            const std::uint32_t fill = window_->lamp(k)->fillColourValue();
            const bool offColour = fill == app::INDICATOR_OFF_COLOUR
                                   || (window_->buttonTestRunning()
                                       && (fill == app::INDICATOR_SEEN_COLOUR
                                           || fill == app::INDICATOR_CHATTER_COLOUR));
            if (label != (lampOn ? app::LABEL_ON_COLOUR : app::LABEL_OFF_COLOUR)
                || (!lampOn && !offColour))
                mixed = true;
        }
        got = LampList(on) + (mixed ? " (a lamp and its label disagree)" : "");
        ok = !mixed && on == wanted;
        return {};
    }
    if (what == "repainted") {
        std::set<int> wanted;
        if (!(w.size() == 3 && w[2] == "none") && !ParseLampNumbers(w, 2, wanted))
            return "lamps are numbered 1 to 32";
        got = repaintedSinceLastCheck();
        ok = got == LampList(wanted);
        return {};
    }
    if (w.size() < 3)
        return "expect " + what + " CONTROL ...";
    QWidget *widget = control(w[2], error);
    if (!widget)
        return error;
    const std::string shown = ShownAsUtf8(app::ControlText(widget));
    if (what == "text") {
        got = shown;
        ok = w.size() == 4 ? got == w[3] : got.empty();
        return {};
    }
    if (what == "starts-with" && w.size() == 4) {
        got = shown.substr(0, w[3].size());
        ok = got == w[3];
        return {};
    }
    if (what == "contains" && w.size() == 4) {
        ok = shown.find(w[3]) != std::string::npos;
        got = shown;
        return {};
    }
    if (what == "ends-with" && w.size() == 4) {
        got = shown.substr(shown.size() - std::min(shown.size(), w[3].size()));
        ok = got == w[3];
        return {};
    }
    if (what == "enabled" && w.size() == 4) {
        got = widget->isEnabled() ? "yes" : "no";
        ok = got == w[3];
        return {};
    }
    if (what == "items") {
        auto *list = qobject_cast<QComboBox *>(widget);
        if (!list)
            return w[2] + " is not a list";
        std::vector<std::string> items;
        for (int i = 0; i < list->count(); ++i)
            items.push_back(list->itemText(i).toStdString());
        got = items.empty() ? "none" : Joined(items, 0);
        ok = got == (w.size() == 4 && w[3] == "none" ? "none" : Joined(w, 3));
        return {};
    }
    return "unknown check " + what;
}

} // namespace tamo::scenario
