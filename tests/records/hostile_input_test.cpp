// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged, oversized and hostile settings files: every seed and every fuzzer
// finding is replayed, and the bounds that keep a file harmless are checked.
#include <gtest/gtest.h>

#include "fuzz/store_check.h"
#include "helpers.h"

namespace brisko {
namespace {

namespace fs = std::filesystem;
using test::kFixedTime;
using test::readText;
using test::TempDir;
using test::writeText;

const std::string kHead = "WINE REGISTRY Version 2\n[Software\\\\Caldimo\\\\BRISKO 99] 1\n";

std::vector<fs::path> filesIn(const fs::path& dir) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(HostileFiles, SeedsAndFindingsOfTheFuzzerHold) {
    const fs::path root = BRISKO_FUZZ_DATA;
    std::vector<fs::path> files = filesIn(root / "corpus");
    ASSERT_GE(files.size(), 4u);
    for (const fs::path& file : filesIn(root / "regressions")) files.push_back(file);
    TempDir dir;
    for (const fs::path& file : files) {
        const std::string bytes = readText(file);
        EXPECT_EQ(fuzz::checkParser(bytes), "") << file;
        EXPECT_EQ(fuzz::checkCycle(bytes), "") << file;
        EXPECT_EQ(fuzz::checkLoad(bytes, dir.path()), "") << file;
    }
}

// A file cut short (a copy, a sync tool, an editor) at every byte: a cut
// inside a value is damage, never a shorter value read without a word.
TEST(HostileFiles, AFileCutInsideAValueIsDamage) {
    const std::string whole = readText(fs::path(BRISKO_FUZZ_DATA) / "corpus" / "after_a_game.reg");
    int insideValues = 0;
    for (size_t cut = 1; cut < whole.size(); ++cut) {
        const std::string part = whole.substr(0, cut);
        const size_t lineStart = part.rfind('\n') + 1;                 // 0 when none
        if (lineStart == part.size() || whole[cut] == '\n') continue;  // a whole line
        const char first = part[lineStart];
        if (first != '"' && first != '@' && first != ' ') continue;  // header, key, option
        ++insideValues;
        ASSERT_FALSE(readRegistryText(part).damagedLines.empty())
            << cut << ": " << part.substr(lineStart);
    }
    std::printf("[ figures  ] %d of %zu cut points fall inside a value, all damage\n", insideValues,
                whole.size() - 1);
    TempDir dir;
    for (size_t cut = 0; cut <= whole.size(); cut += cut < 120 ? 1 : 211) {
        const std::string part = whole.substr(0, cut);
        ASSERT_EQ(fuzz::checkParser(part), "") << cut;
        ASSERT_EQ(fuzz::checkLoad(part, dir.path()), "") << cut;
    }
}

TEST(HostileFiles, AFileBeyondTheSizeBoundKeepsWhatComesBefore) {
    // A valid file padded with comment lines past the bound.
    std::string text = kHead + "\"verif\"=hex:01\n";
    const std::string comment = ";" + std::string(1000, 'x') + "\n";
    while (text.size() <= kMaxRegistryFileSize) text += comment;
    const RegistryText read = readRegistryText(text);
    ASSERT_FALSE(read.damagedLines.empty());
    EXPECT_EQ(read.tree.keys.at(0).find("verif")->data, test::bytes({1}));
    TempDir dir;
    EXPECT_EQ(fuzz::checkLoad(text, dir.path()), "");
    // Also when the bound falls just after a line feed.
    std::string atLineEnd = text;
    const size_t lineEnd = atLineEnd.rfind('\n', kMaxRegistryFileSize - 1);
    atLineEnd.insert(lineEnd, kMaxRegistryFileSize - 1 - lineEnd, 'x');
    EXPECT_FALSE(readRegistryText(atLineEnd).damagedLines.empty());
    // Just under the bound it is read.
    text.resize(kMaxRegistryFileSize - 2);
    text.resize(text.rfind('\n') + 1);
    EXPECT_NO_THROW(parseRegistryText(text));
}

TEST(HostileFiles, ALineBeyondTheLengthBoundIsDamageOnThatLine) {
    const std::string name = "\"optionYourName\"=\"";
    std::string longest = name + std::string(kMaxRegistryLineLength - name.size() - 1, 'A') + "\"";
    ASSERT_EQ(longest.size(), kMaxRegistryLineLength);
    EXPECT_NO_THROW(parseRegistryText(kHead + longest + "\n"));
    // The bound counts the line without its CR.
    EXPECT_NO_THROW(parseRegistryText(kHead + longest + "\r\n"));
    longest.insert(name.size(), "A");
    try {
        parseRegistryText(kHead + longest + "\n");
        ADD_FAILURE();
    } catch (const RegistryParseError& error) {
        EXPECT_EQ(error.line(), 3);
        EXPECT_STREQ(error.what(), "line too long");
    }
}

TEST(HostileFiles, HexIsReadStrictly) {
    const char* bad[] = {"hex:1g", "hex:123", "hex:1", "hex:01,2", "hex:01,", "hex:01,\\",
                         "hex:01,,02", "hex:,01", "hex:01;02", "hex:0x01", "hex:-1", "hex(zz):01",
                         "hex(1:01", "dword:123456789", "dword:0x1", "dword:-1", "dword:1 2",
                         "hex:01,02 03",
                         // Eight digits at most for a type: the ninth is not ")".
                         "hex(100000000):01"};
    for (const char* data : bad) {
        EXPECT_THROW(parseRegistryText(kHead + "\"v\"=" + data + "\n"), RegistryParseError) << data;
    }
    const RegTree tree = parseRegistryText(kHead +
                                           "\"a\"=hex:0A , ff,\t01\n"
                                           "\"b\"=dword:FFFFFFFF\n");
    const RegKey& key = tree.keys[0];
    EXPECT_EQ(key.find("a")->data, test::bytes({0x0a, 0xff, 0x01}));
    EXPECT_EQ(key.find("b")->data, test::bytes({0xff, 0xff, 0xff, 0xff}));
}

TEST(HostileFiles, LinesEndingInSeveralCarriageReturnsReadAsWrittenOnce) {
    const std::string text =
        "WINE REGISTRY Version 2\r\r\n;; header\r\r\r\n[K] 1\r\r\n#time=1\r\r\n"
        "\"v\"=hex:01\r\r\n\"s\"=\"a\"\r\r\r\n";
    const RegTree tree = parseRegistryText(text);
    ASSERT_EQ(tree.header.size(), 1u);
    EXPECT_EQ(tree.header[0], ";; header");
    ASSERT_EQ(tree.keys.size(), 1u);
    EXPECT_EQ(tree.keys[0].options, std::vector<std::string>{"#time=1"});
    EXPECT_EQ(tree.keys[0].find("s")->data, stringData("a"));
    const std::string written = formatRegistryText(tree);
    EXPECT_EQ(written, formatRegistryText(parseRegistryText(written)));
    EXPECT_EQ(written.find('\r'), std::string::npos);
}

TEST(HostileFiles, ManyKeysAndValuesReadInOnePassAndTheLastOfANameWins) {
    std::string text = "WINE REGISTRY Version 2\n";
    constexpr int kKeys = 2000;
    constexpr int kValues = 20000;
    for (int k = 0; k < kKeys; ++k) text += "[K\\\\" + std::to_string(k) + "] 1\n";
    text += "[Software\\\\Caldimo\\\\BRISKO 99] 1\n";
    for (int v = 0; v < kValues; ++v) {
        text += "\"V" + std::to_string(v % (kValues / 2)) +
                "\"=hex:" + (v < kValues / 2 ? "01" : "02") + "\n";
    }
    text += "[k\\\\7] 1\n\"late\"=hex:03\n";  // a key met again, in another case
    const RegTree tree = parseRegistryText(text);
    ASSERT_EQ(tree.keys.size(), static_cast<size_t>(kKeys + 1));
    const RegKey* ours = tree.find("Software\\Caldimo\\BRISKO 99");
    ASSERT_NE(ours, nullptr);
    ASSERT_EQ(ours->values.size(), static_cast<size_t>(kValues / 2));
    EXPECT_EQ(ours->values[0].name, "V0");
    EXPECT_EQ(ours->values[0].data, test::bytes({2}));
    EXPECT_EQ(tree.keys[7].path, "K\\7");
    ASSERT_EQ(tree.keys[7].values.size(), 1u);
    EXPECT_EQ(tree.keys[7].values[0].name, "late");
}

struct Loaded : ::testing::Test {
    TempDir dir;
    fs::path file = dir / "user.reg";
    FileStore store{file, [] { return kFixedTime; }};
    RandomSource random;
    Texts texts;
    Records records{store, random, texts};

    Loaded() { texts.setLanguage(Language::English); }

    // The first-run file with `line` in place of the line naming `value`.
    void plant(const std::string& value, const std::string& line) {
        std::string text = readText(fs::path(BRISKO_FUZZ_DATA) / "corpus" / "first_run.reg");
        const size_t at = text.find("\"" + value + "\"=");
        ASSERT_NE(at, std::string::npos) << value;
        text.replace(at, text.find('\n', at) - at, line);
        writeText(file, text);
    }
};

// Invalid UTF-8 would come back changed (as U+FFFD).
bool validUtf8(const std::string& text) {
    return utf16ToUtf8(utf8ToUtf16(text)) == text;
}

TEST_F(Loaded, OddNamesLoadWholeAndAreShownAsValidText) {
    struct Case {
        std::string line;      // in the file
        std::string expected;  // in the settings
    };
    const std::vector<Case> cases = {
        {"\"optionYourName\"=\"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\"",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"},
        {"\"optionYourName\"=\"A\\a\\b\\t\\n\\v\\f\\r\\e\\001\\177Z\"",
         "A\a\b\t\n\v\f\r\x1b\x01\x7fZ"},
        // A lone high or low surrogate, a pair in the wrong order, and a
        // correct pair.
        {"\"optionYourName\"=\"\\xd800A\\xdc00B\\xdc00\\xd800C\\xd83d\\xde00\"",
         "\xEF\xBF\xBD"
         "A\xEF\xBF\xBD"
         "B\xEF\xBF\xBD\xEF\xBF\xBD"
         "C\xF0\x9F\x98\x80"},
        {"\"optionYourName\"=\"\\xffff\\xfffe\\x0\"", "\xEF\xBF\xBF\xEF\xBF\xBE"},
        {"\"optionYourName\"=\"" + std::string(5000, 'W') + "\"", std::string(5000, 'W')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 60));
        plant("optionYourName", c.line);
        FileStore fresh(file, [] { return kFixedTime; });
        Records loaded(fresh, random, texts);
        ASSERT_NO_THROW(loaded.LoadSettings());
        EXPECT_EQ(loaded.settings.optionYourName, c.expected);
        EXPECT_TRUE(validUtf8(loaded.settings.optionYourName));
        // A score made under that name is saved and read back.
        const int32_t rank = loaded.InsertHighScore(1000000);
        EXPECT_EQ(rank, 1);
        FileStore again(file, [] { return kFixedTime; });
        Records next(again, random, texts);
        ASSERT_NO_THROW(next.LoadSettings());
        EXPECT_EQ(next.settings.highScores[2][1][1].name, c.expected);
        EXPECT_EQ(next.settings.optionYourName, c.expected);
    }
}

TEST_F(Loaded, ABestScoreNameWithHostileTextIsKeptAndTheListStillChecked) {
    plant("highScoreName111", "\"highScoreName111\"=\"\\xd800\\\\\\\"[]\\0hidden\"");
    ASSERT_NO_THROW(records.LoadSettings());
    EXPECT_EQ(records.settings.highScores[1][1][1].name, "\xEF\xBF\xBD\\\"[]");
    EXPECT_TRUE(records.SettingsValid());
}

}  // namespace
}  // namespace brisko
