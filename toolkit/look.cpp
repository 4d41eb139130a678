#include "look.h"

#include "panel.h"
#include "pictures.h"
#include "text.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>

namespace kvizaro {

namespace {

std::optional<SystemColour> colourNamed(const QString& name) {
    static const std::pair<const char*, SystemColour> names[] = {
        {"ButtonFace", SystemColour::ButtonFace},       {"WindowText", SystemColour::WindowText},
        {"ActiveCaption", SystemColour::ActiveCaption}, {"CaptionText", SystemColour::CaptionText},
        {"InfoText", SystemColour::InfoText},           {"AppWorkspace", SystemColour::AppWorkspace},
    };
    for (const auto& [text, colour] : names) {
        if (name == QLatin1String(text)) {
            return colour;
        }
    }
    return std::nullopt;
}

void applyPixelSize(QWidget* widget) {
    const QVariant size = widget->property("pixelSize");
    if (size.isValid()) {
        QFont font = widget->font();
        font.setPixelSize(size.toInt());
        widget->setFont(font);
    }
}

void applyPicture(QWidget* widget) {
    const QVariant name = widget->property("picture");
    if (auto* label = qobject_cast<QLabel*>(widget); label && name.isValid()) {
        label->setPixmap(QPixmap::fromImage(picture(name.toString())));
    }
}

void applyWordWrap(QWidget* widget) {
    if (auto* panel = qobject_cast<Panel*>(widget); panel && widget->property("wordWrap").isValid()) {
        panel->setWordWrap(widget->property("wordWrap").toBool());
    }
}

void applyColours(QWidget* widget) {
    const auto background = colourNamed(widget->property("colorRole").toString());
    const auto text = colourNamed(widget->property("fontColorRole").toString());
    if (auto* panel = qobject_cast<Panel*>(widget)) {
        if (background) {
            panel->setColor(systemColour(*background));
        }
        if (text) {
            panel->setFontColor(systemColour(*text));
        }
        return;
    }
    QPalette colours = widget->palette();
    if (background) {
        colours.setColor(widget->backgroundRole(), systemColour(*background));
    }
    if (text) {
        colours.setColor(widget->foregroundRole(), systemColour(*text));
    }
    widget->setPalette(colours);
}

class MouseMoveSink : public QObject {
public:
    using QObject::QObject;

protected:
    // Only the moves of a hovering mouse: a drag (selecting text in an edit box or memo) must still reach
    // the control itself.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove &&
            static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) {
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QString applicationTitle() {
    return QString::fromUtf8(ApplicationTitleUtf8);
}

QColor systemColour(SystemColour colour) {
    const QPalette palette = QApplication::palette();
    switch (colour) {
    case SystemColour::ButtonFace:
        return palette.color(QPalette::Button);
    case SystemColour::WindowText:
        return palette.color(QPalette::WindowText);
    case SystemColour::ActiveCaption:
        return readableBackground(palette.color(QPalette::Active, QPalette::Highlight),
                                  palette.color(QPalette::Active, QPalette::HighlightedText));
    case SystemColour::CaptionText:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case SystemColour::InfoText:
        return palette.color(QPalette::ToolTipText);
    case SystemColour::AppWorkspace:
        // Captions are drawn on it in the caption-text colour; Dark is too light for that.
        return palette.color(QPalette::Shadow);
    }
    return {};
}

namespace {

double relativeLuminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

} // namespace

double contrastRatio(const QColor& first, const QColor& second) {
    const double one = relativeLuminance(first);
    const double other = relativeLuminance(second);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

QColor readableBackground(const QColor& background, const QColor& text, double ratio) {
    QColor shade = background.toRgb();
    // Each step takes 2 % off every channel, keeping the hue; black ends the search.
    while (contrastRatio(shade, text) < ratio && shade != QColor(Qt::black)) {
        shade = QColor::fromRgbF(shade.redF() * 0.98f, shade.greenF() * 0.98f, shade.blueF() * 0.98f);
        if (shade.red() + shade.green() + shade.blue() < 3) {
            shade = QColor(Qt::black);
        }
    }
    return shade;
}

namespace {

const QColor MarkRed(192, 0, 0);
constexpr double MarkContrast = 4.5;

// `colour` lightened toward white until it reaches `ratio` against `background`, keeping its hue as long
// as it can.
QColor lightenedFor(const QColor& colour, const QColor& background, double ratio) {
    QColor shade = colour.toRgb();
    while (contrastRatio(shade, background) < ratio && shade != QColor(Qt::white)) {
        const auto towardWhite = [](float channel) {
            return std::min(1.0f, channel + (1.0f - channel) * 0.05f + 0.002f);
        };
        shade = QColor::fromRgbF(towardWhite(shade.redF()), towardWhite(shade.greenF()),
                                 towardWhite(shade.blueF()));
    }
    return shade;
}

} // namespace

QColor markColour(const QColor& background) {
    const QColor darkened = readableBackground(MarkRed, background, MarkContrast);
    if (contrastRatio(darkened, background) >= MarkContrast) {
        return darkened;
    }
    return lightenedFor(MarkRed, background, MarkContrast);
}

void applyFormLook(QWidget* window) {
    applyPixelSize(window);
    applyColours(window);
    // findChildren lists parents before their children, so a size set on a panel reaches the controls on
    // it before their own sizes are applied.
    for (QWidget* child : window->findChildren<QWidget*>()) {
        applyPixelSize(child);
        applyColours(child);
        applyPicture(child);
        applyWordWrap(child);
    }
}

void installFontSubstitutions() {
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                           QStringLiteral("DejaVu Sans")};
    const QStringList mono{QStringLiteral("Liberation Mono"), QStringLiteral("Cousine"),
                           QStringLiteral("DejaVu Sans Mono")};
    for (const char* face : {"MS Sans Serif", "Arial", "Esperanto L3 Sans Serif"}) {
        QFont::insertSubstitutions(QString::fromLatin1(face), sans);
    }
    QFont::insertSubstitutions(QStringLiteral("Courier New"), mono);
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
}

void useFormFontByDefault() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    QApplication::setFont(font);
}

QFont esperantoFont() {
    QFont font(QStringLiteral("Esperanto L3 Sans Serif"));
    font.setPixelSize(16);
    return font;
}

QPoint centredOrigin(QSize screen, QSize window) {
    return QPoint((screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2);
}

void showWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

bool isPhysicalRelease(const QKeyEvent* event) {
    return !event->isAutoRepeat();
}

bool isEnterKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

bool isEscapeKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Escape;
}

void keepMouseMoves(QWidget* control) {
    control->setMouseTracking(true);
    control->installEventFilter(new MouseMoveSink(control));
}

} // namespace kvizaro
