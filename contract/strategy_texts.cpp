// SPDX-License-Identifier: GPL-3.0-or-later
#include "contract/strategy_texts.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace brisko {

namespace {

struct ChartTextRow {
    ChartText key;
    std::array<std::string_view, kLanguageCount> text;  // French first
};

constexpr ChartTextRow kChartTexts[] = {
    {ChartText::Title, {"Stratégie", "Strategy chart"}},
    {ChartText::WithJoker, {"Avec le joker", "With the joker"}},
    {ChartText::WithoutJoker, {"Sans le joker", "Without the joker"}},
    {ChartText::OfDeals, {"des donnes", "of deals"}},
    {ChartText::Exceptions,
     {"Exceptions (cartes jetées qui comptent)", "Exceptions (penalty cards)"}},
    {ChartText::LineColumn, {"N°", "#"}},
    {ChartText::HoldColumn, {"Cartes à garder", "Hold"}},
    {ChartText::WinColumn, {"Gain", "Win"}},
    {ChartText::UsedColumn, {"Utilisée", "Used"}},
    {ChartText::HowToRead,
     {"Gardez les cartes de la première ligne que permet la donne ; quand deux choix "
      "répondent à la même ligne, gardez les cartes les plus hautes. Le gain est celui, "
      "par crédit misé, des cartes gardées en moyenne quand la ligne sert, et « utilisée » "
      "dit la part des donnes qu'elle décide.",
      "Keep the cards of the first line the deal fits; when two holds fit the same line, "
      "keep the higher cards. The win is that of the cards kept, per credit bet, on average "
      "when the line is used, and \"used\" is the share of deals it decides."}},
    {ChartText::Runs,
     {"Suites possibles : les suites de cinq rangs, de A-2-3-4-5 à 10-V-D-R-A, qui "
      "contiennent les cartes gardées. Avec le joker, toute quinte flush qui a un as ou un "
      "roi est royale.",
      "Possible straights: the runs of five ranks, from A-2-3-4-5 to 10-J-Q-K-A, that hold "
      "the cards kept. With the joker, every straight flush with an ace or a king is royal."}},
    {ChartText::ExceptionsNote,
     {"Une exception fait passer ses cartes avant la ligne qu'elle nomme quand les cartes "
      "jetées sont celles qu'elle dit.",
      "An exception plays its cards before the line it names when the cards thrown are "
      "those it says."}},
    {ChartText::Before, {"avant la ligne", "before line"}},
    {ChartText::ChartReturn,
     {"Retour par crédit de ce tableau", "Return per credit of this chart"}},
    {ChartText::BestReturn, {"du meilleur jeu", "of the best play"}},
    {ChartText::SuggestedReturn, {"de la suggestion du jeu", "of the game's suggestion"}},
    {ChartText::BestHolds,
     {"Donnes où le tableau garde un meilleur choix", "Deals where the chart keeps a best hold"}},
};

bool french(Language language) {
    return language == Language::French;
}

// The words the lines are made of, by language.
struct Words {
    std::string_view joker;                   // prefix of the joker's lines
    std::array<std::string_view, 5> cardsTo;  // by count: "Four to a"
    std::array<std::string_view, 5> cardsToAfterJoker;
    std::string_view royalFlush, straightFlush, flush, straight;
    std::string_view open, inside;
    std::string_view possibleStraight, possibleStraights, to;
    std::string_view oneRoyal, royalBefore, royalAfter, noRoyal;  // "(dont 2 à 3 royales)"
    std::string_view noHigh, oneHigh, bothHigh, someHigh, atMostOneHigh;
    std::string_view kingAndAce;
    std::string_view oneCard, oneCardAfterJoker;
    std::array<std::string_view, 15> rankWithArticle;  // by rank 2..14
    std::array<std::string_view, 15> rankLetter;
    std::string_view orWord;
    std::string_view colon;  // before a list
    std::string_view payingPair;
    std::string_view fourOfAKind, threeOfAKind, twoPairs, fullHouse;
    std::string_view highPair, lowPair, anyPair;
    std::string_view nothing, jokerAlone, nothingWithJoker;
    std::string_view suitPenalty, runPenalty, bothPenalties;
};

constexpr Words kFrench = {
    "Joker + ",
    {"", "Une carte", "Deux cartes d'une", "Trois cartes d'une", "Quatre cartes d'une"},
    {"", "une carte", "deux cartes d'une", "trois cartes d'une", "quatre cartes d'une"},
    "quinte flush royale",
    "quinte flush",
    "flush",
    "suite",
    "ouverte",
    "ventrale",
    "suite possible",
    "suites possibles",
    "à",
    "dont 1 royale",
    "dont ",
    " royales",
    "aucune royale",
    "sans roi ni as",
    "avec un roi ou un as",
    "avec le roi et l'as",
    "avec un roi ou un as au moins",
    "avec au plus un roi ou un as",
    "Roi et as de couleurs différentes",
    "Une seule carte : ",
    "une seule carte : ",
    {"", "", "un 2", "un 3", "un 4", "un 5", "un 6", "un 7", "un 8", "un 9", "un 10", "un valet",
     "une dame", "un roi", "un as"},
    {"", "", "2", "3", "4", "5", "6", "7", "8", "9", "10", "V", "D", "R", "A"},
    "ou",
    " : ",
    " (paire de rois ou d'as)",
    "Carré",
    "Brelan",
    "Deux paires",
    "Full",
    "Paire de rois ou d'as",
    "Petite paire (2 à dame)",
    "Une paire",
    "Rien : tirer cinq cartes",
    "Le joker seul",
    "Rien, pas même le joker",
    "quand une carte jetée est de leur couleur",
    "quand une carte jetée compléterait une de leurs suites",
    "quand une carte jetée est de leur couleur et qu'une compléterait une de leurs suites",
};

constexpr Words kEnglish = {
    "Joker + ",
    {"", "One card", "Two to a", "Three to a", "Four to a"},
    {"", "one card", "two to a", "three to a", "four to a"},
    "royal flush",
    "straight flush",
    "flush",
    "straight",
    "open",
    "inside",
    "possible straight",
    "possible straights",
    "to",
    "1 of them royal",
    "",
    " of them royal",
    "none royal",
    "no king or ace",
    "one king or ace",
    "king and ace",
    "with a king or an ace",
    "at most one king or ace",
    "King and ace of different suits",
    "One card alone: ",
    "one card alone: ",
    {"", "", "a 2", "a 3", "a 4", "a 5", "a 6", "a 7", "an 8", "a 9", "a 10", "a jack", "a queen",
     "a king", "an ace"},
    {"", "", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A"},
    "or",
    ": ",
    " (a pair of kings or aces)",
    "Four of a kind",
    "Three of a kind",
    "Two pairs",
    "Full house",
    "Pair of kings or aces",
    "Low pair (2s to queens)",
    "Any pair",
    "Nothing: draw five new cards",
    "The joker alone",
    "Nothing, not even the joker",
    "when a card of their suit is thrown",
    "when a thrown card would fill one of their straights",
    "when a thrown card is of their suit and one would fill one of their straights",
};

const Words& wordsFor(Language language) {
    return french(language) ? kFrench : kEnglish;
}

std::string upperFirst(std::string_view s) {
    std::string out(s);
    if (!out.empty() && out[0] >= 'a' && out[0] <= 'z')
        out[0] = static_cast<char>(out[0] - 'a' + 'A');
    return out;
}

std::string lowerFirst(std::string_view s) {
    std::string out(s);
    if (!out.empty() && out[0] >= 'A' && out[0] <= 'Z')
        out[0] = static_cast<char>(out[0] - 'A' + 'a');
    return out;
}

// The sets of ranks a line's ordinary cards may have (each highest first, an
// ace below a 2 to 5), as far as `most` sets.
std::vector<std::vector<int32_t>> rankSets(const PatternRange& range, size_t most) {
    const HoldPattern& p = range.pattern;
    std::vector<std::vector<int32_t>> sets;
    const auto k = static_cast<size_t>(p.cards);
    // Ranks chosen as bits 2..14, counted through every subset of size k.
    for (uint32_t bits = 0; bits < (1u << 13) && sets.size() <= most; ++bits) {
        if (static_cast<size_t>(std::popcount(bits)) != k) continue;
        Hand h{};
        std::vector<int32_t> ranks;
        int32_t slot = 1;
        for (int32_t r = 14; r >= 2; --r) {
            if (!((bits >> (r - 2)) & 1u)) continue;
            ranks.push_back(r);
            // One suit, or suits that differ from slot to slot.
            const int32_t suit = p.suited ? 1 : (slot - 1) % 2 + 1;
            h[slot++] = cardIndex(suit, r == 14 ? 1 : r);
        }
        HoldMask hold = (1u << k) - 1;
        if (p.joker) {
            h[slot] = kJoker;
            hold |= 1u << (slot - 1);
        }
        const HoldReader reader(h, HandCategory::Nothing);
        if (!range.covers(reader.pattern(hold))) continue;
        if (ranks.front() == 14 && ranks.size() > 1 && ranks[1] <= 5) {
            std::rotate(ranks.begin(), ranks.begin() + 1, ranks.end());
        }
        sets.push_back(ranks);
    }
    return sets;
}

std::string rankList(const std::vector<int32_t>& ranks, const Words& w) {
    std::string out;
    bool faces = false;
    for (int32_t r : ranks) faces = faces || r > 10;
    for (size_t i = 0; i < ranks.size(); ++i) {
        if (i > 0) out += i + 1 == ranks.size() ? " " + std::string(w.orWord) + " " : ", ";
        std::string_view name = w.rankWithArticle[static_cast<size_t>(ranks[i])];
        // "a 6, 7 or 8": the article once when all are numbers.
        if (i > 0 && !faces) name = name.substr(name.find(' ') + 1);
        out += name;
    }
    return out;
}

std::string span(int32_t from, int32_t to, std::string_view one, std::string_view many,
                 const Words& w) {
    if (from == to) return std::to_string(from) + " " + std::string(from == 1 ? one : many);
    return std::to_string(from) + " " + std::string(w.to) + " " + std::to_string(to) + " " +
           std::string(many);
}

std::string drawText(const PatternRange& range, const Words& w) {
    const HoldPattern& p = range.pattern;
    const std::string prefix = p.joker ? std::string(w.joker) : "";
    const auto count = static_cast<size_t>(p.cards);
    if (p.cards == 1) {
        std::vector<int32_t> ranks;
        for (const auto& set : rankSets(range, 13)) ranks.push_back(set[0]);
        std::string text =
            prefix + std::string(p.joker ? w.oneCardAfterJoker : w.oneCard) + rankList(ranks, w);
        bool high = !ranks.empty();
        for (int32_t r : ranks) high = high && r >= 13;
        if (p.joker && high) text += w.payingPair;
        return text;
    }
    if (!p.suited && p.high == p.cards)
        return prefix + (p.joker ? lowerFirst(w.kingAndAce) : std::string(w.kingAndAce));
    const bool straightDraw = p.runs > 0;
    const bool royal = p.royalDraw();
    std::string_view kind = !p.suited      ? w.straight
                            : royal        ? w.royalFlush
                            : straightDraw ? w.straightFlush
                                           : w.flush;
    std::string text = prefix +
                       std::string(p.joker ? w.cardsToAfterJoker[count] : w.cardsTo[count]) + " " +
                       std::string(kind);
    // A few sets of ranks say it best: "two to a royal flush: Q J or Q 10".
    constexpr size_t kFewSets = 4;
    const auto sets = rankSets(range, kFewSets);
    if (!sets.empty() && sets.size() <= kFewSets) {
        text += w.colon;
        for (size_t i = 0; i < sets.size(); ++i) {
            if (i > 0) text += i + 1 == sets.size() ? " " + std::string(w.orWord) + " " : ", ";
            for (size_t j = 0; j < sets[i].size(); ++j) {
                if (j > 0) text += ' ';
                text += w.rankLetter[static_cast<size_t>(sets[i][j])];
            }
        }
        return text;
    }
    std::vector<std::string> notes;
    if (straightDraw) {
        if (!p.joker && p.cards == 4 && range.runsTo <= 2) {
            if (p.runs == range.runsTo) notes.emplace_back(p.runs == 2 ? w.open : w.inside);
        } else {
            notes.push_back(span(p.runs, range.runsTo, w.possibleStraight, w.possibleStraights, w));
        }
    }
    // With the joker, which runs can end royal.
    if (p.suited && straightDraw && p.joker && !royal && !notes.empty()) {
        std::string royalNote;
        if (range.royalRunsTo == 0) {
            royalNote = w.noRoyal;
        } else if (p.royalRuns == range.royalRunsTo && p.royalRuns == 1) {
            royalNote = w.oneRoyal;
        } else {
            royalNote = std::string(w.royalBefore) + std::to_string(p.royalRuns);
            if (range.royalRunsTo != p.royalRuns) {
                royalNote += " " + std::string(w.to) + " " + std::to_string(range.royalRunsTo);
            }
            royalNote += w.royalAfter;
        }
        notes.back() += " (" + royalNote + ")";
    }
    const int32_t most = std::min<int32_t>(p.cards, 2);
    // With the joker a royal flush draw has a king or an ace already.
    const int32_t least = royal && p.joker ? 1 : 0;
    if (!(p.high <= least && range.highTo >= most)) {
        if (range.highTo == 0) {
            notes.emplace_back(w.noHigh);
        } else if (p.high == range.highTo) {
            notes.emplace_back(p.high == 1 ? w.oneHigh : w.bothHigh);
        } else if (p.high == 0) {
            notes.emplace_back(w.atMostOneHigh);
        } else {
            notes.emplace_back(w.someHigh);
        }
    }
    for (const std::string& n : notes) text += ", " + n;
    return text;
}

}  // namespace

std::string_view chartText(ChartText key, Language language) {
    for (const ChartTextRow& row : kChartTexts) {
        if (row.key == key) return row.text[french(language) ? 0 : 1];
    }
    return {};
}

std::string chartLineText(const ChartLine& line, Language language) {
    const Words& w = wordsFor(language);
    const HoldPattern& p = line.patterns.pattern;
    const std::string prefix = p.joker ? std::string(w.joker) : "";
    auto withJoker = [&](std::string_view name) {
        return p.joker ? prefix + lowerFirst(name) : std::string(name);
    };
    std::string text;
    switch (p.shape) {
        case HoldShape::Junk:
            break;
        case HoldShape::Nothing:
            text = p.joker ? std::string(w.jokerAlone) : std::string(w.nothing);
            break;
        case HoldShape::Draw:
            text = drawText(line.patterns, w);
            break;
        case HoldShape::Pair:
            text = withJoker(p.high == 1                 ? w.highPair
                             : line.patterns.highTo == 0 ? w.lowPair
                                                         : w.anyPair);
            break;
        case HoldShape::TwoPairs:
            text = w.twoPairs;
            break;
        case HoldShape::Trips:
            text = withJoker(w.threeOfAKind);
            break;
        case HoldShape::Quads:
            text = w.fourOfAKind;
            break;
        case HoldShape::Straight:
        case HoldShape::Flush:
        case HoldShape::FullHouse:
        case HoldShape::StraightFlush:
        case HoldShape::RoyalFlush: {
            const std::array<std::string_view, 5> names = {w.straight, w.flush, w.fullHouse,
                                                           w.straightFlush, w.royalFlush};
            text = upperFirst(
                names[static_cast<size_t>(p.shape) - static_cast<size_t>(HoldShape::Straight)]);
            break;
        }
    }
    if (line.isException()) {
        const std::string_view why = line.penalties == kSuitPenalty  ? w.suitPenalty
                                     : line.penalties == kRunPenalty ? w.runPenalty
                                                                     : w.bothPenalties;
        text += ", " + std::string(why);
    }
    return text;
}

}  // namespace brisko
