#include "panel.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QtTest>

using kvizaro::CaptionMarks;
using kvizaro::Panel;

namespace {

// Rows of the image that hold anything but the background colour of its centre's row ends.
int paintedRows(const QImage& image) {
    int rows = 0;
    const QRgb background = image.pixel(2, 2);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

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

class TestPanel : public QObject {
    Q_OBJECT

private slots:
    void bevelMapsOntoTheFrame_data() {
        QTest::addColumn<Panel::Bevel>("bevel");
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("shadow");
        QTest::addColumn<bool>("framed");
        QTest::newRow("raised") << Panel::Raised << int(QFrame::Panel) << int(QFrame::Raised) << true;
        QTest::newRow("lowered") << Panel::Lowered << int(QFrame::Panel) << int(QFrame::Sunken) << true;
        QTest::newRow("none") << Panel::None << int(QFrame::NoFrame) << int(QFrame::Plain) << false;
    }
    void bevelMapsOntoTheFrame() {
        QFETCH(Panel::Bevel, bevel);
        QFETCH(int, shape);
        QFETCH(int, shadow);
        QFETCH(bool, framed);
        Panel panel;
        panel.setBevelOuter(bevel);
        panel.setBevelWidth(2);
        QCOMPARE(panel.property("bevelOuter").value<Panel::Bevel>(), bevel);
        QCOMPARE(int(panel.frameShape()), shape);
        QCOMPARE(int(panel.frameShadow()), shadow);
        QCOMPARE(panel.frameWidth(), framed ? 2 : 0);
    }

    void widthTwoLooksDifferentFromWidthOne() {
        Panel panel;
        panel.resize(80, 30);
        panel.setCaption(QStringLiteral("Ok"));
        const QImage narrow = panel.grab().toImage();
        panel.setBevelWidth(2);
        QCOMPARE(panel.property("bevelWidth").toInt(), 2);
        QVERIFY(panel.grab().toImage() != narrow);
    }

    void coloursAreRepaintedAtOnce() {
        Panel panel;
        panel.resize(40, 20);
        panel.setBevelOuter(Panel::None);
        panel.setColor(QColor(255, 0, 0));
        QCOMPARE(panel.grab().toImage().pixelColor(20, 10), QColor(255, 0, 0));
        panel.setColor(QColor(0, 255, 255));
        QCOMPARE(panel.property("color").value<QColor>(), QColor(0, 255, 255));
        QCOMPARE(panel.grab().toImage().pixelColor(20, 10), QColor(0, 255, 255));
    }

    // The marking is drawn over the caption and belongs to it: the caption property stays the text, the
    // same text set again keeps the marking, another text drops it.
    void marksBelongToTheCaption() {
        Panel panel;
        panel.setCaption(QStringLiteral(" Bona tago"));
        const CaptionMarks marks{{{1, 3}}, {5, 10}};
        panel.setMarks(marks);
        QCOMPARE(panel.property("caption").toString(), QStringLiteral(" Bona tago"));
        panel.setCaption(QStringLiteral(" Bona tago"));
        QCOMPARE(panel.marks(), marks);
        panel.setCaption(QStringLiteral(" tri"));
        QVERIFY(panel.marks().isEmpty());
    }

    // Marking moves no letter: above the baseline, a caption with a caret at its end looks exactly like the
    // unmarked one, and a marked range changes the picture.
    void markingKeepsTheLettersInPlace_data() {
        QTest::addColumn<int>("alignment");
        QTest::newRow("left") << int(Qt::AlignLeft | Qt::AlignVCenter);
        QTest::newRow("centre") << int(Qt::AlignCenter);
        QTest::newRow("right") << int(Qt::AlignRight | Qt::AlignVCenter);
    }
    void markingKeepsTheLettersInPlace() {
        QFETCH(int, alignment);
        Panel panel;
        panel.resize(300, 35);
        panel.setBevelOuter(Panel::Lowered);
        panel.setAlignment(Qt::Alignment(alignment));
        panel.setCaption(QStringLiteral(" Bona tago"));
        const QImage plain = panel.grab().toImage();
        panel.setMarks({{}, {10}});
        const QImage caret = panel.grab().toImage();
        QVERIFY(caret != plain);
        const QRect upper(0, 0, 300, 17);
        QCOMPARE(caret.copy(upper), plain.copy(upper));
        panel.setMarks({{{1, 5}}, {}});
        QVERIFY(panel.grab().toImage().copy(upper) != plain.copy(upper));
    }

    void wrappedCaptionTakesSeveralLines() {
        Panel panel;
        panel.resize(120, 60);
        panel.setBevelOuter(Panel::None);
        panel.setCaption(QStringLiteral("egy kettő három négy öt hat hét nyolc"));
        const int single = paintedRows(panel.grab().toImage());
        panel.setWordWrap(true);
        const int wrapped = paintedRows(panel.grab().toImage());
        QVERIFY2(wrapped > single + single / 2,
                 qPrintable(QStringLiteral("%1 / %2").arg(single).arg(wrapped)));
    }

    void clickNeedsPressAndReleaseInside_data() {
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<int>("clicks");
        QTest::newRow("inside") << QPoint(10, 10) << 1;
        QTest::newRow("dragged-out") << QPoint(200, 10) << 0;
    }
    void clickNeedsPressAndReleaseInside() {
        QFETCH(QPoint, releaseAt);
        QFETCH(int, clicks);
        Panel panel;
        panel.resize(50, 25);
        QSignalSpy clicked(&panel, &Panel::clicked);
        QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(&panel, Qt::LeftButton, {}, releaseAt);
        QCOMPARE(clicked.count(), clicks);
        QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(clicked.count(), clicks);
    }

    void doubleClickIsOneClick_data() {
        QTest::addColumn<QList<int>>("events");
        const int press = QEvent::MouseButtonPress;
        const int release = QEvent::MouseButtonRelease;
        const int doubleClick = QEvent::MouseButtonDblClick;
        // As the window system delivers it, and without the second press.
        QTest::newRow("press-and-double-click") << QList<int>{press, release, press, doubleClick, release};
        QTest::newRow("double-click-alone") << QList<int>{press, release, doubleClick, release};
        // The first click opened this panel's window elsewhere: the second is this panel's only one.
        QTest::newRow("first-click-elsewhere") << QList<int>{doubleClick, release};
    }
    void doubleClickIsOneClick() {
        QFETCH(QList<int>, events);
        Panel panel;
        panel.resize(50, 25);
        QSignalSpy clicked(&panel, &Panel::clicked);
        const QPointF at(10, 10);
        for (int type : events) {
            const bool down = type != QEvent::MouseButtonRelease;
            QMouseEvent event(QEvent::Type(type), at, panel.mapToGlobal(at), Qt::LeftButton,
                              down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&panel, &event);
        }
        QCOMPARE(clicked.count(), 1);
    }

    void mouseMovesStopAtThePanel() {
        // A move over an inner panel must not reach the panel beneath it.
        Panel board;
        board.resize(200, 100);
        auto* inner = new Panel(&board);
        inner->setGeometry(10, 10, 50, 20);
        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));
        QSignalSpy boardMoves(&board, &Panel::mouseMoved);
        QSignalSpy innerMoves(inner, &Panel::mouseMoved);
        QTest::mouseMove(inner, QPoint(5, 5));
        QTRY_COMPARE(innerMoves.count(), 1);
        QCOMPARE(boardMoves.count(), 0);
        QTest::mouseMove(&board, QPoint(150, 80));
        QTRY_COMPARE(boardMoves.count(), 1);
    }

    // The events a caption change sends are heard on the real bus only (tests/desktop/screen_reader): the
    // offscreen platform has no accessibility, so Qt drops every event before any handler sees it.
    // Only a button offers the press action and takes the focus, by Tab.
    void readerSeesWhatThePanelDoes_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<bool>("announced");
        QTest::newRow("button") << Kind::Button << QAccessible::Button << true;
        QTest::newRow("text") << Kind::Text << QAccessible::StaticText << true;
        QTest::newRow("heading") << Kind::Inert << QAccessible::StaticText << true;
        QTest::newRow("empty") << Kind::Empty << QAccessible::Pane << false;
        QTest::newRow("hidden") << Kind::Hidden << QAccessible::Button << false;
    }
    void readerSeesWhatThePanelDoes() {
        QFETCH(Kind, kind);
        Shaped shaped(kind);
        QAccessibleInterface* reader = shaped.reader();
        QTEST(reader->role(), "role");
        QTEST(!reader->state().invisible, "announced");
        QCOMPARE(reader->text(QAccessible::Name), shaped.panel->caption());
        const bool button = reader->role() == QAccessible::Button;
        QCOMPARE(reader->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()),
                 button);
        const bool readable = reader->role() == QAccessible::StaticText;
        QCOMPARE(reader->textInterface() != nullptr, readable);
        if (readable) {
            QCOMPARE(reader->textInterface()->text(0, reader->textInterface()->characterCount()),
                     shaped.panel->caption());
        }
        QCOMPARE(shaped.panel->focusPolicy(), button ? Qt::TabFocus : Qt::NoFocus);
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
        QTEST(int(clicked.count()), "clicks");
    }

    // Qt tells the panel of its receivers with a lock held; asking Qt back from there hung now and then.
    void stopsBeingAButtonWhenItsReceiversGo_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("by-connection") << 0;
        QTest::newRow("all-at-once") << 1;
        QTest::newRow("receiver-destroyed") << 2;
    }
    void stopsBeingAButtonWhenItsReceiversGo() {
        QFETCH(int, way);
        Shaped shaped(Kind::Text);
        auto receiver = std::make_unique<QObject>();
        const auto connection = connect(shaped.panel, &Panel::clicked, receiver.get(), [] {});
        QCOMPARE(shaped.panel->focusPolicy(), Qt::TabFocus);
        if (way == 0) {
            disconnect(connection);
        } else if (way == 1) {
            disconnect(shaped.panel, nullptr, receiver.get(), nullptr);
        } else {
            receiver.reset();
        }
        QTRY_COMPARE(shaped.panel->focusPolicy(), Qt::NoFocus);
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

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
