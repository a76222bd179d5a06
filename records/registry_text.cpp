// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/registry_text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>

namespace brisko {

namespace {

bool isHexDigit(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The value of a hex digit, -1 for any other byte: one look-up, as most of
// the file's bytes are hex digits.
constexpr auto kHexValues = [] {
    std::array<int8_t, 256> values{};
    for (int c = 0; c < 256; ++c) {
        values[c] = c >= '0' && c <= '9'   ? static_cast<int8_t>(c - '0')
                    : c >= 'a' && c <= 'f' ? static_cast<int8_t>(c - 'a' + 10)
                    : c >= 'A' && c <= 'F' ? static_cast<int8_t>(c - 'A' + 10)
                                           : int8_t{-1};
    }
    return values;
}();

int hexValue(char c) {
    return kHexValues[static_cast<unsigned char>(c)];
}

std::string hex(uint64_t n, int width = 0) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*llx", width, static_cast<unsigned long long>(n));
    return buffer;
}

// A line of the file is damaged when the reader meets one of these; the
// reason is kept for the player's message and the log.
using Reason = const char*;

// The text from `pos` up to the unescaped `end` character, when it is plain
// ASCII without a backslash: it then reads as it stands. Nearly every name
// and string of the game's own file is of this kind.
std::optional<std::string_view> plainRun(std::string_view line, size_t pos, char end) {
    for (size_t k = pos; k < line.size(); ++k) {
        const auto c = static_cast<unsigned char>(line[k]);
        if (c == static_cast<unsigned char>(end)) return line.substr(pos, k - pos);
        if (c == '\\' || c >= 0x80) return std::nullopt;
    }
    return std::nullopt;  // unterminated: the full reading says so
}

// Reads the text of a quoted string or of a key path, from `pos` up to the
// unescaped `end` character, undoing Wine's escapes; `pos` ends after `end`.
// Null when the text is whole, else why it is not.
Reason unescape(std::string_view line, size_t& pos, char end, std::u16string& out) {
    out.clear();
    std::string utf8;  // plain characters, converted to UTF-16 in runs
    const auto flush = [&] {
        out += utf8ToUtf16(utf8);
        utf8.clear();
    };
    while (true) {
        if (pos >= line.size()) return "unterminated text";
        const char c = line[pos++];
        if (c == end) break;
        if (c != '\\') {
            utf8 += c;
            continue;
        }
        if (pos >= line.size()) return "escape at end of line";
        const char e = line[pos++];
        char16_t unit = 0;
        switch (e) {
            case 'a':
                unit = 7;
                break;
            case 'b':
                unit = 8;
                break;
            case 't':
                unit = 9;
                break;
            case 'n':
                unit = 10;
                break;
            case 'v':
                unit = 11;
                break;
            case 'f':
                unit = 12;
                break;
            case 'r':
                unit = 13;
                break;
            case 'e':
                unit = 27;
                break;
            case 'x': {
                int digits = 0;
                uint32_t v = 0;
                while (digits < 4 && pos < line.size() && hexValue(line[pos]) >= 0) {
                    v = v * 16 + static_cast<uint32_t>(hexValue(line[pos++]));
                    ++digits;
                }
                unit = digits == 0 ? u'x' : static_cast<char16_t>(v);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    uint32_t v = static_cast<uint32_t>(e - '0');
                    for (int digits = 1;
                         digits < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7';
                         ++digits) {
                        v = v * 8 + static_cast<uint32_t>(line[pos++] - '0');
                    }
                    unit = static_cast<char16_t>(v);
                } else {
                    utf8 += e;
                    continue;
                }
        }
        flush();
        out += unit;
    }
    flush();
    return nullptr;
}

// A name or key path in UTF-8, read as `unescape` does.
Reason readName(std::string_view line, size_t& pos, char end, std::string& out) {
    if (const auto plain = plainRun(line, pos, end)) {
        pos += plain->size() + 1;
        out.assign(*plain);
        return nullptr;
    }
    std::u16string units;
    if (Reason why = unescape(line, pos, end, units)) return why;
    out = utf16ToUtf8(units);
    return nullptr;
}

// The data of a string value (UTF-16LE and a closing zero unit), read as
// `unescape` does.
Reason readStringData(std::string_view line, size_t& pos, char end, std::vector<uint8_t>& out) {
    if (const auto plain = plainRun(line, pos, end)) {
        pos += plain->size() + 1;
        out = stringData(*plain);
        return nullptr;
    }
    std::u16string units;
    if (Reason why = unescape(line, pos, end, units)) return why;
    out = unitsData(units);
    return nullptr;
}

void skipSpaces(std::string_view text, size_t& pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
}

bool atEnd(std::string_view line, size_t pos) {
    skipSpaces(line, pos);
    return pos == line.size();
}

std::optional<uint32_t> readHexNumber(std::string_view text, size_t& pos, size_t maxDigits) {
    uint64_t v = 0;
    const size_t end = std::min(text.size(), pos + maxDigits);
    const size_t first = pos;
    for (int digit; pos < end && (digit = hexValue(text[pos])) >= 0; ++pos) {
        v = v * 16 + static_cast<uint64_t>(digit);
    }
    if (pos == first) return std::nullopt;
    return static_cast<uint32_t>(v);
}

// Line feeds in `text`, found with memchr.
size_t lineFeeds(std::string_view text) {
    size_t count = 0;
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at != end) {
        at = static_cast<const char*>(std::memchr(at, '\n', static_cast<size_t>(end - at)));
        if (at == nullptr) break;
        ++at;
        ++count;
    }
    return count;
}

// One pass over the lines, without recursion and without exceptions: a file
// full of damage reads as fast as a clean one.
class Parser {
  public:
    explicit Parser(std::string_view text) {
        if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
        size_t tooLarge = 0;  // the line the size bound falls on
        if (text.size() > kMaxRegistryFileSize) {
            text = text.substr(0, kMaxRegistryFileSize);
            tooLarge = lineFeeds(text) + 1;
        }
        cutShort_ = !text.empty() && text.back() != '\n';
        const size_t count = lineFeeds(text) + 1;
        lines_.reserve(count);
        bad_.assign(count, nullptr);
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(start, end - start);
            // Every CR before the line feed: a file that went through more than
            // one CRLF conversion would otherwise lose one more at each save.
            while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (line.size() > kMaxRegistryLineLength) {
                bad_[lines_.size()] = "line too long";
                line = {};
            } else if (line.find('\0') != std::string_view::npos) {
                bad_[lines_.size()] = "NUL byte in a line";
                line = {};
            }
            lines_.push_back(line);
            start = end + 1;
        }
        if (tooLarge != 0) {
            // When the bound falls just after a line feed, the lines beyond it
            // are lost all the same: an empty line carries the damage.
            if (tooLarge > lines_.size()) lines_.emplace_back();
            if (bad_[tooLarge - 1] == nullptr) bad_[tooLarge - 1] = "file too large";
        }
        if (lines_.empty()) lines_.emplace_back();
    }

    RegistryText parse() {
        RegistryText out;
        if (lines_[0] != kRegistrySignature) note(0, "not a registry file");
        constexpr size_t kNoKey = static_cast<size_t>(-1);
        constexpr size_t kDamagedKey = static_cast<size_t>(-2);
        size_t key = kNoKey;
        for (index_ = 1; index_ < lines_.size(); ++index_) {
            if (bad_[index_] != nullptr) {
                note(index_, bad_[index_]);
                continue;
            }
            const std::string_view full = lines_[index_];
            size_t pos = 0;
            skipSpaces(full, pos);
            const std::string_view line = full.substr(pos);
            if (line.empty()) continue;
            const size_t first = index_;
            Reason why = nullptr;
            switch (line[0]) {
                case ';':
                case '#':
                    if (key == kNoKey) {
                        tree_.header.emplace_back(line);
                    } else if (line[0] == '#' && key != kDamagedKey) {
                        tree_.keys[key].options.emplace_back(line);
                    }
                    break;
                case '[':
                    key = kDamagedKey;
                    why = parseKeyLine(line, key);
                    break;
                case '"':
                case '@':
                    why = key == kNoKey        ? "value before the first key"
                          : key == kDamagedKey ? "value of a damaged key"
                                               : parseValue(key, line);
                    break;
                default:
                    why = "unreadable line";
            }
            if (why != nullptr) note(first, why);
        }
        out.tree = std::move(tree_);
        for (const auto& [line, reason] : damage_) {
            if (out.damagedLines.empty()) out.firstReason = reason;
            out.damagedLines.push_back(static_cast<int>(line) + 1);
        }
        return out;
    }

  private:
    // Sets `key` to the index of the key in the tree, a key met again keeping
    // its first place.
    Reason parseKeyLine(std::string_view line, size_t& key) {
        size_t pos = 1;
        std::string name;
        if (Reason why = readName(line, pos, ']', name)) return why;
        std::string path = normaliseKeyPath(name);
        if (path.empty()) return "empty key name";
        skipSpaces(line, pos);
        int64_t modified = 0;
        while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') {
            modified = modified * 10 + (line[pos++] - '0');
            if (modified > (int64_t{1} << 40)) return "bad key time";
        }
        if (!atEnd(line, pos)) return "unexpected text after the value";
        const auto pathAt = [this](size_t k) -> std::string_view { return tree_.keys[k].path; };
        key = keyIndex_.find(path, pathAt, tree_.keys.size());
        if (key == tree_.keys.size()) {
            RegKey& fresh = tree_.keys.emplace_back();
            fresh.path = std::move(path);
            fresh.modified = modified;
            fresh.rawLine = std::string(line);
            keyIndex_.add(key, pathAt);
        }
        return nullptr;
    }

    Reason parseValue(size_t keyIndex, std::string_view line) {
        const size_t first = index_;
        size_t pos = 1;
        RegValue value;
        if (line[0] != '@') {
            if (Reason why = readName(line, pos, '"', value.name)) return why;
        }
        skipSpaces(line, pos);
        if (pos >= line.size() || line[pos] != '=') return "missing '=' after the name";
        ++pos;
        skipSpaces(line, pos);
        const std::string_view data = line.substr(pos);
        if (data.starts_with('"')) {
            pos = 1;
            value.type = kRegSz;
            if (Reason why = readStringData(data, pos, '"', value.data)) return why;
            if (!atEnd(data, pos)) return "unexpected text after the value";
        } else if (data.starts_with("str(")) {
            pos = 4;
            const auto type = readHexNumber(data, pos, 8);
            if (!type || data.substr(pos, 3) != "):\"") return "bad str() value";
            pos += 3;
            value.type = *type;
            if (Reason why = readStringData(data, pos, '"', value.data)) return why;
            if (!atEnd(data, pos)) return "unexpected text after the value";
        } else if (data.starts_with("dword:")) {
            pos = 6;
            const auto number = readHexNumber(data, pos, 8);
            if (!number) return "bad dword value";
            if (!atEnd(data, pos)) return "unexpected text after the value";
            value.type = kRegDword;
            for (int k = 0; k < 4; ++k) value.data.push_back((*number >> (8 * k)) & 0xFF);
        } else if (data.starts_with("hex:")) {
            value.type = kRegBinary;
            if (Reason why = parseHex(data.substr(4), value.data)) return why;
        } else if (data.starts_with("hex(")) {
            pos = 4;
            const auto type = readHexNumber(data, pos, 8);
            if (!type || data.substr(pos, 2) != "):") return "bad hex() value";
            value.type = *type;
            if (Reason why = parseHex(data.substr(pos + 2), value.data)) return why;
        } else {
            return "unknown value type";
        }
        // A file that ends inside its last line may have lost the end of it;
        // only a closing quote shows that a value is whole.
        if (cutShort_ && index_ + 1 == lines_.size() && !data.starts_with('"') &&
            !data.starts_with("str(")) {
            return "value cut short at the end of the file";
        }
        value.raw.assign(lines_[first]);
        for (size_t k = first + 1; k <= index_; ++k) {
            value.raw += '\n';
            value.raw += lines_[k];
        }
        RegKey& key = tree_.keys[keyIndex];
        if (RegValue* same = key.find(value.name)) {
            *same = std::move(value);  // the last of a repeated name holds
        } else {
            key.values.push_back(std::move(value));
        }
        return nullptr;
    }

    // Bytes as "01,02,..."; a line ending in a backslash continues on the next.
    Reason parseHex(std::string_view text, std::vector<uint8_t>& bytes) {
        bytes.reserve(text.size() / 3 + 1);
        size_t pos = 0;
        bool needByte = false;  // after a comma
        while (true) {
            skipSpaces(text, pos);
            if (pos >= text.size()) {
                if (needByte) return "hex data ends after a comma";
                break;
            }
            if (text[pos] == '\\') {
                if (pos + 1 != text.size() && text.find_first_not_of(" \t", pos + 1) != text.npos) {
                    return "bad hex data";
                }
                if (index_ + 1 >= lines_.size() || bad_[index_ + 1] != nullptr) {
                    return "hex data continues past the end";
                }
                text = lines_[++index_];
                pos = 0;
                continue;
            }
            const size_t start = pos;
            const auto byte = readHexNumber(text, pos, 2);
            if (!byte || pos - start != 2) return "bad hex data";
            bytes.push_back(static_cast<uint8_t>(*byte));
            needByte = false;
            skipSpaces(text, pos);
            if (pos < text.size() && text[pos] == ',') {
                ++pos;
                needByte = true;
            } else if (pos < text.size() && text[pos] != '\\') {
                return "bad hex data";
            }
        }
        return nullptr;
    }

    // Lines are met in order, each at most once.
    void note(size_t line, Reason reason) {
        if (damage_.empty() || damage_.back().first < line) damage_.emplace_back(line, reason);
    }

    std::vector<std::string_view> lines_;
    // Lines found damaged before parsing (null when not), by 0-based line.
    std::vector<Reason> bad_;
    // All the damage, by 0-based line, in order.
    std::vector<std::pair<size_t, Reason>> damage_;
    bool cutShort_ = false;  // the text ends inside its last line
    size_t index_ = 0;
    RegTree tree_;
    NameIndex keyIndex_;
};

std::string escapedPath(std::string_view path) {
    std::string out;
    size_t start = 0;
    while (true) {
        const size_t end = std::min(path.find('\\', start), path.size());
        out += escapeRegistryString(utf8ToUtf16(path.substr(start, end - start)), "[]");
        if (end >= path.size()) break;
        out += "\\\\";
        start = end + 1;
    }
    return out;
}

}  // namespace

uint64_t unixSecondsToFiletime(int64_t seconds) {
    constexpr int64_t kEpochDifference = 11644473600;  // 1601-01-01 to 1970-01-01
    return static_cast<uint64_t>(seconds + kEpochDifference) * 10000000u;
}

namespace {

// Characters that stand for themselves in a quoted text: printable ASCII
// other than the backslash and the text's own delimiters.
bool standsForItself(char16_t unit, std::string_view escape) {
    return unit >= 32 && unit <= 126 && unit != '\\' &&
           escape.find(static_cast<char>(unit)) == std::string_view::npos;
}

void appendEscaped(std::string& out, std::u16string_view units, std::string_view escape) {
    static constexpr std::string_view kCEscapes = ".......abtnvfr.............e....";
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        const bool hasNext = i + 1 < units.size();
        const char16_t next = hasNext ? units[i + 1] : 0;
        if (unit > 127) {
            const bool hexNext = hasNext && next < 128 && isHexDigit(next);
            out += "\\x";
            out += hex(unit, hexNext ? 4 : 0);
        } else if (unit < 32) {
            if (kCEscapes[unit] != '.') {
                out += '\\';
                out += kCEscapes[unit];
            } else {
                char buffer[8];
                const bool octalNext = hasNext && next >= '0' && next <= '7';
                std::snprintf(buffer, sizeof buffer, octalNext ? "\\%03o" : "\\%o", unsigned{unit});
                out += buffer;
            }
        } else {
            const char c = static_cast<char>(unit);
            if (c == '\\' || escape.find(c) != std::string_view::npos) out += '\\';
            out += c;
        }
    }
}

// A UTF-8 name as escapeRegistryString writes it.
void appendEscapedName(std::string& out, std::string_view name, std::string_view escape) {
    if (std::all_of(name.begin(), name.end(), [&](char c) { return standsForItself(c, escape); })) {
        out += name;
    } else {
        appendEscaped(out, utf8ToUtf16(name), escape);
    }
}

void appendHexByte(std::string& out, uint8_t byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

void appendValue(std::string& line, const RegValue& value) {
    const size_t start = line.size();  // hex data wraps by the columns of this value's line
    if (value.name.empty()) {
        line += "@=";
    } else {
        line += '"';
        appendEscapedName(line, value.name, "\"");
        line += "\"=";
    }
    const std::vector<uint8_t>& data = value.data;
    const bool stringType =
        value.type == kRegSz || value.type == kRegExpandSz || value.type == kRegMultiSz;
    if (stringType && data.size() >= 2 && data.size() % 2 == 0 && data[data.size() - 1] == 0 &&
        data[data.size() - 2] == 0) {
        if (value.type != kRegSz) line += "str(" + hex(value.type) + "):";
        line += '"';
        const size_t units = data.size() / 2 - 1;
        bool plain = true;
        for (size_t i = 0; plain && i < units; ++i) {
            plain = data[2 * i + 1] == 0 && standsForItself(data[2 * i], "\"");
        }
        if (plain) {
            for (size_t i = 0; i < units; ++i) line += static_cast<char>(data[2 * i]);
        } else {
            std::u16string text;
            text.reserve(units);
            for (size_t i = 0; i < units; ++i) {
                text += static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
            }
            appendEscaped(line, text, "\"");
        }
        line += '"';
        return;
    }
    if (value.type == kRegDword && data.size() == 4) {
        const uint32_t n = data[0] | (data[1] << 8) | (data[2] << 16) | (uint32_t{data[3]} << 24);
        line += "dword:" + hex(n, 8);
        return;
    }
    line += value.type == kRegBinary ? std::string("hex:") : "hex(" + hex(value.type) + "):";
    size_t count = line.size() - start;
    for (size_t i = 0; i < data.size(); ++i) {
        appendHexByte(line, data[i]);
        count += 2;
        if (i + 1 < data.size()) {
            line += ',';
            if (++count > 76) {
                line += "\\\n  ";
                count = 2;
            }
        }
    }
}

}  // namespace

std::string escapeRegistryString(std::u16string_view units, std::string_view escape) {
    std::string out;
    appendEscaped(out, units, escape);
    return out;
}

std::string formatRegistryValue(const RegValue& value) {
    std::string line;
    appendValue(line, value);
    return line;
}

RegistryText readRegistryText(std::string_view text) {
    return Parser(text).parse();
}

RegTree parseRegistryText(std::string_view text) {
    RegistryText read = readRegistryText(text);
    if (!read.damagedLines.empty()) {
        throw RegistryParseError(read.damagedLines.front(), read.firstReason);
    }
    return std::move(read.tree);
}

std::string formatRegistryText(const RegTree& tree) {
    std::string out(kRegistrySignature);
    out += '\n';
    for (const std::string& line : tree.header) (out += line) += '\n';
    for (const RegKey& key : tree.keys) {
        out += '\n';
        if (!key.rawLine.empty()) {
            (out += key.rawLine) += '\n';
            for (const std::string& option : key.options) (out += option) += '\n';
        } else {
            out += '[';
            out += escapedPath(key.path);
            out += "] ";
            out += std::to_string(key.modified);
            out += "\n#time=";
            out += hex(unixSecondsToFiletime(key.modified));
            out += '\n';
            for (const std::string& option : key.options) {
                if (!option.starts_with("#time=")) (out += option) += '\n';
            }
        }
        for (const RegValue& value : key.values) {
            if (value.raw.empty()) {
                appendValue(out, value);
            } else {
                out += value.raw;
            }
            out += '\n';
        }
    }
    return out;
}

}  // namespace brisko
