#include "command_line.h"
#include "content_builder.h"
#include "fake_platform.h"
#include "kvizaro.h"
#include "look.h"
#include "menuo.h"
#include "words.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

using namespace kvizaro;
using namespace kvizaro::test;

Q_DECLARE_METATYPE(kvizaro::CommandLine::Request)

namespace {

CommandLine parse(const QStringList& arguments) {
    std::vector<QByteArray> bytes{QByteArrayLiteral("kvizaro")};
    for (const QString& argument : arguments) {
        bytes.push_back(argument.toLocal8Bit());
    }
    std::vector<const char*> pointers;
    for (const QByteArray& argument : bytes) {
        pointers.push_back(argument.constData());
    }
    return parseCommandLine(pointers);
}

QString fileOf(const CommandLine& commandLine) {
    return commandLine.contentFile ? QString::fromStdString(commandLine.contentFile->string()) : QString();
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void parsesTheCommandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Request>("request");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("problem");
        using R = CommandLine::Request;
        const QStringList none;
        QTest::newRow("nothing") << none << R::Run << QString() << QString();
        QTest::newRow("file") << words({"lecionoj.adt"}) << R::Run << "lecionoj.adt" << QString();
        QTest::newRow("qt-options-around-the-file") << words({"-platform", "xcb", "lecionoj.adt", "-reverse"})
                                                    << R::Run << "lecionoj.adt" << QString();
        QTest::newRow("qt-options-with-two-dashes")
            << words({"--style", "fusion", "--display", ":1", "/tmp/a.adt"}) << R::Run << "/tmp/a.adt"
            << QString();
        // The value of a Qt option is not a second FILE.
        QTest::newRow("qt-value-is-no-file")
            << words({"-qwindowtitle", "Lecionoj", "a.adt"}) << R::Run << "a.adt" << QString();
        QTest::newRow("qt-option-with-joined-value")
            << words({"-style=fusion", "a.adt"}) << R::Run << "a.adt" << QString();
        QTest::newRow("qt-option-without-its-value")
            << words({"a.adt", "-platform"}) << R::Run << "a.adt" << QString();
        QTest::newRow("dash-dash-then-dash-file")
            << words({"--", "-x.adt"}) << R::Run << "-x.adt" << QString();
        QTest::newRow("single-dash-is-a-file") << words({"-"}) << R::Run << "-" << QString();
        QTest::newRow("help") << words({"--help"}) << R::Help << QString() << QString();
        QTest::newRow("short-help") << words({"-h"}) << R::Help << QString() << QString();
        QTest::newRow("help-among-qt-options")
            << words({"-platform", "xcb", "--help"}) << R::Help << QString() << QString();
        QTest::newRow("help-wins-over-a-wrong-line")
            << words({"a.adt", "b.adt", "--bogus", "--help"}) << R::Help << QString() << QString();
        QTest::newRow("version") << words({"--version"}) << R::Version << QString() << QString();
        QTest::newRow("version-with-file")
            << words({"a.adt", "--version"}) << R::Version << QString() << QString();
        QTest::newRow("two-files") << words({"a.adt", "b.adt"}) << R::Usage << QString()
                                   << "more than one FILE (a.adt, b.adt)";
        QTest::newRow("unknown-option")
            << words({"--bogus", "a.adt"}) << R::Usage << QString() << "unknown option --bogus";
        QTest::newRow("unknown-single-dash-option")
            << words({"-x"}) << R::Usage << QString() << "unknown option -x";
        QTest::newRow("help-after-dash-dash-is-a-file")
            << words({"--", "--help"}) << R::Run << "--help" << QString();
        QTest::newRow("empty-file-name") << words({""}) << R::Usage << QString() << "an empty FILE name";
    }

    void parsesTheCommandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Request, request);
        QFETCH(QString, file);
        QFETCH(QString, problem);
        const CommandLine commandLine = parse(arguments);
        QCOMPARE(commandLine.request, request);
        QCOMPARE(fileOf(commandLine), file);
        QCOMPARE(QString::fromStdString(commandLine.problem), problem);
    }

    // What Qt leaves after removing its own options gives the same FILE as the whole line.
    void sameFileBeforeAndAfterQtTakesItsOptions() {
        const CommandLine whole = parse(words({"-platform", "xcb", "-name", "k", "lecionoj.adt", "-sync"}));
        const CommandLine remaining = parse(words({"lecionoj.adt"}));
        QCOMPARE(fileOf(whole), fileOf(remaining));
        QCOMPARE(whole.request, CommandLine::Request::Run);
    }

    void answersWithoutWindows_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("help") << words({"--help"}) << 0 << "Usage: kvizaro [OPTION]... [FILE]\n" << QString();
        QTest::newRow("version") << words({"--version"}) << 0 << "kvizaro " KVIZARO_VERSION "\n" << QString();
        QTest::newRow("two-files") << words({"a", "b"}) << 64 << QString()
                                   << "kvizaro: more than one FILE (a, b); see kvizaro --help\n";
        QTest::newRow("unknown-option") << words({"--bogus"}) << 64 << QString()
                                        << "kvizaro: unknown option --bogus; see kvizaro --help\n";
    }

    void answersWithoutWindows() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        std::ostringstream outStream;
        std::ostringstream errStream;
        QCOMPARE(answerWithoutWindows(parse(arguments), outStream, errStream), exitCode);
        QVERIFY2(QString::fromStdString(outStream.str()).startsWith(out), outStream.str().c_str());
        QCOMPARE(out.isEmpty(), outStream.str().empty());
        QCOMPARE(QString::fromStdString(errStream.str()), err);
    }

    void outputThatCannotBeWrittenFails() {
        std::ostringstream broken;
        broken.setstate(std::ios::badbit);
        std::ostringstream err;
        QCOMPARE(answerWithoutWindows(parse(words({"--version"})), broken, err), kvizaro_exit::Failure);
        QVERIFY2(err.str().starts_with("kvizaro: cannot write the output"), err.str().c_str());
    }

    void restartGetsTheFileAsAnAbsolutePath_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("restart");
        const QString here = QDir::currentPath();
        QTest::newRow("no-file") << words({"-platform", "xcb"}) << QStringList();
        QTest::newRow("relative") << words({"-reverse", "lecionoj.adt"})
                                  << QStringList(here + QStringLiteral("/lecionoj.adt"));
        QTest::newRow("absolute") << words({"/srv/leckék/a.adt"}) << words({"/srv/leckék/a.adt"});
        QTest::newRow("dash-file") << words({"--", "-x.adt"})
                                   << QStringList(here + QStringLiteral("/-x.adt"));
    }

    void restartGetsTheFileAsAnAbsolutePath() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, restart);
        QCOMPARE(restartArguments(parse(arguments).contentFile), restart);
    }

    // What Qt took out of the command line goes to a new instance as well, ahead of the FILE.
    void restartKeepsTheToolkitOptions_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("restart");
        QTest::newRow("platform-and-file")
            << words({"kvizaro", "-platform", "xcb", "/a.adt"}) << words({"kvizaro", "/a.adt"})
            << words({"-platform", "xcb", "/a.adt"});
        QTest::newRow("options-only") << words({"kvizaro", "-reverse", "-style", "fusion"})
                                      << words({"kvizaro"}) << words({"-reverse", "-style", "fusion"});
        QTest::newRow("nothing") << words({"kvizaro"}) << words({"kvizaro"}) << QStringList();
    }
    void restartKeepsTheToolkitOptions() {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        const QStringList options = optionsTakenByToolkit(before, after);
        const std::optional<std::filesystem::path> file =
            after.size() > 1 ? std::optional(std::filesystem::path(after.last().toStdString()))
                             : std::nullopt;
        QTEST(restartArguments(file, options), "restart");
    }

    // The FILE of the command line is what start-up reads, and a FILE that is not there is reported as the
    // default file would be: an error box, then an empty menu.
    void startUpReadsTheFile_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("errors");
        QTest::newRow("present") << true << 2 << 0;
        QTest::newRow("missing") << false << 0 << 1;
    }

    void startUpReadsTheFile() {
        QFETCH(bool, present);
        QFETCH(int, entries);
        QFETCH(int, errors);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sajat lecke.adt"));
        if (present) {
            writeFile(dir, "sajat lecke.adt",
                      encodeStored({"#Menuo", R"(Menuero="Egy","egy")", R"(Menuero="Ketto","ketto")", "#"}));
        }
        const CommandLine commandLine = parse(words({"-platform", "offscreen"}) << file);
        QVERIFY(commandLine.contentFile);
        FakePlatform platform;
        Kvizaro windows(platform, *commandLine.contentFile);
        windows.showMainWindow();
        QTRY_VERIFY(windows.menu().isActiveWindow());
        QCOMPARE(int(windows.menu().model().EntryCount()), entries);
        QCOMPARE(platform.errors.size(), errors);
        if (errors > 0) {
            QCOMPARE(platform.errors.front(),
                     qMakePair(QStringLiteral("File not found."), applicationTitle()));
        }
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
