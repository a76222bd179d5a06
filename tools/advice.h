// SPDX-License-Identifier: GPL-3.0-or-later
// The advice on a dealt hand as brisko-analyze advise and play's advise
// print it: every hold with its exact expected win, best first.
#pragma once

#include <ostream>

#include "engine/fast_eval.h"
#include "engine/hand.h"

namespace brisko {

// The hand must be one the game type can deal.
void printAdvice(const FastEvaluator& evaluator, const Hand& dealt, GameType gameType,
                 std::ostream& out);

}  // namespace brisko
