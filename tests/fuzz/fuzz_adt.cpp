// Any bytes through kvizaro-adt's commands: as a lesson source to encode, as a stored file to decode and to
// check, as a word list to import. What encode accepts must decode to the same source, what decode reads
// without a warning must encode again, and what an import writes must check clean.
#include "adt_check.h"
#include "adt_codec.h"
#include "csv_word_list.h"
#include "kvtml_word_list.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// What encoding does not keep: a leading byte-order mark and the CR of CR LF.
std::string normalisedSource(std::string_view utf8) {
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF") {
        utf8.remove_prefix(3);
    }
    std::string source;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (!(utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')) {
            source += utf8[i];
        }
    }
    return source;
}

void encodeAsSource(std::string_view bytes) {
    const kvizaro::EncodeResult encoded = kvizaro::encodeSource(bytes);
    if (!encoded.ok()) {
        require(encoded.stored.empty());
        return;
    }
    const kvizaro::DecodeResult decoded = kvizaro::decodeStored(encoded.stored);
    require(decoded.warnings.empty());
    require(decoded.source == normalisedSource(bytes));
}

void decodeAsStored(std::string_view bytes) {
    const kvizaro::DecodeResult decoded = kvizaro::decodeStored(bytes);
    if (decoded.warnings.empty()) {
        require(kvizaro::encodeSource(decoded.source).ok());
    }
}

void importAsWordList(const kvizaro::WordListReading& reading) {
    if (!reading.errors.empty()) {
        return;
    }
    const kvizaro::LessonSourceResult lesson = kvizaro::wordListToSource(reading.sheets);
    if (!lesson.errors.empty()) {
        require(lesson.source.empty());
        return;
    }
    const kvizaro::EncodeResult encoded = kvizaro::encodeSource(lesson.source);
    require(encoded.ok());
    for (const kvizaro::Finding& finding : kvizaro::checkStored(encoded.stored)) {
        require(finding.severity != kvizaro::Severity::Fault);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    encodeAsSource(bytes);
    decodeAsStored(bytes);
    for (const kvizaro::Finding& finding : kvizaro::checkStored(bytes)) {
        require(!finding.message.empty());
    }
    importAsWordList(kvizaro::readCsvWordList(bytes, kvizaro::CsvKind::Csv));
    importAsWordList(kvizaro::readKvtmlWordList(bytes, {}));
    return 0;
}
