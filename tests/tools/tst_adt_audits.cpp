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
};

QTEST_GUILESS_MAIN(TestAdtAudits)
#include "tst_adt_audits.moc"
