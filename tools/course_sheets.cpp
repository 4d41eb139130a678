#include "course_sheets.h"

#include "adt_cli.h"
#include "adt_codec.h"

#include <set>

namespace kvizaro {

namespace {

// The stored bytes of "#Menuo", the first line of every stored content file.
constexpr std::string_view StoredMenuMarker = "$Nfovp";
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::vector<CourseSheet> sheetsOf(const ContentLines& lines) {
    std::vector<CourseSheet> sheets;
    std::set<std::string> seen;
    for (const MenuEntry& entry : readMenuBlock(lines).entries) {
        if (entry.isHeading() || !seen.insert(entry.sheet).second) {
            continue;
        }
        sheets.push_back(
            {contentBytesToUtf8(entry.caption), entry.sheet, readTaskBlock(lines, entry.sheet).items});
    }
    return sheets;
}

std::vector<std::string> splitAtTabs(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', start)) {
        fields.emplace_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.emplace_back(line.substr(start));
    return fields;
}

} // namespace

std::optional<std::vector<CourseSheet>> readCourseSheets(const std::string& path, std::ostream& err,
                                                         int& status) {
    std::string bytes;
    if (const auto error = readInputFile(path, bytes)) {
        err << path << ": cannot read: " << *error << '\n';
        status = adt_exit::FileFailure;
        return std::nullopt;
    }
    if (!bytes.starts_with(StoredMenuMarker)) {
        EncodeResult encoded = encodeSource(bytes);
        if (!encoded.ok()) {
            for (const SourceError& problem : encoded.errors) {
                err << path << ':' << problem.line << ':' << problem.column << ": error: " << problem.message
                    << '\n';
            }
            status = adt_exit::ContentProblems;
            return std::nullopt;
        }
        bytes = std::move(encoded.stored);
    }
    return sheetsOf(decodeContent(bytes));
}

std::vector<TableRow> tableRows(std::string_view text) {
    if (text.starts_with(ByteOrderMark)) {
        text.remove_prefix(ByteOrderMark.size());
    }
    std::vector<TableRow> rows;
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const bool blank = line.find_first_not_of(" \t") == std::string_view::npos;
        if (!blank && !line.starts_with('#')) {
            rows.push_back({number, splitAtTabs(line)});
        }
    }
    return rows;
}

} // namespace kvizaro
