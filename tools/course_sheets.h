// The questions of a course as the program asks them, for the commands that audit a course: the sheets the
// menu opens, in menu order, each block once, read from a stored file or a lesson source.
#pragma once

#include "readers.h"

#include <ostream>
#include <string>
#include <vector>

namespace kvizaro {

struct CourseSheet {
    std::string caption; // the menu entry's caption, UTF-8
    std::string block;
    std::vector<TaskItem> items; // as the drill reads them: content bytes
};

// The entries whose sheets the menu opens, in menu order, each block once: headings and repeated blocks
// are left out.
std::vector<MenuEntry> openedSheets(const ContentLines& lines);

// What an audit of a course reads: the course as the program would read it, and a table beside it.
struct AuditInput {
    std::vector<CourseSheet> sheets;
    std::string table;
};

// Reads both files; on failure says why on `err`. The exit status (a file that cannot be read, a source
// that cannot be stored).
int readAuditInput(const std::string& coursePath, const std::string& tablePath, AuditInput& input,
                   std::ostream& err);

// Lines of a UTF-8 table: a byte-order mark, CR before LF, empty lines and lines starting with "#" are
// dropped; each kept line comes with its number and its fields split at tabs.
struct TableRow {
    std::size_t line = 0;
    std::vector<std::string> fields;
};
std::vector<TableRow> tableRows(std::string_view text);

} // namespace kvizaro
