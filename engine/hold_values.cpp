// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/hold_values.h"

#include <algorithm>
#include <vector>

namespace brisko {

// One dealt hand, by counting the draws rank by rank.

namespace {

using Histogram = std::array<int64_t, kCategoryCount>;

int64_t payOf(const Histogram& h) {
    int64_t total = 0;
    for (int32_t c = 0; c < kCategoryCount; ++c) {
        total = checkedAdd(total, checkedMul(int64_t{payMultiplier[c]}, h[c]));
    }
    return total;
}

int32_t rankOf(int32_t cardIndex) {
    return cardTable[cardIndex].rank;
}

using RankCounts = std::array<int32_t, 15>;  // ordinary cards per rank 2..14

// Final categories over every set of `draw` cards out of `pool`, added to
// `held` (and the joker when `joker`). The draws are counted by ranks, in
// mixed suits, and then those that leave every ordinary card in one suit
// are moved to their own category.
class DrawCounter {
  public:
    DrawCounter(const FastEvaluator& evaluator, const std::vector<int32_t>& held, bool joker,
                const std::vector<int32_t>& pool)
        : evaluator_(evaluator), held_(held), joker_(joker), pool_(pool) {
        for (int32_t c : pool) ++available_[rankOf(c)];
        if (joker) start_ = start_.with(kJoker);
        for (int32_t c : held) start_ = start_.withRank(rankOf(c));
    }

    Histogram count(int32_t draw) {
        histogram_ = {};
        byRank(2, draw, 1, start_);
        flushes(draw);
        return histogram_;
    }

  private:
    void add(const HandKey& key, int64_t ways) {
        int64_t& n = histogram_[static_cast<int32_t>(evaluator_.categoryAt(key.index()))];
        n = checkedAdd(n, ways);
    }

    void byRank(int32_t rank, int32_t left, int64_t ways, HandKey key) {
        if (left == 0) {
            add(key, ways);
            return;
        }
        if (rank > 14) return;
        const int32_t most = std::min(left, available_[rank]);
        for (int32_t n = 0;; ++n) {
            byRank(rank + 1, left - n, checkedMul(ways, binomial(available_[rank], n)), key);
            if (n == most) break;
            key = key.withRank(rank);
        }
    }

    void flushes(int32_t draw) {
        for (int32_t suit = 1; suit <= 4; ++suit) {
            bool fits = true;
            for (int32_t c : held_) fits = fits && cardTable[c].suit == suit;
            if (!fits) continue;
            std::vector<int32_t> suited;
            for (int32_t c : pool_) {
                if (cardTable[c].suit == suit) suited.push_back(c);
            }
            std::vector<int32_t> cards = held_;
            suitedDraws(suited, 0, draw, cards);
        }
    }

    void suitedDraws(const std::vector<int32_t>& suited, size_t from, int32_t left,
                     std::vector<int32_t>& cards) {
        if (left == 0) {
            HandKey oneSuit = joker_ ? HandKey().with(kJoker) : HandKey();
            HandKey mixed = oneSuit;
            for (int32_t c : cards) {
                oneSuit = oneSuit.with(c);
                mixed = mixed.withRank(rankOf(c));
            }
            add(oneSuit, 1);
            add(mixed, -1);
            return;
        }
        for (size_t i = from; i + static_cast<size_t>(left) <= suited.size(); ++i) {
            cards.push_back(suited[i]);
            suitedDraws(suited, i + 1, left - 1, cards);
            cards.pop_back();
        }
    }

    const FastEvaluator& evaluator_;
    std::vector<int32_t> held_;
    bool joker_;
    std::vector<int32_t> pool_;
    RankCounts available_{};
    HandKey start_;  // the held cards, in mixed suits
    Histogram histogram_{};
};

}  // namespace

std::array<Fraction, kHoldCount> holdValues(const FastEvaluator& evaluator, const Hand& dealt,
                                            GameType gameType, int32_t fewestHeld) {
    std::array<bool, 54> inHand{};
    for (int32_t k = 1; k <= kSlots; ++k) inHand[dealt[k]] = true;
    std::vector<int32_t> pool;
    for (int32_t c = 1; c <= kOrdinaryCards; ++c) {
        if (!inHand[c]) pool.push_back(c);
    }
    const auto n = static_cast<int32_t>(pool.size());

    std::array<Fraction, kHoldCount> values;
    for (HoldMask mask = 0; mask < kHoldCount; ++mask) {
        if (std::popcount(mask) < fewestHeld) continue;
        std::vector<int32_t> held;
        bool jokerHeld = false;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (!((mask >> (k - 1)) & 1)) continue;
            if (dealt[k] == kJoker) {
                jokerHeld = true;
            } else {
                held.push_back(dealt[k]);
            }
        }
        const int32_t h = std::popcount(mask);
        const int32_t drawn = kSlots - h;
        const int64_t plain = payOf(DrawCounter(evaluator, held, jokerHeld, pool).count(drawn));
        const int32_t j = jokerHeld ? 0 : jokerDrawChances(rulesOf(gameType), h);
        Fraction v(checkedMul(Int128{plain}, Int128{kJokerOdds - j}),
                   checkedMul(Int128{binomial(n, drawn)}, Int128{kJokerOdds}));
        if (j > 0) {
            const int64_t joker = payOf(DrawCounter(evaluator, held, true, pool).count(drawn - 1));
            v = v + Fraction(checkedMul(Int128{joker}, Int128{j}),
                             checkedMul(Int128{binomial(n, drawn - 1)}, Int128{kJokerOdds}));
        }
        values[mask] = v;
    }
    return values;
}

HoldMask suggestedHold(const FastEvaluator& evaluator, const Hand& dealt) {
    // suggestMarks starts from what evaluateHand leaves: the marks and the joker's slot.
    const FastEvaluation e = evaluator.evaluate(dealt);
    EngineState s;
    s.hand = dealt;
    for (int32_t k = 1; k <= kSlots; ++k) {
        s.markedCards[k] = e.marked(k);
        if (dealt[k] == kJoker) s.jokerSlot = k;
    }
    suggestMarks(s);
    return holdOf(s.markedCards);
}

std::array<HoldMask, kHoldCount> rankedHolds(const std::array<Fraction, kHoldCount>& values) {
    std::array<HoldMask, kHoldCount> order{};
    for (HoldMask m = 0; m < kHoldCount; ++m) order[m] = m;
    std::sort(order.begin(), order.end(),
              [&](HoldMask a, HoldMask b) { return holdComesFirst(values, a, b); });
    return order;
}

}  // namespace brisko
