// The program's command line as a user meets it: the built executable, started with no display, no
// Wayland socket and no platform chosen, so any request that reached the application object would fail.
#include "words.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

using namespace kvizaro::test;

namespace {

QProcessEnvironment withoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) {
        environment.remove(QString::fromLatin1(name));
    }
    return environment;
}

} // namespace

class TestKvizaroCli : public QObject {
    Q_OBJECT

private slots:
    void answersWithoutADisplay_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("help") << words({"--help"}) << 0 << QByteArray("Usage: kvizaro [OPTION]... [FILE]\n")
                              << QByteArray();
        QTest::newRow("version") << words({"--version"}) << 0 << QByteArray("kvizaro " KVIZARO_VERSION "\n")
                                 << QByteArray();
        QTest::newRow("help-with-qt-options")
            << words({"-platform", "xcb", "--help"}) << 0 << QByteArray("Usage: kvizaro") << QByteArray();
        QTest::newRow("two-files") << words({"a.adt", "b.adt"}) << 64 << QByteArray()
                                   << QByteArray(
                                          "kvizaro: more than one FILE (a.adt, b.adt); see kvizaro --help\n");
        QTest::newRow("unknown-option")
            << words({"--bogus"}) << 64 << QByteArray()
            << QByteArray("kvizaro: unknown option --bogus; see kvizaro --help\n");
    }

    void answersWithoutADisplay() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QProcess program;
        program.setProcessEnvironment(withoutDisplay());
        program.start(QStringLiteral(KVIZARO_PROGRAM), arguments);
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        const QByteArray gotOut = program.readAllStandardOutput();
        QVERIFY2(gotOut.startsWith(out), gotOut.constData());
        QCOMPARE(gotOut.isEmpty(), out.isEmpty());
        QCOMPARE(program.readAllStandardError(), err);
    }

    void fullOutputFails_data() {
        QTest::addColumn<QString>("option");
        QTest::newRow("help") << "--help";
        QTest::newRow("version") << "--version";
    }

    void fullOutputFails() {
        QFETCH(QString, option);
        if (!QFileInfo::exists(QStringLiteral("/dev/full"))) {
            QSKIP("no /dev/full here");
        }
        QProcess program;
        program.setProcessEnvironment(withoutDisplay());
        program.setStandardOutputFile(QStringLiteral("/dev/full"));
        program.start(QStringLiteral(KVIZARO_PROGRAM), {option});
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QByteArray err = program.readAllStandardError();
        QVERIFY2(err.contains("kvizaro: cannot write the output: No space left on device"), err.constData());
    }
};

QTEST_GUILESS_MAIN(TestKvizaroCli)
#include "tst_kvizaro_cli.moc"
