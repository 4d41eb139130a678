#include "panel.h"

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
};

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
