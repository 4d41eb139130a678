#include "menu_model.h"

#include <algorithm>

namespace kvizaro {

namespace {

const std::string NoText;

} // namespace

void MenuModel::BuildMenu(const ContentLines& lines) {
    menu_ = readMenuBlock(lines);
    // The reader keeps to the limit already; the count must also fit the 8-bit field that shows it.
    if (menu_.entries.size() > MaxMenuEntries) {
        menu_.entries.resize(MaxMenuEntries);
    }
}

const std::string& MenuModel::EntryCaption(int entry) const {
    return entry >= 1 && entry <= EntryCount() ? menu_.entries[std::size_t(entry - 1)].caption : NoText;
}

const std::string& MenuModel::EntrySheet(int entry) const {
    return entry >= 1 && entry <= EntryCount() ? menu_.entries[std::size_t(entry - 1)].sheet : NoText;
}

const std::string& MenuModel::helpBlock(int button) const {
    return button >= 1 && button <= HelpButtons ? menu_.helpButtons[std::size_t(button - 1)].block : NoText;
}

const std::string& MenuModel::helpCaption(int button) const {
    return button >= 1 && button <= HelpButtons ? menu_.helpButtons[std::size_t(button - 1)].caption : NoText;
}

bool MenuModel::isHeading(int entry) const {
    return entry >= 1 && entry <= EntryCount() && EntrySheet(entry).empty();
}

bool MenuModel::isSelectable(int entry) const {
    return entry >= 1 && entry <= EntryCount() && !EntrySheet(entry).empty();
}

int MenuModel::lastPosition() const {
    return std::max(int(EntryCount()) - (SlotCount - 1), FirstPosition);
}

void MenuModel::showFirstPage() {
    topEntry_ = FirstPosition;
}

void MenuModel::showPageAt(int position) {
    topEntry_ = static_cast<std::uint8_t>(std::clamp(position, FirstPosition, lastPosition()));
}

int MenuModel::positionAfter(ScrollMove move) const {
    const int top = topEntry_;
    int position = top;
    switch (move) {
    case ScrollMove::LineUp:
        position = top - LineStep;
        break;
    case ScrollMove::LineDown:
        position = top + LineStep;
        break;
    case ScrollMove::PageUp:
        position = top - PageStep;
        break;
    case ScrollMove::PageDown:
        position = top + PageStep;
        break;
    case ScrollMove::Home:
        position = FirstPosition;
        break;
    case ScrollMove::End:
        position = lastPosition();
        break;
    }
    return std::clamp(position, FirstPosition, lastPosition());
}

int MenuModel::entryInSlot(int slot) const {
    if (slot < 1 || slot > SlotCount) {
        return 0;
    }
    const int entry = topEntry_ + slot - 1;
    return entry >= 1 && entry <= EntryCount() ? entry : 0;
}

bool MenuModel::slotActsAsSecondHelpButton(int slot) const {
    return slot == SlotCount && topEntry_ + (SlotCount - 1) == EntryCount();
}

bool MenuModel::raisesUnderMouse(int slot) const {
    if (slot < 1 || slot > SlotCount) {
        return false;
    }
    return slotActsAsSecondHelpButton(slot) || isSelectable(topEntry_ + slot - 1);
}

SlotChoice MenuModel::chooseSlot(int slot) const {
    if (slot < 1 || slot > SlotCount) {
        return {};
    }
    // The last entry's own sheet is not used, whether empty or not.
    if (slotActsAsSecondHelpButton(slot)) {
        return {SlotChoice::Kind::ShowHelp, 0, HelpBlock2()};
    }
    const int entry = topEntry_ + slot - 1;
    if (!isSelectable(entry)) {
        return {};
    }
    return {SlotChoice::Kind::OpenSheet, entry, EntrySheet(entry)};
}

std::optional<std::uint8_t> MenuModel::slotForKeyText(std::u16string_view text) {
    if (text.size() != 1 || text[0] < u'1' || text[0] > u'0' + SlotCount) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(text[0] - u'0');
}

} // namespace kvizaro
