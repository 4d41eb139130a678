#include "look.h"
#include "panel.h"
#include "picture_format.h"
#include "pictures.h"
#include "text.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

using namespace kvizaro;

class TestLook : public QObject {
    Q_OBJECT

private slots:
    void centringTruncatesTowardZero_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPoint>("origin");
        QTest::newRow("exact") << QSize(640, 480) << QPoint(0, 0);
        QTest::newRow("xga") << QSize(1024, 768) << QPoint(192, 144);
        QTest::newRow("sxga") << QSize(1280, 1024) << QPoint(320, 272);
        QTest::newRow("smaller") << QSize(600, 400) << QPoint(-20, -40);
        QTest::newRow("one-less") << QSize(639, 479) << QPoint(0, 0);
    }
    void centringTruncatesTowardZero() {
        QFETCH(QSize, screen);
        QFETCH(QPoint, origin);
        QCOMPARE(centredOrigin(screen, QSize(640, 480)), origin);
    }

    void formPropertiesBecomeFontsAndColours() {
        QWidget window;
        window.setProperty("pixelSize", 11);
        auto* title = new Panel(&window);
        title->setProperty("pixelSize", 16);
        title->setProperty("colorRole", QStringLiteral("ActiveCaption"));
        title->setProperty("fontColorRole", QStringLiteral("CaptionText"));
        auto* label = new Panel(&window);
        applyFormLook(&window);
        QCOMPARE(window.font().pixelSize(), 11);
        QCOMPARE(title->font().pixelSize(), 16);
        QCOMPARE(label->font().pixelSize(), 11); // inherited from the window
        QCOMPARE(title->color(), QApplication::palette().color(QPalette::Active, QPalette::Highlight));
        QCOMPARE(title->fontColor(),
                 QApplication::palette().color(QPalette::Active, QPalette::HighlightedText));
        QCOMPARE(label->color(), QApplication::palette().color(QPalette::Button));
    }

    void packedPicturesKeepEveryPixel_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("cover") << QStringLiteral("cover");
        QTest::newRow("warning") << QStringLiteral("warning");
    }
    void packedPicturesKeepEveryPixel() {
        QFETCH(QString, name);
        const QImage drawn(QStringLiteral(KVIZARO_PICTURES_DIR "/") + name + QStringLiteral(".png"));
        const QImage shown = picture(name);
        QVERIFY(!drawn.isNull());
        QCOMPARE(shown.size(), drawn.size());
        QCOMPARE(shown, drawn.convertToFormat(shown.format()));
    }

    void damagedPackedPicturesAreRefused_data() {
        const QImage image(QStringLiteral(KVIZARO_PICTURES_DIR "/warning.png"));
        const QByteArray whole = packPicture(image);
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readable");
        QTest::newRow("whole") << whole << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("header only") << whole.left(PictureHeaderSize) << false;
        QTest::newRow("one byte short") << whole.chopped(1) << false;
        QTest::newRow("one byte over") << whole + 'x' << false;
        QTest::newRow("wrong magic") << QByteArray("KVZQ") + whole.mid(4) << false;
        QByteArray huge = whole;
        qToLittleEndian<quint32>(0x40000000, huge.data() + 4); // a width whose rows overflow
        QTest::newRow("huge width") << huge << false;
        QByteArray indexed = whole;
        qToLittleEndian<quint32>(quint32(QImage::Format_Indexed8), indexed.data() + 12);
        QTest::newRow("other format") << indexed << false;
    }
    void damagedPackedPicturesAreRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, readable);
        QCOMPARE(!unpackPicture(bytes.constData(), bytes.size()).isNull(), readable);
    }

    void formsNameTheirPictures() {
        QWidget window;
        auto* cover = new QLabel(&window);
        cover->setProperty("picture", QStringLiteral("cover"));
        auto* missing = new QLabel(&window);
        missing->setProperty("picture", QStringLiteral("none"));
        applyFormLook(&window);
        QCOMPARE(cover->pixmap().size(), QSize(266, 336));
        QVERIFY(missing->pixmap().isNull());
    }

    void keysCountOnlyOnPhysicalRelease() {
        const QKeyEvent held(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(), true);
        const QKeyEvent released(QEvent::KeyRelease, Qt::Key_Enter, Qt::NoModifier, QString(), false);
        QVERIFY(!isPhysicalRelease(&held));
        QVERIFY(isPhysicalRelease(&released));
        QVERIFY(isEnterKey(&held) && isEnterKey(&released));
        QVERIFY(!isEscapeKey(&released));
    }

    void textBridgesKeepTheirCodePages() {
        QCOMPARE(fromWindows1250("K\xf6sz\xf6n\xe9sek"), hu("Köszönések"));
        QCOMPARE(fromLatin3("\xe6u"), hu("ĉu"));
        QCOMPARE(toLatin3(hu("ĉu Ő")), std::string("\xe6u \xd5"));
        QCOMPARE(toWindows1250(hu("űző")), std::string("\xfbz\xf5"));
    }
};

QTEST_MAIN(TestLook)
#include "tst_look.moc"
