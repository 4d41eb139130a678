// The flow object: creates the five windows in their fixed order, owns them for the whole run, hands each
// window the ones it calls and connects the signals by which the task sheet, the notice and the help window
// hand control back.
#pragma once

#include "content_file.h"

#include <QString>

class QWindow;

#include <filesystem>
#include <memory>
#include <string>

namespace kvizaro {

class Platform;
class TMenuo;
class TTasko;
class TLiteroj;
class THiba;
class TSugo;

class Kvizaro {
public:
    // Start-up up to the event loop: parser settings, application title, the windows in order (the main
    // menu loading `contentFile`, a failed load reported in an error box), the task sheet shown centred.
    explicit Kvizaro(Platform& platform,
                     const std::filesystem::path& contentFile = std::filesystem::path(DefaultContentFile));
    ~Kvizaro();
    Kvizaro(const Kvizaro&) = delete;
    Kvizaro& operator=(const Kvizaro&) = delete;

    // What the event loop does first: show the main window, whose activation does the first-time work.
    // Under X11 it is shown once the task sheet is on the screen, so that it is the window activated last.
    void showMainWindow();

    TMenuo& menu() { return *menu_; }
    TTasko& task() { return *task_; }
    TLiteroj& wizard() { return *wizard_; }
    THiba& notice() { return *notice_; }
    TSugo& help() { return *help_; }

private:
    void connectWindows();
    void showMainWindowNow();
    void returnFromHelp();
    void bringBackWaitingNotice(const QWindow* activated);
    template <typename Step> void reportFailure(Step step);

    Platform& platform_;
    std::unique_ptr<TMenuo> menu_;
    std::unique_ptr<TTasko> task_;
    std::unique_ptr<TLiteroj> wizard_;
    std::unique_ptr<THiba> notice_;
    std::unique_ptr<TSugo> help_;
};

// The text of an error box: the message with a full stop, unless it already ends in a character at or
// below ".".
QString errorBoxText(const std::string& message);

} // namespace kvizaro
