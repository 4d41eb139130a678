#include "panel.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QtTest>

using kvizaro::Panel;

namespace {

enum class Kind { Button, Text, Empty, Inert, Hidden };

// A panel in the shape a form gives it: a caption, a click handler or none, a window's say.
struct Shaped {
    explicit Shaped(Kind kind, const QString& caption = QStringLiteral("Következő")) {
        window.resize(200, 100);
        panel = new Panel(&window);
        const bool empty = kind == Kind::Empty;
        panel->setCaption(empty ? QString() : caption);
        if (kind != Kind::Text) {
            QObject::connect(panel, &Panel::clicked, &window, [] {});
        }
        panel->setActsOnClick(kind != Kind::Inert);
        panel->setVisible(kind != Kind::Hidden);
        window.show();
    }
    QAccessibleInterface* accessible() const { return QAccessible::queryAccessibleInterface(panel); }
    QWidget window;
    Panel* panel = nullptr;
};

} // namespace

// The events a caption change sends are heard on the real bus only (tests/desktop/screen_reader): the
// offscreen platform has no accessibility, so Qt drops every event before any handler sees it.
class TestPanelAccessible : public QObject {
    Q_OBJECT

private slots:
    void readerSeesWhatThePanelDoes_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("role");
        QTest::addColumn<bool>("announced");
        QTest::addColumn<bool>("pressable");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<int>("focusPolicy");
        QTest::newRow("button") << Kind::Button << int(QAccessible::Button) << true << true << false
                                << int(Qt::TabFocus);
        QTest::newRow("text") << Kind::Text << int(QAccessible::StaticText) << true << false << true
                              << int(Qt::NoFocus);
        QTest::newRow("heading-row") << Kind::Inert << int(QAccessible::StaticText) << true << false << true
                                     << int(Qt::NoFocus);
        QTest::newRow("empty-slot") << Kind::Empty << int(QAccessible::Pane) << false << false << false
                                    << int(Qt::NoFocus);
        QTest::newRow("hidden") << Kind::Hidden << int(QAccessible::Button) << false << true << false
                                << int(Qt::TabFocus);
    }
    void readerSeesWhatThePanelDoes() {
        QFETCH(Kind, kind);
        QFETCH(int, role);
        QFETCH(bool, announced);
        QFETCH(bool, pressable);
        QFETCH(bool, readable);
        QFETCH(int, focusPolicy);
        Shaped shaped(kind);
        QAccessibleInterface* accessible = shaped.accessible();
        QVERIFY(accessible != nullptr);
        QCOMPARE(int(accessible->role()), role);
        QCOMPARE(!accessible->state().invisible, announced);
        QCOMPARE(accessible->text(QAccessible::Name), shaped.panel->caption());
        QCOMPARE(
            accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()),
            pressable);
        QCOMPARE(accessible->textInterface() != nullptr, readable);
        if (readable) {
            QCOMPARE(accessible->textInterface()->text(0, accessible->textInterface()->characterCount()),
                     shaped.panel->caption());
        }
        QCOMPARE(int(shaped.panel->focusPolicy()), focusPolicy);
    }

    void pressedOnlyAsAButton_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QList<int>>("keys"); // pressed then released on the panel; 0: the press action
        QTest::addColumn<bool>("repeated");
        QTest::addColumn<int>("clicks");
        QTest::newRow("action") << Kind::Button << QList<int>{0} << false << 1;
        QTest::newRow("space") << Kind::Button << QList<int>{Qt::Key_Space} << false << 1;
        QTest::newRow("enter") << Kind::Button << QList<int>{Qt::Key_Return} << false << 1;
        QTest::newRow("keypad-enter") << Kind::Button << QList<int>{Qt::Key_Enter} << false << 1;
        QTest::newRow("held-space") << Kind::Button << QList<int>{Qt::Key_Space} << true << 1;
        QTest::newRow("other-key") << Kind::Button << QList<int>{Qt::Key_A} << false << 0;
        QTest::newRow("heading-action") << Kind::Inert << QList<int>{0} << false << 0;
        QTest::newRow("heading-space") << Kind::Inert << QList<int>{Qt::Key_Space} << false << 0;
    }
    void pressedOnlyAsAButton() {
        QFETCH(Kind, kind);
        QFETCH(QList<int>, keys);
        QFETCH(bool, repeated);
        QFETCH(int, clicks);
        Shaped shaped(kind);
        QSignalSpy clicked(shaped.panel, &Panel::clicked);
        for (const int key : keys) {
            if (key == 0) {
                shaped.accessible()->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                continue;
            }
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(shaped.panel, &press);
            if (repeated) {
                QKeyEvent repeatRelease(QEvent::KeyRelease, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(shaped.panel, &repeatRelease);
                QKeyEvent repeatPress(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(shaped.panel, &repeatPress);
            }
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
            QApplication::sendEvent(shaped.panel, &release);
        }
        QCOMPARE(clicked.count(), clicks);
    }

    void releaseWithoutPressIsNoClick() {
        Shaped shaped(Kind::Button);
        QSignalSpy clicked(shaped.panel, &Panel::clicked);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(shaped.panel, &release);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(!release.isAccepted());
    }

    void labelPointsAtWhatItLabels() {
        Shaped shaped(Kind::Text, QStringLiteral("Kérdés:"));
        auto* question = new Panel(&shaped.window);
        question->setCaption(QStringLiteral(" Mi estas?"));
        shaped.panel->setLabelFor(question);
        QAccessibleInterface* label = shaped.accessible();
        QAccessibleInterface* labelled = QAccessible::queryAccessibleInterface(question);
        const auto labelFor = label->relations(QAccessible::Labelled);
        QCOMPARE(labelFor.size(), 1);
        QCOMPARE(labelFor.first().first, labelled);
        const auto labelledBy = labelled->relations(QAccessible::Label);
        QCOMPARE(labelledBy.size(), 1);
        QCOMPARE(labelledBy.first().first, label);
    }

    void formNameDescribesWhereItAddsSomething_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("formName");
        QTest::addColumn<QString>("labelCaption");
        QTest::addColumn<QString>("description");
        QTest::newRow("slot-number") << "Számok"
                                     << "1. menüpont" << QString() << "1. menüpont";
        QTest::newRow("same-as-caption") << "Kilépés"
                                         << "Kilépés" << QString() << QString();
        QTest::newRow("caption-begins-with-it") << "Eddig: 1 kérdés"
                                                << "Eddig" << QString() << QString();
        QTest::newRow("said-by-its-label") << " Mi estas?"
                                           << "Kérdés"
                                           << "Kérdés:" << QString();
    }
    void formNameDescribesWhereItAddsSomething() {
        QFETCH(QString, caption);
        QFETCH(QString, formName);
        QFETCH(QString, labelCaption);
        QFETCH(QString, description);
        Shaped shaped(Kind::Button, caption);
        shaped.panel->setAccessibleName(formName);
        if (!labelCaption.isEmpty()) {
            auto* label = new Panel(&shaped.window);
            label->setCaption(labelCaption);
            label->setLabelFor(shaped.panel);
        }
        QCOMPARE(shaped.accessible()->text(QAccessible::Description), description);
    }
};

QTEST_MAIN(TestPanelAccessible)
#include "tst_panel_accessible.moc"
