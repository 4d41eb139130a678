#include "application.h"
#include "kvizaro.h"
#include "qt_platform.h"
#include "warm_up.h"

int main(int argc, char** argv) {
    kvizaro::StartupWarmUp warmUp;
    kvizaro::QtPlatform platform;
    kvizaro::KvizaroApplication application(argc, argv, platform);
    warmUp.applicationCreated();
    kvizaro::Kvizaro windows(platform);
    warmUp.finish();
    windows.showMainWindow();
    return application.exec();
}
