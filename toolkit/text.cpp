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

} // namespace kvizaro
