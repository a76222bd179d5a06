// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/returns_commands.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include "contract/texts.h"
#include "engine/returns.h"
#include "tools/advice.h"
#include "tools/numbers.h"

namespace brisko {

namespace {

bool parseInt(const std::string& word, int32_t low, int32_t high, int32_t& value) {
    const std::optional<int64_t> v = parseInteger(word, low, high);
    if (v) value = static_cast<int32_t>(*v);
    return v.has_value();
}

std::string fixed(long double v, int32_t places) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Lf", places, v);
    return buf;
}

std::string general(long double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.12Lg", v);
    return buf;
}

int32_t defaultThreads() {
    return static_cast<int32_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 64u));
}

enum class Format { Text, Markdown, HtmlFrench, HtmlEnglish, Cpp };

void printText(const std::vector<std::array<GameReturn, 2>>& all, bool optimal, bool suggest,
               std::ostream& out) {
    for (const auto& returns : all) {
        for (const GameReturn& r : returns) {
            if (r.strategy == Strategy::Optimal ? !optimal : !suggest) continue;
            out << "Game type " << number(r.gameType) << " (" << rulesOf(r.gameType).description
                << "), " << (r.strategy == Strategy::Optimal ? "optimal holds" : "suggested holds")
                << '\n';
            out << "  return per credit bet  " << r.perCredit.decimal(12) << " = "
                << r.perCredit.exact() << '\n';
            out << "  standard deviation     " << fixed(r.standardDeviation, 6) << '\n';
            for (int32_t c = kCategoryCount - 1; c >= 0; --c) {
                char name[32];
                std::snprintf(name, sizeof name, "%-16s", kCategoryNames[static_cast<size_t>(c)]);
                out << "  " << name << "  " << general(r.categories[c].value()) << " = "
                    << r.categories[c].exact() << '\n';
            }
        }
    }
}

// One row of a table in markdown, or in html with French decimals taking a comma.
void printRow(const std::vector<std::string>& cells, bool head, Format format, std::ostream& out) {
    if (format == Format::Markdown) {
        out << '|';
        for (const auto& c : cells) out << ' ' << c << " |";
        out << '\n';
        if (head) {
            out << '|';
            for (size_t i = 0; i < cells.size(); ++i) out << (i ? "---:|" : "---|");
            out << '\n';
        }
        return;
    }
    out << "<tr>";
    for (std::string c : cells) {
        if (format == Format::HtmlFrench && !c.empty() && c[0] >= '0' && c[0] <= '9') {
            std::replace(c.begin(), c.end(), '.', ',');
        }
        out << (head ? "<th>" : "<td>") << c << (head ? "</th>" : "</td>");
    }
    out << "</tr>\n";
}

// The return-to-player section of the README and of the help files.
void printTables(const std::vector<std::array<GameReturn, 2>>& all, Format format,
                 std::ostream& out) {
    const bool french = format == Format::HtmlFrench;
    const bool html = format != Format::Markdown;
    Texts texts;
    texts.setLanguage(french ? Language::French : Language::English);
    constexpr std::array<Txt, kCategoryCount> names = {
        Txt::txtHandName1, Txt::txtHandName1, Txt::txtHandName2, Txt::txtHandName3,
        Txt::txtHandName4, Txt::txtHandName5, Txt::txtHandName6, Txt::txtHandName7,
        Txt::txtHandName8, Txt::txtHandName9};
    auto category = [&](int32_t c) {
        return c == 0 ? std::string(french ? "Sans gain" : "No win") : texts[names[c]];
    };
    auto typeName = [&](GameType t) {
        return std::to_string(number(t)) + " (" + texts[gameTypeName(t)] + ")";
    };
    const std::string optimalWord = french ? "jeu optimal" : "optimal play";
    const std::string suggestWord = french ? "cartes suggérées" : "suggested cards";
    auto row = [&](const std::vector<std::string>& cells, bool head) {
        printRow(cells, head, format, out);
    };

    if (html) out << "<table border=\"1\" cellpadding=\"3\">\n";
    row({french ? "Type de jeu" : "Game type", optimalWord, suggestWord}, true);
    for (const auto& r : all) {
        std::vector<std::string> cells{typeName(r[0].gameType)};
        for (const GameReturn& g : r) {
            std::string cell = g.perCredit.decimal(9);
            if (!html) cell += " = " + g.perCredit.exact();
            cells.push_back(cell);
        }
        row(cells, false);
    }
    if (html) out << "</table>\n";
    out << (html ? "<p>" : "\n")
        << (french ? "Fréquence de chaque main finale, par tirage :"
                   : "How often each final hand comes, per draw:")
        << (html ? "</p>\n" : "\n\n");
    if (html) out << "<table border=\"1\" cellpadding=\"3\">\n";
    std::vector<std::string> head{french ? "Main" : "Hand"};
    for (const auto& r : all) {
        for (const GameReturn& g : r) {
            head.push_back(std::to_string(number(g.gameType)) + ", " +
                           (g.strategy == Strategy::Optimal ? optimalWord : suggestWord));
        }
    }
    row(head, true);
    for (int32_t c = kCategoryCount - 1; c >= 0; --c) {
        std::vector<std::string> cells{category(c)};
        for (const auto& r : all) {
            for (const GameReturn& g : r) cells.push_back(fixed(g.categories[c].value(), 7));
        }
        row(cells, false);
    }
    std::vector<std::string> deviation{french ? "Écart type d'un tirage"
                                              : "Standard deviation of one draw"};
    for (const auto& r : all) {
        for (const GameReturn& g : r) deviation.push_back(fixed(g.standardDeviation, 4));
    }
    row(deviation, false);
    if (html) out << "</table>\n";
}

// engine/exact_returns.cpp: the figures of every game type, as exactReturns
// reads them.
void printSource(const std::vector<std::array<GameReturn, 2>>& all, std::ostream& out) {
    out << "// SPDX-License-Identifier: GPL-3.0-or-later\n"
           "// Made by brisko-analyze rtp --format cpp: the returns of every game type,\n"
           "// exactly as the calculation gives them (returns_tests checks that they still\n"
           "// are).\n"
           "#include \"engine/returns.h\"\n\n"
           "namespace brisko {\n\n"
           "const std::array<std::array<int64_t, 2>, kExactFigureCount> kExactReturnFigures = {{\n";
    auto figure = [&out](const Fraction& f) {
        out << "    {" << toString(f.num()) << ", " << toString(f.den()) << "},\n";
    };
    for (const auto& returns : all) {
        for (const GameReturn& r : returns) {
            out << "    // game type " << number(r.gameType) << ", "
                << (r.strategy == Strategy::Optimal ? "optimal" : "suggested")
                << " holds: the return, then Nothing to Royal Flush\n";
            figure(r.perCredit);
            for (const Fraction& c : r.categories) figure(c);
        }
    }
    out << "}};\n\n}  // namespace brisko\n";
}

}  // namespace

int runRtp(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<int32_t> types;
    bool optimal = true;
    bool suggest = true;
    bool bySymmetry = true;
    Format format = Format::Text;
    int32_t threads = defaultThreads();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : "";
        int32_t v = 0;
        if (a == "--game-type" && hasValue && parseInt(value, 1, kGameTypes, v)) {
            types.push_back(v);
            ++i;
        } else if (a == "--strategy" && (value == "optimal" || value == "suggest")) {
            optimal = value == "optimal";
            suggest = !optimal;
            ++i;
        } else if (a == "--threads" && hasValue && parseInt(value, 1, 64, v)) {
            threads = v;
            ++i;
        } else if (a == "--format" &&
                   (value == "text" || value == "markdown" || value == "html-fr" ||
                    value == "html-en" || value == "cpp")) {
            format = value == "text"       ? Format::Text
                     : value == "markdown" ? Format::Markdown
                     : value == "html-fr"  ? Format::HtmlFrench
                     : value == "html-en"  ? Format::HtmlEnglish
                                           : Format::Cpp;
            ++i;
        } else if (a == "--every-deal") {
            bySymmetry = false;
        } else {
            err << "brisko-analyze: rtp: bad argument: '" << a << (hasValue ? " " + value : "")
                << "' (usage: rtp [--game-type 1|2|3]... [--strategy optimal|suggest]"
                   " [--threads N] [--every-deal] [--format text|markdown|html-fr|html-en|cpp])\n";
            return 2;
        }
    }
    if (format == Format::Cpp && !types.empty()) {
        err << "brisko-analyze: rtp: --format cpp takes every game type\n";
        return 2;
    }
    if (types.empty()) {
        for (int32_t t = 1; t <= kGameTypes; ++t) types.push_back(t);
    }

    const FastEvaluator evaluator;
    const ReturnCalculator calculator(evaluator, threads);
    std::vector<std::array<GameReturn, 2>> all;
    for (int32_t type : types) {
        all.push_back(calculator.gameReturns(static_cast<GameType>(type), bySymmetry));
    }
    if (format == Format::Text) {
        printText(all, optimal, suggest, out);
    } else if (format == Format::Cpp) {
        printSource(all, out);
    } else {
        printTables(all, format, out);
    }
    return 0;
}

int runAdvise(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const char* usage = " (usage: advise C1 C2 C3 C4 C5 [--game-type 1|2|3])\n";
    Hand hand{};
    int32_t cards = 0;
    int32_t type = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--game-type") {
            if (i + 1 >= args.size() || !parseInt(args[i + 1], 1, kGameTypes, type)) {
                err << "brisko-analyze: advise: game type must be 1, 2 or 3" << usage;
                return 2;
            }
            ++i;
            continue;
        }
        const auto card = parseCard(args[i]);
        if (!card || cards == kSlots) {
            err << "brisko-analyze: advise: "
                << (card ? "more than five cards: '" : "unknown card: '") << args[i] << "'"
                << usage;
            return 2;
        }
        for (int32_t k = 1; k <= cards; ++k) {
            if (hand[k] == *card) {
                err << "brisko-analyze: advise: card given twice: '" << args[i] << "'" << usage;
                return 2;
            }
        }
        hand[++cards] = *card;
    }
    if (cards != kSlots) {
        err << "brisko-analyze: advise: expected five cards, got " << cards << usage;
        return 2;
    }
    const bool joker = std::find(hand.begin() + 1, hand.end(), kJoker) != hand.end();
    if (type == 0) type = number(joker ? GameType::JokerPossible : GameType::NoJoker);
    const GameType gameType = static_cast<GameType>(type);
    const int32_t jokerChances = rulesOf(gameType).jokerDealChances;
    if ((jokerChances >= kJokerOdds && !joker) || (jokerChances == 0 && joker)) {
        err << "brisko-analyze: advise: game type " << type << " never deals this hand: "
            << (joker ? "it has no joker" : "its deals hold the joker") << '\n';
        return 2;
    }

    printAdvice(FastEvaluator(), hand, gameType, out);
    return 0;
}

}  // namespace brisko
