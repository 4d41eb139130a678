#include "announcer.h"

#include <QAccessibleWidget>

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
}

void Announcer::announce(const QString& text) {
    hide();
    setAccessibleName(text);
    show();
    lower();
}

} // namespace kvizaro
