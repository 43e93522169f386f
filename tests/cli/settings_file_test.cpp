// SPDX-License-Identifier: GPL-3.0-or-later
// tamo save and tamo load: settings kept in a file and put on another board; a file is checked
// whole before anything is sent.
#include "cli_fixture.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tamo::test {

namespace {

std::string TempFileText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

class SettingsFile : public CliTest {
protected:
    int source = -1;
    int target = -1;
    TempFile file{"board.json"};

    void SetUp() override
    {
        source = AddBoard(u"SRC");
        target = AddBoard(u"DST");
        Hold(source, {0x81, 0x02, 0x01, 0x03, 25, 3});
    }

    // A good file with one line replaced.
    std::string Edited(const std::string &from, const std::string &to)
    {
        EXPECT_EQ(Run({"save", file.path(), "SRC"}), cli::EXIT_OK);
        std::string text = file.read();
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    }
    // Loading text fails with status, the message holds expected, and nothing is sent.
    void ExpectRefused(const std::string &text, const std::string &expected,
                       int status = cli::EXIT_USAGE)
    {
        file.write(text);
        platform.clearCalls();
        EXPECT_EQ(Run({"load", file.path(), "DST"}), status) << text;
        EXPECT_TRUE(Contains(err.str(), expected)) << text;
        EXPECT_TRUE(Contains(err.str(), "nothing was sent"));
        EXPECT_EQ(platform.countCalls("CreateFileA"), 0);
        EXPECT_TRUE(Received(target).empty());
    }
};

TEST_F(SettingsFile, SavedOnOneBoardAndLoadedOnAnotherTheyHoldTheSame)
{
    ASSERT_EQ(Run({"save", file.path(), "SRC"}), cli::EXIT_OK) << err.str();
    const auto json = nlohmann::json::parse(file.read());
    EXPECT_EQ(json["format"], "tamo-settings");
    EXPECT_EQ(json["version"], 1);
    EXPECT_EQ(json["board"]["serial_number"], "SRC");
    EXPECT_EQ(json["board"]["product"], "Tamo micro 32");
    EXPECT_EQ(json["encoders"]["B1+B2"], "1:4");
    EXPECT_EQ(json["encoders"]["B15+B16"], "1:1");
    EXPECT_EQ(json["encoders"]["B17+B18"], "1:2");
    EXPECT_EQ(json["encoders"]["B19+B20"], "1:4");
    EXPECT_EQ(json["pulse_length"], "200 ms");
    EXPECT_EQ(json["a_input"], "Rotary Switch, Latched");

    ASSERT_EQ(Run({"load", file.path(), "DST"}), cli::EXIT_OK) << err.str();
    EXPECT_EQ(Model(target).settings(), Model(source).settings());
    // All six command reports, each group's low report first.
    const auto received = Received(target);
    ASSERT_EQ(received.size(), 6u);
    EXPECT_EQ(received[0].substr(0, 11), "00 EE 02 81");
    EXPECT_EQ(received[1].substr(0, 11), "00 EE 04 01");
    EXPECT_EQ(received[2].substr(0, 11), "00 EE 03 02");
    EXPECT_EQ(received[3].substr(0, 11), "00 EE 05 03");
    EXPECT_EQ(received[4].substr(0, 11), "00 EE 06 19");
    EXPECT_EQ(received[5].substr(0, 11), "00 EE 07 03");
    EXPECT_TRUE(Contains(out.str(), "(saved from SRC)"));
}

TEST_F(SettingsFile, DryRunPrintsTheReportsAtTheBoardsLengthAndSendsNothing)
{
    ASSERT_EQ(Run({"save", file.path(), "SRC"}), cli::EXIT_OK);
    EXPECT_EQ(Run({"load", "--dry-run", file.path(), "DST"}), cli::EXIT_OK);
    const std::string text = out.str();
    EXPECT_TRUE(Contains(text, "would send to DST:\n00 EE 02 81 00 00 00 00 00 00 00 00 00 00 "
                               "00 00 00\n"));
    EXPECT_TRUE(Contains(text, "00 EE 07 03 00"));
    EXPECT_TRUE(Received(target).empty());

    // Without any board, the reports as far as the file decides them.
    platform.unplug(source);
    platform.unplug(target);
    EXPECT_EQ(Run({"load", "--dry-run", file.path()}), cli::EXIT_OK);
    EXPECT_TRUE(Contains(out.str(), "00 EE 06 19\n"));
}

TEST_F(SettingsFile, SaveToStandardOutputAndLoadFromStandardInput)
{
    ASSERT_EQ(Run({"save", "-", "SRC"}), cli::EXIT_OK);
    in.str(out.str());
    EXPECT_EQ(Run({"load", "-", "DST"}), cli::EXIT_OK) << err.str();
    EXPECT_EQ(Model(target).settings(), Model(source).settings());
}

TEST_F(SettingsFile, AFaultyFileIsRefusedWholeNamingTheLineAndKey)
{
    const std::string name = file.path();
    ExpectRefused(Edited("\"pulse_length\": \"200 ms\"", "\"pulse_length\": \"12 ms\""),
                  name + ":22: key \"pulse_length\": \"12 ms\" is not a pulse length");
    ExpectRefused(Edited("\"B5+B6\": \"off\"", "\"B5+B6\": \"1:3\""),
                  name + ":13: key \"encoders.B5+B6\": \"1:3\" is not an encoder mode");
    ExpectRefused(Edited("\"B5+B6\": \"off\"", "\"B5+B7\": \"off\""),
                  name + ":13: unknown key \"encoders.B5+B7\"");
    ExpectRefused(Edited("\"B5+B6\": \"off\",", ""), name + ":10: missing key \"encoders.B5+B6\"");
    ExpectRefused(Edited("\"a_input\"", "\"a_inputs\""), name + ":23: unknown key \"a_inputs\"");
    ExpectRefused(Edited("\"product\"", "\"colour\""), name + ":7: unknown key \"board.colour\"");
    ExpectRefused(Edited("\"version\": 1", "\"version\": 2"),
                  name + ":3: format version 2 is newer than this tamo reads (1)");
    ExpectRefused(Edited("\"a_input\": \"Rotary Switch, Latched\"", "\"a_input\": 3"),
                  name + ":23: key \"a_input\": 3 is not a text");
}

// Files a careless or hostile hand makes: each refused whole, naming the line, nothing sent,
// and nothing of the file reaches the terminal raw.
TEST_F(SettingsFile, HostileFilesAreRefusedNeverACrash)
{
    const std::string name = file.path();
    const std::string good = Edited("", "");
    const std::vector<std::pair<std::string, std::string>> bad{
        {Edited("\"version\": 1", "\"version\": 1e400"), ":3: not a tamo settings file: not JSON "
                                                         "(number overflow parsing '1e400')"},
        {"{\"format\": " + std::string(300000, '[') + std::string(300000, ']') + "}",
         ":1: not a tamo settings file: nested deeper than 16 levels"},
        {good + std::string("\0junk", 5), ":25: not a tamo settings file: a NUL byte"},
        {good + "{}", ":25: not a tamo settings file: not JSON"},
        {Edited("\"version\": 1,", "\"version\": 2,\n  \"version\": 1,"),
         ":4: key \"version\" is given twice"},
        {Edited("\"a_input\"", "\"pulse_l\\u0065ngth\": \"8 ms\",\n  \"a_input\""),
         ":23: key \"pulse_length\" is given twice"},
        {Edited("\"B5+B6\": \"off\"", "\"B5+B6\": \"of\xC3\""),
         ":13: not a tamo settings file: not UTF-8 text (byte 0xC3)"},
        {Edited("\"a_input\"", "\"a_\\u001b[2Jinput\""), ":23: unknown key \"a_\\x1B[2Jinput\""},
        // C1 CSI, in a value too long to be shown whole.
        {Edited("\"200 ms\"", "\"\xC2\x9B" + std::string(100, 'x') + "\""),
         ":22: key \"pulse_length\": \"\\x9Bxxx"},
    };
    for (const auto &[text, expected] : bad) {
        ExpectRefused(text, name + expected);
        EXPECT_FALSE(Contains(err.str(), "\x1b")) << text.substr(0, 200);
        EXPECT_FALSE(Contains(err.str(), "\xC2\x9B")) << text.substr(0, 200);
        EXPECT_LT(err.str().size(), 400u);
    }
}

TEST_F(SettingsFile, AFileThatIsNotOursIsRefused)
{
    ExpectRefused("{\"name\": \"something else\"}\n", "not a tamo settings file");
    ExpectRefused("[1, 2, 3]\n", "not a tamo settings file");
    ExpectRefused("{\n  \"format\": \"tamo-settings\",\n  \"version\": 1,\n  oops\n}\n",
                  file.path() + ":4: not a tamo settings file: not JSON");
    ExpectRefused(std::string("\x89PNG\r\n\x1a\n", 8), "not UTF-8 text (byte 0x89)");

    platform.clearCalls();
    EXPECT_EQ(Run({"load", file.path() + ".missing", "DST"}), cli::EXIT_USAGE);
    EXPECT_TRUE(Contains(err.str(), ".missing: No such file or directory"));
    EXPECT_EQ(platform.countCalls("CreateFileA"), 0);
}

TEST_F(SettingsFile, SaveRefusesASettingNoListNamesAndWritesNothing)
{
    file.write("previous");
    // Pulse length bytes 0 and 40, "A" input mode 9: the window would show another item.
    const std::vector<std::pair<std::array<std::uint8_t, 6>, std::string>> unnamed{
        {{0, 0, 0, 0, 0, 0}, "holds pulse length byte 0, which no list item names"},
        {{0, 0, 0, 0, 40, 0}, "holds pulse length byte 40, which no list item names"},
        {{0, 0, 0, 0, 6, 9}, "holds \"A\" input mode byte 9, which no list item names"},
    };
    for (const auto &[held, expected] : unnamed) {
        Hold(source, held);
        EXPECT_EQ(Run({"save", file.path(), "SRC"}), cli::EXIT_FAILED);
        EXPECT_TRUE(Contains(err.str(), expected));
        EXPECT_EQ(file.read(), "previous");
    }
}

// Save replaces a file in one step and is kind to what was there (links and modes: in
// save_posix_test.cpp).
TEST_F(SettingsFile, SaveLeavesTheUsersFilesAsTheyWereAndRefusesAWriteProtectedOne)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(file.path()).parent_path();
    const std::string own = file.path() + ".tmp";
    std::ofstream(own) << "mine";
    file.write("old");
    ASSERT_EQ(Run({"save", file.path(), "SRC"}), cli::EXIT_OK) << err.str();
    EXPECT_TRUE(Contains(file.read(), "\"pulse_length\": \"200 ms\""));
    EXPECT_EQ(TempFileText(own), "mine");
    // Nothing left beside it: the file, the user's own and nothing else.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);

    // Refused, though root (or an administrator) could replace it.
    file.write("protected");
    fs::permissions(file.path(), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(Run({"save", file.path(), "SRC"}), cli::EXIT_FAILED);
    EXPECT_TRUE(Contains(err.str(), file.path() + ": write-protected ("));
    EXPECT_EQ(file.read(), "protected");
    fs::permissions(file.path(), fs::perms::owner_write, fs::perm_options::add);

    // The error names what the user typed, not a file of ours.
    const std::string missing = (folder / "no" / "such" / "gold.json").string();
    EXPECT_EQ(Run({"save", missing, "SRC"}), cli::EXIT_FAILED);
    EXPECT_TRUE(Contains(err.str(), "tamo save: " + missing + ": cannot write in its folder"));
    EXPECT_FALSE(Contains(err.str(), ".tmp"));
}

} // namespace tamo::test
