// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/strategy_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "contract/strategy_texts.h"
#include "engine/strategy.h"
#include "tools/numbers.h"

namespace brisko {

namespace {

constexpr const char* kUsage =
    " (usage: strategy TYPE [--lang fr|en] [--hold C1 C2 C3 C4 C5] [--cache DIR] [--threads N])\n";

struct Request {
    GameType gameType = GameType::NoJoker;
    Language language = Language::English;
    bool hold = false;
    Hand hand{};
    std::string cache;
    int32_t threads = 1;
};

// The request, or an error message.
std::string parseRequest(const std::vector<std::string>& args, Request& r) {
    r.threads = static_cast<int32_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 64u));
    bool typed = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--lang" && hasValue && (args[i + 1] == "fr" || args[i + 1] == "en")) {
            r.language = args[++i] == "fr" ? Language::French : Language::English;
        } else if (a == "--cache" && hasValue) {
            r.cache = args[++i];
        } else if (a == "--threads" && hasValue && parseInteger(args[i + 1], 1, 64)) {
            r.threads = static_cast<int32_t>(*parseInteger(args[++i], 1, 64));
        } else if (a == "--hold" && !r.hold) {
            if (i + kSlots >= args.size()) return "--hold takes five cards";
            r.hold = true;
            for (int32_t k = 1; k <= kSlots; ++k) {
                const std::string& word = args[++i];
                const auto card = parseCard(word);
                if (!card) return "unknown card: '" + word + "'";
                if (std::find(r.hand.begin() + 1, r.hand.begin() + k, *card) !=
                    r.hand.begin() + k) {
                    return "card given twice: '" + word + "'";
                }
                r.hand[k] = *card;
            }
        } else if (!typed && parseInteger(a, 1, kGameTypes)) {
            typed = true;
            r.gameType = static_cast<GameType>(*parseInteger(a, 1, kGameTypes));
        } else {
            return "bad argument: '" + a + "'";
        }
    }
    if (!typed) return "game type must be 1, 2 or 3";
    if (r.hold) {
        const bool joker = std::find(r.hand.begin() + 1, r.hand.end(), kJoker) != r.hand.end();
        const int32_t chances = rulesOf(r.gameType).jokerDealChances;
        if ((chances >= kJokerOdds && !joker) || (chances == 0 && joker)) {
            return "game type " + std::to_string(number(r.gameType)) + " never deals this hand: " +
                   (joker ? "it has no joker" : "its deals hold the joker");
        }
    }
    return "";
}

StrategyChart madeChart(GameType gameType, int32_t threads) {
    const FastEvaluator evaluator;
    const ReturnCalculator calculator(evaluator, threads);
    return makeStrategyChart(calculator, gameType);
}

// The chart kept in the folder, or made and kept there; a folder that cannot
// be written only costs the keeping.
StrategyChart cachedChart(const Request& r, std::ostream& err) {
    namespace fs = std::filesystem;
    const fs::path file = fs::path(r.cache) / strategyChartFileName(r.gameType);
    {
        std::ifstream in(file, std::ios::binary);
        if (in) {
            if (auto kept = readStrategyChart(in, r.gameType)) return *kept;
        }
    }
    const StrategyChart chart = madeChart(r.gameType, r.threads);
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    const fs::path part = file.string() + ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        writeStrategyChart(chart, out);
        out.close();
        if (!out) ec = std::make_error_code(std::errc::io_error);
    }
    if (!ec) fs::rename(part, file, ec);
    if (ec) {
        fs::remove(part, ec);
        err << "brisko-analyze: strategy: could not keep the chart in '" << file.string() << "'\n";
    }
    return chart;
}

std::string decimal(double v, int32_t places, Language language) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", places, v);
    std::string s = buf;
    if (language == Language::French) std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

std::string percent(double share, Language language) {
    // Shares too small for two places still show they happen.
    const bool tiny = share > 0 && share < 0.00005;
    std::string s = tiny ? "<" : "";
    s += decimal(tiny ? 0.01 : 100 * share, 2, language);
    s += language == Language::French ? " %" : "%";
    return s;
}

// `text` after spaces up to `width` characters (UTF-8 counted as characters).
std::string rightAligned(const std::string& text, size_t width) {
    size_t chars = 0;
    for (char c : text) chars += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
    return std::string(width > chars ? width - chars : 0, ' ') + text;
}

// The three columns before a line's words: number, win and use.
std::string columns(const std::string& number, const std::string& win, const std::string& used) {
    return rightAligned(number, 4) + rightAligned(win, 10) + rightAligned(used, 10) + "  ";
}

void printLine(const ChartLine& line, Language language, std::ostream& out) {
    const std::string value = line.share > 0 ? decimal(line.value, 3, language) : "-";
    out << columns(std::to_string(line.number), value, percent(line.share, language))
        << chartLineText(line, language);
    if (line.isException()) {
        out << (language == Language::French ? " : " : ": ")
            << chartText(ChartText::Before, language) << ' ' << line.before;
    }
    out << '\n';
}

void printChart(const StrategyChart& chart, Language language, std::ostream& out) {
    const char* colon = language == Language::French ? " : " : ": ";
    out << chartText(ChartText::Title, language) << colon << textFor(Txt::txtGameType, language)
        << ' ' << number(chart.gameType) << " (" << textFor(gameTypeName(chart.gameType), language)
        << ")\n";
    out << chartText(ChartText::HowToRead, language) << '\n'
        << chartText(ChartText::Runs, language) << '\n';
    const std::string head = columns(std::string(chartText(ChartText::LineColumn, language)),
                                     std::string(chartText(ChartText::WinColumn, language)),
                                     std::string(chartText(ChartText::UsedColumn, language)));
    for (const ChartSection& s : chart.sections) {
        out << '\n'
            << chartText(s.joker ? ChartText::WithJoker : ChartText::WithoutJoker, language)
            << colon << percent(s.share, language) << ' ' << chartText(ChartText::OfDeals, language)
            << '\n';
        out << head << chartText(ChartText::HoldColumn, language) << '\n';
        for (const ChartLine& line : s.lines) printLine(line, language, out);
        if (s.exceptions.empty()) continue;
        out << '\n'
            << chartText(ChartText::Exceptions, language) << '\n'
            << chartText(ChartText::ExceptionsNote, language) << '\n';
        for (const ChartLine& line : s.exceptions) printLine(line, language, out);
    }
    const char point = language == Language::French ? ',' : '.';
    out << '\n'
        << chartText(ChartText::ChartReturn, language) << ' ' << chart.chartReturn.rounded(6, point)
        << ", " << chartText(ChartText::BestReturn, language) << ' '
        << chart.bestReturn.rounded(6, point) << ", "
        << chartText(ChartText::SuggestedReturn, language) << ' '
        << chart.suggestedReturn.rounded(6, point) << '\n';
    out << chartText(ChartText::BestHolds, language) << colon
        << percent(static_cast<double>(chart.bestHoldShare.value()), language) << '\n';
    out << "return chart=" << chart.chartReturn.rounded(6)
        << " best=" << chart.bestReturn.rounded(6)
        << " suggested=" << chart.suggestedReturn.rounded(6) << '\n';
}

}  // namespace

int runStrategy(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Request r;
    const std::string problem = parseRequest(args, r);
    if (!problem.empty()) {
        err << "brisko-analyze: strategy: " << problem << kUsage;
        return 2;
    }
    const StrategyChart chart =
        r.cache.empty() ? madeChart(r.gameType, r.threads) : cachedChart(r, err);
    if (r.hold) {
        const ChartChoice choice = chart.choose(r.hand);
        std::string digits;
        for (int32_t k = 1; k <= kSlots; ++k) digits += holdsSlot(choice.hold, k) ? '1' : '0';
        out << "hold=" << digits << " line=" << choice.line << '\n';
        return 0;
    }
    printChart(chart, r.language, out);
    return 0;
}

}  // namespace brisko
