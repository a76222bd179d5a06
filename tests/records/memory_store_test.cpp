// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "helpers.h"
#include "records/memory_store.h"

namespace brisko {
namespace {

using test::bytes;

struct Memory : ::testing::Test {
    MemoryStore store;
    Memory() { store.openKey("Software\\Caldimo\\BRISKO 99\\"); }
};

TEST_F(Memory, AnAbsentBinaryReadsZeroAndLeavesTheDestination) {
    uint8_t dest[4] = {9, 9, 9, 9};
    EXPECT_EQ(store.readBinary("niveau", dest, 4), 0u);
    EXPECT_EQ(dest[0], 9);
    EXPECT_EQ(store.readString("optionYourName"), "");
}

TEST_F(Memory, BinaryValuesKeepTheirWidth) {
    const uint8_t colour[4] = {0, 0, 0x40, 0};
    store.writeBinary("optionCouleurFondEcran", colour, 4);
    uint8_t dest[4] = {};
    EXPECT_EQ(store.readBinary("optionCouleurFondEcran", dest, 4), 4u);
    EXPECT_EQ(dest[2], 0x40);
    EXPECT_EQ(store.value("optionCouleurFondEcran")->type, kRegBinary);
    // Longer than the capacity: the type error.
    EXPECT_THROW(store.readBinary("optionCouleurFondEcran", dest, 1), StoreError);
}

TEST_F(Memory, NamesIgnoreCaseAndKeepTheirFirstOrder) {
    store.writeString("b", "1");
    store.writeString("a", "2");
    store.writeString("B", "3");
    ASSERT_EQ(store.values().size(), 2u);
    EXPECT_EQ(store.values()[0].name, "b");
    EXPECT_EQ(store.readString("b"), "3");
}

TEST_F(Memory, AKeyOfManyValuesFindsEachInAnyOrderAndForgetsARemovedOne) {
    for (int k = 0; k < 300; ++k) store.writeString("name" + std::to_string(k), std::to_string(k));
    for (int k = 299; k >= 0; k -= 7) {
        EXPECT_EQ(store.readString("NAME" + std::to_string(k)), std::to_string(k));
    }
    EXPECT_EQ(store.value("name300"), nullptr);
    store.remove("name5");
    EXPECT_EQ(store.value("name5"), nullptr);
    EXPECT_EQ(store.readString("name299"), "299");
    store.writeString("Name5", "again");
    ASSERT_EQ(store.values().size(), 300u);
    EXPECT_EQ(store.values().back().name, "Name5");
    EXPECT_EQ(store.readString("name5"), "again");
}

TEST_F(Memory, StringsStopAtTheirFirstZero) {
    store.put("s", kRegSz, bytes({'A', 0, 0, 0, 'B', 0, 0, 0}));
    EXPECT_EQ(store.readString("s"), "A");
    store.put("e", kRegSz, {});
    EXPECT_EQ(store.readString("e"), "");
    store.writeString("n", "Zoë 😀");
    EXPECT_EQ(store.readString("n"), "Zoë 😀");
}

TEST_F(Memory, ASaveIsAllOrNothing) {
    store.writeString("kept", "old");
    store.beginSave();
    store.writeString("kept", "new");
    store.writeString("other", "x");
    EXPECT_EQ(store.commits(), 1);
    store.refuseName = "other";
    try {
        store.commitSave();
        FAIL() << "no error";
    } catch (const StoreError& error) {
        EXPECT_STREQ(error.what(), "Erreur à définition des données pour 'kept'");
    }
    EXPECT_EQ(store.readString("kept"), "old");
    EXPECT_EQ(store.value("other"), nullptr);

    store.refuseName.clear();
    store.beginSave();
    store.writeString("kept", "new");
    store.commitSave();
    EXPECT_EQ(store.readString("kept"), "new");
    EXPECT_EQ(store.commits(), 2);
}

TEST_F(Memory, AWriteOutsideASaveCanBeRefused) {
    store.refuseWrites = true;
    EXPECT_THROW(store.writeString("x", "y"), StoreError);
    EXPECT_EQ(store.value("x"), nullptr);
}

TEST_F(Memory, KeysAreSeparate) {
    store.writeString("x", "1");
    store.openKey("Software\\Other");
    EXPECT_EQ(store.readString("x"), "");
    store.openKey("software\\caldimo\\brisko 99");
    EXPECT_EQ(store.readString("x"), "1");
    EXPECT_EQ(store.tree().keys.size(), 2u);
}

TEST(Utf, ConversionsRoundTripAndMendBadInput) {
    const std::string text = "Éloïse \"la\" \\ Zoë 😀 ß";
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(text)), text);
    EXPECT_EQ(utf8ToUtf16("😀").size(), 2u);
    EXPECT_EQ(utf8ToUtf16("\xff"), u"\xfffd");
    EXPECT_EQ(utf8ToUtf16("\xc3"), u"\xfffd");
    EXPECT_EQ(utf16ToUtf8(u"\xd800x"), "\xef\xbf\xbdx");
}

}  // namespace
}  // namespace brisko
