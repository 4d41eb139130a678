#include "sugo.h"

#include "look.h"
#include "panel.h"
#include "platform.h"
#include "readers.h"
#include "text.h"
#include "ui_sugo.h"
#include "window_frame.h"

#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QStringList>

namespace kvizaro {

TSugo::TSugo(Platform& platform, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::Sugo>()), platform_(platform) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    applyFormLook(this);
    setFixedSize(size());
    keepTitleBarOnly(this);
    // A memo paints its text area in the base colour, which the form's colour role does not reach.
    QPalette memo = ui->Teksto->palette();
    memo.setColor(QPalette::Base, systemColour(SystemColour::ButtonFace));
    ui->Teksto->setPalette(memo);
    // The memo has no mouse-move handler of its own: moving onto it from "Bezár" leaves the highlight.
    keepMouseMoves(ui->Teksto);
    keepMouseMoves(ui->Teksto->viewport());
    setMouseTracking(true);
    connect(ui->Eliro, &Panel::clicked, this, &TSugo::EICl);
    connect(ui->Eliro, &Panel::mouseMoved, this, &TSugo::EIMO);
}

TSugo::~TSugo() = default;

void TSugo::LoadBlock(std::string_view blockName, const ContentLines& lines) {
    QStringList text;
    for (const std::string& line : readHelpBlock(lines, blockName)) {
        text << fromWindows1250(line);
    }
    loadText(text);
}

void TSugo::loadText(const QStringList& lines) {
    ui->Teksto->setPlainText(lines.join(QLatin1Char('\n')));
}

void TSugo::showHelp() {
    const bool first = !shownBefore_;
    shownBefore_ = true;
    if (first) {
        centre();
    }
    showWindow(this);
    // Platforms that tell the frame only once the window is up; under X11 this changes nothing.
    if (first) {
        centre();
    }
}

void TSugo::centre() {
    placeFrame(this, centredOrigin(platform_.screenSize(), size().grownBy(frameMargins(this))), size());
}

// Escape closes it as "Bezár" does, as a desktop user expects of a window that only shows text.
void TSugo::keyReleaseEvent(QKeyEvent* event) {
    if (isPhysicalRelease(event) && isEscapeKey(event)) {
        event->accept();
        EICl();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void TSugo::mouseMoveEvent(QMouseEvent* event) {
    ui->Eliro->setHovered(false);
    ui->Eliro->repaint();
    QWidget::mouseMoveEvent(event);
}

// Sent once the window is unmapped, so that the window taking the keys back is not covered by it. A
// spontaneous hide is the window manager minimising it, which hands nothing back.
void TSugo::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        emit closed();
    }
}

void TSugo::EICl() {
    close();
}

void TSugo::EIMO() {
    ui->Eliro->setHovered(true);
    ui->Eliro->repaint();
}

} // namespace kvizaro
