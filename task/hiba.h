// The wrong-answer notice: a small stay-on-top window raised after every wrong answer, with the explanation
// of the mistake under its message where a typical mistake explains the answer. "Ok", or Enter or
// Escape released while it is active, hides it and emits `dismissed`, which brings the task sheet back;
// so does closing it through the window system. It keeps no state.
#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class Hiba;
}

namespace kvizaro {

class Platform;

class THiba : public QWidget {
    Q_OBJECT

public:
    explicit THiba(Platform& platform, QWidget* parent = nullptr);
    ~THiba() override;

    // Centres the notice on the screen and shows it in front of every window, with `explanation` (empty
    // when no typical mistake explains the answer) in Magyarazo.
    void showNotice(const QString& explanation = {});

signals:
    void dismissed();
    // The window manager has minimised the notice while it waits for an answer.
    void minimised();

protected:
    void keyReleaseEvent(QKeyEvent* event) override; // HiKU
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void EOCl();
    void dismiss();
    void fitOuterSize();

    std::unique_ptr<Ui::Hiba> ui;
    Platform& platform_;
};

} // namespace kvizaro
