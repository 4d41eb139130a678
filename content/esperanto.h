// The two text conversions applied to questions, model answers and typed answers.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvizaro {

struct LetterPair {
    char plain;         // the letter written before the marker "x"
    unsigned char byte; // the letter's ISO 8859-3 code
};

// c C g G h H j J s S u U, in this order: the order in which XToLatin3 tries them.
extern const std::array<LetterPair, 12> LetterTable;
inline constexpr char XSystemMarker = 'x';

// "cx" -> the Latin-3 byte of ĉ, and so on; every other character passes through.
std::string XToLatin3(std::string_view text);

// Drops blanks and ! , . : ; ? and lowers the ASCII capitals: the form in which answers are compared.
std::string NormaliseAnswer(std::string_view text);

// Whether NormaliseAnswer drops `c`: a blank or one of ! , . : ; ?
bool isDroppedFromAnswers(char c);

// The reverse of XToLatin3 for the twelve letters: a Latin-3 ĉ becomes "cx". Lets a learner who types the
// real letter (or a model answer that stores it) be judged as if the x-system had been used.
std::string latin3ToXSystem(std::string_view text);

// The form in which answers are compared: real Esperanto letters spelt in the x-system first, so that a
// learner who types ĉ is judged like one who types "cx", then normalised.
std::string comparableAnswer(std::string_view answer);

// The accepted answers of one question in the form in which they are compared, prepared once for many
// answers. An empty answer, one that is nothing but blanks and punctuation, and one holding a character
// without a byte never match.
class AcceptedAnswers {
public:
    AcceptedAnswers() = default;
    explicit AcceptedAnswers(const std::vector<std::string>& accepted);
    void add(std::string_view accepted);
    // The first accepted answer, in the order added, that `answer` counts as.
    std::optional<std::size_t> match(std::string_view answer) const;
    bool accepts(std::string_view answer) const { return match(answer).has_value(); }

private:
    std::vector<std::string> comparables_;
};

// Whether `answer` counts as one of `accepted`: the one comparison the task sheet judges by, the checker
// predicts with and the mistake explanation leaves alone.
bool isAcceptedAnswer(std::string_view answer, const std::vector<std::string>& accepted);

} // namespace kvizaro
