#include "kvizaro.h"

#include "failure.h"
#include "hiba.h"
#include "line_parser.h"
#include "literoj.h"
#include "look.h"
#include "menuo.h"
#include "pictures.h"
#include "platform.h"
#include "sugo.h"
#include "tasko.h"
#include "window_frame.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <initializer_list>
#include <utility>

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

// How long the main window waits for the task sheet to reach the screen. A window mapped beneath another
// program's may never be exposed; the main menu must come all the same.
constexpr int SheetOnScreenPatienceMs = 500;

// Runs `then` once, as soon as `window` has been exposed and has painted (the call is queued behind the
// painting), or after `patienceMs` if it never is.
class AfterFirstExposure : public QObject {
public:
    AfterFirstExposure(QWindow* window, int patienceMs, std::function<void()> then)
        : QObject(window), then_(std::move(then)) {
        window->installEventFilter(this);
        QTimer::singleShot(patienceMs, this, [this] { finish(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            QMetaObject::invokeMethod(
                this, [this] { finish(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void finish() {
        if (then_) {
            const std::function<void()> then = std::exchange(then_, nullptr);
            then();
            deleteLater();
        }
    }

    std::function<void()> then_;
};

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
    // Every window the program creates carries it: the taskbar and the window switcher show the menu
    // entry's icon.
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(picture(QStringLiteral("icon")))));

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
    // The windows that place themselves by their outer size learn their frames now, long before they are
    // shown, so that no key or click later waits for the window manager.
    for (QWidget* framed : std::initializer_list<QWidget*>{wizard_.get(), notice_.get(), help_.get()}) {
        requestFrameExtents(framed);
    }
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
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, notice_.get(),
                     [this](QWindow* activated) { bringBackWaitingNotice(activated); });
    // A manager that hands the keys to the main window as it minimises the notice: the program is active
    // all along, and the notice comes back at once.
    QObject::connect(
        notice_.get(), &THiba::minimised, notice_.get(),
        [this] { bringBackWaitingNotice(QGuiApplication::focusWindow()); }, Qt::QueuedConnection);
}

// While the notice waits for an answer the task sheet is hidden and the main menu disabled: a notice that
// the learner has minimised (a window manager may offer it all the same) would leave no way on. As soon as
// the learner turns to the program again (a click on its window, the window switcher), the notice comes
// back in front with the keys.
void Kvizaro::bringBackWaitingNotice(const QWindow* activated) {
    const bool disabledWindow =
        activated != nullptr && (activated == menu_->windowHandle() || activated == task_->windowHandle());
    if (!disabledWindow || !notice_->isVisible()) {
        return;
    }
    if (notice_->isMinimized()) {
        notice_->showNormal();
    }
    showWindow(notice_.get());
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

// A window manager activates the window that appears last, and the main menu must be the one that holds
// the keys. Under weston's XWayland "appears" is the compositor's first frame of the window, not its
// mapping: two windows painted in one turn of XWayland reach the compositor in the reverse order, and
// the task sheet, shown first, could then take the keys. So under XWayland the main window is mapped only
// once the sheet has painted, which XWayland sends on before it passes the main window's mapping on. An X
// server of its own keeps the order of mapping, and there the wait would only delay start-up (by 9 ms).
void Kvizaro::showMainWindow() {
    QWindow* sheet = task_->windowHandle();
    const bool throughXWayland = QGuiApplication::platformName() == QLatin1String("xcb") &&
                                 qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (throughXWayland && sheet != nullptr && task_->isVisible() && !sheet->isExposed()) {
        new AfterFirstExposure(sheet, SheetOnScreenPatienceMs, [this] { showMainWindowNow(); });
        return;
    }
    showMainWindowNow();
}

void Kvizaro::showMainWindowNow() {
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
