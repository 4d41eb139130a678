#include "readers.h"

#include "line_parser.h"

#include <optional>

namespace kvizaro {

namespace {

constexpr std::string_view ItemSectionLine = "[tasko]";

bool beginsWithMarker(std::string_view line) {
    return !line.empty() && line.front() == '#';
}

// Field n of a key line, or nothing when it holds no quoted value. A value can never contain a quote,
// so a lone quote left in the receiving text means LineField did not write it.
std::optional<std::string> quotedField(std::string_view line, std::uint8_t n) {
    std::string value(1, '"');
    LineField(n, line, value);
    if (value == "\"") {
        return std::nullopt;
    }
    return value;
}

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
        if (beginsWithMarker(line)) {
            return;
        }
    }
}

void readMenuEntries(const ContentLines& lines, MenuBlock& menu) {
    const std::optional<std::size_t> marker = FindBlock(lines, MenuBlockName);
    if (!marker) {
        return;
    }
    visitUntilMarker(lines, *marker + 1, [&](std::string_view line) {
        if (menu.entries.size() >= MaxMenuEntries || ClassifyLine(line) != LineKind::KeyEquals ||
            LineKey(line) != "Menuero") {
            return;
        }
        if (auto entry = captionAndName<MenuEntry>(line)) {
            menu.entries.push_back(std::move(*entry));
        }
    });
}

// The help buttons are looked for from the file's second line on, not from the menu marker: with
// "#Menuo" as the first line both come to the same.
void readHelpButtons(const ContentLines& lines, MenuBlock& menu) {
    visitUntilMarker(lines, 1, [&](std::string_view line) {
        const std::string key = LineKey(line);
        for (std::size_t b = 0; b < HelpButtonCount; ++b) {
            if (key == "Butono" + std::to_string(b + 1)) {
                if (auto button = captionAndName<HelpButton>(line)) {
                    menu.helpButtons[b] = std::move(*button);
                }
            }
        }
    });
}

void readItemLine(std::string_view line, TaskItem& item) {
    if (ClassifyLine(line) != LineKind::KeyEquals) {
        return;
    }
    const std::string key = LineKey(line);
    if (key != "Demando" && key != "Instruo" && key != "Solvo") {
        return;
    }
    std::optional<std::string> value = quotedField(line, 1);
    if (!value) {
        return;
    }
    if (key == "Demando") {
        item.question = std::move(*value);
    } else if (key == "Instruo") {
        item.instruction = std::move(*value);
    } else if (item.solutions.size() < MaxSolutions) {
        item.solutions.push_back(std::move(*value));
    }
}

} // namespace

MenuBlock ReadMenuBlock(const ContentLines& lines) {
    MenuBlock menu;
    readMenuEntries(lines, menu);
    readHelpButtons(lines, menu);
    return menu;
}

TaskSheet ReadTaskBlock(const ContentLines& lines, std::string_view name) {
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

std::vector<std::string> ReadHelpBlock(const ContentLines& lines, std::string_view name) {
    std::vector<std::string> text;
    const std::optional<std::size_t> marker = FindBlock(lines, name);
    if (!marker) {
        return text;
    }
    for (std::size_t i = *marker + 1; i < lines.size() && !beginsWithMarker(lines[i]); ++i) {
        text.emplace_back(lines[i]);
    }
    return text;
}

} // namespace kvizaro
