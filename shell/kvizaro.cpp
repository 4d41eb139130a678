#include "kvizaro.h"

#include "failure.h"
#include "hiba.h"
#include "line_parser.h"
#include "literoj.h"
#include "look.h"
#include "menuo.h"
#include "platform.h"
#include "sugo.h"
#include "tasko.h"

#include <QApplication>

namespace kvizaro {

namespace {

// While the font wizard is active the main window is minimised; closing the wizard brings the main window
// back as the active window.
void connectWizardToMainWindow(TLiteroj& wizard, QWidget& mainWindow) {
    QObject::connect(&wizard, &TLiteroj::mainWindowMinimiseWanted, &mainWindow,
                     [&mainWindow] { mainWindow.setWindowState(Qt::WindowMinimized); });
    QObject::connect(&wizard, &TLiteroj::mainWindowRestoreWanted, &mainWindow, [&mainWindow] {
        mainWindow.setWindowState(Qt::WindowNoState);
        mainWindow.raise();
        mainWindow.activateWindow();
    });
}

} // namespace

// A window's creation work that fails is reported like a failed load, and start-up goes on with what the
// window has: an exception must not end the program before its first window.
template <typename Step> void Kvizaro::reportFailure(Step step) {
    try {
        step();
    } catch (const std::exception& error) {
        platform_.showError(errorBoxText(failureMessage(error)), applicationTitle());
    }
}

Kvizaro::Kvizaro(Platform& platform, const std::filesystem::path& contentFile) : platform_(platform) {
    configureParser();
    QCoreApplication::setApplicationName(applicationTitle());
    QCoreApplication::setApplicationVersion(QStringLiteral(KVIZARO_VERSION));
    installFontSubstitutions();
    useFormFontByDefault();

    menu_ = std::make_unique<TMenuo>(platform_, contentFile);
    if (menu_->loadError()) {
        platform_.showError(errorBoxText(*menu_->loadError()), applicationTitle());
    }
    task_ = std::make_unique<TTasko>(platform_);
    reportFailure([this] { task_->move(centredOrigin(platform_.screenSize(), task_->size())); });
    task_->show();
    wizard_ = std::make_unique<TLiteroj>(platform_);
    notice_ = std::make_unique<THiba>(platform_);
    help_ = std::make_unique<TSugo>(platform_);
    connectWindows();
}

Kvizaro::~Kvizaro() {
    // The order in which the windows leave the application at the end of the run.
    wizard_.reset();
    help_.reset();
    notice_.reset();
    task_.reset();
    menu_.reset();
}

void Kvizaro::connectWindows() {
    menu_->setWindows(*task_, *help_);
    task_->setWindows(*notice_, *help_);
    QObject::connect(menu_.get(), &TMenuo::fontWizardWanted, wizard_.get(),
                     [wizard = wizard_.get()] { showWindow(wizard); });
    connectWizardToMainWindow(*wizard_, *menu_);
    QObject::connect(task_.get(), &TTasko::sheetClosed, menu_.get(), &TMenuo::returnFromSheet);
    QObject::connect(notice_.get(), &THiba::dismissed, task_.get(), &TTasko::returnFromNotice);
    QObject::connect(help_.get(), &TSugo::closed, help_.get(), [this] { returnFromHelp(); });
    QObject::connect(menu_.get(), &TMenuo::mainWindowClosed, QCoreApplication::instance(),
                     &QCoreApplication::quit);
}

// The help window never blocks the window that opened it, so closing it hands the keys back to the window
// the user was working in, whatever the window manager would activate in its place (under some, the
// disabled main menu): the notice while it waits for an answer, the main menu while it is enabled, else the
// task sheet it is disabled for.
void Kvizaro::returnFromHelp() {
    const auto usable = [](const QWidget& window) { return window.isVisible() && !window.isMinimized(); };
    if (usable(*notice_)) {
        notice_->activateWindow();
    } else if (usable(*menu_) && menu_->isEnabled()) {
        menu_->activateWindow();
    } else if (usable(*task_)) {
        task_->activateWindow();
    }
}

void Kvizaro::showMainWindow() {
    showWindow(menu_.get());
}

QString errorBoxText(const std::string& message) {
    QString text = QString::fromStdString(message);
    if (message.empty() || static_cast<unsigned char>(message.back()) > '.') {
        text += QLatin1Char('.');
    }
    return text;
}

} // namespace kvizaro
