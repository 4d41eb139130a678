// The drill's rules on the model alone: no application object with a display, no widget. The test links the
// drill and the content libraries only.
#include "byte_text.h"
#include "code_pages.h"
#include "content_builder.h"
#include "drill.h"
#include "sheet_content.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace kvizaro;
using namespace kvizaro::test;

Q_DECLARE_METATYPE(kvizaro::DrillState)

namespace {

std::vector<std::string> solutionsOf(const QByteArrayList& list) {
    std::vector<std::string> result;
    for (const QByteArray& solution : list) {
        result.push_back(bytes(solution));
    }
    return result;
}

ContentLines linesFrom(const QByteArrayList& list) {
    return linesOf(solutionsOf(list));
}

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Answers every question right or wrong by the pattern ("r" right, "w" wrong), acknowledging each notice.
void answerByPattern(Drill& drill, const QString& pattern) {
    for (const QChar step : pattern) {
        drill.submitAnswer(step == QLatin1Char('r') ? "ok" : "ne");
        drill.acknowledgeNotice();
    }
}

// A sheet of `count` questions, each accepting "ok".
ContentLines sheetOf(int count) {
    std::vector<std::string> content{"#s"};
    for (int i = 1; i <= count; ++i) {
        content.insert(content.end(), {"[tasko]", "Demando=\"q" + std::to_string(i) + "\"", "Solvo=\"ok\""});
    }
    content.push_back("#");
    return linesOf(content);
}

} // namespace

class TestDrill : public QObject {
    Q_OBJECT

private slots:
    void checkAnswerAcceptsOnlyTheAcceptedAnswers_data() {
        QTest::addColumn<QByteArray>("submitted");
        QTest::addColumn<QByteArrayList>("solutions");
        QTest::addColumn<bool>("right");

        const QByteArrayList domo{"la domo"};
        QTest::newRow("capitals-and-full-stop") << QByteArray("La Domo.") << domo << true;
        QTest::newRow("without-blank") << QByteArray("ladomo") << domo << true;
        QTest::newRow("two-inner-blanks-and-question-mark") << QByteArray("la  domo ?") << domo << true;
        QTest::newRow("accent-differs") << QByteArray("la dom\xF3") << domo << false;
        QTest::newRow("other-word") << QByteArray("la domoj") << domo << false;

        const QByteArrayList cxu{"cxu"};
        QTest::newRow("x-system") << QByteArray("cxu") << cxu << true;
        QTest::newRow("x-system-capital") << QByteArray("Cxu") << cxu << true;
        QTest::newRow("x-system-all-capitals") << QByteArray("CXU") << cxu << true;
        QTest::newRow("real-letter") << QByteArray("\xE6u") << cxu << true;
        QTest::newRow("real-capital-letter") << QByteArray("\xC6u") << cxu << true;
        QTest::newRow("real-letter-in-solution") << QByteArray("cxu") << QByteArrayList{"\xE6u"} << true;
        QTest::newRow("plain-c") << QByteArray("cu") << cxu << false;

        QTest::newRow("empty") << QByteArray() << QByteArrayList{"", "x"} << false;
        QTest::newRow("punctuation-only-against-empty-slot")
            << QByteArray(" ?!") << QByteArrayList{""} << false;
        QTest::newRow("punctuation-only-against-punctuation")
            << QByteArray("?") << QByteArrayList{"!"} << false;
        QTest::newRow("no-solutions") << QByteArray("tri") << QByteArrayList{} << false;
        QTest::newRow("second-of-three")
            << QByteArray("Saluton!") << QByteArrayList{"Bonan tagon", "saluton", "Ho"} << true;
        QTest::newRow("third-of-three")
            << QByteArray("ho") << QByteArrayList{"Bonan tagon", "saluton", "Ho"} << true;

        const QByteArray unmappable = QByteArray::fromStdString(utf8ToDisplayLatin3("tri \u2713"));
        QTest::newRow("unmappable-never-matches-even-itself")
            << unmappable << QByteArrayList{unmappable} << false;

        const QByteArray longAnswer(300, 'a');
        QTest::newRow("long-answer-whole") << longAnswer << QByteArrayList{longAnswer} << true;
        QTest::newRow("long-answer-differs-past-255")
            << longAnswer << QByteArrayList{QByteArray(299, 'a') + 'b'} << false;
    }
    void checkAnswerAcceptsOnlyTheAcceptedAnswers() {
        QFETCH(QByteArray, submitted);
        QFETCH(QByteArrayList, solutions);
        QFETCH(bool, right);
        QCOMPARE(CheckAnswer(bytes(submitted), solutionsOf(solutions)), right);
    }

    void scoreFollowsTheAnswers_data() {
        QTest::addColumn<bool>("right");
        QTest::addColumn<int>("answered");
        QTest::addColumn<int>("rightBefore");
        QTest::addColumn<int>("questionCount");
        QTest::addColumn<int>("rightCount");
        QTest::addColumn<int>("successRate");
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");

        QTest::newRow("one-of-three") << false << 3 << 1 << 3 << 1 << 33 << 100 << 255 << 187;
        QTest::newRow("two-of-three") << true << 3 << 1 << 3 << 2 << 66 << 100 << 191 << 255;
        QTest::newRow("none-of-one") << false << 1 << 0 << 7 << 0 << 0 << 14 << 255 << 55;
        QTest::newRow("one-of-two") << true << 2 << 0 << 7 << 1 << 50 << 28 << 255 << 255;
        QTest::newRow("all-right") << true << 6 << 5 << 7 << 6 << 100 << 85 << 55 << 255;
        QTest::newRow("last-of-seven") << true << 7 << 6 << 7 << 7 << 100 << 100 << 55 << 255;
        QTest::newRow("just-over-half") << true << 200 << 101 << 200 << 102 << 51 << 100 << 251 << 255;
        QTest::newRow("just-under-half") << false << 200 << 99 << 200 << 99 << 49 << 100 << 255 << 251;
        QTest::newRow("largest-sheet-first") << true << 1 << 0 << 200 << 1 << 100 << 0 << 55 << 255;
    }
    void scoreFollowsTheAnswers() {
        QFETCH(bool, right);
        QFETCH(int, answered);
        QFETCH(int, rightBefore);
        QFETCH(int, questionCount);
        const Score score = scoreAnswer(right, std::uint8_t(answered), std::uint8_t(rightBefore),
                                        std::uint8_t(questionCount));
        QTEST(int(score.rightCount), "rightCount");
        QTEST(int(score.successRate), "successRate");
        QTEST(score.progress, "progress");
        QTEST(int(score.resultColour.red), "red");
        QTEST(int(score.resultColour.green), "green");
        QCOMPARE(int(score.resultColour.blue), 0);
    }

    void textsReadAsTheSheetShowsThem_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("totals-before-first-answer")
            << utf8(totalsText(0, 0)) << QStringLiteral("Eddig: 0 kérdés, 0 jó válasz, 0 rossz válasz");
        QTest::newRow("totals-five-three")
            << utf8(totalsText(5, 3)) << QStringLiteral("Eddig: 5 kérdés, 3 jó válasz, 2 rossz válasz");
        QTest::newRow("totals-largest")
            << utf8(totalsText(200, 0)) << QStringLiteral("Eddig: 200 kérdés, 0 jó válasz, 200 rossz válasz");
        QTest::newRow("rate") << utf8(successRateText(66)) << QStringLiteral("Eredményesség: 66 %");
        QTest::newRow("rate-zero") << utf8(successRateText(0)) << QStringLiteral("Eredményesség: 0 %");
        QTest::newRow("right") << utf8(verdictText(true)) << QStringLiteral(" Gratulálok, a válasz helyes!");
        QTest::newRow("wrong") << utf8(verdictText(false)) << QStringLiteral(" Sajnos rosszul válaszoltál!");
        QTest::newRow("end") << utf8(EndMessage) << QStringLiteral("V É G E !");
    }
    void textsReadAsTheSheetShowsThem() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    // After every answer of a three-question sheet: the counters, the state, the question asked next and
    // the feedback of the answer just judged. Notices are acknowledged before the next answer.
    void drillFollowsTheAnswers_data() {
        QTest::addColumn<QByteArrayList>("answers");
        QTest::addColumn<DrillState>("state");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("right");
        QTest::addColumn<QByteArray>("asked");    // the question now asked, as stored
        QTest::addColumn<QByteArray>("answered"); // the question of the last feedback; none: no feedback
        QTest::addColumn<QByteArray>("instruction");
        QTest::addColumn<bool>("lastRight");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("progress");

        QTest::newRow("started") << QByteArrayList{} << DrillState::Asking << 1 << 0
                                 << QByteArray("J\xF3 napot!") << QByteArray() << QByteArray() << false << 0
                                 << 0;
        QTest::newRow("first-right") << QByteArrayList{"saluton"} << DrillState::Asking << 2 << 1
                                     << QByteArray("Hogy vagy?") << QByteArray("J\xF3 napot!")
                                     << QByteArray("Bonan tagon!") << true << 100 << 33;
        QTest::newRow("second-wrong")
            << QByteArrayList{"saluton", "cxu vi"} << DrillState::Notice << 3 << 1 << QByteArray("h\xE1rom")
            << QByteArray("Hogy vagy?") << QByteArray("Cxu vi fartas bone?") << false << 50 << 66;
        QTest::newRow("third-empty") << QByteArrayList{"saluton", "cxu vi", ""} << DrillState::Notice << 3
                                     << 1 << QByteArray("h\xE1rom") << QByteArray("h\xE1rom")
                                     << QByteArray("tri") << false << 33 << 100;
        QTest::newRow("all-right") << QByteArrayList{"Bonan tagon", "CXU VI FARTAS BONE", "Tri."}
                                   << DrillState::Ended << 3 << 3 << QByteArray("h\xE1rom")
                                   << QByteArray("h\xE1rom") << QByteArray("tri") << true << 100 << 100;
        QTest::newRow("real-letters")
            << QByteArrayList{"Saluton!", "\xC6u vi fartas bone?"} << DrillState::Asking << 3 << 2
            << QByteArray("h\xE1rom") << QByteArray("Hogy vagy?") << QByteArray("Cxu vi fartas bone?") << true
            << 100 << 66;
        QTest::newRow("first-wrong") << QByteArrayList{"Szia"} << DrillState::Notice << 2 << 0
                                     << QByteArray("Hogy vagy?") << QByteArray("J\xF3 napot!")
                                     << QByteArray("Bonan tagon!") << false << 0 << 33;
    }
    void drillFollowsTheAnswers() {
        QFETCH(QByteArrayList, answers);
        const ContentLines lines = linesOf(SheetContent);
        Drill drill;
        drill.startSheet("proba", lines);
        for (const QByteArray& answer : answers) {
            drill.acknowledgeNotice();
            QVERIFY(drill.submitAnswer(bytes(answer)));
            QCOMPARE(qbytes(drill.SubmittedAnswer()), answer);
        }
        QTEST(drill.state(), "state");
        QTEST(int(drill.CurrentQuestion()), "current");
        QTEST(int(drill.RightCount()), "right");
        QCOMPARE(int(drill.answeredCount()), int(answers.size()));
        QCOMPARE(int(drill.QuestionCount()), 3);
        QTEST(qbytes(drill.currentQuestionText()), "asked");
        QFETCH(QByteArray, answered);
        QCOMPARE(drill.lastEvaluation().has_value(), !answered.isEmpty());
        if (const std::optional<Evaluation>& evaluation = drill.lastEvaluation()) {
            QCOMPARE(qbytes(evaluation->question), answered);
            QTEST(qbytes(evaluation->instruction), "instruction");
            QCOMPARE(qbytes(evaluation->answer), answers.last());
            QTEST(evaluation->right, "lastRight");
            QTEST(int(evaluation->score.successRate), "rate");
            QTEST(evaluation->score.progress, "progress");
            QCOMPARE(evaluation->score.rightCount, drill.RightCount());
        }
    }

    // A wrong answer carries where it differs (byte ranges and missing points of the shown answer, and of
    // the model answer when it is the closest accepted one) and the explanation; a right one carries
    // nothing. The answers run through the sheet "proba"; the last one is the feedback checked, after its
    // notice is acknowledged.
    void wrongAnswerCarriesItsExplanation_data() {
        QTest::addColumn<QByteArrayList>("answers");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QList<int>>("differing"); // begin, end of each range
        QTest::addColumn<QList<int>>("missing");
        QTest::addColumn<bool>("modelMarked");
        QTest::addColumn<QList<int>>("modelDiffering");
        QTest::addColumn<QString>("explanation");
        QTest::addColumn<DrillState>("state");

        const QString none;
        QTest::newRow("accusative-missing")
            << QByteArrayList{"Bona tago"} << false << QList<int>{} << QList<int>{4, 9} << true
            << QList<int>{4, 5, 10, 11} << QStringLiteral("Hiányzik a tárgyeset -n végződése.")
            << DrillState::Asking;
        QTest::newRow("right-carries-nothing")
            << QByteArrayList{"Bonan tagon"} << true << QList<int>{} << QList<int>{} << false << QList<int>{}
            << none << DrillState::Asking;
        QTest::newRow("right-after-wrong-carries-nothing")
            << QByteArrayList{"Bona tago", "cxu vi fartas bone"} << true << QList<int>{} << QList<int>{}
            << false << QList<int>{} << none << DrillState::Asking;
        QTest::newRow("hat-letter-without-x")
            << QByteArrayList{"saluton", "cu vi fartas bone"} << false << QList<int>{0, 1} << QList<int>{}
            << true << QList<int>{0, 1}
            << QStringLiteral(
                   "Az eszperantó betűt x-szel írd: cx = ĉ, gx = ĝ, hx = ĥ, jx = ĵ, sx = ŝ, ux = ŭ.")
            << DrillState::Asking;
        // The closest accepted answer is not the model answer, which is then left unmarked.
        QTest::newRow("model-not-the-closest")
            << QByteArrayList{"saluton", "Kiel vi farta"} << false << QList<int>{} << QList<int>{13} << false
            << QList<int>{} << QStringLiteral("Elgépelés: egy betű eltér.") << DrillState::Asking;
        QTest::newRow("no-rule-fits")
            << QByteArrayList{"saluton", "cxu vi fartas bone", "xyz"} << false << QList<int>{0, 3}
            << QList<int>{} << true << QList<int>{0, 3} << none << DrillState::Ended;
        QTest::newRow("end-keeps-the-last-wrong")
            << QByteArrayList{"saluton", "cxu vi fartas bone", "tir"} << false << QList<int>{1, 3}
            << QList<int>{} << true << QList<int>{1, 3} << QStringLiteral("Más szó: „tir” helyett „tri”.")
            << DrillState::Ended;
        QTest::newRow("empty-answer-unmarked") << QByteArrayList{""} << false << QList<int>{} << QList<int>{}
                                               << false << QList<int>{} << none << DrillState::Asking;
    }
    void wrongAnswerCarriesItsExplanation() {
        QFETCH(QByteArrayList, answers);
        const ContentLines lines = linesOf(SheetContent);
        Drill drill;
        drill.startSheet("proba", lines);
        for (const QByteArray& answer : answers) {
            QVERIFY(drill.submitAnswer(bytes(answer)));
            drill.acknowledgeNotice();
        }
        QTEST(drill.state(), "state");
        QVERIFY(drill.lastEvaluation().has_value());
        const Evaluation& evaluation = *drill.lastEvaluation();
        QTEST(evaluation.right, "right");
        const auto flat = [](const std::vector<ByteRange>& ranges) {
            QList<int> result;
            for (const ByteRange& range : ranges) {
                result << int(range.begin) << int(range.end);
            }
            return result;
        };
        QList<int> missing;
        for (const std::size_t point : evaluation.marks.answer.missing) {
            missing << int(point);
        }
        QTEST(flat(evaluation.marks.answer.differing), "differing");
        QTEST(missing, "missing");
        QTEST(evaluation.marks.model.has_value(), "modelMarked");
        QTEST(evaluation.marks.model ? flat(evaluation.marks.model->differing) : QList<int>{},
              "modelDiffering");
        QTEST(utf8(explanationText(evaluation)), "explanation");
        QCOMPARE(evaluation.mistake.has_value(), !explanationText(evaluation).empty());
    }

    // A word that another sheet accepts is no slip of the finger, though one letter tells them apart.
    void wordsOfOtherSheetsAreNoSlips() {
        const ContentLines lines{
            "#a",      "[tasko]",       "Solvo=\"Li kuras.\"",    "#b",
            "[tasko]", "Demando=\"?\"", "Instruo=\"Mi kuiras.\"", "Solvo=\"Mi kuiras.\""};
        Drill drill;
        drill.startSheet("b", lines);
        QVERIFY(drill.submitAnswer("Mi kuras"));
        QCOMPARE(utf8(explanationText(*drill.lastEvaluation())),
                 QStringLiteral("Más szó: „kuras” helyett „kuiras”."));
    }

    // Every state and what each input does in it. The actions: s = start the sheet "proba" (three
    // questions), e = start the sheet without questions, r / w = submit a right / wrong answer to whatever
    // is asked, a = acknowledge the notice.
    void transitionsBetweenStates_data() {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<DrillState>("state");
        QTest::addColumn<bool>("ended");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("right");

        QTest::newRow("idle") << QString() << DrillState::Idle << false << 0 << 0;
        QTest::newRow("answer-before-any-sheet-ends") << "w" << DrillState::Ended << true << 0 << 0;
        QTest::newRow("acknowledge-without-notice") << "sa" << DrillState::Asking << false << 1 << 0;
        QTest::newRow("right-asks-on") << "sr" << DrillState::Asking << false << 2 << 1;
        QTest::newRow("wrong-raises-notice") << "sw" << DrillState::Notice << false << 2 << 0;
        QTest::newRow("answer-during-notice-ignored") << "swrr" << DrillState::Notice << false << 2 << 0;
        QTest::newRow("acknowledged-asks-on") << "swa" << DrillState::Asking << false << 2 << 0;
        QTest::newRow("acknowledged-twice") << "swaa" << DrillState::Asking << false << 2 << 0;
        QTest::newRow("right-last-ends") << "srrr" << DrillState::Ended << true << 3 << 3;
        QTest::newRow("wrong-last-notice-before-end") << "srrw" << DrillState::Notice << true << 3 << 2;
        QTest::newRow("wrong-last-acknowledged-ends") << "srrwa" << DrillState::Ended << true << 3 << 2;
        QTest::newRow("answer-after-end-ignored") << "srrrrw" << DrillState::Ended << true << 3 << 3;
        QTest::newRow("empty-sheet-ends-at-once") << "e" << DrillState::Ended << true << 0 << 0;
        QTest::newRow("empty-sheet-ignores-answers") << "ew" << DrillState::Ended << true << 0 << 0;
        QTest::newRow("restart-after-end") << "swarrs" << DrillState::Asking << false << 1 << 0;
        QTest::newRow("restart-during-notice") << "sws" << DrillState::Asking << false << 1 << 0;
        QTest::newRow("restart-mid-sheet") << "srs" << DrillState::Asking << false << 1 << 0;
        QTest::newRow("empty-after-full") << "srre" << DrillState::Ended << true << 0 << 0;
        QTest::newRow("full-after-empty") << "esr" << DrillState::Asking << false << 2 << 1;
    }
    void transitionsBetweenStates() {
        QFETCH(QString, actions);
        const ContentLines lines = linesOf(SheetContent);
        const std::string rightAnswers[] = {"saluton", "kiel vi fartas", "tri"};
        Drill drill;
        for (const QChar action : actions) {
            switch (action.toLatin1()) {
            case 's':
                drill.startSheet("proba", lines);
                break;
            case 'e':
                drill.startSheet("ne-demandoj", lines);
                break;
            case 'r':
                drill.submitAnswer(drill.CurrentQuestion() > 0 ? rightAnswers[drill.CurrentQuestion() - 1]
                                                               : "");
                break;
            case 'w':
                drill.submitAnswer("rossz");
                break;
            default:
                drill.acknowledgeNotice();
                break;
            }
        }
        QTEST(drill.state(), "state");
        QTEST(drill.ended(), "ended");
        QTEST(int(drill.CurrentQuestion()), "current");
        QTEST(int(drill.RightCount()), "right");
    }

    // Rounds of the questions answered wrong, on the sheet "proba". Actions: s = the whole sheet, as the menu
    // starts it; r / w = a right / wrong ("gxi") answer, its notice acknowledged; x = a wrong answer whose
    // notice waits; R = a round of the wrong answers.
    void roundsRepeatTheWrongAnswers_data() {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<DrillState>("state");
        QTest::addColumn<bool>("repeating");
        QTest::addColumn<QList<int>>("round"); // the sheet's items the run asks
        QTest::addColumn<int>("right");
        QTest::addColumn<QStringList>("review");
        using enum DrillState;
        const QList<int> all{0, 1, 2};
        const QString two = QStringLiteral("Hogy vagy? – te: ĝi – helyesen: Ĉu vi fartas bone?");
        const QString three = QStringLiteral("három – te: ĝi – helyesen: tri");
        QTest::newRow("ends") << "srww" << Ended << false << all << 1 << QStringList{two, three};
        QTest::newRow("round-of-two") << "srwwR" << Asking << true << QList<int>{1, 2} << 0 << QStringList();
        QTest::newRow("wrong-again") << "srwwRwr" << Ended << true << QList<int>{1, 2} << 1
                                     << QStringList{two};
        QTest::newRow("round-of-one") << "srwwRwrR" << Asking << true << QList<int>{1} << 0 << QStringList();
        QTest::newRow("none-left") << "srwwRwrRr" << Ended << true << QList<int>{1} << 1 << QStringList();
        QTest::newRow("all-right") << "srrrR" << Ended << false << all << 3 << QStringList();
        QTest::newRow("not-while-asking") << "srwR" << Asking << false << all << 1 << QStringList{two};
        QTest::newRow("not-during-notice")
            << "srwxR" << Notice << false << all << 1 << QStringList{two, three};
        QTest::newRow("menu-starts-whole-sheet") << "srwwRs" << Asking << false << all << 0 << QStringList();
        QTest::newRow("not-before-any-sheet") << "R" << Idle << false << QList<int>{} << 0 << QStringList();
    }
    void roundsRepeatTheWrongAnswers() {
        QFETCH(QString, actions);
        const ContentLines lines = linesOf(SheetContent);
        const std::string rightAnswers[] = {"saluton", "kiel vi fartas", "tri"};
        Drill drill;
        for (const QChar action : actions) {
            if (action == QLatin1Char('s')) {
                drill.startSheet("proba", lines);
            } else if (action == QLatin1Char('R')) {
                drill.startRepeatRound();
            } else {
                const std::size_t asked = drill.roundItems()[drill.CurrentQuestion() - 1U];
                drill.submitAnswer(action == QLatin1Char('r') ? rightAnswers[asked] : "gxi");
                if (action != QLatin1Char('x')) {
                    drill.acknowledgeNotice();
                }
            }
        }
        QTEST(drill.state(), "state");
        QTEST(drill.repeating(), "repeating");
        QTEST(QList<int>(drill.roundItems().begin(), drill.roundItems().end()), "round");
        QTEST(int(drill.RightCount()), "right");
        QStringList review;
        for (const std::string& line : drill.reviewLines()) {
            review << utf8(line);
        }
        QTEST(review, "review");
        QCOMPARE(drill.offersRepeat(), drill.ended() && !review.isEmpty());
    }

    void startBeginsAnew() {
        const ContentLines lines = linesOf(SheetContent);
        Drill drill;
        QCOMPARE(drill.SheetLines(), nullptr);
        QCOMPARE(drill.currentQuestionText(), std::string());
        drill.startSheet("proba", lines);
        drill.submitAnswer("saluton");
        drill.submitAnswer("rossz");
        drill.startSheet("alia", lines);
        QCOMPARE(drill.SheetBlockName(), std::string("alia"));
        QCOMPARE(drill.SheetLines(), &lines);
        QCOMPARE(int(drill.QuestionCount()), 1);
        QCOMPARE(int(drill.RightCount()), 0);
        QVERIFY(!drill.lastEvaluation().has_value());
        // Its question has no "Demando" line: nothing of the earlier sheet is shown instead.
        QCOMPARE(drill.currentQuestionText(), std::string());
        QVERIFY(drill.submitAnswer("nenio"));
        QCOMPARE(drill.lastEvaluation()->question, std::string());
        QCOMPARE(drill.lastEvaluation()->instruction, std::string("nenio"));
        QVERIFY(drill.lastEvaluation()->right);
    }

    void readingFollowsTheBlockRules_data() {
        QTest::addColumn<QByteArrayList>("block");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QByteArray>("firstQuestion");

        QTest::newRow("key-lines-before-first-item")
            << QByteArrayList{"#s", "Demando=\"antau\"", "[tasko]", "Solvo=\"x\""} << 1 << QByteArray();
        QTest::newRow("key-in-small-letters")
            << QByteArrayList{"#s", "[tasko]", "Demando=\"unu\"", "demando=\"du\""} << 1 << QByteArray("unu");
        QTest::newRow("blank-before-equals")
            << QByteArrayList{"#s", "[tasko]", "Demando=\"unu\"", "Demando =\"du\""} << 1
            << QByteArray("unu");
        QTest::newRow("second-demando-counts")
            << QByteArrayList{"#s", "[tasko]", "Demando=\"unu\"", "Demando=\"du\""} << 1 << QByteArray("du");
        QTest::newRow("block-ends-at-next-marker")
            << QByteArrayList{"#s", "[tasko]", "Demando=\"unu\"", "#t", "[tasko]", "[tasko]"} << 1
            << QByteArray("unu");
        QTest::newRow("capital-section-is-no-item")
            << QByteArrayList{"#s", "[tasko]", "Demando=\"unu\"", "[Tasko]", "Demando=\"du\""} << 1
            << QByteArray("du");
        QTest::newRow("block-name-case-differs")
            << QByteArrayList{"#S", "[tasko]", "Demando=\"unu\""} << 0 << QByteArray();
        QTest::newRow("no-block") << QByteArrayList{"#t", "[tasko]"} << 0 << QByteArray();
        QTest::newRow("no-lines") << QByteArrayList{} << 0 << QByteArray();
        QTest::newRow("lines-end-without-marker")
            << QByteArrayList{"#s", "[tasko]", "", "[tasko]", "Demando=\"unu\""} << 2 << QByteArray();
        QTest::newRow("first-of-two-blocks")
            << QByteArrayList{"#s", "[tasko]", "#s", "[tasko]", "[tasko]"} << 1 << QByteArray();
    }
    void readingFollowsTheBlockRules() {
        QFETCH(QByteArrayList, block);
        QFETCH(int, questions);
        const ContentLines lines = linesFrom(block);
        Drill drill;
        drill.startSheet("s", lines);
        QCOMPARE(int(drill.QuestionCount()), questions);
        QCOMPARE(drill.state(), questions > 0 ? DrillState::Asking : DrillState::Ended);
        QCOMPARE(int(drill.CurrentQuestion()), questions > 0 ? 1 : 0);
        QTEST(qbytes(drill.currentQuestionText()), "firstQuestion");
    }

    // Sheets at and past the size the counters hold: every question is asked once, in file order, and the
    // counters and figures reach their end exactly with the last answer.
    void questionsAreAskedInFileOrderToTheLast_data() {
        QTest::addColumn<int>("inFile");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("progressAfterFirst");
        QTest::newRow("one") << 1 << 1 << 100;
        QTest::newRow("two") << 2 << 2 << 50;
        QTest::newRow("seven") << 7 << 7 << 14;
        QTest::newRow("largest") << 200 << 200 << 0;
        QTest::newRow("past-largest") << 230 << 200 << 0;
    }
    void questionsAreAskedInFileOrderToTheLast() {
        QFETCH(int, inFile);
        QFETCH(int, asked);
        const ContentLines lines = sheetOf(inFile);
        Drill drill;
        drill.startSheet("s", lines);
        QCOMPARE(int(drill.QuestionCount()), asked);
        for (int question = 1; question <= asked; ++question) {
            QCOMPARE(drill.state(), DrillState::Asking);
            QCOMPARE(drill.currentQuestionText(), "q" + std::to_string(question));
            drill.submitAnswer(question % 2 == 0 ? "ok" : "ne");
            drill.acknowledgeNotice();
            if (question == 1) {
                QTEST(drill.lastEvaluation()->score.progress, "progressAfterFirst");
            }
        }
        QCOMPARE(drill.state(), DrillState::Ended);
        QCOMPARE(int(drill.CurrentQuestion()), asked);
        QCOMPARE(int(drill.RightCount()), asked / 2);
        QCOMPARE(drill.lastEvaluation()->score.progress, 100);
        QCOMPARE(drill.currentQuestionText(), "q" + std::to_string(asked));
    }

    // The figures of the last answer follow the whole run of answers, not just the last one.
    void figuresFollowTheRun_data() {
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<QString>("totals");

        QTest::newRow("1-of-3") << 3 << "rww" << 33 << 100 << 255 << 187
                                << "Eddig: 3 kérdés, 1 jó válasz, 2 rossz válasz";
        QTest::newRow("2-of-3") << 3 << "wrr" << 66 << 100 << 191 << 255
                                << "Eddig: 3 kérdés, 2 jó válasz, 1 rossz válasz";
        QTest::newRow("0-of-1") << 7 << "w" << 0 << 14 << 255 << 55
                                << "Eddig: 1 kérdés, 0 jó válasz, 1 rossz válasz";
        QTest::newRow("1-of-2") << 7 << "wr" << 50 << 28 << 255 << 255
                                << "Eddig: 2 kérdés, 1 jó válasz, 1 rossz válasz";
        QTest::newRow("3-of-5") << 7 << "rwrwr" << 60 << 71 << 215 << 255
                                << "Eddig: 5 kérdés, 3 jó válasz, 2 rossz válasz";
        QTest::newRow("6-of-6") << 7 << "rrrrrr" << 100 << 85 << 55 << 255
                                << "Eddig: 6 kérdés, 6 jó válasz, 0 rossz válasz";
        QTest::newRow("7-of-7") << 7 << "rrrrrrr" << 100 << 100 << 55 << 255
                                << "Eddig: 7 kérdés, 7 jó válasz, 0 rossz válasz";
    }
    void figuresFollowTheRun() {
        QFETCH(int, questions);
        QFETCH(QString, pattern);
        const ContentLines lines = sheetOf(questions);
        Drill drill;
        drill.startSheet("s", lines);
        answerByPattern(drill, pattern);
        const Score& score = drill.lastEvaluation()->score;
        QTEST(int(score.successRate), "rate");
        QTEST(score.progress, "progress");
        QTEST(int(score.resultColour.red), "red");
        QTEST(int(score.resultColour.green), "green");
        QTEST(utf8(totalsText(drill.answeredCount(), drill.RightCount())), "totals");
    }

    // Answers at the limits of what the box lets through, judged against a question that accepts "cxu".
    void answersAtTheLimits_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("right");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("blanks-and-punctuation") << QByteArray(" ,.:;?!") << false;
        QTest::newRow("x-system") << QByteArray("Cxu?") << true;
        QTest::newRow("latin-3") << QByteArray("\xE6u") << true;
        QTest::newRow("255-bytes") << QByteArray(255, 'a') << false;
        QTest::newRow("40000-bytes") << QByteArray(40000, 'a') << false;
        QTest::newRow("answer-after-many-blanks") << QByteArray(300, ' ') + "cxu" << true;
        QTest::newRow("nul-byte") << QByteArray("cx\0u", 4) << false;
    }
    void answersAtTheLimits() {
        QFETCH(QByteArray, answer);
        const ContentLines lines = linesOf({"#s", "[tasko]", "Demando=\"q\"", "Solvo=\"cxu\"", "#"});
        Drill drill;
        drill.startSheet("s", lines);
        QVERIFY(drill.submitAnswer(bytes(answer)));
        QTEST(drill.lastEvaluation()->right, "right");
        QCOMPARE(qbytes(drill.lastEvaluation()->answer), answer);
        QTEST(drill.RightCount() == 1, "right");
        QFETCH(bool, right);
        QCOMPARE(drill.state(), right ? DrillState::Ended : DrillState::Notice);
    }

    void longAcceptedAnswerComparedWhole() {
        const std::string solution(40000, 'a');
        const ContentLines lines =
            linesOf({"#longa", "[tasko]", "Demando=\"q\"", "Instruo=\"a\"", "Solvo=\"" + solution + "\"",
                     "[tasko]", "Solvo=\"" + solution + "\"", "#"});
        Drill drill;
        drill.startSheet("longa", lines);
        drill.submitAnswer(std::string(39999, 'a') + "b");
        QCOMPARE(int(drill.RightCount()), 0);
        drill.acknowledgeNotice();
        drill.submitAnswer(solution);
        QCOMPARE(int(drill.RightCount()), 1);
    }

    // Any order of inputs keeps 0 <= RightCount <= CurrentQuestion <= QuestionCount <= 200, and the state
    // agrees with the counters.
    void randomInputsKeepTheCountersInOrder() {
        std::vector<std::string> content{"#kurta",       "[tasko]",   "Solvo=\"unu\"", "[tasko]",
                                         "Solvo=\"du\"", "#malplena", "#granda"};
        for (int i = 0; i < 230; ++i) {
            content.insert(content.end(), {"[tasko]", "Solvo=\"" + std::to_string(i % 7) + "\""});
        }
        const ContentLines lines = linesOf(content);
        const char* const sheets[] = {"kurta", "malplena", "granda", "nenia"};
        const std::string answers[] = {"", "unu", "du", "3", " ?!", std::string(300, 'x')};
        QRandomGenerator random(20240611);
        Drill drill;
        int ended = 0;
        int notices = 0;
        int furthest = 0;
        for (int step = 0; step < 200000; ++step) {
            const quint32 choice = random.bounded(100U);
            if (choice == 0) {
                drill.startSheet(sheets[random.bounded(4U)], lines);
            } else if (choice < 70) {
                drill.submitAnswer(answers[random.bounded(6U)]);
            } else {
                drill.acknowledgeNotice();
            }
            const int right = drill.RightCount();
            const int current = drill.CurrentQuestion();
            const int count = drill.QuestionCount();
            if (!(right <= drill.answeredCount() && right <= current && current <= count && count <= 200)) {
                QFAIL(qPrintable(QStringLiteral("step %1: %2 right, question %3 of %4")
                                     .arg(step)
                                     .arg(right)
                                     .arg(current)
                                     .arg(count)));
            }
            QCOMPARE(drill.state() == DrillState::Ended,
                     drill.ended() && drill.state() != DrillState::Notice);
            if (drill.state() == DrillState::Asking) {
                QVERIFY(current >= 1 && !drill.ended());
            }
            ended += drill.state() == DrillState::Ended ? 1 : 0;
            notices += drill.state() == DrillState::Notice ? 1 : 0;
            furthest = std::max(furthest, current);
        }
        QVERIFY(ended > 0);
        QVERIFY(notices > 0);
        QVERIFY(furthest > 100);
    }
};

QTEST_GUILESS_MAIN(TestDrill)
#include "tst_drill.moc"
