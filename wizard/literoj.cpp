#include "literoj.h"

#include "look.h"
#include "panel.h"
#include "platform.h"
#include "ui_literoj.h"
#include "window_frame.h"

#include <QCloseEvent>
#include <QMouseEvent>

namespace kvizaro {

namespace {
// The wizard places itself as if it were as large as the task sheet, over the main menu's board.
constexpr QSize PlacedSize{640, 480};
} // namespace

TLiteroj::TLiteroj(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::Literoj>()), platform_(platform) {
    ui->setupUi(this);
    applyFormLook(this);
    setFixedSize(size());
    // The memo is read on the button-face colour, not on the white of an edit box.
    QPalette memoColours = ui->Memo1->palette();
    memoColours.setColor(QPalette::Base, systemColour(SystemColour::ButtonFace));
    ui->Memo1->setPalette(memoColours);
    ui->Memo1->viewport()->setCursor(Qt::WaitCursor);

    setMouseTracking(true);
    keepMouseMoves(ui->Image1);
    keepMouseMoves(ui->Memo1->viewport());
    connect(ui->FinButono, &Panel::clicked, this, &TLiteroj::FbCl);
    connect(ui->FinButono, &Panel::mouseMoved, this, &TLiteroj::FbOM);
    connect(ui->ReButono, &Panel::clicked, this, &TLiteroj::RbCl);
    connect(ui->ReButono, &Panel::mouseMoved, this, &TLiteroj::ReMO);
}

TLiteroj::~TLiteroj() = default;

bool TLiteroj::event(QEvent* event) {
    if (event->type() == QEvent::Show) {
        // Placed before it is mapped, so that it appears where it belongs rather than jumping there
        // once the window manager activates it.
        placeOverBoard();
    }
    if (event->type() == QEvent::WindowActivate) {
        EkFunkciu();
    }
    return QWidget::event(event);
}

void TLiteroj::placeOverBoard() {
    placeFrame(this, centredOrigin(platform_.screenSize(), PlacedSize), size());
}

void TLiteroj::EkFunkciu() {
    placeOverBoard();
    emit mainWindowMinimiseWanted();
}

void TLiteroj::closeEvent(QCloseEvent* event) {
    // Haltu: however the wizard is closed, the main window is to come back, and be the active window again
    // rather than whatever the window manager would pick (the task sheet lies beneath it).
    emit mainWindowRestoreWanted();
    event->accept();
}

void TLiteroj::FbCl() {
    close();
}

void TLiteroj::RbCl() {
    // Ending without a new instance would leave the learner with nothing: this one goes on instead.
    if (!platform_.startNewInstance()) {
        platform_.showError(QStringLiteral("A program nem indult újra. Indítsd el újra kézzel, "
                                           "vagy használd így tovább."),
                            applicationTitle());
        return;
    }
    platform_.exitNow(0);
}

void TLiteroj::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    LiMO();
}

void TLiteroj::FbOM() {
    setBevels(true, false);
}

void TLiteroj::ReMO() {
    setBevels(false, true);
}

void TLiteroj::LiMO() {
    setBevels(false, false);
}

void TLiteroj::setBevels(bool finishHovered, bool restartHovered) {
    ui->FinButono->setHovered(finishHovered);
    ui->ReButono->setHovered(restartHovered);
    repaint();
}

} // namespace kvizaro
