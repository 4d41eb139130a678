// The menu content the menu tests build on: a menu block of a given length whose entries follow a fixed
// pattern of headings and sheets, three help buttons, and the blocks they name.
#pragma once

#include <string>
#include <vector>

namespace kvizaro::test {

// Entry n is a heading when n % 4 == 1 (entries 1, 5, 9, ...); the others open the sheet "lapo<n>".
inline bool isHeadingEntry(int entry) {
    return entry % 4 == 1;
}
inline std::string entryCaption(int entry) {
    return "Feladat " + std::to_string(entry);
}
inline std::string entrySheet(int entry) {
    return isHeadingEntry(entry) ? std::string() : "lapo" + std::to_string(entry);
}

inline std::vector<std::string> menuContent(int entries) {
    std::vector<std::string> lines = {"#Menuo"};
    for (int n = 1; n <= entries; ++n) {
        lines.push_back("Menuero=\"" + entryCaption(n) + "\",\"" + entrySheet(n) + "\"");
    }
    lines.push_back("Butono1=\"S\xfag\xf3\",\"sugo\"");
    lines.push_back("Butono2=\"N\xe9vjegy\",\"nevjegy\"");
    lines.push_back("Butono3=\"Bet\xfbk\",\"tajpado\"");
    for (int n = 1; n <= entries; ++n) {
        if (!isHeadingEntry(n)) {
            lines.push_back("#" + entrySheet(n));
            lines.push_back("[tasko]");
            lines.push_back("Demando=\"k" + std::to_string(n) + "\"");
            lines.push_back("Instruo=\"r" + std::to_string(n) + "\"");
            lines.push_back("Solvo=\"r" + std::to_string(n) + "\"");
        }
    }
    lines.insert(lines.end(), {"#sugo", "Segitseg", "#nevjegy", "Nevjegy", "#tajpado", "cx gx", "#"});
    return lines;
}

} // namespace kvizaro::test
