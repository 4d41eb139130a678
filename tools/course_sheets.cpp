#include "course_sheets.h"

#include "adt_cli.h"
#include "adt_codec.h"

#include <set>

namespace kvizaro {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::vector<CourseSheet> sheetsOf(const ContentLines& lines) {
    std::vector<CourseSheet> sheets;
    for (const MenuEntry& entry : openedSheets(lines)) {
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

std::vector<MenuEntry> openedSheets(const ContentLines& lines) {
    std::vector<MenuEntry> opened;
    std::set<std::string> seen;
    for (MenuEntry& entry : readMenuBlock(lines).entries) {
        if (!entry.isHeading() && seen.insert(entry.sheet).second) {
            opened.push_back(std::move(entry));
        }
    }
    return opened;
}

int readAuditInput(const std::string& coursePath, const std::string& tablePath, AuditInput& input,
                   std::ostream& err) {
    std::string bytes;
    if (const int status = readContentAsStored(coursePath, bytes, nullptr, err); status != adt_exit::Ok) {
        return status;
    }
    input.sheets = sheetsOf(decodeContent(bytes));
    if (const auto error = readInputFile(tablePath, input.table)) {
        err << tablePath << ": cannot read: " << *error << '\n';
        return adt_exit::FileFailure;
    }
    return adt_exit::Ok;
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
