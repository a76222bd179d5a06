// SPDX-License-Identifier: GPL-3.0-or-later
// Sorting a hand into its category, the joker wild. The order of the tests and
// the marks each one leaves are part of the game: the marks after a deal are
// where the hold suggestion starts.
#include <limits>

#include "engine/hand.h"

namespace brisko {

namespace {

constexpr int32_t kAce = 14;
constexpr int32_t kKing = 13;

class Evaluator {
  public:
    explicit Evaluator(EngineState& s) : s_(s) {}

    HandCategory run() {
        s_.jokerSlot = 0;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (suit(k) == kJokerSuit) s_.jokerSlot = k;
        }
        s_.rankTally.fill(0);
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (suit(k) != kJokerSuit) ++s_.rankTally[rank(k)];
        }

        if (royalFlush()) return HandCategory::RoyalFlush;
        if (straightFlush()) return HandCategory::StraightFlush;
        if (ofAKind(4)) return HandCategory::FourOfAKind;
        if (fullHouse()) return HandCategory::FullHouse;
        if (flush()) return HandCategory::Flush;
        if (straightRule()) return HandCategory::Straight;
        if (ofAKind(3)) return HandCategory::ThreeOfAKind;
        if (twoPairs()) return HandCategory::TwoPairs;
        if (kingsOrBetter()) return HandCategory::KingsOrBetter;
        return HandCategory::Nothing;
    }

  private:
    int32_t suit(int32_t slot) const { return cardTable[s_.hand[slot]].suit; }
    int32_t rank(int32_t slot) const { return cardTable[s_.hand[slot]].rank; }
    int32_t tally(int32_t r) const { return s_.rankTally[r]; }
    bool jokerPresent() const { return s_.jokerSlot != 0; }

    void clearMarks() { s_.markedCards.fill(false); }
    void markAll() {
        clearMarks();
        for (int32_t k = 1; k <= kSlots; ++k) s_.markedCards[k] = true;
    }
    // Marks exactly the cards of rank r, plus the joker when it joined them.
    void markRank(int32_t r, bool withJoker) {
        for (int32_t k = 1; k <= kSlots; ++k) {
            s_.markedCards[k] = rank(k) == r || (withJoker && k == s_.jokerSlot);
        }
    }

    // The highest rank whose tally is t, or 0.
    int32_t searchDown(int32_t t) const {
        for (int32_t r = kAce; r >= 2; --r) {
            if (tally(r) == t) return r;
        }
        return 0;
    }

    bool suitRule() const {
        const int32_t reference = s_.hand[1] == kJoker ? suit(2) : suit(1);
        for (int32_t k = 2; k <= kSlots; ++k) {
            if (k != s_.jokerSlot && suit(k) != reference) return false;
        }
        return true;
    }

    bool naturalRun() const {
        int32_t low = 0;
        for (int32_t r = 2; r <= 10 && low == 0; ++r) {
            if (tally(r) == 1) low = r;
        }
        if (low == 0) return false;
        for (int32_t r = low; r <= low + 4; ++r) {
            if (tally(r) != 1) return false;
        }
        return true;
    }

    bool aceLowRun() const {
        return tally(kAce) == 1 && tally(2) == 1 && tally(3) == 1 && tally(4) == 1 && tally(5) == 1;
    }

    bool jokerRun() const {
        if (!jokerPresent()) return false;
        int32_t low = 0;
        int32_t high = 0;
        for (int32_t r = 2; r <= kAce; ++r) {
            if (tally(r) >= 2) return false;
            if (tally(r) == 1) {
                if (low == 0) low = r;
                high = r;
            }
        }
        if (high == kAce) {
            const int32_t lowOnes = tally(2) + tally(3) + tally(4) + tally(5);
            if (lowOnes == 3) high = 5;  // the ace counts low
        }
        return high - low <= 4;
    }

    bool straightRule() {
        if (naturalRun() || aceLowRun() || jokerRun()) {
            markAll();
            return true;
        }
        return false;
    }

    bool straightFlush() {
        if (!suitRule()) return false;
        clearMarks();
        return straightRule();
    }

    // Any straight flush with both the ace and the king, or with one of them
    // and the joker, pays as a royal flush.
    bool royalFlush() {
        const bool ok =
            straightFlush() && ((tally(kAce) > 0 && tally(kKing) > 0) ||
                                ((tally(kAce) > 0) != (tally(kKing) > 0) && jokerPresent()));
        if (ok) {
            markAll();
        } else {
            clearMarks();
        }
        return ok;
    }

    // n cards of one rank, the highest such rank, or n - 1 and the joker:
    // the four or the three of a kind, marked.
    bool ofAKind(int32_t n) {
        int32_t r = searchDown(n);
        bool withJoker = false;
        if (r == 0 && jokerPresent()) {
            r = searchDown(n - 1);
            withJoker = r != 0;
        }
        if (r == 0) return false;
        markRank(r, withJoker);
        return true;
    }

    bool fullHouse() {
        clearMarks();
        int32_t r = searchDown(3);
        bool withJoker = false;
        if (r == 0 && jokerPresent()) {
            r = searchDown(2);
            withJoker = r != 0;
        }
        if (r == 0) return false;
        markRank(r, withJoker);
        int32_t rest[2] = {0, 0};
        int32_t n = 0;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (!s_.markedCards[k] && n < 2) rest[n++] = k;
        }
        if (n == 2 && rank(rest[0]) == rank(rest[1])) {
            s_.markedCards[rest[0]] = true;
            s_.markedCards[rest[1]] = true;
            return true;
        }
        return false;
    }

    bool flush() {
        clearMarks();
        if (!suitRule()) return false;
        markAll();
        return true;
    }

    bool twoPairs() {
        clearMarks();
        const int32_t r = searchDown(2);
        if (r == 0) return false;
        markRank(r, false);
        int32_t rest[3] = {0, 0, 0};
        int32_t n = 0;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (!s_.markedCards[k] && n < 3) rest[n++] = k;
        }
        bool found = false;
        const auto compare = [&](int32_t a, int32_t b) {
            if (rank(a) == rank(b)) {
                s_.markedCards[a] = true;
                s_.markedCards[b] = true;
                found = true;
            }
        };
        compare(rest[1], rest[0]);
        compare(rest[0], rest[2]);
        compare(rest[2], rest[1]);
        return found;
    }

    bool kingsOrBetter() {
        int32_t r = 0;
        bool withJoker = false;
        if (tally(kAce) == 2) r = kAce;
        if (tally(kKing) == 2) r = kKing;
        if (r == 0 && jokerPresent()) {
            // A king takes the joker in preference to an ace.
            if (tally(kAce) == 1) r = kAce;
            if (tally(kKing) == 1) r = kKing;
            withJoker = r != 0;
        }
        if (r == 0) return false;
        s_.pairRank = r;
        markRank(r, withJoker);
        return true;
    }

    EngineState& s_;
};

}  // namespace

HandCategory evaluateHand(EngineState& state) {
    return Evaluator(state).run();
}

int32_t payout(HandCategory category, int32_t bet) {
    const int64_t win = static_cast<int64_t>(bet) * payMultiplier[static_cast<size_t>(category)];
    if (win > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (win < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(win);
}

}  // namespace brisko
