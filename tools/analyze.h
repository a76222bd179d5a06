// SPDX-License-Identifier: GPL-3.0-or-later
// brisko-analyze: the card rules and the game table from the command line.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace brisko {

// Runs one command line (without the program name); returns the exit status:
// 0 on success, 2 when some input was refused.
int runAnalyze(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err);

}  // namespace brisko
