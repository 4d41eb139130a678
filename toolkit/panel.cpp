#include "panel.h"

#include <QGuiApplication>
#include <QStyleHints>

#include <QMouseEvent>
#include <QPainter>

namespace kvizaro {

namespace {
// Room between the bevel and a left- or right-aligned caption.
constexpr int CaptionMargin = 2;
} // namespace

Panel::Panel(QWidget* parent) : QFrame(parent) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setForegroundRole(QPalette::ButtonText);
    // Every panel takes the mouse moves over it, handled or not: a move over a panel without a handler
    // must not reach the panel beneath it and reset the highlights there.
    setMouseTracking(true);
    setLineWidth(1);
    applyFrameStyle();
}

void Panel::setCaption(const QString& caption) {
    if (caption_ != caption) {
        caption_ = caption;
        update();
    }
}

void Panel::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void Panel::setBevelOuter(Bevel bevel) {
    bevel_ = bevel;
    applyFrameStyle();
}

void Panel::setBevelWidth(int width) {
    if (width != lineWidth()) {
        setLineWidth(width);
        update();
    }
}

QColor Panel::color() const {
    return palette().color(QPalette::Button);
}

void Panel::setColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::Button, color);
    setPalette(colours);
}

QColor Panel::fontColor() const {
    return palette().color(QPalette::ButtonText);
}

void Panel::setFontColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::ButtonText, color);
    colours.setColor(QPalette::Disabled, QPalette::ButtonText, color);
    setPalette(colours);
}

void Panel::setBold(bool bold) {
    QFont changed = font();
    changed.setBold(bold);
    setFont(changed);
}

void Panel::applyFrameStyle() {
    switch (bevel_) {
    case Raised:
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        break;
    case Lowered:
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        break;
    case None:
        setFrameStyle(QFrame::NoFrame | QFrame::Plain);
        break;
    }
    update();
}

void Panel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (caption_.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setPen(fontColor());
    painter.setFont(font());
    const int inset = frameWidth() + CaptionMargin;
    const QRect area = rect().adjusted(inset, 0, -inset, 0);
    painter.drawText(area, static_cast<int>(alignment_ | Qt::AlignVCenter) | Qt::TextSingleLine, caption_);
}

void Panel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    clickedLast_ = false;
    event->accept();
}

void Panel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    clickedLast_ = click;
    lastClickTime_ = event->timestamp();
    event->accept();
    if (click) {
        emit clicked();
    }
}

// The second press of a double-click on this panel is no new click: a quick double-click on "Következő" must
// not submit an empty answer after the one typed. Qt counts two quick presses as a double-click wherever
// they land, so a panel that did not take the first one (a button of the window the first click opened)
// takes the second as an ordinary press.
void Panel::mouseDoubleClickEvent(QMouseEvent* event) {
    const bool firstWasHere =
        clickedLast_ && event->timestamp() - lastClickTime_ <=
                            ulong(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    pressed_ = !firstWasHere && !pressed_ && event->button() == Qt::LeftButton;
    clickedLast_ = false;
    event->accept();
}

void Panel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved();
}

} // namespace kvizaro
