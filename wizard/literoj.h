// The first-start font wizard: shown when the Esperanto letters cannot be displayed. It explains how to
// install the font and offers to go on without it or to restart. While it is active the main window is
// minimised; closing it restores the main window.
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
    TLiteroj(Platform& platform, QWidget& mainWindow, QWidget* parent = nullptr);
    ~TLiteroj() override;

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
    QWidget& mainWindow_;
};

} // namespace kvizaro
