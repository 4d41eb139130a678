#pragma once

#include "platform.h"

namespace kvizaro {

class QtPlatform final : public Platform {
public:
    void exitNow(int exitCode) override;
    void openUrl(const QString& url) override;
    void startNewInstance() override;
    QSize screenSize() const override;
    bool canShowEsperantoLetters(const QFont& font) const override;
    void showError(const QString& text, const QString& caption) override;
};

} // namespace kvizaro
