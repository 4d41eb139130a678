#include "kvtml_word_list.h"

#include <expat.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace kvizaro {

namespace {

constexpr std::string_view NoLessonSheetName = "Leckén kívül";
constexpr std::string_view LessonPathSeparator = " / ";
constexpr std::string_view UnnamedLessonName = "Lecke";

struct Entry {
    std::map<std::size_t, std::string> texts; // by identifier
    std::size_t line = 0;
};

struct Container {
    std::string name;
    std::vector<std::string> entryIds;
    std::size_t slot; // its place among the lessons, taken when it opens: parents come before children
};

std::optional<std::size_t> number(const char* text) {
    if (text == nullptr || *text == '\0') {
        return std::nullopt;
    }
    std::size_t value = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9' || value > 100000) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::size_t>(*c - '0');
    }
    return value;
}

const char* attribute(const XML_Char** attributes, std::string_view name) {
    for (const XML_Char** a = attributes; *a != nullptr; a += 2) {
        if (name == a[0]) {
            return a[1];
        }
    }
    return nullptr;
}

// Follows the element path; only what the import needs is kept.
class KvtmlParser {
public:
    explicit KvtmlParser(XML_Parser parser) : parser_(parser) {}

    void start(const XML_Char* name, const XML_Char** attributes) {
        const std::string element = name;
        const std::string parent = path_.empty() ? std::string() : path_.back();
        path_.push_back(element);
        text_.clear();
        if (element == "entry" && parent == "entries") {
            currentEntry_ = attribute(attributes, "id") ? attribute(attributes, "id") : "";
            entryOrder_.push_back(currentEntry_);
            entries_[currentEntry_].line = XML_GetCurrentLineNumber(parser_);
        } else if (element == "translation" && parent == "entry" && inside("entries")) {
            currentSide_ = number(attribute(attributes, "id"));
        } else if (element == "container" && inside("lessons")) {
            open_.push_back({{}, {}, lessonSlots_++});
        } else if (element == "entry" && parent == "container" && inside("lessons") && !open_.empty()) {
            if (const char* id = attribute(attributes, "id")) {
                open_.back().entryIds.emplace_back(id);
            }
        }
    }

    void end() {
        const std::string element = path_.back();
        path_.pop_back();
        const std::string parent = path_.empty() ? std::string() : path_.back();
        if (element == "text" && parent == "translation" && currentSide_ && inside("entries")) {
            entries_[currentEntry_].texts[*currentSide_] = oneLineText(text_);
        } else if (element == "name" && parent == "container" && inside("lessons") && !open_.empty()) {
            open_.back().name = oneLineText(text_);
        } else if (element == "container" && inside("lessons") && !open_.empty()) {
            closeContainer();
        }
        text_.clear();
    }

    void characters(const XML_Char* text, int length) {
        text_.append(text, static_cast<std::size_t>(length));
    }

    WordListReading result(KvtmlSides sides) const {
        WordListReading reading;
        std::set<std::string> usable;
        for (const std::string& id : entryOrder_) {
            if (const auto missing = missingSide(entries_.at(id), sides)) {
                reading.warnings.push_back(
                    {entryOrigin(id),
                     "no text for identifier " + std::to_string(*missing) + "; the entry is left out"});
            } else {
                usable.insert(id);
            }
        }
        std::set<std::string> inLesson;
        for (const auto& [slot, lesson] : lessons_) {
            WordSheet sheet{lesson.name, {}};
            for (const std::string& id : lesson.entryIds) {
                inLesson.insert(id);
                if (usable.contains(id)) {
                    sheet.items.push_back(item(id, sides));
                } else if (!entries_.contains(id)) {
                    reading.warnings.push_back({"lesson \"" + lesson.name + "\"",
                                                "names the entry " + id + ", which does not exist"});
                }
            }
            if (!sheet.items.empty()) {
                reading.sheets.push_back(std::move(sheet));
            }
        }
        WordSheet rest{std::string(NoLessonSheetName), {}};
        for (const std::string& id : entryOrder_) {
            if (usable.contains(id) && !inLesson.contains(id)) {
                rest.items.push_back(item(id, sides));
            }
        }
        if (!rest.items.empty()) {
            reading.sheets.push_back(std::move(rest));
        }
        return reading;
    }

private:
    bool inside(std::string_view element) const {
        return std::find(path_.begin(), path_.end(), element) != path_.end();
    }

    void closeContainer() {
        Container container = std::move(open_.back());
        open_.pop_back();
        if (container.name.empty()) {
            container.name = std::string(UnnamedLessonName) + " " + std::to_string(container.slot + 1);
        }
        std::string pathName;
        for (const Container& outer : open_) {
            pathName += outer.name + std::string(LessonPathSeparator);
        }
        container.name = pathName + container.name;
        if (!container.entryIds.empty()) {
            lessons_.emplace(container.slot, std::move(container));
        }
    }

    static std::optional<std::size_t> missingSide(const Entry& entry, KvtmlSides sides) {
        for (const std::size_t side : {sides.ask, sides.answer}) {
            const auto text = entry.texts.find(side);
            if (text == entry.texts.end() || text->second.empty()) {
                return side;
            }
        }
        return std::nullopt;
    }

    std::string entryOrigin(const std::string& id) const {
        return "entry " + id + " (line " + std::to_string(entries_.at(id).line) + ")";
    }

    WordItem item(const std::string& id, KvtmlSides sides) const {
        const Entry& entry = entries_.at(id);
        std::vector<std::string> alternatives;
        const std::string& answer = entry.texts.at(sides.answer);
        std::size_t start = 0;
        while (start <= answer.size()) {
            const std::size_t end = std::min(answer.find_first_of(";|", start), answer.size());
            if (std::string part = oneLineText(answer.substr(start, end - start)); !part.empty()) {
                alternatives.push_back(std::move(part));
            }
            start = end + 1;
        }
        if (alternatives.empty()) {
            alternatives.push_back(answer);
        }
        return {entry.texts.at(sides.ask),
                alternatives.front(),
                {alternatives.begin() + 1, alternatives.end()},
                entryOrigin(id)};
    }

    XML_Parser parser_;
    std::vector<std::string> path_;
    std::string text_;
    std::string currentEntry_;
    std::optional<std::size_t> currentSide_;
    std::vector<std::string> entryOrder_;
    std::map<std::string, Entry> entries_;
    std::vector<Container> open_;
    std::map<std::size_t, Container> lessons_;
    std::size_t lessonSlots_ = 0;
};

} // namespace

WordListReading readKvtmlWordList(std::string_view bytes, KvtmlSides sides) {
    std::unique_ptr<std::remove_pointer_t<XML_Parser>, void (*)(XML_Parser)> parser(XML_ParserCreate(nullptr),
                                                                                    &XML_ParserFree);
    if (!parser) {
        throw std::bad_alloc();
    }
    KvtmlParser reader(parser.get());
    XML_SetUserData(parser.get(), &reader);
    XML_SetElementHandler(
        parser.get(),
        [](void* data, const XML_Char* name, const XML_Char** attributes) {
            static_cast<KvtmlParser*>(data)->start(name, attributes);
        },
        [](void* data, const XML_Char*) { static_cast<KvtmlParser*>(data)->end(); });
    XML_SetCharacterDataHandler(parser.get(), [](void* data, const XML_Char* text, int length) {
        static_cast<KvtmlParser*>(data)->characters(text, length);
    });
    WordListReading reading;
    if (bytes.size() > static_cast<std::size_t>(INT32_MAX) ||
        XML_Parse(parser.get(), bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) != XML_STATUS_OK) {
        reading.errors.push_back(
            {"line " + std::to_string(XML_GetCurrentLineNumber(parser.get())),
             std::string("not KVTML: ") + XML_ErrorString(XML_GetErrorCode(parser.get()))});
        return reading;
    }
    reading = reader.result(sides);
    if (reading.sheets.empty()) {
        reading.errors.push_back({"the file", "holds no entry with texts for both identifiers"});
    }
    return reading;
}

} // namespace kvizaro
