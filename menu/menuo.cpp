#include "menuo.h"

#include "ui_menuo.h"

#include <QCloseEvent>

namespace kvizaro {

TMenuo::TMenuo(Platform& platform, const std::filesystem::path& contentFile, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::Menuo>()), platform_(platform) {
    ui->setupUi(this);
    LoadResult loaded = LoadContent(contentFile);
    ContentLines = std::move(loaded.lines);
    loadError_ = std::move(loaded.error);
}

TMenuo::~TMenuo() = default;

void TMenuo::setWindows(TTasko& task, TSugo& help, TLiteroj& wizard) {
    task_ = &task;
    help_ = &help;
    wizard_ = &wizard;
}

void TMenuo::returnFromSheet() {}
void TMenuo::BuildMenu() {}
void TMenuo::MenuAction(std::uint8_t) {}
void TMenuo::Highlight(std::uint8_t) {}
void TMenuo::SetSlotCaption(int, const QString&) {}
void TMenuo::SetSlotHeading(int, bool) {}
void TMenuo::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
}
void TMenuo::closeEvent(QCloseEvent* event) {
    event->accept();
    emit mainWindowClosed();
}
void TMenuo::keyPressEvent(QKeyEvent*) {}
void TMenuo::keyReleaseEvent(QKeyEvent*) {}
void TMenuo::MainStart() {}

} // namespace kvizaro
