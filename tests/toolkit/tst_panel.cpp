#include "panel.h"

#include <QSignalSpy>
#include <QtTest>

using kvizaro::Panel;

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
