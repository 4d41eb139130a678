// Classifies and takes apart the key lines of the content file (Key="value","value2").
// The parser knows nothing of code pages: bytes above 127 are ordinary characters to it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kvizaro {

enum class LineKind : std::uint8_t {
    Comment = 0,
    Marker = 1,
    KeySpace = 2,
    KeyEquals = 3,
    Section = 4,
    Invalid = 255,
};

// Status codes left in ParserStatus by ClassifyLine and LineField.
namespace parser_status {
inline constexpr std::uint16_t Ok = 0;
inline constexpr std::uint16_t SeparatorBeforeKeyEnd = 38;
inline constexpr std::uint16_t UnclosedQuote = 48;
inline constexpr std::uint16_t FieldZero = 49;
inline constexpr std::uint16_t SeparatorInValue = 50;
inline constexpr std::uint16_t TooFewDelimiters = 80;
inline constexpr std::uint16_t UnclosedSection = 96;
} // namespace parser_status

// Module-wide settings, fixed once at start-up (configureParser) and never changed afterwards.
extern std::string SeparatorSet;
extern std::uint8_t KeyCaseMode; // 0 unchanged, 1 upper, 2 lower, 3 swapped
extern const std::string_view CommentKeyword;

// Code of the last ClassifyLine or LineField call. Kept for diagnostics; no reader consults it.
extern std::uint16_t ParserStatus;

void configureParser();

LineKind ClassifyLine(std::string_view line);
std::string LineKey(std::string_view line);
// Writes `value` only when field n holds a closed quoted stretch (or n is 0); otherwise it keeps its content.
void LineField(std::uint8_t n, std::string_view line, std::string& value);

std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);
std::string SwapAsciiCase(std::string_view text);

} // namespace kvizaro
