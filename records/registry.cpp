// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/registry.h"

#include <algorithm>
#include <cstring>

#include "records/store.h"

namespace brisko {

std::string typeErrorMessage(std::string_view name) {
    return "Type de données incorrect pour '" + std::string(name) + "'";
}

std::string writeErrorMessage(std::string_view name) {
    return "Erreur à définition des données pour '" + std::string(name) + "'";
}

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at text[i], advancing i; kReplacement for a bad
// sequence (which then consumes one byte).
char32_t decodeUtf8(std::string_view text, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t b0 = byte(i);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, cp = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, cp = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, cp = b0 & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    if (i + length > text.size()) {
        ++i;
        return kReplacement;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kReplacement;
    }
    i += length;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const char32_t cp = decodeUtf8(text, i);
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

std::vector<uint8_t> stringData(std::string_view text) {
    if (!std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
        return unitsData(utf8ToUtf16(text));
    }
    // ASCII, as nearly every name is: each character is one unit.
    std::vector<uint8_t> data;
    data.reserve(text.size() * 2 + 2);
    for (const char c : text) {
        data.push_back(static_cast<uint8_t>(c));
        data.push_back(0);
    }
    data.push_back(0);
    data.push_back(0);
    return data;
}

std::vector<uint8_t> unitsData(const std::u16string& units) {
    std::vector<uint8_t> data;
    data.reserve(units.size() * 2 + 2);
    for (const char16_t unit : units) {
        data.push_back(static_cast<uint8_t>(unit & 0xFF));
        data.push_back(static_cast<uint8_t>(unit >> 8));
    }
    data.push_back(0);
    data.push_back(0);
    return data;
}

std::u16string stringUnits(const std::vector<uint8_t>& data) {
    std::u16string units;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0) break;
        units += unit;
    }
    return units;
}

size_t readBinaryValue(const RegValue* value, std::string_view name, void* dest, size_t capacity) {
    if (value == nullptr) return 0;
    if (value->type != kRegBinary || value->data.size() > capacity) {
        throw StoreError(typeErrorMessage(name));
    }
    if (!value->data.empty()) std::memcpy(dest, value->data.data(), value->data.size());
    return value->data.size();
}

std::optional<size_t> binaryValueLength(const RegValue* value, std::string_view name, void* dest,
                                        size_t capacity) {
    if (value == nullptr) return std::nullopt;
    if (value->type != kRegBinary) throw StoreError(typeErrorMessage(name));
    const size_t count = std::min(capacity, value->data.size());
    if (count > 0) std::memcpy(dest, value->data.data(), count);
    return value->data.size();
}

std::string readStringValue(const RegValue* value, std::string_view name) {
    if (value == nullptr) return {};
    if (value->type != kRegSz && value->type != kRegExpandSz) {
        throw StoreError(typeErrorMessage(name));
    }
    return utf16ToUtf8(stringUnits(value->data));
}

bool sameRegistryName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a == b) return true;
    // From the end: the game's names differ in their last digits.
    return std::equal(a.rbegin(), a.rend(), b.rbegin(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

std::string normaliseKeyPath(std::string_view path) {
    std::string out;
    size_t i = 0;
    while (i < path.size()) {
        const size_t end = std::min(path.find('\\', i), path.size());
        if (end > i) {
            if (!out.empty()) out += '\\';
            out.append(path.substr(i, end - i));
        }
        i = end + 1;
    }
    return out;
}

size_t NameIndex::hashOf(std::string_view name) {
    size_t hash = 14695981039346656037u;  // FNV-1a of the lower-case name
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(asciiLower(c));
        hash *= 1099511628211u;
    }
    return hash;
}

void NameIndex::place(size_t hash, size_t slot) {
    const size_t mask = slots_.size() - 1;
    size_t at = hash & mask;
    while (slots_[at] != 0) at = (at + 1) & mask;
    slots_[at] = slot;
}

RegValue* RegKey::find(std::string_view name) {
    const size_t count = values.size();
    if (hint < count && sameRegistryName(values[hint].name, name)) return &values[hint++];
    size_t at = count;
    if (count < 16) {
        for (size_t k = 0; k < count; ++k) {
            if (sameRegistryName(values[k].name, name)) {
                at = k;
                break;
            }
        }
    } else {
        const auto nameAt = [this](size_t k) -> std::string_view { return values[k].name; };
        if (index_.size() > count) index_.clear();
        while (index_.size() < count) index_.add(index_.size(), nameAt);
        at = index_.find(name, nameAt, count);
    }
    if (at == count) return nullptr;
    hint = at + 1;
    return &values[at];
}

const RegValue* RegKey::find(std::string_view name) const {
    return const_cast<RegKey*>(this)->find(name);
}

void RegKey::set(RegValue value) {
    value.raw.clear();
    if (RegValue* existing = find(value.name)) {
        existing->type = value.type;
        existing->data = std::move(value.data);
        existing->raw.clear();
    } else {
        values.push_back(std::move(value));
    }
}

void RegKey::remove(std::string_view name) {
    std::erase_if(values, [&](const RegValue& v) { return sameRegistryName(v.name, name); });
    index_.clear();
}

RegKey* RegTree::find(std::string_view path) {
    if (hint < keys.size() && sameRegistryName(keys[hint].path, path)) return &keys[hint];
    for (size_t k = 0; k < keys.size(); ++k) {
        if (sameRegistryName(keys[k].path, path)) {
            hint = k;
            return &keys[k];
        }
    }
    return nullptr;
}

const RegKey* RegTree::find(std::string_view path) const {
    return const_cast<RegTree*>(this)->find(path);
}

RegKey& RegTree::create(std::string_view path, int64_t now) {
    if (RegKey* key = find(path)) return *key;
    RegKey key;
    key.path = std::string(path);
    key.modified = now;
    keys.push_back(std::move(key));
    return keys.back();
}

}  // namespace brisko
