#include "adt_cli.h"
#include "test_files.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

using namespace kvizaro;
using kvizaro::test::writeAll;

namespace {

// Questions "Fordítsd le: kutya" (hundo) and "Fordítsd le: szoba" (cxambro, la ĉambro) on sheet "1. Állatok".
const QString Course = QStringLiteral(KVIZARO_TEST_DATA_DIR "/check/clean.txt");
// Sheets alap, malo; the table teaches mal- and ĉi- on malo, "malbon*" on alap and "hejme" on malo.
const QString TaughtCourse = QStringLiteral(KVIZARO_TEST_DATA_DIR "/taught/course.txt");
const QString TaughtTable = QStringLiteral(KVIZARO_TEST_DATA_DIR "/taught/table.tsv");

struct Run {
    int exitCode;
    QByteArray out;
};

Run runAdtOn(const QStringList& arguments) {
    std::vector<std::string> args;
    for (const QString& argument : arguments) {
        args.push_back(argument.toStdString());
    }
    std::ostringstream out;
    std::ostringstream err;
    const int code = runAdt(args, out, err);
    return {code, QByteArray::fromStdString(out.str() + err.str())};
}

} // namespace

class TestAdtAudits : public QObject {
    Q_OBJECT

private slots:
    void tryJudgesAsTheTaskSheet_data() {
        QTest::addColumn<QByteArray>("answers");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArrayList>("reported");
        QTest::newRow("accepted") << QByteArray(
                                         "Fordítsd le: szoba\tcxambro\r\nFordítsd le: kutya\t HUNDO!\n")
                                  << adt_exit::Ok << QByteArrayList{"2 answers, 0 rejected, 0 not found"};
        QTest::newRow("real-letters-typed") << QByteArray("Fordítsd le: szoba\tLa ĉambro.") << adt_exit::Ok
                                            << QByteArrayList{"1 answer, 0 rejected"};
        QTest::newRow("comments-and-empty-lines")
            << QByteArray("\xEF\xBB\xBF# kutya\tkato\n\n  \n") << adt_exit::Ok << QByteArrayList{"0 answers"};
        QTest::newRow("rejected") << QByteArray("Fordítsd le: szoba\tla cxambroj\n")
                                  << adt_exit::ContentProblems
                                  << QByteArrayList{
                                         ":1: rejected: \"la cxambroj\"\n",
                                         "question: \"Fordítsd le: szoba\" on sheet \"1. Állatok\" (a)",
                                         "accepted: \"cxambro\" \"la ĉambro\"\n", "1 rejected"};
        QTest::newRow("question-not-asked")
            << QByteArray("\nFordítsd le: macska\tkato\n") << adt_exit::ContentProblems
            << QByteArrayList{":2: not found: no question reads"};
        QTest::newRow("tab-missing") << QByteArray("Fordítsd le: kutya hundo\n") << adt_exit::ContentProblems
                                     << QByteArrayList{":1: error: expected", "1 malformed line"};
    }
    void tryJudgesAsTheTaskSheet() {
        QFETCH(QByteArray, answers);
        QFETCH(int, exitCode);
        QFETCH(QByteArrayList, reported);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("answers.tsv"));
        writeAll(file, answers);
        const Run result = runAdtOn({QStringLiteral("try"), Course, file});
        QCOMPARE(result.exitCode, exitCode);
        for (const QByteArray& part : reported) {
            QVERIFY2(result.out.contains(part), result.out.constData());
        }
    }

    void tryNamesAFileItCannotRead() {
        const Run result = runAdtOn({QStringLiteral("try"), Course, QStringLiteral("/nonexistent/a.tsv")});
        QCOMPARE(result.exitCode, adt_exit::FileFailure);
        QVERIFY2(result.out.contains("/nonexistent/a.tsv: cannot read:"), result.out.constData());
    }

    // Glossed words, words taught early and words of the teaching sheet itself are not reported.
    void taughtFindsWordsAskedBeforeTheirSheet() {
        const Run result = runAdtOn({QStringLiteral("taught"), TaughtCourse, TaughtTable});
        QCOMPARE(result.exitCode, adt_exit::ContentProblems);
        const QByteArray expected = "alap #1 «Eszperantóul: kicsi»: «malgranda» needs malo (mal-)\n"
                                    "alap #4 «Eszperantóul: mindig»: «cxiam» needs malo (ĉi-)\n"
                                    "alap #5 «Eszperantóul: otthon»: «hejme» needs malo (vocabulary)\n" +
                                    TaughtCourse.toUtf8() +
                                    ": 3 words asked before the sheet that teaches it\n";
        QCOMPARE(result.out, expected);
    }

    void taughtNamesTheRowsItCannotRead_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QByteArray>("error");
        QTest::newRow("unknown-sheet")
            << QByteArray("rule\tnenie\t^mal\tmal-") << QByteArray("opens the sheet nenie");
        QTest::newRow("bad-pattern") << QByteArray("rule\tmalo\t^mal(\tmal-")
                                     << QByteArray("no regular expression");
        QTest::newRow("what-missing") << QByteArray("rule\tmalo\t^mal") << QByteArray("expected \"rule");
        QTest::newRow("unknown-kind") << QByteArray("vorto\tmalo\tbona") << QByteArray("expected \"rule");
        QTest::newRow("no-word") << QByteArray("word\tmalo\tbona mal-bona")
                                 << QByteArray("\"mal-bona\" is no word");
        QTest::newRow("word-twice") << QByteArray("word\tmalo\tbona\nword\talap\tbona")
                                    << QByteArray(":2: error: the word bona is listed twice");
    }
    void taughtNamesTheRowsItCannotRead() {
        QFETCH(QByteArray, table);
        QFETCH(QByteArray, error);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("table.tsv"));
        writeAll(file, table);
        const Run result = runAdtOn({QStringLiteral("taught"), TaughtCourse, file});
        QCOMPARE(result.exitCode, adt_exit::ContentProblems);
        QVERIFY2(result.out.contains(error), result.out.constData());
        QVERIFY2(!result.out.contains("needs"), result.out.constData());
    }
};

QTEST_GUILESS_MAIN(TestAdtAudits)
#include "tst_adt_audits.moc"
