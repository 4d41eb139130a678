// The questions of a course as the program asks them, for the commands that audit a course: the sheets the
// menu opens, in menu order, each block once, read from a stored file or a lesson source.
#pragma once

#include "readers.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kvizaro {

struct CourseSheet {
    std::string caption; // the menu entry's caption, UTF-8
    std::string block;
    std::vector<TaskItem> items; // as the drill reads them: content bytes
};

// Reads FILE as the program would and gives its sheets; on failure says why on `err` and gives nothing,
// with the exit status in `status` (a file that cannot be read, a source that cannot be stored).
std::optional<std::vector<CourseSheet>> readCourseSheets(const std::string& path, std::ostream& err,
                                                         int& status);

// Lines of a UTF-8 table: a byte-order mark, CR before LF, empty lines and lines starting with "#" are
// dropped; each kept line comes with its number and its fields split at tabs.
struct TableRow {
    std::size_t line = 0;
    std::vector<std::string> fields;
};
std::vector<TableRow> tableRows(std::string_view text);

} // namespace kvizaro
