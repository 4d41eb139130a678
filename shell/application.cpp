#include "application.h"

#include "failure.h"
#include "kvizaro.h"
#include "look.h"
#include "platform.h"

#include <exception>

namespace kvizaro {

KvizaroApplication::KvizaroApplication(int& argc, char** argv, Platform& platform)
    : QApplication(argc, argv), platform_(platform) {
    // Only closing the main window ends the loop; the task sheet stays visible underneath it.
    setQuitOnLastWindowClosed(false);
}

bool KvizaroApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        platform_.showError(errorBoxText(failureMessage(error)), applicationTitle());
    } catch (...) {
        platform_.showError(errorBoxText("Unknown error"), applicationTitle());
    }
    return false;
}

} // namespace kvizaro
