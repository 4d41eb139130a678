// A Platform that records what the program asks of the outside world and does none of it.
#pragma once

#include "platform.h"

#include <QList>
#include <QPair>
#include <QSize>
#include <QString>

namespace kvizaro::test {

class FakePlatform final : public Platform {
public:
    void exitNow(int exitCode) override { exitCodes << exitCode; }
    void openUrl(const QString& url) override { openedUrls << url; }
    void startNewInstance() override { ++newInstances; }
    QSize screenSize() const override { return screen; }
    bool canShowEsperantoLetters(const QFont&) const override { return esperantoLettersShown; }
    void showError(const QString& text, const QString& caption) override {
        errors << qMakePair(text, caption);
    }

    QSize screen{1024, 768};
    bool esperantoLettersShown = true;

    QList<int> exitCodes;
    QStringList openedUrls;
    int newInstances = 0;
    QList<QPair<QString, QString>> errors; // text, caption
};

} // namespace kvizaro::test
