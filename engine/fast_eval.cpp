#include "engine/fast_eval.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

namespace brisko {

namespace {

// Fills the entries of every hand whose highest card (numbered from 0) is `top`.
void fillTop(std::vector<uint32_t>& table, int32_t top) {
    EngineState s;
    uint32_t index = static_cast<uint32_t>(binomial(top, 5));
    for (int32_t d = 3; d < top; ++d)
        for (int32_t c = 2; c < d; ++c)
            for (int32_t b = 1; b < c; ++b)
                for (int32_t a = 0; a < b; ++a) {
                    s.hand = Hand{0, a + 1, b + 1, c + 1, d + 1, top + 1};
                    uint32_t entry = static_cast<uint32_t>(evaluateHand(s));
                    for (int32_t k = 1; k <= kSlots; ++k) {
                        if (!s.markedCards[k]) continue;
                        const int32_t card = s.hand[k];
                        entry |= 1u << (card == kJoker ? 17 : cardTable[card].rank + 2);
                    }
                    // Colexicographic order is the loop order.
                    table[index++] = entry;
                }
}

}  // namespace

void FastEvaluator::insert(uint64_t key, uint32_t entry) {
    uint32_t slot = slotOf(key);
    while (keys_[slot] != kEmpty && keys_[slot] != key) slot = (slot + 1) & ((1u << kSlotBits) - 1);
    if (keys_[slot] == key && values_[slot] != entry) {
        throw std::logic_error("two hands of the same ranks and suit pattern evaluate apart");
    }
    keys_[slot] = key;
    values_[slot] = entry;
}

FastEvaluator::FastEvaluator(int32_t threads)
    : table_(kEveryHand), keys_(size_t{1} << kSlotBits, kEmpty), values_(size_t{1} << kSlotBits) {
    threads = std::max(1, threads);
    // Uneven work per top card: hand them out round robin from the largest.
    std::vector<std::thread> workers;
    for (int32_t t = 1; t < threads; ++t) {
        workers.emplace_back([this, t, threads] {
            for (int32_t top = 52 - t; top >= 4; top -= threads) fillTop(table_, top);
        });
    }
    for (int32_t top = 52; top >= 4; top -= threads) fillTop(table_, top);
    for (auto& w : workers) w.join();

    uint32_t index = 0;
    for (int32_t e = 4; e <= 52; ++e)
        for (int32_t d = 3; d < e; ++d)
            for (int32_t c = 2; c < d; ++c)
                for (int32_t b = 1; b < c; ++b)
                    for (int32_t a = 0; a < b; ++a) {
                        uint64_t key = 0;
                        uint32_t suits = 0;
                        for (int32_t card : {a + 1, b + 1, c + 1, d + 1, e + 1}) {
                            key += rankKeys.key[card];
                            suits |= rankKeys.suitBit[card];
                        }
                        insert(key | keyOfSuits(suits), table_[index++]);
                    }
}

}  // namespace brisko
