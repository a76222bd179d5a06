// SPDX-License-Identifier: GPL-3.0-or-later
// brisko-analyze rtp and advise: the exact returns of the game types and the
// value of every hold of a hand.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace brisko {

// Each returns the exit status: 0, or 2 when the arguments were refused.
int runRtp(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runAdvise(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace brisko
