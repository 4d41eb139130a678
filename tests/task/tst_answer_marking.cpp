// The marking of the answer panels: byte marks of the shown answer placed on the characters of the panel's
// caption, and the marking told in words for screen readers.
#include "answer_marking.h"
#include "caption_marks.h"
#include "code_pages.h"

#include <QtTest>

using namespace kvizaro;
using namespace kvizaro::test;

namespace {

TextMarks textMarks(const QList<int>& differing, const QList<int>& missing) {
    TextMarks marks;
    for (qsizetype i = 0; i + 1 < differing.size(); i += 2) {
        marks.differing.push_back({std::size_t(differing[i]), std::size_t(differing[i + 1])});
    }
    for (const int point : missing) {
        marks.missing.push_back(std::size_t(point));
    }
    return marks;
}

} // namespace

class TestAnswerMarking : public QObject {
    Q_OBJECT

private slots:
    // Offsets count bytes of the shown text; the caption counts characters, behind its leading blank. An
    // Esperanto letter is one byte there, a character without a byte its escape and UTF-8 form.
    void marksLandOnTheCaptionsCharacters_data() {
        QTest::addColumn<QByteArray>("shown");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("differing");
        QTest::addColumn<QList<int>>("missing");
        QTest::addColumn<QList<int>>("placedDiffering");
        QTest::addColumn<QList<int>>("placedMissing");

        QTest::newRow("behind-the-blank") << QByteArray("Bona tago") << 1 << QList<int>{} << QList<int>{4, 9}
                                          << QList<int>{} << QList<int>{5, 10};
        QTest::newRow("without-prefix") << QByteArray("Bona tago") << 0 << QList<int>{0, 2} << QList<int>{9}
                                        << QList<int>{0, 2} << QList<int>{9};
        QTest::newRow("after-hat-letter") << QByteArray("\xE6u vi") << 1 << QList<int>{0, 1, 3, 5}
                                          << QList<int>{} << QList<int>{1, 2, 4, 6} << QList<int>{};
        QTest::newRow("double-acute-letter") << QByteArray("t\xF5 a") << 1 << QList<int>{3, 4}
                                             << QList<int>{1} << QList<int>{4, 5} << QList<int>{2};
        QTest::newRow("after-escaped-character")
            << QByteArray::fromStdString(utf8ToDisplayLatin3("\u2713 tri")) << 1 << QList<int>{5, 8}
            << QList<int>{8} << QList<int>{3, 6} << QList<int>{6};
        QTest::newRow("escaped-character-marked")
            << QByteArray::fromStdString(utf8ToDisplayLatin3("a\u2713b")) << 1 << QList<int>{1, 5}
            << QList<int>{} << QList<int>{2, 3} << QList<int>{};
        QTest::newRow("character-of-two-positions")
            << QByteArray::fromStdString(utf8ToDisplayLatin3("\U0001F600a")) << 1 << QList<int>{5, 6}
            << QList<int>{0} << QList<int>{3, 4} << QList<int>{1};
        QTest::newRow("missing-at-the-end")
            << QByteArray("tri") << 1 << QList<int>{} << QList<int>{3} << QList<int>{} << QList<int>{4};
        QTest::newRow("past-the-end-held-at-the-end") << QByteArray("tri") << 1 << QList<int>{2, 9}
                                                      << QList<int>{7} << QList<int>{3, 4} << QList<int>{4};
    }
    void marksLandOnTheCaptionsCharacters() {
        QFETCH(QByteArray, shown);
        QFETCH(int, start);
        QFETCH(QList<int>, differing);
        QFETCH(QList<int>, missing);
        QFETCH(QList<int>, placedDiffering);
        QFETCH(QList<int>, placedMissing);
        const CaptionMarks placed =
            captionMarks(textMarks(differing, missing), shown.toStdString(), qsizetype(start));
        QCOMPARE(placed, captionMarksOf(placedDiffering, placedMissing));
    }

    void descriptionTellsTheMarking_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QList<int>>("differing");
        QTest::addColumn<QList<int>>("missing");
        QTest::addColumn<QString>("description");

        QTest::newRow("unmarked") << QStringLiteral(" Bona tago") << QList<int>{} << QList<int>{}
                                  << QString();
        QTest::newRow("endings-missing") << QStringLiteral(" Bona tago") << QList<int>{} << QList<int>{5, 10}
                                         << QStringLiteral("Hiányzik valami: „Bona” után, „tago” után.");
        QTest::newRow("letters-differ") << QStringLiteral(" ĉu vi farts") << QList<int>{1, 2, 9, 11}
                                        << QList<int>{} << QStringLiteral("Eltér: „ĉ”, „rt”.");
        QTest::newRow("both") << QStringLiteral(" tir vi") << QList<int>{2, 4} << QList<int>{4}
                              << QStringLiteral("Eltér: „ir”. Hiányzik valami: „tir” után.");
        QTest::newRow("inside-a-word") << QStringLiteral(" tgo") << QList<int>{} << QList<int>{2}
                                       << QStringLiteral("Hiányzik valami: „t” után.");
        QTest::newRow("word-missing-at-the-start")
            << QStringLiteral(" vi fartas") << QList<int>{} << QList<int>{1}
            << QStringLiteral("Hiányzik valami: „vi” előtt.");
        QTest::newRow("point-past-the-end") << QStringLiteral(" a") << QList<int>{} << QList<int>{5}
                                            << QStringLiteral("Hiányzik valami: „a” után.");
        QTest::newRow("nothing-around") << QStringLiteral(" ") << QList<int>{} << QList<int>{1}
                                        << QStringLiteral("Hiányzik valami: a végén.");
    }
    void descriptionTellsTheMarking() {
        QFETCH(QString, caption);
        QFETCH(QList<int>, differing);
        QFETCH(QList<int>, missing);
        QTEST(marksDescription(caption, captionMarksOf(differing, missing)), "description");
    }
};

QTEST_GUILESS_MAIN(TestAnswerMarking)
#include "tst_answer_marking.moc"
