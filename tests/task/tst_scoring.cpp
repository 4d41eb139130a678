#include "byte_text.h"
#include "code_pages.h"
#include "scoring.h"

#include <QtTest>

using namespace kvizaro;
using kvizaro::test::bytes;

namespace {

std::vector<std::string> solutionsOf(const QByteArrayList& list) {
    std::vector<std::string> result;
    for (const QByteArray& solution : list) {
        result.push_back(bytes(solution));
    }
    return result;
}

} // namespace

class TestScoring : public QObject {
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
        QTest::addColumn<QColor>("colour");

        QTest::newRow("one-of-three") << false << 3 << 1 << 3 << 1 << 33 << 100 << QColor(255, 187, 0);
        QTest::newRow("two-of-three") << true << 3 << 1 << 3 << 2 << 66 << 100 << QColor(191, 255, 0);
        QTest::newRow("none-of-one") << false << 1 << 0 << 7 << 0 << 0 << 14 << QColor(255, 55, 0);
        QTest::newRow("one-of-two") << true << 2 << 0 << 7 << 1 << 50 << 28 << QColor(255, 255, 0);
        QTest::newRow("all-right") << true << 6 << 5 << 7 << 6 << 100 << 85 << QColor(55, 255, 0);
        QTest::newRow("last-of-seven") << true << 7 << 6 << 7 << 7 << 100 << 100 << QColor(55, 255, 0);
        QTest::newRow("just-over-half")
            << true << 200 << 101 << 200 << 102 << 51 << 100 << QColor(251, 255, 0);
        QTest::newRow("just-under-half")
            << false << 200 << 99 << 200 << 99 << 49 << 100 << QColor(255, 251, 0);
        QTest::newRow("largest-sheet-first") << true << 1 << 0 << 200 << 1 << 100 << 0 << QColor(55, 255, 0);
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
        QTEST(score.resultColour, "colour");
    }

    void textsReadAsTheSheetShowsThem_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("totals-before-first-answer")
            << totalsText(0, 0) << QStringLiteral("Eddig: 0 kérdés, 0 jó válasz, 0 rossz válasz");
        QTest::newRow("totals-five-three")
            << totalsText(5, 3) << QStringLiteral("Eddig: 5 kérdés, 3 jó válasz, 2 rossz válasz");
        QTest::newRow("totals-largest")
            << totalsText(200, 0) << QStringLiteral("Eddig: 200 kérdés, 0 jó válasz, 200 rossz válasz");
        QTest::newRow("rate") << successRateText(66) << QStringLiteral("Eredményesség: 66 %");
        QTest::newRow("rate-zero") << successRateText(0) << QStringLiteral("Eredményesség: 0 %");
        QTest::newRow("right") << verdictText(true) << QStringLiteral(" Gratulálok, a válasz helyes!");
        QTest::newRow("wrong") << verdictText(false) << QStringLiteral(" Sajnos rosszul válaszoltál!");
    }
    void textsReadAsTheSheetShowsThem() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }
};

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
