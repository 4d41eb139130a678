// Start-up work that waits on other parties, done on a second thread so that it overlaps the start-up
// thread's own work instead of following it on the way to the first window:
// - before the application object exists, reading the font configuration overlaps Qt's own start (loading
//   its libraries and plugins, connecting to the display);
// - after it exists, connecting to the session bus overlaps building the windows. The desktop's
//   accessibility support asks for that connection when the first control is made, and would otherwise
//   hold the start-up thread until the bus answers (or, with no bus, until trying to start one has failed).
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

namespace kvizaro {

class StartupWarmUp {
public:
    StartupWarmUp();
    ~StartupWarmUp();
    StartupWarmUp(const StartupWarmUp&) = delete;
    StartupWarmUp& operator=(const StartupWarmUp&) = delete;

    // Call once, after the application object exists and before the first window. Waits until the font
    // configuration is read; then, if the display's platform reaches the desktop's accessibility support
    // over the session bus, lets the second thread make that connection.
    void applicationCreated();
    // Waits for the second thread to end. Call once the windows are built: by then the first control has
    // asked for the bus connection, so this costs nothing, and the thread is gone before the application.
    void finish();

private:
    void run();
    // Lets the second thread go on past the font configuration, to the session bus or to its end.
    void release(bool connectBus);

    std::mutex mutex_;
    std::condition_variable stateChanged_;
    bool fontsRead_ = false;
    bool released_ = false;
    bool connectBus_ = false;
    std::thread worker_;
};

} // namespace kvizaro
