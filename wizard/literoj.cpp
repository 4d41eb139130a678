#include "literoj.h"

#include "ui_literoj.h"

namespace kvizaro {

TLiteroj::TLiteroj(Platform& platform, QWidget& mainWindow, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::Literoj>()), platform_(platform), mainWindow_(mainWindow) {
    ui->setupUi(this);
}

TLiteroj::~TLiteroj() = default;

void TLiteroj::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
}
void TLiteroj::closeEvent(QCloseEvent*) {}
void TLiteroj::mouseMoveEvent(QMouseEvent*) {}

} // namespace kvizaro
