// SPDX-License-Identifier: GPL-3.0-or-later
// brisko-analyze play: the game table from a terminal or a script, one
// command a line on `in`, one state line after each on `out`.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace brisko {

// `args` are the words after "play": nothing, "--store PATH" or "--help".
// Returns 0 when every command was understood, 1 when some line was refused
// (each one reported on `err`), 2 for bad arguments, 3 when another running
// program holds the store.
int runPlay(std::istream& in, std::ostream& out, std::ostream& err,
            const std::vector<std::string>& args);

}  // namespace brisko
