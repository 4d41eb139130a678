// Reads the three kinds of block out of the decoded content lines. Each reader is pure: it keeps nothing
// between readings, never reads past the last line, and treats a block that is missing as empty.
#pragma once

#include "content_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvizaro {

inline constexpr std::size_t MaxMenuEntries = 100;
inline constexpr std::size_t MaxQuestions = 200;
inline constexpr std::size_t MaxSolutions = 15;
inline constexpr std::size_t HelpButtonCount = 3;
inline constexpr std::string_view MenuBlockName = "Menuo";
inline constexpr std::string_view TypingHelpBlockName = "tajpado";
inline constexpr std::string_view ItemSectionLine = "[tasko]";

struct MenuEntry {
    std::string caption;
    std::string sheet; // task block name; empty for a heading
    bool isHeading() const { return sheet.empty(); }
};

struct HelpButton {
    std::string caption;
    std::string block;
};

struct MenuBlock {
    std::vector<MenuEntry> entries; // at most MaxMenuEntries
    std::array<HelpButton, HelpButtonCount> helpButtons;
};

struct TaskItem {
    std::string question;
    std::string instruction;
    std::vector<std::string> solutions; // at most MaxSolutions
};

struct TaskSheet {
    std::vector<TaskItem> items; // at most MaxQuestions
};

// The helpers below are how the readers see a line; the content checker uses them too, so that what it
// predicts is what the program does.

// A line that begins with "#": it names a block or ends the one before.
bool isMarkerLine(std::string_view line);
// Field n of a key line, or nothing when it holds no quoted value. ParserStatus is left as LineField set it.
std::optional<std::string> quotedField(std::string_view line, std::uint8_t n);
// 0, 1 or 2 for the keys "Butono1", "Butono2", "Butono3".
std::optional<std::size_t> helpButtonIndex(std::string_view key);

enum class ItemKey : std::uint8_t { Question, Instruction, Solution };
// The key of a line that a task item reads ("Demando", "Instruo", "Solvo" followed by "="), or nothing.
std::optional<ItemKey> itemLineKey(std::string_view line);

// Menu entries and help buttons, both from the menu block wherever it stands; no block, nothing read.
MenuBlock readMenuBlock(const ContentLines& lines);
TaskSheet readTaskBlock(const ContentLines& lines, std::string_view name);
std::vector<std::string> readHelpBlock(const ContentLines& lines, std::string_view name);

} // namespace kvizaro
