// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_file.h"

#include "device_texts.h"
#include "file_io.h"
#include "json_key_lines.h"
#include "safe_text.h"
#include "setting_names.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <set>

namespace tamo::settings_file {

namespace {

using Json = nlohmann::ordered_json;

// A key or value for a message: a file may hold a megabyte of it.
std::string Brief(std::string text)
{
    constexpr std::size_t shown = 60;
    if (text.size() <= shown)
        return text;
    std::size_t cut = shown;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut) + "...";
}

// Collects the first fault with its line; later checks do nothing once one is found.
class Checker {
public:
    Checker(std::map<std::string, int> lines, std::string_view name)
        : lines_(std::move(lines))
        , name_(name)
    {}

    bool ok() const { return error_.empty(); }
    const std::string &error() const { return error_; }

    void fail(const std::string &path, const std::string &message)
    {
        if (!ok())
            return;
        error_ = name_;
        if (const auto line = lines_.find(path); line != lines_.end())
            error_ += ":" + std::to_string(line->second);
        error_ += ": " + message;
    }

    // Keys of object at path that are not in known.
    void onlyKnown(const Json &object, const std::string &path, const std::set<std::string> &known)
    {
        for (const auto &[key, value] : object.items())
            if (!known.contains(key))
                fail(path + "/" + key, "unknown key \"" + KeyPath(path, key) + "\"");
    }

    const std::string *string(const Json &object, const std::string &path, const std::string &key)
    {
        const auto found = object.find(key);
        if (found == object.end()) {
            fail(path, "missing key \"" + KeyPath(path, key) + "\"");
            return nullptr;
        }
        if (!found->is_string()) {
            fail(path + "/" + key,
                 "key \"" + KeyPath(path, key) + "\": " + Brief(found->dump()) + " is not a text");
            return nullptr;
        }
        return found->get_ptr<const std::string *>();
    }

    static std::string KeyPath(const std::string &path, const std::string &key)
    {
        return (path.empty() ? "" : path.substr(1) + ".") + Brief(key);
    }

private:
    std::map<std::string, int> lines_;
    std::string name_;
    std::string error_;
};

std::string ParseMessage(const std::string &what)
{
    // "[json.exception.parse_error.101] parse error at line 3, column 5: ..." without the tag.
    const std::size_t tag = what.find("] ");
    return tag == what.npos ? what : what.substr(tag + 2);
}

// Parses without building anything, only to learn where the text stops being JSON: the parser
// gives the position of every fault here, where its exceptions keep it only for syntax errors
// (a number out of range, "1e400", has none).
class FirstFault : public nlohmann::json_sax<Json> {
public:
    std::size_t position = 0;
    std::string message;

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t &) override { return true; }
    bool string(string_t &) override { return true; }
    bool binary(binary_t &) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t &) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t at, const std::string &,
                     const nlohmann::json::exception &e) override
    {
        position = at;
        message = ParseMessage(e.what());
        return false;
    }
};

std::optional<SettingsFile> CheckSettingsText(std::string_view text, std::string_view name,
                                              std::string &error);

} // namespace

SourceBoard SourceBoardOf(const device::SerialNumber &serial, const config::BoardIdentity &identity)
{
    SourceBoard source;
    source.serialNumber = config::Latin1ToUtf8(serial);
    if (identity.manufacturer) {
        source.manufacturer = config::Latin1ToUtf8(config::LabelValue(*identity.manufacturer));
        source.version = config::LabelValue(identity.version);
    }
    if (identity.product)
        source.product = config::Latin1ToUtf8(config::LabelValue(*identity.product));
    return source;
}

std::vector<std::string> SourceDifferences(const SourceBoard &file, const SourceBoard &board)
{
    std::vector<std::string> out;
    const auto compare = [&](const char *what, const std::optional<std::string> &saved,
                             const std::optional<std::string> &here) {
        if (saved && here && *saved != *here)
            out.push_back(std::string(what) + " " + config::Escaped(Brief(*saved))
                          + " (this board: " + config::Escaped(Brief(*here)) + ")");
    };
    compare("serial number", file.serialNumber, board.serialNumber);
    compare("product", file.product, board.product);
    compare("version", file.version, board.version);
    return out;
}

std::string WriteSettingsText(const SettingsFile &file)
{
    Json json;
    json["format"] = SETTINGS_FORMAT;
    json["version"] = SETTINGS_FORMAT_VERSION;
    Json board = Json::object();
    const auto put = [&board](const char *key, const std::optional<std::string> &value) {
        if (value)
            board[key] = *value;
    };
    put("serial_number", file.source.serialNumber);
    put("manufacturer", file.source.manufacturer);
    put("product", file.source.product);
    put("version", file.source.version);
    json["board"] = board;
    Json encoders = Json::object();
    for (int pair = 1; pair <= config::PAIR_COUNT; ++pair)
        encoders[config::PairName(pair)] = config::EncoderModeName(
            file.settings.encoderModes[static_cast<std::size_t>(pair - 1)].value_or(0));
    json["encoders"] = encoders;
    json["pulse_length"] = config::PulseLengthItems().at(static_cast<std::size_t>(
        file.settings.pulseLengthIndex.value_or(config::PULSE_LENGTH_DEFAULT_INDEX)));
    json["a_input"] = config::AInputModeName(
        static_cast<std::uint8_t>(file.settings.aInputModeIndex.value_or(0)));
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::optional<SettingsFile> ReadSettingsText(std::string_view text, std::string_view name,
                                             std::string &error)
{
    std::optional<SettingsFile> file;
    try {
        file = CheckSettingsText(text, name, error);
    } catch (const std::exception &e) {
        // The checks leave nothing to throw but memory; whatever it is, the file is not sent.
        file.reset();
        error = std::string(name) + ": cannot be read: " + e.what();
    }
    if (!file)
        error = config::Escaped(error);
    return file;
}

std::optional<SettingsFile> ReadSettingsFile(const std::string &name, std::istream &in,
                                             std::string &error)
{
    const auto text = ReadWholeFile(name, in, SETTINGS_FILE_MAX_BYTES, error);
    if (!text) {
        error = config::Escaped(error);
        return std::nullopt;
    }
    return ReadSettingsText(*text, name == "-" ? "standard input" : name, error);
}

namespace {

std::optional<SettingsFile> CheckSettingsText(std::string_view text, std::string_view name,
                                              std::string &error)
{
    const auto at = [&](std::size_t offset) {
        return std::string(name) + ":" + std::to_string(LineOfOffset(text, offset)) + ": ";
    };
    // The parser takes a NUL byte for the end of the text and would never see what follows.
    if (const std::size_t nul = text.find('\0'); nul != text.npos) {
        error =
            at(nul) + "not a tamo settings file: a NUL byte (byte " + std::to_string(nul + 1) + ")";
        return std::nullopt;
    }
    if (const auto bad = config::InvalidUtf8At(text)) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(text[*bad]));
        error = at(*bad) + "not a tamo settings file: not UTF-8 text (byte " + hex + ")";
        return std::nullopt;
    }
    JsonOutline outline = OutlineJson(text, SETTINGS_FILE_MAX_DEPTH);
    if (outline.tooDeep) {
        error = std::string(name) + ":" + std::to_string(*outline.tooDeep)
                + ": not a tamo settings file: nested deeper than "
                + std::to_string(SETTINGS_FILE_MAX_DEPTH) + " levels";
        return std::nullopt;
    }
    FirstFault fault;
    if (!Json::sax_parse(text.begin(), text.end(), &fault)) {
        error = at(fault.position) + "not a tamo settings file: not JSON (" + fault.message + ")";
        return std::nullopt;
    }
    Json json = Json::parse(text.begin(), text.end());
    Checker check(std::move(outline.keyLines), name);
    if (outline.duplicate) {
        const std::string &path = outline.duplicate->first;
        const std::size_t slash = path.rfind('/');
        error = std::string(name) + ":" + std::to_string(outline.duplicate->second) + ": key \""
                + Checker::KeyPath(path.substr(0, slash), path.substr(slash + 1))
                + "\" is given twice";
        return std::nullopt;
    }
    if (!json.is_object() || !json.contains("format") || json["format"] != SETTINGS_FORMAT) {
        check.fail(json.is_object() && json.contains("format") ? "/format" : "",
                   "not a tamo settings file (it has no \"format\": \"tamo-settings\")");
        error = check.error();
        return std::nullopt;
    }
    const auto version = json.find("version");
    if (version == json.end() || !version->is_number_integer() || *version < 1) {
        check.fail(version == json.end() ? "/format" : "/version",
                   version == json.end()
                       ? std::string("missing key \"version\"")
                       : "key \"version\": " + Brief(version->dump()) + " is not a format version");
        error = check.error();
        return std::nullopt;
    }
    if (*version > SETTINGS_FORMAT_VERSION) {
        check.fail("/version",
                   "format version " + Brief(version->dump()) + " is newer than this tamo reads ("
                       + std::to_string(SETTINGS_FORMAT_VERSION) + "): update tamo to load it");
        error = check.error();
        return std::nullopt;
    }
    check.onlyKnown(json, "",
                    {"format", "version", "board", "encoders", "pulse_length", "a_input"});

    SettingsFile file;
    if (const auto board = json.find("board"); board != json.end() && check.ok()) {
        if (!board->is_object()) {
            check.fail("/board", "key \"board\" is not an object");
        } else {
            check.onlyKnown(*board, "/board",
                            {"serial_number", "manufacturer", "product", "version"});
            const auto take = [&](const char *key, std::optional<std::string> &into) {
                if (board->contains(key))
                    if (const std::string *value = check.string(*board, "/board", key))
                        into = *value;
            };
            take("serial_number", file.source.serialNumber);
            take("manufacturer", file.source.manufacturer);
            take("product", file.source.product);
            take("version", file.source.version);
        }
    }

    const auto encoders = json.find("encoders");
    if (encoders == json.end()) {
        check.fail("", "missing key \"encoders\"");
    } else if (!encoders->is_object()) {
        check.fail("/encoders", "key \"encoders\" is not an object");
    } else {
        for (const auto &[key, value] : encoders->items()) {
            const auto pair = config::ParsePairName(key);
            if (!pair) {
                check.fail("/encoders/" + key, "unknown key \"encoders." + Brief(key)
                                                   + "\": input pairs are "
                                                   + config::PairChoices());
                continue;
            }
            auto &slot = file.settings.encoderModes[static_cast<std::size_t>(*pair - 1)];
            if (slot) {
                check.fail("/encoders/" + key, "key \"encoders." + Brief(key) + "\": pair "
                                                   + config::PairName(*pair) + " is given twice");
                continue;
            }
            const std::optional<int> mode = value.is_string()
                                                ? config::ParseEncoderMode(value.get<std::string>())
                                                : std::nullopt;
            if (!mode)
                check.fail("/encoders/" + key,
                           "key \"encoders." + Brief(key) + "\": " + Brief(value.dump())
                               + " is not an encoder mode (" + config::EncoderModeChoices() + ")");
            slot = mode;
        }
        for (int pair = 1; pair <= config::PAIR_COUNT; ++pair)
            if (!file.settings.encoderModes[static_cast<std::size_t>(pair - 1)])
                check.fail("/encoders", "missing key \"encoders." + config::PairName(pair) + "\"");
    }
    if (const std::string *pulse = check.string(json, "", "pulse_length")) {
        file.settings.pulseLengthIndex = config::ParsePulseLength(*pulse);
        if (!file.settings.pulseLengthIndex)
            check.fail("/pulse_length", "key \"pulse_length\": \"" + *pulse
                                            + "\" is not a pulse length ("
                                            + config::PulseLengthChoices() + ")");
    }
    if (const std::string *mode = check.string(json, "", "a_input")) {
        file.settings.aInputModeIndex = config::ParseAInputMode(*mode);
        if (!file.settings.aInputModeIndex)
            check.fail("/a_input", "key \"a_input\": \"" + *mode + "\" is not an \"A\" input mode ("
                                       + config::AInputModeChoices() + ")");
    }
    if (!check.ok()) {
        error = check.error();
        return std::nullopt;
    }
    return file;
}

} // namespace

} // namespace tamo::settings_file
