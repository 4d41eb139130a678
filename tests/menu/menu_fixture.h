// A main menu with the windows it calls, built from a content file written for the test, the way start-up
// wires them.
#pragma once

#include "content_builder.h"
#include "fake_platform.h"
#include "gui.h"
#include "menu_content.h"
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

struct MenuWindows {
    explicit MenuWindows(const std::vector<std::string>& content, QSize screen = {1024, 768}) {
        platform.screen = screen;
        const std::string file = writeFile(dir, "enhavo.adt", encodeStored(content));
        menu = std::make_unique<TMenuo>(platform, file);
        task = std::make_unique<TTasko>(platform);
        help = std::make_unique<TSugo>(platform);
        menu->setWindows(*task, *help);
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
    const MenuModel& model() const { return menu->model(); }

    QTemporaryDir dir;
    FakePlatform platform;
    std::unique_ptr<TMenuo> menu;
    std::unique_ptr<TTasko> task;
    std::unique_ptr<TSugo> help;
};

} // namespace kvizaro::test
