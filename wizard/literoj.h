// The first-start font wizard: shown when the Esperanto letters cannot be displayed. It explains how to
// install the font and offers to go on without it or to restart. While it is active the main window is
// to be minimised, and closing it brings the main window back: the wizard asks for both by signals, which the
// flow object connects to the main window.
#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class Literoj;
}

namespace kvizaro {

class Platform;

class TLiteroj : public QWidget {
    Q_OBJECT

public:
    explicit TLiteroj(Platform& platform, QWidget* parent = nullptr);
    ~TLiteroj() override;

signals:
    // On every activation, after the wizard has placed itself.
    void mainWindowMinimiseWanted();
    // However the wizard is closed (not when it restarts the program), before it is hidden: the main window
    // is to come back and be the active window, rather than whatever the window manager would pick.
    void mainWindowRestoreWanted();

protected:
    bool event(QEvent* event) override;               // EkFunkciu on WindowActivate
    void closeEvent(QCloseEvent* event) override;     // Haltu
    void mouseMoveEvent(QMouseEvent* event) override; // LiMO

private:
    void EkFunkciu();
    void placeOverBoard();
    void FbCl();
    void RbCl();
    void FbOM();
    void ReMO();
    void LiMO();
    void setBevels(bool finishHovered, bool restartHovered);

    std::unique_ptr<Ui::Literoj> ui;
    Platform& platform_;
};

} // namespace kvizaro
