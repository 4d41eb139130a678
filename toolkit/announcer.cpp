#include "announcer.h"

#include <QAccessibleWidget>
#include <QEvent>

namespace kvizaro {

namespace {

QAccessibleInterface* announcerAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(Announcer::staticMetaObject.className()) && object != nullptr) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    }
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(announcerAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("Bejelento"));
    setGeometry(0, 0, 1, 1);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    window()->installEventFilter(this);
}

// Hidden with its window: shown again with it, it would say its last words a second time.
bool Announcer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && event->type() == QEvent::Hide) {
        hide();
    }
    return QWidget::eventFilter(watched, event);
}

void Announcer::announce(const QString& text) {
    hide();
    setAccessibleName(text);
    show();
    lower();
}

} // namespace kvizaro
