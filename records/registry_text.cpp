// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/registry_text.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <unordered_map>

namespace brisko {

namespace {

bool isHexDigit(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string hex(uint64_t n, int width = 0) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*llx", width, static_cast<unsigned long long>(n));
    return buffer;
}

// Reads the text of a quoted string or of a key path, from `pos` up to the
// unescaped `end` character, undoing Wine's escapes; `pos` ends after `end`.
std::u16string unescape(std::string_view line, size_t& pos, char end, int lineNo) {
    std::string utf8;  // plain characters, converted to UTF-16 in runs
    std::u16string out;
    const auto flush = [&] {
        out += utf8ToUtf16(utf8);
        utf8.clear();
    };
    while (true) {
        if (pos >= line.size()) throw RegistryParseError(lineNo, "unterminated text");
        const char c = line[pos++];
        if (c == end) break;
        if (c != '\\') {
            utf8 += c;
            continue;
        }
        if (pos >= line.size()) throw RegistryParseError(lineNo, "escape at end of line");
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
    return out;
}

void skipSpaces(std::string_view text, size_t& pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
}

void expectEnd(std::string_view line, size_t pos, int lineNo) {
    skipSpaces(line, pos);
    if (pos != line.size()) throw RegistryParseError(lineNo, "unexpected text after the value");
}

std::optional<uint32_t> readHexNumber(std::string_view text, size_t& pos, size_t maxDigits) {
    uint64_t v = 0;
    size_t digits = 0;
    while (pos < text.size() && hexValue(text[pos]) >= 0 && digits < maxDigits) {
        v = v * 16 + static_cast<uint64_t>(hexValue(text[pos++]));
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    return static_cast<uint32_t>(v);
}

// Names compare without regard to ASCII case: the key of the indexes below.
std::string foldedName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

class Parser {
  public:
    explicit Parser(std::string_view text) {
        if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
        size_t tooLarge = 0;  // the line the size bound falls on
        if (text.size() > kMaxRegistryFileSize) {
            text = text.substr(0, kMaxRegistryFileSize);
            tooLarge = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
        }
        cutShort_ = !text.empty() && text.back() != '\n';
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(start, end - start);
            // Every CR before the line feed: a file that went through more than
            // one CRLF conversion would otherwise lose one more at each save.
            while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (line.size() > kMaxRegistryLineLength) {
                bad_.emplace(lines_.size(), "line too long");
                line = {};
            } else if (line.find('\0') != std::string_view::npos) {
                bad_.emplace(lines_.size(), "NUL byte in a line");
                line = {};
            }
            lines_.push_back(line);
            start = end + 1;
        }
        if (tooLarge != 0) bad_.emplace(tooLarge - 1, "file too large");
        if (lines_.empty()) lines_.emplace_back();
    }

    RegistryText parse() {
        RegistryText out;
        if (lines_[0] != kRegistrySignature) note(0, "not a registry file");
        constexpr size_t kNoKey = static_cast<size_t>(-1);
        constexpr size_t kDamagedKey = static_cast<size_t>(-2);
        size_t key = kNoKey;
        for (index_ = 1; index_ < lines_.size(); ++index_) {
            if (bad_.contains(index_)) {
                note(index_, bad_[index_]);
                continue;
            }
            const std::string_view full = lines_[index_];
            size_t pos = 0;
            skipSpaces(full, pos);
            const std::string_view line = full.substr(pos);
            if (line.empty()) continue;
            const size_t first = index_;
            try {
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
                        key = parseKeyLine(line);
                        break;
                    case '"':
                    case '@':
                        if (key == kNoKey) throw error("value before the first key");
                        if (key == kDamagedKey) throw error("value of a damaged key");
                        parseValue(key, line);
                        break;
                    default:
                        throw error("unreadable line");
                }
            } catch (const RegistryParseError& e) {
                note(first, e.what());
            }
        }
        out.tree = std::move(tree_);
        for (auto& [line, reason] : damage_) {
            if (out.damagedLines.empty()) out.firstReason = reason;
            out.damagedLines.push_back(static_cast<int>(line) + 1);
        }
        return out;
    }

  private:
    int lineNo() const { return static_cast<int>(index_) + 1; }
    RegistryParseError error(const std::string& reason) const {
        return RegistryParseError(lineNo(), reason);
    }

    // The index of the key in the tree, a key met again keeping its first place.
    size_t parseKeyLine(std::string_view line) {
        size_t pos = 1;
        const std::string path = normaliseKeyPath(utf16ToUtf8(unescape(line, pos, ']', lineNo())));
        if (path.empty()) throw error("empty key name");
        skipSpaces(line, pos);
        int64_t modified = 0;
        while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') {
            modified = modified * 10 + (line[pos++] - '0');
            if (modified > (int64_t{1} << 40)) throw error("bad key time");
        }
        expectEnd(line, pos, lineNo());
        // Indexed by name: a file of many keys or values reads in linear time.
        const auto [found, added] = keyIndex_.try_emplace(foldedName(path), tree_.keys.size());
        if (added) {
            RegKey key;
            key.path = path;
            key.modified = modified;
            key.rawLine = std::string(line);
            tree_.keys.push_back(std::move(key));
            valueIndex_.emplace_back();
        }
        return found->second;
    }

    void parseValue(size_t keyIndex, std::string_view line) {
        const size_t first = index_;
        size_t pos = 0;
        std::string name;
        if (line[0] == '@') {
            pos = 1;
        } else {
            pos = 1;
            name = utf16ToUtf8(unescape(line, pos, '"', lineNo()));
        }
        skipSpaces(line, pos);
        if (pos >= line.size() || line[pos] != '=') throw error("missing '=' after the name");
        ++pos;
        skipSpaces(line, pos);
        const std::string_view data = line.substr(pos);
        RegValue value;
        value.name = name;
        if (data.starts_with('"')) {
            pos = 1;
            value.type = kRegSz;
            value.data = unitsData(unescape(data, pos, '"', lineNo()));
            expectEnd(data, pos, lineNo());
        } else if (data.starts_with("str(")) {
            pos = 4;
            const auto type = readHexNumber(data, pos, 8);
            if (!type || data.substr(pos, 3) != "):\"") throw error("bad str() value");
            pos += 3;
            value.type = *type;
            value.data = unitsData(unescape(data, pos, '"', lineNo()));
            expectEnd(data, pos, lineNo());
        } else if (data.starts_with("dword:")) {
            pos = 6;
            const auto number = readHexNumber(data, pos, 8);
            if (!number) throw error("bad dword value");
            expectEnd(data, pos, lineNo());
            value.type = kRegDword;
            for (int k = 0; k < 4; ++k) value.data.push_back((*number >> (8 * k)) & 0xFF);
        } else if (data.starts_with("hex:")) {
            value.type = kRegBinary;
            value.data = parseHex(data.substr(4));
        } else if (data.starts_with("hex(")) {
            pos = 4;
            const auto type = readHexNumber(data, pos, 8);
            if (!type || data.substr(pos, 2) != "):") throw error("bad hex() value");
            value.type = *type;
            value.data = parseHex(data.substr(pos + 2));
        } else {
            throw error("unknown value type");
        }
        // A file that ends inside its last line may have lost the end of it;
        // only a closing quote shows that a value is whole.
        if (cutShort_ && index_ + 1 == lines_.size() && !data.starts_with('"') &&
            !data.starts_with("str(")) {
            throw error("value cut short at the end of the file");
        }
        for (size_t k = first; k <= index_; ++k) {
            if (k > first) value.raw += '\n';
            value.raw += lines_[k];
        }
        RegKey& key = tree_.keys[keyIndex];
        const auto [found, added] =
            valueIndex_[keyIndex].try_emplace(foldedName(value.name), key.values.size());
        if (added) {
            key.values.push_back(std::move(value));
        } else {
            key.values[found->second] = std::move(value);
        }
    }

    // Bytes as "01,02,..."; a line ending in a backslash continues on the next.
    std::vector<uint8_t> parseHex(std::string_view text) {
        std::vector<uint8_t> bytes;
        size_t pos = 0;
        bool needByte = false;  // after a comma
        while (true) {
            skipSpaces(text, pos);
            if (pos >= text.size()) {
                if (needByte) throw error("hex data ends after a comma");
                break;
            }
            if (text[pos] == '\\') {
                if (pos + 1 != text.size() && text.find_first_not_of(" \t", pos + 1) != text.npos) {
                    throw error("bad hex data");
                }
                if (index_ + 1 >= lines_.size() || bad_.contains(index_ + 1)) {
                    throw error("hex data continues past the end");
                }
                text = lines_[++index_];
                pos = 0;
                continue;
            }
            const size_t start = pos;
            const auto byte = readHexNumber(text, pos, 2);
            if (!byte || pos - start != 2) throw error("bad hex data");
            bytes.push_back(static_cast<uint8_t>(*byte));
            needByte = false;
            skipSpaces(text, pos);
            if (pos < text.size() && text[pos] == ',') {
                ++pos;
                needByte = true;
            } else if (pos < text.size() && text[pos] != '\\') {
                throw error("bad hex data");
            }
        }
        return bytes;
    }

    void note(size_t line, const std::string& reason) { damage_.emplace(line, reason); }

    std::vector<std::string_view> lines_;
    // Lines found damaged before parsing, and all the damage, by 0-based line.
    std::map<size_t, std::string> bad_;
    std::map<size_t, std::string> damage_;
    bool cutShort_ = false;  // the text ends inside its last line
    size_t index_ = 0;
    RegTree tree_;
    std::unordered_map<std::string, size_t> keyIndex_;
    std::vector<std::unordered_map<std::string, size_t>> valueIndex_;
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

std::string escapeRegistryString(std::u16string_view units, std::string_view escape) {
    static constexpr std::string_view kCEscapes = ".......abtnvfr.............e....";
    std::string out;
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
    return out;
}

std::string formatRegistryValue(const RegValue& value) {
    std::string line;
    if (value.name.empty()) {
        line = "@=";
    } else {
        line += '"';
        line += escapeRegistryString(utf8ToUtf16(value.name), "\"");
        line += "\"=";
    }
    const std::vector<uint8_t>& data = value.data;
    const bool stringType =
        value.type == kRegSz || value.type == kRegExpandSz || value.type == kRegMultiSz;
    if (stringType && data.size() >= 2 && data.size() % 2 == 0 && data[data.size() - 1] == 0 &&
        data[data.size() - 2] == 0) {
        std::u16string units;
        for (size_t i = 0; i + 2 < data.size(); i += 2) {
            units += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        }
        if (value.type != kRegSz) line += "str(" + hex(value.type) + "):";
        return line + "\"" + escapeRegistryString(units, "\"") + "\"";
    }
    if (value.type == kRegDword && data.size() == 4) {
        const uint32_t n = data[0] | (data[1] << 8) | (data[2] << 16) | (uint32_t{data[3]} << 24);
        return line + "dword:" + hex(n, 8);
    }
    line += value.type == kRegBinary ? std::string("hex:") : "hex(" + hex(value.type) + "):";
    size_t count = line.size();
    for (size_t i = 0; i < data.size(); ++i) {
        line += hex(data[i], 2);
        count += 2;
        if (i + 1 < data.size()) {
            line += ',';
            if (++count > 76) {
                line += "\\\n  ";
                count = 2;
            }
        }
    }
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
    for (const std::string& line : tree.header) out += line + '\n';
    for (const RegKey& key : tree.keys) {
        out += '\n';
        if (!key.rawLine.empty()) {
            out += key.rawLine + '\n';
            for (const std::string& option : key.options) out += option + '\n';
        } else {
            out += '[';
            out += escapedPath(key.path);
            out += "] ";
            out += std::to_string(key.modified);
            out += "\n#time=";
            out += hex(unixSecondsToFiletime(key.modified));
            out += '\n';
            for (const std::string& option : key.options) {
                if (!option.starts_with("#time=")) out += option + '\n';
            }
        }
        for (const RegValue& value : key.values) {
            out += (value.raw.empty() ? formatRegistryValue(value) : value.raw) + '\n';
        }
    }
    return out;
}

}  // namespace brisko
