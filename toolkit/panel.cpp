#include "panel.h"

#include "look.h"
#include "panel_accessible.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QStyleHints>
#include <QTextLayout>

#include <algorithm>

namespace kvizaro {

namespace {
// Room between the bevel and a left- or right-aligned caption.
constexpr int CaptionMargin = 2;

// The caret that marks a missing part: its width and height in pixels and its gap below the baseline.
constexpr qreal CaretWidth = 8;
constexpr qreal CaretHeight = 5;
constexpr qreal CaretGap = 1;

QList<QTextLayout::FormatRange> markedFormats(const CaptionMarks& marks, qsizetype length,
                                              const QColor& colour) {
    QList<QTextLayout::FormatRange> formats;
    for (const CaptionMarks::Range& range : marks.differing) {
        const qsizetype begin = std::clamp<qsizetype>(range.begin, 0, length);
        const qsizetype end = std::clamp<qsizetype>(range.end, begin, length);
        if (end > begin) {
            QTextLayout::FormatRange format;
            format.start = int(begin);
            format.length = int(end - begin);
            format.format.setForeground(colour);
            format.format.setFontUnderline(true);
            formats.append(format);
        }
    }
    return formats;
}

bool isPressKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Space || isEnterKey(event);
}
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
    installPanelAccessibility();
}

void Panel::setCaption(const QString& caption) {
    if (caption_ != caption) {
        const QString before = caption_;
        caption_ = caption;
        marks_ = {};
        updateFocusPolicy();
        update();
        tellCaptionChange(before);
    }
}

// A screen reader hears the new caption of the control it is on (a menu row after scrolling, the question).
void Panel::tellCaptionChange(const QString& before) {
    if (!QAccessible::isActive()) {
        return;
    }
    if (before.isEmpty() != caption_.isEmpty()) {
        QAccessible::State shown;
        shown.invisible = true;
        QAccessibleStateChangeEvent shownChanged(this, shown);
        QAccessible::updateAccessibility(&shownChanged);
    }
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    if (!isButton()) {
        QAccessibleTextUpdateEvent rewritten(this, 0, before, caption_);
        QAccessible::updateAccessibility(&rewritten);
    }
}

bool Panel::isButton() const {
    return actsOnClick_ && !caption_.isEmpty() && clickReceivers_ > 0;
}

void Panel::setActsOnClick(bool acts) {
    if (actsOnClick_ != acts) {
        actsOnClick_ = acts;
        updateFocusPolicy();
    }
}

void Panel::press() {
    if (isButton()) {
        emit clicked();
    }
}

void Panel::updateFocusPolicy() {
    setFocusPolicy(isButton() ? Qt::TabFocus : Qt::NoFocus);
}

// Qt may call these two with its connection lock held, so they must not ask it whether the signal is
// connected (isSignalConnected would wait on that lock for ever): they count the receivers themselves.
void Panel::connectNotify(const QMetaMethod& signal) {
    if (signal == QMetaMethod::fromSignal(&Panel::clicked)) {
        ++clickReceivers_;
        updateFocusPolicy();
    }
}

void Panel::disconnectNotify(const QMetaMethod& signal) {
    if (signal == QMetaMethod::fromSignal(&Panel::clicked)) {
        clickReceivers_ = std::max(0, clickReceivers_ - 1);
        updateFocusPolicy();
    } else if (!signal.isValid()) {
        // Every signal was disconnected at once: ask again once the lock is free.
        QMetaObject::invokeMethod(this, &Panel::recountClickReceivers, Qt::QueuedConnection);
    }
}

void Panel::recountClickReceivers() {
    // receivers() takes the signal the way the SIGNAL macro writes it: its code, then its signature.
    const QByteArray clickedSignal =
        QByteArray("2") + QMetaMethod::fromSignal(&Panel::clicked).methodSignature();
    clickReceivers_ = receivers(clickedSignal.constData());
    updateFocusPolicy();
}

void Panel::setMarks(const CaptionMarks& marks) {
    if (marks_ != marks) {
        marks_ = marks;
        update();
    }
}

void Panel::setWordWrap(bool wrap) {
    if (wordWrap_ != wrap) {
        wordWrap_ = wrap;
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
    // Marked only once the window has been used by keyboard: a mouse user sees the panels as they were.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        QPainter painter(this);
        paintFocusMark(painter);
    }
    if (caption_.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setPen(fontColor());
    painter.setFont(font());
    if (!marks_.isEmpty() && !wordWrap_) {
        paintMarkedCaption(painter);
        return;
    }
    const int lines = wordWrap_ ? Qt::TextWordWrap : Qt::TextSingleLine;
    painter.drawText(captionArea(), static_cast<int>(alignment_ | Qt::AlignVCenter) | lines, caption_);
}

QRect Panel::captionArea() const {
    const int inset = frameWidth() + CaptionMargin;
    return rect().adjusted(inset, 0, -inset, 0);
}

// Laid out as one line, as drawText lays out an unmarked caption, so that marking a caption moves none of
// its letters; the marked ranges take the mark colour and an underline, the missing points a caret.
void Panel::paintMarkedCaption(QPainter& painter) {
    const QRect area = captionArea();
    const QColor colour = markColour(color());
    QTextLayout layout(caption_, font());
    QTextOption option(alignment_ & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(area.width());
    layout.endLayout();
    const QPointF origin(area.left(), area.top() + (area.height() - line.height()) / 2);
    painter.save();
    painter.setClipRect(area);
    layout.draw(&painter, origin, markedFormats(marks_, caption_.size(), colour));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const qreal baseline = origin.y() + line.ascent();
    for (const qsizetype point : marks_.missing) {
        const qreal x = origin.x() + line.cursorToX(int(std::clamp<qsizetype>(point, 0, caption_.size())));
        const qreal top = baseline + CaretGap;
        painter.drawPolygon(QPolygonF({QPointF(x, top), QPointF(x + CaretWidth / 2, top + CaretHeight),
                                       QPointF(x - CaretWidth / 2, top + CaretHeight)}));
    }
    painter.restore();
}

void Panel::paintFocusMark(QPainter& painter) {
    const int inset = frameWidth() + 1;
    painter.setPen(QPen(fontColor(), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
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

// Other keys travel on to the window, whose own handlers (digits, Escape) see them as before.
void Panel::keyPressEvent(QKeyEvent* event) {
    if (isButton() && isPressKey(event)) {
        if (isPhysicalRelease(event)) {
            pressedKey_ = event->key();
        }
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

// A release whose press went elsewhere (the Enter that submitted the answer before the focus came here) is
// no press of this button.
void Panel::keyReleaseEvent(QKeyEvent* event) {
    if (isButton() && isPressKey(event) && isPhysicalRelease(event) && event->key() == pressedKey_) {
        pressedKey_ = 0;
        event->accept();
        emit clicked();
        return;
    }
    QFrame::keyReleaseEvent(event);
}

void Panel::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    update();
}

void Panel::focusOutEvent(QFocusEvent* event) {
    pressedKey_ = 0;
    QFrame::focusOutEvent(event);
    update();
}

} // namespace kvizaro
