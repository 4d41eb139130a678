#include "word_list_cli.h"

#include "adt_cli.h"
#include "adt_codec.h"
#include "course_sheets.h"
#include "csv_word_list.h"
#include "esperanto.h"
#include "kvtml_word_list.h"
#include "readers.h"
#include "safe_save.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <set>

namespace kvizaro {

namespace {

int usage(std::ostream& err) {
    err << "kvizaro-adt: wrong command or arguments; see kvizaro-adt --help\n";
    return adt_exit::Usage;
}

void printProblems(std::ostream& err, const std::string& file, const std::vector<WordListProblem>& problems,
                   std::string_view kind) {
    for (const WordListProblem& problem : problems) {
        err << file << ": " << (problem.origin.empty() ? "" : problem.origin + ": ") << kind << ": "
            << problem.message << '\n';
    }
}

std::optional<std::size_t> identifierNumber(const std::string& text) {
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::stoul(text);
}

// "--ask N --answer N" in any order, each at most once; the rest are the two file names.
std::optional<KvtmlSides> kvtmlOptions(std::vector<std::string>& arguments) {
    KvtmlSides sides;
    std::set<std::string> seen;
    while (arguments.size() > 2 && (arguments[0] == "--ask" || arguments[0] == "--answer")) {
        const std::optional<std::size_t> value = identifierNumber(arguments[1]);
        if (!value || !seen.insert(arguments[0]).second) {
            return std::nullopt;
        }
        (arguments[0] == "--ask" ? sides.ask : sides.answer) = *value;
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
    if (arguments.size() != 2 || sides.ask == sides.answer) {
        return std::nullopt;
    }
    return sides;
}

// An output named *.adt is the file the program reads; any other name gets the source, for editing.
bool namesStoredFile(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".adt";
}

int importWordList(const WordListReading& reading, const std::string& input, const std::string& output,
                   std::ostream& out, std::ostream& err) {
    printProblems(err, input, reading.warnings, "warning");
    if (!reading.errors.empty()) {
        printProblems(err, input, reading.errors, "error");
        err << output << ": not written\n";
        return adt_exit::ContentProblems;
    }
    const LessonSourceResult lesson = wordListToSource(reading.sheets);
    if (!lesson.errors.empty()) {
        printProblems(err, input, lesson.errors, "error");
        err << output << ": not written\n";
        return adt_exit::ContentProblems;
    }
    if (!namesStoredFile(output)) {
        return saveOutput(output, lesson.source, out, err);
    }
    const EncodeResult stored = encodeSource(lesson.source);
    if (!stored.ok()) { // checked before: the source has only storable characters
        printProblems(err, input, {{{}, stored.errors.front().message}}, "error");
        return adt_exit::ContentProblems;
    }
    return saveOutput(output, stored.stored, out, err);
}

// As teachers type them: "trancxilo" comes back as "tranĉilo", which import spells in the x-system again.
std::string withHatLetters(std::string_view xSystem) {
    return contentBytesToUtf8(XToLatin3(xSystem));
}

// The sheets that the menu opens, in menu order, each block once; headings and help texts are no word list.
std::vector<WordSheet> sheetsOf(const ContentLines& lines) {
    std::vector<WordSheet> sheets;
    for (const MenuEntry& entry : openedSheets(lines)) {
        WordSheet sheet{withHatLetters(entry.caption), {}, contentBytesToUtf8(entry.sheet)};
        for (const TaskItem& task : readTaskBlock(lines, entry.sheet).items) {
            WordItem item{contentBytesToUtf8(task.question), withHatLetters(task.instruction), {}, {}};
            bool modelAnswerSeen = false;
            for (const std::string& solution : task.solutions) {
                std::string accepted = withHatLetters(solution);
                if (!modelAnswerSeen && accepted == item.answer) {
                    modelAnswerSeen = true;
                } else {
                    item.accepted.push_back(std::move(accepted));
                }
            }
            sheet.items.push_back(std::move(item));
        }
        if (!sheet.items.empty()) {
            sheets.push_back(std::move(sheet));
        }
    }
    return sheets;
}

} // namespace

int runImport(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        return usage(err);
    }
    const std::string& format = arguments.front();
    std::vector<std::string> files(arguments.begin() + 1, arguments.end());
    std::optional<KvtmlSides> sides;
    if (format == "kvtml") {
        sides = kvtmlOptions(files);
        if (!sides) {
            return usage(err);
        }
    } else if ((format != "csv" && format != "tsv") || files.size() != 2) {
        return usage(err);
    }
    std::string bytes;
    if (const auto error = readInputFile(files[0], bytes)) {
        err << files[0] << ": cannot read: " << *error << '\n';
        return adt_exit::FileFailure;
    }
    const WordListReading reading =
        sides ? readKvtmlWordList(bytes, *sides)
              : readCsvWordList(bytes, format == "tsv" ? CsvKind::Tsv : CsvKind::Csv);
    return importWordList(reading, files[0], files[1], out, err);
}

int runExport(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 3 || arguments[0] != "csv") {
        return usage(err);
    }
    const std::string& input = arguments[1];
    std::string bytes;
    if (const int status = readContentAsStored(input, bytes, &arguments[2], err); status != adt_exit::Ok) {
        return status;
    }
    const std::vector<WordSheet> sheets = sheetsOf(decodeContent(bytes));
    if (sheets.empty()) {
        err << input << ": error: no menu entry opens a sheet of questions\n"
            << arguments[2] << ": not written\n";
        return adt_exit::ContentProblems;
    }
    return saveOutput(arguments[2], writeCsvWordList(sheets), out, err);
}

} // namespace kvizaro
