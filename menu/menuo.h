// The main menu, the program's main window: a full-screen backdrop whose centred board lists the task
// sheets eight at a time beside a scroll bar, with three help buttons, the maker's web link and the exit.
// It loads and owns the content lines for the whole run and lends them to the task sheet and help window.
#pragma once

#include "content_file.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class Menuo;
}

namespace kvizaro {

class Platform;
class TLiteroj;
class TSugo;
class TTasko;

class TMenuo : public QWidget {
    Q_OBJECT

public:
    // Indul: loads the content file; a failure is kept in loadError() for start-up to report.
    explicit TMenuo(Platform& platform,
                    const std::filesystem::path& contentFile = std::filesystem::path(DefaultContentFile),
                    QWidget* parent = nullptr);
    ~TMenuo() override;

    // The windows it calls, created after it.
    void setWindows(TTasko& task, TSugo& help, TLiteroj& wizard);
    const std::optional<std::string>& loadError() const { return loadError_; }

    // The task sheet has closed: enable this window and show the board again.
    void returnFromSheet();

    void BuildMenu();
    void MenuAction(std::uint8_t code);
    void Highlight(std::uint8_t code);
    void SetSlotCaption(int slot, const QString& caption);
    void SetSlotHeading(int slot, bool heading);

    // The menu model.
    std::array<std::string, 101> EntryCaption; // 1..100
    std::array<std::string, 101> EntrySheet;   // 1..100
    std::uint8_t TopEntry = 0;
    std::uint8_t EntryCount = 0;
    std::string HelpBlock1;
    std::string HelpBlock2;
    std::string HelpBlock3;
    kvizaro::ContentLines ContentLines;

signals:
    // The main window was closed through the window system: the event loop is to end.
    void mainWindowClosed();

protected:
    void changeEvent(QEvent* event) override; // MainStart on activation
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;   // MeKP
    void keyReleaseEvent(QKeyEvent* event) override; // MeKU

private:
    void MainStart();

    std::unique_ptr<Ui::Menuo> ui;
    Platform& platform_;
    TTasko* task_ = nullptr;
    TSugo* help_ = nullptr;
    TLiteroj* wizard_ = nullptr;
    std::optional<std::string> loadError_;
    bool FirstActivation = true;
};

} // namespace kvizaro
