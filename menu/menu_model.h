// The main menu's state and rules without any widget: the entries read from the menu block, the help
// blocks, which entry each of the eight slots shows as the list scrolls, and what choosing a slot does.
// The main window shows this model and forwards its input to it; the content lines stay with the window,
// which loads them and lends them to each reading.
#pragma once

#include "content_file.h"
#include "readers.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvizaro {

// What choosing a slot, by click or digit, asks of the window.
struct SlotChoice {
    enum class Kind : std::uint8_t {
        Nothing,   // a heading, an empty slot
        OpenSheet, // `block` is the task block of `entry`
        ShowHelp,  // `block` is the help block to show
    };
    Kind kind = Kind::Nothing;
    int entry = 0;
    std::string block;

    bool operator==(const SlotChoice&) const = default;
};

// The scroll bar's own moves, by its arrows, track and keys.
enum class ScrollMove : std::uint8_t { LineUp, LineDown, PageUp, PageDown, Home, End };

class MenuModel {
public:
    static constexpr int SlotCount = 8;
    static constexpr int HelpButtons = int(HelpButtonCount);
    static constexpr int FirstPosition = 1;
    static constexpr int LineStep = 1;
    static constexpr int PageStep = 5;

    // Reads the entries and help buttons from the menu block of `lines`; TopEntry is left as it is.
    void BuildMenu(const ContentLines& lines);

    // Entries are numbered from 1; places above EntryCount hold empty texts.
    const std::string& EntryCaption(int entry) const;
    const std::string& EntrySheet(int entry) const;
    std::uint8_t TopEntry() const { return topEntry_; }
    std::uint8_t EntryCount() const { return static_cast<std::uint8_t>(menu_.entries.size()); }
    const std::string& HelpBlock1() const { return helpBlock(1); }
    const std::string& HelpBlock2() const { return helpBlock(2); }
    const std::string& HelpBlock3() const { return helpBlock(3); }
    // Help button 1 to 3; an empty text for a button without its line, or any other number.
    const std::string& helpBlock(int button) const;
    const std::string& helpCaption(int button) const;

    bool isHeading(int entry) const;
    bool isSelectable(int entry) const;

    // The scroll range: from FirstPosition to the last entry that can stand in slot 1 while slot 8 still
    // holds an entry; a menu too short to fill the slots cannot scroll at all.
    int lastPosition() const;

    // MenuAction 0: TopEntry := 1.
    void showFirstPage();
    // MenuAction 20: TopEntry := the scroll position, kept within the scroll range.
    void showPageAt(int position);
    // Where one of the scroll bar's own moves takes the page from TopEntry.
    int positionAfter(ScrollMove move) const;

    // The entry that slot 1 to 8 shows, or 0 when the slot shows none.
    int entryInSlot(int slot) const;
    // Slot 8 shows the last entry only when the list is scrolled to its end, and then stands for the
    // second help button.
    bool slotActsAsSecondHelpButton(int slot) const;
    // Whether the slot's button is raised under the mouse.
    bool raisesUnderMouse(int slot) const;
    // MenuAction 1 to 8.
    SlotChoice chooseSlot(int slot) const;

    // The slot that a typed character chooses: "1" to "8" choose slots 1 to 8, any other text nothing.
    static std::optional<std::uint8_t> slotForKeyText(std::u16string_view text);

private:
    MenuBlock menu_;
    std::uint8_t topEntry_ = 0;
};

} // namespace kvizaro
