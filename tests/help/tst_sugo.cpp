#include "content_builder.h"
#include "fake_platform.h"
#include "gui.h"
#include "look.h"
#include "panel.h"
#include "sugo.h"

#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QtTest>

using namespace kvizaro;
using namespace kvizaro::test;

namespace {

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}
struct HelpWindow {
    FakePlatform platform;
    TSugo help{platform};
    QPlainTextEdit* memo() const { return control<QPlainTextEdit>(&help, "Teksto"); }
    Panel* closeButton() const { return control<Panel>(&help, "Eliro"); }
};

std::vector<std::string> linesFrom(const QByteArrayList& list) {
    std::vector<std::string> lines;
    for (const QByteArray& line : list) {
        lines.push_back(line.toStdString());
    }
    return lines;
}

} // namespace

class TestSugo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void fillShowsTheNamedBlock_data() {
        QTest::addColumn<QByteArrayList>("content");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("memo");

        QTest::newRow("lines-up-to-next-marker")
            << QByteArrayList{"#a", "unu", "du", "#b", "tri"} << QByteArray("a") << QStringLiteral("unu\ndu");
        QTest::newRow("empty-lines-kept") << QByteArrayList{"#a", "unu", "", "", "du", "", "#"}
                                          << QByteArray("a") << QStringLiteral("unu\n\n\ndu\n");
        QTest::newRow("semicolon-and-bracket-lines")
            << QByteArrayList{"#a", "; noto", "[tasko]", "Demando=\"x\"", "#"} << QByteArray("a")
            << QStringLiteral("; noto\n[tasko]\nDemando=\"x\"");
        QTest::newRow("header-then-marker")
            << QByteArrayList{"#a", "#b", "unu"} << QByteArray("a") << QString();
        QTest::newRow("lone-marker-ends")
            << QByteArrayList{"#a", "unu", "#", "du"} << QByteArray("a") << QStringLiteral("unu");
        QTest::newRow("any-marker-ends")
            << QByteArrayList{"#a", "unu", "#ne bloko", "du"} << QByteArray("a") << QStringLiteral("unu");
        QTest::newRow("capital-name-is-not-the-header")
            << QByteArrayList{"#Tajpado", "unu", "#"} << QByteArray("tajpado") << QString();
        QTest::newRow("blank-after-name-is-not-the-header")
            << QByteArrayList{"#tajpado ", "unu", "#"} << QByteArray("tajpado") << QString();
        QTest::newRow("first-of-two-blocks")
            << QByteArrayList{"#a", "unu", "#a", "du", "#"} << QByteArray("a") << QStringLiteral("unu");
        QTest::newRow("empty-name-is-lone-marker")
            << QByteArrayList{"#a", "unu", "#", "post", "#b"} << QByteArray() << QStringLiteral("post");
        QTest::newRow("missing-block") << QByteArrayList{"#a", "unu", "#"} << QByteArray("b") << QString();
        QTest::newRow("lines-end-first")
            << QByteArrayList{"#a", "unu", "du"} << QByteArray("a") << QStringLiteral("unu\ndu");
        QTest::newRow("windows-1250-text")
            << QByteArrayList{"#a", "Bet\xFB \xF5 \xE1"} << QByteArray("a") << QStringLiteral("Betű ő á");
    }
    void fillShowsTheNamedBlock() {
        QFETCH(QByteArrayList, content);
        QFETCH(QByteArray, name);
        HelpWindow w;
        w.help.LoadBlock(name.toStdString(), linesOf(linesFrom(content)));
        QTEST(w.memo()->toPlainText(), "memo");
        QVERIFY(!w.help.isVisible());
        QCOMPARE(control<Panel>(&w.help, "Info")->caption(), QString());
    }

    void secondFillReplacesTheText() {
        HelpWindow w;
        const ContentLines lines = linesOf({"#a", "unu", "du", "#b", "tri", "#"});
        w.help.LoadBlock("a", lines);
        w.help.showHelp();
        w.help.LoadBlock("b", lines);
        QCOMPARE(w.memo()->toPlainText(), QStringLiteral("tri"));
        QVERIFY(w.help.isVisible());
    }

    void closeButtonHidesTheWindow() {
        HelpWindow w;
        w.help.showHelp();
        QVERIFY(w.help.isVisible());
        QTest::mouseClick(w.closeButton(), Qt::LeftButton);
        QVERIFY(!w.help.isVisible());
        w.help.showHelp();
        QVERIFY(w.help.isVisible());
    }

    void escapeReleasedHidesTheWindow() {
        HelpWindow w;
        w.help.showHelp();
        releaseKey(&w.help, Qt::Key_Escape, true);
        QVERIFY(w.help.isVisible());
        releaseKey(&w.help, Qt::Key_Escape);
        QVERIFY(!w.help.isVisible());
    }

    void closeButtonHighlightFollowsTheMouse_data() {
        QTest::addColumn<QStringList>("path"); // "window" for the bare background
        QTest::addColumn<int>("bevel");
        QTest::newRow("at-rest") << QStringList{} << 1;
        QTest::newRow("over-button") << QStringList{QStringLiteral("Eliro")} << 2;
        QTest::newRow("button-then-background")
            << QStringList{QStringLiteral("Eliro"), QStringLiteral("window")} << 1;
        QTest::newRow("button-then-memo")
            << QStringList{QStringLiteral("Eliro"), QStringLiteral("viewport")} << 2;
        QTest::newRow("button-then-memo-frame")
            << QStringList{QStringLiteral("Eliro"), QStringLiteral("Teksto")} << 2;
        QTest::newRow("button-then-scroll-bar")
            << QStringList{QStringLiteral("Eliro"), QStringLiteral("scrollbar")} << 2;
        QTest::newRow("button-then-info")
            << QStringList{QStringLiteral("Eliro"), QStringLiteral("Info")} << 2;
        QTest::newRow("memo-then-background")
            << QStringList{QStringLiteral("Eliro"), QStringLiteral("viewport"), QStringLiteral("window")}
            << 1;
    }
    void closeButtonHighlightFollowsTheMouse() {
        QFETCH(QStringList, path);
        HelpWindow w;
        w.help.showHelp();
        for (const QString& place : path) {
            if (place == QLatin1String("window")) {
                hover(&w.help);
            } else if (place == QLatin1String("viewport")) {
                hover(w.memo()->viewport());
            } else if (place == QLatin1String("scrollbar")) {
                hover(w.memo()->verticalScrollBar());
            } else {
                hover(w.help.findChild<QWidget*>(place));
            }
        }
        QTEST(w.closeButton()->bevelWidth(), "bevel");
    }

    void textCanBeSelectedByDragging() {
        HelpWindow w;
        w.help.LoadBlock("a", linesOf({"#a", "Gyakorlo program kezdoknek."}));
        w.help.showHelp();
        QWidget* viewport = w.memo()->viewport();
        sendMouse(viewport, QEvent::MouseButtonPress, {4, 8}, Qt::LeftButton, Qt::LeftButton);
        sendMouse(viewport, QEvent::MouseMove, {150, 8}, Qt::NoButton, Qt::LeftButton);
        sendMouse(viewport, QEvent::MouseButtonRelease, {150, 8}, Qt::LeftButton, Qt::NoButton);
        QVERIFY(w.memo()->textCursor().hasSelection());
    }

    void centredAtFirstShowingOnly() {
        HelpWindow w;
        w.help.showHelp();
        QCOMPARE(w.help.frameGeometry().topLeft(), QPoint((1024 - w.help.frameGeometry().width()) / 2,
                                                          (768 - w.help.frameGeometry().height()) / 2));
        w.help.move(20, 30);
        QTest::mouseClick(w.closeButton(), Qt::LeftButton);
        w.help.showHelp();
        QCOMPARE(w.help.pos(), QPoint(20, 30));
    }

    void formPlacesEveryControl_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Teksto") << QStringLiteral("Teksto") << QRect(10, 10, 612, 400);
        QTest::newRow("Eliro") << QStringLiteral("Eliro") << QRect(520, 420, 100, 25);
        QTest::newRow("Info") << QStringLiteral("Info") << QRect(10, 420, 300, 25);
    }
    void formPlacesEveryControl() {
        QFETCH(QString, name);
        HelpWindow w;
        QWidget* widget = w.help.findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        QTEST(widget->geometry(), "geometry");
    }

    void windowHasItsFrameAndLook() {
        HelpWindow w;
        QCOMPARE(w.help.objectName(), QStringLiteral("Sugo"));
        QCOMPARE(w.help.windowTitle(), QStringLiteral("Súgó"));
        QCOMPARE(w.help.size(), QSize(632, 453));
        QCOMPARE(w.help.minimumSize(), QSize(632, 453));
        QCOMPARE(w.help.maximumSize(), QSize(632, 453));
        const Qt::WindowFlags flags = w.help.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.memo()->isReadOnly());
        QCOMPARE(w.memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(w.memo()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(w.memo()->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(w.memo()->font().pixelSize(), 13);
        QCOMPARE(w.memo()->palette().color(QPalette::Base), systemColour(SystemColour::ButtonFace));
        QCOMPARE(w.closeButton()->caption(), QStringLiteral("Bezár"));
        QCOMPARE(w.closeButton()->bevelOuter(), Panel::Raised);
        QCOMPARE(control<Panel>(&w.help, "Info")->bevelOuter(), Panel::None);
    }
};

QTEST_MAIN(TestSugo)
#include "tst_sugo.moc"
