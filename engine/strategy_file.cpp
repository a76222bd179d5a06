// SPDX-License-Identifier: GPL-3.0-or-later
// The strategy chart as a small text file, one record a line:
//
//   BRISKO 99 strategy chart
//   version 1 9f3c...            (kChartRulesVersion, then the rules' fingerprint)
//   game-type 2
//   chart-return N/D            (and best-return, suggested-return, best-hold-share)
//   section joker 0.0933...     (joker or plain, then its share of the deals)
//   line NUMBER CODE RUNS-TO HIGH-TO ROYAL-RUNS-TO SHARE VALUE
//   exception NUMBER CODE RUNS-TO HIGH-TO ROYAL-RUNS-TO PENALTIES BEFORE SHARE VALUE
//   end
//
// Numbers are written and read without the locale, which the window sets.
#include <array>
#include <charconv>
#include <istream>
#include <ostream>
#include <sstream>

#include "engine/strategy.h"

namespace brisko {

namespace {

constexpr const char* kFirstLine = "BRISKO 99 strategy chart";

// What the chart depends on besides the code: the pay table and the joker's
// chances, so that a change of them makes the charts again even when
// kChartRulesVersion was not raised.
uint64_t rulesFingerprint() {
    uint64_t h = 14695981039346656037ull;
    auto mix = [&h](int64_t v) {
        for (int32_t i = 0; i < 8; ++i) {
            h ^= static_cast<uint64_t>(v >> (8 * i)) & 0xFFu;
            h *= 1099511628211ull;
        }
    };
    mix(kChartRulesVersion);
    mix(kJokerOdds);
    for (int32_t m : payMultiplier) mix(m);
    for (const GameTypeRules& r : kGameTypeRules) {
        mix(number(r.type));
        mix(r.jokerDealChances);
        mix(r.jokerDrawPerFreeSlot);
    }
    return h;
}

std::string versionLine() {
    std::ostringstream s;
    s << "version " << kChartRulesVersion << ' ' << std::hex << rulesFingerprint();
    return s.str();
}

std::string text(double v) {
    std::array<char, 64> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    return std::string(buf.data(), r.ptr);
}

template <typename T>
bool parse(const std::string& word, T& value) {
    const char* end = word.data() + word.size();
    const auto r = std::from_chars(word.data(), end, value);
    return !word.empty() && r.ec == std::errc() && r.ptr == end;
}

bool parseInt128(const std::string& word, Int128& value) {
    const bool negative = !word.empty() && word[0] == '-';
    if (word.size() == (negative ? 1u : 0u)) return false;
    Int128 v = 0;
    for (size_t i = negative ? 1 : 0; i < word.size(); ++i) {
        if (word[i] < '0' || word[i] > '9') return false;
        if (__builtin_mul_overflow(v, Int128{10}, &v) ||
            __builtin_add_overflow(v, Int128{word[i] - '0'}, &v)) {
            return false;
        }
    }
    value = negative ? -v : v;
    return true;
}

bool parseFraction(const std::string& word, Fraction& f) {
    const size_t slash = word.find('/');
    Int128 num = 0;
    Int128 den = 0;
    if (slash == std::string::npos || !parseInt128(word.substr(0, slash), num) ||
        !parseInt128(word.substr(slash + 1), den) || den <= 0) {
        return false;
    }
    f = Fraction(num, den);
    return f.num() == num && f.den() == den;  // written reduced
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

bool parseRange(const std::vector<std::string>& w, size_t at, PatternRange& range) {
    uint32_t code = 0;
    int32_t runsTo = 0;
    int32_t highTo = 0;
    int32_t royalTo = 0;
    if (!parse(w[at], code) || !HoldPattern::isCode(code) || !parse(w[at + 1], runsTo) ||
        !parse(w[at + 2], highTo) || !parse(w[at + 3], royalTo)) {
        return false;
    }
    range.pattern = HoldPattern::fromCode(code);
    range.runsTo = static_cast<int8_t>(runsTo);
    range.highTo = static_cast<int8_t>(highTo);
    range.royalRunsTo = static_cast<int8_t>(royalTo);
    return runsTo >= range.pattern.runs && runsTo <= 10 && highTo >= range.pattern.high &&
           highTo <= kSlots && royalTo >= range.pattern.royalRuns && royalTo <= 3;
}

bool parseShares(const std::vector<std::string>& w, size_t at, ChartLine& line) {
    return parse(w[at], line.share) && parse(w[at + 1], line.value) && line.share >= 0 &&
           line.share <= 1 && line.value >= 0 && line.value <= payMultiplier.back();
}

// The chart read makes sense: its sections are those of its game type, its
// lines numbered 1.. in order, each list ending with a line every deal fits,
// and each exception before a line of its own section.
bool wellFormed(const StrategyChart& chart) {
    std::vector<DealKind> kinds = dealKindsOf(chart.gameType);
    if (chart.sections.size() != kinds.size()) return false;
    int32_t number = 1;
    for (size_t i = 0; i < chart.sections.size(); ++i) {
        const ChartSection& s = chart.sections[i];
        // The joker's section first.
        const bool joker = kinds.size() == 2 ? i == 0 : kinds[0].ordinaryCards == 4;
        if (s.joker != joker) return false;
        if (s.lines.empty() || !s.lines.back().patterns.pattern.fitsEveryDeal()) return false;
        for (const auto* list : {&s.lines, &s.exceptions}) {
            for (const ChartLine& l : *list) {
                if (l.number != number++) return false;
                if (l.isException() &&
                    (l.before < s.lines.front().number || l.before > s.lines.back().number)) {
                    return false;
                }
            }
        }
    }
    return true;
}

}  // namespace

std::string strategyChartFileName(GameType gameType) {
    return "strategy-" + std::to_string(number(gameType)) + ".chart";
}

void writeStrategyChart(const StrategyChart& chart, std::ostream& out) {
    out << kFirstLine << '\n' << versionLine() << '\n';
    out << "game-type " << number(chart.gameType) << '\n';
    out << "chart-return " << chart.chartReturn.exact() << '\n';
    out << "best-return " << chart.bestReturn.exact() << '\n';
    out << "suggested-return " << chart.suggestedReturn.exact() << '\n';
    out << "best-hold-share " << chart.bestHoldShare.exact() << '\n';
    for (const ChartSection& s : chart.sections) {
        out << "section " << (s.joker ? "joker" : "plain") << ' ' << text(s.share) << '\n';
        for (const auto* list : {&s.lines, &s.exceptions}) {
            for (const ChartLine& l : *list) {
                const PatternRange& r = l.patterns;
                out << (l.isException() ? "exception " : "line ") << l.number << ' '
                    << r.pattern.code() << ' ' << int32_t{r.runsTo} << ' ' << int32_t{r.highTo}
                    << ' ' << int32_t{r.royalRunsTo};
                if (l.isException()) out << ' ' << int32_t{l.penalties} << ' ' << l.before;
                out << ' ' << text(l.share) << ' ' << text(l.value) << '\n';
            }
        }
    }
    out << "end\n";
}

std::optional<StrategyChart> readStrategyChart(std::istream& in, GameType gameType) {
    std::string line;
    auto next = [&]() { return static_cast<bool>(std::getline(in, line)); };
    if (!next() || line != kFirstLine || !next() || line != versionLine()) return std::nullopt;
    StrategyChart chart;
    chart.gameType = gameType;
    if (!next() || line != "game-type " + std::to_string(number(gameType))) return std::nullopt;
    for (auto [name, f] : {std::pair{"chart-return", &chart.chartReturn},
                           {"best-return", &chart.bestReturn},
                           {"suggested-return", &chart.suggestedReturn},
                           {"best-hold-share", &chart.bestHoldShare}}) {
        if (!next()) return std::nullopt;
        const auto w = words(line);
        if (w.size() != 2 || w[0] != name || !parseFraction(w[1], *f)) return std::nullopt;
    }
    bool ended = false;
    while (!ended && next()) {
        const auto w = words(line);
        if (w.empty()) return std::nullopt;
        if (w[0] == "end" && w.size() == 1) {
            ended = true;
        } else if (w[0] == "section" && w.size() == 3 && (w[1] == "joker" || w[1] == "plain")) {
            ChartSection s;
            s.joker = w[1] == "joker";
            if (!parse(w[2], s.share) || s.share <= 0 || s.share > 1) return std::nullopt;
            chart.sections.push_back(s);
        } else if (!chart.sections.empty() &&
                   ((w[0] == "line" && w.size() == 8) || (w[0] == "exception" && w.size() == 10))) {
            ChartLine l;
            const bool exception = w[0] == "exception";
            int32_t penalties = 0;
            if (!parse(w[1], l.number) || !parseRange(w, 2, l.patterns)) return std::nullopt;
            if (exception && (!parse(w[6], penalties) || penalties < 1 ||
                              penalties > (kSuitPenalty | kRunPenalty) || !parse(w[7], l.before))) {
                return std::nullopt;
            }
            l.penalties = static_cast<uint8_t>(penalties);
            if (!parseShares(w, exception ? 8 : 6, l)) return std::nullopt;
            ChartSection& s = chart.sections.back();
            if (exception) {
                s.exceptions.push_back(l);
            } else if (s.exceptions.empty()) {
                s.lines.push_back(l);
            } else {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!ended || next() || !wellFormed(chart)) return std::nullopt;
    return chart;
}

}  // namespace brisko
