// The help window: shows one named block of help text from the content in a read-only memo and is
// closed with "Bezár" or Escape. Filled and shown by the main menu's help buttons and the task sheet's
// typing aid (and, with a text of its own, the task sheet's list of wrong answers); it never blocks the
// window that called it.
#pragma once

#include "content_file.h"

#include <QStringList>
#include <QWidget>

#include <memory>
#include <string_view>

namespace Ui {
class Sugo;
}

namespace kvizaro {

class Platform;

class TSugo : public QWidget {
    Q_OBJECT

public:
    explicit TSugo(Platform& platform, QWidget* parent = nullptr);
    ~TSugo() override;

    // Replaces the whole text with the block `blockName` of `lines`; does not show the window.
    void LoadBlock(std::string_view blockName, const ContentLines& lines);
    // Replaces the whole text with `lines`, a text the caller made rather than a block of the content;
    // does not show the window either.
    void loadText(const QStringList& lines);
    // Shows the window: centred on the screen the first time, left where the user moved it afterwards.
    void showHelp();

signals:
    // The window was closed ("Bezár" or the window manager's close command) and is off the screen.
    void closed();

protected:
    void mouseMoveEvent(QMouseEvent* event) override; // SuMO
    void keyReleaseEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void EICl();
    void EIMO();
    void centre();

    std::unique_ptr<Ui::Sugo> ui;
    Platform& platform_;
    bool shownBefore_ = false;
};

} // namespace kvizaro
