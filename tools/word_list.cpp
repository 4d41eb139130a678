#include "word_list.h"

#include "adt_check.h"
#include "adt_codec.h"
#include "bundled_help.h"
#include "code_pages.h"
#include "esperanto.h"
#include "readers.h"

#include <algorithm>
#include <array>
#include <optional>

namespace kvizaro {

namespace {

// The menu entries the import adds around the sheets: a heading above them, and at the end a heading and
// the entry of help button 2, which slot 8 opens at the list's end.
constexpr std::size_t OwnMenuEntries = 3;
constexpr std::size_t VisibleSlots = 8;
constexpr std::string_view SheetsHeading = "Saját feladatlapok";
constexpr std::string_view AboutHeading = "Tudnivalók";
constexpr std::string_view SheetBlockPrefix = "lap";
constexpr std::string_view AboutText = "Saját feladatlapok\n"
                                       "\n"
                                       "Ezeket a feladatlapokat a kvizaro-adt import parancsa készítette\n"
                                       "egy szólistából.\n";

// Builds the source line by line, remembering which input each line comes from.
class SourceWriter {
public:
    void line(std::string text, std::string origin = {}) {
        lines_.push_back(std::move(text));
        origins_.push_back(std::move(origin));
    }

    // Key="value" or Key="value","block", refused with a reason when the value cannot stand in a line.
    void keyLine(std::string_view key, const std::string& value, std::string_view what,
                 const std::string& origin, std::string_view block = {}, bool hasBlock = false) {
        std::string text = std::string(key) + "=\"" + value + "\"";
        if (hasBlock) {
            text += ",\"" + std::string(block) + "\"";
        }
        if (!valueFits(value, what, origin) || !lineFits(text, value, what, origin)) {
            return;
        }
        line(std::move(text), origin);
    }

    std::vector<WordListProblem>& errors() { return errors_; }

    std::string source() const {
        std::string text;
        for (const std::string& l : lines_) {
            text += l;
            text += '\n';
        }
        return text;
    }

    // Lines are numbered from 1, as the checker numbers them.
    const std::string& originOfLine(std::size_t line) const {
        static const std::string none;
        return line >= 1 && line <= origins_.size() ? origins_[line - 1] : none;
    }

private:
    bool valueFits(const std::string& value, std::string_view what, const std::string& origin) {
        if (value.find('"') != std::string::npos) {
            errors_.push_back({origin, std::string(what) + " \"" + value +
                                           "\" holds a double quote, which a content line cannot hold"});
            return false;
        }
        for (Utf8Reader reader(value); !reader.atEnd();) {
            const char32_t code = reader.next();
            if (reader.malformed()) {
                errors_.push_back({origin, std::string(what) + " is not UTF-8 text"});
                return false;
            }
            if (!sourceCharacterByte(code)) {
                errors_.push_back({origin, std::string(what) + " \"" + value + "\": " +
                                               describeCharacter(code) + " has no byte in the content file"});
                return false;
            }
        }
        return true;
    }

    bool lineFits(const std::string& text, const std::string& value, std::string_view what,
                  const std::string& origin) {
        const std::size_t length = utf8CharacterCount(text);
        if (length <= MaxLineLength) {
            return true;
        }
        const std::size_t room = utf8CharacterCount(value) - (length - MaxLineLength);
        errors_.push_back({origin, std::string(what) + " is " + std::to_string(utf8CharacterCount(value)) +
                                       " characters long; its line holds " + std::to_string(room)});
        return false;
    }

    std::vector<std::string> lines_;
    std::vector<std::string> origins_;
    std::vector<WordListProblem> errors_;
};

struct MenuSheet {
    std::string caption;
    const WordSheet* sheet;
    std::size_t first; // index of its first item
    std::size_t count;
};

std::vector<MenuSheet> splitIntoParts(const std::vector<WordSheet>& sheets) {
    std::vector<MenuSheet> parts;
    for (const WordSheet& sheet : sheets) {
        const std::size_t total = sheet.items.size();
        const std::size_t partCount = (total + MaxQuestions - 1) / MaxQuestions;
        for (std::size_t p = 0; p < partCount; ++p) {
            std::string caption = hatLettersToXSystem(sheet.name);
            if (partCount > 1) {
                caption += " (" + std::to_string(p + 1) + ")";
            }
            const std::size_t first = p * MaxQuestions;
            parts.push_back({std::move(caption), &sheet, first, std::min(MaxQuestions, total - first)});
        }
    }
    return parts;
}

std::string blockName(std::size_t index) {
    return std::string(SheetBlockPrefix) + std::to_string(index + 1);
}

void writeMenu(SourceWriter& writer, const std::vector<MenuSheet>& parts) {
    writer.line("#" + std::string(MenuBlockName));
    writer.keyLine("Menuero", std::string(SheetsHeading), "the heading", {}, "", true);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const WordItem& firstItem = parts[i].sheet->items[parts[i].first];
        writer.keyLine("Menuero", parts[i].caption, "the sheet name", firstItem.origin, blockName(i), true);
    }
    // Blank headings fill the list to eight entries, so that it scrolls as the program expects.
    for (std::size_t n = parts.size() + OwnMenuEntries; n < VisibleSlots; ++n) {
        writer.keyLine("Menuero", "", "a heading", {}, "", true);
    }
    writer.keyLine("Menuero", std::string(AboutHeading), "the heading", {}, "", true);
    writer.keyLine("Menuero", "Névjegy", "the entry", {}, "nevjegy", true);
    writer.keyLine("Butono1", "Súgó", "the button", {}, "sugo", true);
    writer.keyLine("Butono2", "Névjegy", "the button", {}, "nevjegy", true);
    writer.keyLine("Butono3", "Eszperantó betűk", "the button", {}, TypingHelpBlockName, true);
}

void writeItem(SourceWriter& writer, const WordItem& item) {
    writer.line(std::string(ItemSectionLine), item.origin);
    writer.keyLine("Demando", oneLineText(item.question), "the question", item.origin);
    const std::string answer = hatLettersToXSystem(oneLineText(item.answer));
    writer.keyLine("Instruo", answer, "the answer", item.origin);
    std::vector<std::string> solutions{answer};
    for (const std::string& accepted : item.accepted) {
        std::string solution = hatLettersToXSystem(oneLineText(accepted));
        if (!solution.empty() && std::find(solutions.begin(), solutions.end(), solution) == solutions.end()) {
            solutions.push_back(std::move(solution));
        }
    }
    if (solutions.size() > MaxSolutions) {
        writer.errors().push_back({item.origin, std::to_string(solutions.size()) +
                                                    " accepted answers; a question holds at most 15"});
        return;
    }
    for (const std::string& solution : solutions) {
        writer.keyLine("Solvo", solution, "the accepted answer", item.origin);
    }
}

void writeHelpBlock(SourceWriter& writer, std::string_view name, std::string_view text) {
    writer.line("#" + std::string(name));
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        writer.line(std::string(text.substr(start, end - start)));
        start = end + 1;
    }
}

// The last word: whatever the program would read otherwise than written is reported at its input;
// the output is written only when check would exit 0.
void checkLikeTheProgram(SourceWriter& writer, std::string_view source) {
    const EncodeResult encoded = encodeSource(source);
    for (const SourceError& error : encoded.errors) {
        writer.errors().push_back({writer.originOfLine(error.line), error.message});
    }
    if (!encoded.ok()) {
        return;
    }
    for (const Finding& finding : checkStored(encoded.stored)) {
        // Advice (a sentence with one accepted answer, say) is the author's to weigh, not a reason to refuse.
        if (finding.severity == Severity::Fault) {
            writer.errors().push_back({writer.originOfLine(finding.line), finding.message});
        }
    }
}

} // namespace

std::string hatLettersToXSystem(std::string_view utf8) {
    std::string result;
    for (Utf8Reader reader(utf8); !reader.atEnd();) {
        const std::size_t start = reader.position();
        const char32_t code = reader.next();
        const std::optional<unsigned char> byte =
            reader.malformed() ? std::nullopt : unicodeToDisplayLatin3(code);
        const std::string spelt =
            byte ? latin3ToXSystem(std::string(1, static_cast<char>(*byte))) : std::string();
        if (spelt.size() == 2) { // one of the twelve letters: its plain letter and the marker
            result += spelt;
        } else {
            result += utf8.substr(start, reader.position() - start);
        }
    }
    return result;
}

std::string oneLineText(std::string_view utf8) {
    std::string result;
    for (const char c : utf8) {
        const bool space = c == '\n' || c == '\r' || c == '\t' || c == ' ';
        if (!space) {
            result += c;
        } else if (!result.empty() && result.back() != ' ') {
            result += ' ';
        }
    }
    if (!result.empty() && result.back() == ' ') {
        result.pop_back();
    }
    return result;
}

LessonSourceResult wordListToSource(const std::vector<WordSheet>& sheets) {
    LessonSourceResult result;
    const std::vector<MenuSheet> parts = splitIntoParts(sheets);
    if (parts.size() + OwnMenuEntries > MaxMenuEntries) {
        result.errors.push_back({{},
                                 std::to_string(parts.size()) +
                                     " sheets (parts of 200 questions counted); "
                                     "the menu holds " +
                                     std::to_string(MaxMenuEntries - OwnMenuEntries) +
                                     " besides its own entries"});
        return result;
    }
    SourceWriter writer;
    writeMenu(writer, parts);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        writer.line("#" + blockName(i));
        for (std::size_t k = parts[i].first; k < parts[i].first + parts[i].count; ++k) {
            writeItem(writer, parts[i].sheet->items[k]);
        }
    }
    writeHelpBlock(writer, "sugo", BundledUsageHelp);
    writeHelpBlock(writer, "nevjegy", AboutText);
    writeHelpBlock(writer, TypingHelpBlockName, BundledTypingHelp);
    writer.line("#");
    std::string source = writer.source();
    if (writer.errors().empty()) {
        checkLikeTheProgram(writer, source);
    }
    result.errors = std::move(writer.errors());
    if (result.errors.empty()) {
        result.source = std::move(source);
    }
    return result;
}

} // namespace kvizaro
