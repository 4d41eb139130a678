#include "drill.h"

#include "code_pages.h"
#include "esperanto.h"

#include <utility>

namespace kvizaro {

bool CheckAnswer(std::string_view submitted, const std::vector<std::string>& solutions) {
    return isAcceptedAnswer(submitted, solutions);
}

std::uint8_t SuccessRate(std::uint8_t rightCount, std::uint8_t answered) {
    if (answered == 0) {
        return 0;
    }
    return static_cast<std::uint8_t>(rightCount * 100 / answered);
}

ResultColour successRateColour(std::uint8_t successRate) {
    const int rate = successRate;
    if (rate <= 50) {
        return {255, static_cast<std::uint8_t>(55 + 4 * rate), 0};
    }
    return {static_cast<std::uint8_t>(255 - 4 * (rate - 50)), 255, 0};
}

int progressPercent(std::uint8_t answered, std::uint8_t questionCount) {
    if (questionCount == 0) {
        return 0;
    }
    return answered * 100 / questionCount;
}

Score scoreAnswer(bool right, std::uint8_t answered, std::uint8_t rightBefore, std::uint8_t questionCount) {
    Score score;
    score.rightCount = static_cast<std::uint8_t>(rightBefore + (right ? 1 : 0));
    score.successRate = SuccessRate(score.rightCount, answered);
    score.progress = progressPercent(answered, questionCount);
    score.resultColour = successRateColour(score.successRate);
    return score;
}

std::string verdictText(bool right) {
    return right ? " Gratulálok, a válasz helyes!" : " Sajnos rosszul válaszoltál!";
}

std::string successRateText(std::uint8_t successRate) {
    return "Eredményesség: " + std::to_string(successRate) + " %";
}

std::string totalsText(std::uint8_t answered, std::uint8_t rightCount) {
    return "Eddig: " + std::to_string(answered) + " kérdés, " + std::to_string(rightCount) + " jó válasz, " +
           std::to_string(answered - rightCount) + " rossz válasz";
}

std::string repeatButtonText(std::size_t wrongCount) {
    return "Hibásak újra (" + std::to_string(wrongCount) + ")";
}

std::string explanationText(const Evaluation& evaluation) {
    return evaluation.mistake ? std::string(mistakeText(*evaluation.mistake)) : std::string();
}

void Drill::startSheet(const std::string& sheetBlockName, const ContentLines& lines) {
    sheetBlockName_ = sheetBlockName;
    sheetLines_ = &lines;
    ReadSheet(lines);
    roundItems_.clear();
    for (std::size_t item = 0; item < sheet_.items.size(); ++item) {
        roundItems_.push_back(item);
    }
    repeating_ = false;
    beginRun();
}

bool Drill::startRepeatRound() {
    if (state_ != DrillState::Ended || wrongAnswers_.empty()) {
        return false;
    }
    roundItems_.clear();
    for (const WrongAnswer& wrong : wrongAnswers_) {
        roundItems_.push_back(wrong.item);
    }
    repeating_ = true;
    beginRun();
    return true;
}

// A run asks roundItems_ from zero counters and collects its own wrong answers.
void Drill::beginRun() {
    currentQuestion_ = 0;
    questionCount_ = static_cast<std::uint8_t>(roundItems_.size());
    rightCount_ = 0;
    ended_ = false;
    wrongAnswers_.clear();
    lastEvaluation_.reset();
    AdvanceSheet();
}

std::vector<std::string> Drill::reviewLines() const {
    std::vector<std::string> lines;
    for (const WrongAnswer& wrong : wrongAnswers_) {
        const TaskItem& item = sheet_.items[wrong.item];
        lines.push_back(displayLatin3ToUtf8(item.question) +
                        " – te: " + displayLatin3ToUtf8(XToLatin3(wrong.answer)) +
                        " – helyesen: " + displayLatin3ToUtf8(XToLatin3(item.instruction)));
    }
    return lines;
}

bool Drill::submitAnswer(std::string answer) {
    if (state_ != DrillState::Asking && state_ != DrillState::Idle) {
        return false;
    }
    submittedAnswer_ = std::move(answer);
    AdvanceSheet();
    return true;
}

void Drill::acknowledgeNotice() {
    if (state_ == DrillState::Notice) {
        state_ = ended_ ? DrillState::Ended : DrillState::Asking;
    }
}

std::uint8_t Drill::answeredCount() const {
    if (ended_ || currentQuestion_ == 0) {
        return currentQuestion_;
    }
    return static_cast<std::uint8_t>(currentQuestion_ - 1U);
}

const std::string& Drill::currentQuestionText() const {
    static const std::string none;
    return currentQuestion_ == 0 ? none : askedItem().question;
}

const TaskItem& Drill::askedItem() const {
    return sheet_.items[roundItems_[currentQuestion_ - 1U]];
}

// Every reading starts from nothing, so a question without a "Demando" or "Instruo" line shows empty
// rather than the text an earlier sheet left behind.
void Drill::ReadSheet(const ContentLines& lines) {
    sheet_ = readTaskBlock(lines, sheetBlockName_);
}

void Drill::AdvanceSheet() {
    const bool wrong = currentQuestion_ > 0 && EvaluateAnswer();
    if (currentQuestion_ >= questionCount_) {
        ended_ = true;
    } else {
        ++currentQuestion_;
    }
    if (wrong) {
        state_ = DrillState::Notice;
    } else {
        state_ = ended_ ? DrillState::Ended : DrillState::Asking;
    }
}

// Read at the first wrong answer rather than when the sheet starts: the learner waits for a sheet, while a
// wrong answer raises the notice anyway.
const CourseWords& Drill::courseWords() {
    if (courseWordsSource_ != sheetLines_ && sheetLines_ != nullptr) {
        courseWords_ = CourseWords(*sheetLines_);
        courseWordsSource_ = sheetLines_;
    }
    return courseWords_;
}

bool Drill::EvaluateAnswer() {
    const TaskItem& item = askedItem();
    const bool right = CheckAnswer(submittedAnswer_, item.solutions);
    const Score score = scoreAnswer(right, currentQuestion_, rightCount_, questionCount_);
    rightCount_ = score.rightCount;
    Evaluation evaluation{item.question, item.instruction, submittedAnswer_, right, score, {}, {}};
    if (!right) {
        evaluation.marks = markDifferences(submittedAnswer_, item.instruction, item.solutions);
        evaluation.mistake = explainMistake(submittedAnswer_, item.solutions, courseWords());
        wrongAnswers_.push_back({roundItems_[currentQuestion_ - 1U], submittedAnswer_});
    }
    lastEvaluation_ = std::move(evaluation);
    return !right;
}

} // namespace kvizaro
