// The judging and scoring of one answer, kept apart from the window so that every figure the task sheet
// shows can be checked without it. The window only displays what these functions return.
#pragma once

#include <QColor>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvizaro {

// Whether `submitted` (the typed answer's bytes) is one of the accepted answers. Esperanto letters count
// the same whether written as Latin-3 letters or in the x-system, on either side; an empty answer, one
// that is nothing but blanks and punctuation, and one holding a character without a byte never match.
bool CheckAnswer(std::string_view submitted, const std::vector<std::string>& solutions);

// Everything the window shows after the answer to question `answered` (counted from 1) of `questionCount`.
struct Score {
    std::uint8_t rightCount = 0;  // including this answer
    std::uint8_t successRate = 0; // per cent, rounded down
    int progress = 0;             // per cent of the questions answered, rounded down
    QColor resultColour;          // orange-red at 0 %, yellow at 50 %, green at 100 %
};
Score scoreAnswer(bool right, std::uint8_t answered, std::uint8_t rightBefore, std::uint8_t questionCount);

std::uint8_t SuccessRate(std::uint8_t rightCount, std::uint8_t answered);
QColor successRateColour(std::uint8_t successRate);
int progressPercent(std::uint8_t answered, std::uint8_t questionCount);

QString verdictText(bool right);
QString successRateText(std::uint8_t successRate);
QString totalsText(std::uint8_t answered, std::uint8_t rightCount);

} // namespace kvizaro
