#include "csv_word_list.h"

#include "code_pages.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <utility>

namespace kvizaro {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view DefaultSheetName = "Szavak";

struct Record {
    std::size_t line; // where it begins, from 1
    std::vector<std::string> cells;
};

std::string lineOrigin(std::size_t line) {
    return "line " + std::to_string(line);
}

std::size_t lineOfOffset(std::string_view text, std::size_t offset) {
    return static_cast<std::size_t>(
               std::count(text.begin(), text.begin() + static_cast<long>(offset), '\n')) +
           1;
}

std::optional<std::string> refusedEncoding(std::string_view text) {
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        return "the file is UTF-16 text; save it as UTF-8 (\"CSV UTF-8\")";
    }
    return std::nullopt;
}

char separatorFor(std::string_view text, CsvKind kind) {
    if (kind == CsvKind::Tsv) {
        return '\t';
    }
    const std::string_view header = text.substr(0, text.find('\n'));
    const bool semicolons =
        header.find(',') == std::string_view::npos && header.find(';') != std::string_view::npos;
    return semicolons ? ';' : ',';
}

// RFC 4180: a field in double quotes may hold separators, line breaks and doubled quotes. A quote inside an
// unquoted field is taken as it stands, as spreadsheets do.
class RecordReader {
public:
    RecordReader(std::string_view text, char separator) : text_(text), separator_(separator) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    std::optional<Record> next(std::vector<WordListProblem>& errors) {
        Record record{line_, {}};
        std::string cell;
        bool quoted = false;
        bool wasQuoted = false;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '\n') {
                ++line_;
            }
            if (quoted) {
                if (c != '"') {
                    cell += c;
                } else if (pos_ < text_.size() && text_[pos_] == '"') {
                    cell += '"';
                    ++pos_;
                } else {
                    quoted = false;
                }
            } else if (c == '"' && cell.empty() && !wasQuoted) {
                quoted = wasQuoted = true;
            } else if (c == separator_) {
                record.cells.push_back(std::exchange(cell, {}));
                wasQuoted = false;
            } else if (c == '\n') {
                break;
            } else if (c != '\r' || (pos_ < text_.size() && text_[pos_] != '\n')) {
                cell += c;
            }
        }
        if (quoted) {
            errors.push_back({lineOrigin(record.line), "a double quote opens a field that never closes"});
            return std::nullopt;
        }
        record.cells.push_back(std::move(cell));
        return record;
    }

private:
    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};

struct Columns {
    std::optional<std::size_t> sheet;
    std::optional<std::size_t> question;
    std::optional<std::size_t> answer;
    std::optional<std::size_t> block;
    std::vector<std::size_t> accepted;
};

// Column names in either language; a Hungarian spreadsheet writes them in Hungarian.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> ColumnNames{{
    {"lap", "sheet"},
    {"kérdés", "question"},
    {"válasz", "answer"},
    {"elfogadott", "accepted"},
    {"blokk", "block"},
}};

// Small letters for the capitals of both languages' column names (Á É Í Ó Ö Ő Ú Ü Ű and A-Z).
std::string lowerCase(std::string_view utf8) {
    std::string lower;
    for (Utf8Reader reader(utf8); !reader.atEnd();) {
        char32_t code = reader.next();
        if ((code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDE && code != 0xD7)) {
            code += 0x20;
        } else if (code == 0x150 || code == 0x170) { // Ő Ű
            code += 1;
        }
        appendUtf8(lower, code);
    }
    return lower;
}

std::string columnName(const std::string& cell) {
    const std::string name = lowerCase(oneLineText(cell));
    for (const auto& [hungarian, english] : ColumnNames) {
        if (name == hungarian) {
            return std::string(english);
        }
    }
    return name;
}

std::optional<Columns> readHeader(const Record& header, std::vector<WordListProblem>& errors) {
    Columns columns;
    const std::string origin = lineOrigin(header.line);
    for (std::size_t i = 0; i < header.cells.size(); ++i) {
        const std::string name = columnName(header.cells[i]);
        std::optional<std::size_t>* single = name == "sheet"      ? &columns.sheet
                                             : name == "question" ? &columns.question
                                             : name == "answer"   ? &columns.answer
                                             : name == "block"    ? &columns.block
                                                                  : nullptr;
        if (single != nullptr && single->has_value()) {
            errors.push_back({origin, "the column \"" + name + "\" is named twice"});
        } else if (single != nullptr) {
            *single = i;
        } else if (name == "accepted") {
            columns.accepted.push_back(i);
        } else if (!name.empty()) {
            errors.push_back(
                {origin, "unknown column \"" + header.cells[i] +
                             "\"; the header names sheet, question, answer and accepted (or lap, "
                             "kérdés, válasz and elfogadott)"});
        }
    }
    if (!columns.question || !columns.answer) {
        errors.push_back({origin, "the header names no \"question\" or no \"answer\" column"});
    }
    return errors.empty() ? std::optional<Columns>(columns) : std::nullopt;
}

std::string cellAt(const Record& record, std::optional<std::size_t> column) {
    return column && *column < record.cells.size() ? oneLineText(record.cells[*column]) : std::string();
}

bool isEmptyRow(const Record& record) {
    return std::all_of(record.cells.begin(), record.cells.end(),
                       [](const std::string& cell) { return oneLineText(cell).empty(); });
}

class SheetCollector {
public:
    // Rows of one name form one sheet, unless a block column keeps sheets of the same name apart.
    void add(const std::string& name, const std::string& block, WordItem item) {
        auto sheet = std::find_if(sheets_.begin(), sheets_.end(), [&](const WordSheet& s) {
            return block.empty() ? s.block.empty() && s.name == name : s.block == block;
        });
        if (sheet == sheets_.end()) {
            sheets_.push_back({name, {}, block});
            sheet = sheets_.end() - 1;
        }
        sheet->items.push_back(std::move(item));
    }

    std::vector<WordSheet> take() { return std::move(sheets_); }

private:
    std::vector<WordSheet> sheets_;
};

void readRows(RecordReader& reader, const Columns& columns, WordListReading& result) {
    SheetCollector sheets;
    std::string sheetName(DefaultSheetName);
    std::string blockName;
    while (!reader.atEnd()) {
        const std::optional<Record> record = reader.next(result.errors);
        if (!record) {
            return;
        }
        if (isEmptyRow(*record)) {
            continue;
        }
        const std::string origin = lineOrigin(record->line);
        if (const std::string sheet = cellAt(*record, columns.sheet); !sheet.empty()) {
            sheetName = sheet;
        }
        if (const std::string block = cellAt(*record, columns.block); !block.empty()) {
            blockName = block;
        }
        WordItem item{cellAt(*record, columns.question), cellAt(*record, columns.answer), {}, origin};
        for (const std::size_t column : columns.accepted) {
            if (std::string accepted = cellAt(*record, column); !accepted.empty()) {
                item.accepted.push_back(std::move(accepted));
            }
        }
        if (item.question.empty() || item.answer.empty()) {
            result.errors.push_back(
                {origin, item.question.empty() ? "the question is empty" : "the answer is empty"});
            continue;
        }
        sheets.add(sheetName, blockName, std::move(item));
    }
    result.sheets = sheets.take();
    if (result.sheets.empty() && result.errors.empty()) {
        result.errors.push_back({lineOrigin(1), "the file holds no questions"});
    }
}

std::string csvField(const std::string& text) {
    const bool quote = text.find_first_of(",;\"\r\n\t") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) {
        return text;
    }
    std::string field = "\"";
    for (const char c : text) {
        field += c;
        if (c == '"') {
            field += '"';
        }
    }
    return field + "\"";
}

void writeRow(std::string& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        out += (i == 0 ? "" : ",") + csvField(cells[i]);
    }
    out += "\r\n";
}

} // namespace

WordListReading readCsvWordList(std::string_view bytes, CsvKind kind) {
    WordListReading result;
    if (const auto refused = refusedEncoding(bytes)) {
        result.errors.push_back({lineOrigin(1), *refused});
        return result;
    }
    const std::string_view text =
        bytes.starts_with(ByteOrderMark) ? bytes.substr(ByteOrderMark.size()) : bytes;
    if (const std::size_t bad = firstMalformedUtf8(text); bad != std::string_view::npos) {
        result.errors.push_back({lineOrigin(lineOfOffset(text, bad)),
                                 "the text is not UTF-8 (another encoding?); save the file as UTF-8"});
        return result;
    }
    RecordReader reader(text, separatorFor(text, kind));
    const std::optional<Record> header = reader.next(result.errors);
    if (!header) {
        return result;
    }
    if (const std::optional<Columns> columns = readHeader(*header, result.errors)) {
        readRows(reader, *columns, result);
    }
    return result;
}

std::string writeCsvWordList(const std::vector<WordSheet>& sheets) {
    std::size_t acceptedColumns = 1;
    std::set<std::string> names;
    bool sharedName = false;
    for (const WordSheet& sheet : sheets) {
        sharedName = !names.insert(sheet.name).second || sharedName;
        for (const WordItem& item : sheet.items) {
            acceptedColumns = std::max(acceptedColumns, item.accepted.size());
        }
    }
    std::string out(ByteOrderMark);
    std::vector<std::string> header{"sheet", "question", "answer"};
    header.resize(3 + acceptedColumns, "accepted");
    if (sharedName) { // only then: the column means nothing to a teacher
        header.emplace_back("block");
    }
    writeRow(out, header);
    for (const WordSheet& sheet : sheets) {
        for (const WordItem& item : sheet.items) {
            std::vector<std::string> cells{sheet.name, item.question, item.answer};
            cells.insert(cells.end(), item.accepted.begin(), item.accepted.end());
            cells.resize(3 + acceptedColumns);
            if (sharedName) {
                cells.push_back(sheet.block);
            }
            writeRow(out, cells);
        }
    }
    return out;
}

} // namespace kvizaro
