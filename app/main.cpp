#include "application.h"
#include "kvizaro.h"
#include "qt_platform.h"

int main(int argc, char** argv) {
    kvizaro::QtPlatform platform;
    kvizaro::KvizaroApplication application(argc, argv, platform);
    kvizaro::Kvizaro windows(platform);
    windows.showMainWindow();
    return application.exec();
}
