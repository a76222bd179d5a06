// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/figures.h"

namespace brisko {

QString decimal(const Fraction& value, int places, const WindowTexts& texts) {
    return q(value.rounded(places, texts.decimalPoint()));
}

QString percent(const Fraction& value, int places, const WindowTexts& texts) {
    return decimal(value, places, texts) + q(texts[WindowTxt::txtPercent]);
}

QString credits(const Fraction& amount, const WindowTexts& texts) {
    const Fraction size = amount < Fraction() ? Fraction() - amount : amount;
    return decimal(amount, 2, texts) + ' ' +
           q(texts[size < Fraction(2, 1) ? WindowTxt::txtTrainerCredit
                                         : WindowTxt::txtTrainerCredits]);
}

std::array<QString, 4> tallyFigures(const TrainerTally* tally, const WindowTexts& texts) {
    if (!tally) return {"-", "-", "-", "-"};
    return {QString::number(tally->decisions()), QString::number(tally->bestPlays()),
            tally->decisions() == 0 ? QStringLiteral("-") : percent(tally->accuracy(), 2, texts),
            decimal(tally->givenAway(), 2, texts)};
}

}  // namespace brisko
