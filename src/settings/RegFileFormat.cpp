#include "settings/RegFileFormat.h"

#include <cstdio>
#include <sstream>

namespace {

const char* const HeaderV5 = "Windows Registry Editor Version 5.00";
const char* const HeaderV4 = "REGEDIT4";

void AppendUtf8(std::string& out, uint32_t cp) {
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

// The store keeps 8-bit text that need not be UTF-8. A byte that is not part of valid UTF-8
// travels through UTF-16 as the lone low surrogate U+DC00 + byte, which reads back as that byte,
// so every value survives a save and a load.
constexpr uint32_t ByteEscape = 0xDC00;

// UTF-16LE code units to UTF-8; other unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const uint8_t* bytes, size_t size) {
    std::string out;
    for (size_t i = 0; i + 1 < size; i += 2) {
        uint32_t unit = bytes[i] | bytes[i + 1] << 8;
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < size) {
            uint32_t low = bytes[i + 2] | bytes[i + 3] << 8;
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (unit >= ByteEscape + 0x80 && unit <= ByteEscape + 0xFF)
            out += static_cast<char>(unit - ByteEscape);
        else
            AppendUtf8(out, (unit >= 0xD800 && unit < 0xE000) ? 0xFFFD : unit);
    }
    return out;
}

// The length of the well-formed UTF-8 sequence at text[i] and its code point; 0 when there is
// none (overlong forms, surrogates and code points past U+10FFFF are not well-formed).
int Utf8Sequence(const std::string& text, size_t i, uint32_t& cp) {
    auto b = static_cast<uint8_t>(text[i]);
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    if ((b >= 0x80 && extra == 0) || b >= 0xF5)
        return 0;
    if (i + extra >= text.size())
        return 0;
    cp = extra == 3 ? b & 0x07 : extra == 2 ? b & 0x0F : extra == 1 ? b & 0x1F : b;
    for (int k = 1; k <= extra; ++k) {
        auto c = static_cast<uint8_t>(text[i + k]);
        if ((c & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (c & 0x3F);
    }
    static const uint32_t Smallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < Smallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))
        return 0;
    return extra + 1;
}

// UTF-8 to UTF-16LE, other bytes escaped.
std::vector<uint8_t> Utf8ToUtf16(const std::string& text) {
    std::vector<uint8_t> out;
    auto unit = [&](uint32_t u) {
        out.push_back(static_cast<uint8_t>(u));
        out.push_back(static_cast<uint8_t>(u >> 8));
    };
    for (size_t i = 0; i < text.size();) {
        uint32_t cp = 0;
        int length = Utf8Sequence(text, i, cp);
        if (length == 0) {
            unit(ByteEscape + static_cast<uint8_t>(text[i]));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            unit(0xD800 + (cp >> 10));
            unit(0xDC00 + (cp & 0x3FF));
        } else {
            unit(cp);
        }
        i += length;
    }
    return out;
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// Splits into lines and joins hex continuations (a line ending in a backslash).
std::vector<std::string> LogicalLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    bool continuing = false;
    std::istringstream in(text);
    std::string raw;
    while (std::getline(in, raw)) {
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        std::string line = continuing ? Trim(raw) : raw;
        current += line;
        std::string trimmed = Trim(current);
        continuing =
            !trimmed.empty() && trimmed.back() == '\\' && trimmed.find("=hex") != std::string::npos;
        if (continuing) {
            current = trimmed.substr(0, trimmed.size() - 1);
            continue;
        }
        lines.push_back(current);
        current.clear();
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

// A quoted string starting at pos (on the opening quote); pos ends after the closing quote.
bool ParseQuoted(const std::string& line, size_t& pos, std::string& out) {
    if (pos >= line.size() || line[pos] != '"')
        return false;
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < line.size())
            c = line[++pos];
        out += c;
    }
    return false;
}

bool ParseHexBytes(const std::string& text, std::vector<uint8_t>& out) {
    out.clear();
    std::string token;
    std::istringstream in(text);
    while (std::getline(in, token, ',')) {
        token = Trim(token);
        if (token.empty() && in.eof())
            break;
        if (token.empty() || token.size() > 2 ||
            token.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return false;
        out.push_back(static_cast<uint8_t>(std::stoul(token, nullptr, 16)));
    }
    return true;
}

bool IsWideStringType(uint32_t type) {
    return type == RegSz || type == RegExpandSz || type == 7; // 7: multi-string
}

// One "name"=data line into the section; false when it is not understood.
bool ParseValueLine(const std::string& line, bool unicode, RegSection& section) {
    size_t pos = 0;
    std::string name;
    if (line[0] == '@') {
        pos = 1;
    } else if (!ParseQuoted(line, pos, name)) {
        return false;
    }
    if (pos >= line.size() || line[pos] != '=')
        return false;
    std::string data = Trim(line.substr(pos + 1));
    if (data.empty())
        return false;
    if (data[0] == '"') {
        size_t p = 0;
        std::string text;
        if (!ParseQuoted(data, p, text))
            return false;
        section.Set(name, RegSz, std::vector<uint8_t>(text.begin(), text.end()));
        return true;
    }
    if (data.rfind("dword:", 0) == 0) {
        std::string digits = Trim(data.substr(6));
        if (digits.empty() || digits.size() > 8 ||
            digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return false;
        uint32_t v = static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
        section.Set(name, RegDword,
                    {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                     static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)});
        return true;
    }
    uint32_t type = RegBinary;
    std::string bytesText;
    if (data.rfind("hex:", 0) == 0) {
        bytesText = data.substr(4);
    } else if (data.rfind("hex(", 0) == 0) {
        size_t close = data.find("):");
        if (close == std::string::npos)
            return false;
        std::string digits = data.substr(4, close - 4);
        if (digits.empty() || digits.size() > 8 ||
            digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return false;
        type = static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
        bytesText = data.substr(close + 2);
    } else {
        return false;
    }
    std::vector<uint8_t> bytes;
    if (!ParseHexBytes(bytesText, bytes))
        return false;
    // Version 5 exports spell string types in UTF-16; this store keeps 8-bit text.
    if (unicode && IsWideStringType(type)) {
        std::string text = Utf16ToUtf8(bytes.data(), bytes.size());
        bytes.assign(text.begin(), text.end());
    }
    section.Set(name, type, std::move(bytes));
    return true;
}

// In quotes, with backslashes and quotes escaped.
std::string Quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

// Control characters, a terminating zero among them, need the hex form.
bool QuotableText(const std::string& text) {
    for (char c : text)
        if (static_cast<uint8_t>(c) < 0x20)
            return false;
    return true;
}

void AppendHex(std::string& out, const std::string& prefix, const std::vector<uint8_t>& bytes) {
    size_t column = prefix.size();
    out += prefix;
    char cell[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(cell, sizeof cell, "%02x", bytes[i]);
        out += cell;
        column += 2;
        if (i + 1 < bytes.size()) {
            out += ',';
            ++column;
            // Wrap long values the way the registry editor does.
            if (column > 76) {
                out += "\\\r\n  ";
                column = 2;
            }
        }
    }
    out += "\r\n";
}

} // namespace

bool ParseRegFile(const std::string& bytes, RegTree& tree) {
    std::string text;
    const auto* raw = reinterpret_cast<const uint8_t*>(bytes.data());
    if (bytes.size() >= 2 && raw[0] == 0xFF && raw[1] == 0xFE)
        text = Utf16ToUtf8(raw + 2, bytes.size() - 2);
    else if (bytes.size() >= 3 && raw[0] == 0xEF && raw[1] == 0xBB && raw[2] == 0xBF)
        text = bytes.substr(3);
    else
        text = bytes;

    std::vector<std::string> lines = LogicalLines(text);
    size_t first = 0;
    while (first < lines.size() && Trim(lines[first]).empty())
        ++first;
    if (first == lines.size())
        return false;
    std::string header = Trim(lines[first]);
    bool unicode = header == HeaderV5;
    if (!unicode && header != HeaderV4)
        return false;

    std::string current; // empty: outside any section we keep
    for (size_t i = first + 1; i < lines.size(); ++i) {
        std::string line = Trim(lines[i]);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            size_t close = line.rfind(']');
            current.clear();
            if (close != std::string::npos && close > 1 && line[1] != '-') {
                current = line.substr(1, close - 1);
                tree.Create(current);
            }
            continue;
        }
        if (!current.empty())
            ParseValueLine(line, unicode, tree.Create(current));
    }
    return true;
}

std::string FormatRegFile(const RegTree& tree) {
    std::string out = std::string(HeaderV5) + "\r\n";
    for (const RegSection& section : tree.m_aSections) {
        out += "\r\n[" + section.path + "]\r\n";
        for (const RegValue& value : section.values) {
            std::string name = value.name.empty() ? std::string("@") : Quoted(value.name);
            std::string text(value.data.begin(), value.data.end());
            if (value.type == RegSz && QuotableText(text)) {
                out += name + "=" + Quoted(text) + "\r\n";
            } else if (value.type == RegDword && value.data.size() == 4) {
                char digits[16];
                uint32_t v = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                             static_cast<uint32_t>(value.data[3]) << 24;
                std::snprintf(digits, sizeof digits, "%08x", v);
                out += name + "=dword:" + digits + "\r\n";
            } else if (value.type == RegBinary) {
                AppendHex(out, name + "=hex:", value.data);
            } else {
                char prefix[24];
                std::snprintf(prefix, sizeof prefix, "=hex(%x):", value.type);
                std::vector<uint8_t> bytes = value.data;
                if (IsWideStringType(value.type))
                    bytes = Utf8ToUtf16(std::string(value.data.begin(), value.data.end()));
                AppendHex(out, name + prefix, bytes);
            }
        }
    }
    return out;
}
