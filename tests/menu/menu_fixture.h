// A main menu with the windows it calls, built from a content file written for the test, the way start-up
// wires them.
#pragma once

#include "content_builder.h"
#include "fake_platform.h"
#include "gui.h"
#include "literoj.h"
#include "menuo.h"
#include "sugo.h"
#include "tasko.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>

#include <memory>
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

struct MenuWindows {
    explicit MenuWindows(const std::vector<std::string>& content, QSize screen = {1024, 768}) {
        platform.screen = screen;
        const std::string file = writeFile(dir, "enhavo.adt", encodeStored(content));
        menu = std::make_unique<TMenuo>(platform, file);
        task = std::make_unique<TTasko>(platform);
        wizard = std::make_unique<TLiteroj>(platform);
        help = std::make_unique<TSugo>(platform);
        menu->setWindows(*task, *help, *wizard);
        QObject::connect(task.get(), &TTasko::sheetClosed, menu.get(), &TMenuo::returnFromSheet);
    }
    explicit MenuWindows(int entries, QSize screen = {1024, 768})
        : MenuWindows(menuContent(entries), screen) {}

    void activate() {
        QEvent activation(QEvent::WindowActivate);
        QCoreApplication::sendEvent(menu.get(), &activation);
    }

    template <typename Control = QWidget> Control* find(const char* name) const {
        return menu->findChild<Control*>(QString::fromLatin1(name));
    }
    QScrollBar* scrollBar() const { return find<QScrollBar>("Csuszka"); }

    QTemporaryDir dir;
    FakePlatform platform;
    std::unique_ptr<TMenuo> menu;
    std::unique_ptr<TTasko> task;
    std::unique_ptr<TLiteroj> wizard;
    std::unique_ptr<TSugo> help;
};

} // namespace kvizaro::test
