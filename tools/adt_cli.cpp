#include "adt_cli.h"

#include "adt_check.h"
#include "adt_codec.h"
#include "adt_taught.h"
#include "adt_try.h"
#include "content_file.h"
#include "safe_save.h"
#include "word_list_cli.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

namespace kvizaro {

namespace {

constexpr std::string_view HelpText = R"(Usage: kvizaro-adt COMMAND ARGUMENTS

Writes, reads and checks Kvizaro's content file (enhavo.adt).

Commands:
  encode SOURCE OUT   Turns a lesson source (UTF-8 text) into the stored form the program reads.
                      Hungarian letters take their Windows-1250 bytes, the Esperanto letters
                      (ĉ ĝ ĥ ĵ ŝ ŭ and their capitals) their Latin-3 bytes. A character that cannot
                      be stored is reported with its line and column, and OUT is left untouched.
  decode FILE [OUT]   Turns a stored content file back into its source (to OUT, or to the
                      standard output).
  check FILE          Reads a stored content file as the program does and lists, by line, what
                      the program would skip, show or judge wrongly ("error:" lines) and advice
                      for the author ("warning:" lines): a menu of fewer than 8 entries; a last
                      entry that is not the help block of Butono2; an accepted answer that the
                      answer check takes for an earlier one; a sentence (an answer of 3 words or more)
                      with a single accepted answer; an answer that begins with an accented
                      capital (Á, É, ...) without the same answer with its small letter; a question
                      asked again, in its own sheet or another.
  import csv|tsv INPUT OUT
                      Turns a word list saved by a spreadsheet into a lesson source (for encode).
                      The first row names the columns sheet, question, answer and accepted (which
                      may repeat), in any order and case. CSV is separated by "," or, when the
                      header holds no ",", by ";"; fields in double quotes may hold separators,
                      quotes ("") and line breaks (a line break becomes a blank). The file is UTF-8,
                      with or without a byte-order mark. Rows form sheets in the order the sheets
                      first appear; an empty sheet cell continues the sheet of the row above. A
                      sheet of more than 200 questions is split into parts: name (1), name (2) ...
  import kvtml [--ask N] [--answer N] INPUT OUT
                      The same for a KVTML 2.0 file of KDE's vocabulary trainers: identifier N of
                      --ask (default 0) gives the questions, that of --answer (default 1) the answers.
                      Each lesson that holds entries becomes a sheet; a lesson inside another is
                      named by its path ("Lesson / Part"); entries in no lesson form a last sheet
                      "Leckén kívül". An answer is split at ";" and "|": the first part is the model
                      answer, the others are accepted too. An entry without a text on either side
                      is reported and left out.
                      Imports write questions with the real Esperanto letters and answers in the
                      x-system ("cx"), add the usage help, an about text and the typing help of the
                      bundled lessons, and lay out the menu so that check finds nothing. What the
                      format cannot hold (a text too long for its line, more than 15 answers, more
                      than 97 sheets, a character without a byte, a double quote) is reported
                      with its line or entry, and OUT is not written.
  export csv INPUT OUT
                      Writes the sheets of INPUT (a stored file or a lesson source) as a word list:
                      UTF-8 with a byte-order mark, the header above, one row per question. Headings
                      and help texts are not part of it. Importing it again gives the same sheets,
                      questions and answers.
  try COURSE ANSWERS   Checks typed answers against a course exactly as the task sheet judges them.
                      COURSE is a stored file or a lesson source. ANSWERS is UTF-8 text, one answer a
                      line: the question's text, a tab, the answer as a learner types it (real
                      Esperanto letters or the x-system); empty lines and lines starting with "#" are
                      left out. Each answer is judged by every question with exactly that text, in
                      any sheet; a rejected answer is listed with the question's sheet and its
                      accepted answers, and so is a question that no sheet asks.
  taught COURSE TABLE Finds words that a question asks before the sheet that teaches them. TABLE is
                      UTF-8 text of tab-separated rows (empty lines and lines starting with "#" are
                      left out), sheets named by their block:
                        rule<TAB>BLOCK<TAB>PATTERN<TAB>WHAT   a word PATTERN finds needs BLOCK
                        word<TAB>BLOCK<TAB>WORD WORD ...       taught as words on BLOCK ("stem*" for
                                                               every word it begins); before BLOCK
                                                               they need BLOCK, from it on no rule
                                                               applies to them
                      PATTERN is an ECMAScript regular expression searched in the word. Words are
                      those of each model answer, in the x-system and small letters; the sheets
                      are taught in menu order. A word the question itself writes (also as parts
                      joined by "+" or "-") is glossed and not reported. Each finding reads
                      BLOCK #N «question»: «word» needs BLOCK (WHAT)
  --version           Shows the version.
  --help              Shows this text.

Saving OUT:
  OUT is replaced whole or not at all: the new contents are written to a fresh file beside it,
  flushed to disk and renamed over it, so a full disk or an interruption leaves the old OUT as it
  was. OUT keeps its permissions (a new OUT gets the usual ones, 0666 less the umask). If OUT is a
  symbolic link, the file it names is replaced and the link stays. A read-only OUT, and an OUT that
  is not a regular file (a folder, a device), are refused.

Exit status:
  0   success; check found no errors (warnings may be listed)
  1   check found errors, encode refused the source, decode met bytes without a character,
      an import or export found content it cannot write (nothing is written then), try
      found an answer rejected, a question not asked or a line without its tab, or taught
      found a word asked before it is taught or a row it cannot read
  2   a file could not be read or written, or the output could not be written
  64  wrong command or arguments
)";

std::string systemErrorText(int error) {
    return std::generic_category().message(error);
}

void printPositioned(std::ostream& err, const std::string& file, const SourceError& problem,
                     const char* kind) {
    err << file << ':' << problem.line << ':' << problem.column << ": " << kind << ": " << problem.message
        << '\n';
}

int encode(const std::string& sourcePath, const std::string& outPath, std::ostream& out, std::ostream& err) {
    std::string source;
    if (const auto error = readInputFile(sourcePath, source)) {
        err << sourcePath << ": cannot read: " << *error << '\n';
        return adt_exit::FileFailure;
    }
    const EncodeResult result = encodeSource(source);
    if (!result.ok()) {
        for (const SourceError& problem : result.errors) {
            printPositioned(err, sourcePath, problem, "error");
        }
        err << outPath << ": not written (" << result.errors.size() << " error"
            << (result.errors.size() == 1 ? "" : "s") << ")\n";
        return adt_exit::ContentProblems;
    }
    return saveOutput(outPath, result.stored, out, err);
}

int decode(const std::string& storedPath, const std::string* outPath, std::ostream& out, std::ostream& err) {
    std::string stored;
    if (const auto error = readInputFile(storedPath, stored)) {
        err << storedPath << ": cannot read: " << *error << '\n';
        return adt_exit::FileFailure;
    }
    const DecodeResult result = decodeStored(stored);
    for (const SourceError& problem : result.warnings) {
        printPositioned(err, storedPath, problem, "warning");
    }
    if (outPath == nullptr) {
        out << result.source;
    } else if (const auto error = saveFileSafely(*outPath, result.source)) {
        err << *outPath << ": cannot write: " << *error << '\n';
        return adt_exit::FileFailure;
    }
    return result.warnings.empty() ? adt_exit::Ok : adt_exit::ContentProblems;
}

std::string counted(std::size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

int check(const std::string& path, std::ostream& out, std::ostream& err) {
    std::string stored;
    if (const auto error = readInputFile(path, stored)) {
        err << path << ": cannot read: " << *error << '\n';
        return adt_exit::FileFailure;
    }
    const std::vector<Finding> findings = checkStored(stored);
    std::size_t errors = 0;
    for (const Finding& finding : findings) {
        const bool isError = finding.severity == Severity::Fault;
        errors += isError ? 1U : 0U;
        out << path;
        if (finding.line > 0) {
            out << ':' << finding.line;
        }
        out << (isError ? ": error: " : ": warning: ") << finding.message << '\n';
    }
    if (findings.empty()) {
        out << path << ": no findings\n";
        return adt_exit::Ok;
    }
    out << path << ": " << counted(errors, "error") << ", " << counted(findings.size() - errors, "warning")
        << '\n';
    return errors == 0 ? adt_exit::Ok : adt_exit::ContentProblems;
}

int usage(std::ostream& err) {
    err << "kvizaro-adt: wrong command or arguments; see kvizaro-adt --help\n";
    return adt_exit::Usage;
}

// Output goes through a buffer, so a full disk or a closed pipe may only show when it is flushed. The
// error number is the write's own as long as nothing ran between the failed write and this check.
bool outputWritten(std::ostream& out, std::ostream& err) {
    if (out) {
        errno = 0;
        out.flush();
    }
    if (out) {
        return true;
    }
    const int error = errno;
    err << "kvizaro-adt: cannot write the output";
    if (error != 0) {
        err << ": " << systemErrorText(error);
    }
    err << '\n';
    return false;
}

int runCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        return usage(err);
    }
    const std::string& command = arguments.front();
    const std::size_t count = arguments.size() - 1;
    if ((command == "--help" || command == "-h" || command == "help") && count == 0) {
        out << HelpText;
        return adt_exit::Ok;
    }
    if (command == "--version" && count == 0) {
        out << "kvizaro-adt " << KVIZARO_VERSION << '\n';
        return adt_exit::Ok;
    }
    if (command == "import") {
        return runImport({arguments.begin() + 1, arguments.end()}, out, err);
    }
    if (command == "export") {
        return runExport({arguments.begin() + 1, arguments.end()}, out, err);
    }
    if (command == "encode" && count == 2) {
        return encode(arguments[1], arguments[2], out, err);
    }
    if (command == "decode" && (count == 1 || count == 2)) {
        return decode(arguments[1], count == 2 ? &arguments[2] : nullptr, out, err);
    }
    if (command == "check" && count == 1) {
        return check(arguments[1], out, err);
    }
    if (command == "try" && count == 2) {
        return tryAnswers(arguments[1], arguments[2], out, err);
    }
    if (command == "taught" && count == 2) {
        return auditTeachingOrder(arguments[1], arguments[2], out, err);
    }
    return usage(err);
}

} // namespace

// Plain stdio: a stream reading a folder throws from deep inside, stdio reports EISDIR.
std::optional<std::string> readInputFile(const std::string& path, std::string& contents) {
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        return systemErrorText(errno != 0 ? errno : EIO);
    }
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        contents.append(buffer, got);
    }
    if (std::ferror(file.get())) {
        return systemErrorText(errno != 0 ? errno : EIO);
    }
    return std::nullopt;
}

int saveOutput(const std::string& path, std::string_view contents, std::ostream& out, std::ostream& err) {
    if (const auto error = saveFileSafely(path, contents)) {
        err << path << ": cannot write: " << *error << '\n';
        return adt_exit::FileFailure;
    }
    out << path << ": written\n";
    return adt_exit::Ok;
}

int runAdt(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const int result = runCommand(arguments, out, err);
    return outputWritten(out, err) ? result : adt_exit::FileFailure;
}

} // namespace kvizaro
