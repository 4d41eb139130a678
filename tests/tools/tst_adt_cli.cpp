#include "adt_cli.h"
#include "adt_codec.h"
#include "byte_text.h"
#include "content_file.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>
#include <sys/stat.h>

using namespace kvizaro;
using kvizaro::test::bytes;
using kvizaro::test::qbytes;

using kvizaro::test::readAll;
using kvizaro::test::writeAll;

namespace {

struct Run {
    int exitCode;
    QByteArray out;
    QByteArray err;
};

QString lesson(const char* name) {
    return QStringLiteral(KVIZARO_TEST_DATA_DIR "/check/") + QString::fromLatin1(name) +
           QStringLiteral(".txt");
}

// Sheets alap, malo; the table teaches mal- and ĉi- on malo, "malbon*" on alap and "hejme" on malo.
const QString TaughtCourse = QStringLiteral(KVIZARO_TEST_DATA_DIR "/taught/course.txt");

} // namespace

class TestAdtCli : public QObject {
    Q_OBJECT

public:
    // Arguments name files by placeholders: {dir} is a fresh temporary folder holding clean.adt (a clean
    // stored file), dirty.adt (one with an error), advised.adt (one with warnings only), bad.txt (a source
    // that cannot be stored).
    Run run(const QStringList& arguments) {
        std::vector<std::string> args;
        for (QString argument : arguments) {
            args.push_back(argument.replace(QStringLiteral("{dir}"), dir_->path()).toStdString());
        }
        std::ostringstream out;
        std::ostringstream err;
        const int code = runAdt(args, out, err);
        return {code, qbytes(out.str()), qbytes(err.str())};
    }

private slots:
    void init() {
        dir_.emplace();
        QVERIFY(dir_->isValid());
        writeAll(dir_->filePath(QStringLiteral("clean.adt")),
                 qbytes(encodeSource(bytes(readAll(lesson("clean")))).stored));
        writeAll(dir_->filePath(QStringLiteral("dirty.adt")),
                 qbytes(encodeSource(bytes(readAll(lesson("model_answer_not_accepted")))).stored));
        writeAll(dir_->filePath(QStringLiteral("advised.adt")),
                 qbytes(encodeSource(bytes(readAll(lesson("few_entries")))).stored));
        writeAll(dir_->filePath(QStringLiteral("bad.txt")), QByteArray("#Menuo\nć\n"));
        QCOMPARE(::mkfifo(qPrintable(dir_->filePath(QStringLiteral("pipe"))), 0600), 0);
    }

    void exitCodesTellTheOutcome_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        const QString clean = QStringLiteral("{dir}/clean.adt");
        const QString missing = QStringLiteral("{dir}/missing");
        QTest::newRow("no-arguments") << QStringList{} << adt_exit::Usage;
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << adt_exit::Ok;
        QTest::newRow("unknown-command") << QStringList{QStringLiteral("frob")} << adt_exit::Usage;
        QTest::newRow("encode-one-argument")
            << QStringList{QStringLiteral("encode"), clean} << adt_exit::Usage;
        QTest::newRow("check-two-arguments")
            << QStringList{QStringLiteral("check"), clean, clean} << adt_exit::Usage;
        QTest::newRow("check-clean") << QStringList{QStringLiteral("check"), clean} << adt_exit::Ok;
        QTest::newRow("check-findings")
            << QStringList{QStringLiteral("check"), QStringLiteral("{dir}/dirty.adt")}
            << adt_exit::ContentProblems;
        QTest::newRow("check-warnings-only")
            << QStringList{QStringLiteral("check"), QStringLiteral("{dir}/advised.adt")} << adt_exit::Ok;
        QTest::newRow("check-missing")
            << QStringList{QStringLiteral("check"), missing} << adt_exit::FileFailure;
        QTest::newRow("check-folder")
            << QStringList{QStringLiteral("check"), QStringLiteral("{dir}")} << adt_exit::FileFailure;
        QTest::newRow("encode-good") << QStringList{QStringLiteral("encode"), lesson("clean"),
                                                    QStringLiteral("{dir}/out.adt")}
                                     << adt_exit::Ok;
        QTest::newRow("encode-bad-source")
            << QStringList{QStringLiteral("encode"), QStringLiteral("{dir}/bad.txt"),
                           QStringLiteral("{dir}/o")}
            << adt_exit::ContentProblems;
        QTest::newRow("encode-missing-source")
            << QStringList{QStringLiteral("encode"), missing, QStringLiteral("{dir}/o")}
            << adt_exit::FileFailure;
        QTest::newRow("encode-onto-folder")
            << QStringList{QStringLiteral("encode"), lesson("clean"), QStringLiteral("{dir}")}
            << adt_exit::FileFailure;
        QTest::newRow("encode-into-missing-folder")
            << QStringList{QStringLiteral("encode"), lesson("clean"), QStringLiteral("{dir}/no/such/o")}
            << adt_exit::FileFailure;
        QTest::newRow("decode-to-stdout") << QStringList{QStringLiteral("decode"), clean} << adt_exit::Ok;
        QTest::newRow("decode-missing")
            << QStringList{QStringLiteral("decode"), missing} << adt_exit::FileFailure;
        QTest::newRow("check-source")
            << QStringList{QStringLiteral("check"), lesson("clean")} << adt_exit::Ok;
        QTest::newRow("check-bad-source")
            << QStringList{QStringLiteral("check"), QStringLiteral("{dir}/bad.txt")}
            << adt_exit::ContentProblems;
        // Neither may block or read without end: both are refused before anything is read.
        QTest::newRow("check-pipe") << QStringList{QStringLiteral("check"), QStringLiteral("{dir}/pipe")}
                                    << adt_exit::FileFailure;
        QTest::newRow("check-device")
            << QStringList{QStringLiteral("check"), QStringLiteral("/dev/zero")} << adt_exit::FileFailure;
        QTest::newRow("export-pipe") << QStringList{QStringLiteral("export"), QStringLiteral("csv"),
                                                    QStringLiteral("{dir}/pipe"), QStringLiteral("{dir}/o")}
                                     << adt_exit::FileFailure;
        QTest::newRow("import-pipe") << QStringList{QStringLiteral("import"), QStringLiteral("csv"),
                                                    QStringLiteral("{dir}/pipe"), QStringLiteral("{dir}/o")}
                                     << adt_exit::FileFailure;
    }
    void exitCodesTellTheOutcome() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QCOMPARE(run(arguments).exitCode, exitCode);
    }

    void failedEncodeLeavesTheTargetUntouched() {
        const QString target = dir_->filePath(QStringLiteral("enhavo.adt"));
        writeAll(target, "previous");
        const Run result = run({QStringLiteral("encode"), QStringLiteral("{dir}/bad.txt"), target});
        QCOMPARE(result.exitCode, adt_exit::ContentProblems);
        QVERIFY2(result.err.contains("bad.txt:2:1: error:"), result.err.constData());
        QCOMPARE(readAll(target), QByteArray("previous"));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 5); // nothing left half-written
    }

    void encodeThenDecodeGivesTheSourceBack() {
        const QString stored = dir_->filePath(QStringLiteral("round.adt"));
        const QString back = dir_->filePath(QStringLiteral("round.txt"));
        QCOMPARE(run({QStringLiteral("encode"), lesson("clean"), stored}).exitCode, adt_exit::Ok);
        QCOMPARE(run({QStringLiteral("decode"), stored, back}).exitCode, adt_exit::Ok);
        QCOMPARE(readAll(back), readAll(lesson("clean")));
        QCOMPARE(run({QStringLiteral("decode"), stored}).out, readAll(lesson("clean")));
    }

    // The real program on a full device: what it could not write must not pass for success.
    void fullStandardOutputFails_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("help") << QStringList{QStringLiteral("--help")};
        QTest::newRow("check") << QStringList{QStringLiteral("check"), QStringLiteral("{dir}/clean.adt")};
        QTest::newRow("decode") << QStringList{QStringLiteral("decode"), QStringLiteral("{dir}/clean.adt")};
    }
    void fullStandardOutputFails() {
        QFETCH(QStringList, arguments);
        if (!QFileInfo::exists(QStringLiteral("/dev/full"))) {
            QSKIP("no /dev/full here");
        }
        arguments.replaceInStrings(QStringLiteral("{dir}"), dir_->path());
        QProcess adt;
        adt.setStandardOutputFile(QStringLiteral("/dev/full"));
        adt.start(QStringLiteral(KVIZARO_ADT), arguments);
        QVERIFY(adt.waitForFinished());
        QCOMPARE(adt.exitStatus(), QProcess::NormalExit);
        QCOMPARE(adt.exitCode(), adt_exit::FileFailure);
        const QByteArray err = adt.readAllStandardError();
        QVERIFY2(err.contains("cannot write the output: No space left on device"), err.constData());
    }

    // Each finding as "file:line: error:" or "file:line: warning:", as compilers write them, then the count.
    void checkNamesFileLineAndKind_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("summary");
        QTest::newRow("error") << "dirty.adt" << QByteArray("dirty.adt:16: error: the model answer")
                               << QByteArray("dirty.adt: 1 error, 0 warnings\n");
        QTest::newRow("warning") << "advised.adt" << QByteArray("advised.adt:1: warning: the menu has 2")
                                 << QByteArray("advised.adt: 0 errors, 1 warning\n");
        QTest::newRow("nothing") << "clean.adt" << QByteArray("clean.adt: no findings\n")
                                 << QByteArray("clean.adt: no findings\n");
    }
    void checkNamesFileLineAndKind() {
        QFETCH(QString, file);
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, summary);
        const Run result = run({QStringLiteral("check"), QStringLiteral("{dir}/") + file});
        const QByteArray folder = dir_->path().toUtf8() + '/';
        QVERIFY2(result.out.startsWith(folder + first), result.out.constData());
        QVERIFY2(result.out.endsWith(folder + summary), result.out.constData());
    }

    // Given the other kind of content file, a command says so in one line, not in one line per byte.
    void wrongKindIsRefusedInOneLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("says");
        QTest::newRow("encode-stored")
            << QStringList{QStringLiteral("encode"), QStringLiteral("{dir}/clean.adt"),
                           QStringLiteral("{dir}/o")}
            << QByteArray("clean.adt: is already stored");
        QTest::newRow("decode-source") << QStringList{QStringLiteral("decode"), lesson("clean")}
                                       << QByteArray("clean.txt: is a lesson source");
    }
    void wrongKindIsRefusedInOneLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, says);
        const Run result = run(arguments);
        QCOMPARE(result.exitCode, adt_exit::ContentProblems);
        QCOMPARE(result.err.count('\n'), 1);
        QVERIFY2(result.err.contains(says), result.err.constData());
        QVERIFY(result.out.isEmpty());
    }

    // The output's name says which kind it gets; both open in the program with the same lines.
    void importWritesTheKindTheNameAsks_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("stored");
        QTest::newRow("adt") << "lecke.adt" << true;
        QTest::newRow("adt-capitals") << "LECKE.ADT" << true;
        QTest::newRow("txt") << "lecke.txt" << false;
        QTest::newRow("no-extension") << "lecke" << false;
    }
    void importWritesTheKindTheNameAsks() {
        QFETCH(QString, name);
        QFETCH(bool, stored);
        const QString out = dir_->filePath(name);
        writeAll(dir_->filePath(QStringLiteral("in")), "sheet,question,answer\nA,kés,tranĉilo\n");
        QCOMPARE(
            run({QStringLiteral("import"), QStringLiteral("csv"), QStringLiteral("{dir}/in"), out}).exitCode,
            adt_exit::Ok);
        QCOMPARE(contentKindOf(bytes(readAll(out))) == ContentKind::Stored, stored);
        const LoadResult loaded = LoadContent(out.toStdString());
        QVERIFY(!loaded.error);
        QVERIFY(FindBlock(loaded.lines, "Menuo"));
    }

    // "try" judges answers as the task sheet does, against lesson("clean"): questions "Fordítsd le: kutya"
    // (hundo) and "Fordítsd le: szoba" (cxambro, la ĉambro) on sheet "1. Állatok". "taught" names a table
    // row it cannot read, and then judges no word.
    void auditsReport_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("input"); // the answers or the table; null: no such file
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArrayList>("reported");
        const auto row = [](const char* name, const char* command, const QByteArray& input, int exitCode,
                            const QByteArrayList& reported) {
            QTest::newRow(name) << QString::fromLatin1(command) << input << exitCode << reported;
        };
        const int problems = adt_exit::ContentProblems;
        row("accepted", "try", "Fordítsd le: szoba\tcxambro\r\nFordítsd le: kutya\t HUNDO!\n", adt_exit::Ok,
            {"2 answers, 0 rejected, 0 not found"});
        row("real-letters-typed", "try", "Fordítsd le: szoba\tLa ĉambro.", adt_exit::Ok,
            {"1 answer, 0 rejected"});
        row("comments-and-empty-lines", "try", "\xEF\xBB\xBF# kutya\tkato\n\n  \n", adt_exit::Ok,
            {"0 answers"});
        row("rejected", "try", "Fordítsd le: szoba\tla cxambroj\n", problems,
            {":1: rejected: \"la cxambroj\"\n",
             "question: \"Fordítsd le: szoba\" on sheet \"1. Állatok\" (a)",
             "accepted: \"cxambro\" \"la ĉambro\"\n", "1 rejected"});
        row("question-not-asked", "try", "\nFordítsd le: macska\tkato\n", problems,
            {":2: not found: no question reads"});
        row("tab-missing", "try", "Fordítsd le: kutya hundo\n", problems,
            {":1: error: expected", "1 malformed line"});
        row("answers-unreadable", "try", QByteArray(), adt_exit::FileFailure, {"/in: cannot read:"});
        row("unknown-sheet", "taught", "rule\tnenie\t^mal\tmal-", problems, {"opens the sheet nenie"});
        row("bad-pattern", "taught", "rule\tmalo\t^mal(\tmal-", problems, {"no regular expression"});
        row("what-missing", "taught", "rule\tmalo\t^mal", problems, {"expected \"rule"});
        row("unknown-kind", "taught", "vorto\tmalo\tbona", problems, {"expected \"rule"});
        row("no-word", "taught", "word\tmalo\tbona mal-bona", problems, {"\"mal-bona\" is no word"});
        row("word-twice", "taught", "word\tmalo\tbona\nword\talap\tbona", problems,
            {":2: error: the word bona is listed twice"});
    }
    void auditsReport() {
        QFETCH(QString, command);
        QFETCH(QByteArray, input);
        QFETCH(QByteArrayList, reported);
        if (!input.isNull()) {
            writeAll(dir_->filePath(QStringLiteral("in")), input);
        }
        const QString course = command == QLatin1String("try") ? lesson("clean") : TaughtCourse;
        const Run result = run({command, course, QStringLiteral("{dir}/in")});
        const QByteArray said = result.out + result.err;
        QTEST(result.exitCode, "exitCode");
        for (const QByteArray& part : reported) {
            QVERIFY2(said.contains(part), said.constData());
        }
        QVERIFY2(!said.contains("needs"), said.constData());
    }

    // Glossed words, words taught early and words of the teaching sheet itself are not reported.
    void taughtFindsWordsAskedBeforeTheirSheet() {
        const Run result = run({QStringLiteral("taught"), TaughtCourse,
                                QStringLiteral(KVIZARO_TEST_DATA_DIR "/taught/table.tsv")});
        QCOMPARE(result.exitCode, adt_exit::ContentProblems);
        const QByteArray expected = "alap #1 «Eszperantóul: kicsi»: «malgranda» needs malo (mal-)\n"
                                    "alap #4 «Eszperantóul: mindig»: «cxiam» needs malo (ĉi-)\n"
                                    "alap #5 «Eszperantóul: otthon»: «hejme» needs malo (vocabulary)\n" +
                                    TaughtCourse.toUtf8() +
                                    ": 3 words asked before the sheet that teaches it\n";
        QCOMPARE(result.out + result.err, expected);
    }

private:
    std::optional<QTemporaryDir> dir_;
};

QTEST_GUILESS_MAIN(TestAdtCli)
#include "tst_adt_cli.moc"
