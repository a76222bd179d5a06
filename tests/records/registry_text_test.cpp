// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "helpers.h"
#include "records/registry_text.h"

namespace brisko {
namespace {

using test::bytes;

RegValue binary(const std::string& name, std::vector<uint8_t> data) {
    return RegValue{name, kRegBinary, std::move(data), {}};
}

TEST(RegistryText, ValuesAreWrittenAsWineWritesThem) {
    EXPECT_EQ(formatRegistryValue(binary("verif", bytes({1}))), "\"verif\"=hex:01");
    EXPECT_EQ(formatRegistryValue(binary("niveau", bytes({2, 0, 0, 0}))),
              "\"niveau\"=hex:02,00,00,00");
    EXPECT_EQ(formatRegistryValue(binary("empty", {})), "\"empty\"=hex:");
    EXPECT_EQ(formatRegistryValue({"optionYourName", kRegSz, stringData("PAUL"), {}}),
              "\"optionYourName\"=\"PAUL\"");
    EXPECT_EQ(formatRegistryValue({"d", kRegDword, bytes({0x2a, 0, 0, 0}), {}}),
              "\"d\"=dword:0000002a");
    EXPECT_EQ(formatRegistryValue({"e", kRegExpandSz, stringData("%HOME%"), {}}),
              "\"e\"=str(2):\"%HOME%\"");
    EXPECT_EQ(formatRegistryValue({"q", 0xb, bytes({1, 0, 0, 0, 0, 0, 0, 0}), {}}),
              "\"q\"=hex(b):01,00,00,00,00,00,00,00");
    EXPECT_EQ(formatRegistryValue({"", kRegSz, stringData("x"), {}}), "@=\"x\"");
    // A string without its closing zero unit is not a string: hex(1).
    EXPECT_EQ(formatRegistryValue({"odd", kRegSz, bytes({'A', 0}), {}}), "\"odd\"=hex(1):41,00");
}

TEST(RegistryText, StringsEscapeAsWineDoes) {
    EXPECT_EQ(escapeRegistryString(u"a\\b\"c", "\""), "a\\\\b\\\"c");
    EXPECT_EQ(escapeRegistryString(u"Zoë", "\""), "Zo\\xeb");
    EXPECT_EQ(escapeRegistryString(u"Née", "\""), "N\\x00e9e");  // a hex digit follows
    EXPECT_EQ(escapeRegistryString(u"Nég", "\""), "N\\xe9g");
    EXPECT_EQ(escapeRegistryString(u"\t\n\r\x1b", "\""), "\\t\\n\\r\\e");
    EXPECT_EQ(escapeRegistryString(u"\x01x\x01"
                                   "5",
                                   "\""),
              "\\1x\\0015");
    EXPECT_EQ(escapeRegistryString(u"[k]", "[]"), "\\[k\\]");
}

TEST(RegistryText, NamesWithAccentsQuotesAndBackslashesRoundTrip) {
    const std::string names[] = {
        "Éloïse \"la\" \\ Zoë",    "😀 NOVÁK", "a\\\\b", "\"\"", "tab\there", "ÿ0ÿa", "C:\\x41",
        std::string("nul\0in", 6), ""};
    RegTree tree;
    RegKey& key = tree.create("Software\\Caldimo\\BRISKO 99", 1);
    int n = 0;
    for (const std::string& name : names) {
        key.set({"n" + std::to_string(n++), kRegSz, stringData(name), {}});
        key.set({name.empty() ? "x" : name, kRegBinary, bytes({1}), {}});
    }
    const std::string text = formatRegistryText(tree);
    for (const char c : text) EXPECT_TRUE(static_cast<unsigned char>(c) < 128) << text;
    const RegTree back = parseRegistryText(text);
    ASSERT_EQ(back.keys.size(), 1u);
    const RegKey& read = back.keys[0];
    ASSERT_EQ(read.values.size(), key.values.size());
    for (size_t k = 0; k < key.values.size(); ++k) {
        EXPECT_EQ(read.values[k].name, key.values[k].name);
        EXPECT_EQ(read.values[k].type, key.values[k].type);
        EXPECT_EQ(read.values[k].data, key.values[k].data) << key.values[k].name;
    }
    // And the text reads back to the same text.
    EXPECT_EQ(formatRegistryText(back), text);
}

TEST(RegistryText, EveryValueTypeIsRead) {
    const std::string text =
        "WINE REGISTRY Version 2\r\n"
        ";; All keys relative to \\\\User\\\\S-1-5-21\r\n"
        "\r\n"
        "#arch=win32\r\n"
        "[Software\\\\Caldimo\\\\BRISKO 99] 1700000000\r\n"
        "#time=1da2b3c4d5e6f70\r\n"
        "\"verif\"=hex:01\r\n"
        "\"niveau\" = hex: 02 , 00,00,  00\r\n"
        "\"d\"=dword:2a\r\n"
        "\"e\"=str(2):\"%HOME%\"\r\n"
        "\"m\"=str(7):\"a\\0b\\0\"\r\n"
        "\"q\"=hex(b):01,00,00,00,\\\r\n"
        "  00,00,00,00\r\n"
        "@=\"default\"\r\n"
        "\"highScoreName111\"=\"NOV\\x00e1K\"\r\n"
        "\"esc\"=\"\\x41\\101\\q\\x\"\r\n";
    const RegTree tree = parseRegistryText(text);
    ASSERT_EQ(tree.keys.size(), 1u);
    const RegKey& key = tree.keys[0];
    EXPECT_EQ(key.path, "Software\\Caldimo\\BRISKO 99");
    EXPECT_EQ(key.modified, 1700000000);
    EXPECT_EQ(tree.header.size(), 2u);
    EXPECT_EQ(key.find("verif")->data, bytes({1}));
    EXPECT_EQ(key.find("niveau")->data, bytes({2, 0, 0, 0}));
    EXPECT_EQ(key.find("d")->type, kRegDword);
    EXPECT_EQ(key.find("d")->data, bytes({0x2a, 0, 0, 0}));
    EXPECT_EQ(key.find("e")->type, kRegExpandSz);
    EXPECT_EQ(readStringValue(key.find("e"), "e"), "%HOME%");
    EXPECT_EQ(key.find("m")->type, kRegMultiSz);
    EXPECT_EQ(key.find("q")->type, 0xbu);
    EXPECT_EQ(key.find("q")->data.size(), 8u);
    EXPECT_EQ(readStringValue(key.find(""), ""), "default");
    EXPECT_EQ(readStringValue(key.find("highScoreName111"), "x"), "NOVáK");
    EXPECT_EQ(readStringValue(key.find("esc"), "x"), "AAqx");
}

TEST(RegistryText, LongHexDataWrapsAndReadsBack) {
    RegTree tree;
    std::vector<uint8_t> data;
    for (int k = 0; k < 100; ++k) data.push_back(static_cast<uint8_t>(k));
    tree.create("K", 0).set(binary("long", data));
    const std::string text = formatRegistryText(tree);
    size_t start = 0;
    int lines = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        EXPECT_LE(end - start, 80u);
        start = end + 1;
        ++lines;
    }
    EXPECT_GT(lines, 6);
    EXPECT_EQ(parseRegistryText(text).keys[0].find("long")->data, data);
}

TEST(RegistryText, KeysWithBracketsAndNonAsciiNames) {
    RegTree tree;
    tree.create("Software\\Caldimo\\[Zoë]", 5).set(binary("v", bytes({1})));
    const std::string text = formatRegistryText(tree);
    EXPECT_NE(text.find("[Software\\\\Caldimo\\\\\\[Zo\\xeb\\]] 5\n"), std::string::npos) << text;
    EXPECT_EQ(parseRegistryText(text).keys[0].path, "Software\\Caldimo\\[Zoë]");
}

TEST(RegistryText, AFreshFileHasTheHeaderKeyLineAndTime) {
    RegTree tree;
    tree.header.push_back(";; All keys relative to \\\\User");
    tree.create("Software\\Caldimo\\BRISKO 99", 1700000000).set(binary("verif", bytes({1})));
    EXPECT_EQ(formatRegistryText(tree),
              "WINE REGISTRY Version 2\n"
              ";; All keys relative to \\\\User\n"
              "\n"
              "[Software\\\\Caldimo\\\\BRISKO 99] 1700000000\n"
              "#time=1da1747c66d0000\n"
              "\"verif\"=hex:01\n");
    EXPECT_EQ(unixSecondsToFiletime(0), 116444736000000000u);
}

TEST(RegistryText, UnchangedLinesAreWrittenBackAsTheyWere) {
    const std::string text =
        "WINE REGISTRY Version 2\n"
        ";; comment\n"
        "#arch=win32\n"
        "\n"
        "[Software\\\\Other] 12\n"
        "#time=abc\n"
        "#class=\"x\"\n"
        "\"odd\" = hex:01,  02\n"
        "\"w\"=\"\\x00e9\"\n"
        "\n"
        "[Software\\\\Caldimo\\\\BRISKO 99] 13\n"
        "#time=def\n"
        "\"verif\"=hex:01\n"
        "\"mine\"=dword:00000001\n";
    RegTree tree = parseRegistryText(text);
    EXPECT_EQ(formatRegistryText(tree), text);
    RegKey& key = *tree.find("software\\caldimo\\brisko 99");
    key.set(binary("verif", bytes({0})));
    key.rawLine.clear();
    key.modified = 1700000000;
    const std::string out = formatRegistryText(tree);
    EXPECT_NE(out.find("[Software\\\\Other] 12\n#time=abc\n#class=\"x\"\n\"odd\" = hex:01,  02\n"
                       "\"w\"=\"\\x00e9\"\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("[Software\\\\Caldimo\\\\BRISKO 99] 1700000000\n#time=1da1747c66d0000\n"
                       "\"verif\"=hex:00\n\"mine\"=dword:00000001\n"),
              std::string::npos)
        << out;
}

struct Damage {
    const char* text;
    int line;
};

TEST(RegistryText, DamageIsReportedWithItsLine) {
    const Damage cases[] = {
        {"", 1},
        {"REGEDIT4\n", 1},
        {"WINE REGISTRY Version 2\n\"v\"=hex:01\n", 2},
        {"WINE REGISTRY Version 2\n[K] 1\n\"v\"=hex:0g\n", 3},
        {"WINE REGISTRY Version 2\n[K] 1\n\"v\"=\"open\n", 3},
        {"WINE REGISTRY Version 2\n[K] 1\n\"v\"=wrong\n", 3},
        {"WINE REGISTRY Version 2\n[K] 1\n\"v\"hex:01\n", 3},
        {"WINE REGISTRY Version 2\n[K] 1\n\n\ngarbage\n", 5},
        {"WINE REGISTRY Version 2\n[K\n", 2},
        {"WINE REGISTRY Version 2\n[K] 1\n\"v\"=hex:01,\\\n", 3},
        {"WINE REGISTRY Version 2\n[K] 1\n\"v\"=dword:\n", 3},
        {"WINE REGISTRY Version 2\n[K] 1\n\"v\"=hex:01 02\n", 3},
        {"WINE REGISTRY Version 2\n[K] 1\n\"v\"=\"a\" x\n", 3},
        {"WINE REGISTRY Version 2\n[K] 1\n\"v\"=hex:01\n\0\n", 4},
    };
    for (const Damage& damage : cases) {
        std::string text = damage.text;
        if (damage.line == 4)
            text = std::string("WINE REGISTRY Version 2\n[K] 1\n\"v\"=hex:01\n\x01\n");
        try {
            parseRegistryText(text);
            ADD_FAILURE() << "read: " << text;
        } catch (const RegistryParseError& error) {
            EXPECT_EQ(error.line(), damage.line) << text << error.what();
        }
    }
}

}  // namespace
}  // namespace brisko
