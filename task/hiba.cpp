#include "hiba.h"

#include "look.h"
#include "panel.h"
#include "platform.h"
#include "ui_hiba.h"
#include "window_frame.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QKeyEvent>

namespace kvizaro {

namespace {
// The notice's size with its frame and title bar.
constexpr QSize OuterSize(400, 137);

// To a screen reader the notice is an alert: named by its title, described by its message.
QAccessibleInterface* noticeAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(THiba::staticMetaObject.className()) && object != nullptr) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
    }
    return nullptr;
}
} // namespace

THiba::THiba(Platform& platform, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::Hiba>()), platform_(platform) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    applyFormLook(this);
    keepTitleBarOnly(this);
    connect(ui->EnOrdo, &Panel::clicked, this, &THiba::EOCl);
    static const bool accessibleAsAlert = [] {
        QAccessible::installFactory(noticeAccessible);
        return true;
    }();
    Q_UNUSED(accessibleAsAlert);
}

THiba::~THiba() = default;

void THiba::showNotice(const QString& explanation) {
    ui->Magyarazo->setCaption(explanation);
    ui->Magyarazo->setAccessibleName(explanation);
    setAccessibleDescription(
        QStringList({ui->Text->caption(), explanation}).join(QLatin1Char(' ')).trimmed());
    // "Ok" holds the focus while the notice is up; keys other than its own still reach HiKU.
    ui->EnOrdo->setFocus();
    fitOuterSize();
    showWindow(this);
    // Platforms that tell the frame only once the window is up; under X11 this changes nothing.
    fitOuterSize();
}

// The size and place are those of the whole window, frame and title bar included.
void THiba::fitOuterSize() {
    const QMargins frame = frameMargins(this);
    // Fixed, so that no window manager offers to maximise it.
    setFixedSize(OuterSize.shrunkBy(frame));
    placeFrame(this, centredOrigin(platform_.screenSize(), OuterSize), size());
}

void THiba::keyReleaseEvent(QKeyEvent* event) {
    if (isPhysicalRelease(event) && (isEnterKey(event) || isEscapeKey(event))) {
        event->accept();
        dismiss();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

// Closed through the window system, the notice acts as "Ok": otherwise the task sheet would stay hidden
// and disabled with no way back.
void THiba::closeEvent(QCloseEvent* event) {
    if (!isVisible()) {
        event->accept();
        return;
    }
    event->ignore();
    dismiss();
}

void THiba::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isVisible() && isMinimized()) {
        emit minimised();
    }
}

void THiba::EOCl() {
    dismiss();
}

void THiba::dismiss() {
    hide();
    emit dismissed();
}

} // namespace kvizaro
