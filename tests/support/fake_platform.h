// A Platform that records what the program asks of the outside world and does none of it.
#pragma once

#include "platform.h"

#include <QList>
#include <QPair>
#include <QSize>
#include <QString>

#include <new>

namespace kvizaro::test {

class FakePlatform final : public Platform {
public:
    void exitNow(int exitCode) override { exitCodes << exitCode; }
    void openUrl(const QString& url) override { openedUrls << url; }
    bool startNewInstance() override {
        ++newInstances;
        return newInstanceStarts;
    }
    QSize screenSize() const override {
        if (screenSizeFailures > 0) {
            --screenSizeFailures;
            throw std::bad_alloc();
        }
        return screen;
    }
    bool canShowEsperantoLetters(const QFont&) const override { return esperantoLettersShown; }
    void showError(const QString& text, const QString& caption) override {
        errors << qMakePair(text, caption);
    }

    QSize screen{1024, 768};
    bool esperantoLettersShown = true;
    bool newInstanceStarts = true;
    mutable int screenSizeFailures = 0; // the next calls that run out of memory

    QList<int> exitCodes;
    QStringList openedUrls;
    int newInstances = 0;
    QList<QPair<QString, QString>> errors; // text, caption
};

} // namespace kvizaro::test
