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

constexpr std::string_view DroppedFromAnswers = " !,.:;?";

const LetterPair* pairForPlain(char c) {
    const auto* found = std::find_if(LetterTable.begin(), LetterTable.end(),
                                     [c](const LetterPair& pair) { return pair.plain == c; });
    return found == LetterTable.end() ? nullptr : found;
}

const LetterPair* pairForByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    const auto* found = std::find_if(LetterTable.begin(), LetterTable.end(),
                                     [byte](const LetterPair& pair) { return pair.byte == byte; });
    return found == LetterTable.end() ? nullptr : found;
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

std::string NormaliseAnswer(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text) {
        if (DroppedFromAnswers.find(c) == std::string_view::npos) {
            kept += c;
        }
    }
    return LowerAscii(kept);
}

std::string Latin3ToXSystem(std::string_view text) {
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
    return NormaliseAnswer(Latin3ToXSystem(answer));
}

bool isAcceptedAnswer(std::string_view answer, const std::vector<std::string>& accepted) {
    if (answer.empty() || HasUnmappableEscape(answer)) {
        return false;
    }
    const std::string typed = comparableAnswer(answer);
    if (typed.empty()) {
        return false;
    }
    return std::any_of(accepted.begin(), accepted.end(),
                       [&](const std::string& solution) { return comparableAnswer(solution) == typed; });
}

} // namespace kvizaro
