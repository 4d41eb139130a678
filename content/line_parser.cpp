#include "line_parser.h"

namespace kvizaro {

std::string SeparatorSet = ",";
std::uint8_t KeyCaseMode = 0;
const std::string_view CommentKeyword = "REMARK";
std::uint16_t ParserStatus = parser_status::Ok;

namespace {

constexpr char Blank = ' ';
constexpr char Equals = '=';
constexpr char Quote = '"';

bool isSeparator(char c) {
    return SeparatorSet.find(c) != std::string::npos;
}
bool isDelimiter(char c) {
    return c == Blank || c == Equals || isSeparator(c);
}

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

std::string applyKeyCase(std::string text) {
    switch (KeyCaseMode) {
    case 1:
        return UpperAscii(text);
    case 2:
        return LowerAscii(text);
    case 3:
        return SwapAsciiCase(text);
    default:
        return text;
    }
}

struct KeyScan {
    LineKind kind = LineKind::Invalid;
    bool delimiterFound = false;
    bool keywordIntact = true;
};

KeyScan scanKey(std::string_view line) {
    KeyScan scan;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == Blank) {
            scan.kind = LineKind::KeySpace;
        } else if (c == Equals) {
            scan.kind = LineKind::KeyEquals;
        } else if (isSeparator(c)) {
            scan.kind = LineKind::Invalid;
            ParserStatus = parser_status::SeparatorBeforeKeyEnd;
        }
        if (c == Blank || c == Equals || isSeparator(c)) {
            scan.delimiterFound = true;
            // A delimiter never matches a letter of the keyword.
            if (i < CommentKeyword.size()) {
                scan.keywordIntact = false;
            }
            return scan;
        }
        if (i < CommentKeyword.size() && scan.keywordIntact && upperAscii(c) != CommentKeyword[i]) {
            scan.keywordIntact = false;
        }
    }
    return scan;
}

// Walks past `count` delimiters outside quotes; quotes are matched per pass.
struct SkipResult {
    bool found = false;
    bool endedInsideQuotes = false;
    std::size_t next = 0; // position after the last delimiter passed
};

SkipResult skipDelimiters(std::string_view line, std::uint8_t count) {
    SkipResult result;
    std::size_t pos = 0;
    for (std::uint8_t pass = 0; pass < count; ++pass) {
        bool insideQuotes = false;
        bool found = false;
        for (; pos < line.size(); ++pos) {
            const char c = line[pos];
            if (c == Quote) {
                insideQuotes = !insideQuotes;
            } else if (!insideQuotes && isDelimiter(c)) {
                found = true;
                ++pos;
                break;
            }
        }
        if (!found) {
            // Later passes would start at the end of the line and end outside quotes.
            result.endedInsideQuotes = insideQuotes && pass + 1 == count;
            return result;
        }
    }
    result.found = true;
    result.next = pos;
    return result;
}

} // namespace

void configureParser() {
    SeparatorSet = ",";
}

LineKind ClassifyLine(std::string_view line) {
    ParserStatus = parser_status::Ok;
    if (line.empty()) {
        ParserStatus = parser_status::TooFewDelimiters;
        return LineKind::Invalid;
    }
    switch (line.front()) {
    case '[':
        if (line.back() == ']') {
            return LineKind::Section;
        }
        ParserStatus = parser_status::UnclosedSection;
        return LineKind::Invalid;
    case ';':
        return LineKind::Comment;
    case '#':
        return LineKind::Marker;
    default:
        break;
    }
    const KeyScan scan = scanKey(line);
    if (!scan.delimiterFound) {
        ParserStatus = parser_status::TooFewDelimiters;
    }
    if (scan.keywordIntact) {
        return LineKind::Comment;
    }
    return scan.delimiterFound ? scan.kind : LineKind::Invalid;
}

std::string LineKey(std::string_view line) {
    std::size_t end = 0;
    while (end < line.size() && !isDelimiter(line[end])) {
        ++end;
    }
    return applyKeyCase(std::string(line.substr(0, end)));
}

void LineField(std::uint8_t n, std::string_view line, std::string& value) {
    ParserStatus = parser_status::Ok;
    if (n == 0) {
        value.clear();
        ParserStatus = parser_status::FieldZero;
        return;
    }
    const SkipResult skip = skipDelimiters(line, n);
    if (!skip.found) {
        ParserStatus =
            skip.endedInsideQuotes ? parser_status::UnclosedQuote : parser_status::TooFewDelimiters;
        return;
    }
    std::string collected;
    bool insideQuotes = false;
    for (std::size_t pos = skip.next; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (insideQuotes) {
            if (c == Quote) {
                value = applyKeyCase(std::move(collected));
                return;
            }
            collected += c;
        } else if (c == Quote) {
            insideQuotes = true;
        } else if (isSeparator(c)) {
            ParserStatus = parser_status::SeparatorInValue;
        } else {
            collected += c;
        }
    }
    if (insideQuotes) {
        ParserStatus = parser_status::UnclosedQuote;
    }
}

std::string LowerAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = lowerAscii(c);
    }
    return result;
}

std::string UpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = upperAscii(c);
    }
    return result;
}

std::string SwapAsciiCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = (c >= 'a' && c <= 'z') ? upperAscii(c) : lowerAscii(c);
    }
    return result;
}

} // namespace kvizaro
