#include "warm_up.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace kvizaro {

namespace {

// The library is thread-safe, and the configuration loaded here becomes the process's current one, which
// Qt's font database then uses.
void readFontConfiguration() {
    FcInit();
}

} // namespace

StartupWarmUp::StartupWarmUp() {
    try {
        worker_ = std::thread(readFontConfiguration);
    } catch (const std::system_error&) {
        // No thread to spare: Qt reads the configuration itself when it first needs it.
    }
}

StartupWarmUp::~StartupWarmUp() {
    finish();
}

void StartupWarmUp::finish() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

} // namespace kvizaro
