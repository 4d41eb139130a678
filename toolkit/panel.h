// The panel of every window: a caption with alignment, an outer bevel (raised, lowered or none) of width 1
// or 2, a background colour and a font colour. A raised panel whose `clicked` is connected is the
// program's push button; hover feedback is done by the windows through `mouseMoved`. Screen readers see a
// panel button as a push button and a panel with text as a label (panel_accessible.h).
#pragma once

#include <QColor>
#include <QFrame>
#include <QList>
#include <QPointer>
#include <QString>

class QPainter;

namespace kvizaro {

// Parts of a caption drawn marked, by character positions of the caption: ranges [begin, end) drawn
// underlined in the mark colour, and points before a character (or at the end) where something is missing,
// drawn as a small caret under the line.
struct CaptionMarks {
    struct Range {
        qsizetype begin = 0;
        qsizetype end = 0;
        friend bool operator==(const Range&, const Range&) = default;
    };
    QList<Range> differing;
    QList<qsizetype> missing;
    bool isEmpty() const { return differing.isEmpty() && missing.isEmpty(); }
    friend bool operator==(const CaptionMarks&, const CaptionMarks&) = default;
};

class Panel : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(Qt::Alignment alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(Bevel bevelOuter READ bevelOuter WRITE setBevelOuter)
    Q_PROPERTY(int bevelWidth READ bevelWidth WRITE setBevelWidth)
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(QColor fontColor READ fontColor WRITE setFontColor)

public:
    enum Bevel { Raised, Lowered, None };
    Q_ENUM(Bevel)

    // A panel button is drawn with a bevel of width 1 at rest and of width 2 while the mouse is over it.
    static constexpr int RestBevelWidth = 1;
    static constexpr int HoverBevelWidth = 2;

    explicit Panel(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    Bevel bevelOuter() const { return bevel_; }
    void setBevelOuter(Bevel bevel);
    int bevelWidth() const { return lineWidth(); }
    void setBevelWidth(int width);
    // The colours follow the palette (button face, window text) until they are set.
    QColor color() const;
    void setColor(const QColor& color);
    QColor fontColor() const;
    void setFontColor(const QColor& color);
    void setBold(bool bold);
    void setHovered(bool hovered) { setBevelWidth(hovered ? HoverBevelWidth : RestBevelWidth); }

    // The marking is drawn over the caption and belongs to it: a new caption drops it. Only a
    // single-line caption is marked.
    const CaptionMarks& marks() const { return marks_; }
    void setMarks(const CaptionMarks& marks);
    // A wrapped caption breaks at word boundaries and is centred vertically as a whole.
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool wrap);

    // A panel is a button while its `clicked` is connected (the form's "click handler"), its caption is not
    // empty and its window has not said that a click does nothing for now (a heading row of the menu).
    // A button takes the focus by Tab only, so that a click leaves the focus where the window put it;
    // Space or Enter released on it, after being pressed on it, presses it.
    bool isButton() const;
    void setActsOnClick(bool acts);
    // Emits `clicked` when the panel is a button: its screen reader's press action.
    void press();
    // The control that this panel is the label of (TKerdes of Kerdes), for screen readers.
    QWidget* labelFor() const { return labelFor_; }
    void setLabelFor(QWidget* control) { labelFor_ = control; }

signals:
    void clicked();
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void connectNotify(const QMetaMethod& signal) override;
    void disconnectNotify(const QMetaMethod& signal) override;
    void recountClickReceivers();

private:
    void applyFrameStyle();
    void updateFocusPolicy();
    void tellCaptionChange(const QString& before);
    void paintFocusMark(QPainter& painter);
    QRect captionArea() const;
    void paintMarkedCaption(QPainter& painter);

    CaptionMarks marks_;
    bool wordWrap_ = false;
    QString caption_;
    Qt::Alignment alignment_ = Qt::AlignCenter;
    Bevel bevel_ = Raised;
    bool pressed_ = false;
    bool clickedLast_ = false; // the last press and release on this panel made a click
    quint64 lastClickTime_ = 0;
    bool actsOnClick_ = true;
    int clickReceivers_ = 0;
    int pressedKey_ = 0; // Space or Enter pressed while the focus was here
    QPointer<QWidget> labelFor_;
};

} // namespace kvizaro
