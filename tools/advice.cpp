// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/advice.h"

#include <cstdio>
#include <string>

#include "engine/hold_values.h"

namespace brisko {

void printAdvice(const FastEvaluator& evaluator, const Hand& dealt, GameType gameType,
                 std::ostream& out) {
    const auto values = holdValues(evaluator, dealt, gameType);
    const HoldMask suggested = suggestedHold(evaluator, dealt);
    out << "Game type " << number(gameType) << " (" << rulesOf(gameType).description << "), dealt";
    for (int32_t k = 1; k <= kSlots; ++k) out << ' ' << cardName(dealt[k]);
    out << "\nExpected win per credit bet of every hold, best first (* the game's suggestion):\n";
    for (HoldMask m : rankedHolds(values)) {
        std::string held;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (!holdsSlot(m, k)) continue;
            if (!held.empty()) held += ' ';
            held += cardName(dealt[k]);
        }
        if (held.empty()) held = "(nothing)";
        char line[64];
        std::snprintf(line, sizeof line, "%c %s  %-16s  ", m == suggested ? '*' : ' ',
                      values[m].decimal(9).c_str(), held.c_str());
        out << line << values[m].exact() << '\n';
    }
}

}  // namespace brisko
