// SPDX-License-Identifier: GPL-3.0-or-later
// Every one of the 188 value lines of a player's file, damaged in four ways
// in turn: nothing is lost but the damaged value and, for a best score or
// its name, the entry it belongs to (the rest of its list moves up).
#include <gtest/gtest.h>

#include <cstdio>

#include "fuzz/store_check.h"
#include "helpers.h"

namespace brisko {
namespace {

namespace fs = std::filesystem;
using test::kFixedTime;
using test::readText;
using test::TempDir;
using test::writeText;

// The line damaged: one way, for a binary value or a string.
struct Way {
    const char* name;
    std::string (*binary)(const std::string& line);
    std::string (*string)(const std::string& line);
};

bool inList(const StoredValue& v) {
    return v.field == SettingField::points || v.field == SettingField::name;
}

std::string nameOf(const std::string& line) {
    return line.substr(0, line.find('=') + 1);
}

const Way kWays[] = {
    {"garbage line", [](const std::string&) { return std::string("\x01zz garbage"); },
     [](const std::string&) { return std::string("\x01zz garbage"); }},
    // hex:01,0 and "PL11
    {"value cut inside", [](const std::string& l) { return l.substr(0, l.size() - 1); },
     [](const std::string& l) { return l.substr(0, l.size() - 1); }},
    // One byte more; a string as binary.
    {"wrong length", [](const std::string& l) { return l + ",00"; },
     [](const std::string& l) { return nameOf(l) + "hex:50,00,4c,00,00,00"; }},
    // A binary value as a string; a string as a number.
    {"wrong type", [](const std::string& l) { return nameOf(l) + "\"1\""; },
     [](const std::string& l) { return nameOf(l) + "dword:00000001"; }},
};

// The file of a player whose 90 best-score names are PL111..PL365 and whose
// options are none of their defaults.
std::string playersFile(const fs::path& file) {
    FileStore store(file, [] { return kFixedTime; });
    RandomSource random;
    Texts texts;
    Records records(store, random, texts);
    records.LoadSettings();
    Settings& s = records.settings;
    for (int t = 1; t <= kGameTypes; ++t)
        for (int i = 1; i <= kTargets; ++i)
            for (int r = 1; r <= kRanks; ++r) {
                s.highScores[t][i][r].name =
                    "PL" + std::to_string(t) + std::to_string(i) + std::to_string(r);
            }
    s.optionDoublagePropose = 0;
    s.optionSuggestionCartes = 0;
    s.optionBarreInfo = 0;
    s.optionCouleurFondEcran = 0x00123456;
    s.gameType = GameType{3};
    s.targetIndex = 4;
    s.optionYourName = "PAUL";
    records.SaveSettings();
    return readText(file);
}

TEST(DamagedLine, CostsOnlyItsValueOrItsEntry) {
    TempDir dir;
    const fs::path file = dir / "user.reg";
    const std::string clean = playersFile(file);
    Settings original;
    {
        FileStore store(file);
        RandomSource random;
        Texts texts;
        Records records(store, random, texts);
        records.LoadSettings();
        original = records.settings;
    }
    std::vector<std::string> lines;
    for (size_t at = 0; at < clean.size();) {
        const size_t end = clean.find('\n', at);
        lines.push_back(clean.substr(at, end - at));
        at = end + 1;
    }
    const std::vector<StoredValue>& table = storedValues();
    int cases = 0;
    int valueLines = 0;
    int lost = 0;
    for (size_t l = 0; l < lines.size(); ++l) {
        const auto value = std::find_if(table.begin(), table.end(), [&](const StoredValue& v) {
            return lines[l].starts_with("\"" + v.name + "\"=");
        });
        if (value == table.end()) continue;
        ++valueLines;
        for (const Way& way : kWays) {
            SCOPED_TRACE(lines[l] + ": " + way.name);
            fuzz::emptyFolder(dir.path());
            std::string text;
            for (size_t k = 0; k < lines.size(); ++k) {
                if (k == l) {
                    text += value->kind == ValueKind::Binary ? way.binary(lines[k])
                                                             : way.string(lines[k]);
                } else {
                    text += lines[k];
                }
                if (k + 1 < lines.size()) text += '\n';
            }
            writeText(file, text);
            FileStore store(file, [] { return kFixedTime; });
            RandomSource random;
            Texts texts;
            texts.setLanguage(Language::English);
            Records records(store, random, texts);
            std::string message;
            try {
                records.LoadSettings();
            } catch (const StoreError& error) {
                message = error.what();
            }
            ++cases;
            // Told truthfully: the value, the copy.
            EXPECT_NE(message.find("Could not be read: '" + value->name + "'."), std::string::npos)
                << message;
            EXPECT_NE(message.find("A copy of the damaged file is kept as '"), std::string::npos)
                << message;
            const Settings& s = records.settings;
            for (const StoredValue& v : table) {
                if (&v == &*value) continue;
                if (inList(v) && inList(*value) && v.gameType == value->gameType &&
                    v.targetIndex == value->targetIndex) {
                    continue;  // its own list, below
                }
                const bool same = v.kind == ValueKind::String
                                      ? textField(s, v) == textField(original, v)
                                      : binaryField(s, v) == binaryField(original, v);
                if (!same) {
                    ++lost;
                    ADD_FAILURE() << v.name << " lost";
                }
            }
            // Its own list: the other entries, in order.
            if (inList(*value)) {
                const HighScoreList& before =
                    original.highScores[value->gameType][value->targetIndex];
                const HighScoreList& after = s.highScores[value->gameType][value->targetIndex];
                for (int r = 1, k = 1; r <= kRanks; ++r) {
                    if (r == value->rank) continue;
                    EXPECT_EQ(after[k].name, before[r].name);
                    EXPECT_EQ(after[k].points, before[r].points);
                    ++k;
                }
            }
            // The mended file reads cleanly, with nothing to tell.
            FileStore next(file);
            Records again(next, random, texts);
            EXPECT_NO_THROW(again.LoadSettings());
            EXPECT_EQ(fuzz::firstDifference(again.settings, s), "");
        }
    }
    EXPECT_EQ(valueLines, 188);
    std::printf("[ figures  ] %d value lines damaged in %zu ways, %d cases: %d other values lost\n",
                valueLines, std::size(kWays), cases, lost);
}

}  // namespace
}  // namespace brisko
