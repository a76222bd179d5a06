// SPDX-License-Identifier: GPL-3.0-or-later
// The words of the strategy chart: what a player sees in the cards kept of a
// dealt hand (a pair, four to a flush, the joker and a king...) and the
// discarded cards that spoil a draw.
#pragma once

#include <array>
#include <cstdint>

#include "engine/hand.h"
#include "engine/hold_values.h"

namespace brisko {

// What the ordinary cards kept make (with the joker kept too, a pair is
// three of a kind and three of a kind four). Straight to RoyalFlush keep the
// five cards dealt.
enum class HoldShape : uint8_t {
    Junk,     // a card that belongs to no pattern: a kicker beside a pair...
    Nothing,  // no ordinary card: everything thrown, or the joker alone
    Draw,     // different ranks, not a paying hand by themselves
    Pair,
    TwoPairs,
    Trips,
    Quads,
    Straight,
    Flush,
    FullHouse,
    StraightFlush,
    RoyalFlush,
};

// The pattern of a hold. The fields that do not apply to its shape are 0.
struct HoldPattern {
    HoldShape shape = HoldShape::Junk;
    bool joker = false;  // the joker is kept
    int8_t cards = 0;    // ordinary cards kept
    // Draw: the ordinary cards, two or more, are of one suit.
    bool suited = false;
    // Draw: how many runs of five ranks (A-5 to 10-A) hold all its ranks.
    int8_t runs = 0;
    // Draw: kings and aces kept; Pair: 1 for kings or aces.
    int8_t high = 0;
    // Draw of one suit (or of one card): how many of its runs could end in a
    // royal flush. Without the joker only 10-A; with the joker kept, every
    // straight flush with an ace or a king is royal: A-5, 9-K and 10-A.
    int8_t royalRuns = 0;

    bool operator==(const HoldPattern&) const = default;

    // The fields packed into 18 bits, and back.
    uint32_t code() const;
    static HoldPattern fromCode(uint32_t code);
    // Whether a code is one that code() makes.
    static bool isCode(uint32_t code);

    // Every deal has a hold of this pattern: the joker alone, or nothing.
    bool fitsEveryDeal() const { return shape == HoldShape::Nothing; }
    // Every straight flush it makes is royal: tens to aces of one suit, or
    // the joker and cards of one suit with a king or an ace.
    bool royalDraw() const {
        return shape == HoldShape::Draw && suited && royalRuns > 0 && (joker ? high > 0 : true);
    }
};

// The patterns of one line of the chart: those like `pattern` but for their
// runs, high and royal runs, which lie anywhere from the pattern's up to
// runsTo, highTo and royalRunsTo.
struct PatternRange {
    HoldPattern pattern;
    int8_t runsTo = 0;
    int8_t highTo = 0;
    int8_t royalRunsTo = 0;

    static PatternRange of(const HoldPattern& p) { return {p, p.runs, p.high, p.royalRuns}; }
    bool covers(const HoldPattern& p) const;
    // Whether the patterns of both make a range of their own.
    bool joins(const PatternRange& other) const;
    // Both ranges as one (when they join).
    PatternRange joinedWith(const PatternRange& other) const;
    bool operator==(const PatternRange&) const = default;
};

// Discarded cards that a draw would have wanted.
enum PenaltyCard : uint8_t {
    kSuitPenalty = 1,  // a card of the suit of a suited draw
    kRunPenalty = 2,   // a card of a rank that would fill one of the draw's runs
};

// Reads the 32 holds of one dealt hand.
class HoldReader {
  public:
    // `dealtCategory` is the evaluation of the five cards dealt.
    HoldReader(const Hand& dealt, HandCategory dealtCategory);

    HoldPattern pattern(HoldMask hold) const;
    // PenaltyCard bits among the cards thrown, for draws of two cards or more.
    uint8_t penalties(HoldMask hold) const;
    // Between two holds of one line of the chart the player keeps the higher
    // cards: a larger key comes first.
    uint32_t higherCardsKey(HoldMask hold) const;

  private:
    struct Kept {
        int32_t cards = 0;
        bool joker = false;
        uint32_t rankBits = 0;  // bit r for rank r
        uint32_t suitBits = 0;  // bit s for suit s
        std::array<int8_t, 15> perRank{};
    };
    Kept kept(HoldMask hold) const;

    std::array<int32_t, kSlots + 1> rank_{};  // 0 for the joker
    std::array<int32_t, kSlots + 1> suit_{};
    int32_t jokerSlot_ = 0;
    HandCategory dealtCategory_;
};

}  // namespace brisko
