// SPDX-License-Identifier: GPL-3.0-or-later
// tamo save on a POSIX system: a symbolic link is followed and the target's mode kept, as
// rename over it alone would not.
#include "cli_fixture.h"

#include <filesystem>

#include <sys/stat.h>

namespace tamo::test {

class SavePosix : public CliTest {
protected:
    TempFile file{"board.json"};
    void SetUp() override { Hold(AddBoard(u"SRC"), {0x81, 0x02, 0x01, 0x03, 25, 3}); }
};

TEST_F(SavePosix, FollowsALinkAndKeepsTheModeANewFileGetsTheUmasks)
{
    namespace fs = std::filesystem;
    const mode_t mask = ::umask(022);
    ASSERT_EQ(Run({"save", file.path()}), cli::EXIT_OK) << err.str();
    EXPECT_EQ(fs::status(file.path()).permissions(), fs::perms(0644));

    fs::permissions(file.path(), fs::perms(0640));
    const fs::path link = fs::path(file.path()).parent_path() / "link.json";
    fs::create_symlink("board.json", link);
    file.write("old");
    ASSERT_EQ(Run({"save", link.string()}), cli::EXIT_OK) << err.str();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(Contains(file.read(), "\"pulse_length\": \"200 ms\""));
    EXPECT_EQ(fs::status(file.path()).permissions(), fs::perms(0640));
    ::umask(mask);
}

} // namespace tamo::test
