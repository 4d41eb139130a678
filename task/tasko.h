// The task sheet: shows the drill of one task block, question by question in file order, with the
// feedback of every answer. Created once and reused for every sheet; the main menu starts it with a title,
// a block name and the content lines. It owns its form and one drill, which holds the state and the rules;
// the window shows the drill (after a wrong answer with the marking of where it differs), forwards the
// answers to it, raises the wrong-answer notice with the explanation of the mistake and fills the help
// window for the typing aid. At the end of a run with wrong answers it offers their list ("Hibáim") and a
// round of exactly those questions ("Hibásak újra (N)"), which the drill holds.
#pragma once

#include "content_file.h"
#include "drill.h"

#include <QWidget>

#include <memory>
#include <string>

class QLineEdit;

namespace Ui {
class Tasko;
}

namespace kvizaro {

class Announcer;
class Panel;
class Platform;
class THiba;
class TSugo;

class TTasko : public QWidget {
    Q_OBJECT

public:
    explicit TTasko(Platform& platform, QWidget* parent = nullptr);
    ~TTasko() override;

    // The windows it calls, created after it.
    void setWindows(THiba& notice, TSugo& help);

    // The wrong-answer notice was dismissed: enabled, visible and active again, so that the next answer
    // is typed into the answer box whatever the window manager would otherwise activate.
    void returnFromNotice();

    // Starts the sheet held in the block `sheetBlockName` of `lines` under `title` (the caption of Titolo).
    // `lines` are the main menu's, which it owns for the whole run; the drill reads them again only for
    // the typing help.
    void StartSheet(const QString& title, const std::string& sheetBlockName, const ContentLines& lines);
    void StartSheet(const QString& title, const std::string& sheetBlockName, ContentLines&& lines) = delete;
    QLineEdit* answerBox() const; // Valasz, where the main menu puts the focus

    const Drill& drill() const { return drill_; }

signals:
    // TaskoFin: the window is closing; the main menu is to be enabled with its board shown.
    void sheetClosed();

protected:
    void closeEvent(QCloseEvent* event) override; // TaskoFin
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Hover codes of HighlightButtons: the mouse over the background, "Következő", "Vissza a főoldalra",
    // "Eszperantó betűk!", and the end state's "Hibásak újra (N)" and "Hibáim".
    enum HoverCode {
        OverBackground = 0,
        OverNext = 1,
        OverBack = 2,
        OverLetters = 3,
        OverRepeat = 4,
        OverReview = 5
    };
    void HighlightButtons(int code);
    void labelControls();

    void clearDisplays();
    void showAdvance();
    void showEvaluation(const Evaluation& evaluation);
    void ShowTotals();
    void raiseNotice();
    void enterEndState();
    QWidget* endStateFocus() const;
    QWidget* focusAfterAnswer() const; // the answer box while questions remain
    void announce(const Evaluation& evaluation);
    void setAskingControls(bool on);
    void showEndButtons(bool on);
    void submitAnswer();

    void SeCl();
    void VaKU(const QKeyEvent& event);
    void EICl();
    void HeCl();
    void IsCl(); // "Hibásak újra (N)"
    void AtCl(); // "Hibáim"

    std::unique_ptr<Ui::Tasko> ui;
    Platform& platform_;
    THiba* notice_ = nullptr;
    TSugo* help_ = nullptr;
    Drill drill_;
    QString sheetTitle_;
    Announcer* announcer_ = nullptr;
};

} // namespace kvizaro
