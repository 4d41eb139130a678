// Renders each window offscreen to a PNG per state, driving the real windows as a learner would.
// Usage: kvizaro-screens OUTPUT-FOLDER [CONTENT-FILE]   (default content: enhavo.adt in the working folder)
#include "application.h"
#include "fake_platform.h"
#include "gui.h"
#include "hiba.h"
#include "kvizaro.h"
#include "literoj.h"
#include "menuo.h"
#include "panel.h"
#include "readers.h"
#include "sugo.h"
#include "tasko.h"
#include "text.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <cstdio>

using namespace kvizaro;

namespace {

bool save(QWidget& window, const QDir& folder, const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

// The first entry of the menu that opens a sheet, as a slot digit on the first page.
int firstSheetSlot(const TMenuo& menu) {
    for (int entry = 1; entry <= std::min<int>(menu.model().EntryCount(), 7); ++entry) {
        if (menu.model().isSelectable(entry)) {
            return entry;
        }
    }
    return 0;
}

void answer(TTasko& task, const QString& text) {
    QLineEdit* box = task.answerBox();
    if (box == nullptr) {
        return;
    }
    box->setText(text);
    test::releaseKey(box, Qt::Key_Return);
}

// The rest of the sheet answered with its model answers, every fifth with its last letter left off.
void finishWithSlips(Kvizaro& windows) {
    const Drill& drill = windows.task().drill();
    const TaskSheet sheet = readTaskBlock(*drill.SheetLines(), drill.SheetBlockName());
    while (!drill.ended()) {
        std::string typed = sheet.items[drill.CurrentQuestion() - 1U].instruction;
        typed.resize(typed.size() - (drill.CurrentQuestion() % 5 == 3 && !typed.empty() ? 1 : 0));
        answer(windows.task(), fromLatin3(typed));
        test::releaseKey(&windows.notice(), Qt::Key_Return);
    }
}

bool renderAll(const QDir& folder, const std::filesystem::path& content) {
    test::FakePlatform platform;
    platform.screen = QSize(800, 600);
    Kvizaro windows(platform, content);
    windows.showMainWindow();
    if (!QTest::qWaitForWindowActive(&windows.menu())) {
        windows.menu().activateWindow();
    }
    bool ok = save(windows.menu(), folder, "main-menu");

    const int slot = firstSheetSlot(windows.menu());
    if (slot > 0) {
        windows.menu().MenuAction(static_cast<std::uint8_t>(slot));
        ok &= save(windows.task(), folder, "task-sheet-start");
        answer(windows.task(), QStringLiteral("saluton"));
        ok &= save(windows.notice(), folder, "notice");
        test::releaseKey(&windows.notice(), Qt::Key_Return);
        ok &= save(windows.task(), folder, "task-sheet-after-answer");
        finishWithSlips(windows);
        ok &= save(windows.task(), folder, "task-sheet-end-with-mistakes");
        test::click(test::control<Panel>(&windows.task(), "Attekintes"));
        ok &= save(windows.help(), folder, "mistakes");
    }
    windows.menu().MenuAction(51);
    ok &= save(windows.help(), folder, "help");
    windows.wizard().show();
    ok &= save(windows.wizard(), folder, "wizard");
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc < 2) {
        std::fprintf(stderr, "usage: kvizaro-screens OUTPUT-FOLDER [CONTENT-FILE]\n");
        return 2;
    }
    test::FakePlatform errors;
    KvizaroApplication application(argc, argv, errors);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 2;
    }
    const std::filesystem::path content = argc > 2 ? argv[2] : std::string(DefaultContentFile);
    return renderAll(folder, content) ? 0 : 1;
}
