#include "tools/returns.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace brisko {

namespace {

Int128 abs128(Int128 v) {
    return v < 0 ? -v : v;
}

Int128 gcd128(Int128 a, Int128 b) {
    a = abs128(a);
    b = abs128(b);
    while (b != 0) {
        const Int128 t = a % b;
        a = b;
        b = t;
    }
    return a;
}

// The sums here are far below 2^127; a product that is not means a fault.
Int128 mul(Int128 a, Int128 b) {
    Int128 r = 0;
    if (__builtin_mul_overflow(a, b, &r)) throw std::overflow_error("128-bit overflow");
    return r;
}

Int128 add(Int128 a, Int128 b) {
    Int128 r = 0;
    if (__builtin_add_overflow(a, b, &r)) throw std::overflow_error("128-bit overflow");
    return r;
}

}  // namespace

std::string toString(Int128 value) {
    if (value == 0) return "0";
    const bool negative = value < 0;
    std::string digits;
    for (Int128 v = abs128(value); v != 0; v /= 10) digits += static_cast<char>('0' + v % 10);
    if (negative) digits += '-';
    return {digits.rbegin(), digits.rend()};
}

Fraction::Fraction(Int128 num, Int128 den) {
    if (den == 0) throw std::domain_error("fraction with denominator 0");
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const Int128 g = gcd128(num, den);
    num_ = g > 1 ? num / g : num;
    den_ = g > 1 ? den / g : den;
}

Fraction Fraction::operator+(const Fraction& o) const {
    const Int128 g = gcd128(den_, o.den_);
    return Fraction(add(mul(num_, o.den_ / g), mul(o.num_, den_ / g)), mul(den_ / g, o.den_));
}

Fraction Fraction::operator*(const Fraction& o) const {
    const Int128 g1 = std::max<Int128>(1, gcd128(num_, o.den_));
    const Int128 g2 = std::max<Int128>(1, gcd128(o.num_, den_));
    return Fraction(mul(num_ / g1, o.num_ / g2), mul(den_ / g2, o.den_ / g1));
}

bool Fraction::operator<(const Fraction& o) const {
    return mul(num_, o.den_) < mul(o.num_, den_);
}

long double Fraction::value() const {
    const Int128 whole = num_ / den_;
    const Int128 rest = num_ % den_;
    return static_cast<long double>(whole) +
           static_cast<long double>(rest) / static_cast<long double>(den_);
}

std::string Fraction::exact() const {
    return toString(num_) + "/" + toString(den_);
}

std::string Fraction::decimal(int32_t places) const {
    std::string s = num_ < 0 ? "-" : "";
    Int128 n = abs128(num_);
    s += toString(n / den_);
    n %= den_;
    if (places > 0) s += '.';
    for (int32_t i = 0; i < places; ++i) {
        n *= 10;
        s += static_cast<char>('0' + static_cast<int>(n / den_));
        n %= den_;
    }
    return s;
}

// ---------------------------------------------------------------------------
// One dealt hand, by counting the draws rank by rank.

namespace {

using Histogram = std::array<int64_t, kCategoryCount>;

int64_t payOf(const Histogram& h) {
    int64_t total = 0;
    for (int32_t c = 0; c < kCategoryCount; ++c) total += payMultiplier[c] * h[c];
    return total;
}

int32_t rankOf(int32_t cardIndex) {
    return cardTable[cardIndex].rank;
}

HandCategory evaluateCards(const std::vector<int32_t>& ordinary, bool joker) {
    EngineState s;
    int32_t k = 1;
    for (int32_t c : ordinary) s.hand[k++] = c;
    if (joker) s.hand[k] = kJoker;
    return evaluateHand(s);
}

using RankCounts = std::array<int32_t, 15>;  // ordinary cards per rank 2..14

// The category of ordinary cards of these ranks (and the joker) when they are
// not all of one suit: every category but the flushes depends on the ranks only.
HandCategory mixedSuitsCategory(const RankCounts& counts, bool joker) {
    EngineState s;
    int32_t slot = 1;
    for (int32_t r = 2; r <= 14; ++r) {
        for (int32_t i = 0; i < counts[r]; ++i) {
            // Consecutive suits: copies of a rank differ, and the first two cards too.
            s.hand[slot] = cardIndex((slot - 1) % 4 + 1, r == 14 ? 1 : r);
            ++slot;
        }
    }
    if (joker) s.hand[slot] = kJoker;
    return evaluateHand(s);
}

// Categories already worked out for one dealt hand, by key: the ranks'
// counts in base 5, the joker, and ordinary cards all of one suit.
class CategoryMemo {
  public:
    static constexpr uint64_t kJokerKey = 1'220'703'125;  // 5^13
    static constexpr uint64_t kFlushKey = 2 * kJokerKey;
    static constexpr std::array<uint64_t, 15> kRankKey = [] {
        std::array<uint64_t, 15> k{};
        uint64_t p = 1;
        for (int32_t r = 2; r <= 14; ++r, p *= 5) k[r] = p;
        return k;
    }();

    CategoryMemo() : keys_(kSize, 0), values_(kSize) {}

    // The key is never 0: a hand has four ordinary cards at least.
    template <typename Evaluate>
    HandCategory get(uint64_t key, Evaluate evaluate) {
        size_t slot = (key * 0x9E3779B97F4A7C15ull) >> (64 - kBits);
        while (keys_[slot] != 0 && keys_[slot] != key) slot = (slot + 1) & (kSize - 1);
        if (keys_[slot] == 0) {
            keys_[slot] = key;
            values_[slot] = evaluate();
        }
        return values_[slot];
    }

  private:
    static constexpr int32_t kBits = 15;  // room for the ten thousand keys or so
    static constexpr size_t kSize = size_t{1} << kBits;
    std::vector<uint64_t> keys_;
    std::vector<HandCategory> values_;
};

// Final categories over every set of `draw` cards out of `pool`, added to
// `held` (and the joker when `joker`).
class DrawCounter {
  public:
    DrawCounter(const std::vector<int32_t>& held, bool joker, const std::vector<int32_t>& pool,
                CategoryMemo& memo)
        : held_(held), joker_(joker), pool_(pool), memo_(memo) {
        for (int32_t c : pool) ++available_[rankOf(c)];
        key_ = joker ? CategoryMemo::kJokerKey : 0;
        for (int32_t c : held) {
            ++counts_[rankOf(c)];
            key_ += CategoryMemo::kRankKey[rankOf(c)];
        }
    }

    Histogram count(int32_t draw) {
        histogram_ = {};
        byRank(2, draw, 1);
        flushes(draw);
        return histogram_;
    }

  private:
    void byRank(int32_t rank, int32_t left, int64_t ways) {
        if (left == 0) {
            const HandCategory c =
                memo_.get(key_, [this] { return mixedSuitsCategory(counts_, joker_); });
            histogram_[static_cast<int32_t>(c)] += ways;
            return;
        }
        if (rank > 14) return;
        for (int32_t n = 0; n <= std::min(left, available_[rank]); ++n) {
            counts_[rank] += n;
            key_ += n * CategoryMemo::kRankKey[rank];
            byRank(rank + 1, left - n, ways * binomial(available_[rank], n));
            key_ -= n * CategoryMemo::kRankKey[rank];
            counts_[rank] -= n;
        }
    }

    // Draws that leave every ordinary card in one suit were counted with the
    // suits mixed: move them to their own category.
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
            RankCounts ranks{};
            uint64_t key = joker_ ? CategoryMemo::kJokerKey : 0;
            for (int32_t c : cards) {
                ++ranks[rankOf(c)];
                key += CategoryMemo::kRankKey[rankOf(c)];
            }
            const HandCategory flush = memo_.get(key + CategoryMemo::kFlushKey,
                                                 [&] { return evaluateCards(cards, joker_); });
            const HandCategory mixed =
                memo_.get(key, [&] { return mixedSuitsCategory(ranks, joker_); });
            ++histogram_[static_cast<int32_t>(flush)];
            --histogram_[static_cast<int32_t>(mixed)];
            return;
        }
        for (size_t i = from; i + static_cast<size_t>(left) <= suited.size(); ++i) {
            cards.push_back(suited[i]);
            suitedDraws(suited, i + 1, left - 1, cards);
            cards.pop_back();
        }
    }

    std::vector<int32_t> held_;
    bool joker_;
    std::vector<int32_t> pool_;
    RankCounts available_{};
    CategoryMemo& memo_;
    RankCounts counts_{};
    uint64_t key_ = 0;
    Histogram histogram_{};
};

}  // namespace

std::array<Fraction, kHoldCount> holdValues(const Hand& dealt, int32_t gameType,
                                            int32_t fewestHeld) {
    std::array<bool, 54> inHand{};
    for (int32_t k = 1; k <= kSlots; ++k) inHand[dealt[k]] = true;
    std::vector<int32_t> pool;
    for (int32_t c = 1; c <= kOrdinaryCards; ++c) {
        if (!inHand[c]) pool.push_back(c);
    }
    const auto n = static_cast<int32_t>(pool.size());

    CategoryMemo memo;
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
        const int32_t drawn = kSlots - static_cast<int32_t>(held.size()) - (jokerHeld ? 1 : 0);
        DrawCounter counter(held, jokerHeld, pool, memo);
        const int64_t plain = payOf(counter.count(drawn));
        const int32_t j = gameType == 2 && !jokerHeld ? jokerDrawChances(h) : 0;
        Fraction v(Int128{plain} * (kJokerOdds - j), Int128{binomial(n, drawn)} * kJokerOdds);
        if (j > 0) {
            DrawCounter withJoker(held, true, pool, memo);
            const int64_t joker = payOf(withJoker.count(drawn - 1));
            v = v + Fraction(Int128{joker} * j, Int128{binomial(n, drawn - 1)} * kJokerOdds);
        }
        values[mask] = v;
    }
    return values;
}

HoldMask suggestedHold(const Hand& dealt) {
    EngineState s;
    s.hand = dealt;
    evaluateHand(s);
    suggestMarks(s);
    HoldMask mask = 0;
    for (int32_t k = 1; k <= kSlots; ++k) mask |= s.markedCards[k] ? 1u << (k - 1) : 0u;
    return mask;
}

// ---------------------------------------------------------------------------
// Whole game types: counting final hands per held set, once.

namespace {

// Colexicographic position of a sorted set of ordinary cards numbered from 0.
uint32_t colex(const int32_t* cards, int32_t count) {
    uint32_t index = 0;
    for (int32_t i = 0; i < count; ++i) index += static_cast<uint32_t>(binomial(cards[i], i + 1));
    return index;
}

// The same with the card y added (not in the set).
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

// Runs f(first, last) over [0, total) split among the threads.
template <typename F>
void inParallel(int32_t threads, int64_t total, F f) {
    std::vector<std::thread> workers;
    const int64_t step = (total + threads - 1) / threads;
    for (int32_t t = 1; t < threads; ++t) {
        const int64_t first = std::min(total, t * step);
        const int64_t last = std::min(total, first + step);
        workers.emplace_back([&f, first, last] { f(first, last); });
    }
    f(0, std::min(total, step));
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
    inParallel(threads_, binomial(52, 4), [this](int64_t first, int64_t last) {
        std::array<int32_t, 4> x{};
        unrank(static_cast<uint32_t>(first), 4, x.data());
        for (int64_t i = first; i < last; ++i, nextSet(x.data(), 4)) {
            auto& counts = without_[4].categories[static_cast<size_t>(i)];
            for (int32_t y = 0, k = 0; y < 52; ++y) {
                if (k < 4 && x[k] == y) {
                    ++k;
                    continue;
                }
                ++counts[static_cast<int32_t>(evaluator_.categoryAt(colexWith(x.data(), 4, y)))];
            }
            const auto joker = evaluator_.categoryAt(static_cast<uint32_t>(kHandsWithoutJoker + i));
            ++with_[4].categories[static_cast<size_t>(i)][static_cast<int32_t>(joker)];
        }
    });
    // Smaller sets from larger ones: each final hand holding a set of k cards
    // is reached through each of its cards outside the set.
    for (int32_t k = 3; k >= 0; --k) {
        inParallel(threads_, binomial(52, k), [this, k](int64_t first, int64_t last) {
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
                        for (int32_t c = 0; c < kCategoryCount; ++c) into[c] += from[c];
                    }
                    const uint32_t times = static_cast<uint32_t>((joker ? 4 : 5) - k);
                    for (auto& v : into) v /= times;
                }
                if (k > 0) nextSet(x.data(), k);
            }
        });
    }
    for (Level* levels : {without_.data(), with_.data()}) {
        for (int32_t k = 0; k <= 4; ++k) {
            Level& level = levels[k];
            level.pay.resize(level.categories.size());
            for (size_t i = 0; i < level.categories.size(); ++i) {
                int64_t total = 0;
                for (int32_t c = 0; c < kCategoryCount; ++c) {
                    total += int64_t{payMultiplier[c]} * level.categories[i][c];
                }
                level.pay[i] = total;
            }
        }
    }
}

// The values of the holds of one deal from the tables: numerators over
// 1060 x drawDenominator(cards left), by hold of positions (bit 4 the joker
// when four ordinary cards were dealt).
class DealWork {
  public:
    DealWork(const ReturnCalculator& calc, int32_t gameType, const int8_t* cards, int32_t count)
        : calc_(calc), gameType_(gameType), count_(count) {
        for (int32_t k = 0; k < count; ++k) cards_[k] = cards[k];
        n_ = 52 - count;
        scale_ = drawDenominator(n_);
        const uint32_t subsets = 1u << count;
        for (uint32_t sub = 0; sub < subsets; ++sub) {
            int32_t chosen[5];
            int32_t size = 0;
            for (int32_t k = 0; k < count; ++k) {
                if ((sub >> k) & 1) chosen[size++] = cards_[k];
            }
            size_[sub] = size;
            index_[sub] = colex(chosen, size);
            if (size == 5) {
                plain_[sub] = payMultiplier[static_cast<int32_t>(fullCategory())];
                joker_[sub] = 0;
            } else {
                plain_[sub] = calc.without_[size].pay[index_[sub]];
                joker_[sub] = calc.with_[size].pay[index_[sub]];
            }
        }
        // Keep only the final hands that hold no discarded card.
        for (int32_t b = 0; b < count; ++b) {
            for (uint32_t sub = 0; sub < subsets; ++sub) {
                if ((sub >> b) & 1) continue;
                plain_[sub] -= plain_[sub | (1u << b)];
                joker_[sub] -= joker_[sub | (1u << b)];
            }
        }
    }

    HandCategory fullCategory() const { return calc_.evaluator_.categoryAt(index_[31]); }

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
        if (jokerHeld) {
            return {sub, 0, Int128{kJokerOdds} * (scale_ / binomial(n_, 4 - size_[sub]))};
        }
        const int32_t j = gameType_ == 2 ? jokerDrawChances(h) : 0;
        Mix m{sub, Int128{kJokerOdds - j} * (scale_ / binomial(n_, 5 - h)), 0};
        if (j > 0) m.joker = Int128{j} * (scale_ / binomial(n_, 4 - h));
        return m;
    }

    Int128 value(HoldMask hold) const {
        const Mix m = mix(hold);
        return m.plain * plain_[m.sub] + m.joker * joker_[m.sub];
    }

    // Numerators of each final category's chance for a hold.
    std::array<Int128, kCategoryCount> categories(HoldMask hold) const {
        const Mix m = mix(hold);
        std::array<Int128, kCategoryCount> out{};
        const uint32_t all = (1u << count_) - 1;
        for (uint32_t sup = m.sub;; sup = (sup + 1) | m.sub) {
            const int64_t sign = (std::popcount(sup ^ m.sub) & 1) ? -1 : 1;
            if (size_[sup] == 5) {
                out[static_cast<int32_t>(fullCategory())] += m.plain * sign;
            } else {
                const auto& p = calc_.without_[size_[sup]].categories[index_[sup]];
                const auto& q = calc_.with_[size_[sup]].categories[index_[sup]];
                for (int32_t c = 0; c < kCategoryCount; ++c) {
                    out[c] += sign * (m.plain * p[c] + m.joker * q[c]);
                }
            }
            if (sup == all) break;
        }
        return out;
    }

    // 1060 x drawDenominator: the denominator of every value above.
    Int128 denominator() const { return Int128{kJokerOdds} * scale_; }

  private:
    const ReturnCalculator& calc_;
    int32_t gameType_;
    int32_t count_;
    int32_t n_ = 0;
    int64_t scale_ = 1;
    std::array<int32_t, 5> cards_{};
    std::array<int32_t, 32> size_{};
    std::array<uint32_t, 32> index_{};
    std::array<int64_t, 32> plain_{};
    std::array<int64_t, 32> joker_{};
};

namespace {

// Sums over deals of a kind, per strategy, over the deal's denominator.
struct Sums {
    std::array<Int128, 2> value{};
    std::array<std::array<Int128, kCategoryCount>, 2> categories{};
    void operator+=(const Sums& o) {
        for (int32_t s = 0; s < 2; ++s) {
            value[s] = add(value[s], o.value[s]);
            for (int32_t c = 0; c < kCategoryCount; ++c) {
                categories[s][c] = add(categories[s][c], o.categories[s][c]);
            }
        }
    }
};

Hand handOfDeal(const Deal& d, int32_t count) {
    Hand hand{};
    for (int32_t k = 0; k < count; ++k) hand[k + 1] = d.cards[k] + 1;
    if (count == 4) hand[5] = kJoker;
    return hand;
}

}  // namespace

std::array<Fraction, kHoldCount> ReturnCalculator::holdValues(const Hand& dealt,
                                                              int32_t gameType) const {
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

std::array<GameReturn, 2> ReturnCalculator::gameReturns(int32_t gameType,
                                                        bool bySuitSymmetry) const {
    // The kinds of deal of the game type: (ordinary cards, chance out of 1060).
    std::vector<std::pair<int32_t, int32_t>> kinds;
    if (gameType != 1) kinds.push_back({5, gameType == 2 ? kJokerOdds - kJokerDealChances : 1060});
    if (gameType != 3) kinds.push_back({4, gameType == 2 ? kJokerDealChances : 1060});

    std::array<GameReturn, 2> out;
    for (int32_t s = 0; s < 2; ++s) {
        out[s].gameType = gameType;
        out[s].strategy = s == 0 ? Strategy::Optimal : Strategy::Suggest;
    }
    for (const auto& [count, chance] : kinds) {
        const std::vector<Deal> deals = dealsOf(count, bySuitSymmetry);
        std::vector<Sums> partial(static_cast<size_t>(threads_));
        Int128 denominator = 1;
        {
            const Deal& d = deals.front();
            denominator = DealWork(*this, gameType, d.cards.data(), count).denominator();
        }
        const int64_t perThread = (static_cast<int64_t>(deals.size()) + threads_ - 1) / threads_;
        std::vector<std::thread> workers;
        auto work = [&](int32_t t) {
            Sums& sums = partial[static_cast<size_t>(t)];
            const auto first = static_cast<size_t>(
                std::min<int64_t>(static_cast<int64_t>(deals.size()), t * perThread));
            const auto last = static_cast<size_t>(
                std::min<int64_t>(static_cast<int64_t>(deals.size()), (t + 1) * perThread));
            for (size_t i = first; i < last; ++i) {
                const Deal& d = deals[i];
                DealWork w(*this, gameType, d.cards.data(), count);
                // Ties go to the hold of fewest cards, then the lowest mask.
                HoldMask best = 0;
                Int128 bestValue = w.value(0);
                for (HoldMask hold = 1; hold < kHoldCount; ++hold) {
                    const Int128 v = w.value(hold);
                    if (v > bestValue ||
                        (v == bestValue && std::popcount(hold) < std::popcount(best))) {
                        best = hold;
                        bestValue = v;
                    }
                }
                const HoldMask suggested = suggestedHold(handOfDeal(d, count));
                const std::array<HoldMask, 2> holds{best, suggested};
                for (int32_t s = 0; s < 2; ++s) {
                    sums.value[s] += Int128{d.weight} * w.value(holds[s]);
                    const auto cats = w.categories(holds[s]);
                    for (int32_t c = 0; c < kCategoryCount; ++c) {
                        sums.categories[s][c] += Int128{d.weight} * cats[c];
                    }
                }
            }
        };
        for (int32_t t = 1; t < threads_; ++t) workers.emplace_back(work, t);
        work(0);
        for (auto& w : workers) w.join();
        Sums total;
        for (const Sums& p : partial) total += p;

        const Int128 deals52 = binomial(52, count);
        const Fraction kindChance(chance, kJokerOdds);
        for (int32_t s = 0; s < 2; ++s) {
            const Int128 den = mul(denominator, deals52);
            out[s].perCredit = out[s].perCredit + kindChance * Fraction(total.value[s], den);
            for (int32_t c = 0; c < kCategoryCount; ++c) {
                out[s].categories[c] =
                    out[s].categories[c] + kindChance * Fraction(total.categories[s][c], den);
            }
        }
    }
    for (auto& r : out) {
        long double square = 0;
        for (int32_t c = 0; c < kCategoryCount; ++c) {
            square += static_cast<long double>(payMultiplier[c]) * payMultiplier[c] *
                      r.categories[c].value();
        }
        const long double mean = r.perCredit.value();
        r.standardDeviation = static_cast<double>(std::sqrt(square - mean * mean));
    }
    return out;
}

}  // namespace brisko
