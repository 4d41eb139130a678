// The three windows of a drill, wired the way the application wires them, for GUI tests.
#pragma once

#include "content_builder.h"
#include "fake_platform.h"
#include "gui.h"
#include "hiba.h"
#include "look.h"
#include "panel.h"
#include "sugo.h"
#include "tasko.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QtTest>

#include <string>
#include <vector>

namespace kvizaro::test {

struct TaskWindows {
    explicit TaskWindows(const std::vector<std::string>& content = {}) : lines(linesOf(content)) {
        task.setWindows(notice, help);
        QObject::connect(&notice, &THiba::dismissed, &task, &TTasko::returnFromNotice);
        task.show();
    }

    // What the main menu does when a sheet is chosen.
    void start(const std::string& block) {
        task.StartSheet(QStringLiteral("Proba"), block, lines);
        showWindow(&task);
        task.answerBox()->setFocus();
    }

    Panel* panel(const char* name) const { return control<Panel>(&task, name); }
    QString caption(const char* name) const { return panel(name)->caption(); }
    QLineEdit* answerBox() const { return task.answerBox(); }

    void typeAndEnter(const QString& answer) {
        answerBox()->setText(answer);
        releaseKey(answerBox(), Qt::Key_Return);
    }
    void typeAndClick(const QString& answer) {
        answerBox()->setText(answer);
        QTest::mouseClick(panel("Sekva"), Qt::LeftButton);
    }
    void clickOk() { QTest::mouseClick(control<Panel>(&notice, "EnOrdo"), Qt::LeftButton); }

    FakePlatform platform;
    ContentLines lines;
    TTasko task{platform};
    THiba notice{platform};
    TSugo help{platform};
};

} // namespace kvizaro::test
