// Reads the three kinds of block out of the decoded content lines. Each reader is pure: it keeps nothing
// between readings, never reads past the last line, and treats a block that is missing as empty.
#pragma once

#include "content_file.h"

#include <array>
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

MenuBlock ReadMenuBlock(const ContentLines& lines);
TaskSheet ReadTaskBlock(const ContentLines& lines, std::string_view name);
std::vector<std::string> ReadHelpBlock(const ContentLines& lines, std::string_view name);

} // namespace kvizaro
