#include "panel.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QtTest>

using kvizaro::Panel;

namespace {

enum class Kind { Button, Text, Empty, Inert, Hidden };

// A panel as a form and its window leave it: a caption or none, a click handler or none, a heading row.
struct Shaped {
    explicit Shaped(Kind kind, const QString& caption = QStringLiteral("Következő")) {
        panel->setCaption(kind == Kind::Empty ? QString() : caption);
        if (kind != Kind::Text) {
            QObject::connect(panel, &Panel::clicked, &window, [] {});
        }
        panel->setActsOnClick(kind != Kind::Inert);
        panel->setVisible(kind != Kind::Hidden);
        window.show();
    }
    QAccessibleInterface* reader() const { return QAccessible::queryAccessibleInterface(panel); }
    void key(QEvent::Type type, int key) {
        QKeyEvent event(type, key, Qt::NoModifier);
        QApplication::sendEvent(panel, &event);
    }
    QWidget window;
    Panel* panel = new Panel(&window);
};

} // namespace

// The events a caption change sends are heard on the real bus only (tests/desktop/screen_reader): the
// offscreen platform has no accessibility, so Qt drops every event before any handler sees it.
class TestPanelAccessible : public QObject {
    Q_OBJECT

private slots:
    void readerSeesWhatThePanelDoes_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<bool>("announced");
        QTest::addColumn<bool>("pressable");
        QTest::addColumn<Qt::FocusPolicy>("focus");
        QTest::newRow("button") << Kind::Button << QAccessible::Button << true << true << Qt::TabFocus;
        QTest::newRow("text") << Kind::Text << QAccessible::StaticText << true << false << Qt::NoFocus;
        QTest::newRow("heading") << Kind::Inert << QAccessible::StaticText << true << false << Qt::NoFocus;
        QTest::newRow("empty") << Kind::Empty << QAccessible::Pane << false << false << Qt::NoFocus;
        QTest::newRow("hidden") << Kind::Hidden << QAccessible::Button << false << true << Qt::TabFocus;
    }
    void readerSeesWhatThePanelDoes() {
        QFETCH(Kind, kind);
        QFETCH(QAccessible::Role, role);
        QFETCH(bool, announced);
        QFETCH(bool, pressable);
        QFETCH(Qt::FocusPolicy, focus);
        Shaped shaped(kind);
        QAccessibleInterface* reader = shaped.reader();
        QCOMPARE(reader->role(), role);
        QCOMPARE(!reader->state().invisible, announced);
        QCOMPARE(reader->text(QAccessible::Name), shaped.panel->caption());
        QCOMPARE(reader->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()),
                 pressable);
        const bool readable = role == QAccessible::StaticText;
        QCOMPARE(reader->textInterface() != nullptr, readable);
        if (readable) {
            QCOMPARE(reader->textInterface()->text(0, reader->textInterface()->characterCount()),
                     shaped.panel->caption());
        }
        QCOMPARE(shaped.panel->focusPolicy(), focus);
    }

    // A release whose press went elsewhere is the Enter that submitted the last answer before the focus
    // came to the button at the end.
    void pressedOnlyAsAButton_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("key"); // 0: the reader's press action
        QTest::addColumn<bool>("pressedHere");
        QTest::addColumn<int>("clicks");
        QTest::newRow("action") << Kind::Button << 0 << false << 1;
        QTest::newRow("space") << Kind::Button << int(Qt::Key_Space) << true << 1;
        QTest::newRow("enter") << Kind::Button << int(Qt::Key_Return) << true << 1;
        QTest::newRow("release-only") << Kind::Button << int(Qt::Key_Return) << false << 0;
        QTest::newRow("other-key") << Kind::Button << int(Qt::Key_A) << true << 0;
        QTest::newRow("heading-action") << Kind::Inert << 0 << false << 0;
        QTest::newRow("heading-space") << Kind::Inert << int(Qt::Key_Space) << true << 0;
    }
    void pressedOnlyAsAButton() {
        QFETCH(Kind, kind);
        QFETCH(int, key);
        QFETCH(bool, pressedHere);
        QFETCH(int, clicks);
        Shaped shaped(kind);
        QSignalSpy clicked(shaped.panel, &Panel::clicked);
        if (key == 0) {
            shaped.reader()->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        } else {
            if (pressedHere) {
                shaped.key(QEvent::KeyPress, key);
            }
            shaped.key(QEvent::KeyRelease, key);
        }
        QCOMPARE(clicked.count(), clicks);
    }

    void labelPointsAtWhatItLabels() {
        Shaped label(Kind::Text, QStringLiteral("Kérdés:"));
        auto* question = new Panel(&label.window);
        question->setCaption(QStringLiteral(" Mi estas?"));
        label.panel->setLabelFor(question);
        QAccessibleInterface* labelled = QAccessible::queryAccessibleInterface(question);
        const auto labelFor = label.reader()->relations(QAccessible::Labelled);
        const auto labelledBy = labelled->relations(QAccessible::Label);
        QCOMPARE(labelFor.size(), 1);
        QCOMPARE(labelFor.first().first, labelled);
        QCOMPARE(labelledBy.size(), 1);
        QCOMPARE(labelledBy.first().first, label.reader());
    }
};

QTEST_MAIN(TestPanelAccessible)
#include "tst_panel_accessible.moc"
