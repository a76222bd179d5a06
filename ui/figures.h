// SPDX-License-Identifier: GPL-3.0-or-later
// Texts and figures as the windows show them, in the language of the game:
// one way to write a decimal, a percentage, an amount of credits and the
// trainer's tally, wherever they appear.
#pragma once

#include <QString>
#include <array>
#include <string_view>

#include "engine/fraction.h"
#include "table/trainer.h"
#include "ui/window_texts.h"

namespace brisko {

// A UTF-8 text of the game as the toolkit takes it.
inline QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// "0,42" in French, "0.42" in English: rounded to `places` places.
QString decimal(const Fraction& value, int places, const WindowTexts& texts);
// "12,34 %" in French, "12.34%" in English.
QString percent(const Fraction& value, int places, const WindowTexts& texts);
// "-0,42 crédit", "2,50 crédits": singular below two credits, as the French
// writes it and as the verdict's English reads.
QString credits(const Fraction& amount, const WindowTexts& texts);

// The trainer's tally as figures: decisions, best plays, accuracy, credits
// given away; "-" for each without a tally, and for the accuracy before the
// first decision.
std::array<QString, 4> tallyFigures(const TrainerTally* tally, const WindowTexts& texts);

}  // namespace brisko
