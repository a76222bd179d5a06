// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/hold_pattern.h"

#include <algorithm>
#include <bit>

namespace brisko {

namespace {

// Bit r for each rank r of the run of five starting at `low` (1: the ace low).
constexpr uint32_t runBits(int32_t low) {
    uint32_t bits = 0;
    for (int32_t r = low; r < low + 5; ++r) bits |= 1u << (r == 1 ? 14 : r);
    return bits;
}

constexpr std::array<uint32_t, 10> kRuns = [] {
    std::array<uint32_t, 10> runs{};
    for (int32_t low = 1; low <= 10; ++low) runs[static_cast<size_t>(low - 1)] = runBits(low);
    return runs;
}();

// The runs that make a royal flush: 10-A, and with the joker A-5 and 9-K too.
constexpr std::array<uint32_t, 3> kRoyalRuns = {runBits(10), runBits(1), runBits(9)};

// The ranks that one of the runs holding `rankBits` still needs.
uint32_t missingFromRuns(uint32_t rankBits) {
    uint32_t missing = 0;
    for (uint32_t run : kRuns) {
        if ((run & rankBits) == rankBits) missing |= run;
    }
    return missing & ~rankBits;
}

// Field widths of a code, lowest first.
constexpr int32_t kShapeBits = 4;
constexpr int32_t kCardBits = 3;
constexpr int32_t kRunBits = 4;
constexpr int32_t kHighBits = 3;
constexpr int32_t kRoyalRunBits = 2;

// The runs of five ranks that hold every rank of `rankBits`.
int32_t runsHolding(uint32_t rankBits) {
    int32_t n = 0;
    for (uint32_t run : kRuns) n += (run & rankBits) == rankBits;
    return n;
}

}  // namespace

uint32_t HoldPattern::code() const {
    uint32_t c = static_cast<uint32_t>(royalRuns);
    c = c << kHighBits | static_cast<uint32_t>(high);
    c = c << kRunBits | static_cast<uint32_t>(runs);
    c = c << 1 | (suited ? 1u : 0u);
    c = c << kCardBits | static_cast<uint32_t>(cards);
    c = c << 1 | (joker ? 1u : 0u);
    return c << kShapeBits | static_cast<uint32_t>(shape);
}

HoldPattern HoldPattern::fromCode(uint32_t c) {
    auto take = [&c](int32_t bits) {
        const uint32_t v = c & ((1u << bits) - 1);
        c >>= bits;
        return v;
    };
    HoldPattern p;
    p.shape = static_cast<HoldShape>(take(kShapeBits));
    p.joker = take(1) != 0;
    p.cards = static_cast<int8_t>(take(kCardBits));
    p.suited = take(1) != 0;
    p.runs = static_cast<int8_t>(take(kRunBits));
    p.high = static_cast<int8_t>(take(kHighBits));
    p.royalRuns = static_cast<int8_t>(take(kRoyalRunBits));
    return p;
}

bool HoldPattern::isCode(uint32_t c) {
    const HoldPattern p = fromCode(c);
    return p.shape <= HoldShape::RoyalFlush && p.cards <= kSlots && p.runs <= 10 &&
           p.high <= p.cards && p.royalRuns <= p.runs && p.code() == c;
}

namespace {

// The pattern without the fields a range spans.
HoldPattern fixedPart(HoldPattern p) {
    p.runs = p.high = p.royalRuns = 0;
    return p;
}

// The spans of a range, each from..to.
std::array<std::pair<int8_t, int8_t>, 3> spans(const PatternRange& r) {
    return {{{r.pattern.runs, r.runsTo},
             {r.pattern.high, r.highTo},
             {r.pattern.royalRuns, r.royalRunsTo}}};
}

}  // namespace

bool PatternRange::covers(const HoldPattern& p) const {
    const auto s = spans(*this);
    const std::array<int8_t, 3> v = {p.runs, p.high, p.royalRuns};
    for (size_t i = 0; i < s.size(); ++i) {
        if (v[i] < s[i].first || v[i] > s[i].second) return false;
    }
    return fixedPart(p) == fixedPart(pattern);
}

bool PatternRange::joins(const PatternRange& o) const {
    if (!(fixedPart(pattern) == fixedPart(o.pattern))) return false;
    // Equal spans but one, where they touch.
    const auto a = spans(*this);
    const auto b = spans(o);
    int32_t touching = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) continue;
        if (a[i].second + 1 != b[i].first && b[i].second + 1 != a[i].first) return false;
        ++touching;
    }
    return touching == 1;
}

PatternRange PatternRange::joinedWith(const PatternRange& o) const {
    PatternRange r = *this;
    r.pattern.runs = std::min(pattern.runs, o.pattern.runs);
    r.pattern.high = std::min(pattern.high, o.pattern.high);
    r.pattern.royalRuns = std::min(pattern.royalRuns, o.pattern.royalRuns);
    r.runsTo = std::max(runsTo, o.runsTo);
    r.highTo = std::max(highTo, o.highTo);
    r.royalRunsTo = std::max(royalRunsTo, o.royalRunsTo);
    return r;
}

HoldReader::HoldReader(const Hand& dealt, HandCategory dealtCategory)
    : dealtCategory_(dealtCategory) {
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (dealt[k] == kJoker) {
            jokerSlot_ = k;
        } else {
            rank_[k] = cardTable[dealt[k]].rank;
            suit_[k] = cardTable[dealt[k]].suit;
        }
    }
}

HoldReader::Kept HoldReader::kept(HoldMask hold) const {
    Kept kept;
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (!holdsSlot(hold, k)) continue;
        if (k == jokerSlot_) {
            kept.joker = true;
            continue;
        }
        ++kept.cards;
        kept.rankBits |= 1u << rank_[k];
        kept.suitBits |= 1u << suit_[k];
        ++kept.perRank[static_cast<size_t>(rank_[k])];
    }
    return kept;
}

HoldPattern HoldReader::pattern(HoldMask hold) const {
    const Kept k = kept(hold);
    HoldPattern p;
    p.joker = k.joker;
    p.cards = static_cast<int8_t>(k.cards);
    if (k.cards + (k.joker ? 1 : 0) == kSlots) {
        // The whole hand dealt: a pattern only when it pays without the draw
        // and every card counts.
        switch (dealtCategory_) {
            case HandCategory::RoyalFlush:
                p.shape = HoldShape::RoyalFlush;
                break;
            case HandCategory::StraightFlush:
                p.shape = HoldShape::StraightFlush;
                break;
            case HandCategory::FullHouse:
                p.shape = HoldShape::FullHouse;
                break;
            case HandCategory::Flush:
                p.shape = HoldShape::Flush;
                break;
            case HandCategory::Straight:
                p.shape = HoldShape::Straight;
                break;
            default:
                p.shape = HoldShape::Junk;
                break;
        }
        return p;
    }
    int32_t pairs = 0;
    int32_t most = 0;
    int32_t pairRank = 0;
    for (int32_t r = 2; r <= 14; ++r) {
        const int32_t n = k.perRank[static_cast<size_t>(r)];
        if (n == 2) {
            ++pairs;
            pairRank = r;
        }
        if (n > most) {
            most = n;
            if (n >= 3) pairRank = r;
        }
    }
    const int8_t highPair = pairRank >= 13 ? 1 : 0;
    if (most == 4) {
        p.shape = HoldShape::Quads;
    } else if (most == 3) {
        p.shape = k.cards == 3 ? HoldShape::Trips : HoldShape::Junk;
    } else if (pairs == 2) {
        p.shape = HoldShape::TwoPairs;
    } else if (pairs == 1) {
        p.shape = k.cards == 2 ? HoldShape::Pair : HoldShape::Junk;
        p.high = highPair;
    } else if (k.cards == 0) {
        p.shape = HoldShape::Nothing;
    } else {
        p.shape = HoldShape::Draw;
        p.suited = k.cards >= 2 && std::popcount(k.suitBits) == 1;
        p.runs = static_cast<int8_t>(runsHolding(k.rankBits));
        p.high = static_cast<int8_t>(std::popcount(k.rankBits & (3u << 13)));
        if (p.suited || k.cards == 1) {
            for (size_t i = 0; i < (k.joker ? kRoyalRuns.size() : 1); ++i) {
                p.royalRuns += (kRoyalRuns[i] & k.rankBits) == k.rankBits;
            }
        }
        // Cards of different suits that make no straight are only worth their
        // kings and aces, kept alone.
        if (k.cards >= 2 && !p.suited && p.runs == 0) p.shape = HoldShape::Junk;
    }
    return p;
}

uint8_t HoldReader::penalties(HoldMask hold) const {
    const Kept k = kept(hold);
    if (k.cards < 2) return 0;
    const bool suited = std::popcount(k.suitBits) == 1;
    const uint32_t wanted = missingFromRuns(k.rankBits);
    uint8_t bits = 0;
    for (int32_t s = 1; s <= kSlots; ++s) {
        if (holdsSlot(hold, s) || s == jokerSlot_) continue;
        if (suited && ((k.suitBits >> suit_[s]) & 1u)) bits |= kSuitPenalty;
        if ((wanted >> rank_[s]) & 1u) bits |= kRunPenalty;
    }
    return bits;
}

uint32_t HoldReader::higherCardsKey(HoldMask hold) const {
    // The ranks kept, highest first, as the digits of a number in base 16.
    std::array<int32_t, kSlots> ranks{};
    int32_t n = 0;
    for (int32_t k = 1; k <= kSlots; ++k) {
        if (holdsSlot(hold, k) && k != jokerSlot_) ranks[static_cast<size_t>(n++)] = rank_[k];
    }
    for (int32_t i = 1; i < n; ++i) {
        for (int32_t j = i;
             j > 0 && ranks[static_cast<size_t>(j)] > ranks[static_cast<size_t>(j - 1)]; --j) {
            std::swap(ranks[static_cast<size_t>(j)], ranks[static_cast<size_t>(j - 1)]);
        }
    }
    uint32_t key = 0;
    for (int32_t i = 0; i < kSlots; ++i)
        key = key << 4 | static_cast<uint32_t>(ranks[static_cast<size_t>(i)]);
    return key;
}

}  // namespace brisko
