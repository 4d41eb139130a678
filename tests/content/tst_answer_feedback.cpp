#include "answer_feedback.h"
#include "byte_text.h"
#include "content_builder.h"
#include "esperanto.h"

#include <QtTest>

#include <random>

using namespace kvizaro;
using kvizaro::test::bytes;
using kvizaro::test::qbytes;

namespace {

constexpr int NoMistake = -1;

std::vector<std::string> answersOf(const QByteArrayList& list) {
    std::vector<std::string> result;
    for (const QByteArray& answer : list) {
        result.push_back(bytes(answer));
    }
    return result;
}

// The shown text with each differing range in brackets and each missing point as "_", so that a whole
// marking reads in one line.
QByteArray rendered(std::string_view shown, const TextMarks& marks) {
    QByteArray out;
    auto ranges = marks.differing.begin();
    auto missing = marks.missing.begin();
    for (std::size_t at = 0; at <= shown.size(); ++at) {
        for (; missing != marks.missing.end() && *missing == at; ++missing) {
            out += '_';
        }
        if (ranges != marks.differing.end() && ranges->end == at) {
            out += ']';
            ++ranges;
        }
        if (ranges != marks.differing.end() && ranges->begin == at) {
            out += '[';
        }
        if (at < shown.size()) {
            out += shown[at];
        }
    }
    return out;
}

// What the answer check decides.
bool checkedRight(const std::string& typed, const std::vector<std::string>& accepted) {
    return isAcceptedAnswer(typed, accepted);
}

std::string mutated(std::string text, std::mt19937& random) {
    static const std::string alphabet = "abcgjnosux ,!?^\xe6\xc6\xf8\xfe";
    const int edits = 1 + static_cast<int>(random() % 3);
    for (int edit = 0; edit < edits; ++edit) {
        const std::size_t at = text.empty() ? 0 : random() % (text.size() + 1);
        const char letter = alphabet[random() % alphabet.size()];
        switch (random() % 4) {
        case 0:
            text.insert(at, 1, letter);
            break;
        case 1:
            if (at < text.size()) {
                text.erase(at, 1);
            }
            break;
        case 2:
            if (at < text.size()) {
                text[at] = letter;
            }
            break;
        default:
            text = XToLatin3(text);
            break;
        }
    }
    return text;
}

bool coversDropped(std::string_view shown, const TextMarks& marks) {
    return std::any_of(marks.differing.begin(), marks.differing.end(), [&](const ByteRange& range) {
        const std::string_view marked = shown.substr(range.begin, range.end - range.begin);
        return marked.find_first_of(" !,.:;?") != std::string_view::npos;
    });
}

bool inside(std::string_view shown, const TextMarks& marks) {
    const bool rangesInside =
        std::all_of(marks.differing.begin(), marks.differing.end(),
                    [&](const ByteRange& r) { return r.begin < r.end && r.end <= shown.size(); });
    const bool pointsInside = std::all_of(marks.missing.begin(), marks.missing.end(),
                                          [&](std::size_t point) { return point <= shown.size(); });
    return rangesInside && pointsInside;
}

} // namespace

class TestAnswerFeedback : public QObject {
    Q_OBJECT

private slots:
    void namesTheMistake_data() {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArrayList>("accepted");
        QTest::addColumn<int>("mistake");
        const auto row = [](const char* tag, const char* typed, QByteArrayList accepted, int mistake) {
            QTest::newRow(tag) << QByteArray(typed) << accepted << mistake;
        };
        const int accusativeMissing = int(Mistake::AccusativeMissing);
        const int accusativeExtra = int(Mistake::AccusativeExtra);
        const int pluralMissing = int(Mistake::PluralMissing);
        const int pluralExtra = int(Mistake::PluralExtra);
        const int withoutX = int(Mistake::LetterWithoutX);
        const int verbEnding = int(Mistake::VerbEnding);
        const int typo = int(Mistake::Typo);
        const int wordOrder = int(Mistake::WordOrder);
        const int misplaced = int(Mistake::AccusativeMisplaced);
        const int accents = int(Mistake::Accents);
        const int otherWord = int(Mistake::OtherWord);

        // Accusative -n: nouns, adjectives, pronouns, correlatives.
        row("accusative-missing-twice", "Bona tago", {"Bonan tagon!"}, accusativeMissing);
        row("accusative-missing-noun", "Bonan tago", {"Bonan tagon!"}, accusativeMissing);
        row("accusative-missing-capitals", "BONA TAGO!", {"Bonan tagon!"}, accusativeMissing);
        row("accusative-missing-pronoun", "Li vidas mi", {"Li vidas min."}, accusativeMissing);
        row("accusative-missing-kion", "Kio vi volas?", {"Kion vi volas?"}, accusativeMissing);
        row("accusative-missing-tiun", "Mi volas tiu", {"Mi volas tiun"}, accusativeMissing);
        row("accusative-missing-plural", "Mi havas bonaj amikoj", {"Mi havas bonajn amikojn"},
            accusativeMissing);
        row("accusative-extra-pronoun", "Kiel vin fartas?", {"Kiel vi fartas?"}, accusativeExtra);
        row("accusative-extra-noun", "La hundon dormas", {"La hundo dormas"}, accusativeExtra);
        row("accusative-on-the-wrong-word", "La hundon vidas la kato", {"La hundo vidas la katon"},
            misplaced);
        row("plural-first-pair-decides", "bonaj hundo", {"bona hundoj"}, pluralExtra);
        row("accusative-real-letters", "Mi \xf8uas la tago", {"Mi gxuas la tagon"}, accusativeMissing);
        // Direction -n is no accusative; a verb's -n is no ending at all.
        row("direction-n-is-a-typo", "Mi iras hejme", {"Mi iras hejmen"}, typo);

        // Plural -j, also before -n.
        row("plural-missing", "bonaj hundo", {"bonaj hundoj"}, pluralMissing);
        row("plural-missing-before-n", "Mi vidas bonajn hundon", {"Mi vidas bonajn hundojn"}, pluralMissing);
        row("plural-missing-correlative", "kiu hundoj", {"kiuj hundoj"}, pluralMissing);
        row("plural-extra", "La hundoj dormas", {"La hundo dormas"}, pluralExtra);
        row("plural-and-accusative-missing", "bona hundo", {"bonajn hundojn"}, NoMistake);

        // Esperanto letters written without x, with h or ^ in its place; either side with real letters.
        row("x-missing", "cu", {"cxu"}, withoutX);
        row("x-missing-real-letter-accepted", "Cu", {"\xc6u"}, withoutX);
        row("x-missing-two-letters", "sango", {"sxangxo"}, withoutX);
        row("x-missing-one-of-two",
            "\xfe"
            "ango",
            {"sxangxo"}, withoutX);
        row("h-for-x", "chu", {"cxu"}, withoutX);
        row("caret-for-x", "c^u", {"cxu"}, withoutX);
        row("x-missing-in-sentence", "Gis revido!", {"Gxis revido!"}, withoutX);
        row("x-missing-capital", "GIS", {"Gxis"}, withoutX);
        row("wrong-letter-with-x-is-a-typo", "gxambro", {"cxambro"}, typo);
        row("wrong-real-letter-is-a-typo",
            "\xf8"
            "ambro",
            {"cxambro"}, typo);

        // Verb endings, tried before the typo that a one-letter ending change also is.
        row("verb-past-for-present", "Kiel vi fartis?", {"Kiel vi fartas?"}, verbEnding);
        row("verb-conditional", "Mi dankus", {"Mi dankas"}, verbEnding);
        row("verb-imperative-for-infinitive", "Pardoni", {"Pardonu!"}, verbEnding);
        row("verb-infinitive-for-present", "Kio esti via nomo?", {"Kio estas via nomo?"}, verbEnding);
        row("pronoun-is-no-verb", "Kiel va fartas?", {"Kiel vi fartas?"}, otherWord);

        // One slip in one word.
        row("typo-changed", "Bonan tagpn", {"Bonan tagon"}, typo);
        row("typo-swapped", "Bonan tgaon", {"Bonan tagon"}, typo);
        row("typo-extra", "Dankkon!", {"Dankon!"}, typo);
        row("typo-missing", "Dakon", {"Dankon!"}, typo);
        row("typo-unmappable-letter",
            "tag\xa5\xc3\xb6"
            "n",
            {"tagon"}, typo);
        row("typo-key-beside-c", "dxambro", {"cxambro"}, typo);
        row("typo-key-for-x", "cyambro", {"cxambro"}, typo);
        row("typo-in-pair-real-letter-accepted", "navx", {"na\xfd"}, typo);
        row("two-typos-one-word", "Bnaan tagon", {"Bonan tagon"}, NoMistake);
        row("two-typos-two-words", "Bonn tagn", {"Bonan tagon"}, NoMistake);

        // Hungarian accents missing, added or another one, also on a capital; tried before the typo.
        row("accents-missing", "Jo ejszakat", {"J\xf3 \xe9jszak\xe1t!"}, accents);
        row("accent-added", "\xe1sztal", {"asztal"}, accents);
        row("accent-another", "k\xf5nyv", {"k\xf6nyv"}, accents);
        row("accent-capital", "Ertem.", {"\xc9rtem."}, accents);
        row("accent-and-letter", "Jo ejszakaa", {"J\xf3 \xe9jszak\xe1t!"}, NoMistake);

        // One letter off in a short word, or into another word: no slip of the finger.
        row("short-word", "Vi legas.", {"Mi legas."}, otherWord);
        row("three-letters", "pri", {"pro"}, otherWord);
        row("word-of-another-accepted-answer", "Mi vidas", {"Mi vivas", "Li vidas"}, otherWord);

        // Word order.
        row("order-two-words", "tagon Bonan!", {"Bonan tagon!"}, wordOrder);
        row("order-sentence", "Mi bone fartas, dankon.", {"Mi fartas bone, dankon."}, wordOrder);
        row("order-real-letters", "vi \xe6u", {"Cxu vi"}, wordOrder);
        row("order-of-a-farther-answer", "kafon Unu, mi petas.",
            {"Unu kafon, mi petas.", "Kafon, mi petas.", "Mi petas kafon."}, wordOrder);
        row("order-of-an-earlier-answer", "Kioma estas horo?", {"Kioma horo estas?", "Kioma estas la horo?"},
            wordOrder);
        row("closest-explained-before-order", "bona tago", {"Bonan tagon", "tago bona"}, accusativeMissing);
        row("order-and-typo", "tagon Bonn", {"Bonan tagon"}, NoMistake);

        // Nothing fits.
        row("other-word", "Saluton", {"Dankon"}, NoMistake);
        row("word-missing", "Bonan", {"Bonan tagon"}, NoMistake);
        row("words-run-together", "Bonatago", {"Bonan tagon"}, NoMistake);
        row("empty", "", {"Dankon"}, NoMistake);
        row("only-punctuation", "?!", {"Dankon"}, NoMistake);
        row("no-accepted-answer", "Dankon", {}, NoMistake);
        row("accepted-only-punctuation", "Dankon", {"", " ! "}, NoMistake);

        // Several accepted answers: the closest one is explained, the first among equals.
        row("closest-second", "Mi dankis", {"Dankon!", "Mi dankas!", "Dankon al vi!"}, verbEnding);
        row("closest-third", "Dankon al vin", {"Dankon!", "Mi dankas!", "Dankon al vi!"}, accusativeExtra);
        row("tie-first-plural", "hundo", {"hundoj", "hundon"}, pluralMissing);
        row("tie-first-accusative", "hundo", {"hundon", "hundoj"}, accusativeMissing);
        row("empty-accepted-skipped", "Dankn", {"", "Dankon"}, typo);
    }
    void namesTheMistake() {
        QFETCH(QByteArray, typed);
        QFETCH(QByteArrayList, accepted);
        QFETCH(int, mistake);
        const std::optional<Explanation> named = explainMistake(bytes(typed), answersOf(accepted));
        QCOMPARE(named ? int(named->mistake) : NoMistake, mistake);
    }

    // The explanation never turns a right answer wrong: what the check accepts is neither explained,
    // measured against another answer, nor marked.
    void rightAnswersAreLeftAlone_data() {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArrayList>("accepted");
        QTest::newRow("exact") << QByteArray("Bonan tagon!") << QByteArrayList{"Bonan tagon!"};
        QTest::newRow("case-blanks-punctuation")
            << QByteArray(" BONAN  tagon ") << QByteArrayList{"Bonan tagon!"};
        QTest::newRow("words-run-together") << QByteArray("Nedankinde") << QByteArrayList{"Ne dankinde!"};
        QTest::newRow("real-letter-typed") << QByteArray("\xe6u") << QByteArrayList{"cxu"};
        QTest::newRow("capital-real-letter") << QByteArray("\xc6U") << QByteArrayList{"cxu"};
        QTest::newRow("x-system-capitals") << QByteArray("CXU") << QByteArrayList{"cxu"};
        QTest::newRow("capital-marker") << QByteArray("cXu") << QByteArrayList{"cxu"};
        QTest::newRow("real-letter-accepted") << QByteArray("cxu") << QByteArrayList{"\xe6u"};
        QTest::newRow("second-accepted") << QByteArray("Sal") << QByteArrayList{"Saluton!", "Sal!"};
        QTest::newRow("later-of-many")
            << QByteArray("Dankon, mi fartas bone.")
            << QByteArrayList{"Mi fartas bone, dankon.", "Bone, dankon.", "Dankon, mi fartas bone."};
    }
    void rightAnswersAreLeftAlone() {
        QFETCH(QByteArray, typed);
        QFETCH(QByteArrayList, accepted);
        const std::vector<std::string> answers = answersOf(accepted);
        QVERIFY(checkedRight(bytes(typed), answers));
        QVERIFY(!explainMistake(bytes(typed), answers));
        QVERIFY(!closestAcceptedAnswer(bytes(typed), answers));
        const AnswerMarks marks = markDifferences(bytes(typed), bytes(accepted.front()), answers);
        QVERIFY(marks.answer.empty());
        QVERIFY(!marks.model);
    }

    void marksWhereTheAnswerDiffers_data() {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArray>("instruction");
        QTest::addColumn<QByteArrayList>("accepted");
        QTest::addColumn<QByteArray>("answerMarks");
        QTest::addColumn<QByteArray>("modelMarks"); // empty: the model answer is not marked
        const auto row = [](const char* tag, const char* typed, const char* instruction,
                            QByteArrayList accepted, const char* answerMarks, const char* modelMarks) {
            QTest::newRow(tag) << QByteArray(typed) << QByteArray(instruction) << accepted
                               << QByteArray(answerMarks) << QByteArray(modelMarks);
        };
        row("missing-accusatives", "Bona tago", "Bonan tagon!", {"Bonan tagon!"}, "Bona_ tago_",
            "Bona[n] tago[n]!");
        row("letter-without-x", "cu vi", "Cxu vi?", {"Cxu vi?"}, "[c]u vi", "[\xc6]u vi?");
        row("caret-for-x", "c^u", "cxu", {"cxu"}, "[c^]u", "_[\xe6]u");
        row("real-letter-typed", "cxu vo", "Cxu vi?", {"Cxu vi?"}, "\xe6u v[o]", "\xc6u v[i]?");
        row("capital-marker-is-one-letter", "cXu vo", "Cxu vi?", {"Cxu vi?"}, "cXu v[o]", "\xc6u v[i]?");
        row("real-letter-stored", "cu", "\xc6u", {"\xc6u"}, "[c]u", "[\xc6]u");
        row("case-and-punctuation-unmarked", "BONAN, TAGO!", "Bonan tagon!", {"Bonan tagon!"},
            "BONAN, TAGO_!", "Bonan tago[n]!");
        row("punctuation-inside-a-range", "xy.z tagon", "abc tagon", {"abc tagon"}, "[xy].[z] tagon",
            "[abc] tagon");
        row("extra-letter", "Dankkon", "Dankon!", {"Dankon!"}, "Dan[k]kon", "Dan_kon!");
        row("swapped-letters", "tgaon", "tagon", {"tagon"}, "t[ga]on", "t[ag]on");
        row("extra-word", "Mi tre dankas", "Mi dankas!", {"Mi dankas!"}, "Mi [tre] dankas", "Mi_ dankas!");
        row("missing-word", "Mi fartas, dankon.", "Mi fartas bone, dankon.",
            {"Mi fartas bone, dankon.", "Bone, dankon."}, "Mi fartas_, dankon.", "Mi fartas [bone], dankon.");
        row("missing-first-word", "tagon", "Bonan tagon", {"Bonan tagon"}, "_tagon", "[Bonan] tagon");
        row("missing-first-letter", "Bonan agon", "Bonan tagon", {"Bonan tagon"}, "Bonan _agon",
            "Bonan [t]agon");
        row("unmappable-letter-is-one", "tag\xa5\xc3\xb6n", "tagon", {"tagon"}, "tag[\xa5\xc3\xb6]n",
            "tag[o]n");
        row("model-not-closest", "Mi dankis", "Dankon!", {"Dankon!", "Mi dankas!"}, "Mi dank[i]s", "");
        row("tie-first-not-model", "hundo", "hundon", {"hundoj", "hundon"}, "hundo_", "");
        row("tie-first-is-model", "hundo", "hundoj", {"hundoj", "hundon"}, "hundo_", "hundo[j]");
        row("model-letters-grouped-otherwise", "ca", "c xu", {"cxu"}, "[ca]", "[c] [xu]");
        row("model-not-accepted", "Dankn", "Dankon", {"Dankon al vi"}, "Dank_n_", "");
        row("model-equal-in-other-words", "Ne dankinda", "Nedankinde!", {"Ne dankinde!"}, "Ne dankind[a]",
            "Nedankind[e]!");
    }
    void marksWhereTheAnswerDiffers() {
        QFETCH(QByteArray, typed);
        QFETCH(QByteArray, instruction);
        QFETCH(QByteArrayList, accepted);
        QFETCH(QByteArray, answerMarks);
        QFETCH(QByteArray, modelMarks);
        const AnswerMarks marks = markDifferences(bytes(typed), bytes(instruction), answersOf(accepted));
        QCOMPARE(rendered(XToLatin3(bytes(typed)), marks.answer), answerMarks);
        QCOMPARE(marks.model.has_value(), !modelMarks.isEmpty());
        if (marks.model) {
            QCOMPARE(rendered(XToLatin3(bytes(instruction)), *marks.model), modelMarks);
        }
    }

    void measuresAgainstTheClosestAnswer_data() {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArrayList>("accepted");
        QTest::addColumn<int>("closest");
        const QByteArrayList thanks{"Dankon!", "Mi dankas!", "Dankon al vi!"};
        QTest::newRow("first") << QByteArray("Dankom") << thanks << 0;
        QTest::newRow("second") << QByteArray("Mi dankis") << thanks << 1;
        QTest::newRow("third") << QByteArray("Dankon al ni") << thanks << 2;
        QTest::newRow("first-of-equals") << QByteArray("abc") << QByteArrayList{"abd", "abe"} << 0;
        QTest::newRow("empty-skipped") << QByteArray("abc") << QByteArrayList{"", "?", "xyz"} << 2;
        QTest::newRow("words-matched-to-words")
            << QByteArray("la kato") << QByteArrayList{"lakat", "la katoj"} << 1;
        QTest::newRow("right-has-none") << QByteArray("Mi dankas") << thanks << -1;
        QTest::newRow("nothing-typed") << QByteArray(" ? ") << thanks << -1;
        QTest::newRow("none-with-letters") << QByteArray("abc") << QByteArrayList{"", "!"} << -1;
        QTest::newRow("longest-measured") << QByteArray(MaxExplainedLetters, 'a') << thanks << 0;
        QTest::newRow("too-long") << QByteArray(MaxExplainedLetters + 1, 'a') << thanks << -1;
    }
    void measuresAgainstTheClosestAnswer() {
        QFETCH(QByteArray, typed);
        QFETCH(QByteArrayList, accepted);
        QFETCH(int, closest);
        const std::optional<std::size_t> found = closestAcceptedAnswer(bytes(typed), answersOf(accepted));
        QCOMPARE(found ? int(*found) : -1, closest);
    }

    // Random slips in real answers: a right result is never explained or marked, a wrong one is always
    // marked somewhere, and no mark leaves the text or falls on what normalising drops.
    void randomAnswersAreMarkedSoundly() {
        const std::vector<std::string> answers{"Bonan tagon!", "Cxu vi fartas bone?", "Mi nomigxas Anna.",
                                               "Gxis la revido!", "\xc6u vi?"};
        std::mt19937 random(1717);
        for (int round = 0; round < 1500; ++round) {
            const std::vector<std::string> accepted{answers[random() % answers.size()],
                                                    answers[random() % answers.size()]};
            const std::string typed = mutated(accepted.front(), random);
            const std::string shown = XToLatin3(typed);
            const AnswerMarks marks = markDifferences(typed, accepted.front(), accepted);
            const bool right = checkedRight(typed, accepted);
            QVERIFY2(!right || (marks.answer.empty() && !marks.model && !explainMistake(typed, accepted)),
                     typed.c_str());
            QVERIFY2(right || !marks.answer.empty() || NormaliseAnswer(typed).empty(), typed.c_str());
            QVERIFY2(inside(shown, marks.answer) && !coversDropped(shown, marks.answer), typed.c_str());
            if (marks.model) {
                const std::string model = XToLatin3(accepted.front());
                QVERIFY2(inside(model, *marks.model) && !coversDropped(model, *marks.model), typed.c_str());
                QVERIFY2(!marks.model->empty(), typed.c_str());
            }
        }
    }

    void explanationsReadAsWritten_data() {
        QTest::addColumn<int>("mistake");
        QTest::addColumn<QString>("text");
        QTest::newRow("accusative-missing")
            << int(Mistake::AccusativeMissing) << QStringLiteral("Hiányzik a tárgyeset -n végződése.");
        QTest::newRow("accusative-extra")
            << int(Mistake::AccusativeExtra) << QStringLiteral("Fölösleges az -n végződés.");
        QTest::newRow("plural-missing")
            << int(Mistake::PluralMissing) << QStringLiteral("Hiányzik a többes szám -j végződése.");
        QTest::newRow("plural-extra")
            << int(Mistake::PluralExtra) << QStringLiteral("Fölösleges a -j végződés.");
        QTest::newRow("without-x") << int(Mistake::LetterWithoutX)
                                   << QStringLiteral(
                                          "Az eszperantó betűt x-szel írd: cx = ĉ, gx = ĝ, hx = ĥ, jx = ĵ, "
                                          "sx = ŝ, ux = ŭ.");
        QTest::newRow("verb-ending") << int(Mistake::VerbEnding)
                                     << QStringLiteral("Rossz az igevégződés: -as jelen, -is múlt, -os jövő, "
                                                       "-us feltételes, -u felszólító, -i főnévi igenév.");
        QTest::newRow("typo") << int(Mistake::Typo) << QStringLiteral("Elgépelés: egy betű eltér.");
        QTest::newRow("word-order") << int(Mistake::WordOrder)
                                    << QStringLiteral("A szavak jók, de más a sorrendjük.");
    }
    void explanationsReadAsWritten() {
        QFETCH(int, mistake);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(mistakeText({static_cast<Mistake>(mistake), {}, {}})), text);
    }

    // A one-letter difference is a slip only in a word of 4 letters or more that no accepted answer of the
    // course holds; otherwise the typed word and the one it replaces are named as written.
    void slipOrAnotherWord_data() {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArrayList>("accepted");
        QTest::addColumn<QByteArrayList>("course"); // content lines
        QTest::addColumn<QString>("text");
        const QString slip = QStringLiteral("Elgépelés: egy betű eltér.");
        const QByteArrayList course{"Demando=\"kuras\"", "Solvo=\"Mi komprenas.\"", "Solvo=\"Li kuras\""};
        QTest::newRow("letters-as-shown") << QByteArray("gxu") << QByteArrayList{"Cxu"} << course
                                          << QStringLiteral("Más szó: „ĝu” helyett „Ĉu”.");
        QTest::newRow("word-of-the-course") << QByteArray("Mi kuras!") << QByteArrayList{"Mi kuiras."}
                                            << course << QStringLiteral("Más szó: „kuras” helyett „kuiras”.");
        QTest::newRow("slip-in-a-long-word")
            << QByteArray("Mi kompremas") << QByteArrayList{"Mi komprenas."} << course << slip;
        QTest::newRow("questions-hold-no-answers") << QByteArray("Mi kuras") << QByteArrayList{"Mi kuiras."}
                                                   << QByteArrayList{course.front()} << slip;
    }
    void slipOrAnotherWord() {
        QFETCH(QByteArray, typed);
        QFETCH(QByteArrayList, accepted);
        QFETCH(QByteArrayList, course);
        const std::optional<Explanation> named =
            explainMistake(bytes(typed), answersOf(accepted), CourseWords(test::linesOf(answersOf(course))));
        QVERIFY(named.has_value());
        QTEST(QString::fromStdString(mistakeText(*named)), "text");
    }
};

QTEST_APPLESS_MAIN(TestAnswerFeedback)
#include "tst_answer_feedback.moc"
