// What a learner is shown after a wrong answer beyond the verdict: where the answer differs from the
// closest accepted answer, and which typical Esperanto mistake explains the difference. Both only explain:
// whether an answer is right stays the answer check's decision, and for an answer it accepts both return
// nothing.
//
// Answers are compared as the answer check compares them (real Esperanto letters spelt in the x-system,
// ASCII case and the blanks and punctuation that NormaliseAnswer drops ignored), but word by word: blanks
// separate words, and an Esperanto letter, as a real letter or as an x-system pair, is one letter.
#pragma once

#include "content_file.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
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

// Every word of every accepted answer of a content file, spelt as the answer check compares it (x-system,
// small letters): a typed word that is one of them is a word of its own, not a slip of the finger. Built
// once for the content, since every wrong answer asks it.
class CourseWords {
public:
    CourseWords() = default;
    // The "Solvo" lines of every block.
    explicit CourseWords(const ContentLines& lines);
    void addAnswer(std::string_view accepted);
    bool contains(const std::string& comparedWord) const { return words_.contains(comparedWord); }
    std::size_t size() const { return words_.size(); }

private:
    std::unordered_set<std::string> words_;
};

// A one-letter difference is a slip of the finger only in a typed word of this many letters or more.
inline constexpr std::size_t MinTypoLetters = 4;

// The typical mistakes, in the order in which they are tried; the first that fits is named. Each accounts
// for every difference between the typed answer and the closest accepted answer, word for word; only the
// word order is also judged against the other accepted answers, since the right words in another order
// are often nearer by letters to an answer with other words.
enum class Mistake {
    AccusativeMissing,
    AccusativeExtra,
    AccusativeMisplaced, // the -n missing on some words and standing on others
    PluralMissing,
    PluralExtra,
    LetterWithoutX,
    VerbEnding,
    Accents,   // letters that differ only in their Hungarian accents: a/á, o/ó/ö/ő, ...
    Typo,      // one letter off in a word of MinTypoLetters or more that is no word of the course
    OtherWord, // one letter off, but the typed word is short or a word of the course
    WordOrder,
};

struct Explanation {
    Mistake mistake = Mistake::Typo;
    // For OtherWord: the typed word and the accepted word it replaces, UTF-8, as the learner and the
    // accepted answer write them.
    std::string typedWord;
    std::string acceptedWord;
    friend bool operator==(const Explanation&, const Explanation&) = default;
};

// Without `courseWords` only the question's own accepted answers tell a word from a slip.
std::optional<Explanation> explainMistake(std::string_view typed, const std::vector<std::string>& accepted,
                                          const CourseWords& courseWords = {});

// The explanation in Hungarian, UTF-8, as the notice shows it.
std::string mistakeText(const Explanation& explanation);

} // namespace kvizaro
