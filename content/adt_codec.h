// Conversion between a lesson source a teacher can edit (UTF-8, one line per content line) and the stored
// form the program reads (every byte plus one, CR LF line ends).
//
// Each character of the source takes one byte: the twelve Esperanto letters (ĉ Ĉ ĝ Ĝ ĥ Ĥ ĵ Ĵ ŝ Ŝ ŭ Ŭ) their
// Latin-3 byte, because questions show in a Latin-3 font; every other character its Windows-1250 byte,
// because Hungarian texts show in Windows-1250. Reading back uses the same rule, so a byte means one
// character only: the Windows-1250 characters that share a byte with an Esperanto letter (ć Ć ř Ř ¶ ¦ Ľ ¬
// ţ Ţ ý Ý) cannot be stored.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvizaro {

struct SourceError {
    std::size_t line;   // from 1
    std::size_t column; // from 1, counted in characters
    std::string message;
    std::optional<char32_t> character; // the character that cannot be stored; none for malformed UTF-8
};

struct EncodeResult {
    std::string stored;              // empty when there are errors
    std::vector<SourceError> errors; // in source order
    bool ok() const { return errors.empty(); }
};

// The byte a source character takes, or nothing when it has none or shares one with an Esperanto letter.
std::optional<unsigned char> sourceCharacterByte(char32_t code);
// The character a content byte stands for in a source.
char32_t byteSourceCharacter(unsigned char byte);

// Line ends may be LF or CR LF; each becomes CR LF. A leading byte-order mark is dropped.
EncodeResult encodeSource(std::string_view utf8);

// The same conversion on a source that arrives in pieces of any size (a character or a CR LF may be split
// between two), so that a reader never needs the whole file at once.
class SourceEncoder {
public:
    enum class ErrorHandling { ReportAll, StopAtFirst };
    explicit SourceEncoder(ErrorHandling handling = ErrorHandling::ReportAll);

    // Appends the stored form of what can be converted so far; StopAtFirst appends nothing after the first
    // character that cannot be stored.
    void feed(std::string_view piece, std::string& stored);
    // The end of the source: a sequence left incomplete is malformed.
    void finish(std::string& stored);

    const std::vector<SourceError>& errors() const { return errors_; }

private:
    bool stopped() const { return stopAtFirstError_ && !errors_.empty(); }
    void encode(std::string_view text, std::string& stored, bool last);

    bool stopAtFirstError_;
    bool atFileStart_ = true;
    std::size_t line_ = 1;
    std::size_t column_ = 1;
    std::string pending_; // the start of a split character, or a CR whose LF may follow
    std::vector<SourceError> errors_;
};

struct DecodeResult {
    std::string source;
    std::vector<SourceError> warnings; // bytes without a character, content after an end-of-file byte
};

// Lines end with LF; a stored last line without line end gives a source without a final LF.
DecodeResult decodeStored(std::string_view stored);

// Decoded content bytes (one line) as UTF-8, for messages: the source's own spelling.
std::string contentBytesToUtf8(std::string_view bytes);

// "U+0107 'ć'": how a character is named in messages.
std::string describeCharacter(char32_t code);

} // namespace kvizaro
