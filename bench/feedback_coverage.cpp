// How often the wrong-answer notice explains a typical mistake, and how often it names the wrong one. Every
// question of a content file gives its first accepted answer in the x-system, the way a learner types it;
// from it come the wrong forms a learner typically types: -n and -j dropped or added, the -n moved from the
// object to another word, each x dropped, the Hungarian accents dropped, two neighbouring words swapped, one
// letter changed. Forms that the answer check accepts anyway are counted apart and left out of the shares.
// Last, every one-letter change of every word is tried: the share that makes another word of the course,
// which the notice must not call a slip of the finger.
// Usage: feedback-coverage [--list] [CONTENT-FILE]   (default: enhavo.adt in the working folder); --list
// prints every form with the explanation it gets.
#include "answer_feedback.h"
#include "content_file.h"
#include "esperanto.h"
#include "line_parser.h"
#include "readers.h"

#include <array>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using kvizaro::Mistake;

constexpr std::size_t MistakeKinds = static_cast<std::size_t>(Mistake::WordOrder) + 1;

struct Tally {
    int forms = 0;
    int accepted = 0; // the check takes the form as right: nothing to explain
    int named = 0;    // the expected mistake is named
    int other = 0;    // another mistake is named
    int none = 0;     // no explanation
};

struct Form {
    std::string answer;
    std::optional<Mistake> expected; // none: an answer to another question, which no rule should explain
};

std::vector<std::string> splitWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

std::string joinWords(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& word : words) {
        if (!text.empty())
            text += ' ';
        text += word;
    }
    return text;
}

bool endsWith(std::string_view word, std::string_view ending) {
    return word.size() >= ending.size() && word.substr(word.size() - ending.size()) == ending;
}

// The word without the punctuation a sentence puts after it.
std::string_view letters(std::string_view word) {
    while (!word.empty() && (word.back() == '.' || word.back() == ',' || word.back() == '!' ||
                             word.back() == '?' || word.back() == ':' || word.back() == ';')) {
        word.remove_suffix(1);
    }
    return word;
}

std::string lower(std::string_view word) {
    return kvizaro::LowerAscii(word);
}

// Short words that end like a noun or adjective but are neither.
bool isParticle(std::string_view word) {
    static const std::set<std::string, std::less<>> particles = {
        "la", "kaj", "da",  "ja",  "do",       "pro",   "tro",  "po",   "ho", "na",  "ja", "cxa", "ba", "jen",
        "en", "kun", "sen", "nun", "ankoraux", "tamen", "kiam", "tiam", "ne", "jes", "se", "ke",  "ol"};
    return particles.contains(word);
}

bool isAccusativeWord(const std::string& word) {
    static const std::set<std::string, std::less<>> pronouns = {"min", "vin", "lin",  "sxin", "gxin",
                                                                "sin", "nin", "ilin", "onin"};
    if (pronouns.contains(word))
        return true;
    for (std::string_view ending : {"on", "an", "ojn", "ajn", "un", "ujn"}) {
        if (endsWith(word, ending) && word.size() > ending.size() + 1 && !isParticle(word))
            return true;
    }
    return false;
}

bool isNominativeWord(const std::string& word) {
    if (isParticle(word) || word.size() < 3)
        return false;
    return endsWith(word, "o") || endsWith(word, "a") || endsWith(word, "oj") || endsWith(word, "aj");
}

// Calls `add` with the answer's words where word `index` is replaced by `changed`.
template <typename Add>
void replaceWord(std::vector<std::string> words, std::size_t index, const std::string& changed, Add add) {
    const std::string_view tail = std::string_view(words[index]).substr(letters(words[index]).size());
    words[index] = changed + std::string(tail);
    add(joinWords(words));
}

template <typename Add> void endingForms(const std::vector<std::string>& words, Mistake which, Add add) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string word = lower(letters(words[i]));
        std::string changed;
        switch (which) {
        case Mistake::AccusativeMissing:
            if (isAccusativeWord(word))
                changed = word.substr(0, word.size() - 1);
            break;
        case Mistake::AccusativeExtra:
            if (isNominativeWord(word))
                changed = word + "n";
            break;
        case Mistake::PluralMissing:
            if (isNominativeWord(word) && endsWith(word, "j"))
                changed = word.substr(0, word.size() - 1);
            else if (isAccusativeWord(word) && (endsWith(word, "ojn") || endsWith(word, "ajn")))
                changed = word.substr(0, word.size() - 2) + "n";
            break;
        case Mistake::PluralExtra:
            if (isNominativeWord(word) && !endsWith(word, "j"))
                changed = word + "j";
            else if (isAccusativeWord(word) && (endsWith(word, "on") || endsWith(word, "an")))
                changed = word.substr(0, word.size() - 1) + "jn";
            break;
        default:
            break;
        }
        if (!changed.empty())
            replaceWord(words, i, changed, add);
    }
}

// The -n of the first accusative word moved to the first noun or adjective before or after it.
template <typename Add> void movedAccusativeForm(std::vector<std::string> words, Add add) {
    std::size_t object = words.size();
    std::size_t other = words.size();
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string word = lower(letters(words[i]));
        if (object == words.size() && isAccusativeWord(word) && endsWith(word, "n")) {
            object = i;
        } else if (other == words.size() && isNominativeWord(word)) {
            other = i;
        }
    }
    if (object == words.size() || other == words.size())
        return;
    const std::string objectWord(letters(words[object]));
    const std::string tail = words[object].substr(objectWord.size());
    words[object] = objectWord.substr(0, objectWord.size() - 1) + tail;
    replaceWord(words, other, std::string(letters(words[other])) + "n", add);
}

// Every Hungarian accent dropped (display bytes, which Windows-1250 shares for these letters).
std::string withoutAccents(std::string text) {
    static const std::string_view accented = "\xE1\xE9\xED\xF3\xF6\xF5\xFA\xFC\xFB";
    static const std::string_view plain = "aeiooouuu";
    for (char& c : text) {
        const std::size_t at = accented.find(c);
        if (at != std::string_view::npos)
            c = plain[at];
    }
    return text;
}

template <typename Add> void withoutXForms(const std::string& answer, Add add) {
    for (std::size_t i = 1; i < answer.size(); ++i) {
        const char x = answer[i];
        if ((x == 'x' || x == 'X') &&
            std::string_view("cghjsuCGHJSU").find(answer[i - 1]) != std::string_view::npos) {
            add(answer.substr(0, i) + answer.substr(i + 1));
        }
    }
}

template <typename Add> void swapForms(const std::vector<std::string>& words, Add add) {
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        auto swapped = words;
        std::swap(swapped[i], swapped[i + 1]);
        if (swapped != words)
            add(joinWords(swapped));
    }
}

// Letters as the learner sees them: an x-system pair is one.
std::size_t shownLetters(std::string_view word) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < word.size(); ++at) {
        const bool marker = at > 0 && (word[at] == 'x' || word[at] == 'X') &&
                            std::string_view("cghjsuCGHJSU").find(word[at - 1]) != std::string_view::npos;
        count += marker ? 0 : 1;
    }
    return count;
}

// One letter of the longest word, in its middle, made another letter: a slip of the finger, unless it
// makes a short word or a word of the course, or only drops an accent.
template <typename Add>
void typoForm(const std::vector<std::string>& words, const kvizaro::CourseWords& course, Add add) {
    std::size_t longest = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (letters(words[i]).size() > letters(words[longest]).size())
            longest = i;
    }
    if (words.empty() || letters(words[longest]).size() < 4)
        return;
    std::string word(letters(words[longest]));
    char& letter = word[word.size() / 2];
    if (letter == 'x' || letter == 'X')
        return;
    const bool accentOnly = letter != 'e' && withoutAccents(std::string(1, letter)) == "e";
    letter = (letter == 'e') ? 'a' : 'e';
    Mistake expected = Mistake::Typo;
    if (accentOnly) {
        expected = Mistake::Accents;
    } else if (shownLetters(word) < kvizaro::MinTypoLetters || course.contains(lower(word))) {
        expected = Mistake::OtherWord;
    }
    replaceWord(words, longest, word, [&](std::string form) { add(std::move(form), expected); });
}

std::vector<Form> wrongForms(const std::string& answer, const kvizaro::CourseWords& course) {
    std::vector<Form> forms;
    const auto words = splitWords(answer);
    for (Mistake which : {Mistake::AccusativeMissing, Mistake::AccusativeExtra, Mistake::PluralMissing,
                          Mistake::PluralExtra}) {
        endingForms(words, which, [&](std::string form) { forms.push_back({std::move(form), which}); });
    }
    withoutXForms(answer, [&](std::string form) {
        forms.push_back({std::move(form), Mistake::LetterWithoutX});
    });
    movedAccusativeForm(words, [&](std::string form) {
        forms.push_back({std::move(form), Mistake::AccusativeMisplaced});
    });
    if (const std::string plain = withoutAccents(answer); plain != answer) {
        forms.push_back({plain, Mistake::Accents});
    }
    swapForms(words, [&](std::string form) { forms.push_back({std::move(form), Mistake::WordOrder}); });
    typoForm(words, course, [&](std::string form, Mistake named) {
        forms.push_back({std::move(form), named});
    });
    return forms;
}

const char* kindName(Mistake mistake) {
    switch (mistake) {
    case Mistake::AccusativeMissing:
        return "-n dropped";
    case Mistake::AccusativeExtra:
        return "-n added";
    case Mistake::AccusativeMisplaced:
        return "-n moved to another word";
    case Mistake::PluralMissing:
        return "-j dropped";
    case Mistake::PluralExtra:
        return "-j added";
    case Mistake::LetterWithoutX:
        return "x dropped";
    case Mistake::VerbEnding:
        return "verb ending";
    case Mistake::Accents:
        return "accents dropped";
    case Mistake::Typo:
        return "one letter changed";
    case Mistake::OtherWord:
        return "one letter changed into another course word";
    case Mistake::WordOrder:
        return "two words swapped";
    }
    return "?";
}

const char* kindName(std::optional<Mistake> mistake) {
    return mistake ? kindName(*mistake) : "another question's answer";
}

double share(int part, int whole) {
    return whole == 0 ? 0.0 : 100.0 * part / whole;
}

// Every letter of every word of an answer changed into each plain letter: how many such slips make another
// word of the course, and what the notice calls those.
struct OneLetterChanges {
    int all = 0;
    int courseWords = 0;
    int accepted = 0;
    std::array<int, MistakeKinds + 1> named{}; // by what the notice names, last none

    void tryAll(const std::string& answer, const std::vector<std::string>& solutions,
                const kvizaro::CourseWords& course) {
        const auto words = splitWords(answer);
        for (std::size_t w = 0; w < words.size(); ++w) {
            const std::string word = lower(letters(words[w]));
            for (std::size_t at = 0; at < word.size(); ++at) {
                if (word[at] == 'x' && at > 0)
                    continue; // the marker of an x-system pair
                for (char letter : std::string_view("abcdefghijklmnoprstuvz")) {
                    if (letter == word[at])
                        continue;
                    std::string changed = word;
                    changed[at] = letter;
                    ++all;
                    if (course.contains(changed))
                        judge(words, w, changed, solutions, course);
                }
            }
        }
    }

    void judge(const std::vector<std::string>& words, std::size_t index, const std::string& changed,
               const std::vector<std::string>& solutions, const kvizaro::CourseWords& course) {
        ++courseWords;
        std::string form;
        replaceWord(words, index, changed, [&](std::string text) { form = std::move(text); });
        if (kvizaro::isAcceptedAnswer(form, solutions)) {
            ++accepted;
            return;
        }
        const auto explanation = kvizaro::explainMistake(form, solutions, course);
        ++named[explanation ? static_cast<std::size_t>(explanation->mistake) : MistakeKinds];
    }

    void print(std::size_t courseSize) const {
        const int judged = courseWords - accepted;
        std::printf("\nOne-letter changes of every word of the first accepted answers: %d; %d (%.1f %%) make "
                    "another of the course's %zu words, %d of them rejected by the check. Named:\n\n",
                    all, courseWords, share(courseWords, all), courseSize, judged);
        std::printf("| explanation | changes | share |\n|---|---|---|\n");
        for (std::size_t kind = 0; kind < named.size(); ++kind) {
            if (named[kind] > 0) {
                const char* name = kind < MistakeKinds ? kindName(static_cast<Mistake>(kind)) : "none";
                std::printf("| %s | %d | %.1f %% |\n", name, named[kind], share(named[kind], judged));
            }
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    const bool list = argc > 1 && std::string_view(argv[1]) == "--list";
    const int fileArgument = list ? 2 : 1;
    const std::filesystem::path file = argc > fileArgument ? argv[fileArgument] : kvizaro::DefaultContentFile;
    const auto loaded = kvizaro::LoadContent(file);
    if (loaded.error) {
        std::fprintf(stderr, "feedback-coverage: %s\n", loaded.error->c_str());
        return 2;
    }
    const kvizaro::CourseWords course(loaded.lines);
    std::array<Tally, MistakeKinds + 1>
        tallies{}; // one per mistake, and last the answers to another question
    int questions = 0;
    OneLetterChanges changes;
    const auto judge = [&](const Form& form, const std::vector<std::string>& solutions) {
        Tally& tally = tallies[form.expected ? static_cast<std::size_t>(*form.expected) : MistakeKinds];
        ++tally.forms;
        if (kvizaro::isAcceptedAnswer(form.answer, solutions)) {
            ++tally.accepted;
            return;
        }
        const auto named = kvizaro::explainMistake(form.answer, solutions, course);
        if (list) {
            std::printf("%s\t%s\t%s\n", kindName(form.expected), form.answer.c_str(),
                        named ? kindName(named->mistake) : "-");
        }
        if (!named)
            ++tally.none;
        else if (named->mistake == form.expected)
            ++tally.named;
        else
            ++tally.other;
    };
    for (const auto& entry : kvizaro::readMenuBlock(loaded.lines).entries) {
        if (entry.isHeading())
            continue;
        const auto items = kvizaro::readTaskBlock(loaded.lines, entry.sheet).items;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].solutions.empty())
                continue;
            ++questions;
            const std::string answer = kvizaro::latin3ToXSystem(items[i].solutions.front());
            for (const Form& form : wrongForms(answer, course)) {
                judge(form, items[i].solutions);
            }
            changes.tryAll(answer, items[i].solutions, course);
            const auto& next = items[(i + 1) % items.size()];
            if (&next != &items[i] && !next.solutions.empty()) {
                judge({kvizaro::latin3ToXSystem(next.solutions.front()), std::nullopt}, items[i].solutions);
            }
        }
    }
    std::printf("%d questions in %s\n\n", questions, file.c_str());
    std::printf("| wrong form | forms | taken as right | explained as made | another explanation | none |\n");
    std::printf("|---|---|---|---|---|---|\n");
    Tally all;
    for (std::size_t kind = 0; kind < tallies.size(); ++kind) {
        const Tally& t = tallies[kind];
        const bool mistake = kind < MistakeKinds;
        if (t.forms == 0)
            continue;
        const int judged = t.forms - t.accepted;
        std::printf("| %s | %d | %d | %.1f %% | %.1f %% | %.1f %% |\n",
                    kindName(mistake ? std::optional(static_cast<Mistake>(kind)) : std::nullopt), t.forms,
                    t.accepted, share(t.named, judged), share(t.other, judged), share(t.none, judged));
        if (mistake) {
            all.forms += t.forms;
            all.accepted += t.accepted;
            all.named += t.named;
            all.other += t.other;
            all.none += t.none;
        }
    }
    const int judged = all.forms - all.accepted;
    std::printf("| all typical mistakes | %d | %d | %.1f %% | %.1f %% | %.1f %% |\n", all.forms, all.accepted,
                share(all.named, judged), share(all.other, judged), share(all.none, judged));
    changes.print(course.size());
    return 0;
}
