// The main menu, the program's main window: a full-screen backdrop whose centred board lists the task
// sheets eight at a time beside a scroll bar, with three help buttons, the maker's web link and the exit.
// It loads and owns the content lines for the whole run and lends them to the task sheet and help window;
// the menu's state and rules are its MenuModel, which it shows and forwards its input to.
#pragma once

#include "content_file.h"
#include "menu_model.h"

#include <QPoint>
#include <QWidget>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QKeyEvent;
class QWheelEvent;

namespace Ui {
class Menuo;
}

namespace kvizaro {

class Panel;
class Platform;
class TSugo;
class TTasko;

// The maker's web page, shown on the web link and opened by it.
inline const char* const MakerWebAddress = "https://www.kvizaro.hu/kvizaroprg.htm";

class TMenuo : public QWidget {
    Q_OBJECT

public:
    static constexpr int SlotCount = MenuModel::SlotCount;
    static constexpr QPoint DesignOrigin{244, 110};

    // Indul: loads the content file; a failure, an exception included, is kept in loadError() for start-up
    // to report.
    explicit TMenuo(Platform& platform,
                    const std::filesystem::path& contentFile = std::filesystem::path(DefaultContentFile),
                    QWidget* parent = nullptr);
    ~TMenuo() override;

    // The windows it calls, created after it.
    void setWindows(TTasko& task, TSugo& help);
    const std::optional<std::string>& loadError() const { return loadError_; }

    // TaskoFin's effect: the task sheet has closed, so this window takes input again and shows its board.
    void returnFromSheet();

    void BuildMenu();
    void MenuAction(std::uint8_t code);
    void Highlight(std::uint8_t code);
    void SetSlotCaption(int slot, const QString& caption);
    void SetSlotHeading(int slot, bool heading);

    const MenuModel& model() const { return model_; }
    const kvizaro::ContentLines& contentLines() const { return ContentLines; }

signals:
    // The main window was closed through the window system: the event loop is to end.
    void mainWindowClosed();
    // The first activation found that the Esperanto letters cannot be shown; sent once the main window is
    // up, so that the wizard shown for it ends up in front and active.
    void fontWizardWanted();

protected:
    bool event(QEvent* event) override; // MainStart on the first showing or activation
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;   // MeKP
    void keyReleaseEvent(QKeyEvent* event) override; // MeKU
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();
    void Indul(const std::filesystem::path& contentFile);
    void MainStart();
    void MeKP(const QKeyEvent* event);
    void MeKU(const QKeyEvent* event);
    void scrollByWheel(QWheelEvent* event);

    // MenuAction's parts.
    void showPage();
    void showEntry(int slot, int entry);
    void chooseSlot(int slot);
    void showHelpBlock(const std::string& block);

    // Highlight's parts.
    Panel* hoverTarget(std::uint8_t code) const;
    void putInRestLook(Panel* button) const;

    std::unique_ptr<Ui::Menuo> ui;
    std::array<Panel*, SlotCount> slots_{};
    std::array<Panel*, 3> helpButtons_{};
    Platform& platform_;
    TTasko* task_ = nullptr;
    TSugo* help_ = nullptr;
    // The content lines stay with the window: it loads them at its creation and lends them to the model,
    // the task sheet and the help window for each reading.
    kvizaro::ContentLines ContentLines;
    MenuModel model_;
    std::optional<std::string> loadError_;
    bool FirstActivation = true;
    int wheelRemainder_ = 0;
};

} // namespace kvizaro
