#pragma once

#include "platform.h"

#include <QStringList>

#include <utility>

namespace kvizaro {

class QtPlatform final : public Platform {
public:
    // `restartArguments` are what a new instance of the program is started with.
    explicit QtPlatform(QStringList restartArguments = {});

    void exitNow(int exitCode) override;
    void openUrl(const QString& url) override;
    bool startNewInstance() override;
    QSize screenSize() const override;
    bool canShowEsperantoLetters(const QFont& font) const override;
    void showError(const QString& text, const QString& caption) override;

    const QStringList& restartArguments() const { return restartArguments_; }
    // Once the application has taken its own options, so that a new instance gets them too.
    void setRestartArguments(QStringList arguments) { restartArguments_ = std::move(arguments); }

private:
    QStringList restartArguments_;
};

} // namespace kvizaro
