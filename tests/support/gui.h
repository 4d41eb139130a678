// Helpers for driving the real windows in GUI tests.
#pragma once

#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>
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

} // namespace kvizaro::test
