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
        QCOMPARE(title->color(), systemColour(SystemColour::ActiveCaption));
        QCOMPARE(title->fontColor(),
                 QApplication::palette().color(QPalette::Active, QPalette::HighlightedText));
        QCOMPARE(label->color(), QApplication::palette().color(QPalette::Button));
    }

    void contrastFollowsWcag_data() {
        QTest::addColumn<QColor>("first");
        QTest::addColumn<QColor>("second");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black-on-white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("same") << QColor(0x30, 0x8c, 0xc6) << QColor(0x30, 0x8c, 0xc6) << 1.0;
        QTest::newRow("white-on-dark-grey") << QColor(0x9f, 0x9f, 0x9f) << QColor(Qt::white) << 2.64;
        QTest::newRow("white-on-shadow") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
        QTest::newRow("white-on-selection") << QColor(0x30, 0x8c, 0xc6) << QColor(Qt::white) << 3.69;
        QTest::newRow("order-free") << QColor(Qt::white) << QColor(0x76, 0x76, 0x76) << 4.54;
    }
    void contrastFollowsWcag() {
        QFETCH(QColor, first);
        QFETCH(QColor, second);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(contrastRatio(first, second) - ratio) < 0.01,
                 qPrintable(QString::number(contrastRatio(first, second))));
    }

    void backgroundDarkensOnlyAsFarAsNeeded_data() {
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<bool>("changed");
        QTest::newRow("selection-blue") << QColor(0x30, 0x8c, 0xc6) << QColor(Qt::white) << 4.5 << true;
        QTest::newRow("already-dark") << QColor(0x00, 0x00, 0x80) << QColor(Qt::white) << 4.5 << false;
        QTest::newRow("light-grey") << QColor(0xef, 0xef, 0xef) << QColor(Qt::white) << 4.5 << true;
        QTest::newRow("large-text") << QColor(0x30, 0x8c, 0xc6) << QColor(Qt::white) << 3.0 << false;
        QTest::newRow("white-on-white") << QColor(Qt::white) << QColor(Qt::white) << 4.5 << true;
    }
    void backgroundDarkensOnlyAsFarAsNeeded() {
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        QFETCH(double, ratio);
        QFETCH(bool, changed);
        const QColor shade = readableBackground(background, text, ratio);
        QCOMPARE(shade != background, changed);
        QVERIFY(contrastRatio(shade, text) >= ratio);
        // Hue is kept, and one step lighter would no longer be enough.
        if (changed && shade != QColor(Qt::black)) {
            QCOMPARE(shade.hsvHue(), background.hsvHue());
            const QColor lighter =
                QColor::fromRgbF(shade.redF() / 0.98f, shade.greenF() / 0.98f, shade.blueF() / 0.98f);
            QVERIFY(contrastRatio(lighter, text) < ratio + 0.1);
        }
    }

    // The marking's colour reads at 4.5:1 on any panel colour: its red as it is on light panels, darker on
    // mid greys, lighter on dark ones; on a middle grey only a red next to black reads, and it is no longer
    // clearly red (its red channel at least 60 above the others).
    void markColourReadsOnThePanel_data() {
        QTest::addColumn<QColor>("background");
        QTest::addColumn<bool>("red");
        QTest::newRow("button-face") << QColor(0xef, 0xef, 0xef) << true;
        QTest::newRow("white") << QColor(Qt::white) << true;
        QTest::newRow("mid-grey") << QColor(0x9f, 0x9f, 0x9f) << true;
        QTest::newRow("dark-theme") << QColor(0x31, 0x36, 0x3b) << true;
        QTest::newRow("black") << QColor(Qt::black) << true;
        QTest::newRow("grey-between") << QColor(0x80, 0x80, 0x80) << false;
    }
    void markColourReadsOnThePanel() {
        QFETCH(QColor, background);
        QFETCH(bool, red);
        const QColor mark = markColour(background);
        const double ratio = contrastRatio(mark, background);
        QVERIFY2(ratio >= 4.5,
                 qPrintable(QStringLiteral("%1 on %2: %3:1").arg(mark.name(), background.name()).arg(ratio)));
        QCOMPARE(mark.red() > mark.green() + 60 && mark.green() == mark.blue(), red);
    }

    void captionsReadOnTheDefaultPalette_data() {
        QTest::addColumn<int>("background");
        QTest::addColumn<int>("text");
        QTest::newRow("active-caption") << int(SystemColour::ActiveCaption) << int(SystemColour::CaptionText);
        QTest::newRow("app-workspace") << int(SystemColour::AppWorkspace) << int(SystemColour::CaptionText);
    }
    void captionsReadOnTheDefaultPalette() {
        QFETCH(int, background);
        QFETCH(int, text);
        const double ratio =
            contrastRatio(systemColour(SystemColour(background)), systemColour(SystemColour(text)));
        QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
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
