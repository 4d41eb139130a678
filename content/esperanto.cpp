#include "esperanto.h"

#include "code_pages.h"
#include "line_parser.h"

#include <algorithm>

namespace kvizaro {

const std::array<LetterPair, 12> LetterTable{{
    {'c', 230},
    {'C', 198},
    {'g', 248},
    {'G', 216},
    {'h', 182},
    {'H', 166},
    {'j', 188},
    {'J', 172},
    {'s', 254},
    {'S', 222},
    {'u', 253},
    {'U', 221},
}};

namespace {

const LetterPair* pairForPlain(char c) {
    const auto* found = std::find_if(LetterTable.begin(), LetterTable.end(),
                                     [c](const LetterPair& pair) { return pair.plain == c; });
    return found == LetterTable.end() ? nullptr : found;
}

// Every answer is spelt in the x-system byte by byte before it is compared: one look-up a byte.
const LetterPair* pairForByte(char c) {
    static const std::array<const LetterPair*, 256> pairs = [] {
        std::array<const LetterPair*, 256> table{};
        for (const LetterPair& pair : LetterTable) {
            table[pair.byte] = &pair;
        }
        return table;
    }();
    return pairs[static_cast<unsigned char>(c)];
}

} // namespace

std::string XToLatin3(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    bool skipMarker = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool hasNext = i + 1 < text.size();
        const LetterPair* pair = hasNext && text[i + 1] == XSystemMarker ? pairForPlain(text[i]) : nullptr;
        if (pair != nullptr) {
            result += static_cast<char>(pair->byte);
        }
        if (skipMarker) {
            skipMarker = false;
        } else if (pair != nullptr) {
            skipMarker = true;
        } else {
            result += text[i];
        }
    }
    return result;
}

bool isDroppedFromAnswers(char c) {
    switch (c) {
    case ' ':
    case '!':
    case ',':
    case '.':
    case ':':
    case ';':
    case '?':
        return true;
    default:
        return false;
    }
}

std::string NormaliseAnswer(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text) {
        if (!isDroppedFromAnswers(c)) {
            kept += c;
        }
    }
    return LowerAscii(kept);
}

std::string latin3ToXSystem(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (const LetterPair* pair = pairForByte(c)) {
            result += pair->plain;
            result += XSystemMarker;
        } else {
            result += c;
        }
    }
    return result;
}

std::string comparableAnswer(std::string_view answer) {
    return NormaliseAnswer(latin3ToXSystem(answer));
}

AcceptedAnswers::AcceptedAnswers(const std::vector<std::string>& accepted) {
    comparables_.reserve(accepted.size());
    for (const std::string& answer : accepted) {
        add(answer);
    }
}

void AcceptedAnswers::add(std::string_view accepted) {
    comparables_.push_back(comparableAnswer(accepted));
}

std::optional<std::size_t> AcceptedAnswers::match(std::string_view answer) const {
    if (answer.empty() || hasUnmappableEscape(answer)) {
        return std::nullopt;
    }
    const std::string typed = comparableAnswer(answer);
    if (typed.empty()) {
        return std::nullopt;
    }
    const auto found = std::find(comparables_.begin(), comparables_.end(), typed);
    if (found == comparables_.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - comparables_.begin());
}

bool isAcceptedAnswer(std::string_view answer, const std::vector<std::string>& accepted) {
    return AcceptedAnswers(accepted).accepts(answer);
}

} // namespace kvizaro
