// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/returns.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace brisko {

// ---------------------------------------------------------------------------
// Whole game types: counting final hands per held set, once.

namespace {

// Colexicographic position (colexOfMask) of a sorted set of ordinary cards
// numbered from 0, with the card y added (not in the set).
uint32_t colexWith(const int32_t* cards, int32_t count, int32_t y) {
    uint32_t index = 0;
    int32_t below = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (cards[i] < y) {
            index += static_cast<uint32_t>(binomial(cards[i], i + 1));
            ++below;
        } else {
            index += static_cast<uint32_t>(binomial(cards[i], i + 2));
        }
    }
    return index + static_cast<uint32_t>(binomial(y, below + 1));
}

void unrank(uint32_t index, int32_t count, int32_t* cards) {
    for (int32_t i = count; i >= 1; --i) {
        int32_t x = i - 1;
        while (binomial(x + 1, i) <= index) ++x;
        cards[i - 1] = x;
        index -= static_cast<uint32_t>(binomial(x, i));
    }
}

void nextSet(int32_t* cards, int32_t count) {
    int32_t i = 0;
    while (i + 1 < count && cards[i] + 1 == cards[i + 1]) ++i;
    ++cards[i];
    for (int32_t j = 0; j < i; ++j) cards[j] = j;
}

// Runs f(thread, first, last) for threads 0 .. threads - 1, which split
// [0, total) into runs of about the same length; thread 0 is the caller's.
template <typename F>
void inParallel(int32_t threads, int64_t total, F f) {
    std::vector<std::thread> workers;
    const int64_t step = (total + threads - 1) / threads;
    for (int32_t t = 1; t < threads; ++t) {
        const int64_t first = std::min(total, t * step);
        const int64_t last = std::min(total, first + step);
        workers.emplace_back([&f, t, first, last] { f(t, first, last); });
    }
    f(0, 0, std::min(total, step));
    for (auto& w : workers) w.join();
}

// Least common multiple of C(n, 0..5): every hold's draws divide it.
int64_t drawDenominator(int32_t n) {
    int64_t l = 1;
    for (int32_t k = 0; k <= 5; ++k) {
        const int64_t c = binomial(n, k);
        int64_t a = l;
        int64_t b = c;
        while (b != 0) {
            const int64_t t = a % b;
            a = b;
            b = t;
        }
        l = l / a * c;
    }
    return l;
}

struct Deal {
    std::array<int8_t, 5> cards;  // ordinary cards from 0, ascending
    int32_t weight;               // deals in its class
};

// One deal per class of deals that differ only by the names of the suits,
// with the size of its class; or every deal once.
std::vector<Deal> dealsOf(int32_t count, bool bySuitSymmetry) {
    std::vector<Deal> deals;
    std::array<int32_t, 5> c{0, 1, 2, 3, 4};
    const auto total = static_cast<uint32_t>(binomial(52, count));
    for (uint32_t i = 0; i < total; ++i, nextSet(c.data(), count)) {
        Deal d{};
        for (int32_t k = 0; k < count; ++k) d.cards[k] = static_cast<int8_t>(c[k]);
        d.weight = 1;
        if (bySuitSymmetry) {
            std::array<uint32_t, 4> suits{};
            for (int32_t k = 0; k < count; ++k) suits[c[k] / 13] |= 1u << (c[k] % 13);
            // The representative has its suits' rank sets in decreasing order.
            if (!std::is_sorted(suits.rbegin(), suits.rend())) continue;
            int32_t weight = 24;
            for (int32_t a = 0; a < 4;) {
                int32_t b = a;
                while (b < 4 && suits[b] == suits[a]) ++b;
                for (int32_t f = 2; f <= b - a; ++f) weight /= f;
                a = b;
            }
            d.weight = weight;
        }
        deals.push_back(d);
    }
    return deals;
}

// Of the win per credit of one draw, from the chances of the categories.
double standardDeviationOf(const GameReturn& r) {
    long double square = 0;
    for (int32_t c = 0; c < kCategoryCount; ++c) {
        square +=
            static_cast<long double>(payMultiplier[c]) * payMultiplier[c] * r.categories[c].value();
    }
    const long double mean = r.perCredit.value();
    return static_cast<double>(std::sqrt(square - mean * mean));
}

// The classes of deals, found once for every game type that deals them.
const std::vector<Deal>& dealClasses(int32_t count) {
    if (count == 5) {
        static const std::vector<Deal> five = dealsOf(5, true);
        return five;
    }
    static const std::vector<Deal> four = dealsOf(4, true);
    return four;
}

}  // namespace

int64_t suitClassCount(int32_t cards) {
    return static_cast<int64_t>(dealsOf(cards, true).size());
}

ReturnCalculator::ReturnCalculator(const FastEvaluator& evaluator, int32_t threads)
    : evaluator_(evaluator), threads_(std::max(1, threads)) {
    for (int32_t k = 0; k <= 4; ++k) {
        const auto size = static_cast<size_t>(binomial(52, k));
        without_[k].categories.assign(size, {});
        with_[k].categories.assign(size, {});
    }
    // Sets of four: the 48 five-card hands around each, and the joker's hand.
    inParallel(threads_, binomial(52, 4), [this](int32_t, int64_t first, int64_t last) {
        std::array<int32_t, 4> x{};
        unrank(static_cast<uint32_t>(first), 4, x.data());
        for (int64_t i = first; i < last; ++i, nextSet(x.data(), 4)) {
            HandKey four;
            for (int32_t c : x) four = four.with(c + 1);
            auto& counts = without_[4].categories[static_cast<size_t>(i)];
            for (int32_t y = 0, k = 0; y < 52; ++y) {
                if (k < 4 && x[k] == y) {
                    ++k;
                    continue;
                }
                ++counts[static_cast<int32_t>(evaluator_.categoryAt(four.with(y + 1).index()))];
            }
            const auto joker = evaluator_.categoryAt(four.with(kJoker).index());
            ++with_[4].categories[static_cast<size_t>(i)][static_cast<int32_t>(joker)];
        }
    });
    for (int32_t k = 3; k >= 0; --k) addUpSmallerSets(k);
    for (Level* levels : {without_.data(), with_.data()}) {
        for (int32_t k = 0; k <= 4; ++k) {
            Level& level = levels[k];
            level.pay.resize(level.categories.size());
            for (size_t i = 0; i < level.categories.size(); ++i) {
                int64_t total = 0;
                for (int32_t c = 0; c < kCategoryCount; ++c) {
                    total = checkedAdd(total, int64_t{payMultiplier[c]} * level.categories[i][c]);
                }
                level.pay[i] = total;
            }
        }
    }
}

// Sets of k cards from the sets of k + 1: each final hand holding a set of k
// cards is reached through each of its cards outside the set.
void ReturnCalculator::addUpSmallerSets(int32_t k) {
    inParallel(threads_, binomial(52, k), [this, k](int32_t, int64_t first, int64_t last) {
        std::array<int32_t, 4> x{};
        if (k > 0) unrank(static_cast<uint32_t>(first), k, x.data());
        for (int64_t i = first; i < last; ++i) {
            for (Level* level : {&without_[0], &with_[0]}) {
                const bool joker = level == &with_[0];
                auto& into = level[k].categories[static_cast<size_t>(i)];
                for (int32_t y = 0, j = 0; y < 52; ++y) {
                    if (j < k && x[j] == y) {
                        ++j;
                        continue;
                    }
                    const auto& from = level[k + 1].categories[colexWith(x.data(), k, y)];
                    for (int32_t c = 0; c < kCategoryCount; ++c) {
                        into[c] = checkedAdd(into[c], from[c]);
                    }
                }
                const uint32_t times = static_cast<uint32_t>((joker ? 4 : 5) - k);
                for (auto& v : into) v /= times;
            }
            if (k > 0) nextSet(x.data(), k);
        }
    });
}

// The values of the holds of one deal from the tables: numerators over
// kJokerOdds x drawDenominator(cards left), by hold of positions (bit 4 the joker
// when four ordinary cards were dealt).
class DealWork {
  public:
    DealWork(const ReturnCalculator& calc, GameType gameType, const int8_t* cards, int32_t count)
        : calc_(calc), gameType_(gameType), count_(count) {
        n_ = 52 - count;
        scale_ = drawDenominator(n_);
        for (int32_t drawn = 0; drawn <= kSlots; ++drawn) {
            perDraw_[drawn] = scale_ / binomial(n_, drawn);
        }
        if (count == 5) {
            HandKey key;
            for (int32_t k = 0; k < count; ++k) key = key.with(cards[k] + 1);
            full_ = calc.evaluator_.categoryAt(key.index());
        }
        const uint32_t subsets = 1u << count;
        for (uint32_t sub = 0; sub < subsets; ++sub) {
            uint64_t chosen = 0;
            for (int32_t k = 0; k < count; ++k) {
                if ((sub >> k) & 1) chosen |= uint64_t{1} << cards[k];
            }
            size_[sub] = std::popcount(sub);
            index_[sub] = colexOfMask(chosen);
            if (size_[sub] == 5) {
                plain_[sub] = payMultiplier[static_cast<int32_t>(full_)];
                joker_[sub] = 0;
            } else {
                plain_[sub] = calc.without_[size_[sub]].pay[index_[sub]];
                joker_[sub] = calc.with_[size_[sub]].pay[index_[sub]];
            }
        }
        // Keep only the final hands that hold no discarded card.
        for (int32_t b = 0; b < count; ++b) {
            for (uint32_t sub = 0; sub < subsets; ++sub) {
                if ((sub >> b) & 1) continue;
                plain_[sub] = checkedSub(plain_[sub], plain_[sub | (1u << b)]);
                joker_[sub] = checkedSub(joker_[sub], joker_[sub | (1u << b)]);
            }
        }
    }

    // Weights of the two kinds of final hand for a hold: with its ordinary
    // cards `sub` and the joker held or not.
    struct Mix {
        uint32_t sub;
        Int128 plain;  // factor on final hands without the joker
        Int128 joker;  // on final hands with it
    };

    Mix mix(HoldMask hold) const {
        const bool jokerHeld = count_ == 4 && (hold & 16u);
        const uint32_t sub = hold & ((1u << count_) - 1);
        const int32_t h = size_[sub] + (jokerHeld ? 1 : 0);
        auto weight = [&](int32_t chances, int32_t drawn) {
            return checkedMul(Int128{chances}, Int128{perDraw_[drawn]});
        };
        if (jokerHeld) return {sub, 0, weight(kJokerOdds, 4 - size_[sub])};
        const int32_t j = jokerDrawChances(rulesOf(gameType_), h);
        return {sub, weight(kJokerOdds - j, 5 - h), j > 0 ? weight(j, 4 - h) : 0};
    }

    Int128 value(HoldMask hold) const {
        const Mix m = mix(hold);
        return checkedAdd(checkedMul(m.plain, Int128{plain_[m.sub]}),
                          checkedMul(m.joker, Int128{joker_[m.sub]}));
    }

    // Numerators of each final category's chance for a hold: the final hands
    // of each superset of the cards held, added and taken away in turn, are
    // counted first and weighed once.
    std::array<Int128, kCategoryCount> categories(HoldMask hold) const {
        const Mix m = mix(hold);
        std::array<int64_t, kCategoryCount> plain{};
        std::array<int64_t, kCategoryCount> joker{};
        int64_t dealt = 0;  // the five cards dealt, all held
        const uint32_t all = (1u << count_) - 1;
        for (uint32_t sup = m.sub;; sup = (sup + 1) | m.sub) {
            const int64_t sign = 1 - 2 * ((size_[sup] - size_[m.sub]) & 1);
            if (size_[sup] == 5) {
                dealt += sign;
            } else {
                const auto& p = calc_.without_[size_[sup]].categories[index_[sup]];
                const auto& q = calc_.with_[size_[sup]].categories[index_[sup]];
                for (int32_t c = 0; c < kCategoryCount; ++c) {
                    plain[c] += sign * p[c];
                    joker[c] += sign * q[c];
                }
            }
            if (sup == all) break;
        }
        std::array<Int128, kCategoryCount> out{};
        for (int32_t c = 0; c < kCategoryCount; ++c) {
            out[c] = checkedAdd(checkedMul(m.plain, Int128{plain[c]}),
                                checkedMul(m.joker, Int128{joker[c]}));
        }
        Int128& full = out[static_cast<int32_t>(full_)];
        full = checkedAdd(full, checkedMul(m.plain, Int128{dealt}));
        return out;
    }

    // kJokerOdds x drawDenominator: the denominator of every value above.
    Int128 denominator() const { return checkedMul(Int128{kJokerOdds}, Int128{scale_}); }

  private:
    const ReturnCalculator& calc_;
    GameType gameType_;
    int32_t count_;
    int32_t n_ = 0;
    int64_t scale_ = 1;
    std::array<int64_t, kSlots + 1> perDraw_{};  // scale_ over the draws of that many cards
    HandCategory full_ = HandCategory::Nothing;  // of the five cards dealt, if five
    std::array<int32_t, 32> size_{};
    std::array<uint32_t, 32> index_{};
    std::array<int64_t, 32> plain_{};
    std::array<int64_t, 32> joker_{};
};

// Sums over deals of a kind, per strategy, over the deal's denominator.
struct ReturnCalculator::Sums {
    std::array<Int128, 2> value{};
    std::array<std::array<Int128, kCategoryCount>, 2> categories{};

    // `weight` deals played by strategy 0 (optimal) or 1, with the value and
    // the categories of the hold played.
    void add(int32_t s, int32_t weight, const Int128& holdValue,
             const std::array<Int128, kCategoryCount>& cats) {
        value[s] = checkedAdd(value[s], checkedMul(Int128{weight}, holdValue));
        for (int32_t c = 0; c < kCategoryCount; ++c) {
            categories[s][c] = checkedAdd(categories[s][c], checkedMul(Int128{weight}, cats[c]));
        }
    }

    void operator+=(const Sums& o) {
        for (int32_t s = 0; s < 2; ++s) {
            value[s] = checkedAdd(value[s], o.value[s]);
            for (int32_t c = 0; c < kCategoryCount; ++c) {
                categories[s][c] = checkedAdd(categories[s][c], o.categories[s][c]);
            }
        }
    }
};

namespace {

Hand handOfDeal(const Deal& d, int32_t count) {
    Hand hand{};
    for (int32_t k = 0; k < count; ++k) hand[k + 1] = d.cards[k] + 1;
    if (count == 4) hand[5] = kJoker;
    return hand;
}

}  // namespace

std::vector<DealKind> dealKindsOf(GameType gameType) {
    const int32_t joker = rulesOf(gameType).jokerDealChances;
    std::vector<DealKind> kinds;
    if (joker < kJokerOdds) kinds.push_back({5, kJokerOdds - joker});
    if (joker > 0) kinds.push_back({4, joker});
    return kinds;
}

std::array<Fraction, kHoldCount> ReturnCalculator::holdValues(const Hand& dealt,
                                                              GameType gameType) const {
    // Positions: the ordinary cards in ascending order, then the joker.
    std::array<std::pair<int32_t, int32_t>, 5> bySlot{};  // (card from 0, slot)
    int32_t count = 0;
    int32_t jokerSlot = 0;
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (dealt[k] == kJoker) {
            jokerSlot = k;
        } else {
            bySlot[count++] = {dealt[k] - 1, k};
        }
    }
    for (int32_t i = 1; i < count; ++i) {
        for (int32_t j = i; j > 0 && bySlot[j] < bySlot[j - 1]; --j) {
            std::swap(bySlot[j], bySlot[j - 1]);
        }
    }
    std::array<int8_t, 5> cards{};
    for (int32_t k = 0; k < count; ++k) cards[k] = static_cast<int8_t>(bySlot[k].first);
    DealWork work(*this, gameType, cards.data(), count);
    std::array<Fraction, kHoldCount> values;
    for (HoldMask hold = 0; hold < kHoldCount; ++hold) {
        HoldMask slots = 0;
        for (int32_t k = 0; k < count; ++k) {
            if ((hold >> k) & 1) slots |= 1u << (bySlot[k].second - 1);
        }
        if (count == 4 && (hold & 16u)) slots |= 1u << (jokerSlot - 1);
        values[slots] = Fraction(work.value(hold), work.denominator());
    }
    return values;
}

Int128 ReturnCalculator::valueDenominator(int32_t ordinaryCards) {
    return checkedMul(Int128{kJokerOdds}, Int128{drawDenominator(52 - ordinaryCards)});
}

size_t ReturnCalculator::dealClassCount(int32_t ordinaryCards) {
    return static_cast<size_t>(suitClassCount(ordinaryCards));
}

void ReturnCalculator::forEachDealClass(
    GameType gameType, int32_t ordinaryCards,
    const std::function<void(size_t, const DealClassValues&)>& visit) const {
    const std::vector<Deal> deals = dealsOf(ordinaryCards, true);
    inParallel(threads_, static_cast<int64_t>(deals.size()),
               [&](int32_t, int64_t first, int64_t last) {
                   DealClassValues out{};
                   for (auto i = static_cast<size_t>(first); i < static_cast<size_t>(last); ++i) {
                       const Deal& d = deals[i];
                       const DealWork w(*this, gameType, d.cards.data(), ordinaryCards);
                       out.hand = handOfDeal(d, ordinaryCards);
                       out.weight = d.weight;
                       for (HoldMask hold = 0; hold < kHoldCount; ++hold) {
                           out.values[hold] = static_cast<int64_t>(w.value(hold));
                       }
                       visit(i, out);
                   }
               });
}

// Every deal of `count` ordinary cards (and the joker with four), each played
// with the optimal hold and with the suggested one, summed over the deals.
ReturnCalculator::Sums ReturnCalculator::sumOverDeals(GameType gameType, int32_t count,
                                                      bool bySuitSymmetry) const {
    const std::vector<Deal> everyDeal =
        bySuitSymmetry ? std::vector<Deal>() : dealsOf(count, false);
    const std::vector<Deal>& deals = bySuitSymmetry ? dealClasses(count) : everyDeal;
    std::vector<Sums> partial(static_cast<size_t>(threads_));
    const auto total = static_cast<int64_t>(deals.size());
    inParallel(threads_, total, [&](int32_t thread, int64_t first, int64_t last) {
        Sums& sums = partial[static_cast<size_t>(thread)];
        for (auto i = static_cast<size_t>(first); i < static_cast<size_t>(last); ++i) {
            const Deal& d = deals[i];
            const DealWork w(*this, gameType, d.cards.data(), count);
            std::array<Int128, kHoldCount> values{};
            for (HoldMask hold = 0; hold < kHoldCount; ++hold) values[hold] = w.value(hold);
            const HoldMask best = bestHold(values);
            const HoldMask suggested = suggestedHold(evaluator_, handOfDeal(d, count));
            const auto played = w.categories(best);
            sums.add(0, d.weight, values[best], played);
            sums.add(1, d.weight, values[suggested],
                     suggested == best ? played : w.categories(suggested));
        }
    });
    Sums sums;
    for (const Sums& p : partial) sums += p;
    return sums;
}

std::array<GameReturn, 2> ReturnCalculator::gameReturns(GameType gameType,
                                                        bool bySuitSymmetry) const {
    std::array<GameReturn, 2> out;
    for (int32_t s = 0; s < 2; ++s) {
        out[s].gameType = gameType;
        out[s].strategy = s == 0 ? Strategy::Optimal : Strategy::Suggest;
    }
    for (const auto& [count, chance] : dealKindsOf(gameType)) {
        const Sums total = sumOverDeals(gameType, count, bySuitSymmetry);
        // Every deal's values share the denominator kJokerOdds x drawDenominator.
        const Int128 den = checkedMul(valueDenominator(count), Int128{binomial(52, count)});
        const Fraction kindChance(chance, kJokerOdds);
        for (int32_t s = 0; s < 2; ++s) {
            out[s].perCredit = out[s].perCredit + kindChance * Fraction(total.value[s], den);
            for (int32_t c = 0; c < kCategoryCount; ++c) {
                out[s].categories[c] =
                    out[s].categories[c] + kindChance * Fraction(total.categories[s][c], den);
            }
        }
    }
    for (auto& r : out) r.standardDeviation = standardDeviationOf(r);
    return out;
}

const std::array<GameReturn, 2>& exactReturns(GameType gameType) {
    static const auto all = [] {
        std::array<std::array<GameReturn, 2>, kGameTypes> returns;
        const auto* figure = kExactReturnFigures.data();
        auto next = [&figure] {
            const Fraction f((*figure)[0], (*figure)[1]);
            ++figure;
            return f;
        };
        for (int32_t t = 1; t <= kGameTypes; ++t) {
            for (int32_t s = 0; s < 2; ++s) {
                GameReturn& r = returns[static_cast<size_t>(t - 1)][static_cast<size_t>(s)];
                r.gameType = static_cast<GameType>(t);
                r.strategy = s == 0 ? Strategy::Optimal : Strategy::Suggest;
                r.perCredit = next();
                for (Fraction& c : r.categories) c = next();
                r.standardDeviation = standardDeviationOf(r);
            }
        }
        return returns;
    }();
    return all[static_cast<size_t>(number(gameType) - 1)];
}

}  // namespace brisko
