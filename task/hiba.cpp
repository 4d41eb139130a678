#include "hiba.h"

#include "ui_hiba.h"

namespace kvizaro {

THiba::THiba(Platform& platform, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::Hiba>()), platform_(platform) {
    ui->setupUi(this);
}

THiba::~THiba() = default;

void THiba::showNotice() {}
void THiba::keyReleaseEvent(QKeyEvent*) {}
void THiba::closeEvent(QCloseEvent*) {}
void THiba::EOCl() {}
void THiba::dismiss() {}

} // namespace kvizaro
