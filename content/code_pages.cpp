#include "code_pages.h"

#include <array>
#include <cstdint>

namespace kvizaro {

namespace {

using HighHalf = std::array<std::uint16_t, 128>;

// Unicode of the bytes 0x80..0xFF; 0xFFFD marks a byte without a character.
constexpr HighHalf Windows1250High{
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021, 0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

constexpr HighHalf DisplayLatin3High{
    0x0080, 0x0081, 0x0082, 0x0083, 0x0084, 0x0085, 0x0086, 0x0087, 0x0088, 0x0089, 0x008A, 0x008B, 0x008C,
    0x008D, 0x008E, 0x008F, 0x0090, 0x0091, 0x0092, 0x0093, 0x0094, 0x0095, 0x0096, 0x0097, 0x0098, 0x0099,
    0x009A, 0x009B, 0x009C, 0x009D, 0x009E, 0x009F, 0x00A0, 0x0126, 0x02D8, 0x00A3, 0x00A4, 0xFFFD, 0x0124,
    0x00A7, 0x00A8, 0x0130, 0x015E, 0x011E, 0x0134, 0x00AD, 0xFFFD, 0x017B, 0x00B0, 0x0127, 0x00B2, 0x00B3,
    0x00B4, 0x00B5, 0x0125, 0x00B7, 0x00B8, 0x0131, 0x015F, 0x011F, 0x0135, 0x00BD, 0xFFFD, 0x017C, 0x00C0,
    0x00C1, 0x00C2, 0xFFFD, 0x00C4, 0x010A, 0x0108, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD,
    0x00CE, 0x00CF, 0xFFFD, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x011C, 0x00D9, 0x00DA,
    0x0170, 0x00DC, 0x016C, 0x015C, 0x00DF, 0x00E0, 0x00E1, 0x00E2, 0xFFFD, 0x00E4, 0x010B, 0x0109, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF, 0xFFFD, 0x00F1, 0x00F2, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x011D, 0x00F9, 0x00FA, 0x0171, 0x00FC, 0x016D, 0x015D, 0x02D9,
};

char32_t lookUp(const HighHalf& table, unsigned char byte) {
    return byte < 0x80 ? char32_t{byte} : char32_t{table[byte - 0x80U]};
}

std::optional<unsigned char> reverseLookUp(const HighHalf& table, char32_t code) {
    if (code < 0x80) {
        return static_cast<unsigned char>(code);
    }
    if (code == ReplacementCharacter) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i] == code) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::size_t sequenceLengthOf(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

template <typename Convert> std::string encodeEach(std::string_view utf8, Convert convert) {
    std::string out;
    out.reserve(utf8.size());
    Utf8Reader reader(utf8);
    while (!reader.atEnd()) {
        convert(out, reader.next());
    }
    return out;
}

} // namespace

char32_t windows1250ToUnicode(unsigned char byte) {
    return lookUp(Windows1250High, byte);
}
char32_t displayLatin3ToUnicode(unsigned char byte) {
    return lookUp(DisplayLatin3High, byte);
}
std::optional<unsigned char> unicodeToWindows1250(char32_t code) {
    return reverseLookUp(Windows1250High, code);
}
std::optional<unsigned char> unicodeToDisplayLatin3(char32_t code) {
    return reverseLookUp(DisplayLatin3High, code);
}

std::size_t utf8SequenceLength(unsigned char lead) {
    return sequenceLengthOf(lead);
}

void appendUtf8(std::string& out, char32_t code) {
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        code = ReplacementCharacter;
    }
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

char32_t Utf8Reader::fail() {
    ++pos_;
    malformed_ = true;
    return ReplacementCharacter;
}

char32_t Utf8Reader::next() {
    malformed_ = false;
    const auto lead = static_cast<unsigned char>(text_[pos_]);
    const std::size_t length = sequenceLengthOf(lead);
    if (length == 0 || pos_ + length > text_.size()) {
        return fail();
    }
    if (length == 1) {
        ++pos_;
        return lead;
    }
    char32_t code = lead & (0xFFU >> (length + 1));
    for (std::size_t i = 1; i < length; ++i) {
        const auto continuation = static_cast<unsigned char>(text_[pos_ + i]);
        if ((continuation & 0xC0) != 0x80) {
            return fail();
        }
        code = (code << 6) | (continuation & 0x3FU);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool invalid = code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF);
    pos_ += length;
    malformed_ = overlong || invalid;
    return malformed_ ? ReplacementCharacter : code;
}

std::size_t utf8CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (Utf8Reader reader(utf8); !reader.atEnd(); reader.next()) {
        ++count;
    }
    return count;
}

std::size_t firstMalformedUtf8(std::string_view text) {
    Utf8Reader reader(text);
    while (!reader.atEnd()) {
        const std::size_t start = reader.position();
        reader.next();
        if (reader.malformed()) {
            return start;
        }
    }
    return std::string_view::npos;
}

std::string bytesToUtf8(std::string_view bytes, char32_t (*toUnicode)(unsigned char)) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        appendUtf8(out, toUnicode(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string windows1250ToUtf8(std::string_view bytes) {
    return bytesToUtf8(bytes, windows1250ToUnicode);
}

std::size_t displayLatin3CharacterLength(std::string_view bytes, std::size_t at) {
    if (bytes[at] != UnmappableEscape || at + 1 >= bytes.size()) {
        return 1;
    }
    const std::size_t length = sequenceLengthOf(static_cast<unsigned char>(bytes[at + 1]));
    if (length <= 1 || at + 1 + length > bytes.size()) {
        return 1;
    }
    Utf8Reader reader(bytes.substr(at + 1, length));
    const char32_t code = reader.next();
    return code != ReplacementCharacter && reader.atEnd() ? 1 + length : 1;
}

std::string displayLatin3ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = displayLatin3CharacterLength(bytes, i);
        if (length > 1) {
            appendUtf8(out, Utf8Reader(bytes.substr(i + 1, length - 1)).next());
        } else {
            appendUtf8(out, displayLatin3ToUnicode(static_cast<unsigned char>(bytes[i])));
        }
        i += length;
    }
    return out;
}

std::string utf8ToDisplayLatin3(std::string_view utf8) {
    return encodeEach(utf8, [](std::string& out, char32_t code) {
        if (const auto byte = unicodeToDisplayLatin3(code)) {
            out += static_cast<char>(*byte);
        } else {
            out += UnmappableEscape;
            appendUtf8(out, code);
        }
    });
}

bool hasUnmappableEscape(std::string_view bytes) {
    return bytes.find(UnmappableEscape) != std::string_view::npos;
}

std::string utf8ToWindows1250(std::string_view utf8) {
    return encodeEach(utf8, [](std::string& out, char32_t code) {
        const auto byte = unicodeToWindows1250(code);
        out += byte ? static_cast<char>(*byte) : '?';
    });
}

} // namespace kvizaro
