#include "answer_feedback.h"

#include "code_pages.h"
#include "esperanto.h"
#include "line_parser.h"
#include "readers.h"

#include <algorithm>
#include <array>
#include <limits>
#include <tuple>

namespace kvizaro {

namespace {

constexpr char Blank = ' ';

// One letter as the learner sees it, with the form in which it is compared ("cx" for ĉ, Ĉ, "cx", "CX")
// and where it stands in the shown text.
struct Letter {
    std::string key;
    char32_t code = 0; // the key as one number, which compares fast
    std::size_t begin = 0;
    std::size_t end = 0;
    friend bool operator==(const Letter& a, const Letter& b) { return a.code == b.code; }
};
using Word = std::vector<Letter>;
using Words = std::vector<Word>;

bool isPlainOfPair(char c) {
    return std::any_of(LetterTable.begin(), LetterTable.end(),
                       [c](const LetterPair& pair) { return pair.plain == c; });
}

// A character that has no byte in the display code page arrives as the escape byte and its UTF-8 form.
std::size_t escapeLength(std::string_view shown, std::size_t at) {
    if (shown[at] != UnmappableEscape || at + 1 >= shown.size()) {
        return 0;
    }
    Utf8Reader reader(shown.substr(at + 1));
    const char32_t code = reader.next();
    return code != ReplacementCharacter && reader.position() > 1 ? 1 + reader.position() : 0;
}

std::size_t letterLength(std::string_view shown, std::size_t at) {
    if (const std::size_t escape = escapeLength(shown, at)) {
        return escape;
    }
    const bool pairFollows = at + 1 < shown.size() && (shown[at + 1] == 'x' || shown[at + 1] == 'X');
    return isPlainOfPair(shown[at]) && pairFollows ? 2 : 1;
}

constexpr char32_t PairCodes = 0x100;
constexpr char32_t EscapedCodes = 0x200;

Letter letterAt(std::string_view shown, std::size_t at, std::size_t length) {
    const std::string_view bytes = shown.substr(at, length);
    Letter letter{{}, 0, at, at + length};
    if (escapeLength(shown, at) > 0) {
        letter.key = bytes;
        letter.code = EscapedCodes + Utf8Reader(bytes.substr(1)).next();
    } else {
        letter.key = LowerAscii(latin3ToXSystem(bytes));
        const auto first = static_cast<unsigned char>(letter.key[0]);
        letter.code = letter.key.size() == 1 ? first : PairCodes + first;
    }
    return letter;
}

// The shown text split into words of letters. The concatenated keys are exactly the form in which the
// answer check compares the text.
Words wordsOf(std::string_view shown) {
    Words words(1);
    for (std::size_t at = 0; at < shown.size();) {
        if (shown[at] == Blank) {
            if (!words.back().empty()) {
                words.emplace_back();
            }
            ++at;
        } else if (isDroppedFromAnswers(shown[at])) {
            ++at;
        } else {
            const std::size_t length = letterLength(shown, at);
            words.back().push_back(letterAt(shown, at, length));
            at += length;
        }
    }
    if (words.back().empty()) {
        words.pop_back();
    }
    return words;
}

Words wordsOfStored(std::string_view bytes) {
    return wordsOf(XToLatin3(bytes));
}

std::size_t letterCount(const Words& words) {
    std::size_t count = 0;
    for (const Word& word : words) {
        count += word.size();
    }
    return count;
}

std::string spelling(const Word& word) {
    std::string result;
    for (const Letter& letter : word) {
        result += letter.key;
    }
    return result;
}

std::string spelling(const Words& words) {
    std::string result;
    for (const Word& word : words) {
        result += spelling(word);
    }
    return result;
}

// ---- Alignment: words to words, and within a pair of words letters to letters -------------------------

enum class Step { Same, Changed, OnlyMine, OnlyTheirs };

struct Pairing {
    Step step;
    std::size_t mine = 0;   // index on my side; unused for OnlyTheirs
    std::size_t theirs = 0; // index on their side; unused for OnlyMine
};

using Table = std::vector<std::vector<std::size_t>>;

Table letterDistances(const Word& mine, const Word& theirs) {
    Table cost(mine.size() + 1, std::vector<std::size_t>(theirs.size() + 1));
    for (std::size_t i = 0; i <= mine.size(); ++i) {
        cost[i][0] = i;
    }
    for (std::size_t j = 0; j <= theirs.size(); ++j) {
        cost[0][j] = j;
    }
    for (std::size_t i = 1; i <= mine.size(); ++i) {
        for (std::size_t j = 1; j <= theirs.size(); ++j) {
            const std::size_t change = mine[i - 1] == theirs[j - 1] ? 0 : 1;
            cost[i][j] = std::min({cost[i - 1][j - 1] + change, cost[i - 1][j] + 1, cost[i][j - 1] + 1});
        }
    }
    return cost;
}

// Walks a filled cost table back from its end. Among equally cheap ways a pairing is preferred over a
// letter or word of mine alone, and that over one of theirs alone, so the same inputs always mark alike.
template <typename PairCost, typename MineCost>
std::vector<Pairing> walkBack(const Table& cost, PairCost pairCost, MineCost mineCost) {
    std::vector<Pairing> steps;
    std::size_t i = cost.size() - 1;
    std::size_t j = cost[0].size() - 1;
    while (i > 0 || j > 0) {
        if (i > 0 && j > 0 && cost[i][j] == cost[i - 1][j - 1] + pairCost(i - 1, j - 1)) {
            steps.push_back({pairCost(i - 1, j - 1) == 0 ? Step::Same : Step::Changed, i - 1, j - 1});
            --i;
            --j;
        } else if (i > 0 && cost[i][j] == cost[i - 1][j] + mineCost(i - 1)) {
            steps.push_back({Step::OnlyMine, i - 1, 0});
            --i;
        } else {
            steps.push_back({Step::OnlyTheirs, 0, j - 1});
            --j;
        }
    }
    std::reverse(steps.begin(), steps.end());
    return steps;
}

std::vector<Pairing> alignLetters(const Word& mine, const Word& theirs) {
    const Table cost = letterDistances(mine, theirs);
    return walkBack(
        cost, [&](std::size_t i, std::size_t j) -> std::size_t { return mine[i] == theirs[j] ? 0 : 1; },
        [](std::size_t) -> std::size_t { return 1; });
}

struct WordTable {
    Table cost;
    Table pairCost;
};

// The last row of letterDistances, in one reused row: every pair of words is measured, so this is where a
// long answer spends its time.
std::size_t letterDistance(const Word& mine, const Word& theirs, std::vector<std::size_t>& row) {
    row.resize(theirs.size() + 1);
    for (std::size_t j = 0; j <= theirs.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= mine.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= theirs.size(); ++j) {
            const std::size_t change = mine[i - 1] == theirs[j - 1] ? 0 : 1;
            const std::size_t above = row[j];
            row[j] = std::min({diagonal + change, above + 1, row[j - 1] + 1});
            diagonal = above;
        }
    }
    return row.back();
}

// Matching a word to a word costs the letters that differ between them; a word left without partner
// costs all its letters.
WordTable wordDistances(const Words& mine, const Words& theirs) {
    WordTable table;
    table.pairCost.assign(mine.size(), std::vector<std::size_t>(theirs.size()));
    std::vector<std::size_t> row;
    for (std::size_t i = 0; i < mine.size(); ++i) {
        for (std::size_t j = 0; j < theirs.size(); ++j) {
            table.pairCost[i][j] = letterDistance(mine[i], theirs[j], row);
        }
    }
    Table& cost = table.cost;
    cost.assign(mine.size() + 1, std::vector<std::size_t>(theirs.size() + 1));
    for (std::size_t i = 1; i <= mine.size(); ++i) {
        cost[i][0] = cost[i - 1][0] + mine[i - 1].size();
    }
    for (std::size_t j = 1; j <= theirs.size(); ++j) {
        cost[0][j] = cost[0][j - 1] + theirs[j - 1].size();
    }
    for (std::size_t i = 1; i <= mine.size(); ++i) {
        for (std::size_t j = 1; j <= theirs.size(); ++j) {
            cost[i][j] =
                std::min({cost[i - 1][j - 1] + table.pairCost[i - 1][j - 1],
                          cost[i - 1][j] + mine[i - 1].size(), cost[i][j - 1] + theirs[j - 1].size()});
        }
    }
    return table;
}

std::vector<Pairing> alignWords(const Words& mine, const Words& theirs) {
    const WordTable table = wordDistances(mine, theirs);
    return walkBack(
        table.cost, [&](std::size_t i, std::size_t j) { return table.pairCost[i][j]; },
        [&](std::size_t i) { return mine[i].size(); });
}

std::size_t wordDistance(const Words& mine, const Words& theirs) {
    return wordDistances(mine, theirs).cost.back().back();
}

// ---- Marks ----------------------------------------------------------------------------------------------

// Collects the marks of one side while an alignment is walked. Something the other side has and this one
// lacks is marked at the point where it is missing: after the letter before it in the same word, else
// before the next letter of that word; a missing whole word after the word before it, else before the next.
class MarkCollector {
public:
    void startWord() { lastInWord_.reset(); }
    void letter(const Letter& letter, bool differs) {
        if (pendingMissing_) {
            missing_.push_back(letter.begin);
            pendingMissing_ = false;
        }
        if (differs) {
            ranges_.push_back({letter.begin, letter.end});
        }
        lastInWord_ = letter.end;
        lastLetterEnd_ = letter.end;
    }
    void missingLetter() { markMissingAfter(lastInWord_); }
    void missingWord() { markMissingAfter(lastLetterEnd_); }
    TextMarks finish() {
        TextMarks marks;
        for (const ByteRange& range : ranges_) {
            if (!marks.differing.empty() && marks.differing.back().end == range.begin) {
                marks.differing.back().end = range.end;
            } else {
                marks.differing.push_back(range);
            }
        }
        std::sort(missing_.begin(), missing_.end());
        missing_.erase(std::unique(missing_.begin(), missing_.end()), missing_.end());
        marks.missing = std::move(missing_);
        return marks;
    }

private:
    void markMissingAfter(std::optional<std::size_t> point) {
        if (point) {
            missing_.push_back(*point);
        } else {
            pendingMissing_ = true;
        }
    }
    std::vector<ByteRange> ranges_;
    std::vector<std::size_t> missing_;
    std::optional<std::size_t> lastInWord_;
    std::optional<std::size_t> lastLetterEnd_;
    bool pendingMissing_ = false;
};

void collectPairedWord(const Word& mine, const Word& theirs, MarkCollector& onMine, MarkCollector& onTheirs) {
    onMine.startWord();
    onTheirs.startWord();
    for (const Pairing& pairing : alignLetters(mine, theirs)) {
        switch (pairing.step) {
        case Step::Same:
        case Step::Changed:
            onMine.letter(mine[pairing.mine], pairing.step == Step::Changed);
            onTheirs.letter(theirs[pairing.theirs], pairing.step == Step::Changed);
            break;
        case Step::OnlyMine:
            onMine.letter(mine[pairing.mine], true);
            onTheirs.missingLetter();
            break;
        case Step::OnlyTheirs:
            onMine.missingLetter();
            onTheirs.letter(theirs[pairing.theirs], true);
            break;
        }
    }
}

void collectLoneWord(const Word& word, MarkCollector& onOwner, MarkCollector& onOther) {
    onOwner.startWord();
    for (const Letter& letter : word) {
        onOwner.letter(letter, true);
    }
    onOther.missingWord();
}

// Marks for both sides from one alignment, so that what is marked on one side answers what is marked on
// the other.
std::pair<TextMarks, TextMarks> marksBetween(const Words& mine, const Words& theirs) {
    MarkCollector onMine;
    MarkCollector onTheirs;
    for (const Pairing& pairing : alignWords(mine, theirs)) {
        switch (pairing.step) {
        case Step::Same:
        case Step::Changed:
            collectPairedWord(mine[pairing.mine], theirs[pairing.theirs], onMine, onTheirs);
            break;
        case Step::OnlyMine:
            collectLoneWord(mine[pairing.mine], onMine, onTheirs);
            break;
        case Step::OnlyTheirs:
            collectLoneWord(theirs[pairing.theirs], onTheirs, onMine);
            break;
        }
    }
    return {onMine.finish(), onTheirs.finish()};
}

// The words of the closest answer, placed on the letters of a model answer that spells the same but may
// divide its words otherwise ("Ne dankinde" and "Nedankinde"): the model is then marked exactly where the
// closest answer is, so a right word typed apart is not marked in it. Empty when the letters do not
// correspond one to one.
std::optional<Words> placedOn(Words words, const Words& model) {
    std::vector<const Letter*> modelLetters;
    for (const Word& word : model) {
        for (const Letter& letter : word) {
            modelLetters.push_back(&letter);
        }
    }
    std::size_t next = 0;
    for (Word& word : words) {
        for (Letter& letter : word) {
            if (next == modelLetters.size() || !(letter == *modelLetters[next])) {
                return std::nullopt;
            }
            letter.begin = modelLetters[next]->begin;
            letter.end = modelLetters[next]->end;
            ++next;
        }
    }
    return next == modelLetters.size() ? std::optional<Words>(std::move(words)) : std::nullopt;
}

// ---- Closest accepted answer ---------------------------------------------------------------------------

struct Comparison {
    std::string typedShown;
    Words typed;
    std::vector<std::string> acceptedShown;
    std::vector<Words> accepted;
    std::optional<std::size_t> closest;
};

Comparison compare(std::string_view typed, const std::vector<std::string>& accepted) {
    Comparison comparison;
    comparison.typedShown = XToLatin3(typed);
    comparison.typed = wordsOf(comparison.typedShown);
    for (const std::string& answer : accepted) {
        comparison.acceptedShown.push_back(XToLatin3(answer));
        comparison.accepted.push_back(wordsOf(comparison.acceptedShown.back()));
    }
    const std::size_t typedLetters = letterCount(comparison.typed);
    // A right answer is the answer check's to decide, by its own comparison.
    if (typedLetters == 0 || typedLetters > MaxExplainedLetters || isAcceptedAnswer(typed, accepted)) {
        return comparison;
    }
    std::size_t best = std::numeric_limits<std::size_t>::max();
    for (std::size_t index = 0; index < comparison.accepted.size(); ++index) {
        const Words& candidate = comparison.accepted[index];
        if (candidate.empty()) {
            continue;
        }
        const std::size_t distance = wordDistance(comparison.typed, candidate);
        if (distance < best) {
            best = distance;
            comparison.closest = index;
        }
    }
    return comparison;
}

// ---- Mistake rules --------------------------------------------------------------------------------------

using Pair = std::pair<const Word*, const Word*>; // typed word, accepted word

constexpr std::array<std::string_view, 9> Pronouns{"mi", "vi", "li", "sxi", "gxi", "si", "ni", "ili", "oni"};
// Correlatives ending in -u take -n and -j but are neither nouns nor adjectives by their ending.
constexpr std::array<std::string_view, 5> UCorrelatives{"kiu", "tiu", "iu", "cxiu", "neniu"};

template <std::size_t N> bool isOneOf(const std::array<std::string_view, N>& list, const std::string& word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

bool endsWith(const Word& word, std::string_view key) {
    return !word.empty() && word.back().key == key;
}

Word withoutLast(const Word& word, std::size_t count) {
    return Word(word.begin(), word.end() - static_cast<std::ptrdiff_t>(std::min(count, word.size())));
}

// Nouns and adjectives by their ending, and the -u correlatives.
bool takesPlural(const Word& word) {
    return endsWith(word, "o") || endsWith(word, "a") || isOneOf(UCorrelatives, spelling(word));
}

// The words that take -j, also in the plural, and the personal pronouns; not the adverbs of place, whose
// -n shows direction.
bool takesAccusative(const Word& word) {
    const Word singular = endsWith(word, "j") ? withoutLast(word, 1) : word;
    return takesPlural(singular) || isOneOf(Pronouns, spelling(word));
}

// `longer` is `shorter` with `ending` added.
bool addsEnding(const Word& longer, const Word& shorter, std::string_view ending) {
    return longer.size() == shorter.size() + 1 && endsWith(longer, ending) &&
           withoutLast(longer, 1) == shorter;
}

bool addsAccusative(const Word& longer, const Word& shorter) {
    return addsEnding(longer, shorter, "n") && takesAccusative(shorter);
}

// `longer` is `shorter` with -j added before the accusative -n, if any.
bool addsPlural(const Word& longer, const Word& shorter) {
    const bool accusative = endsWith(longer, "n") && endsWith(shorter, "n");
    const Word longerBase = accusative ? withoutLast(longer, 1) : longer;
    const Word shorterBase = accusative ? withoutLast(shorter, 1) : shorter;
    return addsEnding(longerBase, shorterBase, "j") && takesPlural(shorterBase);
}

// Missing/extra rules: every differing pair has the ending one way or the other. An ending missing on one
// word and standing on another is misplaced, where the rule can say so; otherwise the first pair decides.
template <typename Adds>
std::optional<Mistake> endingMistake(const std::vector<Pair>& pairs, Adds adds, Mistake missing,
                                     Mistake extra, std::optional<Mistake> misplaced = std::nullopt) {
    bool someMissing = false;
    bool someExtra = false;
    for (const auto& [typed, accepted] : pairs) {
        if (adds(*accepted, *typed)) {
            someMissing = true;
        } else if (adds(*typed, *accepted)) {
            someExtra = true;
        } else {
            return std::nullopt;
        }
    }
    if (someMissing && someExtra && misplaced) {
        return misplaced;
    }
    return adds(*pairs.front().second, *pairs.front().first) ? missing : extra;
}

bool isPairLetter(const Letter& letter) {
    return letter.key.size() == 2 && letter.key[1] == XSystemMarker && isPlainOfPair(letter.key[0]);
}

// The accepted word, with some of its Esperanto letters written without the x or with "h" or "^" in its
// place, gives the typed word.
bool lacksXSystem(const Word& typed, const Word& accepted) {
    std::vector<std::vector<char>> reachable(accepted.size() + 1, std::vector<char>(typed.size() + 1, 0));
    reachable[0][0] = 1;
    for (std::size_t a = 0; a < accepted.size(); ++a) {
        for (std::size_t t = 0; t <= typed.size(); ++t) {
            if (reachable[a][t] == 0 || t == typed.size()) {
                continue;
            }
            if (typed[t] == accepted[a]) {
                reachable[a + 1][t + 1] = 1;
            }
            if (isPairLetter(accepted[a]) && typed[t].key == accepted[a].key.substr(0, 1)) {
                reachable[a + 1][t + 1] = 1;
                const bool standIn =
                    t + 1 < typed.size() && (typed[t + 1].key == "h" || typed[t + 1].key == "^");
                if (standIn) {
                    reachable[a + 1][t + 2] = 1;
                }
            }
        }
    }
    return reachable[accepted.size()][typed.size()] != 0;
}

constexpr std::array<std::string_view, 6> VerbEndings{"as", "is", "os", "us", "u", "i"};
constexpr std::size_t MinVerbStem = 2;

// The word without its verb ending, if it has one; the longer endings are tried first.
std::optional<Word> verbStem(const Word& word) {
    if (isOneOf(Pronouns, spelling(word)) || isOneOf(UCorrelatives, spelling(word))) {
        return std::nullopt;
    }
    for (std::string_view ending : VerbEndings) {
        const std::size_t length = ending.size();
        if (word.size() < MinVerbStem + length) {
            continue;
        }
        const Word tail(word.end() - static_cast<std::ptrdiff_t>(length), word.end());
        if (spelling(tail) == ending) {
            return withoutLast(word, length);
        }
    }
    return std::nullopt;
}

bool differsInVerbEnding(const Word& typed, const Word& accepted) {
    const std::optional<Word> typedStem = verbStem(typed);
    const std::optional<Word> acceptedStem = verbStem(accepted);
    return typedStem && acceptedStem && *typedStem == *acceptedStem;
}

// One letter changed, added or dropped, or two neighbouring letters swapped.
template <typename Letters> bool isOneSlipApart(const Letters& a, const Letters& b) {
    const Letters& longer = a.size() >= b.size() ? a : b;
    const Letters& shorter = a.size() >= b.size() ? b : a;
    if (longer.size() == shorter.size() + 1) {
        const auto split = std::mismatch(shorter.begin(), shorter.end(), longer.begin());
        return std::equal(split.first, shorter.end(), split.second + 1);
    }
    if (longer.size() != shorter.size()) {
        return false;
    }
    const auto first = std::mismatch(a.begin(), a.end(), b.begin());
    if (first.first == a.end()) {
        return false;
    }
    const auto at = static_cast<std::size_t>(first.first - a.begin());
    if (std::equal(first.first + 1, a.end(), first.second + 1)) {
        return true;
    }
    return at + 1 < a.size() && a[at] == b[at + 1] && a[at + 1] == b[at] &&
           std::equal(a.begin() + static_cast<std::ptrdiff_t>(at) + 2, a.end(),
                      b.begin() + static_cast<std::ptrdiff_t>(at) + 2);
}

// A slip of the finger counts on the keys pressed ("dx" for "cx") as well as on the letters seen ("ĝ" for
// "ĉ", however each was typed).
bool isTypo(const Word& typed, const Word& accepted) {
    return isOneSlipApart(typed, accepted) || isOneSlipApart(spelling(typed), spelling(accepted));
}

std::vector<std::string> sortedSpellings(const Words& words) {
    std::vector<std::string> result;
    for (const Word& word : words) {
        result.push_back(spelling(word));
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::vector<Pair> differingPairs(const Words& typed, const Words& accepted) {
    std::vector<Pair> pairs;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (spelling(typed[i]) != spelling(accepted[i])) {
            pairs.emplace_back(&typed[i], &accepted[i]);
        }
    }
    return pairs;
}

template <typename Fits> bool allPairs(const std::vector<Pair>& pairs, Fits fits) {
    return std::all_of(pairs.begin(), pairs.end(),
                       [&](const Pair& pair) { return fits(*pair.first, *pair.second); });
}

// The letter without its Hungarian accent, in small letters, by its display byte (which Windows-1250
// shares for these letters): á and Á give a, ó ö ő Ó Ö Ő give o, and so on.
char32_t unaccented(char32_t code) {
    struct Family {
        char base;
        std::string_view bytes;
    };
    static constexpr std::array<Family, 5> families{{{'a', "\xE1\xC1"},
                                                     {'e', "\xE9\xC9"},
                                                     {'i', "\xED\xCD"},
                                                     {'o', "\xF3\xF6\xF5\xD3\xD6\xD5"},
                                                     {'u', "\xFA\xFC\xFB\xDA\xDC\xDB"}}};
    for (const Family& family : families) {
        if (code < 0x100 && family.bytes.find(static_cast<char>(code)) != std::string_view::npos) {
            return static_cast<unsigned char>(family.base);
        }
    }
    return code;
}

bool differsOnlyInAccents(const Word& typed, const Word& accepted) {
    return typed.size() == accepted.size() &&
           std::equal(typed.begin(), typed.end(), accepted.begin(), [](const Letter& a, const Letter& b) {
               return unaccented(a.code) == unaccented(b.code);
           });
}

// What the word-for-word rules need beyond the two answers' words.
struct WordContext {
    const Comparison& comparison;
    std::size_t closest;
    const CourseWords& courseWords;
};

std::string shownWord(const Word& word, std::string_view shown) {
    return displayLatin3ToUtf8(shown.substr(word.front().begin, word.back().end - word.front().begin));
}

// A short word, or one that the course accepts somewhere, was typed as that word, not slipped into.
bool isWordOfItsOwn(const Word& typed, const WordContext& context) {
    const std::string spelt = spelling(typed);
    if (typed.size() < MinTypoLetters || context.courseWords.contains(spelt)) {
        return true;
    }
    return std::any_of(context.comparison.accepted.begin(), context.comparison.accepted.end(),
                       [&](const Words& answer) {
                           return std::any_of(answer.begin(), answer.end(),
                                              [&](const Word& word) { return spelling(word) == spelt; });
                       });
}

std::optional<Explanation> oneLetterMistake(const Pair& pair, const WordContext& context) {
    if (!isTypo(*pair.first, *pair.second)) {
        return std::nullopt;
    }
    if (!isWordOfItsOwn(*pair.first, context)) {
        return Explanation{Mistake::Typo, {}, {}};
    }
    const Comparison& comparison = context.comparison;
    return Explanation{Mistake::OtherWord, shownWord(*pair.first, comparison.typedShown),
                       shownWord(*pair.second, comparison.acceptedShown[context.closest])};
}

// The rules that compare word with word, for answers with as many words as the accepted one.
std::optional<Explanation> wordForWordMistake(const std::vector<Pair>& pairs, const WordContext& context) {
    if (pairs.empty()) {
        return std::nullopt;
    }
    const auto named = [](Mistake mistake) { return std::optional(Explanation{mistake, {}, {}}); };
    if (auto mistake = endingMistake(pairs, addsAccusative, Mistake::AccusativeMissing,
                                     Mistake::AccusativeExtra, Mistake::AccusativeMisplaced)) {
        return named(*mistake);
    }
    if (auto mistake = endingMistake(pairs, addsPlural, Mistake::PluralMissing, Mistake::PluralExtra)) {
        return named(*mistake);
    }
    if (allPairs(pairs, lacksXSystem)) {
        return named(Mistake::LetterWithoutX);
    }
    if (allPairs(pairs, differsInVerbEnding)) {
        return named(Mistake::VerbEnding);
    }
    if (allPairs(pairs, differsOnlyInAccents)) {
        return named(Mistake::Accents);
    }
    return pairs.size() == 1 ? oneLetterMistake(pairs.front(), context) : std::nullopt;
}

std::optional<Explanation> wordForWordMistake(const WordContext& context) {
    const Words& typed = context.comparison.typed;
    const Words& accepted = context.comparison.accepted[context.closest];
    if (typed.size() != accepted.size()) {
        return std::nullopt;
    }
    return wordForWordMistake(differingPairs(typed, accepted), context);
}

} // namespace

std::optional<std::size_t> closestAcceptedAnswer(std::string_view typed,
                                                 const std::vector<std::string>& accepted) {
    return compare(typed, accepted).closest;
}

AnswerMarks markDifferences(std::string_view typed, std::string_view instruction,
                            const std::vector<std::string>& accepted) {
    const Comparison comparison = compare(typed, accepted);
    if (!comparison.closest) {
        return {};
    }
    const Words& closest = comparison.accepted[*comparison.closest];
    const Words model = wordsOfStored(instruction);
    AnswerMarks marks;
    if (model.empty() || spelling(model) != spelling(closest)) {
        marks.answer = marksBetween(comparison.typed, closest).first;
    } else if (const std::optional<Words> placed = placedOn(closest, model)) {
        std::tie(marks.answer, marks.model) = marksBetween(comparison.typed, *placed);
    } else {
        marks.answer = marksBetween(comparison.typed, closest).first;
        marks.model = marksBetween(comparison.typed, model).second;
    }
    return marks;
}

CourseWords::CourseWords(const ContentLines& lines) {
    for (std::size_t at = 0; at < lines.size(); ++at) {
        if (itemLineKey(lines[at]) != ItemKey::Solution) {
            continue;
        }
        if (const std::optional<std::string> accepted = quotedField(lines[at], 1)) {
            addAnswer(*accepted);
        }
    }
}

void CourseWords::addAnswer(std::string_view accepted) {
    for (const Word& word : wordsOfStored(accepted)) {
        words_.insert(spelling(word));
    }
}

std::optional<Explanation> explainMistake(std::string_view typed, const std::vector<std::string>& accepted,
                                          const CourseWords& courseWords) {
    const Comparison comparison = compare(typed, accepted);
    if (!comparison.closest) {
        return std::nullopt;
    }
    if (auto mistake = wordForWordMistake({comparison, *comparison.closest, courseWords})) {
        return mistake;
    }
    // The right words in another order are right words whichever answer they belong to, even when an
    // answer with other words is nearer by letters.
    const std::vector<std::string> typedWords = sortedSpellings(comparison.typed);
    const bool reordered =
        std::any_of(comparison.accepted.begin(), comparison.accepted.end(),
                    [&](const Words& words) { return sortedSpellings(words) == typedWords; });
    return reordered ? std::optional(Explanation{Mistake::WordOrder, {}, {}}) : std::nullopt;
}

std::string mistakeText(const Explanation& explanation) {
    switch (explanation.mistake) {
    case Mistake::AccusativeMissing:
        return "Hiányzik a tárgyeset -n végződése.";
    case Mistake::AccusativeExtra:
        return "Fölösleges az -n végződés.";
    case Mistake::AccusativeMisplaced:
        return "Rossz szón van a tárgyeset -n végződése.";
    case Mistake::PluralMissing:
        return "Hiányzik a többes szám -j végződése.";
    case Mistake::PluralExtra:
        return "Fölösleges a -j végződés.";
    case Mistake::LetterWithoutX:
        return "Az eszperantó betűt x-szel írd: cx = ĉ, gx = ĝ, hx = ĥ, jx = ĵ, sx = ŝ, ux = ŭ.";
    case Mistake::VerbEnding:
        return "Rossz az igevégződés: -as jelen, -is múlt, -os jövő, -us feltételes, -u felszólító, -i "
               "főnévi "
               "igenév.";
    case Mistake::Accents:
        return "Ékezethiba: nézd meg az ékezetes betűket.";
    case Mistake::Typo:
        return "Elgépelés: egy betű eltér.";
    case Mistake::OtherWord:
        return "Más szó: „" + explanation.typedWord + "” helyett „" + explanation.acceptedWord + "”.";
    case Mistake::WordOrder:
        return "A szavak jók, de más a sorrendjük.";
    }
    return {};
}

} // namespace kvizaro
