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

// Lamp numbers, or "none" as the only word.
bool WantedLamps(const std::vector<std::string> &words, std::set<int> &wanted)
{
    return (words.size() == 3 && words[2] == "none") || ParseLampNumbers(words, 2, wanted);
}

std::string Shown(const QWidget *control)
{
    return ShownAsUtf8(app::ControlText(control));
}

// The key=value options of an attach line. A bad value is kept as the error and reading goes
// on, so the last bad value read is the one told.
class DeviceOptions {
public:
    explicit DeviceOptions(const std::map<std::string, std::string> &options)
        : options_(options)
    {}

    const std::string *text(const char *key) const
    {
        const auto found = options_.find(key);
        return found == options_.end() ? nullptr : &found->second;
    }

    long long number(const char *key, long long fallback)
    {
        const std::string *word = text(key);
        if (!word)
            return fallback;
        const auto value = ParseNumber(*word);
        if (!value || *value < 0 || *value > 0xFFFF)
            error = std::string("bad ") + key + "=" + *word;
        return value.value_or(fallback);
    }

    std::u16string utf16(const std::string &word)
    {
        std::optional<std::u16string> units = CodeUnits(word);
        if (!units)
            error = "not UTF-8: " + word;
        return units.value_or(u"");
    }

    std::string error;

private:
    const std::map<std::string, std::string> &options_;
};

void ReadIdentity(DeviceOptions &options, sim::VirtualDeviceDefinition &definition)
{
    auto number = [&](const char *key, std::uint16_t fallback) {
        return static_cast<std::uint16_t>(options.number(key, fallback));
    };
    definition.vendorId = number("vid", definition.vendorId);
    definition.productId = number("pid", definition.productId);
    definition.versionNumber = number("version", definition.versionNumber);
    if (const std::string *serial = options.text("serial"))
        definition.serialNumber = options.utf16(*serial);
    if (const std::string *marker = options.text("marker")) {
        definition.indexedStrings.erase(device::MARKER_STRING_INDEX);
        if (*marker != "none")
            definition.indexedStrings[device::MARKER_STRING_INDEX] = options.utf16(*marker);
    }
    for (auto [key, field] : {std::pair{"manufacturer", &definition.manufacturer},
                              std::pair{"product", &definition.product}}) {
        if (const std::string *text = options.text(key)) {
            if (*text == "none")
                field->reset();
            else
                *field = options.utf16(*text);
        }
    }
}

// Options that stop the line at once when they are bad.
std::string ReadBehaviour(const DeviceOptions &options, sim::VirtualDeviceDefinition &definition)
{
    if (const std::string *openable = options.text("openable")) {
        if (*openable != "yes" && *openable != "no")
            return "openable=yes|no";
    }
    if (const std::string *stream = options.text("stream")) {
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
    if (const std::string *descriptor = options.text("descriptor")) {
        std::string hexError;
        if (!device::ParseHexText(*descriptor, definition.reportDescriptor, hexError))
            return "bad descriptor=: " + hexError;
    }
    return {};
}

// Report lengths that the descriptor would not give: the caps are stated directly.
void ReadReportLengths(DeviceOptions &options, sim::VirtualDeviceDefinition &definition)
{
    if (!options.text("input") && !options.text("feature"))
        return;
    device::DescriptorParse parse = device::ParseReportDescriptor(definition.reportDescriptor);
    device::HidCollectionCaps caps =
        parse.collections.empty() ? device::HidCollectionCaps{} : parse.collections.front();
    caps.caps.InputReportByteLength =
        static_cast<std::uint16_t>(options.number("input", caps.caps.InputReportByteLength));
    caps.caps.FeatureReportByteLength =
        static_cast<std::uint16_t>(options.number("feature", caps.caps.FeatureReportByteLength));
    definition.capsOverride = caps;
}

const char *const NO_BUTTON_TEST = "the button test has not run";

// The entry of a verb table for a word; null when no entry has it.
template<typename Verb, std::size_t N>
const Verb *Find(const Verb (&table)[N], const std::string &word)
{
    const auto found = std::find_if(std::begin(table), std::end(table),
                                    [&](const Verb &verb) { return word == verb.verb; });
    return found == std::end(table) ? nullptr : found;
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
            Verdict verdict;
            const std::string error = check(line, verdict);
            if (!error.empty())
                verdict = {false, error};
            verdict.ok ? ++passed_ : ++failed_;
            out_ << (verdict.ok ? "ok   " : "FAIL ") << "line " << line.number << ": "
                 << line.source;
            if (!verdict.ok)
                out_ << "\n       got: " << verdict.got;
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

std::string ScenarioRunner::attach(const ScenarioLine &line, const char *usage)
{
    if (line.words.size() < 2)
        return usage;
    const std::string &name = line.words[1];
    if (devices_.count(name))
        return "a device named " + name + " exists already";
    DeviceOptions options(line.options);
    sim::VirtualDeviceDefinition definition =
        line.words[0] == "attach" ? sim::FamilyBoard(options.utf16(name)) : sim::ForeignMouse();
    ReadIdentity(options, definition);
    if (const std::string refused = ReadBehaviour(options, definition); !refused.empty())
        return refused;
    ReadReportLengths(options, definition);
    if (!options.error.empty())
        return options.error;
    devices_[name] = platform_.addDevice(std::move(definition));
    if (const std::string *openable = options.text("openable"); openable && *openable == "no")
        platform_.setOpenable(devices_[name], false);
    return {};
}

const ScenarioRunner::Step ScenarioRunner::STEPS[] = {
    {"attach", "attach needs a name", &ScenarioRunner::attach},
    {"attach-foreign", "attach needs a name", &ScenarioRunner::attach},
    {"unplug", "unplug needs a device", &ScenarioRunner::plug},
    {"plug", "plug needs a device", &ScenarioRunner::plug},
    {"start", "", &ScenarioRunner::start},
    {"press", "press and release name a board", &ScenarioRunner::pressOrRelease},
    {"release", "press and release name a board", &ScenarioRunner::pressOrRelease},
    {"wait", "wait MS", &ScenarioRunner::wait},
    {"buttons", "buttons BOARD 0xSTATE", &ScenarioRunner::buttons},
    {"tick", "tick N", &ScenarioRunner::tick},
    {"pick", "pick LIST \"item\"", &ScenarioRunner::pick},
    {"click", "click needs a button", &ScenarioRunner::click},
    {"close", "", &ScenarioRunner::close},
    {"selftest", "selftest BOARD 0..255", &ScenarioRunner::boardByte},
    {"status", "status BOARD 0..255", &ScenarioRunner::boardByte},
    {"settings", "settings BOARD a2 a3 a4 a5 a6 a7", &ScenarioRunner::settings},
    {"deny", "deny needs a device", &ScenarioRunner::access},
    {"allow", "allow needs a device", &ScenarioRunner::access},
    {"notifications", "notifications on|off", &ScenarioRunner::notifications},
    {"replies", "replies BOARD \"HEX\"...", &ScenarioRunner::replies},
    {"fail", "fail DEVICE OPERATION [N]", &ScenarioRunner::fail},
};

// starts-with, ends-with, contains and enabled take exactly one word to compare with; given
// any other number, they say the check is unknown.
const ScenarioRunner::Check ScenarioRunner::CHECKS[] = {
    {"received", "expect received DEVICE ...", Needs::Nothing, &ScenarioRunner::expectReceived},
    {"feature-reads", "expect feature-reads DEVICE ...", Needs::Nothing,
     &ScenarioRunner::expectFeatureReads},
    {"platform-calls", "expect platform-calls N", Needs::Nothing,
     &ScenarioRunner::expectPlatformCalls},
    {"handles", "", Needs::Nothing, &ScenarioRunner::expectHandles},
    {"interval", "expect interval VALUE", Needs::Window, &ScenarioRunner::expectInterval},
    {"timer", "expect timer VALUE", Needs::Window, &ScenarioRunner::expectTimer},
    {"connected", "expect connected VALUE", Needs::Window, &ScenarioRunner::expectConnected},
    {"notice", "expect notice \"TEXT\"|none", Needs::Window, &ScenarioRunner::expectNotice},
    {"seen", "inputs are numbered 1 to 32", Needs::Window, &ScenarioRunner::expectFindings},
    {"chattered", "inputs are numbered 1 to 32", Needs::Window, &ScenarioRunner::expectFindings},
    {"presses", "expect presses BUTTON N", Needs::Window, &ScenarioRunner::expectPresses},
    {"lamps-on", "lamps are numbered 1 to 32", Needs::Window, &ScenarioRunner::expectLampsOn},
    {"repainted", "lamps are numbered 1 to 32", Needs::Window, &ScenarioRunner::expectRepainted},
    {"text", "", Needs::Control, &ScenarioRunner::expectText},
    {"starts-with", "unknown check starts-with", Needs::Control, &ScenarioRunner::expectStartsWith},
    {"ends-with", "unknown check ends-with", Needs::Control, &ScenarioRunner::expectEndsWith},
    {"contains", "unknown check contains", Needs::Control, &ScenarioRunner::expectContains},
    {"enabled", "unknown check enabled", Needs::Control, &ScenarioRunner::expectEnabled},
    {"items", "", Needs::Control, &ScenarioRunner::expectItems},
};

std::string ScenarioRunner::step(const ScenarioLine &line)
{
    const Step *verb = Find(STEPS, line.words[0]);
    return verb ? (this->*verb->run)(line, verb->usage) : "unknown step " + line.words[0];
}

std::string ScenarioRunner::check(const ScenarioLine &line, Verdict &verdict)
{
    const Words &w = line.words;
    if (w.size() < 2)
        return "expect WHAT ...";
    const Check *verb = Find(CHECKS, w[1]);
    if (verb && verb->needs == Needs::Nothing)
        return (this->*verb->run)({w, verb->usage}, verdict);
    if (!window_)
        return "the window has not been started";
    if (verb && verb->needs == Needs::Window)
        return (this->*verb->run)({w, verb->usage}, verdict);
    // Any other word is taken for a check of a control, and is unknown only once that is found.
    if (w.size() < 3)
        return "expect " + w[1] + " CONTROL ...";
    std::string error;
    QWidget *widget = control(w[2], error);
    if (!widget)
        return error;
    if (!verb)
        return "unknown check " + w[1];
    return (this->*verb->run)({w, verb->usage, widget}, verdict);
}

int ScenarioRunner::device(const Words &w, std::size_t at, std::size_t words, const char *usage,
                           std::string &error) const
{
    if (w.size() < words) {
        error = usage;
        return -1;
    }
    return device(w[at], error);
}

sim::BoardModel *ScenarioRunner::board(const Words &w, std::size_t words, const char *usage,
                                       std::string &error)
{
    const int id = device(w, 1, words, usage, error);
    sim::BoardModel *found = id < 0 ? nullptr : platform_.board(id);
    if (id >= 0 && !found)
        error = usage;
    return found;
}

std::string ScenarioRunner::plug(const ScenarioLine &line, const char *usage)
{
    std::string error;
    const int id = device(line.words, 1, 2, usage, error);
    if (id < 0)
        return error;
    line.words[0] == "unplug" ? platform_.unplug(id) : platform_.plug(id);
    return {};
}

std::string ScenarioRunner::start(const ScenarioLine &, const char *)
{
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

std::string ScenarioRunner::pressOrRelease(const ScenarioLine &line, const char *usage)
{
    const Words &w = line.words;
    std::string error;
    const int id = device(w, 1, 2, usage, error);
    if (id < 0)
        return error;
    sim::BoardModel *target = platform_.board(id);
    if (!target)
        return w[1] + " is not a board";
    std::set<int> numbers;
    if (!ParseLampNumbers(w, 2, numbers))
        return "buttons are numbered 1 to 32";
    std::uint32_t state = target->buttons();
    for (int n : numbers) {
        const std::uint32_t bit = 1u << (n - 1);
        state = w[0] == "press" ? (state | bit) : (state & ~bit);
    }
    target->setButtons(state);
    platform_.deliverInputReports();
    return {};
}

std::string ScenarioRunner::buttons(const ScenarioLine &line, const char *usage)
{
    std::string error;
    sim::BoardModel *target = board(line.words, 3, usage, error);
    if (!target)
        return error;
    const auto value = ParseNumber(line.words[2]);
    if (!value)
        return usage;
    target->setButtons(static_cast<std::uint32_t>(*value));
    platform_.deliverInputReports();
    return {};
}

std::string ScenarioRunner::wait(const ScenarioLine &line, const char *usage)
{
    const Words &w = line.words;
    const auto ms = w.size() == 2 ? ParseNumber(w[1]) : std::nullopt;
    if (!ms || *ms < 0)
        return usage;
    advance(static_cast<std::uint64_t>(*ms));
    return {};
}

std::string ScenarioRunner::tick(const ScenarioLine &line, const char *usage)
{
    if (!window_ || closed_)
        return "no window to tick";
    const Words &w = line.words;
    const auto count = w.size() >= 2 ? ParseNumber(w[1]) : std::optional<long long>(1);
    if (!count || *count < 0)
        return usage;
    const std::size_t callsBefore = platform_.calls().size();
    for (long long i = 0; i < *count; ++i) {
        advance(static_cast<std::uint64_t>(timer_->interval()));
        if (timer_->isEnabled())
            window_->PollInputReport();
    }
    lastTickCalls_ = platform_.calls().size() - callsBefore;
    return {};
}

std::string ScenarioRunner::pick(const ScenarioLine &line, const char *usage)
{
    const Words &w = line.words;
    if (w.size() < 3)
        return usage;
    std::string error;
    QWidget *list = control(w[1], error);
    if (!list)
        return error;
    if (!app::PickListItem(list, ScriptText(w[2])))
        return "cannot pick \"" + w[2] + "\" in " + w[1] + " (no such item, or disabled)";
    return {};
}

std::string ScenarioRunner::click(const ScenarioLine &line, const char *usage)
{
    const Words &w = line.words;
    std::string error;
    QWidget *widget = w.size() >= 2 ? control(w[1], error) : nullptr;
    auto *button = qobject_cast<QAbstractButton *>(widget);
    if (!button)
        return error.empty() ? usage : error;
    if (!button->isEnabled())
        return w[1] + " is disabled";
    button->click();
    return {};
}

std::string ScenarioRunner::close(const ScenarioLine &, const char *)
{
    if (!window_ || closed_)
        return "no window to close";
    window_->close();
    closed_ = true;
    return {};
}

std::string ScenarioRunner::boardByte(const ScenarioLine &line, const char *usage)
{
    const Words &w = line.words;
    std::string error;
    sim::BoardModel *target = board(w, 3, usage, error);
    if (!target)
        return error;
    const auto value = ParseNumber(w[2]);
    if (!value || *value < 0 || *value > 255)
        return usage;
    const auto byte = static_cast<std::uint8_t>(*value);
    w[0] == "selftest" ? target->setSelfTestResult(byte) : target->setReplyStatus(byte);
    return {};
}

std::string ScenarioRunner::settings(const ScenarioLine &line, const char *usage)
{
    const Words &w = line.words;
    if (w.size() != 8)
        return usage;
    std::string error;
    sim::BoardModel *target = board(w, 2, usage, error);
    if (!target)
        return error;
    sim::BoardSettings held;
    for (std::size_t i = 0; i < 6; ++i) {
        const auto value = ParseNumber(w[2 + i]);
        if (!value || *value < 0 || *value > 255)
            return "settings are bytes";
        held.arguments[i] = static_cast<std::uint8_t>(*value);
    }
    target->setSettings(held);
    return {};
}

std::string ScenarioRunner::access(const ScenarioLine &line, const char *usage)
{
    std::string error;
    const int id = device(line.words, 1, 2, usage, error);
    if (id < 0)
        return error;
    platform_.setOpenable(id, line.words[0] == "allow");
    return {};
}

std::string ScenarioRunner::notifications(const ScenarioLine &line, const char *usage)
{
    const Words &w = line.words;
    if (w.size() != 2 || (w[1] != "on" && w[1] != "off"))
        return usage;
    platform_.setNotifications(w[1] == "on");
    return {};
}

std::string ScenarioRunner::replies(const ScenarioLine &line, const char *usage)
{
    const Words &w = line.words;
    std::string error;
    sim::BoardModel *target = board(w, 3, usage, error);
    if (!target)
        return error;
    std::vector<std::vector<std::uint8_t>> scripted;
    for (std::size_t i = 2; i < w.size(); ++i) {
        std::vector<std::uint8_t> bytes;
        if (!device::ParseHexText(w[i], bytes, error))
            return "bad reply \"" + w[i] + "\": " + error;
        scripted.push_back(std::move(bytes));
    }
    target->scriptFeatureReplies(std::move(scripted));
    return {};
}

std::string ScenarioRunner::fail(const ScenarioLine &line, const char *usage)
{
    const Words &w = line.words;
    std::string error;
    const int id = device(w, 1, 3, usage, error);
    if (id < 0)
        return error;
    const auto count = w.size() >= 4 ? ParseNumber(w[3]) : std::optional<long long>(1);
    if (!count)
        return usage;
    // An operation that reaches no single device, or a misspelt one, is refused, never ignored.
    try {
        platform_.failNext(w[2], static_cast<int>(*count), id);
    } catch (const std::invalid_argument &refused) {
        return refused.what();
    }
    return {};
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

std::string ScenarioRunner::compare(const CheckCall &call, std::size_t words, std::string got,
                                    Verdict &verdict)
{
    if (call.w.size() != words)
        return call.usage;
    verdict.got = std::move(got);
    verdict.ok = verdict.got == call.w.back();
    return {};
}

std::string ScenarioRunner::expectReceived(const CheckCall &call, Verdict &verdict)
{
    std::string error;
    const int id = device(call.w, 2, 3, call.usage, error);
    if (id < 0)
        return error;
    verdict.got = receivedSinceLastCheck(id);
    verdict.ok = verdict.got == Joined(call.w, 3);
    return {};
}

std::string ScenarioRunner::expectFeatureReads(const CheckCall &call, Verdict &verdict)
{
    std::string error;
    const int id = device(call.w, 2, 3, call.usage, error);
    if (id < 0)
        return error;
    const int reads = platform_.countCalls("HidD_GetFeature", id);
    verdict.got = std::to_string(reads - featureReadsSeen_[id]);
    featureReadsSeen_[id] = reads;
    verdict.ok = call.w.size() == 4 && verdict.got == call.w[3];
    return {};
}

std::string ScenarioRunner::expectPlatformCalls(const CheckCall &call, Verdict &verdict)
{
    return compare(call, 3, std::to_string(lastTickCalls_), verdict);
}

std::string ScenarioRunner::expectHandles(const CheckCall &call, Verdict &verdict)
{
    std::string error;
    int id = -1;
    if (call.w.size() == 4 && (id = device(call.w[2], error)) < 0)
        return error;
    verdict.got =
        std::to_string(id < 0 ? platform_.openFileHandles() : platform_.openFileHandles(id));
    verdict.ok = verdict.got == call.w.back();
    return {};
}

std::string ScenarioRunner::expectInterval(const CheckCall &call, Verdict &verdict)
{
    return compare(call, 3, std::to_string(timer_->interval()), verdict);
}

std::string ScenarioRunner::expectTimer(const CheckCall &call, Verdict &verdict)
{
    return compare(call, 3, timer_->isEnabled() ? "on" : "off", verdict);
}

std::string ScenarioRunner::expectConnected(const CheckCall &call, Verdict &verdict)
{
    return compare(call, 3, window_->connection().DeviceFound ? "yes" : "no", verdict);
}

std::string ScenarioRunner::expectNotice(const CheckCall &call, Verdict &verdict)
{
    const Words &w = call.w;
    // Part of the notice, or none; an empty part would match any notice.
    if (w.size() != 3 || w[2].empty())
        return call.usage;
    verdict.got = window_->accessNotice().toStdString();
    verdict.ok = w[2] == "none" ? verdict.got.empty() : verdict.got.find(w[2]) != std::string::npos;
    if (verdict.got.empty())
        verdict.got = "none";
    return {};
}

std::string ScenarioRunner::expectPresses(const CheckCall &call, Verdict &verdict)
{
    const Words &w = call.w;
    const config::ButtonTest *test = window_->buttonTest();
    if (!test)
        return NO_BUTTON_TEST;
    const auto button = w.size() == 4 ? ParseNumber(w[2]) : std::nullopt;
    if (!button || *button < 1 || *button > app::BUTTON_COUNT)
        return call.usage;
    verdict.got = std::to_string(test->input(static_cast<int>(*button)).presses);
    verdict.ok = verdict.got == w[3];
    return {};
}

std::string ScenarioRunner::expectFindings(const CheckCall &call, Verdict &verdict)
{
    if (!window_->buttonTest())
        return NO_BUTTON_TEST;
    std::set<int> wanted;
    if (!WantedLamps(call.w, wanted))
        return call.usage;
    // What the lamps show: a released lamp in the second colour, and what a screen reader
    // hears of it.
    const bool seen = call.w[1] == "seen";
    std::set<int> shown;
    for (int k = 0; k < window_->lampCount(); ++k) {
        const QString &finding = window_->lamp(k)->testFinding();
        if (seen ? finding.startsWith("seen") : finding.contains("chattered"))
            shown.insert(k + 1);
    }
    verdict.got = LampList(shown);
    verdict.ok = verdict.got == LampList(wanted);
    return {};
}

bool ScenarioRunner::lampAgreesWithLabel(int lamp) const
{
    const std::uint32_t fill = window_->lamp(lamp)->fillColourValue();
    const bool on = fill == app::INDICATOR_ON_COLOUR;
    // In the button test a released lamp may show what the test found.
    const bool offColour =
        fill == app::INDICATOR_OFF_COLOUR
        || (window_->buttonTestRunning()
            && (fill == app::INDICATOR_SEEN_COLOUR || fill == app::INDICATOR_CHATTER_COLOUR));
    const std::uint32_t label = window_->buttonLabelColourValue(lamp);
    return label == (on ? app::LABEL_ON_COLOUR : app::LABEL_OFF_COLOUR) && (on || offColour);
}

std::string ScenarioRunner::expectLampsOn(const CheckCall &call, Verdict &verdict)
{
    std::set<int> wanted;
    if (!WantedLamps(call.w, wanted))
        return call.usage;
    std::set<int> on;
    bool mixed = false;
    for (int k = 0; k < window_->lampCount(); ++k) {
        if (window_->lamp(k)->fillColourValue() == app::INDICATOR_ON_COLOUR)
            on.insert(k + 1);
        mixed = mixed || !lampAgreesWithLabel(k);
    }
    verdict.got = LampList(on) + (mixed ? " (a lamp and its label disagree)" : "");
    verdict.ok = !mixed && on == wanted;
    return {};
}

std::string ScenarioRunner::expectRepainted(const CheckCall &call, Verdict &verdict)
{
    std::set<int> wanted;
    if (!WantedLamps(call.w, wanted))
        return call.usage;
    verdict.got = repaintedSinceLastCheck();
    verdict.ok = verdict.got == LampList(wanted);
    return {};
}

std::string ScenarioRunner::expectText(const CheckCall &call, Verdict &verdict)
{
    verdict.got = Shown(call.control);
    verdict.ok = call.w.size() == 4 ? verdict.got == call.w[3] : verdict.got.empty();
    return {};
}

std::string ScenarioRunner::expectStartsWith(const CheckCall &call, Verdict &verdict)
{
    if (call.w.size() != 4)
        return call.usage;
    verdict.got = Shown(call.control).substr(0, call.w[3].size());
    verdict.ok = verdict.got == call.w[3];
    return {};
}

std::string ScenarioRunner::expectEndsWith(const CheckCall &call, Verdict &verdict)
{
    if (call.w.size() != 4)
        return call.usage;
    const std::string shown = Shown(call.control);
    verdict.got = shown.substr(shown.size() - std::min(shown.size(), call.w[3].size()));
    verdict.ok = verdict.got == call.w[3];
    return {};
}

std::string ScenarioRunner::expectContains(const CheckCall &call, Verdict &verdict)
{
    if (call.w.size() != 4)
        return call.usage;
    verdict.got = Shown(call.control);
    verdict.ok = verdict.got.find(call.w[3]) != std::string::npos;
    return {};
}

std::string ScenarioRunner::expectEnabled(const CheckCall &call, Verdict &verdict)
{
    return compare(call, 4, call.control->isEnabled() ? "yes" : "no", verdict);
}

std::string ScenarioRunner::expectItems(const CheckCall &call, Verdict &verdict)
{
    const Words &w = call.w;
    auto *list = qobject_cast<QComboBox *>(call.control);
    if (!list)
        return w[2] + " is not a list";
    std::vector<std::string> items;
    for (int i = 0; i < list->count(); ++i)
        items.push_back(list->itemText(i).toStdString());
    verdict.got = items.empty() ? "none" : Joined(items, 0);
    verdict.ok = verdict.got == (w.size() == 4 && w[3] == "none" ? "none" : Joined(w, 3));
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

} // namespace tamo::scenario
