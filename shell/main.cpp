#include "application.h"
#include "command_line.h"
#include "display_choice.h"
#include "failure.h"
#include "kvizaro.h"
#include "look.h"
#include "qt_platform.h"
#include "warm_up.h"

#include <cstddef>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <span>

namespace {

std::filesystem::path contentFileOf(const kvizaro::CommandLine& commandLine) {
    return commandLine.contentFile.value_or(std::filesystem::path(kvizaro::DefaultContentFile));
}

QStringList argumentList(int count, char** values) {
    QStringList list;
    for (int i = 0; i < count; ++i) {
        list << QString::fromLocal8Bit(values[i]);
    }
    return list;
}

} // namespace

int main(int argc, char** argv) {
    const std::span<const char* const> given(argv, static_cast<std::size_t>(argc));
    // Before the application object, which needs a display: the help, the version and a wrong command line
    // are answered without one.
    const kvizaro::CommandLine asGiven = kvizaro::parseCommandLine(given);
    if (asGiven.request != kvizaro::CommandLine::Request::Run) {
        return kvizaro::answerWithoutWindows(asGiven, std::cout, std::cerr);
    }
    const kvizaro::DisplayPlatform displayPlatform =
        kvizaro::chooseDisplayPlatform(kvizaro::readDisplayEnvironment(), given);
    kvizaro::ApplicationArguments arguments(argc, argv, displayPlatform);
    kvizaro::StartupWarmUp warmUp;
    kvizaro::QtPlatform platform;
    const QStringList beforeTheApplication = argumentList(arguments.count(), arguments.values());
    kvizaro::KvizaroApplication application(arguments.count(), arguments.values(), platform);
    platform.setRestartArguments(kvizaro::restartArguments(
        asGiven.contentFile, kvizaro::optionsTakenByToolkit(
                                 beforeTheApplication, argumentList(arguments.count(), arguments.values()))));
    // Qt has taken its own options out; FILE is what remains.
    const kvizaro::CommandLine remaining =
        kvizaro::parseCommandLine({arguments.values(), static_cast<std::size_t>(arguments.count())});
    if (remaining.request != kvizaro::CommandLine::Request::Run) {
        return kvizaro::answerWithoutWindows(remaining, std::cout, std::cerr);
    }
    // The first window's text needs the font configuration; by now the thread has mostly read it.
    warmUp.finish();
    std::unique_ptr<kvizaro::Kvizaro> windows;
    try {
        windows = std::make_unique<kvizaro::Kvizaro>(platform, contentFileOf(remaining));
    } catch (const std::exception& error) {
        // A window that cannot even be built leaves nothing to go on with; say why instead of aborting.
        platform.showError(kvizaro::errorBoxText(kvizaro::failureMessage(error)),
                           kvizaro::applicationTitle());
        return kvizaro::kvizaro_exit::Failure;
    }
    windows->showMainWindow();
    return application.exec();
}
