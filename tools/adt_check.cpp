#include "adt_check.h"

#include "adt_codec.h"
#include "code_pages.h"
#include "esperanto.h"
#include "line_parser.h"
#include "readers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>

namespace kvizaro {

namespace {

constexpr std::size_t VisibleSlots = 8;
constexpr std::size_t SlotEightHelpButton = 1; // index of "Butono2"

std::string inQuotes(std::string_view bytes) {
    return "\"" + contentBytesToUtf8(bytes) + "\"";
}

std::string glyph(char32_t code) {
    if (code == ReplacementCharacter || code < 0x20 || (code >= 0x7F && code < 0xA0)) {
        return "nothing readable";
    }
    std::string text = "'";
    appendUtf8(text, code);
    return text + "'";
}

enum class Font { Ordinary, Esperanto };

// The first character of `bytes` that its font shows as something other than the source meant, described.
std::optional<std::string> firstMisshownCharacter(std::string_view bytes, Font font) {
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const char32_t meant = byteSourceCharacter(byte);
        const char32_t shown =
            font == Font::Ordinary ? windows1250ToUnicode(byte) : displayLatin3ToUnicode(byte);
        if (meant != shown) {
            return glyph(meant) + " shows as " + glyph(shown);
        }
    }
    return std::nullopt;
}

std::string parserStatusInWords(std::uint16_t status) {
    switch (status) {
    case parser_status::SeparatorBeforeKeyEnd:
        return "a comma comes before the \"=\" (parser status 38)";
    case parser_status::UnclosedQuote:
        return "the closing double quote is missing (parser status 48)";
    case parser_status::SeparatorInValue:
        return "a comma outside the double quotes is dropped (parser status 50)";
    case parser_status::TooFewDelimiters:
        return "the line has too few delimiters (parser status 80)";
    case parser_status::UnclosedSection:
        return "a line that begins with \"[\" does not end with \"]\" (parser status 96)";
    default:
        return "parser status " + std::to_string(status);
    }
}

// Why a line that is neither a comment nor a key line the block knows is skipped.
std::string whyIgnored(std::string_view line) {
    const LineKind kind = ClassifyLine(line);
    const std::uint16_t status = ParserStatus;
    switch (kind) {
    case LineKind::KeySpace:
        return "a blank follows the key \"" + contentBytesToUtf8(LineKey(line)) + "\" instead of \"=\"";
    case LineKind::KeyEquals:
        return LineKey(line).empty()
                   ? std::string("the line has no key before \"=\"")
                   : "unknown key \"" + contentBytesToUtf8(LineKey(line)) + "\" (keys are case-sensitive)";
    case LineKind::Section:
        return "the section line " + inQuotes(line) + " means nothing here";
    case LineKind::Invalid:
        return status == parser_status::TooFewDelimiters
                   ? std::string("the line has no \"=\" (parser status 80)")
                   : parserStatusInWords(status);
    case LineKind::Comment:
    case LineKind::Marker:
        break;
    }
    return "it is no key line";
}

struct FieldRead {
    std::optional<std::string> value;
    std::uint16_t status = 0;
};

FieldRead readField(std::string_view line, std::uint8_t n) {
    std::optional<std::string> value = quotedField(line, n);
    return FieldRead{std::move(value), ParserStatus};
}

struct QuotedShape {
    bool onlyQuotedValues = true; // "a","b" with nothing outside the quotes
    std::size_t valueCount = 0;
};

// Walks the line after its key's delimiter as the author should write it: quoted values joined by commas.
QuotedShape shapeOf(std::string_view line) {
    QuotedShape shape;
    std::size_t pos = LineKey(line).size() + 1;
    while (pos < line.size()) {
        const std::size_t close = line[pos] == '"' ? line.find('"', pos + 1) : std::string_view::npos;
        if (close == std::string_view::npos) {
            shape.onlyQuotedValues = false;
            return shape;
        }
        ++shape.valueCount;
        pos = close + 1;
        if (pos < line.size() && line[pos] != ',') {
            shape.onlyQuotedValues = false;
            return shape;
        }
        if (pos + 1 == line.size()) {
            shape.onlyQuotedValues = false; // a comma at the end
            return shape;
        }
        ++pos;
    }
    if (shape.valueCount == 0) {
        shape.onlyQuotedValues = false;
    }
    return shape;
}

struct Region {
    std::size_t marker; // index of the marker line
    std::size_t end;    // one past the last line of the block
    std::string name;
    std::size_t firstMarker; // marker of the first block of this name, the one the program reads
};

// The accepted answers the program compares (the first 15), with their lines.
struct ItemLines {
    std::size_t sectionLine = 0;
    std::optional<std::size_t> question;
    std::string questionText;
    std::optional<std::size_t> instruction;
    std::string instructionText;
    std::vector<std::string> solutions;
    std::vector<std::size_t> solutionLines;
    AcceptedAnswers accepted;
    std::vector<std::size_t> distinctSolutions; // typable, and not accepted by the ones before
};

// Words as a learner types them: runs between blanks that hold something the comparison does not drop.
std::size_t wordCount(std::string_view answer) {
    std::size_t words = 0;
    bool inWord = false;
    for (char c : answer) {
        if (c == ' ' || c == '\t') {
            inWord = false;
        } else if (!inWord && !isDroppedFromAnswers(c)) {
            inWord = true;
            ++words;
        }
    }
    return words;
}

// The small letter of a capital that case folding leaves alone: every non-ASCII capital of the answer box's
// code page. Esperanto capitals are among them, but the comparison spells them in the x-system first, so
// for them the small letter is no other answer.
std::optional<unsigned char> smallTwinOf(unsigned char byte) {
    constexpr std::array<unsigned char, 6> ExtendedCapitals{0xA1, 0xA6, 0xAA,
                                                            0xAB, 0xAC, 0xAF}; // Ħ Ĥ Ş Ğ Ĵ Ż
    unsigned char small = 0;
    if (std::find(ExtendedCapitals.begin(), ExtendedCapitals.end(), byte) != ExtendedCapitals.end()) {
        small = static_cast<unsigned char>(byte + 0x10);
    } else if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) { // À to Þ, without the sign ×
        small = static_cast<unsigned char>(byte + 0x20);
    } else {
        return std::nullopt;
    }
    const bool bothLetters = displayLatin3ToUnicode(byte) != ReplacementCharacter &&
                             displayLatin3ToUnicode(small) != ReplacementCharacter;
    return bothLetters ? std::optional(small) : std::nullopt;
}

// The answer with its first counted character, when that is such a capital, made small.
std::optional<std::string> smallTwin(std::string_view answer) {
    for (std::size_t i = 0; i < answer.size(); ++i) {
        if (isDroppedFromAnswers(answer[i])) {
            continue;
        }
        const std::optional<unsigned char> small = smallTwinOf(static_cast<unsigned char>(answer[i]));
        if (!small) {
            return std::nullopt;
        }
        std::string twin(answer);
        twin[i] = static_cast<char>(*small);
        return twin;
    }
    return std::nullopt;
}

// A question as the learner reads it: blanks at the ends and doubled blanks do not show. Case and
// punctuation do ("Mi?" asks what, "mi" means we), so they count.
std::string withSingleBlanks(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (c != ' ' || (!result.empty() && result.back() != ' ')) {
            result += c;
        }
    }
    if (!result.empty() && result.back() == ' ') {
        result.pop_back();
    }
    return result;
}

struct AskedQuestion {
    std::size_t line; // index of its "Demando" line
    const std::string* sheet;
};

class ContentChecker {
public:
    explicit ContentChecker(const ContentLines& lines) : lines_(lines) {}

    std::vector<Finding> run() {
        if (lines_.empty()) {
            report(0, "the file is empty: the program shows an empty menu");
            return std::move(findings_);
        }
        findRegions();
        checkMenu();
        checkLayout();
        checkBlocks();
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        return std::move(findings_);
    }

private:
    void report(std::size_t index, std::string message) { findings_.push_back({index, std::move(message)}); }
    void reportAt(std::size_t lineIndex, std::string message) { report(lineIndex + 1, std::move(message)); }
    void warnAt(std::size_t lineIndex, std::string message) {
        findings_.push_back({lineIndex + 1, std::move(message), Severity::Warning});
    }

    void findRegions() {
        std::map<std::string, std::size_t, std::less<>> firstMarkers;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (!lines_[i].empty()) {
                lastNonEmpty_ = i;
            }
            if (!isMarkerLine(lines_[i])) {
                continue;
            }
            if (!regions_.empty()) {
                regions_.back().end = i;
            }
            std::string name(lines_[i].substr(1));
            const std::size_t first = firstMarkers.try_emplace(name, i).first->second;
            regions_.push_back({i, lines_.size(), std::move(name), first});
        }
    }

    void checkLayout() {
        std::size_t last = lines_.size();
        while (last > 0 && lines_[last - 1].empty()) {
            --last;
        }
        if (last > 0 && !isMarkerLine(lines_[last - 1])) {
            reportAt(last - 1, "the file does not end with a line \"#\": the last block is not closed");
        }
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (lines_[i].empty() && !emptyLineAllowed(i)) {
                reportAt(i, "empty line outside a help block: the program skips it");
            }
        }
    }

    bool emptyLineAllowed(std::size_t index) const {
        if (trailing(index)) {
            return true;
        }
        const Region* region = regionOf(index);
        return region != nullptr && helpNames_.contains(region->name) && !taskNames_.contains(region->name);
    }

    // Empty lines after the closing "#" line are outside the content and harmless.
    bool trailing(std::size_t index) const {
        const bool onlyEmptyAfter = !lastNonEmpty_ || index > *lastNonEmpty_;
        return onlyEmptyAfter && !regions_.empty() && index > regions_.back().marker;
    }

    const Region* regionOf(std::size_t index) const {
        const auto after =
            std::upper_bound(regions_.begin(), regions_.end(), index,
                             [](std::size_t i, const Region& region) { return i < region.marker; });
        if (after == regions_.begin()) {
            return nullptr;
        }
        return &*std::prev(after);
    }

    // --- menu block

    void checkMenu() {
        menu_ = readMenuBlock(lines_);
        helpNames_.insert(std::string(TypingHelpBlockName)); // the task sheet's button opens it
        const std::optional<std::size_t> marker = FindBlock(lines_, MenuBlockName);
        if (!marker) {
            report(0, "there is no block \"#Menuo\": the menu is empty and so are its help buttons");
        } else {
            walkMenuLines(*marker);
            checkMenuSize(*marker);
            checkMenuReferences();
            checkHelpButtons(*marker);
        }
        if (!FindBlock(lines_, TypingHelpBlockName)) {
            report(0, "there is no block \"tajpado\": the task sheet's \"Eszperantó betűk!\" button opens an "
                      "empty help window");
        }
    }

    void walkMenuLines(std::size_t marker) {
        std::size_t entryCount = 0;
        for (std::size_t i = marker + 1; i < lines_.size() && !isMarkerLine(lines_[i]); ++i) {
            const std::string_view line = lines_[i];
            if (line.empty() || ClassifyLine(line) == LineKind::Comment) {
                continue;
            }
            const std::string key = LineKey(line);
            if (const std::optional<std::size_t> button = helpButtonIndex(key)) {
                if (const auto values = checkKeyLine(i, {"the caption", "the block name"})) {
                    buttonLines_[*button] = i;
                    checkFont(i, (*values)[0], Font::Ordinary, "the caption");
                }
            } else if (ClassifyLine(line) == LineKind::KeyEquals && key == "Menuero") {
                if (const auto values = checkKeyLine(i, {"the caption", "the block name"})) {
                    if (++entryCount > MaxMenuEntries) {
                        reportAt(i, "menu entry beyond the 100th: the program ignores it");
                    } else {
                        entryLines_.push_back(i);
                        checkFont(i, (*values)[0], Font::Ordinary, "the caption");
                    }
                }
            } else {
                reportAt(i, "line ignored: " + whyIgnored(line));
            }
        }
    }

    void checkMenuSize(std::size_t marker) {
        const std::size_t count = menu_.entries.size();
        if (count < VisibleSlots) {
            warnAt(marker, "the menu has " + std::to_string(count) +
                               " entries, fewer than 8: its list cannot scroll and the slots below the last "
                               "entry stay empty");
        }
    }

    bool slotEightRuleApplies() const { return menu_.entries.size() >= VisibleSlots; }

    // Line of entry e, as far as the walk saw it; the walk and the reader agree on the entries.
    std::size_t entryLine(std::size_t e) const { return e < entryLines_.size() ? entryLines_[e] : 0; }

    void checkMenuReferences() {
        const std::size_t count = menu_.entries.size();
        for (std::size_t e = 0; e < count; ++e) {
            const MenuEntry& entry = menu_.entries[e];
            if (slotEightRuleApplies() && e + 1 == count) {
                checkLastEntry(e);
                continue;
            }
            if (entry.isHeading()) {
                continue;
            }
            taskNames_.insert(entry.sheet);
            if (!FindBlock(lines_, entry.sheet)) {
                reportAt(entryLine(e), "the menu entry " + inQuotes(entry.caption) + " names the block " +
                                           inQuotes(entry.sheet) + ", which does not exist");
            }
        }
    }

    void checkLastEntry(std::size_t e) {
        const MenuEntry& entry = menu_.entries[e];
        const HelpButton& button = menu_.helpButtons[SlotEightHelpButton];
        // Without a block for help button 2 that button is reported already.
        if (!button.block.empty() && entry.sheet != button.block) {
            warnAt(
                entryLine(e),
                "the last menu entry shows only in slot 8 with the list at its end, where choosing it opens "
                "help button 2's block " +
                    inQuotes(button.block) + ", not " + inQuotes(entry.sheet) +
                    ": make it the entry of that help block (Menuero=" + inQuotes(button.caption) + "," +
                    inQuotes(button.block) + ")");
        }
    }

    // Judged by what the reader delivers from the menu block.
    void checkHelpButtons(std::size_t menuMarker) {
        for (std::size_t b = 0; b < HelpButtonCount; ++b) {
            const HelpButton& button = menu_.helpButtons[b];
            const std::string key = "Butono" + std::to_string(b + 1);
            const std::size_t line = buttonLines_[b].value_or(menuMarker);
            if (button.caption.empty() && button.block.empty()) {
                reportAt(line, "the program reads no line \"" + key +
                                   "\": that help button has no caption and opens an empty help window");
            } else if (button.block.empty()) {
                reportAt(line, key + " names no help block: the button opens an empty help window");
            } else {
                helpNames_.insert(button.block);
                if (!FindBlock(lines_, button.block)) {
                    reportAt(line,
                             key + " names the block " + inQuotes(button.block) + ", which does not exist");
                }
            }
        }
    }

    // --- lines of one key line

    // The values the program reads from a key line with these fields, or nothing when it skips the line.
    std::optional<std::vector<std::string>> checkKeyLine(std::size_t i,
                                                         std::initializer_list<const char*> fields) {
        const std::string_view line = lines_[i];
        std::vector<std::string> values;
        std::uint8_t n = 0;
        for (const char* field : fields) {
            const FieldRead read = readField(line, ++n);
            if (!read.value) {
                reportAt(i, std::string("line ignored: ") + field + " " + missingValueReason(read.status));
                return std::nullopt;
            }
            if (read.status == parser_status::SeparatorInValue) {
                reportAt(i, std::string(field) + ": " + parserStatusInWords(read.status));
            }
            values.push_back(*read.value);
        }
        const QuotedShape shape = shapeOf(line);
        if (!shape.onlyQuotedValues) {
            reportAt(i, "text outside the double quotes: the program reads " + std::string(*fields.begin()) +
                            " as " + inQuotes(values.front()));
        } else if (shape.valueCount > fields.size()) {
            reportAt(i, "more values than the line uses: everything after " +
                            std::string(*(fields.end() - 1)) + " is ignored");
        }
        return values;
    }

    static std::string missingValueReason(std::uint16_t status) {
        switch (status) {
        case parser_status::UnclosedQuote:
            return "has no closing double quote (parser status 48)";
        case parser_status::TooFewDelimiters:
            return "is missing (parser status 80)";
        default:
            return "is not in double quotes";
        }
    }

    void checkFont(std::size_t i, std::string_view bytes, Font font, std::string_view what) {
        const std::optional<std::string> wrong = firstMisshownCharacter(bytes, font);
        if (!wrong) {
            return;
        }
        if (font == Font::Ordinary) {
            reportAt(i,
                     std::string(what) + " " + inQuotes(bytes) + ": " + *wrong +
                         " in its Windows-1250 font; write Esperanto letters there in the x-system (\"cx\")");
        } else {
            reportAt(i, std::string(what) + " " + inQuotes(bytes) + ": " + *wrong + " in the Esperanto font");
        }
    }

    // --- the blocks

    void checkBlocks() {
        for (const Region& region : regions_) {
            if (region.firstMarker != region.marker) {
                const std::size_t first = region.firstMarker;
                reportAt(region.marker, "the block " + inQuotes(region.name) +
                                            " is defined again (first at line " + std::to_string(first + 1) +
                                            "): the program reads only the first");
                continue;
            }
            if (region.name == MenuBlockName) {
                continue;
            }
            if (region.name.empty()) {
                checkClosingRegion(region);
            } else if (taskNames_.contains(region.name)) {
                checkTaskBlock(region);
            } else if (helpNames_.contains(region.name)) {
                checkHelpBlock(region);
            } else {
                reportAt(region.marker, "the block " + inQuotes(region.name) +
                                            " is never opened: no menu entry or help button names it");
            }
        }
    }

    void checkClosingRegion(const Region& region) {
        for (std::size_t i = region.marker + 1; i < region.end; ++i) {
            if (!lines_[i].empty()) {
                reportAt(i, "this line follows a \"#\" line without a name: it belongs to no block and is "
                            "never read");
                return;
            }
        }
    }

    void checkHelpBlock(const Region& region) {
        for (std::size_t i = region.marker + 1; i < region.end; ++i) {
            checkFont(i, lines_[i], Font::Ordinary, "help text");
        }
    }

    void checkTaskBlock(const Region& region) {
        if (!holdsItemLine(region)) {
            // Every line would be "before the first question"; one finding says it all.
            reportAt(region.marker,
                     "the task sheet " + inQuotes(region.name) + " has no questions (no \"[tasko]\" line)");
            return;
        }
        std::vector<ItemLines> items;
        for (std::size_t i = region.marker + 1; i < region.end; ++i) {
            const std::string_view line = lines_[i];
            if (line == ItemSectionLine) {
                if (items.size() == MaxQuestions) {
                    reportAt(i, "question beyond the 200th: the program ignores it");
                }
                items.push_back(ItemLines{});
                items.back().sectionLine = i;
            } else if (!line.empty() && ClassifyLine(line) != LineKind::Comment) {
                checkItemLine(i, items.empty() ? nullptr : &items.back());
            }
        }
        for (std::size_t k = 0; k < std::min(items.size(), MaxQuestions); ++k) {
            checkItemComplete(items[k]);
            checkAnswerAdvice(items[k]);
            noteAskedQuestion(items[k], region.name);
        }
    }

    bool holdsItemLine(const Region& region) const {
        for (std::size_t i = region.marker + 1; i < region.end; ++i) {
            if (lines_[i] == ItemSectionLine) {
                return true;
            }
        }
        return false;
    }

    void checkItemLine(std::size_t i, ItemLines* item) {
        const std::string_view line = lines_[i];
        if (item == nullptr) {
            reportAt(i, "line before the first \"[tasko]\": the program ignores it");
            return;
        }
        const LineKind kind = ClassifyLine(line);
        const std::uint16_t status = ParserStatus;
        const std::string key = LineKey(line);
        if (kind == LineKind::Section || status == parser_status::UnclosedSection) {
            reportAt(i,
                     "only a line exactly \"[tasko]\" starts a question: this line is ignored and the lines "
                     "after it belong to the question before");
            return;
        }
        const std::optional<ItemKey> itemKey = itemLineKey(line);
        if (!itemKey) {
            reportAt(i, "line ignored: " + whyIgnored(line));
            return;
        }
        const auto values = checkKeyLine(i, {"the value"});
        if (!values) {
            return;
        }
        const std::string& value = values->front();
        if (*itemKey == ItemKey::Question) {
            noteRepeated(i, item->question, key);
            item->questionText = value;
            checkFont(i, value, Font::Esperanto, "the question");
        } else if (*itemKey == ItemKey::Instruction) {
            noteRepeated(i, item->instruction, key);
            item->instructionText = value;
            checkFont(i, XToLatin3(value), Font::Esperanto, "the model answer");
        } else {
            checkSolution(i, *item, value);
        }
    }

    void noteRepeated(std::size_t i, std::optional<std::size_t>& seen, const std::string& key) {
        if (seen) {
            reportAt(i, "a second \"" + key + "\" line in this question (first at line " +
                            std::to_string(*seen + 1) + "): the last one counts");
        }
        seen = i;
    }

    void checkSolution(std::size_t i, ItemLines& item, const std::string& value) {
        if (item.solutions.size() == MaxSolutions) {
            reportAt(i, "accepted answer beyond the 15th: the program never compares it");
            return;
        }
        const std::optional<std::size_t> earlier = item.accepted.match(value);
        const bool hasLetters = !std::all_of(value.begin(), value.end(), isDroppedFromAnswers);
        item.solutions.push_back(value);
        item.solutionLines.push_back(i);
        item.accepted.add(value);
        if (!hasLetters) {
            reportAt(i, "the accepted answer " + inQuotes(value) +
                            " holds only blanks and punctuation: no answer ever matches it");
        } else if (const auto wrong = firstMisshownCharacter(value, Font::Esperanto)) {
            reportAt(i, "the accepted answer " + inQuotes(value) + " cannot be typed: " + *wrong +
                            " in the answer box, so no answer ever matches it");
        } else if (earlier) {
            warnAt(i, "the accepted answer " + inQuotes(value) +
                          " is redundant: the answer check takes it for the one at line " +
                          std::to_string(item.solutionLines[*earlier] + 1) +
                          " (case, blanks, \". , ! ? : ;\" and ĉ = cx do not count)");
        } else {
            item.distinctSolutions.push_back(item.solutions.size() - 1);
        }
    }

    void checkAnswerAdvice(const ItemLines& item) {
        const std::size_t only = item.distinctSolutions.size() == 1 ? item.distinctSolutions.front() : 0;
        const std::size_t words = item.distinctSolutions.size() == 1 ? wordCount(item.solutions[only]) : 0;
        if (words >= SentenceWords) {
            warnAt(item.solutionLines[only],
                   "a sentence of " + std::to_string(words) +
                       " words with a single accepted answer: list the other word orders and words a "
                       "learner may rightly type, or say the expected form in the question");
        }
        for (std::size_t k = 0; k < item.solutions.size(); ++k) {
            const std::optional<std::string> twin = smallTwin(item.solutions[k]);
            if (twin && !item.accepted.accepts(*twin)) {
                warnAt(item.solutionLines[k],
                       "the accepted answer " + inQuotes(item.solutions[k]) +
                           " begins with an accented capital, which the answer check does not take for its "
                           "small letter: add " +
                           inQuotes(*twin) + " too");
            }
        }
    }

    // One look-up per question keeps the whole file linear.
    void noteAskedQuestion(const ItemLines& item, const std::string& sheet) {
        if (!item.question) {
            return;
        }
        std::string asked = withSingleBlanks(item.questionText);
        if (asked.empty()) {
            return;
        }
        const auto [first, isNew] =
            askedQuestions_.try_emplace(std::move(asked), AskedQuestion{*item.question, &sheet});
        if (isNew) {
            return;
        }
        const AskedQuestion& earlier = first->second;
        const std::string where = *earlier.sheet == sheet ? std::string(" of this sheet")
                                                          : ", in the sheet " + inQuotes(*earlier.sheet);
        warnAt(*item.question, "the question " + inQuotes(item.questionText) + " is asked already at line " +
                                   std::to_string(earlier.line + 1) + where);
    }

    void checkItemComplete(const ItemLines& item) {
        const std::size_t i = item.sectionLine;
        if (!item.question) {
            reportAt(i, "this question has no \"Demando\" line: the learner sees an empty question");
        }
        if (!item.instruction) {
            reportAt(i, "this question has no \"Instruo\" line: no model answer is shown");
        }
        if (item.solutions.empty()) {
            reportAt(i, "this question has no \"Solvo\" line: every answer counts as wrong");
        } else if (item.instruction && !item.accepted.accepts(item.instructionText)) {
            reportAt(*item.instruction,
                     "the model answer " + inQuotes(item.instructionText) +
                         " is not among the accepted answers: a learner who types it is told "
                         "it is wrong");
        }
    }

    const ContentLines& lines_;
    std::vector<Finding> findings_;
    std::vector<Region> regions_;
    std::optional<std::size_t> lastNonEmpty_;
    MenuBlock menu_;
    std::vector<std::size_t> entryLines_;
    std::array<std::optional<std::size_t>, HelpButtonCount> buttonLines_{};
    std::set<std::string, std::less<>> taskNames_;
    std::set<std::string, std::less<>> helpNames_;
    std::unordered_map<std::string, AskedQuestion> askedQuestions_;
};

} // namespace

std::vector<Finding> checkContent(const ContentLines& lines) {
    return ContentChecker(lines).run();
}

std::vector<Finding> checkStoredBytes(std::string_view stored) {
    std::vector<Finding> findings;
    if (stored.size() > MaxContentFileSize) {
        findings.push_back({0, "the file has " + std::to_string(stored.size()) + " bytes, more than the " +
                                   std::to_string(MaxContentFileSize) +
                                   " the program reads: it refuses the file (\"File too large\")"});
    }
    std::size_t line = 1;
    std::size_t length = 0;
    auto endLine = [&] {
        if (length > MaxLineLength) {
            findings.push_back({line, "the line is " + std::to_string(length) +
                                          " characters long: the program keeps only the first 255"});
        }
        ++line;
        length = 0;
    };
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const char byte = stored[i];
        if (byte == '\x1A') {
            if (i + 1 < stored.size()) {
                // At the start of a line the program sees no line at all: name the one before.
                const std::size_t reported = length > 0 ? line : line - 1;
                findings.push_back({reported, "an end-of-file byte stands " +
                                                  std::string(length > 0 ? "in" : "after") +
                                                  " this line: the program reads nothing after it"});
            }
            break;
        }
        if (byte == '\r') {
            endLine();
            if (i + 1 < stored.size() && stored[i + 1] == '\n') {
                ++i;
            }
        } else {
            ++length;
        }
    }
    if (length > MaxLineLength) {
        endLine();
    }
    return findings;
}

std::vector<Finding> checkStored(std::string_view stored) {
    std::vector<Finding> findings = checkStoredBytes(stored);
    std::vector<Finding> content = checkContent(decodeContent(stored));
    findings.insert(findings.end(), std::make_move_iterator(content.begin()),
                    std::make_move_iterator(content.end()));
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return findings;
}

} // namespace kvizaro
