// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows store on a real registry (Windows, or Wine's registry under
// wine64: scripts/test-windows-store). Each test starts from no key at all.
#ifdef _WIN32

#include <gtest/gtest.h>

#ifndef NOMINMAX  // MinGW's C++ library defines it already
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <map>

#include "records/registry.h"
#include "records/settings.h"
#include "records/settings_table.h"
#include "records/windows_store.h"

namespace brisko {
namespace {

const wchar_t* const kKey = L"Software\\Caldimo\\BRISKO 99";

struct RawValue {
    DWORD type = 0;
    std::vector<uint8_t> data;
};

// The values of the game's key as the registry holds them, by name.
std::map<std::wstring, RawValue> rawValues() {
    std::map<std::wstring, RawValue> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        uint8_t data[1024];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &size) !=
            ERROR_SUCCESS) {
            break;
        }
        values[std::wstring(name, nameLength)] = {type, std::vector<uint8_t>(data, data + size)};
    }
    RegCloseKey(key);
    return values;
}

std::wstring wide(const std::string& text) {
    const std::u16string units = utf8ToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

// Puts a value of any type straight into the game's key.
void plant(const std::string& name, DWORD type, std::vector<uint8_t> data) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, wide(name).c_str(), 0, type, data.data(),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void removeValue(const std::string& name) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueW(key, wide(name).c_str()), ERROR_SUCCESS);
    RegCloseKey(key);
}

struct WindowsStoreTest : ::testing::Test {
    WindowsStore store;
    RandomSource random;
    Texts texts;
    Records records{store, random, texts};

    WindowsStoreTest() {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Caldimo");
        texts.setLanguage(Language::French);
    }

    // The error of a fresh load, empty when there is none.
    std::string loadError() {
        WindowsStore fresh;
        Records loaded(fresh, random, texts);
        try {
            loaded.LoadSettings();
        } catch (const StoreError& error) {
            return error.what();
        }
        return {};
    }
};

TEST_F(WindowsStoreTest, AFirstRunCreatesTheKeyWith188ValuesOfTheirTypesAndWidths) {
    ASSERT_TRUE(rawValues().empty());
    records.LoadSettings();
    const std::map<std::wstring, RawValue> values = rawValues();
    ASSERT_EQ(values.size(), 188u);
    for (const StoredValue& v : storedValues()) {
        SCOPED_TRACE(v.name);
        const auto found = values.find(wide(v.name));
        ASSERT_NE(found, values.end());
        const RawValue& raw = found->second;
        if (v.kind == ValueKind::Binary) {
            EXPECT_EQ(raw.type, static_cast<DWORD>(REG_BINARY));
            ASSERT_EQ(raw.data.size(), v.width);
            uint32_t bits = 0;
            for (size_t k = 0; k < v.width; ++k) bits |= uint32_t{raw.data[k]} << (8 * k);
            EXPECT_EQ(bits, binaryField(records.settings, v));
        } else {
            EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
            // UTF-16 with its closing zero.
            const std::string text = textField(records.settings, v);
            EXPECT_EQ(raw.data.size(), 2 * utf8ToUtf16(text).size() + 2);
        }
    }
    EXPECT_EQ(values.at(L"verif").data, std::vector<uint8_t>({1}));
    EXPECT_EQ(values.at(L"optionCouleurFondEcran").data, std::vector<uint8_t>({0, 0, 0x40, 0}));
    EXPECT_EQ(values.at(L"niveau").data, std::vector<uint8_t>({2, 0, 0, 0}));
    EXPECT_EQ(values.at(L"optionYourName").data, std::vector<uint8_t>({0, 0}));
    for (const char* flag :
         {"optionDoublagePropose", "optionSuggestionCartes", "optionBarreInfo"}) {
        EXPECT_EQ(values.at(wide(flag)).data, std::vector<uint8_t>({1})) << flag;
    }
    // A second run reads it all back and writes nothing new.
    EXPECT_EQ(loadError(), "");
}

TEST_F(WindowsStoreTest, AValueOfTheWrongTypeOrLengthIsToldCopiedAsideAndMended) {
    struct Case {
        const char* name;
        DWORD type;
        std::vector<uint8_t> data;
    };
    const std::vector<Case> cases = {
        {"niveau", REG_DWORD, {2, 0, 0, 0}},
        {"score111", REG_DWORD, {0x10, 0x27, 0, 0}},
        {"verif", REG_BINARY, {1, 0}},
        {"optionBarreInfo", REG_DWORD, {1, 0, 0, 0}},
        {"optionCouleurFondEcran", REG_BINARY, {0, 0, 0x40, 0, 0}},
        {"score365", REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"niveau", REG_BINARY, {1}},
        {"verif", REG_BINARY, {}},
        {"optionObjectifNbTirages", REG_SZ, {'1', 0, 0, 0}},
        {"highScoreName111", REG_BINARY, {'A', 0, 0, 0}},
        {"optionYourName", REG_DWORD, {0, 0, 0, 0}},
        {"optionYourName", REG_MULTI_SZ, {'A', 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Caldimo");
        WindowsStore first;
        Records(first, random, texts).LoadSettings();
        plant(c.name, c.type, c.data);
        const std::string error = loadError();
        EXPECT_TRUE(error.starts_with(std::string("Type de données incorrect pour '") + c.name +
                                      "'\nLes réglages 'HKEY_CURRENT_USER\\Software\\Caldimo\\"
                                      "BRISKO 99' contiennent des valeurs d'un type ou d'une "
                                      "longueur incorrects. Illisible : '" +
                                      c.name + "'."))
            << error;
        // Kept whole in the key beside it, then mended.
        const std::string marker = "gardée sous 'HKEY_CURRENT_USER\\";
        const size_t at = error.find(marker);
        ASSERT_NE(at, std::string::npos) << error;
        const size_t from = at + marker.size();
        const std::string copy = error.substr(from, error.rfind('\'') - from);
        HKEY kept = nullptr;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, wide(copy).c_str(), 0, KEY_READ, &kept),
                  ERROR_SUCCESS)
            << copy;
        DWORD type = 0;
        EXPECT_EQ(RegQueryValueExW(kept, wide(c.name).c_str(), nullptr, &type, nullptr, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, c.type);
        RegCloseKey(kept);
        const auto& mended = rawValues().at(wide(c.name));
        EXPECT_TRUE(mended.type != c.type || mended.data != c.data);
        EXPECT_EQ(loadError(), "");
    }
}

TEST_F(WindowsStoreTest, AnAbsentValueLeavesTheFieldAndAShorterOneIsDamage) {
    records.LoadSettings();
    const HighScoreList list = records.settings.highScores[1][1];
    removeValue("optionCouleurFondEcran");
    removeValue("highScoreName112");
    plant("score111", REG_BINARY, {0x34, 0x12});
    records.settings.optionCouleurFondEcran = 0x00123456;
    texts.setLanguage(Language::English);
    try {
        records.LoadSettings();
        ADD_FAILURE() << "not told";
    } catch (const StoreError& error) {
        EXPECT_NE(std::string(error.what()).find("Could not be read: 'score111'."),
                  std::string::npos)
            << error.what();
    }
    EXPECT_EQ(records.settings.optionCouleurFondEcran, 0x00123456u);
    // Rank 1 dropped: the second (its name absent, so empty) moves up.
    EXPECT_EQ(records.settings.highScores[1][1][1].points, list[2].points);
    EXPECT_EQ(records.settings.highScores[1][1][1].name, "");

    // The store itself: absent reads 0 and leaves the destination.
    uint8_t dest[4] = {9, 9, 9, 9};
    EXPECT_EQ(store.readBinary("nothing here", dest, 4), 0u);
    EXPECT_EQ(dest[0], 9);
    EXPECT_EQ(store.readString("nothing here"), "");
    EXPECT_FALSE(store.readBinaryLength("nothing here", dest, 4).has_value());
    EXPECT_FALSE(store.findString("nothing here").has_value());
}

TEST_F(WindowsStoreTest, AccentedNamesRoundTrip) {
    records.LoadSettings();
    const std::string names[] = {"ÉLOÏSE NOVÁK", "ZOË \"LA\" \\ ÀÇ", "ŁUKASZ Ø 😀", "ÿ"};
    records.settings.optionYourName = names[0];
    for (int r = 1; r <= 4; ++r) records.settings.highScores[3][6][r].name = names[r - 1];
    records.SaveSettings();

    // As UTF-16 in the registry...
    const std::map<std::wstring, RawValue> values = rawValues();
    const std::vector<uint8_t>& raw = values.at(L"optionYourName").data;
    ASSERT_GE(raw.size(), 2u);
    EXPECT_EQ(raw[0] | (raw[1] << 8), 0x00C9);  // É
    // ...and the same text after a fresh load.
    WindowsStore fresh;
    Records loaded(fresh, random, texts);
    loaded.LoadSettings();
    EXPECT_EQ(loaded.settings.optionYourName, names[0]);
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(loaded.settings.highScores[3][6][r].name, names[r - 1]);
}

TEST_F(WindowsStoreTest, StringsOfEitherTextTypeStopAtTheirFirstZero) {
    records.LoadSettings();
    plant("optionYourName", REG_EXPAND_SZ, {'P', 0, 'A', 0, 0, 0, 'X', 0, 0, 0});
    plant("highScoreName111", REG_SZ, {'A', 0, 'B', 0});  // no closing zero
    plant("highScoreName112", REG_SZ, {});
    store.openKey(records.registryKey);
    EXPECT_EQ(store.readString("optionYourName"), "PA");
    EXPECT_EQ(store.readString("highScoreName111"), "AB");
    EXPECT_EQ(store.readString("highScoreName112"), "");
}

TEST_F(WindowsStoreTest, AWriteTheRegistryRefusesRaisesTheWriteErrorWithItsName) {
    store.openKey("Software\\Caldimo\\BRISKO 99\\");
    // Longer than the longest value name the registry allows.
    const std::string name(20000, 'n');
    const uint8_t byte = 1;
    try {
        store.writeBinary(name, &byte, 1);
        ADD_FAILURE() << "the registry took a name of 20000 characters";
    } catch (const StoreError& error) {
        EXPECT_EQ(std::string(error.what()), "Erreur à définition des données pour '" + name + "'");
    }
}

}  // namespace
}  // namespace brisko

#endif  // _WIN32
