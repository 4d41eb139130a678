// Draws the program's two pictures: the main menu's cover (266 x 336, 24-bit colour) and the font
// wizard's warning sign (55 x 55, 16 colours). The PNGs beside this file are its output, committed so that
// a normal build needs no drawing; run the `pictures` target after changing a picture here.
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <QtMath>

#include <cstdio>

namespace {

QPolygonF fivePointedStar(QPointF centre, qreal outerRadius) {
    const qreal innerRadius = outerRadius * 0.382;
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? outerRadius : innerRadius;
        const qreal angle = qDegreesToRadians(-90.0 + 36.0 * i);
        star << centre + QPointF(radius * qCos(angle), radius * qSin(angle));
    }
    return star;
}

void drawCentredText(QPainter& painter, const QString& text, int pixelSize, int weight, QColor colour,
                     int top, int height) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Weight(weight));
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRect(0, top, painter.device()->width(), height), Qt::AlignCenter, text);
}

QImage drawCover() {
    constexpr int width = 266;
    constexpr int height = 336;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient background(0, 0, 0, height);
    background.setColorAt(0.0, QColor(18, 122, 68));
    background.setColorAt(1.0, QColor(6, 52, 30));
    painter.fillRect(image.rect(), background);

    // A large faint star behind everything, cut by the lower right corner.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 18));
    painter.drawPolygon(fivePointedStar(QPointF(222, 288), 140));

    // The flag's white canton with the green star.
    const QRectF canton(78, 34, 110, 110);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawRoundedRect(canton.translated(3, 4), 10, 10);
    painter.setBrush(QColor(250, 250, 246));
    painter.drawRoundedRect(canton, 10, 10);
    painter.setBrush(QColor(0, 153, 0));
    painter.drawPolygon(fivePointedStar(canton.center() + QPointF(0, 4), 50));

    drawCentredText(painter, QStringLiteral("Kvizaro"), 42, QFont::Bold, Qt::white, 160, 56);
    painter.setPen(QPen(QColor(190, 230, 200), 1.5));
    painter.drawLine(QPointF(63, 224), QPointF(203, 224));
    drawCentredText(painter, QStringLiteral("eszperantó"), 17, QFont::Normal, QColor(214, 238, 220), 232, 24);
    drawCentredText(painter, QStringLiteral("nyelvgyakorló program"), 14, QFont::Normal,
                    QColor(214, 238, 220), 256, 22);
    drawCentredText(painter, QStringLiteral("ĉ  ĝ  ĥ  ĵ  ŝ  ŭ"), 20, QFont::Bold, QColor(255, 235, 130), 292,
                    30);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

// The sixteen colours of the classic VGA palette; the sign is drawn in them alone, without antialiasing,
// so that the palette image holds exactly what was drawn.
QList<QRgb> sixteenColours() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

void drawStickFigure(QPainter& painter, QColor colour) {
    painter.setPen(QPen(colour, 3, Qt::SolidLine, Qt::SquareCap));
    painter.setBrush(colour);
    painter.drawEllipse(QRect(9, 26, 8, 8)); // head
    painter.drawLine(13, 35, 13, 44);        // body
    painter.drawLine(6, 38, 20, 38);         // arms
    painter.drawLine(13, 44, 8, 51);         // legs
    painter.drawLine(13, 44, 18, 51);
}

QImage drawWarning() {
    constexpr int size = 55;
    const QColor grey(192, 192, 192);
    const QColor darkGrey(128, 128, 128);
    const QColor yellow(255, 255, 0);
    const QColor green(0, 128, 0);
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(grey);
    QPainter painter(&image);

    const QPolygon triangle({QPoint(34, 3), QPoint(53, 49), QPoint(15, 49)});
    painter.setPen(Qt::NoPen);
    painter.setBrush(darkGrey);
    painter.drawPolygon(triangle.translated(1, 2)); // shadow
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(yellow);
    painter.drawPolygon(triangle);

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(32, 17, 5, 18); // the exclamation mark's stroke
    painter.drawRect(32, 39, 5, 5);  // and its dot

    drawStickFigure(painter, green);
    painter.end();
    return image.convertToFormat(QImage::Format_Indexed8, sixteenColours(), Qt::ThresholdDither);
}

bool save(const QImage& image, const QString& path) {
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const bool saved = save(drawCover(), folder + QStringLiteral("/cover.png")) &&
                       save(drawWarning(), folder + QStringLiteral("/warning.png"));
    return saved ? 0 : 1;
}
