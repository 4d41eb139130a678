#include "qt_platform.h"

#include "esperanto.h"
#include "text.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QUrl>

#include <cstdlib>
#include <utility>

namespace kvizaro {

QtPlatform::QtPlatform(QStringList restartArguments) : restartArguments_(std::move(restartArguments)) {}

void QtPlatform::exitNow(int exitCode) {
    std::_Exit(exitCode);
}

void QtPlatform::openUrl(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

bool QtPlatform::startNewInstance() {
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), restartArguments_);
}

QSize QtPlatform::screenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size() : QSize(640, 480);
}

bool QtPlatform::canShowEsperantoLetters(const QFont& font) const {
    const QFontMetrics metrics(font);
    for (const LetterPair& pair : LetterTable) {
        const QString letter = fromLatin3(std::string(1, static_cast<char>(pair.byte)));
        if (!metrics.inFontUcs4(letter.at(0).unicode())) {
            return false;
        }
    }
    return true;
}

void QtPlatform::showError(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.exec();
}

} // namespace kvizaro
