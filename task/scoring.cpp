#include "scoring.h"

#include "code_pages.h"
#include "esperanto.h"
#include "text.h"

namespace kvizaro {

namespace {

// The form in which answers are compared: real Esperanto letters first spelt in the x-system, so that a
// learner who types ĉ is judged like one who types "cx".
std::string comparable(std::string_view answer) {
    return NormaliseAnswer(Latin3ToXSystem(answer));
}

} // namespace

bool CheckAnswer(std::string_view submitted, const std::vector<std::string>& solutions) {
    if (submitted.empty() || HasUnmappableEscape(submitted)) {
        return false;
    }
    const std::string typed = comparable(submitted);
    if (typed.empty()) {
        return false;
    }
    for (const std::string& solution : solutions) {
        if (comparable(solution) == typed) {
            return true;
        }
    }
    return false;
}

std::uint8_t SuccessRate(std::uint8_t rightCount, std::uint8_t answered) {
    if (answered == 0) {
        return 0;
    }
    return static_cast<std::uint8_t>(rightCount * 100 / answered);
}

QColor ResultColour(std::uint8_t successRate) {
    const int rate = successRate;
    if (rate <= 50) {
        return QColor(255, 55 + 4 * rate, 0);
    }
    return QColor(255 - 4 * (rate - 50), 255, 0);
}

int Progress(std::uint8_t answered, std::uint8_t questionCount) {
    if (questionCount == 0) {
        return 0;
    }
    return answered * 100 / questionCount;
}

Score ScoreAnswer(bool right, std::uint8_t answered, std::uint8_t rightBefore, std::uint8_t questionCount) {
    Score score;
    score.rightCount = static_cast<std::uint8_t>(rightBefore + (right ? 1 : 0));
    score.successRate = SuccessRate(score.rightCount, answered);
    score.progress = Progress(answered, questionCount);
    score.resultColour = ResultColour(score.successRate);
    return score;
}

QString VerdictText(bool right) {
    return right ? hu(" Gratulálok, a válasz helyes!") : hu(" Sajnos rosszul válaszoltál!");
}

QString SuccessRateText(std::uint8_t successRate) {
    return hu("Eredményesség: %1 %").arg(int{successRate});
}

QString TotalsText(std::uint8_t answered, std::uint8_t rightCount) {
    return hu("Eddig: %1 kérdés, %2 jó válasz, %3 rossz válasz")
        .arg(int{answered})
        .arg(int{rightCount})
        .arg(answered - rightCount);
}

} // namespace kvizaro
