#include "application.h"
#include "display_choice.h"
#include "failure.h"
#include "kvizaro.h"
#include "look.h"
#include "qt_platform.h"
#include "warm_up.h"

#include <cstddef>
#include <exception>
#include <memory>

int main(int argc, char** argv) {
    const kvizaro::DisplayPlatform displayPlatform = kvizaro::chooseDisplayPlatform(
        kvizaro::readDisplayEnvironment(), {argv, static_cast<std::size_t>(argc)});
    kvizaro::ApplicationArguments arguments(argc, argv, displayPlatform);
    kvizaro::StartupWarmUp warmUp;
    kvizaro::QtPlatform platform;
    kvizaro::KvizaroApplication application(arguments.count(), arguments.values(), platform);
    // The first window's text needs the font configuration; by now the thread has mostly read it.
    warmUp.finish();
    std::unique_ptr<kvizaro::Kvizaro> windows;
    try {
        windows = std::make_unique<kvizaro::Kvizaro>(platform);
    } catch (const std::exception& error) {
        // A window that cannot even be built leaves nothing to go on with; say why instead of aborting.
        platform.showError(kvizaro::errorBoxText(kvizaro::failureMessage(error)),
                           kvizaro::applicationTitle());
        return 1;
    }
    windows->showMainWindow();
    return application.exec();
}
