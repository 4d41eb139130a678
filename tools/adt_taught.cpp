#include "adt_taught.h"

#include "adt_cli.h"
#include "adt_codec.h"
#include "code_pages.h"
#include "course_sheets.h"
#include "esperanto.h"
#include "line_parser.h"

#include <algorithm>
#include <map>
#include <regex>
#include <set>

namespace kvizaro {

namespace {

// What a word needs: the sheet that teaches it, by its place in the menu.
struct Need {
    std::size_t sheet;
    std::string what;
};

struct Rule {
    std::regex pattern;
    Need need;
};

// A word taught as vocabulary: exactly this word, or every word beginning with `stem` ("bilet*").
struct TaughtWord {
    std::string spelling;
    bool stem = false;
    Need need;
};

struct TeachingTable {
    std::vector<Rule> rules;
    std::vector<TaughtWord> words;
};

bool isWordLetter(char c) {
    return (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}

// Text in the form words are compared in: the x-system, ASCII letters in lower case.
std::string comparableText(std::string_view contentBytes) {
    return LowerAscii(latin3ToXSystem(contentBytes));
}

// The words of a text: runs of letters (a-z, and the accented letters of Hungarian texts).
std::vector<std::string> wordsOf(std::string_view contentBytes) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : comparableText(contentBytes) + ' ') {
        if (isWordLetter(c)) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    return words;
}

// A question glosses a word it names, also as its parts joined by "+" or "-" ("mal- + rapide").
std::set<std::string> glossedWords(std::string_view question) {
    static const std::regex joint(" *[-+] *");
    const std::string joined = std::regex_replace(comparableText(question), joint, "");
    const std::vector<std::string> plain = wordsOf(question);
    const std::vector<std::string> parts = wordsOf(joined);
    std::set<std::string> glossed(plain.begin(), plain.end());
    glossed.insert(parts.begin(), parts.end());
    return glossed;
}

class TableReader {
public:
    TableReader(const std::string& path, const std::vector<CourseSheet>& sheets, std::ostream& out)
        : path_(path), out_(out) {
        for (std::size_t at = 0; at < sheets.size(); ++at) {
            order_.emplace(sheets[at].block, at);
        }
    }

    TeachingTable read(std::string_view text) {
        for (const TableRow& row : tableRows(text)) {
            readRow(row);
        }
        return std::move(table_);
    }
    std::size_t errors() const { return errors_; }

private:
    void fail(std::size_t line, const std::string& message) {
        out_ << path_ << ':' << line << ": error: " << message << '\n';
        ++errors_;
    }

    void readRow(const TableRow& row) {
        const std::vector<std::string>& fields = row.fields;
        const bool isRule = !fields.empty() && fields[0] == "rule";
        const bool isWord = !fields.empty() && fields[0] == "word";
        if (!(isRule && fields.size() == 4) && !(isWord && (fields.size() == 3 || fields.size() == 4))) {
            fail(row.line,
                 "expected \"rule<TAB>BLOCK<TAB>PATTERN<TAB>WHAT\" or \"word<TAB>BLOCK<TAB>WORDS\"");
            return;
        }
        const auto sheet = order_.find(fields[1]);
        if (sheet == order_.end()) {
            fail(row.line, "no menu entry opens the sheet " + fields[1]);
            return;
        }
        const std::string what = fields.size() == 4 ? fields[3] : "taught as a word";
        const Need need{sheet->second, what};
        // Hat letters become x-system pairs; a pattern keeps its case, which its escapes (\S, \W) need.
        const std::string xSystem = latin3ToXSystem(utf8ToDisplayLatin3(fields[2]));
        isRule ? addRule(row.line, xSystem, need) : addWords(row.line, LowerAscii(xSystem), need);
    }

    void addRule(std::size_t line, const std::string& pattern, const Need& need) {
        try {
            table_.rules.push_back({std::regex(pattern), need});
        } catch (const std::regex_error& error) {
            fail(line, "the pattern \"" + pattern + "\" is no regular expression: " + error.what());
        }
    }

    void addWords(std::size_t line, const std::string& list, const Need& need) {
        std::size_t start = 0;
        while ((start = list.find_first_not_of(' ', start)) != std::string::npos) {
            const std::size_t end = std::min(list.find(' ', start), list.size());
            addWord(line, list.substr(start, end - start), need);
            start = end;
        }
    }

    void addWord(std::size_t line, std::string word, const Need& need) {
        const bool stem = word.ends_with('*');
        if (stem) {
            word.pop_back();
        }
        if (word.empty() || !std::all_of(word.begin(), word.end(), isWordLetter)) {
            fail(line,
                 "\"" + contentBytesToUtf8(word) + "\" is no word (letters, and \"*\" at the end of a stem)");
        } else if (!listed_.insert(word).second) {
            fail(line, "the word " + contentBytesToUtf8(word) + " is listed twice");
        } else {
            table_.words.push_back({std::move(word), stem, need});
        }
    }

    const std::string& path_;
    std::ostream& out_;
    std::map<std::string, std::size_t> order_;
    std::set<std::string> listed_;
    TeachingTable table_;
    std::size_t errors_ = 0;
};

// What a word needs, in table order; a word taught as a word needs its own sheet and nothing else.
std::vector<Need> needsOf(const std::string& word, const TeachingTable& table) {
    const auto taught = std::find_if(table.words.begin(), table.words.end(), [&](const TaughtWord& entry) {
        return entry.stem ? word.starts_with(entry.spelling) : word == entry.spelling;
    });
    if (taught != table.words.end()) {
        return {taught->need};
    }
    std::vector<Need> needs;
    for (const Rule& rule : table.rules) {
        if (std::regex_search(word, rule.pattern)) {
            needs.push_back(rule.need);
        }
    }
    return needs;
}

class Audit {
public:
    Audit(const std::vector<CourseSheet>& sheets, const TeachingTable& table, std::ostream& out)
        : sheets_(sheets), table_(table), out_(out) {}

    std::size_t run() {
        for (std::size_t sheet = 0; sheet < sheets_.size(); ++sheet) {
            const std::vector<TaskItem>& items = sheets_[sheet].items;
            for (std::size_t number = 1; number <= items.size(); ++number) {
                auditQuestion(sheet, number, items[number - 1]);
            }
        }
        return findings_;
    }

private:
    const std::vector<Need>& cachedNeeds(const std::string& word) {
        auto found = needs_.find(word);
        if (found == needs_.end()) {
            found = needs_.emplace(word, needsOf(word, table_)).first;
        }
        return found->second;
    }

    void auditQuestion(std::size_t sheet, std::size_t number, const TaskItem& item) {
        const std::set<std::string> glossed = glossedWords(item.question);
        std::set<std::string> seen;
        for (const std::string& word : wordsOf(item.instruction)) {
            if (glossed.contains(word) || !seen.insert(word).second) {
                continue;
            }
            for (const Need& need : cachedNeeds(word)) {
                if (need.sheet > sheet) {
                    report(sheet, number, item, word, need);
                }
            }
        }
    }

    void report(std::size_t sheet, std::size_t number, const TaskItem& item, const std::string& word,
                const Need& need) {
        out_ << sheets_[sheet].block << " #" << number << " «" << contentBytesToUtf8(item.question) << "»: «"
             << contentBytesToUtf8(word) << "» needs " << sheets_[need.sheet].block << " (" << need.what
             << ")\n";
        ++findings_;
    }

    const std::vector<CourseSheet>& sheets_;
    const TeachingTable& table_;
    std::ostream& out_;
    std::map<std::string, std::vector<Need>> needs_;
    std::size_t findings_ = 0;
};

} // namespace

int auditTeachingOrder(const std::string& coursePath, const std::string& tablePath, std::ostream& out,
                       std::ostream& err) {
    AuditInput input;
    if (const int status = readAuditInput(coursePath, tablePath, input, err); status != adt_exit::Ok) {
        return status;
    }
    TableReader reader(tablePath, input.sheets, out);
    const TeachingTable table = reader.read(input.table);
    if (reader.errors() > 0) {
        return adt_exit::ContentProblems;
    }
    const std::size_t findings = Audit(input.sheets, table, out).run();
    out << coursePath << ": " << findings << (findings == 1 ? " word" : " words")
        << " asked before the sheet that teaches it\n";
    return findings == 0 ? adt_exit::Ok : adt_exit::ContentProblems;
}

} // namespace kvizaro
