// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/strategy.h"

#include <algorithm>
#include <bit>
#include <climits>

namespace brisko {

namespace {

constexpr int32_t kMostLines = 40;      // in a section's list
constexpr int32_t kMostExceptions = 6;  // in a section
// A line or an exception must win at least this much per credit bet over
// the section's deals to be worth learning.
constexpr long double kLeastGain = 2e-6L;

// One hold of a deal that fits a pattern.
struct Entry {
    uint32_t pattern;   // index into Section::patterns
    uint8_t penalties;  // PenaltyCard bits
    int64_t value;
};

struct DealRecord {
    int64_t weight;
    uint32_t begin;  // its entries, in the order ties are broken
    uint32_t end;
    int64_t best;
    int64_t suggested;
};

// The deals of one kind of a game type, with every hold that fits a pattern.
struct Section {
    bool joker = false;
    int32_t ordinaryCards = 5;
    int32_t chances = 0;  // out of kJokerOdds
    Int128 denominator = 1;
    int64_t deals = 0;               // all of them, the weights' sum
    std::vector<uint32_t> patterns;  // codes, ascending
    std::vector<DealRecord> records;
    std::vector<Entry> entries;
};

// The order in which one deal's holds are weighed within a line: the higher
// cards, then the fewer penalty cards, then the slot order.
struct TieKey {
    uint32_t higher;
    int32_t penalties;
    HoldMask hold;
    bool operator<(const TieKey& o) const {
        if (higher != o.higher) return higher > o.higher;
        if (penalties != o.penalties) return penalties < o.penalties;
        return hold < o.hold;
    }
};

struct RawEntry {
    uint32_t code;
    uint8_t penalties;
    uint8_t hold;
    int64_t value;
};

HoldReader readerOf(const Hand& dealt, HoldMask& suggested) {
    EngineState s;
    s.hand = dealt;
    const HandCategory category = evaluateHand(s);
    suggestMarks(s);
    suggested = holdOf(s.markedCards);
    return HoldReader(dealt, category);
}

// The holds of a deal that fit a pattern, in the order ties are broken.
std::vector<RawEntry> rawEntries(const HoldReader& reader,
                                 const std::array<int64_t, kHoldCount>* values) {
    std::vector<std::pair<TieKey, RawEntry>> found;
    for (HoldMask hold = 0; hold < kHoldCount; ++hold) {
        const HoldPattern p = reader.pattern(hold);
        if (p.shape == HoldShape::Junk) continue;
        const uint8_t penalties = p.shape == HoldShape::Draw ? reader.penalties(hold) : 0;
        const TieKey key{reader.higherCardsKey(hold), std::popcount(penalties), hold};
        found.push_back({key, RawEntry{p.code(), penalties, static_cast<uint8_t>(hold),
                                       values ? (*values)[hold] : 0}});
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<RawEntry> out;
    out.reserve(found.size());
    for (const auto& f : found) out.push_back(f.second);
    return out;
}

Section collect(const ReturnCalculator& calculator, GameType gameType, const DealKind& kind) {
    Section s;
    s.ordinaryCards = kind.ordinaryCards;
    s.joker = kind.ordinaryCards == 4;
    s.chances = kind.chances;
    s.denominator = ReturnCalculator::valueDenominator(kind.ordinaryCards);
    s.deals = binomial(52, kind.ordinaryCards);
    const size_t count = ReturnCalculator::dealClassCount(kind.ordinaryCards);
    std::vector<std::vector<RawEntry>> raw(count);
    s.records.resize(count);
    calculator.forEachDealClass(
        gameType, kind.ordinaryCards, [&](size_t i, const DealClassValues& deal) {
            HoldMask suggested = 0;
            const HoldReader reader = readerOf(deal.hand, suggested);
            raw[i] = rawEntries(reader, &deal.values);
            DealRecord& r = s.records[i];
            r.weight = deal.weight;
            r.best = *std::max_element(deal.values.begin(), deal.values.end());
            r.suggested = deal.values[suggested];
        });
    // Pattern indexes in the order of their codes, whatever the threads did.
    for (const auto& entries : raw) {
        for (const RawEntry& e : entries) s.patterns.push_back(e.code);
    }
    std::sort(s.patterns.begin(), s.patterns.end());
    s.patterns.erase(std::unique(s.patterns.begin(), s.patterns.end()), s.patterns.end());
    for (size_t i = 0; i < count; ++i) {
        s.records[i].begin = static_cast<uint32_t>(s.entries.size());
        for (const RawEntry& e : raw[i]) {
            const auto at = std::lower_bound(s.patterns.begin(), s.patterns.end(), e.code);
            s.entries.push_back(
                Entry{static_cast<uint32_t>(at - s.patterns.begin()), e.penalties, e.value});
        }
        s.records[i].end = static_cast<uint32_t>(s.entries.size());
        raw[i] = {};
    }
    return s;
}

// An ordered list of rules and the hold it chooses on every deal: the first
// rule the deal has a hold of, that rule's first hold in the order of ties.
// A rule is a range of patterns (a line of the chart), or the holds of a
// line that throw certain penalty cards (an exception). Learnt by moving one
// rule at a time to the place that adds most to the sum of the values
// chosen, then made short by dropping or joining the lines that cost least.
class OrderSearch {
  public:
    struct Rule {
        PatternRange range;
        uint8_t penalties;  // an exception's; 0 for a line
        int32_t line;       // an exception's line
        bool active;        // in the order
    };

    explicit OrderSearch(const Section& s) : s_(s) {
        for (uint32_t p = 0; p < s.patterns.size(); ++p) {
            lineOf_.push_back(
                addRule(PatternRange::of(HoldPattern::fromCode(s.patterns[p])), 0, -1));
        }
        rebuild();
        // Start from the average value of each rule's holds, best first.
        std::vector<std::pair<long double, int32_t>> start;
        for (int32_t r = 0; r < ruleCount(); ++r) {
            Int128 sum = 0;
            int64_t weight = 0;
            for (const Held& h : where_[static_cast<size_t>(r)]) {
                sum += Int128{s_.records[h.deal].weight} * h.value;
                weight += s_.records[h.deal].weight;
            }
            start.push_back({weight ? static_cast<long double>(sum) / weight : 0, r});
        }
        std::sort(start.begin(), start.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
        for (const auto& [v, r] : start) order_.push_back(r);
        reorder();
    }

    // Moves rules until no single move adds anything.
    void improve() {
        for (bool moved = true; moved;) {
            moved = false;
            for (int32_t r = 0; r < ruleCount(); ++r) {
                if (rule(r).active) moved = moveBest(r) || moved;
            }
        }
    }

    // Drops the rules after the first that fits every deal, and those that
    // choose no deal.
    void dropUnused() {
        std::vector<int64_t> chosen(rules_.size(), 0);
        for (uint32_t d = 0; d < s_.records.size(); ++d) {
            chosen[static_cast<size_t>(first_[d])] += s_.records[d].weight;
        }
        std::vector<int32_t> keep;
        bool stopped = false;
        bool unlinked = false;
        for (int32_t r : order_) {
            const bool stop = isStop(r);
            Rule& rule = rules_[static_cast<size_t>(r)];
            if (!stopped && (stop || chosen[static_cast<size_t>(r)] != 0)) {
                keep.push_back(r);
            } else {
                rule.active = false;
                // The holds of a dropped exception go back to its line.
                if (rule.penalties != 0) {
                    exceptionOf_[static_cast<size_t>(rule.line)] = -1;
                    unlinked = true;
                }
            }
            stopped = stopped || stop;
        }
        order_ = keep;
        if (unlinked) rebuild();
        reorder();
    }

    // Drops or joins the lines that cost least until the list is short
    // enough and every line is worth its place.
    void shorten() {
        for (;;) {
            int32_t lines = 0;
            for (int32_t r : order_) lines += rule(r).penalties == 0;
            Int128 least = 0;
            int32_t drop = -1;
            int32_t joinA = -1;
            int32_t joinB = -1;
            size_t joinPlace = 0;
            bool found = false;
            for (int32_t r : order_) {
                if (isStop(r) || rule(r).penalties != 0) continue;
                const Int128 cost = removalCost(r);
                if (!found || cost < least) {
                    found = true;
                    least = cost;
                    drop = r;
                }
            }
            for (int32_t a : order_) {
                if (isStop(a) || rule(a).penalties != 0) continue;
                for (int32_t b = 0; b < ruleCount(); ++b) {
                    if (b == a || dead(b) || isStop(b) || rule(b).penalties != 0) continue;
                    if (rule(b).active && b < a) continue;  // each pair once
                    if (!rule(a).range.joins(rule(b).range)) continue;
                    const auto [gain, place] = joinGain(a, b);
                    if (!found || -gain < least) {
                        found = true;
                        least = -gain;
                        drop = -1;
                        joinA = a;
                        joinB = b;
                        joinPlace = place;
                    }
                }
            }
            if (!found || (lines <= kMostLines && worthLine(least))) return;
            if (drop >= 0) {
                rules_[static_cast<size_t>(drop)].active = false;
                order_.erase(std::find(order_.begin(), order_.end(), drop));
            } else {
                join(joinA, joinB, joinPlace);
            }
            reorder();
            improve();
            dropUnused();
        }
    }

    // Adds the exception that wins most, when one is worth it; false when
    // none is.
    bool addException() {
        int32_t bestRule = -1;
        uint8_t bestPenalties = 0;
        size_t bestPlace = 0;
        Int128 bestGain = 0;
        for (int32_t r : order_) {
            const Rule& line = rule(r);
            if (line.penalties != 0 || line.range.pattern.shape != HoldShape::Draw ||
                exceptionOf_[static_cast<size_t>(r)] >= 0) {
                continue;
            }
            for (const uint8_t penalties : {uint8_t{kSuitPenalty}, uint8_t{kRunPenalty},
                                            uint8_t{kSuitPenalty | kRunPenalty}}) {
                const auto [gain, place] = exceptionGain(r, penalties);
                if (gain > bestGain) {
                    bestGain = gain;
                    bestRule = r;
                    bestPenalties = penalties;
                    bestPlace = place;
                }
            }
        }
        if (bestRule < 0 || !worthLine(bestGain)) return false;
        const int32_t e = addRule(rule(bestRule).range, bestPenalties, bestRule);
        exceptionOf_[static_cast<size_t>(bestRule)] = e;
        order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(bestPlace), e);
        rebuild();
        reorder();
        return true;
    }

    // Puts a line above the one before it, when no deal has holds of both
    // and it wins more on average: the chart reads better, and no deal
    // changes its hold.
    void tidy() {
        std::vector<Int128> value(rules_.size(), 0);
        std::vector<int64_t> weight(rules_.size(), 0);
        for (uint32_t d = 0; d < s_.records.size(); ++d) {
            const auto r = static_cast<size_t>(first_[d]);
            value[r] += Int128{s_.records[d].weight} * firstValue_[d];
            weight[r] += s_.records[d].weight;
        }
        auto average = [&](int32_t r) {
            const auto i = static_cast<size_t>(r);
            return weight[i] == 0
                       ? 0.0L
                       : static_cast<long double>(value[i]) / static_cast<long double>(weight[i]);
        };
        for (bool moved = true; moved;) {
            moved = false;
            for (size_t i = 0; i + 1 < order_.size(); ++i) {
                const int32_t a = order_[i];
                const int32_t b = order_[i + 1];
                if (average(b) > average(a) && !meet(a, b)) {
                    std::swap(order_[i], order_[i + 1]);
                    moved = true;
                }
            }
        }
        reorder();
    }

    int32_t exceptionCount() const {
        int32_t n = 0;
        for (int32_t r : order_) n += rule(r).penalties != 0;
        return n;
    }

    const Rule& rule(int32_t r) const { return rules_[static_cast<size_t>(r)]; }
    const std::vector<int32_t>& order() const { return order_; }
    // By deal: the rule that chooses its hold, and that hold's value.
    int32_t chosenRule(size_t deal) const { return first_[deal]; }
    int64_t chosenValue(size_t deal) const { return firstValue_[deal]; }

  private:
    static constexpr int32_t kNowhere = INT_MAX;

    // A rule's first hold in a deal.
    struct Held {
        uint32_t deal;
        uint32_t entry;
        int64_t value;
    };

    int32_t ruleCount() const { return static_cast<int32_t>(rules_.size()); }

    int32_t addRule(const PatternRange& range, uint8_t penalties, int32_t line) {
        rules_.push_back(Rule{range, penalties, line, true});
        where_.emplace_back();
        exceptionOf_.push_back(-1);
        return ruleCount() - 1;
    }

    // A rule that fits every deal: the rules after it never choose.
    bool isStop(int32_t r) const { return rule(r).range.pattern.fitsEveryDeal(); }
    // Joined into another rule.
    bool dead(int32_t r) const {
        return dead_.size() > static_cast<size_t>(r) && dead_[static_cast<size_t>(r)];
    }

    int32_t ruleOf(const Entry& e) const {
        const int32_t line = lineOf_[e.pattern];
        const int32_t x = exceptionOf_[static_cast<size_t>(line)];
        if (x >= 0) {
            const uint8_t need = rule(x).penalties;
            if ((e.penalties & need) == need) return x;
        }
        return line;
    }

    int32_t pos(int32_t r) const {
        return rule(r).active ? pos_[static_cast<size_t>(r)] : kNowhere;
    }

    // The rules' first holds by deal, after the rules changed.
    void rebuild() {
        for (auto& w : where_) w.clear();
        std::vector<uint32_t> seen(rules_.size(), UINT32_MAX);
        for (uint32_t d = 0; d < s_.records.size(); ++d) {
            const DealRecord& r = s_.records[d];
            for (uint32_t i = r.begin; i < r.end; ++i) {
                const int32_t x = ruleOf(s_.entries[i]);
                if (seen[static_cast<size_t>(x)] == d) continue;
                seen[static_cast<size_t>(x)] = d;
                where_[static_cast<size_t>(x)].push_back(Held{d, i, s_.entries[i].value});
            }
        }
    }

    // Places and every deal's choice, after the order changed.
    void reorder() {
        pos_.assign(rules_.size(), kNowhere);
        for (size_t i = 0; i < order_.size(); ++i) {
            pos_[static_cast<size_t>(order_[i])] = static_cast<int32_t>(i);
        }
        first_.assign(s_.records.size(), -1);
        second_.assign(s_.records.size(), -1);
        firstValue_.assign(s_.records.size(), 0);
        secondValue_.assign(s_.records.size(), 0);
        for (uint32_t d = 0; d < s_.records.size(); ++d) choose(d);
    }

    // The first and second rules of a deal, by their places, apart from
    // `besides`.
    struct Two {
        int32_t a = -1;
        int32_t b = -1;
        int64_t av = 0;
        int64_t bv = 0;
    };
    Two firstTwo(uint32_t d, int32_t besidesA = -1, int32_t besidesB = -1) const {
        const DealRecord& r = s_.records[d];
        Two t;
        for (uint32_t i = r.begin; i < r.end; ++i) {
            const int32_t x = ruleOf(s_.entries[i]);
            const int32_t p = pos(x);
            if (p == kNowhere || x == t.a || x == t.b || x == besidesA || x == besidesB) continue;
            const int64_t v = s_.entries[i].value;
            if (t.a < 0 || p < pos(t.a)) {
                t.b = t.a;
                t.bv = t.av;
                t.a = x;
                t.av = v;
            } else if (t.b < 0 || p < pos(t.b)) {
                t.b = x;
                t.bv = v;
            }
        }
        return t;
    }

    void choose(uint32_t d) {
        const Two t = firstTwo(d);
        first_[d] = t.a;
        second_[d] = t.b;
        firstValue_[d] = t.av;
        secondValue_[d] = t.bv;
    }

    // The place that adds most for one rule; moves it there.
    bool moveBest(int32_t x) {
        const int32_t px = pos_[static_cast<size_t>(x)];
        const auto n = static_cast<int32_t>(order_.size());
        std::vector<Int128> earlier(static_cast<size_t>(px), 0);
        std::vector<Int128> later(static_cast<size_t>(n), 0);
        for (const Held& h : where_[static_cast<size_t>(x)]) {
            const Int128 w = s_.records[h.deal].weight;
            if (first_[h.deal] != x) {
                earlier[static_cast<size_t>(pos(first_[h.deal]))] +=
                    w * (h.value - firstValue_[h.deal]);
            } else if (second_[h.deal] >= 0) {
                later[static_cast<size_t>(pos(second_[h.deal]))] +=
                    w * (secondValue_[h.deal] - h.value);
            }
        }
        Int128 best = 0;
        int32_t to = px;
        Int128 sum = 0;
        for (int32_t p = px - 1; p >= 0; --p) {
            sum += earlier[static_cast<size_t>(p)];
            if (sum > best) {
                best = sum;
                to = p;
            }
        }
        sum = 0;
        for (int32_t p = px + 1; p < n; ++p) {
            sum += later[static_cast<size_t>(p)];
            if (sum > best) {
                best = sum;
                to = p;
            }
        }
        if (to == px) return false;
        order_.erase(order_.begin() + px);
        order_.insert(order_.begin() + to, x);
        for (int32_t i = std::min(px, to); i <= std::max(px, to); ++i) {
            pos_[static_cast<size_t>(order_[static_cast<size_t>(i)])] = i;
        }
        for (const Held& h : where_[static_cast<size_t>(x)]) choose(h.deal);
        return true;
    }

    // What the sum loses when a rule leaves the list.
    Int128 removalCost(int32_t x) const {
        Int128 cost = 0;
        for (const Held& h : where_[static_cast<size_t>(x)]) {
            if (first_[h.deal] == x) {
                cost += Int128{s_.records[h.deal].weight} * (h.value - secondValue_[h.deal]);
            }
        }
        return cost;
    }

    // The gain of a new rule placed anywhere, from its value on each deal it
    // fits and the best of the other rules there (place and value): the
    // best gain and its place in the order.
    class PlaceGain {
      public:
        explicit PlaceGain(size_t places) : ahead_(places + 1, 0) {}
        void add(int64_t weight, int64_t current, int32_t otherPlace, int64_t other,
                 int64_t value) {
            const Int128 w = weight;
            base_ += w * (other - current);
            const size_t at =
                otherPlace == kNowhere ? ahead_.size() - 1 : static_cast<size_t>(otherPlace);
            ahead_[at] += w * (value - other);
        }
        std::pair<Int128, size_t> best() const {
            const size_t n = ahead_.size() - 1;
            Int128 sum = base_ + ahead_[n];
            Int128 best = sum;
            size_t place = n;
            for (size_t p = n; p-- > 0;) {
                sum += ahead_[p];
                if (sum > best) {
                    best = sum;
                    place = p;
                }
            }
            return {best, place};
        }

      private:
        Int128 base_ = 0;
        std::vector<Int128> ahead_;  // by the other rule's place
    };

    // Some deal has holds of both rules.
    bool meet(int32_t a, int32_t b) const {
        const auto& wa = where_[static_cast<size_t>(a)];
        const auto& wb = where_[static_cast<size_t>(b)];
        for (size_t i = 0, j = 0; i < wa.size() && j < wb.size();) {
            if (wa[i].deal == wb[j].deal) return true;
            if (wa[i].deal < wb[j].deal) {
                ++i;
            } else {
                ++j;
            }
        }
        return false;
    }

    // The best of the rules other than a and b on a deal: place and value.
    std::pair<int32_t, int64_t> otherBest(uint32_t d, int32_t a, int32_t b) const {
        if (first_[d] != a && first_[d] != b) return {pos(first_[d]), firstValue_[d]};
        if (second_[d] >= 0 && second_[d] != a && second_[d] != b) {
            return {pos(second_[d]), secondValue_[d]};
        }
        const Two t = firstTwo(d, a, b);
        return {t.a < 0 ? kNowhere : pos(t.a), t.av};
    }

    // The gain of one rule for the patterns of lines a and b, at its best
    // place; and that place.
    std::pair<Int128, size_t> joinGain(int32_t a, int32_t b) const {
        PlaceGain gain(order_.size());
        const auto& wa = where_[static_cast<size_t>(a)];
        const auto& wb = where_[static_cast<size_t>(b)];
        size_t i = 0;
        size_t j = 0;
        while (i < wa.size() || j < wb.size()) {
            const Held* h = nullptr;
            if (j == wb.size() || (i < wa.size() && wa[i].deal < wb[j].deal)) {
                h = &wa[i++];
            } else if (i == wa.size() || wb[j].deal < wa[i].deal) {
                h = &wb[j++];
            } else {
                h = wa[i].entry < wb[j].entry ? &wa[i] : &wb[j];
                ++i;
                ++j;
            }
            const auto [place, other] = otherBest(h->deal, a, b);
            gain.add(s_.records[h->deal].weight, firstValue_[h->deal], place, other, h->value);
        }
        return gain.best();
    }

    void join(int32_t a, int32_t b, size_t place) {
        const int32_t m = addRule(rule(a).range.joinedWith(rule(b).range), 0, -1);
        dead_.resize(rules_.size(), false);
        for (int32_t x : {a, b}) {
            rules_[static_cast<size_t>(x)].active = false;
            dead_[static_cast<size_t>(x)] = true;
            const auto at = std::find(order_.begin(), order_.end(), x);
            if (at != order_.end()) {
                if (static_cast<size_t>(at - order_.begin()) < place) --place;
                order_.erase(at);
            }
        }
        for (int32_t& line : lineOf_) {
            if (line == a || line == b) line = m;
        }
        order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(std::min(place, order_.size())),
                      m);
        rebuild();
    }

    // The gain of moving the holds of line m that throw `penalties` to an
    // exception at its best place; and that place.
    std::pair<Int128, size_t> exceptionGain(int32_t m, uint8_t penalties) const {
        PlaceGain gain(order_.size());
        bool any = false;
        for (const Held& h : where_[static_cast<size_t>(m)]) {
            const DealRecord& r = s_.records[h.deal];
            int64_t with = 0;
            int64_t without = 0;
            bool foundWith = false;
            bool foundWithout = false;
            for (uint32_t i = r.begin; i < r.end; ++i) {
                const Entry& e = s_.entries[i];
                if (lineOf_[e.pattern] != m) continue;
                if ((e.penalties & penalties) == penalties) {
                    if (!foundWith) with = e.value;
                    foundWith = true;
                } else {
                    if (!foundWithout) without = e.value;
                    foundWithout = true;
                }
            }
            if (!foundWith) continue;
            any = true;
            auto [place, other] = otherBest(h.deal, m, -1);
            if (foundWithout && pos(m) < place) {
                place = pos(m);
                other = without;
            }
            gain.add(r.weight, firstValue_[h.deal], place, other, with);
        }
        if (!any) return {0, 0};
        return gain.best();
    }

    bool worthLine(Int128 gain) const {
        return static_cast<long double>(gain) >=
               kLeastGain * static_cast<long double>(s_.denominator) * s_.deals;
    }

    const Section& s_;
    std::vector<Rule> rules_;
    std::vector<int32_t> lineOf_;           // by pattern: the rule of its line
    std::vector<int32_t> exceptionOf_;      // by rule: its exception, or -1
    std::vector<bool> dead_;                // by rule: joined into another
    std::vector<int32_t> order_;            // the active rules
    std::vector<int32_t> pos_;              // by rule: its place in order_
    std::vector<std::vector<Held>> where_;  // by rule: the deals it has holds in
    // By deal: the first rule and the next, with their holds' values.
    std::vector<int32_t> first_;
    std::vector<int32_t> second_;
    std::vector<int64_t> firstValue_;
    std::vector<int64_t> secondValue_;
};

// What the deals of a section add up to, over the section's denominator.
struct SectionSums {
    Int128 chart = 0;
    Int128 best = 0;
    Int128 suggested = 0;
    int64_t bestHolds = 0;  // deals whose chart hold is a best hold
};

// The section of the chart from the learnt order, its lines numbered from
// `number` on.
ChartSection sectionOf(const Section& s, const OrderSearch& search, int32_t& number,
                       SectionSums& sums) {
    ChartSection out;
    out.joker = s.joker;
    out.share = static_cast<double>(s.chances) / kJokerOdds;
    std::vector<int64_t> weight;
    std::vector<Int128> value;
    for (size_t d = 0; d < s.records.size(); ++d) {
        const DealRecord& r = s.records[d];
        const auto rule = static_cast<size_t>(search.chosenRule(d));
        const int64_t v = search.chosenValue(d);
        if (weight.size() <= rule) {
            weight.resize(rule + 1, 0);
            value.resize(rule + 1, 0);
        }
        weight[rule] += r.weight;
        value[rule] += Int128{r.weight} * v;
        sums.chart += Int128{r.weight} * v;
        sums.best += Int128{r.weight} * r.best;
        sums.suggested += Int128{r.weight} * r.suggested;
        if (v == r.best) sums.bestHolds += r.weight;
    }
    auto lineOf = [&](int32_t rule) {
        const auto& learnt = search.rule(rule);
        ChartLine line;
        line.patterns = learnt.range;
        line.penalties = learnt.penalties;
        const auto at = static_cast<size_t>(rule);
        const int64_t w = at < weight.size() ? weight[at] : 0;
        line.share = static_cast<double>(static_cast<long double>(w) / s.deals);
        if (w != 0) {
            line.value = static_cast<double>(static_cast<long double>(value[at]) / w /
                                             static_cast<long double>(s.denominator));
        }
        return line;
    };
    std::vector<int32_t> waiting;  // exceptions before the next line of the list
    for (int32_t rule : search.order()) {
        if (search.rule(rule).penalties != 0) {
            waiting.push_back(rule);
            continue;
        }
        ChartLine line = lineOf(rule);
        line.number = number++;
        for (int32_t e : waiting) {
            ChartLine x = lineOf(e);
            x.before = line.number;
            out.exceptions.push_back(x);
        }
        waiting.clear();
        out.lines.push_back(line);
    }
    for (ChartLine& x : out.exceptions) x.number = number++;
    return out;
}

}  // namespace

StrategyChart makeStrategyChart(const ReturnCalculator& calculator, GameType gameType) {
    StrategyChart chart;
    chart.gameType = gameType;
    std::vector<DealKind> kinds = dealKindsOf(gameType);
    // The joker's section first.
    std::sort(kinds.begin(), kinds.end(), [](const DealKind& a, const DealKind& b) {
        return a.ordinaryCards < b.ordinaryCards;
    });
    int32_t number = 1;
    for (const DealKind& kind : kinds) {
        const Section s = collect(calculator, gameType, kind);
        OrderSearch search(s);
        search.improve();
        search.dropUnused();
        search.shorten();
        // An exception that ends unused is dropped; the tries are few all the same.
        for (int32_t tries = 0; tries < 2 * kMostExceptions &&
                                search.exceptionCount() < kMostExceptions && search.addException();
             ++tries) {
            search.improve();
            search.dropUnused();
        }
        search.tidy();
        SectionSums sums;
        chart.sections.push_back(sectionOf(s, search, number, sums));
        const Fraction chance(kind.chances, kJokerOdds);
        const Int128 den = checkedMul(s.denominator, Int128{s.deals});
        chart.chartReturn = chart.chartReturn + chance * Fraction(sums.chart, den);
        chart.bestReturn = chart.bestReturn + chance * Fraction(sums.best, den);
        chart.suggestedReturn = chart.suggestedReturn + chance * Fraction(sums.suggested, den);
        chart.bestHoldShare = chart.bestHoldShare + chance * Fraction(sums.bestHolds, s.deals);
    }
    return chart;
}

const ChartSection* StrategyChart::section(bool joker) const {
    for (const ChartSection& s : sections) {
        if (s.joker == joker) return &s;
    }
    return nullptr;
}

const ChartLine* StrategyChart::line(int32_t number) const {
    for (const ChartSection& s : sections) {
        for (const auto* list : {&s.lines, &s.exceptions}) {
            for (const ChartLine& l : *list) {
                if (l.number == number) return &l;
            }
        }
    }
    return nullptr;
}

namespace {

// The lines of a section in the order they are weighed: each exception
// just before the line it names.
std::vector<const ChartLine*> weighedLines(const ChartSection& s) {
    std::vector<const ChartLine*> weighed;
    for (const ChartLine& line : s.lines) {
        for (const ChartLine& x : s.exceptions) {
            if (x.before == line.number) weighed.push_back(&x);
        }
        weighed.push_back(&line);
    }
    return weighed;
}

// The place in `weighed` of the line a hold fits, or weighed.size().
size_t placeOf(const ChartSection& s, const std::vector<const ChartLine*>& weighed,
               const RawEntry& e) {
    const HoldPattern p = HoldPattern::fromCode(e.code);
    // An exception takes the holds of its line that throw its penalty cards.
    bool excepted = false;
    for (const ChartLine& x : s.exceptions) {
        excepted = excepted || (x.patterns.covers(p) && (e.penalties & x.penalties) == x.penalties);
    }
    for (size_t i = 0; i < weighed.size(); ++i) {
        if (weighed[i]->patterns.covers(p) && weighed[i]->isException() == excepted) return i;
    }
    return weighed.size();
}

}  // namespace

ChartChoice StrategyChart::choose(const Hand& dealt) const {
    bool joker = false;
    for (int32_t k = 1; k <= kSlots; ++k) joker = joker || dealt[k] == kJoker;
    const ChartSection* s = section(joker);
    if (s == nullptr) return {};
    const std::vector<const ChartLine*> weighed = weighedLines(*s);
    HoldMask suggested = 0;
    const HoldReader reader = readerOf(dealt, suggested);
    size_t best = weighed.size();
    ChartChoice choice;
    // The holds come in the order of ties: the first of the first line wins.
    for (const RawEntry& e : rawEntries(reader, nullptr)) {
        const size_t place = placeOf(*s, weighed, e);
        if (place < best) {
            best = place;
            choice = {e.hold, weighed[place]->number};
        }
    }
    return choice;
}

int32_t StrategyChart::lineOf(const Hand& dealt, HoldMask hold) const {
    bool joker = false;
    for (int32_t k = 1; k <= kSlots; ++k) joker = joker || dealt[k] == kJoker;
    const ChartSection* s = section(joker);
    if (s == nullptr) return 0;
    const std::vector<const ChartLine*> weighed = weighedLines(*s);
    HoldMask suggested = 0;
    const HoldReader reader = readerOf(dealt, suggested);
    for (const RawEntry& e : rawEntries(reader, nullptr)) {
        if (e.hold != hold) continue;
        const size_t place = placeOf(*s, weighed, e);
        return place < weighed.size() ? weighed[place]->number : 0;
    }
    return 0;
}

}  // namespace brisko
