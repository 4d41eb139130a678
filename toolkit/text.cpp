#include "text.h"

#include "code_pages.h"

namespace kvizaro {

QString fromWindows1250(std::string_view bytes) {
    return QString::fromStdString(windows1250ToUtf8(bytes));
}

std::string toWindows1250(const QString& text) {
    return utf8ToWindows1250(text.toStdString());
}

QString fromLatin3(std::string_view bytes) {
    return QString::fromStdString(displayLatin3ToUtf8(bytes));
}

std::string toLatin3(const QString& text) {
    return utf8ToDisplayLatin3(text.toStdString());
}

std::vector<qsizetype> latin3Positions(std::string_view bytes) {
    std::vector<qsizetype> positions;
    positions.reserve(bytes.size() + 1);
    qsizetype position = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = displayLatin3CharacterLength(bytes, at);
        positions.insert(positions.end(), length, position);
        position += fromLatin3(bytes.substr(at, length)).size();
        at += length;
    }
    positions.push_back(position);
    return positions;
}

} // namespace kvizaro
