#include "warm_up.h"

#include <QDBusConnection>
#include <QGuiApplication>

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace kvizaro {

namespace {

// Fontconfig parses every file of its configuration the first time anything asks for a face: a few
// milliseconds that the first window's text would otherwise wait for. The library is thread-safe, and the
// configuration loaded here becomes the process's current one, which Qt's font database then uses.
void readFontConfiguration() {
    FcInit();
}

// The platforms whose accessibility support talks to the desktop over the session bus.
bool platformUsesSessionBus() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

} // namespace

StartupWarmUp::StartupWarmUp() {
    try {
        worker_ = std::thread(&StartupWarmUp::run, this);
    } catch (const std::system_error&) {
        // No thread to spare: Qt does all of this itself when it first needs it.
    }
}

StartupWarmUp::~StartupWarmUp() {
    finish();
}

void StartupWarmUp::finish() {
    release(false);
    if (worker_.joinable()) {
        worker_.join();
    }
}

void StartupWarmUp::applicationCreated() {
    if (!worker_.joinable()) {
        return;
    }
    {
        std::unique_lock lock(mutex_);
        stateChanged_.wait(lock, [this] { return fontsRead_; });
    }
    release(platformUsesSessionBus());
}

void StartupWarmUp::release(bool connectBus) {
    {
        std::lock_guard lock(mutex_);
        if (released_) {
            return;
        }
        released_ = true;
        connectBus_ = connectBus;
    }
    stateChanged_.notify_all();
}

void StartupWarmUp::run() {
    readFontConfiguration();
    bool connectBus = false;
    {
        std::unique_lock lock(mutex_);
        fontsRead_ = true;
        stateChanged_.notify_all();
        // Qt's bus connection looks at the application object, so it may only start once that exists.
        stateChanged_.wait(lock, [this] { return released_; });
        connectBus = connectBus_;
    }
    if (connectBus) {
        // Qt keeps the connection for the whole run; the accessibility support then finds it made.
        QDBusConnection::sessionBus();
    }
}

} // namespace kvizaro
