// SPDX-License-Identifier: GPL-3.0-or-later
// brisko-analyze strategy: the strategy chart of a game type, and the hold it
// makes on a deal.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace brisko {

// Returns the exit status: 0, or 2 when the arguments were refused.
int runStrategy(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace brisko
