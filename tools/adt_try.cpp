#include "adt_try.h"

#include "adt_cli.h"
#include "adt_codec.h"
#include "code_pages.h"
#include "course_sheets.h"
#include "esperanto.h"

#include <map>

namespace kvizaro {

namespace {

struct AskedQuestion {
    const CourseSheet* sheet;
    const TaskItem* item;
};

std::string trimmedBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// Questions by their text as an author writes it (UTF-8, real Esperanto letters), in menu order.
std::multimap<std::string, AskedQuestion> questionsByText(const std::vector<CourseSheet>& sheets) {
    std::multimap<std::string, AskedQuestion> questions;
    for (const CourseSheet& sheet : sheets) {
        for (const TaskItem& item : sheet.items) {
            questions.emplace(trimmedBlanks(contentBytesToUtf8(item.question)), AskedQuestion{&sheet, &item});
        }
    }
    return questions;
}

void printRejection(std::ostream& out, const std::string& where, const std::string& answer,
                    const AskedQuestion& question) {
    out << where << ": rejected: \"" << answer << "\"\n"
        << "  question: \"" << contentBytesToUtf8(question.item->question) << "\" on sheet \""
        << question.sheet->caption << "\" (" << question.sheet->block << ")\n"
        << "  accepted:";
    for (const std::string& solution : question.item->solutions) {
        out << " \"" << contentBytesToUtf8(solution) << '"';
    }
    out << '\n';
}

struct Tally {
    std::size_t answers = 0;
    std::size_t rejected = 0;
    std::size_t notFound = 0;
    std::size_t malformed = 0;
};

std::string plural(std::size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

} // namespace

int tryAnswers(const std::string& coursePath, const std::string& answersPath, std::ostream& out,
               std::ostream& err) {
    AuditInput input;
    if (const int status = readAuditInput(coursePath, answersPath, input, err); status != adt_exit::Ok) {
        return status;
    }
    const std::multimap<std::string, AskedQuestion> questions = questionsByText(input.sheets);
    Tally tally;
    for (const TableRow& row : tableRows(input.table)) {
        const std::string where = answersPath + ":" + std::to_string(row.line);
        if (row.fields.size() != 2) {
            out << where << ": error: expected \"question<TAB>answer\"\n";
            ++tally.malformed;
            continue;
        }
        ++tally.answers;
        const auto [first, last] = questions.equal_range(trimmedBlanks(row.fields[0]));
        if (first == last) {
            out << where << ": not found: no question reads \"" << row.fields[0] << "\"\n";
            ++tally.notFound;
        }
        // Typed text reaches the answer check as the answer box hands it over.
        const std::string typed = utf8ToDisplayLatin3(row.fields[1]);
        for (auto found = first; found != last; ++found) {
            if (!isAcceptedAnswer(typed, found->second.item->solutions)) {
                printRejection(out, where, row.fields[1], found->second);
                ++tally.rejected;
            }
        }
    }
    out << answersPath << ": " << plural(tally.answers, "answer") << ", " << tally.rejected << " rejected, "
        << tally.notFound << " not found";
    if (tally.malformed > 0) {
        out << ", " << plural(tally.malformed, "malformed line");
    }
    out << '\n';
    const bool clean = tally.rejected == 0 && tally.notFound == 0 && tally.malformed == 0;
    return clean ? adt_exit::Ok : adt_exit::ContentProblems;
}

} // namespace kvizaro
