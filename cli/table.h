// SPDX-License-Identifier: GPL-3.0-or-later
// Columns padded to their widest cell, for results a person reads.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tamo::cli {

// Rows of UTF-8 cells; the last column is not padded.
void PrintTable(std::ostream &out, const std::vector<std::vector<std::string>> &rows);

} // namespace tamo::cli
