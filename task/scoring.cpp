#include "scoring.h"

#include "esperanto.h"
#include "text.h"

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

QColor successRateColour(std::uint8_t successRate) {
    const int rate = successRate;
    if (rate <= 50) {
        return QColor(255, 55 + 4 * rate, 0);
    }
    return QColor(255 - 4 * (rate - 50), 255, 0);
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

QString verdictText(bool right) {
    return right ? hu(" Gratulálok, a válasz helyes!") : hu(" Sajnos rosszul válaszoltál!");
}

QString successRateText(std::uint8_t successRate) {
    return hu("Eredményesség: %1 %").arg(int{successRate});
}

QString totalsText(std::uint8_t answered, std::uint8_t rightCount) {
    return hu("Eddig: %1 kérdés, %2 jó válasz, %3 rossz válasz")
        .arg(int{answered})
        .arg(int{rightCount})
        .arg(answered - rightCount);
}

} // namespace kvizaro
