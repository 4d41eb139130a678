// The task sheet: drills one task block of the content, question by question in file order, and shows the
// feedback of every answer. Created once and reused for every sheet; the main menu hands it a title, a
// block name and the content lines, then starts it. It owns its form and the drill state; it calls the
// wrong-answer notice after a wrong answer and the help window for the typing aid.
#pragma once

#include "content_file.h"
#include "readers.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

class QLineEdit;

namespace Ui {
class Tasko;
}

namespace kvizaro {

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

    // Set by the main menu before StartSheet.
    void setTitle(const QString& title); // the caption of Titolo
    std::string SheetBlockName;
    const ContentLines* SheetLines = nullptr; // the main menu's lines, shared

    void StartSheet();
    QLineEdit* answerBox() const; // Valasz, where the main menu puts the focus

    // Drill state, read by tests and the window only.
    std::uint8_t CurrentQuestion = 0;
    std::uint8_t QuestionCount = 0;
    std::uint8_t RightCount = 0;

signals:
    // TaskoFin: the window is closing; the main menu is to be enabled with its board shown.
    void sheetClosed();

protected:
    void closeEvent(QCloseEvent* event) override; // TaskoFin
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Hover codes of HighlightButtons: the mouse over the background, "Következő", "Vissza a főoldalra",
    // "Eszperantó betűk!".
    enum HoverCode { OverBackground = 0, OverNext = 1, OverBack = 2, OverLetters = 3 };
    void HighlightButtons(int code);

    void ReadSheet(const ContentLines& lines);
    void AdvanceSheet();
    bool EvaluateAnswer();
    void ShowTotals();
    void enterEndState();
    void setAskingControls(bool on);
    void submitAnswer();

    void SeCl();
    void VaKU(const QKeyEvent& event);
    void EICl();
    void HeCl();

    std::unique_ptr<Ui::Tasko> ui;
    Platform& platform_;
    THiba* notice_ = nullptr;
    TSugo* help_ = nullptr;
    TaskSheet sheet_;
    std::string SubmittedAnswer;
};

} // namespace kvizaro
