#include "task_windows.h"

#include <QRandomGenerator>

using namespace kvizaro;
using namespace kvizaro::test;

namespace {

std::vector<std::string> randomContent() {
    std::vector<std::string> content{"#Menuo",          "#kurta",        "[tasko]",   "Demando=\"unu\"",
                                     "Instruo=\"unu\"", "Solvo=\"unu\"", "[tasko]",   "Demando=\"du\"",
                                     "Solvo=\"du\"",    "Solvo=\"cxu\"", "#malplena", "Demando=\"neniam\"",
                                     "#granda"};
    for (int i = 0; i < 230; ++i) {
        content.push_back("[tasko]");
        content.push_back("Demando=\"" + std::to_string(i) + "\"");
        content.push_back("Solvo=\"" + std::to_string(i % 7) + "\"");
    }
    content.insert(content.end(), {"#tajpado", "cx gx", "", "#"});
    return content;
}

// One user action, chosen among everything the three windows react to; only windows on screen receive
// anything, as with a real window system.
void act(TaskWindows& w, QRandomGenerator& random) {
    static const char* const taskControls[] = {"Pleto",    "Sekva",   "Eliro",  "ELiteroj", "Valasz",
                                               "Progreso", "Rezulto", "Kerdes", "TSumo"};
    static const char* const sheets[] = {"kurta", "malplena", "granda", "nenia"};
    static const QString answers[] = {QString(),
                                      QStringLiteral("unu"),
                                      QStringLiteral("du"),
                                      QStringLiteral("ĉu"),
                                      QStringLiteral(" ?!"),
                                      QStringLiteral("3"),
                                      QString(300, QLatin1Char('x')),
                                      QStringLiteral("\u2713")};
    const bool held = random.bounded(5) == 0;
    switch (random.bounded(12)) {
    case 0:
        if (!w.task.isVisible() && !w.notice.isVisible()) {
            w.start(sheets[random.bounded(4)]);
        }
        break;
    case 1:
    case 2:
        if (w.task.isVisible()) {
            w.answerBox()->setText(answers[random.bounded(8)]);
            releaseKey(w.answerBox(), Qt::Key_Return, held);
        }
        break;
    case 3:
        // Leaving is rare, so that the walk also goes deep into the largest sheet.
        if (w.task.isVisible() && w.panel("Ismetles")->isVisible() && random.bounded(2) == 0) {
            releaseKey(w.panel("Ismetles"), Qt::Key_Return, held);
        } else if (w.task.isVisible() && !w.answerBox()->isVisible()) {
            QTest::mouseClick(w.panel("Eliro"), Qt::LeftButton);
        } else if (w.task.isVisible() && random.bounded(10) == 0) {
            releaseKey(w.answerBox(), Qt::Key_Escape, held);
        }
        break;
    case 4:
    case 5:
        if (w.task.isVisible()) {
            const char* const button = taskControls[random.bounded(20) == 0 ? 2 : 1 + 2 * random.bounded(2)];
            QTest::mouseClick(w.panel(button), Qt::LeftButton);
        }
        break;
    case 6:
        if (w.task.isVisible()) {
            hover(w.task.findChild<QWidget*>(QString::fromLatin1(taskControls[random.bounded(9)])));
        }
        break;
    case 7:
        if (w.notice.isVisible()) {
            const int keys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space};
            releaseKey(&w.notice, keys[random.bounded(3)], held);
        }
        break;
    case 8:
        if (w.notice.isVisible()) {
            random.bounded(2) == 0 ? w.clickOk() : void(w.notice.close());
        }
        break;
    case 9:
        if (w.help.isVisible()) {
            QTest::mouseClick(control<Panel>(&w.help, "Eliro"), Qt::LeftButton);
        }
        break;
    case 10:
        if (w.help.isVisible()) {
            hover(random.bounded(2) == 0 ? static_cast<QWidget*>(&w.help) : control<Panel>(&w.help, "Eliro"));
        }
        break;
    default:
        if (w.task.isVisible()) {
            pressKey(w.answerBox(), Qt::Key_A, QStringLiteral("a"), held);
        }
        break;
    }
}

} // namespace

class TestTaskRandom : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void randomUseKeepsTheCountersInOrder() {
        TaskWindows w(randomContent());
        QRandomGenerator random(20240611);
        int ended = 0;
        int notices = 0;
        int furthest = 0;
        for (int step = 0; step < 20000; ++step) {
            act(w, random);
            const int right = w.task.drill().RightCount();
            const int current = w.task.drill().CurrentQuestion();
            const int count = w.task.drill().QuestionCount();
            if (!(right <= current && current <= count && count <= 200)) {
                QFAIL(qPrintable(QStringLiteral("step %1: %2 right, question %3 of %4")
                                     .arg(step)
                                     .arg(right)
                                     .arg(current)
                                     .arg(count)));
            }
            // The notice and a usable task sheet never stand side by side; the window shows the drill's
            // state.
            QCOMPARE(w.notice.isVisible(), !w.task.isEnabled());
            QCOMPARE(w.notice.isVisible(), w.task.drill().state() == DrillState::Notice);
            QCOMPARE(w.answerBox()->isVisibleTo(&w.task), !w.task.drill().ended());
            QCOMPARE(w.panel("Ismetles")->isVisibleTo(&w.task), w.task.drill().offersRepeat());
            if (w.notice.isVisible()) {
                QVERIFY(!w.task.isVisible());
            }
            ended += w.task.isVisible() && !w.answerBox()->isVisible() ? 1 : 0;
            notices += w.notice.isVisible() ? 1 : 0;
            furthest = std::max(furthest, current);
        }
        // The walk reached every state: ended sheets, notices and deep into the largest sheet.
        QVERIFY(ended > 0);
        QVERIFY(notices > 0);
        QVERIFY(furthest > 50);
    }
};

QTEST_MAIN(TestTaskRandom)
#include "tst_task_random.moc"
