#include "application.h"
#include "display_choice.h"
#include "kvizaro.h"
#include "qt_platform.h"
#include "warm_up.h"

#include <cstddef>

int main(int argc, char** argv) {
    const kvizaro::DisplayPlatform displayPlatform = kvizaro::chooseDisplayPlatform(
        kvizaro::readDisplayEnvironment(), {argv, static_cast<std::size_t>(argc)});
    kvizaro::ApplicationArguments arguments(argc, argv, displayPlatform);
    kvizaro::StartupWarmUp warmUp;
    kvizaro::QtPlatform platform;
    kvizaro::KvizaroApplication application(arguments.count(), arguments.values(), platform);
    warmUp.applicationCreated();
    kvizaro::Kvizaro windows(platform);
    warmUp.finish();
    windows.showMainWindow();
    return application.exec();
}
