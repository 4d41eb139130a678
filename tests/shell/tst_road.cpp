// The whole road through the real windows: start, the menu, a task sheet with its answers and notice,
// the help window, back to the menu and the exit.
#include "content_builder.h"
#include "fake_platform.h"
#include "gui.h"
#include "hiba.h"
#include "kvizaro.h"
#include "menuo.h"
#include "panel.h"
#include "sugo.h"
#include "tasko.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace kvizaro;
using namespace kvizaro::test;

namespace {

// The sample content of the file format's description, in Windows-1250 bytes.
std::vector<std::string> sampleContent() {
    return {"#Menuo",
            "Menuero=\"Kezd\xf5knek\",\"\"",
            "Menuero=\"1. K\xf6sz\xf6n\xe9sek\",\"koszones\"",
            "Menuero=\"2. Sz\xe1mok\",\"szamok\"",
            "Butono1=\"S\xfag\xf3\",\"sugo\"",
            "Butono2=\"N\xe9vjegy\",\"nevjegy\"",
            "Butono3=\"Bet\xfbk\",\"tajpado\"",
            "#koszones",
            "[tasko]",
            "Demando=\"J\xf3 napot!\"",
            "Instruo=\"Bonan tagon!\"",
            "Solvo=\"Bonan tagon!\"",
            "Solvo=\"Saluton!\"",
            "[tasko]",
            "Demando=\"Hogy vagy?\"",
            "Instruo=\"Cxu vi fartas bone?\"",
            "Solvo=\"Kiel vi fartas?\"",
            "Solvo=\"Cxu vi fartas bone?\"",
            "#szamok",
            "[tasko]",
            "Demando=\"h\xe1rom\"",
            "Instruo=\"tri\"",
            "Solvo=\"tri\"",
            "#sugo",
            "V\xe1lassz egy feladatlapot a list\xe1\x62\xf3l!",
            "",
            "A v\xe1lasz ut\xe1n nyomd meg az Enter billenty\xfbt.",
            "#nevjegy",
            "Gyakorl\xf3 program kezd\xf5knek.",
            "#tajpado",
            "A kalapos bet\xfbk: cx gx hx jx sx ux",
            "#"};
}

template <typename Control = QWidget> Control* find(const QWidget& window, const char* name) {
    return window.findChild<Control*>(QString::fromLatin1(name));
}

// The caption of a panel or the text of a label.
QString shownText(const QWidget* control) {
    if (control == nullptr) {
        return QStringLiteral("<no such control>");
    }
    if (const auto* panel = qobject_cast<const Panel*>(control)) {
        return panel->caption();
    }
    return control->property("text").toString();
}
void answer(QLineEdit* box, const QString& text) {
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
}

struct Road {
    Road() : file(writeFile(dir, "enhavo.adt", encodeStored(sampleContent()))), windows(platform, file) {
        windows.showMainWindow();
    }
    QTemporaryDir dir;
    FakePlatform platform;
    std::string file;
    Kvizaro windows;
};

} // namespace

class TestRoad : public QObject {
    Q_OBJECT

private slots:
    void wholeRoad();
    void choosingEntryFillsAndFocusesSheet_data();
    void choosingEntryFillsAndFocusesSheet();
    void helpButtonsFillHelpWindow_data();
    void helpButtonsFillHelpWindow();
    void slotEightAtEndShowsSecondHelpBlock();
    void escapeInAnswerBoxReturnsToMenu();
    void closingHelpReactivatesWorkingWindow_data();
    void closingHelpReactivatesWorkingWindow();
};

void TestRoad::wholeRoad() {
    Road road;
    TMenuo& menu = road.windows.menu();
    TTasko& task = road.windows.task();
    QTRY_COMPARE(int(menu.model().EntryCount()), 3);

    click(find(menu, "MenuEro02"));
    QCOMPARE(shownText(find(task, "Titolo")), QString::fromUtf8("1. Köszönések"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(task.answerBox()));
    QVERIFY(!menu.isEnabled());
    QVERIFY(find(menu, "Tablo")->isHidden());
    QCOMPARE(int(task.drill().QuestionCount()), 2);

    answer(task.answerBox(), QStringLiteral("Saluton!"));
    QCOMPARE(int(task.drill().RightCount()), 1);
    answer(task.answerBox(), QStringLiteral("Kiel vi?"));
    QTRY_VERIFY(road.windows.notice().isVisible());
    QVERIFY(task.isHidden());
    QTest::keyClick(&road.windows.notice(), Qt::Key_Return);
    QVERIFY(road.windows.notice().isHidden());
    QVERIFY(task.isVisible() && task.isEnabled());
    QCOMPARE(shownText(find(task, "Mesagxo")), QString::fromUtf8("V É G E !"));

    click(find(task, "ELiteroj"));
    QVERIFY(road.windows.help().isVisible());
    QCOMPARE(find<QPlainTextEdit>(road.windows.help(), "Teksto")->toPlainText(),
             QString::fromUtf8("A kalapos betűk: cx gx hx jx sx ux"));

    click(find(task, "Eliro"));
    QVERIFY(task.isHidden());
    QVERIFY(menu.isEnabled());
    QVERIFY(!find(menu, "Tablo")->isHidden());
    QVERIFY(road.windows.help().isVisible()); // closing the sheet leaves the help window open

    click(find(menu, "Kilep"));
    QCOMPARE(road.platform.exitCodes, QList<int>{0});
}

void TestRoad::choosingEntryFillsAndFocusesSheet_data() {
    QTest::addColumn<bool>("byDigit");
    QTest::newRow("click") << false;
    QTest::newRow("digit") << true;
}

void TestRoad::choosingEntryFillsAndFocusesSheet() {
    QFETCH(bool, byDigit);
    Road road;
    TMenuo& menu = road.windows.menu();
    TTasko& task = road.windows.task();
    QTRY_COMPARE(int(menu.model().EntryCount()), 3);
    if (byDigit) {
        QTest::keyClick(&menu, Qt::Key_3, Qt::NoModifier);
    } else {
        click(find(menu, "MenuEro03"));
    }
    QCOMPARE(shownText(find(task, "Titolo")), QString::fromUtf8("2. Számok"));
    QCOMPARE(task.drill().SheetBlockName(), std::string("szamok"));
    QCOMPARE(int(task.drill().QuestionCount()), 1);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(task.answerBox()));
}

void TestRoad::helpButtonsFillHelpWindow_data() {
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("text");
    QTest::newRow("first") << QStringList{QStringLiteral("SugoT1")}
                           << QString::fromUtf8("Válassz egy feladatlapot a listából!\n\n"
                                                "A válasz után nyomd meg az Enter billentyűt.");
    QTest::newRow("second") << QStringList{QStringLiteral("SugoT2")}
                            << QString::fromUtf8("Gyakorló program kezdőknek.");
    QTest::newRow("first-then-third") << QStringList{QStringLiteral("SugoT1"), QStringLiteral("SugoT3")}
                                      << QString::fromUtf8("A kalapos betűk: cx gx hx jx sx ux");
}

void TestRoad::helpButtonsFillHelpWindow() {
    QFETCH(QStringList, buttons);
    QFETCH(QString, text);
    Road road;
    TMenuo& menu = road.windows.menu();
    QTRY_COMPARE(int(menu.model().EntryCount()), 3);
    for (const QString& button : buttons) {
        click(menu.findChild<QWidget*>(button));
    }
    QVERIFY(road.windows.help().isVisible());
    QCOMPARE(find<QPlainTextEdit>(road.windows.help(), "Teksto")->toPlainText(), text);
    QVERIFY(menu.isEnabled());
}

void TestRoad::slotEightAtEndShowsSecondHelpBlock() {
    std::vector<std::string> content = sampleContent();
    for (int n = 4; n <= 9; ++n) {
        content.insert(content.begin() + n, "Menuero=\"Lap " + std::to_string(n) + "\",\"szamok\"");
    }
    QTemporaryDir dir;
    FakePlatform platform;
    Kvizaro windows(platform, writeFile(dir, "enhavo.adt", encodeStored(content)));
    windows.showMainWindow();
    QTRY_COMPARE(int(windows.menu().model().EntryCount()), 9);
    find<QScrollBar>(windows.menu(), "Csuszka")->setValue(2);
    click(find(windows.menu(), "MenuEro08"));
    QVERIFY(windows.help().isVisible());
    QCOMPARE(find<QPlainTextEdit>(windows.help(), "Teksto")->toPlainText(),
             QString::fromUtf8("Gyakorló program kezdőknek."));
    QVERIFY(windows.menu().isEnabled());
}

void TestRoad::escapeInAnswerBoxReturnsToMenu() {
    Road road;
    TMenuo& menu = road.windows.menu();
    TTasko& task = road.windows.task();
    QTRY_COMPARE(int(menu.model().EntryCount()), 3);
    click(find(menu, "MenuEro02"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(task.answerBox()));
    QTest::keyClick(task.answerBox(), Qt::Key_Escape);
    QVERIFY(task.isHidden());
    QVERIFY(menu.isEnabled());
    QVERIFY(!find(menu, "Tablo")->isHidden());
    QVERIFY(road.platform.exitCodes.isEmpty());
}

// Each step is "window/control", a click on that control, or "task/wrong", a wrong answer typed into the
// sheet; the last step closes the help window with "Bezár".
void TestRoad::closingHelpReactivatesWorkingWindow_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("activeAfter");
    const QString closeHelp = QStringLiteral("help/Eliro");
    QTest::newRow("help from the sheet")
        << QStringList{QStringLiteral("menu/MenuEro02"), QStringLiteral("task/ELiteroj"), closeHelp}
        << QStringLiteral("task");
    QTest::newRow("help from the menu")
        << QStringList{QStringLiteral("menu/SugoT1"), closeHelp} << QStringLiteral("menu");
    QTest::newRow("sheet opened while help is up")
        << QStringList{QStringLiteral("menu/SugoT2"), QStringLiteral("menu/MenuEro03"), closeHelp}
        << QStringLiteral("task");
    QTest::newRow("sheet closed while help is up")
        << QStringList{QStringLiteral("menu/MenuEro02"), QStringLiteral("task/ELiteroj"),
                       QStringLiteral("task/Eliro"), closeHelp}
        << QStringLiteral("menu");
    QTest::newRow("notice up while help is up")
        << QStringList{QStringLiteral("menu/MenuEro02"), QStringLiteral("task/ELiteroj"),
                       QStringLiteral("task/wrong"), closeHelp}
        << QStringLiteral("notice");
}

void TestRoad::closingHelpReactivatesWorkingWindow() {
    QFETCH(QStringList, steps);
    QFETCH(QString, activeAfter);
    Road road;
    const QHash<QString, QWidget*> windows{{QStringLiteral("menu"), &road.windows.menu()},
                                           {QStringLiteral("task"), &road.windows.task()},
                                           {QStringLiteral("notice"), &road.windows.notice()},
                                           {QStringLiteral("help"), &road.windows.help()}};
    QTRY_COMPARE(int(road.windows.menu().model().EntryCount()), 3);
    for (const QString& step : steps) {
        const QString window = step.section(QLatin1Char('/'), 0, 0);
        const QString control = step.section(QLatin1Char('/'), 1);
        if (control == QLatin1String("wrong")) {
            answer(road.windows.task().answerBox(), QStringLiteral("x"));
            QTRY_VERIFY(road.windows.notice().isVisible());
            continue;
        }
        QWidget* target = windows.value(window)->findChild<QWidget*>(control);
        QVERIFY2(target != nullptr, qPrintable(step));
        click(target);
    }
    QVERIFY(road.windows.help().isHidden());
    QTRY_COMPARE(QApplication::activeWindow(), windows.value(activeAfter));
}

QTEST_MAIN(TestRoad)
#include "tst_road.moc"
