// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a script of brisko-analyze play, on a store
// in memory. A run never crashes, answers every line it takes with one state
// line (the report commands, advise, trainer, mistakes and stats, with their
// report), and ends with status 0 or 1.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "tools/play.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    std::ostringstream err;
    const int status = brisko::runPlay(in, out, err, {});
    const std::string& script = in.str();
    const bool reports =
        script.find("advise") != std::string::npos || script.find("trainer") != std::string::npos ||
        script.find("mistakes") != std::string::npos || script.find("stats") != std::string::npos;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        if (!reports && !line.starts_with("phase=")) {
            std::fprintf(stderr, "play fault: a line that is not a state: %s\n", line.c_str());
            std::abort();
        }
    }
    if (status != 0 && status != 1) {
        std::fprintf(stderr, "play fault: status %d\n", status);
        std::abort();
    }
    return 0;
}
