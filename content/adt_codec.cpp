#include "adt_codec.h"

#include "code_pages.h"
#include "esperanto.h"

#include <cstdio>
#include <utility>

namespace kvizaro {

namespace {

constexpr char32_t LineFeed = 0x0A;
constexpr char32_t CarriageReturn = 0x0D;
constexpr char32_t ByteOrderMark = 0xFEFF;
// Their stored forms would be a CR (13) and the end-of-file byte (26).
constexpr char32_t StoredAsCarriageReturn = 12;
constexpr char32_t StoredAsEndOfFile = 25;
constexpr unsigned char StoredEndOfFile = 26;
constexpr unsigned char StoredCarriageReturn = 13;
constexpr unsigned char StoredLineFeed = 10;

const LetterPair* esperantoPairForByte(unsigned char byte) {
    for (const LetterPair& pair : LetterTable) {
        if (pair.byte == byte) {
            return &pair;
        }
    }
    return nullptr;
}

std::optional<unsigned char> esperantoLetterByte(char32_t code) {
    for (const LetterPair& pair : LetterTable) {
        if (displayLatin3ToUnicode(pair.byte) == code) {
            return pair.byte;
        }
    }
    return std::nullopt;
}

std::string unstorableMessage(char32_t code) {
    if (const auto byte = unicodeToWindows1250(code); byte && esperantoPairForByte(*byte) != nullptr) {
        std::string letter;
        appendUtf8(letter, displayLatin3ToUnicode(*byte));
        return describeCharacter(code) +
               " cannot be stored: its Windows-1250 byte stands for the Esperanto letter '" + letter + "'";
    }
    switch (code) {
    case StoredAsCarriageReturn:
        return describeCharacter(code) + " cannot be stored: its stored form would end the line";
    case StoredAsEndOfFile:
        return describeCharacter(code) + " cannot be stored: its stored form would end the file";
    case CarriageReturn:
        return "a carriage return (CR) inside a line cannot be stored";
    default:
        return describeCharacter(code) +
               " has no byte in the content's character sets (Windows-1250 and the Esperanto letters)";
    }
}

std::optional<unsigned char> storableByte(char32_t code) {
    if (code == StoredAsCarriageReturn || code == StoredAsEndOfFile || code == CarriageReturn) {
        return std::nullopt;
    }
    return sourceCharacterByte(code);
}

// The start of a UTF-8 sequence whose remaining bytes are still to come.
bool isCutSequence(std::string_view text, std::size_t at) {
    const std::size_t length = utf8SequenceLength(static_cast<unsigned char>(text[at]));
    if (length <= 1 || at + length <= text.size()) {
        return false;
    }
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<unsigned char> sourceCharacterByte(char32_t code) {
    if (const auto letter = esperantoLetterByte(code)) {
        return letter;
    }
    const std::optional<unsigned char> byte = unicodeToWindows1250(code);
    if (!byte || esperantoPairForByte(*byte) != nullptr) {
        return std::nullopt;
    }
    return byte;
}

char32_t byteSourceCharacter(unsigned char byte) {
    return esperantoPairForByte(byte) != nullptr ? displayLatin3ToUnicode(byte) : windows1250ToUnicode(byte);
}

SourceEncoder::SourceEncoder(ErrorHandling handling)
    : stopAtFirstError_(handling == ErrorHandling::StopAtFirst) {}

void SourceEncoder::feed(std::string_view piece, std::string& stored) {
    if (pending_.empty()) {
        encode(piece, stored, false);
        return;
    }
    std::string joined = std::exchange(pending_, {});
    joined += piece;
    encode(joined, stored, false);
}

void SourceEncoder::finish(std::string& stored) {
    const std::string rest = std::exchange(pending_, {});
    encode(rest, stored, true);
}

void SourceEncoder::encode(std::string_view text, std::string& stored, bool last) {
    Utf8Reader reader(text);
    while (!reader.atEnd() && !stopped()) {
        const std::size_t begin = reader.position();
        if (!last && isCutSequence(text, begin)) {
            pending_ = text.substr(begin);
            return;
        }
        const char32_t code = reader.next();
        if (std::exchange(atFileStart_, false) && code == ByteOrderMark) {
            continue;
        }
        if (code == CarriageReturn && reader.atEnd() && !last) {
            pending_ = "\r"; // its LF may begin the next piece
            atFileStart_ = false;
            return;
        }
        const bool crBeforeLf = code == CarriageReturn && !reader.atEnd() &&
                                static_cast<unsigned char>(text[reader.position()]) == LineFeed;
        if (code == LineFeed || crBeforeLf) {
            if (crBeforeLf) {
                reader.next();
            }
            stored += "\r\n";
            ++line_;
            column_ = 1;
            continue;
        }
        if (reader.malformed()) {
            errors_.push_back({line_, column_, "malformed UTF-8: save the source as UTF-8", std::nullopt});
        } else if (const std::optional<unsigned char> byte = storableByte(code)) {
            stored += static_cast<char>(static_cast<unsigned char>(*byte + 1U));
        } else {
            errors_.push_back({line_, column_, unstorableMessage(code), code});
        }
        ++column_;
    }
}

EncodeResult encodeSource(std::string_view utf8) {
    EncodeResult result;
    SourceEncoder encoder;
    encoder.feed(utf8, result.stored);
    encoder.finish(result.stored);
    result.errors = encoder.errors();
    if (!result.ok()) {
        result.stored.clear();
    }
    return result;
}

DecodeResult decodeStored(std::string_view stored) {
    DecodeResult result;
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const auto byte = static_cast<unsigned char>(stored[i]);
        if (byte == StoredEndOfFile) {
            if (i + 1 < stored.size()) {
                result.warnings.push_back(
                    {line, column,
                     "the program stops reading at the end-of-file byte here; the rest is left out",
                     std::nullopt});
            }
            break;
        }
        if (byte == StoredCarriageReturn) {
            if (i + 1 < stored.size() && static_cast<unsigned char>(stored[i + 1]) == StoredLineFeed) {
                ++i;
            }
            result.source += '\n';
            ++line;
            column = 1;
            continue;
        }
        const auto decoded = static_cast<unsigned char>(byte - 1U);
        char32_t code = byteSourceCharacter(decoded);
        if (code == LineFeed || code == CarriageReturn) {
            // A line end in the middle of a source line would split it when stored again.
            result.warnings.push_back(
                {line, column, "a line end character inside a line has no place in a source", std::nullopt});
            code = ReplacementCharacter;
        } else if (code == ReplacementCharacter) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", decoded);
            result.warnings.push_back(
                {line, column, std::string("byte ") + hex + " stands for no character", std::nullopt});
        }
        appendUtf8(result.source, code);
        ++column;
    }
    return result;
}

std::string contentBytesToUtf8(std::string_view bytes) {
    return bytesToUtf8(bytes, byteSourceCharacter);
}

std::string describeCharacter(char32_t code) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
    std::string text(name);
    if (code >= 0x20 && code != 0x7F && !(code >= 0x80 && code < 0xA0)) {
        text += " '";
        appendUtf8(text, code);
        text += "'";
    }
    return text;
}

} // namespace kvizaro
