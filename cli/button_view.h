// SPDX-License-Identifier: GPL-3.0-or-later
// How `tamo watch` shows the 32 buttons: a grid redrawn in place on a terminal, or one line
// per change for a pipe or a file.
#pragma once

#include "input_report.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tamo::cli {

using config::ButtonState;

// The grid: a heading with the rate (reports per second, none before the first second), then
// four rows of eight; a pressed button in reverse video.
std::vector<std::string> ButtonGrid(const std::string &heading, ButtonState state,
                                    std::optional<double> reportsPerSecond);

// Draws lines over the drawing of drawnLines lines before them (none the first time), each
// cleared and rewritten, and sets drawnLines to theirs.
void RedrawInPlace(std::ostream &out, const std::vector<std::string> &lines,
                   std::size_t &drawnLines);

// "<time> button <n> pressed|released", one per button that differs, in button order.
std::vector<std::string> ButtonChanges(const std::string &time, ButtonState before,
                                       ButtonState after);

} // namespace tamo::cli
