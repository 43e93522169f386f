// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_identity.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> RuleLines()
{
    std::ifstream file(TAMO_UDEV_RULE);
    EXPECT_TRUE(file) << TAMO_UDEV_RULE;
    std::vector<std::string> rules;
    for (std::string line; std::getline(file, line);)
        if (!line.empty() && line[0] != '#')
            rules.push_back(line);
    return rules;
}

std::string Hex4(std::uint16_t value, const char *format)
{
    char text[8];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

TEST(UdevRule, GrantsSeatAccessToTheVendorsDevicesOnly)
{
    const std::string lower = Hex4(tamo::device::VENDOR_ID, "%04x");
    const std::string upper = Hex4(tamo::device::VENDOR_ID, "%04X");
    const auto rules = RuleLines();
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_EQ(rules[0],
              "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"" + lower + "\", TAG+=\"uaccess\"");
    EXPECT_EQ(rules[1], "SUBSYSTEM==\"hidraw\", KERNELS==\"*:" + upper + ":*\", TAG+=\"uaccess\"");
    EXPECT_EQ(rules[2], "SUBSYSTEM==\"usb\", ATTR{idVendor}==\"" + lower + "\", TAG+=\"uaccess\"");
    for (const auto &rule : rules) {
        EXPECT_EQ(rule.find("MODE"), std::string::npos) << rule;
        EXPECT_EQ(rule.find("0666"), std::string::npos) << rule;
    }
}
