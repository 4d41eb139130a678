// Helpers for driving the real windows in GUI tests.
#pragma once

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QTest>
#include <QWidget>

namespace kvizaro::test {

// The control named `name` in `window`, or null.
template <typename Control> Control* control(const QWidget* window, const char* name) {
    return window->findChild<Control*>(QString::fromLatin1(name));
}

// A key release as the window system delivers it; `autoRepeat` marks the releases of a held key.
inline void releaseKey(QWidget* target, int key, bool autoRepeat = false, const QString& text = {}) {
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text, autoRepeat);
    QCoreApplication::sendEvent(target, &release);
}

inline void pressKey(QWidget* target, int key, const QString& text = {}, bool autoRepeat = false) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text, autoRepeat);
    QCoreApplication::sendEvent(target, &press);
}

// A move of the resting mouse over `target` (no button held), as the window system sends it to the
// control under the pointer.
inline void hover(QWidget* target) {
    const QPointF centre = QRectF(target->rect()).center();
    QMouseEvent move(QEvent::MouseMove, centre, target->mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
}

// A left click in the middle of `target`: press and release.
inline void click(QWidget* target) {
    if (target == nullptr) {
        QTest::qFail("no such control", __FILE__, __LINE__);
        return;
    }
    const QPointF centre = QRectF(target->rect()).center();
    const QPointF global = target->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

} // namespace kvizaro::test
