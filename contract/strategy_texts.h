// SPDX-License-Identifier: GPL-3.0-or-later
// The strategy chart in words, in French and in English: each line's hold
// pattern put together from a small vocabulary, and the chart's headings.
#pragma once

#include <string>
#include <string_view>

#include "contract/texts.h"
#include "engine/strategy.h"

namespace brisko {

enum class ChartText : int32_t {
    Title,      // "Strategy chart"
    WithJoker,  // section headings
    WithoutJoker,
    OfDeals,     // "of deals", after a share
    Exceptions,  // heading of the exceptions
    LineColumn,  // column headings
    HoldColumn,
    WinColumn,
    UsedColumn,
    HowToRead,  // the notes above the chart
    Runs,
    ExceptionsNote,
    Before,       // "before line", then a number
    ChartReturn,  // the summary under the chart
    BestReturn,
    SuggestedReturn,
    BestHolds,
};

std::string_view chartText(ChartText key, Language language);

// The words of a line: its hold pattern, and for an exception the penalty
// cards it takes.
std::string chartLineText(const ChartLine& line, Language language);

}  // namespace brisko
