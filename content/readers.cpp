#include "readers.h"

#include "line_parser.h"

namespace kvizaro {

namespace {

constexpr std::string_view ButtonKeyStem = "Butono";

// Caption and block name of a menu or help-button line; a line without both is skipped whole.
template <typename Pair> std::optional<Pair> captionAndName(std::string_view line) {
    std::optional<std::string> caption = quotedField(line, 1);
    std::optional<std::string> name = quotedField(line, 2);
    if (!caption || !name) {
        return std::nullopt;
    }
    return Pair{std::move(*caption), std::move(*name)};
}

// Lines from `first` up to and including the first one that begins with "#", or to the last line.
template <typename Visit> void visitUntilMarker(const ContentLines& lines, std::size_t first, Visit visit) {
    for (std::size_t i = first; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (!line.empty()) {
            visit(line);
        }
        if (isMarkerLine(line)) {
            return;
        }
    }
}

void readMenuEntry(std::string_view line, MenuBlock& menu) {
    if (menu.entries.size() >= MaxMenuEntries || ClassifyLine(line) != LineKind::KeyEquals ||
        LineKey(line) != "Menuero") {
        return;
    }
    if (auto entry = captionAndName<MenuEntry>(line)) {
        menu.entries.push_back(std::move(*entry));
    }
}

// The button pass does not classify the line: a blank or "," after the key serves as well as "=".
void readHelpButton(std::string_view line, MenuBlock& menu) {
    if (const std::optional<std::size_t> button = helpButtonIndex(LineKey(line))) {
        if (auto read = captionAndName<HelpButton>(line)) {
            menu.helpButtons[*button] = std::move(*read);
        }
    }
}

void readItemLine(std::string_view line, TaskItem& item) {
    const std::optional<ItemKey> key = itemLineKey(line);
    if (!key) {
        return;
    }
    std::optional<std::string> value = quotedField(line, 1);
    if (!value) {
        return;
    }
    switch (*key) {
    case ItemKey::Question:
        item.question = std::move(*value);
        break;
    case ItemKey::Instruction:
        item.instruction = std::move(*value);
        break;
    case ItemKey::Solution:
        if (item.solutions.size() < MaxSolutions) {
            item.solutions.push_back(std::move(*value));
        }
        break;
    }
}

} // namespace

bool isMarkerLine(std::string_view line) {
    return !line.empty() && line.front() == '#';
}

std::optional<std::string> quotedField(std::string_view line, std::uint8_t n) {
    // A value can never contain a quote, so a lone quote left in the receiving text means LineField did
    // not write it.
    std::string value(1, '"');
    LineField(n, line, value);
    if (value == "\"") {
        return std::nullopt;
    }
    return value;
}

std::optional<std::size_t> helpButtonIndex(std::string_view key) {
    if (key.size() != ButtonKeyStem.size() + 1 || !key.starts_with(ButtonKeyStem)) {
        return std::nullopt;
    }
    const char digit = key.back();
    if (digit < '1' || digit > static_cast<char>('0' + HelpButtonCount)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(digit - '1');
}

std::optional<ItemKey> itemLineKey(std::string_view line) {
    if (ClassifyLine(line) != LineKind::KeyEquals) {
        return std::nullopt;
    }
    const std::string key = LineKey(line);
    if (key == "Demando") {
        return ItemKey::Question;
    }
    if (key == "Instruo") {
        return ItemKey::Instruction;
    }
    if (key == "Solvo") {
        return ItemKey::Solution;
    }
    return std::nullopt;
}

MenuBlock readMenuBlock(const ContentLines& lines) {
    MenuBlock menu;
    const std::optional<std::size_t> marker = FindBlock(lines, MenuBlockName);
    if (!marker) {
        return menu;
    }
    visitUntilMarker(lines, *marker + 1, [&](std::string_view line) {
        readMenuEntry(line, menu);
        readHelpButton(line, menu);
    });
    return menu;
}

TaskSheet readTaskBlock(const ContentLines& lines, std::string_view name) {
    TaskSheet sheet;
    const std::optional<std::size_t> marker = FindBlock(lines, name);
    if (!marker) {
        return sheet;
    }
    // Lines of items past the limit fall into this sink and are dropped.
    TaskItem overflow;
    TaskItem* current = nullptr;
    visitUntilMarker(lines, *marker + 1, [&](std::string_view line) {
        if (line == ItemSectionLine) {
            if (sheet.items.size() < MaxQuestions) {
                current = &sheet.items.emplace_back();
            } else {
                overflow = TaskItem{};
                current = &overflow;
            }
        } else if (current != nullptr) {
            readItemLine(line, *current);
        }
    });
    return sheet;
}

std::vector<std::string> readHelpBlock(const ContentLines& lines, std::string_view name) {
    std::vector<std::string> text;
    const std::optional<std::size_t> marker = FindBlock(lines, name);
    if (!marker) {
        return text;
    }
    for (std::size_t i = *marker + 1; i < lines.size() && !isMarkerLine(lines[i]); ++i) {
        text.emplace_back(lines[i]);
    }
    return text;
}

} // namespace kvizaro
