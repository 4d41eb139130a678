// The drill of one task sheet without any window: the sheet's questions, the counters, the judging and
// scoring of every answer, the states a drill passes through, and the rounds that repeat the questions
// answered wrong until none is left. The task sheet window owns one drill, shows it and forwards the
// user's answers and the dismissal of the wrong-answer notice to it; everything here can be driven and
// checked without a widget.
//
// Plain C++ on the content library: display texts are UTF-8 and the result colour is three bytes, so the
// window alone turns them into Qt values.
#pragma once

#include "answer_feedback.h"
#include "content_file.h"
#include "readers.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvizaro {

// Whether `submitted` (the typed answer's bytes) is one of the accepted answers. Esperanto letters count
// the same whether written as Latin-3 letters or in the x-system, on either side; an empty answer, one
// that is nothing but blanks and punctuation, and one holding a character without a byte never match.
bool CheckAnswer(std::string_view submitted, const std::vector<std::string>& solutions);

struct ResultColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const ResultColour&, const ResultColour&) = default;
};

// Every figure the window shows after the answer to question `answered` (counted from 1) of
// `questionCount`.
struct Score {
    std::uint8_t rightCount = 0;  // including this answer
    std::uint8_t successRate = 0; // per cent, rounded down
    int progress = 0;             // per cent of the questions answered, rounded down
    ResultColour resultColour;    // orange-red at 0 %, yellow at 50 %, green at 100 %
};
Score scoreAnswer(bool right, std::uint8_t answered, std::uint8_t rightBefore, std::uint8_t questionCount);

std::uint8_t SuccessRate(std::uint8_t rightCount, std::uint8_t answered);
ResultColour successRateColour(std::uint8_t successRate);
int progressPercent(std::uint8_t answered, std::uint8_t questionCount);

// The drill's texts as the window shows them, UTF-8.
std::string verdictText(bool right);
std::string successRateText(std::uint8_t successRate);
std::string totalsText(std::uint8_t answered, std::uint8_t rightCount);
inline constexpr std::string_view EndMessage = "V É G E !";
// Put after the sheet's title while a round repeats the questions answered wrong.
inline constexpr std::string_view RepeatTitleSuffix = " – ismétlés";
// The caption of the button that starts such a round of `wrongCount` questions.
std::string repeatButtonText(std::size_t wrongCount);

// The feedback of one answer: the question just answered, its model answer and the typed answer as
// stored and typed (the window converts the x-system for display), the verdict and the figures. A wrong
// answer also carries where it differs from the closest accepted answer and, where a typical mistake
// explains the difference, which one; a right answer carries neither. Both only explain the verdict.
struct Evaluation {
    std::string question;
    std::string instruction;
    std::string answer;
    bool right = false;
    Score score;
    AnswerMarks marks;
    std::optional<Explanation> mistake;
};

// The explanation the notice shows for a wrong answer, UTF-8; empty when no typical mistake fits.
std::string explanationText(const Evaluation& evaluation);

// A question answered wrong in the current run: its place among the sheet's items and the answer as typed.
struct WrongAnswer {
    std::size_t item = 0;
    std::string answer;
};

// Idle: no sheet started yet. Asking: question CurrentQuestion of QuestionCount waits for its answer.
// Notice: a wrong answer waits to be acknowledged; the next question, or the end, is already in place
// behind it. Ended: every question is answered. Closing the window changes nothing here: the drill keeps
// its state until the next sheet starts.
enum class DrillState { Idle, Asking, Notice, Ended };

class Drill {
public:
    // Resets the counters, reads the block `sheetBlockName` of `lines` and asks the first question, or ends
    // at once for a sheet without questions. The drill keeps a reference to `lines` (the main menu's
    // content, which it owns for the whole run) so that the typing help can be read from the same lines.
    void startSheet(const std::string& sheetBlockName, const ContentLines& lines);
    void startSheet(const std::string& sheetBlockName, ContentLines&& lines) = delete;

    // An answer submitted: it becomes SubmittedAnswer and the sheet advances. Taken while asking, and
    // before any sheet (which then ends at once, as a sheet without questions); ignored while a notice
    // waits and after the end, where the window offers no answer box. Returns whether it was taken.
    bool submitAnswer(std::string answer);

    // The wrong-answer notice was dismissed: back to asking, or to the end after a wrong last answer.
    void acknowledgeNotice();

    // After a run that ended with wrong answers: a round of exactly those questions, in file order, from
    // zero totals; its own wrong answers are collected for the next round. Anything else changes nothing.
    // Returns whether a round started.
    bool startRepeatRound();
    // The run in progress is such a round, not the whole sheet.
    bool repeating() const { return repeating_; }
    // The questions answered wrong so far in the current run, in the order asked.
    const std::vector<WrongAnswer>& wrongAnswers() const { return wrongAnswers_; }
    // Whether the end of the run offers a round: the last question is answered and some answer was wrong.
    bool offersRepeat() const { return ended_ && !wrongAnswers_.empty(); }
    // One line per wrong answer of the run, UTF-8, the letters as the sheet shows them:
    // "QUESTION – te: TYPED – helyesen: MODEL".
    std::vector<std::string> reviewLines() const;
    // The sheet's items the current run asks, in order: all of them, or a round's.
    const std::vector<std::size_t>& roundItems() const { return roundItems_; }

    DrillState state() const { return state_; }
    // Whether the last question has been answered: in Ended, and in Notice after a wrong last answer.
    bool ended() const { return ended_; }

    std::uint8_t CurrentQuestion() const { return currentQuestion_; }
    // The questions of the run: the whole sheet's, or a round's.
    std::uint8_t QuestionCount() const { return questionCount_; }
    std::uint8_t RightCount() const { return rightCount_; }
    // Questions answered so far, the figure of the running totals: CurrentQuestion is already the next
    // question's number while asking, and the last one's at the end.
    std::uint8_t answeredCount() const;
    const std::string& SubmittedAnswer() const { return submittedAnswer_; }
    const std::string& SheetBlockName() const { return sheetBlockName_; }
    // Nothing before the first sheet.
    const ContentLines* SheetLines() const { return sheetLines_; }

    // The text of question CurrentQuestion as stored; empty before the first question.
    const std::string& currentQuestionText() const;
    // The feedback of the last answer; nothing since the start of the sheet.
    const std::optional<Evaluation>& lastEvaluation() const { return lastEvaluation_; }

private:
    void ReadSheet(const ContentLines& lines);
    void beginRun();
    const TaskItem& askedItem() const;
    void AdvanceSheet();
    bool EvaluateAnswer();

    DrillState state_ = DrillState::Idle;
    bool ended_ = false;
    bool repeating_ = false;
    std::uint8_t currentQuestion_ = 0;
    std::uint8_t questionCount_ = 0;
    std::uint8_t rightCount_ = 0;
    std::string submittedAnswer_;
    std::string sheetBlockName_;
    const ContentLines* sheetLines_ = nullptr;
    TaskSheet sheet_;
    std::vector<std::size_t> roundItems_;
    std::vector<WrongAnswer> wrongAnswers_;
    std::optional<Evaluation> lastEvaluation_;
    const CourseWords& courseWords();
    // The words of every accepted answer of `courseWordsSource_`, read at the first wrong answer on them.
    CourseWords courseWords_;
    const ContentLines* courseWordsSource_ = nullptr;
};

} // namespace kvizaro
