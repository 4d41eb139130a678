#include "drill.h"

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

std::string explanationText(const Evaluation& evaluation) {
    return evaluation.mistake ? std::string(mistakeText(*evaluation.mistake)) : std::string();
}

void Drill::startSheet(const std::string& sheetBlockName, const ContentLines& lines) {
    sheetBlockName_ = sheetBlockName;
    sheetLines_ = &lines;
    if (courseWordsSource_ != &lines) {
        courseWords_ = CourseWords(lines);
        courseWordsSource_ = &lines;
    }
    currentQuestion_ = 0;
    questionCount_ = 0;
    rightCount_ = 0;
    ended_ = false;
    lastEvaluation_.reset();
    ReadSheet(lines);
    AdvanceSheet();
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
    return currentQuestion_ == 0 ? none : sheet_.items[currentQuestion_ - 1U].question;
}

// Every reading starts from nothing, so a question without a "Demando" or "Instruo" line shows empty
// rather than the text an earlier sheet left behind.
void Drill::ReadSheet(const ContentLines& lines) {
    sheet_ = readTaskBlock(lines, sheetBlockName_);
    questionCount_ = static_cast<std::uint8_t>(sheet_.items.size());
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

bool Drill::EvaluateAnswer() {
    const TaskItem& item = sheet_.items[currentQuestion_ - 1U];
    const bool right = CheckAnswer(submittedAnswer_, item.solutions);
    const Score score = scoreAnswer(right, currentQuestion_, rightCount_, questionCount_);
    rightCount_ = score.rightCount;
    Evaluation evaluation{item.question, item.instruction, submittedAnswer_, right, score, {}, {}};
    if (!right) {
        evaluation.marks = markDifferences(submittedAnswer_, item.instruction, item.solutions);
        evaluation.mistake = explainMistake(submittedAnswer_, item.solutions, courseWords_);
    }
    lastEvaluation_ = std::move(evaluation);
    return !right;
}

} // namespace kvizaro
