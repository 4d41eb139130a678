#include "display_choice.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace kvizaro {

namespace {

// Qt looks at the session type, and with WAYLAND_DISPLAY set its Wayland platform is the first it tries.
bool isWaylandSession(const DisplayEnvironment& environment) {
    return environment.sessionType == "wayland" || !environment.waylandDisplay.empty();
}

// Qt reads its own options with one dash or two.
bool isPlatformOption(std::string_view argument) {
    return argument == "-platform" || argument == "--platform";
}

bool userChosePlatform(const DisplayEnvironment& environment, std::span<const char* const> arguments) {
    if (!environment.qtPlatform.empty()) {
        return true;
    }
    const auto options = arguments.empty() ? arguments : arguments.subspan(1);
    return std::ranges::any_of(
        options, [](const char* argument) { return argument != nullptr && isPlatformOption(argument); });
}

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace

DisplayPlatform chooseDisplayPlatform(const DisplayEnvironment& environment,
                                      std::span<const char* const> arguments) {
    if (isWaylandSession(environment) && !environment.x11Display.empty() &&
        !userChosePlatform(environment, arguments)) {
        return DisplayPlatform::X11;
    }
    return DisplayPlatform::QtChoice;
}

DisplayEnvironment readDisplayEnvironment() {
    return {environmentValue("XDG_SESSION_TYPE"), environmentValue("WAYLAND_DISPLAY"),
            environmentValue("DISPLAY"), environmentValue("QT_QPA_PLATFORM")};
}

ApplicationArguments::ApplicationArguments(int argc, char** argv, DisplayPlatform platform)
    : values_(argv, argv + std::max(argc, 0)) {
    if (platform == DisplayPlatform::X11 && !values_.empty()) {
        values_.insert(values_.begin() + 1, {platformOption_.data(), platformName_.data()});
    }
    count_ = static_cast<int>(values_.size());
    // Like the system's own argument vector, the list ends with a null entry.
    values_.push_back(nullptr);
}

} // namespace kvizaro
