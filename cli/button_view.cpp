// SPDX-License-Identifier: GPL-3.0-or-later
#include "button_view.h"

#include <cstdio>
#include <ostream>

namespace tamo::cli {

std::vector<std::string> ButtonGrid(const std::string &heading, ButtonState state,
                                    std::optional<double> reportsPerSecond)
{
    std::vector<std::string> lines;
    char rate[48] = "-- reports/s";
    if (reportsPerSecond)
        std::snprintf(rate, sizeof rate, "%.1f reports/s", *reportsPerSecond);
    lines.push_back(heading + "   " + rate + "   (Ctrl-C ends)");
    for (int row = 0; row < 4; ++row) {
        std::string line;
        for (int column = 0; column < 8; ++column) {
            const int button = 8 * row + column + 1;
            char cell[8];
            std::snprintf(cell, sizeof cell, "%2d", button);
            const bool pressed = (state >> (button - 1)) & 1u;
            line += pressed ? std::string("\x1b[7m[") + cell + "]\x1b[0m"
                            : std::string(" ") + cell + " ";
        }
        lines.push_back(line);
    }
    return lines;
}

void RedrawInPlace(std::ostream &out, const std::vector<std::string> &lines,
                   std::size_t &drawnLines)
{
    // Back to the top of the last drawing, then each line cleared and rewritten.
    if (drawnLines)
        out << "\x1b[" << drawnLines << "A";
    for (const std::string &line : lines)
        out << "\r\x1b[2K" << line << '\n';
    out << std::flush;
    drawnLines = lines.size();
}

std::vector<std::string> ButtonChanges(const std::string &time, ButtonState before,
                                       ButtonState after)
{
    std::vector<std::string> lines;
    for (int button = 1; button <= 32; ++button) {
        const bool was = (before >> (button - 1)) & 1u;
        const bool is = (after >> (button - 1)) & 1u;
        if (was != is)
            lines.push_back(time + " button " + std::to_string(button)
                            + (is ? " pressed" : " released"));
    }
    return lines;
}

} // namespace tamo::cli
