#pragma once

#include "platform.h"

#include <QStringList>

namespace kvizaro {

class QtPlatform final : public Platform {
public:
    // `restartArguments` are what a new instance of the program is started with.
    explicit QtPlatform(QStringList restartArguments = {});

    void exitNow(int exitCode) override;
    void openUrl(const QString& url) override;
    void startNewInstance() override;
    QSize screenSize() const override;
    bool canShowEsperantoLetters(const QFont& font) const override;
    void showError(const QString& text, const QString& caption) override;

    const QStringList& restartArguments() const { return restartArguments_; }

private:
    QStringList restartArguments_;
};

} // namespace kvizaro
