// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "tools/analyze.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return brisko::runAnalyze(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                              std::cerr);
}
