// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the evaluation table when the game is built, so that a program only
// reads it: writes a C++ source that defines kFastEvaluationTable, one entry
// per place, from evaluateHand on one hand of each kind.
//   make_fast_eval_table OUTPUT.cpp
// The table is a plain array of numbers, the same for every machine, so this
// runs on the machine that builds, also when it builds for another.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "engine/fast_eval.h"

namespace brisko {

namespace {

// Calls f(hand) once for each kind of hand the table tells apart: every count
// of cards per rank (four at most), with or without the joker, and when the
// ranks all differ, with the ordinary cards in one suit and in mixed suits.
template <typename F>
void forEachKindOfHand(F f) {
    std::array<int32_t, 15> counts{};
    auto hand = [&](bool joker, bool oneSuit) {
        Hand h{};
        int32_t slot = 1;
        for (int32_t r = 2; r <= 14; ++r) {
            for (int32_t i = 0; i < counts[r]; ++i, ++slot) {
                h[slot] = oneSuit ? cardIndex(1, r == 14 ? 1 : r) : mixedSuitCard(r, slot);
            }
        }
        if (joker) h[slot] = kJoker;
        return h;
    };
    auto place = [&](auto& self, int32_t rank, int32_t left, bool joker) -> void {
        if (left == 0) {
            f(hand(joker, false));
            if (std::all_of(counts.begin(), counts.end(), [](int32_t n) { return n <= 1; })) {
                f(hand(joker, true));
            }
            return;
        }
        if (rank > 14) return;
        for (int32_t n = 0; n <= std::min(left, 4); ++n) {
            counts[rank] = n;
            self(self, rank + 1, left - n, joker);
        }
        counts[rank] = 0;
    };
    place(place, 2, kSlots, false);
    place(place, 2, kSlots - 1, true);
}

// Writes the entry of every slot order of the cards of `hand`: the category
// and pair rank of the hand, and the marks of the cards of its marked ranks.
class SlotOrders {
  public:
    SlotOrders(std::vector<uint16_t>& table, const Hand& hand, HandCategory category,
               int32_t pairRank, uint32_t markedRanks)
        : table_(table),
          hand_(hand),
          category_(category),
          pairRank_(pairRank),
          markedRanks_(markedRanks) {}

    void place(int32_t slot, HandKey key, uint32_t marks, uint32_t left) {
        if (slot > kSlots) {
            // Places differ by the ranks in the slots or the suit flag, so no
            // other kind of hand writes here.
            table_[key.index()] = FastEvaluation(category_, marks, pairRank_).bits();
            return;
        }
        uint32_t ranksTried = 0;
        for (int32_t k = 1; k <= kSlots; ++k) {
            const uint32_t rank = rankBit(hand_[k]);
            // Cards of one rank in the same slot give the same place.
            if (!((left >> k) & 1) || (ranksTried & rank)) continue;
            ranksTried |= rank;
            const uint32_t mark = (markedRanks_ & rank) ? 1u << (slot - 1) : 0u;
            place(slot + 1, key.with(hand_[k]), marks | mark, left & ~(1u << k));
        }
    }

    static uint32_t rankBit(int32_t card) { return 1u << cardTable[card].rank; }

  private:
    std::vector<uint16_t>& table_;
    const Hand& hand_;
    HandCategory category_;
    int32_t pairRank_;
    uint32_t markedRanks_;
};

// Every place of the table: the other slot orders of each kind of hand are
// filled from its marks, which take every card of a marked rank wherever it
// lies. Places no hand reaches stay 0.
std::vector<uint16_t> evaluationTable() {
    std::vector<uint16_t> table(HandKey::kPlaces);
    forEachKindOfHand([&table](const Hand& hand) {
        EngineState s;
        s.hand = hand;
        const HandCategory category = evaluateHand(s);
        const int32_t pair = category == HandCategory::KingsOrBetter ? s.pairRank : -1;
        uint32_t markedRanks = 0;
        for (int32_t k = 1; k <= kSlots; ++k) {
            if (s.markedCards[k]) markedRanks |= SlotOrders::rankBit(hand[k]);
        }
        SlotOrders(table, hand, category, pair, markedRanks).place(1, HandKey(), 0, 0b111110);
    });
    return table;
}

}  // namespace
}  // namespace brisko

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fast_eval_table OUTPUT.cpp\n");
        return 2;
    }
    const std::vector<uint16_t> table = brisko::evaluationTable();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << "// Made by engine/make_fast_eval_table.cpp when the game is built.\n"
           "#include \"engine/fast_eval.h\"\n\n"
           "namespace brisko {\n\n"
           "const uint16_t kFastEvaluationTable[HandKey::kPlaces] = {\n";
    for (size_t i = 0; i < table.size(); ++i) {
        out << table[i] << ((i + 1) % 16 == 0 ? ",\n" : ",");
    }
    out << "};\n\n}  // namespace brisko\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_fast_eval_table: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
