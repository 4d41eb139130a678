// The program places its windows itself (the task sheet exactly over the board, the notice and the wizard
// centred) and keeps the notice on top; a Wayland client can ask for neither. So under a Wayland session
// it asks Qt for its X11 platform and runs through XWayland, unless the user has chosen a platform.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace kvizaro {

// The environment variables that decide the platform, each empty when unset.
struct DisplayEnvironment {
    std::string sessionType;    // XDG_SESSION_TYPE
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string x11Display;     // DISPLAY
    std::string qtPlatform;     // QT_QPA_PLATFORM
};

enum class DisplayPlatform {
    QtChoice, // Qt picks, as it would for any program
    X11,      // Qt's X11 platform, through XWayland under a Wayland session
};

// `arguments` is the whole command line, the program's name first.
DisplayPlatform chooseDisplayPlatform(const DisplayEnvironment& environment,
                                      std::span<const char* const> arguments);

DisplayEnvironment readDisplayEnvironment();

// The command line handed to the application object: the program's own, with the platform option put
// right after the program's name when X11 is chosen. Qt takes the option out again, so the rest of the
// program sees the command line as given. Qt keeps the count and the strings for the application's
// lifetime: this object must outlive it, and stays where it was made.
class ApplicationArguments {
public:
    ApplicationArguments(int argc, char** argv, DisplayPlatform platform);
    ApplicationArguments(const ApplicationArguments&) = delete;
    ApplicationArguments& operator=(const ApplicationArguments&) = delete;

    int& count() { return count_; }
    char** values() { return values_.data(); }

private:
    std::string platformOption_ = "-platform";
    std::string platformName_ = "xcb";
    std::vector<char*> values_;
    int count_ = 0;
};

} // namespace kvizaro
