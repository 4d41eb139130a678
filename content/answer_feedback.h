// What a learner is shown after a wrong answer beyond the verdict: where the answer differs from the
// closest accepted answer, and which typical Esperanto mistake explains the difference. Both only explain:
// whether an answer is right stays the answer check's decision, and for an answer it accepts both return
// nothing.
//
// Answers are compared as the answer check compares them (real Esperanto letters spelt in the x-system,
// ASCII case and the blanks and punctuation that NormaliseAnswer drops ignored), but word by word: blanks
// separate words, and an Esperanto letter, as a real letter or as an x-system pair, is one letter.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvizaro {

// Typed answers longer than this many letters, twice the longest line an answer can be stored in, are
// neither marked nor explained: nobody types them by hand, and measuring them against fifteen accepted
// answers word by word would keep the window busy for nothing.
inline constexpr std::size_t MaxExplainedLetters = 512;

// Half-open byte range [begin, end).
struct ByteRange {
    std::size_t begin = 0;
    std::size_t end = 0;
    friend bool operator==(const ByteRange&, const ByteRange&) = default;
};

// The marking of one shown text. Offsets count bytes of the text as the panels show it, XToLatin3 of the
// stored or typed bytes, so an x-system pair that is shown as one letter is one letter here too.
struct TextMarks {
    std::vector<ByteRange> differing; // letters the other side lacks or has otherwise; never blanks or
                                      // the punctuation that normalising drops
    std::vector<std::size_t> missing; // points where the other side has letters or words this text lacks
    bool empty() const { return differing.empty() && missing.empty(); }
    friend bool operator==(const TextMarks&, const TextMarks&) = default;
};

// The typed answer is marked against the closest accepted answer. The model answer is marked only when it
// is that answer (spelt the same for the answer check); its marks then answer the typed answer's marks.
struct AnswerMarks {
    TextMarks answer;               // over XToLatin3(typed), as "A te válaszod:" shows it
    std::optional<TextMarks> model; // over XToLatin3(instruction), as the model answer is shown
};

// The accepted answer the typed one is measured against: the one with the fewest letters to change, add or
// drop when words are matched to words, the first in file order among equals. Empty when the typed answer is
// right, has no letters, is longer than MaxExplainedLetters, or no accepted answer has letters.
std::optional<std::size_t> closestAcceptedAnswer(std::string_view typed,
                                                 const std::vector<std::string>& accepted);

// Nothing is marked for a right answer.
AnswerMarks markDifferences(std::string_view typed, std::string_view instruction,
                            const std::vector<std::string>& accepted);

// The typical mistakes, in the order in which they are tried; the first that fits is named. Each accounts
// for every difference between the typed answer and the closest accepted answer, word for word; only the
// word order is also judged against the other accepted answers, since the right words in another order
// are often nearer by letters to an answer with other words.
enum class Mistake {
    AccusativeMissing,
    AccusativeExtra,
    PluralMissing,
    PluralExtra,
    LetterWithoutX,
    VerbEnding,
    Typo,
    WordOrder,
};

std::optional<Mistake> explainMistake(std::string_view typed, const std::vector<std::string>& accepted);

// The explanation in Hungarian, UTF-8, as the notice shows it.
std::string_view mistakeText(Mistake mistake);

} // namespace kvizaro
