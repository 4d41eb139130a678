// Start-up work that needs no application object, begun on a second thread before Qt starts so that it
// overlaps Qt's own start (loading its libraries and plugins, connecting to the display) instead of
// following it on the way to the first window.
#pragma once

#include <thread>

namespace kvizaro {

class StartupWarmUp {
public:
    StartupWarmUp();
    ~StartupWarmUp();
    StartupWarmUp(const StartupWarmUp&) = delete;
    StartupWarmUp& operator=(const StartupWarmUp&) = delete;

    // Waits for the work; call after the application object exists and before the first window.
    void finish();

private:
    std::thread worker_;
};

} // namespace kvizaro
