// Byte <-> Unicode conversions for the two single-byte character sets the content uses.
//   Windows-1250: menu captions, help texts, sheet titles (Hungarian).
//   Display Latin-3: questions and answers. ISO 8859-3, except that 0xD5 0xF5 0xDB 0xFB show as
//   Ő ő Ű ű: their Latin-3 letters occur in neither language, and Hungarian questions then read right.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvizaro {

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

char32_t windows1250ToUnicode(unsigned char byte);
char32_t displayLatin3ToUnicode(unsigned char byte);
std::optional<unsigned char> unicodeToWindows1250(char32_t code);
std::optional<unsigned char> unicodeToDisplayLatin3(char32_t code);

void appendUtf8(std::string& out, char32_t code);

// How many bytes the UTF-8 sequence that `lead` begins takes; 0 for a byte that begins none.
std::size_t utf8SequenceLength(unsigned char lead);

// Walks a UTF-8 text one code point at a time; each malformed byte comes out as ReplacementCharacter. The
// program's one UTF-8 decoder: every reader of UTF-8 text goes through it.
class Utf8Reader {
public:
    explicit Utf8Reader(std::string_view text) : text_(text) {}
    bool atEnd() const { return pos_ >= text_.size(); }
    std::size_t position() const { return pos_; }
    char32_t next();
    // Whether the last next() met a malformed byte, rather than a genuine U+FFFD in the text.
    bool malformed() const { return malformed_; }

private:
    char32_t fail();

    std::string_view text_;
    std::size_t pos_ = 0;
    bool malformed_ = false;
};

// The number of characters, a malformed byte counted as one.
std::size_t utf8CharacterCount(std::string_view utf8);
// The byte offset of the first byte that is not part of well-formed UTF-8, or npos.
std::size_t firstMalformedUtf8(std::string_view text);

// Every byte through `toUnicode`, written as UTF-8.
std::string bytesToUtf8(std::string_view bytes, char32_t (*toUnicode)(unsigned char));

std::string windows1250ToUtf8(std::string_view bytes);
std::string displayLatin3ToUtf8(std::string_view bytes);

// A character without a byte is written as the unused Latin-3 byte 0xA5 followed by its UTF-8 form, so
// that it is still shown (displayLatin3ToUtf8 reads the escape back) but can never equal stored content.
inline constexpr char UnmappableEscape = '\xA5';
std::string utf8ToDisplayLatin3(std::string_view utf8);
// How many bytes the character at `at` takes: an escaped character its escape byte and UTF-8 form, every
// other character one byte. `at` must lie inside `bytes`.
std::size_t displayLatin3CharacterLength(std::string_view bytes, std::size_t at);
bool hasUnmappableEscape(std::string_view bytes);

// Characters without a Windows-1250 byte become "?".
std::string utf8ToWindows1250(std::string_view utf8);

} // namespace kvizaro
