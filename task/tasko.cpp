#include "tasko.h"

#include "ui_tasko.h"

#include <QLineEdit>

namespace kvizaro {

TTasko::TTasko(Platform& platform, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::Tasko>()), platform_(platform) {
    ui->setupUi(this);
}

void TTasko::setWindows(THiba& notice, TSugo& help) {
    notice_ = &notice;
    help_ = &help;
}

TTasko::~TTasko() = default;

void TTasko::setTitle(const QString&) {}
void TTasko::StartSheet() {}
QLineEdit* TTasko::answerBox() const {
    return findChild<QLineEdit*>(QStringLiteral("Valasz"));
}
void TTasko::closeEvent(QCloseEvent*) {
    emit sheetClosed();
}
bool TTasko::eventFilter(QObject* watched, QEvent* event) {
    return QWidget::eventFilter(watched, event);
}

} // namespace kvizaro
