// The only place where bytes of the content become QString and back. Each function names the code page
// that the bytes are in; see the content library's code_pages.h for why there are two.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace kvizaro {

// Menu captions, help texts, sheet titles.
QString fromWindows1250(std::string_view bytes);
std::string toWindows1250(const QString& text);
// Questions and answers, shown in the Esperanto font.
QString fromLatin3(std::string_view bytes);
std::string toLatin3(const QString& text);
// Where each byte of `bytes` stands in fromLatin3(bytes): element i is the position of the character that
// byte i belongs to, and the last element, at index bytes.size(), the length of the whole text. A
// character without a byte takes several bytes and may take two positions.
std::vector<qsizetype> latin3Positions(std::string_view bytes);

// A UTF-8 literal written in the source, for the program's own fixed Hungarian texts.
inline QString hu(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace kvizaro
