#include "content_builder.h"
#include "fake_platform.h"
#include "gui.h"
#include "hiba.h"
#include "kvizaro.h"
#include "literoj.h"
#include "look.h"
#include "menuo.h"
#include "panel.h"
#include "sugo.h"
#include "tasko.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace kvizaro;
using namespace kvizaro::test;

namespace {

std::string contentFile(const QTemporaryDir& dir, int entries) {
    std::vector<std::string> lines = {"#Menuo"};
    for (int n = 1; n <= entries; ++n) {
        lines.push_back("Menuero=\"Lap " + std::to_string(n) + "\",\"lapo" + std::to_string(n) + "\"");
    }
    lines.insert(lines.end(), {"Butono1=\"Sugo\",\"sugo\"", "#sugo", "Segitseg", "#"});
    return writeFile(dir, "enhavo.adt", encodeStored(lines));
}
template <typename Control = QWidget> Control* find(const QWidget& window, const char* name) {
    return window.findChild<Control*>(QString::fromLatin1(name));
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void unreadableContentShowsErrorBox_data();
    void unreadableContentShowsErrorBox();
    void missingContentLeavesEmptyMenu();
    void pickedFileOpensOrSaysItHoldsNoLessons_data();
    void pickedFileOpensOrSaysItHoldsNoLessons();
    void exceptionDuringCreationIsReportedAndStartUpGoesOn();
    void windowsAfterCreation();
    void firstActivationThroughEventLoop_data();
    void firstActivationThroughEventLoop();
    void missingLettersBringUpWizardOverMinimisedMenu();
    void closingWizardRestoresMenuWithoutRebuilding();
    void closingMainWindowEndsLoop();
};

// A named pipe without a writer would block a plain open for ever: start-up must not wait for it.
void TestStartup::unreadableContentShowsErrorBox_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing") << "missing"
                             << "File not found.";
    QTest::newRow("directory") << "directory"
                               << "I/O error 21.";
    QTest::newRow("named-pipe") << "fifo"
                                << "Not a regular file.";
    QTest::newRow("too-large") << "too-large"
                               << "File too large.";
}

void TestStartup::unreadableContentShowsErrorBox() {
    QFETCH(QString, kind);
    QFETCH(QString, error);
    FakePlatform platform;
    QTemporaryDir dir;
    const std::filesystem::path folder(dir.path().toStdString());
    std::filesystem::path file = folder / "enhavo.adt";
    if (kind == QStringLiteral("directory")) {
        file = folder;
    } else if (kind == QStringLiteral("fifo")) {
        QCOMPARE(::mkfifo(file.c_str(), 0600), 0);
    } else if (kind == QStringLiteral("too-large")) {
        writeFile(dir, "enhavo.adt", "");
        std::filesystem::resize_file(file, MaxContentFileSize + 1);
    }
    Kvizaro windows(platform, file);
    QCOMPARE(platform.errors.size(), 1);
    QCOMPARE(platform.errors.first().first, error);
    QCOMPARE(platform.errors.first().second, QStringLiteral("Kvizaro v1.0 * Folimo"));
    QVERIFY(windows.menu().contentLines().empty());
    QVERIFY(windows.task().isVisible());
}

void TestStartup::exceptionDuringCreationIsReportedAndStartUpGoesOn() {
    FakePlatform platform;
    platform.screenSizeFailures = 1; // the task sheet's centring, the first question for the screen
    QTemporaryDir dir;
    Kvizaro windows(platform, contentFile(dir, 10));
    QCOMPARE(platform.errors.size(), 1);
    QCOMPARE(platform.errors.first().first, QStringLiteral("Out of memory."));
    QCOMPARE(platform.errors.first().second, QStringLiteral("Kvizaro v1.0 * Folimo"));
    QVERIFY(windows.task().isVisible());
    windows.showMainWindow();
    QTRY_COMPARE(int(windows.menu().model().EntryCount()), 10);
    QCOMPARE(find<Panel>(windows.menu(), "SugoT1")->caption(), QStringLiteral("Sugo"));
}

void TestStartup::missingContentLeavesEmptyMenu() {
    FakePlatform platform;
    QTemporaryDir dir;
    Kvizaro windows(platform, std::filesystem::path(dir.path().toStdString()) / "enhavo.adt");
    windows.showMainWindow();
    TMenuo& menu = windows.menu();
    QTRY_VERIFY(menu.isActiveWindow());
    QTRY_COMPARE(find(menu, "Tablo")->pos(), QPoint(192, 144));
    QCOMPARE(int(menu.model().EntryCount()), 0);
    QCOMPARE(find<QScrollBar>(menu, "Csuszka")->maximum(), 1);
    for (const char* name : {"MenuEro01", "MenuEro08", "SugoT1", "SugoT2", "SugoT3"}) {
        QCOMPARE(find<Panel>(menu, name)->caption(), QString());
    }
    for (const char* name : {"MenuEro01", "MenuEro08", "SugoT1", "SugoT2", "SugoT3", "SBildo"}) {
        click(find(menu, name));
    }
    QVERIFY(menu.isEnabled());
    QVERIFY(windows.task().drill().SheetBlockName().empty());
    QCOMPARE(platform.openedUrls.size(), 1);
}

// Whatever a teacher may pick, a lesson source or a file picked by mistake, is read without fault; an error
// box names a file without a lesson in it.
void TestStartup::pickedFileOpensOrSaysItHoldsNoLessons_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("helpCaption"); // null: no lesson in the file
    QTest::newRow("picture") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) << QString();
    QTest::newRow("plain-text") << QByteArray("Bonan tagon!\nJó napot!\n") << QString();
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("source-without-menu") << QByteArray("#sugo\nSegitseg\n#\n") << QString();
    QTest::newRow("lesson-source")
        << QByteArray("\xEF\xBB\xBF#Menuo\r\nMenuero=\"Ĉapeloj\",\"a\"\r\nButono1=\"Súgó\",\"b\"\r\n#\r\n")
        << QStringLiteral("Súgó");
}

void TestStartup::pickedFileOpensOrSaysItHoldsNoLessons() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, helpCaption);
    FakePlatform platform;
    QTemporaryDir dir;
    Kvizaro windows(platform, writeFile(dir, "notes.png", bytes.toStdString()));
    QCOMPARE(platform.errors.size(), helpCaption.isNull() ? 1 : 0);
    QVERIFY2(platform.errors.isEmpty() ||
                 platform.errors.first().first.contains(QStringLiteral("\u201Enotes.png\u201D")),
             qPrintable(platform.errors.value(0).first));
    windows.showMainWindow();
    QTRY_COMPARE(int(windows.menu().model().EntryCount()), helpCaption.isNull() ? 0 : 1);
    QCOMPARE(find<Panel>(windows.menu(), "SugoT1")->caption(), helpCaption);
}

void TestStartup::windowsAfterCreation() {
    FakePlatform platform;
    platform.screen = QSize(1280, 1024);
    QTemporaryDir dir;
    Kvizaro windows(platform, contentFile(dir, 3));
    QVERIFY(platform.errors.isEmpty());
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Kvizaro v1.0 * Folimo"));
    QCOMPARE(windows.menu().objectName(), QStringLiteral("Menuo"));
    QCOMPARE(windows.task().objectName(), QStringLiteral("Tasko"));
    QCOMPARE(windows.wizard().objectName(), QStringLiteral("Literoj"));
    QCOMPARE(windows.notice().objectName(), QStringLiteral("Hiba"));
    QCOMPARE(windows.help().objectName(), QStringLiteral("Sugo"));
    QVERIFY(windows.menu().isHidden());
    QVERIFY(windows.task().isVisible());
    QCOMPARE(windows.task().pos(), QPoint(320, 272));
    QVERIFY(windows.wizard().isHidden());
    QVERIFY(windows.notice().isHidden());
    QVERIFY(windows.help().isHidden());
    // The menu is built at the first activation, not before.
    QCOMPARE(int(windows.menu().model().EntryCount()), 0);
    QVERIFY(!windows.menu().contentLines().empty());
    // Boxes outside the forms come up in the forms' face.
    QCOMPARE(QApplication::font().families().value(0), QStringLiteral("MS Sans Serif"));
    QCOMPARE(QApplication::font().pixelSize(), 11);
}

void TestStartup::firstActivationThroughEventLoop_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("board");
    QTest::newRow("640x480") << QSize(640, 480) << QPoint(0, 0);
    QTest::newRow("1024x768") << QSize(1024, 768) << QPoint(192, 144);
    QTest::newRow("600x400") << QSize(600, 400) << QPoint(-20, -40);
}

void TestStartup::firstActivationThroughEventLoop() {
    QFETCH(QSize, screen);
    QFETCH(QPoint, board);
    FakePlatform platform;
    platform.screen = screen;
    QTemporaryDir dir;
    Kvizaro windows(platform, contentFile(dir, 10));
    windows.showMainWindow();
    TMenuo& menu = windows.menu();
    QTRY_COMPARE(int(menu.model().EntryCount()), 10);
    QCOMPARE(menu.geometry(), QRect(QPoint(0, 0), screen));
    QCOMPARE(find(menu, "Tablo")->pos(), board);
    QCOMPARE(find<Panel>(menu, "MenuEro01")->caption(), QStringLiteral("Lap 1"));
    QCOMPARE(find<QScrollBar>(menu, "Csuszka")->maximum(), 3);
    QVERIFY(windows.wizard().isHidden());
    QCOMPARE(menu.windowState() & Qt::WindowMinimized, Qt::WindowStates());
}

void TestStartup::missingLettersBringUpWizardOverMinimisedMenu() {
    FakePlatform platform;
    platform.esperantoLettersShown = false;
    QTemporaryDir dir;
    Kvizaro windows(platform, contentFile(dir, 10));
    windows.showMainWindow();
    QTRY_VERIFY(windows.wizard().isVisible());
    QTRY_VERIFY(windows.menu().windowState().testFlag(Qt::WindowMinimized));
    QCOMPARE(windows.wizard().pos(), QPoint(192, 144));
    QCOMPARE(int(windows.menu().model().EntryCount()), 10);
}

void TestStartup::closingWizardRestoresMenuWithoutRebuilding() {
    FakePlatform platform;
    platform.esperantoLettersShown = false;
    QTemporaryDir dir;
    Kvizaro windows(platform, contentFile(dir, 20));
    windows.showMainWindow();
    QTRY_VERIFY(windows.menu().windowState().testFlag(Qt::WindowMinimized));
    find<QScrollBar>(windows.menu(), "Csuszka")->setValue(9);
    click(find(windows.wizard(), "FinButono"));
    QVERIFY(windows.wizard().isHidden());
    QCOMPARE(windows.menu().windowState() & Qt::WindowMinimized, Qt::WindowStates());
    QTRY_VERIFY(windows.menu().isActiveWindow());
    QCOMPARE(int(windows.menu().model().TopEntry()), 9);
    QVERIFY(windows.wizard().isHidden());
}

void TestStartup::closingMainWindowEndsLoop() {
    FakePlatform platform;
    QTemporaryDir dir;
    Kvizaro windows(platform, contentFile(dir, 3));
    windows.showMainWindow();
    QSignalSpy closed(&windows.menu(), &TMenuo::mainWindowClosed);
    QVERIFY(windows.menu().close());
    QCOMPARE(closed.size(), 1);
    QVERIFY(platform.exitCodes.isEmpty());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
