// SPDX-License-Identifier: GPL-3.0-or-later
// A started window with virtual boards attached, and the feature reports they received.
#pragma once

#include "report_hex.h"
#include "window_fixture.h"

#include <string>
#include <vector>

namespace tamo::test {

class BoardWindow : public WindowFixture {
protected:
    int addBoard(std::u16string serial)
    {
        return platform.addDevice(sim::FamilyBoard(std::move(serial)));
    }
    // Reports the board received since the last call, as hex: "00 EE 06 02 ...".
    std::vector<std::string> received(int board)
    {
        std::vector<std::string> out;
        for (const auto &report : platform.featureReportsReceived(board))
            out.push_back(sim::ReportHex(report));
        platform.clearFeatureReportsReceived(board);
        return out;
    }
    // Only the command code and argument of each report.
    std::vector<std::pair<int, int>> commands(int board)
    {
        std::vector<std::pair<int, int>> out;
        for (const auto &report : platform.featureReportsReceived(board))
            out.emplace_back(report.size() > 2 ? report[2] : -1,
                             report.size() > 3 ? report[3] : -1);
        platform.clearFeatureReportsReceived(board);
        return out;
    }
    static std::vector<std::uint8_t> reply(std::initializer_list<std::uint8_t> head)
    {
        std::vector<std::uint8_t> bytes(head);
        bytes.resize(17, 0);
        return bytes;
    }
};

} // namespace tamo::test
