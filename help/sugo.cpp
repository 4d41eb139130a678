#include "sugo.h"

#include "ui_sugo.h"

namespace kvizaro {

TSugo::TSugo(Platform& platform, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::Sugo>()), platform_(platform) {
    ui->setupUi(this);
}

TSugo::~TSugo() = default;

void TSugo::LoadBlock(std::string_view, const ContentLines&) {}
void TSugo::showHelp() {}
void TSugo::mouseMoveEvent(QMouseEvent*) {}
void TSugo::EICl() {}
void TSugo::EIMO() {}

} // namespace kvizaro
