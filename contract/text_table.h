// SPDX-License-Identifier: GPL-3.0-or-later
// The languages, and what every table of French and English texts by key
// shares: its rows, its column per language and its copy for the running game.
// The game's table is contract/texts.h; the windows keep their own in ui/.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace brisko {

// The player chooses at every start; None until then.
enum class Language : int32_t { None = 0, French = 1, English = 2 };

// What a language brings besides its column of texts. A new language is one
// more row here and one more column in each text table.
struct LanguageInfo {
    Language language;
    std::string_view helpFile;  // beside the program
    std::string_view qtLocale;  // the toolkit's own translations ("" for none)
    bool englishCourtCards;     // jacks, queens and kings with English faces
};

inline constexpr std::array<LanguageInfo, 2> kLanguages = {{
    {Language::French, "pokerfr.hlp", "fr", false},
    {Language::English, "pokerus.hlp", "", true},
}};
inline constexpr int32_t kLanguageCount = static_cast<int32_t>(kLanguages.size());

// The facts of a chosen language (not None).
constexpr const LanguageInfo& infoOf(Language language) {
    return kLanguages[static_cast<size_t>(language) - 1];
}

// One key of a table: its name as written in code and its texts.
template <class Key>
struct TextRow {
    Key key;
    std::string_view name;
    std::array<std::string_view, kLanguageCount> text;  // by language, French first
};

// A table's rows are written in the order of its keys, so a key finds its row
// by number.
template <class Key, size_t Count>
constexpr bool rowsInKeyOrder(const TextRow<Key> (&rows)[Count]) {
    for (size_t i = 0; i < Count; ++i) {
        if (static_cast<size_t>(rows[i].key) != i) return false;
    }
    return true;
}

template <class Key, size_t Count>
constexpr std::string_view keyNameIn(const TextRow<Key> (&rows)[Count], Key key) {
    return rows[static_cast<size_t>(key)].name;
}

// Empty for None.
template <class Key, size_t Count>
constexpr std::string_view textIn(const TextRow<Key> (&rows)[Count], Key key, Language language) {
    if (language == Language::None) return {};
    return rows[static_cast<size_t>(key)].text[static_cast<size_t>(language) - 1];
}

// The texts of a table in the running game's language: every text empty until
// a language is chosen, then replaced as a whole. The key's table gives
// textFor(Key, Language).
template <class Key, int32_t Count>
class TextTable {
  public:
    Language language() const { return language_; }
    void setLanguage(Language language) {
        language_ = language;
        for (int32_t i = 0; i < Count; ++i) {
            texts_[static_cast<size_t>(i)] = std::string(textFor(static_cast<Key>(i), language));
        }
    }
    const std::string& operator[](Key key) const { return texts_[static_cast<size_t>(key)]; }

  private:
    Language language_ = Language::None;
    std::array<std::string, Count> texts_{};
};

}  // namespace brisko
