#include "sheet_content.h"
#include "task_windows.h"

#include "answer_feedback.h"
#include "caption_marks.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalSpy>

using namespace kvizaro;
using namespace kvizaro::test;

namespace {

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Answers one by one, dismissing every notice with "Ok".
void answerAll(TaskWindows& w, const QStringList& answers) {
    for (const QString& answer : answers) {
        w.typeAndEnter(answer);
        if (w.notice.isVisible()) {
            w.clickOk();
        }
    }
}

// Pixels of the panel as drawn that are within a few steps of `colour`.
int pixelsNear(QWidget* panel, const QColor& colour) {
    const QImage image = panel->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += qAbs(pixel.red() - colour.red()) + qAbs(pixel.green() - colour.green()) +
                                 qAbs(pixel.blue() - colour.blue()) <=
                             30
                         ? 1
                         : 0;
        }
    }
    return count;
}

// Types each character as a keyboard with that letter sends it: a press and a release carrying the text.
// (QTest::keyClicks only knows ASCII.)
void typeLetters(QWidget* target, const QString& letters) {
    for (const QChar letter : letters) {
        const int key = letter.unicode() < 0x80 ? letter.toUpper().unicode() : int(Qt::Key_unknown);
        pressKey(target, key, QString(letter));
        releaseKey(target, key, false, QString(letter));
    }
}

} // namespace

class TestTasko : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // After every step of a sheet answered right, wrong and empty: what each display shows.
    void sheetShowsTheFeedbackOfEveryStep_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("byClick");
        QTest::addColumn<QString>("kerdes");
        QTest::addColumn<QString>("demando");
        QTest::addColumn<QString>("respondo");
        QTest::addColumn<QString>("solvo");
        QTest::addColumn<QString>("gxusta");
        QTest::addColumn<QString>("sumo");
        QTest::addColumn<QString>("rezulto");
        QTest::addColumn<QColor>("colour"); // invalid: Rezulto hidden
        QTest::addColumn<int>("progress");
        QTest::addColumn<bool>("ended");
        QTest::addColumn<bool>("notice");

        const QString right = text(" Gratulálok, a válasz helyes!");
        const QString wrong = text(" Sajnos rosszul válaszoltál!");
        QTest::newRow("started") << QStringList{} << false << text(" Jó napot!") << QString() << QString()
                                 << QString() << QString()
                                 << text("Eddig: 0 kérdés, 0 jó válasz, 0 rossz válasz") << QString()
                                 << QColor() << 0 << false << false;
        QTest::newRow("first-right") << QStringList{text("saluton")} << false << text(" Hogy vagy?")
                                     << text(" Jó napot!") << text(" saluton") << text(" Bonan tagon!")
                                     << right << text("Eddig: 1 kérdés, 1 jó válasz, 0 rossz válasz")
                                     << text("Eredményesség: 100 %") << QColor(55, 255, 0) << 33 << false
                                     << false;
        QTest::newRow("second-wrong")
            << QStringList{text("saluton"), text("cxu vi")} << false << text(" három") << text(" Hogy vagy?")
            << text(" ĉu vi") << text(" Ĉu vi fartas bone?") << wrong
            << text("Eddig: 2 kérdés, 1 jó válasz, 1 rossz válasz") << text("Eredményesség: 50 %")
            << QColor(255, 255, 0) << 66 << false << true;
        QTest::newRow("third-empty") << QStringList{text("saluton"), text("cxu vi"), QString()} << false
                                     << text(" három") << text(" három") << text(" ") << text(" tri") << wrong
                                     << text("Eddig: 3 kérdés, 1 jó válasz, 2 rossz válasz")
                                     << text("Eredményesség: 33 %") << QColor(255, 187, 0) << 100 << true
                                     << true;
        QTest::newRow("all-right-by-click")
            << QStringList{text("Bonan tagon"), text("CXU VI FARTAS BONE"), text("Tri.")} << true
            << text(" három") << text(" három") << text(" Tri.") << text(" tri") << right
            << text("Eddig: 3 kérdés, 3 jó válasz, 0 rossz válasz") << text("Eredményesség: 100 %")
            << QColor(55, 255, 0) << 100 << true << false;
        QTest::newRow("real-letters-typed")
            << QStringList{text("Saluton!"), text("Ĉu vi fartas bone?")} << false << text(" három")
            << text(" Hogy vagy?") << text(" Ĉu vi fartas bone?") << text(" Ĉu vi fartas bone?") << right
            << text("Eddig: 2 kérdés, 2 jó válasz, 0 rossz válasz") << text("Eredményesség: 100 %")
            << QColor(55, 255, 0) << 66 << false << false;
        QTest::newRow("first-wrong-by-click")
            << QStringList{text("Szia")} << true << text(" Hogy vagy?") << text(" Jó napot!") << text(" Szia")
            << text(" Bonan tagon!") << wrong << text("Eddig: 1 kérdés, 0 jó válasz, 1 rossz válasz")
            << text("Eredményesség: 0 %") << QColor(255, 55, 0) << 33 << false << true;
    }
    void sheetShowsTheFeedbackOfEveryStep() {
        QFETCH(QStringList, answers);
        QFETCH(bool, byClick);
        TaskWindows w(SheetContent);
        w.start("proba");
        for (const QString& answer : answers) {
            if (w.notice.isVisible()) {
                w.clickOk();
            }
            byClick ? w.typeAndClick(answer) : w.typeAndEnter(answer);
            QVERIFY(w.answerBox()->text().isEmpty());
        }
        QTEST(w.caption("Kerdes"), "kerdes");
        QTEST(w.caption("Demando"), "demando");
        QTEST(w.caption("Respondo"), "respondo");
        QTEST(w.caption("Solvo"), "solvo");
        QTEST(w.caption("Gxusta"), "gxusta");
        QTEST(w.caption("TSumo"), "sumo");
        QTEST(w.caption("TRezulto"), "rezulto");
        QFETCH(QColor, colour);
        QCOMPARE(w.panel("Rezulto")->isVisibleTo(&w.task), colour.isValid());
        if (colour.isValid()) {
            QCOMPARE(w.panel("Rezulto")->color(), colour);
        }
        QTEST(control<QProgressBar>(&w.task, "Progreso")->value(), "progress");
        QFETCH(bool, ended);
        QCOMPARE(w.caption("Mesagxo"), ended ? text("V É G E !") : QString());
        QCOMPARE(w.panel("Ismetles")->isVisibleTo(&w.task), ended && w.task.drill().RightCount() < 3);
        for (const char* name : {"Kerdes", "TKerdes", "Valasz", "TValasz", "Sekva"}) {
            QWidget* asking = control<QWidget>(&w.task, name);
            QCOMPARE(asking->isVisibleTo(&w.task), !ended);
            QCOMPARE(asking->isEnabledTo(&w.task), !ended);
        }
        QFETCH(bool, notice);
        QCOMPARE(w.notice.isVisible(), notice);
        QCOMPARE(w.task.isVisible(), !notice);
        QCOMPARE(w.task.isEnabled(), !notice);
        QCOMPARE(int(w.task.drill().CurrentQuestion()), ended ? 3 : int(answers.size()) + 1);
    }

    void noticeIsDismissedByOkEnterEscapeAndClosing_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"ok", "enter", "escape", "close"}) {
            QTest::newRow(how) << QString::fromLatin1(how);
        }
    }
    void noticeIsDismissedByOkEnterEscapeAndClosing() {
        QFETCH(QString, how);
        TaskWindows w(SheetContent);
        w.start("proba");
        QSignalSpy closed(&w.task, &TTasko::sheetClosed);
        w.typeAndEnter(text("rossz"));
        QVERIFY(w.notice.isVisible());
        QVERIFY(w.notice.testAttribute(Qt::WA_WState_Visible));
        if (how == QLatin1String("ok")) {
            w.clickOk();
        } else if (how == QLatin1String("enter")) {
            releaseKey(&w.notice, Qt::Key_Return);
        } else if (how == QLatin1String("escape")) {
            releaseKey(&w.notice, Qt::Key_Escape);
        } else {
            w.notice.close();
        }
        QVERIFY(!w.notice.isVisible());
        QVERIFY(w.task.isVisible());
        QVERIFY(w.task.isEnabled());
        QCOMPARE(closed.count(), 0);
        QCOMPARE(w.caption("Kerdes"), text(" Hogy vagy?"));
        w.typeAndEnter(text("Kiel vi fartas"));
        QCOMPARE(int(w.task.drill().RightCount()), 1);
    }

    void noticeIgnoresOtherKeysAndHeldKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("autoRepeat");
        QTest::newRow("held-enter") << int(Qt::Key_Return) << true;
        QTest::newRow("held-escape") << int(Qt::Key_Escape) << true;
        QTest::newRow("space") << int(Qt::Key_Space) << false;
        QTest::newRow("letter") << int(Qt::Key_A) << false;
    }
    void noticeIgnoresOtherKeysAndHeldKeys() {
        QFETCH(int, key);
        QFETCH(bool, autoRepeat);
        TaskWindows w(SheetContent);
        w.start("proba");
        w.typeAndEnter(text("rossz"));
        releaseKey(&w.notice, key, autoRepeat);
        pressKey(&w.notice, Qt::Key_Return);
        QVERIFY(w.notice.isVisible());
        QVERIFY(!w.task.isVisible());
    }

    void enterThatRaisedTheNoticeDoesNotDismissIt() {
        TaskWindows w(SheetContent);
        w.start("proba");
        w.answerBox()->setText(text("rossz"));
        pressKey(w.answerBox(), Qt::Key_Return);
        releaseKey(w.answerBox(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(w.notice.isVisible());
        QCOMPARE(int(w.task.drill().CurrentQuestion()), 2);
        // The key held on repeats its release; the notice stays until a fresh release.
        releaseKey(&w.notice, Qt::Key_Return, true);
        QVERIFY(w.notice.isVisible());
        releaseKey(&w.notice, Qt::Key_Return);
        QVERIFY(!w.notice.isVisible());
        QCOMPARE(int(w.task.drill().CurrentQuestion()), 2);
    }

    void wrongLastAnswerShowsTheEndedSheetAfterTheNotice() {
        TaskWindows w(SheetContent);
        w.start("proba");
        w.typeAndEnter(text("saluton"));
        w.typeAndEnter(text("kiel vi fartas"));
        w.typeAndEnter(text("kvar"));
        QVERIFY(w.notice.isVisible());
        QCOMPARE(w.caption("Mesagxo"), text("V É G E !"));
        releaseKey(&w.notice, Qt::Key_Escape);
        QVERIFY(w.task.isVisible());
        QCOMPARE(w.caption("Mesagxo"), text("V É G E !"));
        QVERIFY(!w.answerBox()->isVisible());
        QCOMPARE(w.caption("TSumo"), text("Eddig: 3 kérdés, 2 jó válasz, 1 rossz válasz"));
    }

    // After a run with wrong answers: their list, and a round of exactly those questions.
    void endStateRepeatsTheWrongAnswers() {
        TaskWindows w(SheetContent);
        w.start("proba");
        QSignalSpy closed(&w.task, &TTasko::sheetClosed);
        answerAll(w, {text("saluton"), text("rossz"), text("cxu")});
        Panel* repeat = w.panel("Ismetles");
        QCOMPARE(repeat->caption(), text("Hibásak újra (2)"));
        QVERIFY(w.panel("Attekintes")->isVisible());
        releaseKey(repeat, Qt::Key_Escape);
        QCOMPARE(closed.count(), 0);
        QTest::mouseClick(w.panel("Attekintes"), Qt::LeftButton);
        QCOMPARE(
            control<QPlainTextEdit>(&w.help, "Teksto")->toPlainText(),
            text("Hogy vagy? – te: rossz – helyesen: Ĉu vi fartas bone?\nhárom – te: ĉu – helyesen: tri"));
        releaseKey(repeat, Qt::Key_Return);
        QCOMPARE(w.caption("Titolo"), text("Proba – ismétlés"));
        QCOMPARE(w.caption("TSumo"), text("Eddig: 0 kérdés, 0 jó válasz, 0 rossz válasz"));
        QCOMPARE(control<QProgressBar>(&w.task, "Progreso")->value(), 0);
        QVERIFY(!w.panel("Rezulto")->isVisibleTo(&w.task) && !repeat->isVisibleTo(&w.task));
        QCOMPARE(w.task.focusWidget(), w.answerBox());
        QCOMPARE(w.caption("Kerdes"), text(" Hogy vagy?"));
        w.start("proba");
        QCOMPARE(w.caption("Titolo"), text("Proba"));
    }

    void endedSheetIgnoresEscapeAndLeavesByTheBackButton() {
        TaskWindows w(SheetContent);
        w.start("alia");
        QSignalSpy closed(&w.task, &TTasko::sheetClosed);
        w.typeAndEnter(text("nenio"));
        QCOMPARE(w.caption("Mesagxo"), text("V É G E !"));
        releaseKey(w.answerBox(), Qt::Key_Escape);
        releaseKey(w.answerBox(), Qt::Key_Return);
        QCOMPARE(closed.count(), 0);
        QVERIFY(w.task.isVisible());
        QCOMPARE(int(w.task.drill().CurrentQuestion()), 1);
        QTest::mouseClick(w.panel("Eliro"), Qt::LeftButton);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!w.task.isVisible());
    }

    void escapeOrBackButtonClosesTheSheet_data() {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("escape") << true;
        QTest::newRow("back-button") << false;
    }
    void escapeOrBackButtonClosesTheSheet() {
        QFETCH(bool, byEscape);
        TaskWindows w(SheetContent);
        w.start("proba");
        QSignalSpy closed(&w.task, &TTasko::sheetClosed);
        w.typeAndEnter(text("saluton"));
        if (byEscape) {
            releaseKey(w.answerBox(), Qt::Key_Escape);
        } else {
            QTest::mouseClick(w.panel("Eliro"), Qt::LeftButton);
        }
        QCOMPARE(closed.count(), 1);
        QVERIFY(!w.task.isVisible());
        QCOMPARE(int(w.task.drill().CurrentQuestion()), 2);
        QCOMPARE(int(w.task.drill().RightCount()), 1);
    }

    void heldKeysInTheAnswerBoxDoNothing() {
        TaskWindows w(SheetContent);
        w.start("proba");
        QSignalSpy closed(&w.task, &TTasko::sheetClosed);
        w.answerBox()->setText(text("saluton"));
        releaseKey(w.answerBox(), Qt::Key_Return, true);
        releaseKey(w.answerBox(), Qt::Key_Escape, true);
        releaseKey(w.answerBox(), Qt::Key_A);
        QCOMPARE(int(w.task.drill().CurrentQuestion()), 1);
        QCOMPARE(w.answerBox()->text(), text("saluton"));
        QCOMPARE(closed.count(), 0);
        QVERIFY(w.task.isVisible());
    }

    void longAnswersAreKeptAndComparedWhole() {
        // Longer than a line edit's default limit, and the accepted answer at its very end.
        const std::string solution(40000, 'a');
        TaskWindows w({"#longa", "[tasko]", "Demando=\"q\"", "Instruo=\"a\"", "Solvo=\"" + solution + "\"",
                       "[tasko]", "Demando=\"q2\"", "#"});
        w.start("longa");
        w.typeAndEnter(QString(40000, QLatin1Char('a')));
        QCOMPARE(int(w.task.drill().RightCount()), 1);
        QCOMPARE(w.caption("Respondo").size(), 40001);
    }

    // Hungarian answers: the lesson source stores them as Windows-1250 bytes, and the answer box must turn
    // each letter typed into the same byte (0xF5 0xFB 0xD5 0xDB for ő ű Ő Ű, where Latin-3 has other
    // letters). Case only folds for ASCII, so an accented capital matches only itself.
    void hungarianLettersTypedMatchTheStoredAnswer_data() {
        QTest::addColumn<QByteArray>("solution");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");

        QTest::newRow("o-double-acute") << QByteArray("\xF5sz") << text("ősz") << true;
        QTest::newRow("u-double-acute") << QByteArray("t\xFBz") << text("tűz") << true;
        QTest::newRow("capital-o-double-acute") << QByteArray("\xD5k") << text("Ők") << true;
        QTest::newRow("capital-u-double-acute") << QByteArray("\xDBr") << text("Űr") << true;
        QTest::newRow("a-acute") << QByteArray("\xE1gy") << text("ágy") << true;
        QTest::newRow("e-acute") << QByteArray("\xE9v") << text("év") << true;
        QTest::newRow("i-acute") << QByteArray("\xEDj") << text("íj") << true;
        QTest::newRow("o-acute") << QByteArray("\xF3ra") << text("óra") << true;
        QTest::newRow("o-umlaut") << QByteArray("\xF6t") << text("öt") << true;
        QTest::newRow("u-acute") << QByteArray("\xFAr") << text("úr") << true;
        QTest::newRow("u-umlaut") << QByteArray("\xFCl") << text("ül") << true;
        QTest::newRow("capital-a-acute") << QByteArray("\xC1gy") << text("Ágy") << true;
        QTest::newRow("capital-e-acute") << QByteArray("\xC9v") << text("Év") << true;
        QTest::newRow("capital-i-acute") << QByteArray("\xCDj") << text("Íj") << true;
        QTest::newRow("capital-o-acute") << QByteArray("\xD3ra") << text("Óra") << true;
        QTest::newRow("capital-o-umlaut") << QByteArray("\xD6t") << text("Öt") << true;
        QTest::newRow("capital-u-acute") << QByteArray("\xDAr") << text("Úr") << true;
        QTest::newRow("capital-u-umlaut") << QByteArray("\xDCl") << text("Ül") << true;
        QTest::newRow("sentence") << QByteArray("K\xF6sz\xF6n\xF6m sz\xE9pen!") << text("köszönöm  szépen")
                                  << true;
        QTest::newRow("all-letters") << QByteArray("\xE1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p")
                                     << text("árvíztűrő tükörfúrógép") << true;
        QTest::newRow("small-for-capital") << QByteArray("\xD5k") << text("ők") << false;
        QTest::newRow("capital-for-small") << QByteArray("\xE9v") << text("Év") << false;
        QTest::newRow("ascii-capitals-fold") << QByteArray("K\xE9k") << text("KéK") << true;
        QTest::newRow("without-accent") << QByteArray("\xF6t") << text("ot") << false;
        QTest::newRow("o-umlaut-for-double-acute") << QByteArray("\xF5sz") << text("ösz") << false;
        QTest::newRow("o-tilde-lookalike") << QByteArray("\xF5sz") << text("õsz") << false;
        QTest::newRow("u-circumflex-lookalike") << QByteArray("t\xFBz") << text("tûz") << false;
    }
    void hungarianLettersTypedMatchTheStoredAnswer() {
        QFETCH(QByteArray, solution);
        QFETCH(QString, typed);
        TaskWindows w({"#magyar", "[tasko]", "Demando=\"q\"", "Instruo=\"" + solution.toStdString() + "\"",
                       "Solvo=\"" + solution.toStdString() + "\"", "#"});
        w.start("magyar");
        typeLetters(w.answerBox(), typed);
        QCOMPARE(w.answerBox()->text(), typed);
        releaseKey(w.answerBox(), Qt::Key_Return);
        QTEST(w.task.drill().RightCount() == 1, "right");
        QCOMPARE(w.caption("Respondo"), QLatin1Char(' ') + typed);
    }

    void restartAfterAnEndedSheetBeginsAnew() {
        TaskWindows w(SheetContent);
        w.start("alia");
        w.typeAndEnter(text("rossz"));
        w.clickOk();
        QTest::mouseClick(w.panel("Eliro"), Qt::LeftButton);
        w.start("proba");
        QCOMPARE(int(w.task.drill().CurrentQuestion()), 1);
        QCOMPARE(int(w.task.drill().QuestionCount()), 3);
        QCOMPARE(int(w.task.drill().RightCount()), 0);
        QCOMPARE(w.caption("Mesagxo"), QString());
        for (const char* feedback : {"Gxusta", "Demando", "Respondo", "Solvo", "TRezulto"}) {
            QCOMPARE(w.caption(feedback), QString());
        }
        QVERIFY(!w.panel("Rezulto")->isVisibleTo(&w.task));
        QCOMPARE(control<QProgressBar>(&w.task, "Progreso")->value(), 0);
        for (const char* name : {"Kerdes", "TKerdes", "Valasz", "TValasz", "Sekva"}) {
            QVERIFY(control<QWidget>(&w.task, name)->isVisible());
            QVERIFY(control<QWidget>(&w.task, name)->isEnabled());
        }
        QCOMPARE(w.caption("Kerdes"), text(" Jó napot!"));
        QCOMPARE(w.caption("Titolo"), text("Proba"));
    }

    void sheetWithoutQuestionsEndsAtOnce() {
        TaskWindows w(SheetContent);
        w.start("ne-demandoj");
        QCOMPARE(int(w.task.drill().QuestionCount()), 0);
        QCOMPARE(w.caption("Mesagxo"), text("V É G E !"));
        QCOMPARE(w.caption("TSumo"), text("Eddig: 0 kérdés, 0 jó válasz, 0 rossz válasz"));
        QCOMPARE(control<QProgressBar>(&w.task, "Progreso")->value(), 0);
        QVERIFY(!w.panel("Rezulto")->isVisibleTo(&w.task));
        QCOMPARE(w.caption("TRezulto"), QString());
        QVERIFY(!w.answerBox()->isVisible());
    }

    void questionWithoutDemandoShowsNothingOfAnEarlierSheet() {
        TaskWindows w(SheetContent);
        w.start("proba");
        w.start("alia");
        QCOMPARE(w.caption("Kerdes"), text(" "));
        w.typeAndEnter(text("nenio"));
        QCOMPARE(w.caption("Demando"), text(" "));
        QCOMPARE(w.caption("Solvo"), text(" nenio"));
    }

    void useBeforeAnySheetEndsAtOnce() {
        TaskWindows w(SheetContent);
        QCOMPARE(w.caption("Titolo"), text("Titolo"));
        QCOMPARE(w.caption("TSumo"), text("Eddig: 0 kérdés, 0 jó válasz, 0 rossz válasz."));
        QCOMPARE(control<QProgressBar>(&w.task, "Progreso")->value(), 50);
        w.typeAndEnter(text("io"));
        QCOMPARE(w.caption("Mesagxo"), text("V É G E !"));
        QCOMPARE(w.caption("TSumo"), text("Eddig: 0 kérdés, 0 jó válasz, 0 rossz válasz"));
        QVERIFY(!w.notice.isVisible());
        QCOMPARE(int(w.task.drill().CurrentQuestion()), 0);
        QTest::mouseClick(w.panel("ELiteroj"), Qt::LeftButton);
        QVERIFY(w.help.isVisible());
        QCOMPARE(control<QPlainTextEdit>(&w.help, "Teksto")->toPlainText(), QString());
    }

    void lettersButtonShowsTheTypingHelp() {
        TaskWindows w(SheetContent);
        w.start("proba");
        QTest::mouseClick(w.panel("ELiteroj"), Qt::LeftButton);
        QVERIFY(w.help.isVisible());
        QVERIFY(w.task.isEnabled());
        QCOMPARE(control<QPlainTextEdit>(&w.help, "Teksto")->toPlainText(),
                 text("A kalapos betűk: cx gx hx jx sx ux\n\nVege."));
        w.typeAndEnter(text("saluton"));
        QCOMPARE(int(w.task.drill().RightCount()), 1);
    }

    void hoverHighlightsOneButtonAtATime_data() {
        QTest::addColumn<QStringList>("path");  // controls the mouse crosses, in order
        QTest::addColumn<QList<int>>("bevels"); // Eliro, Sekva, ELiteroj
        QTest::addColumn<QList<QColor>>("colours");
        const QColor face = systemColour(SystemColour::ButtonFace);
        QTest::newRow("next") << QStringList{QStringLiteral("Sekva")} << QList<int>{1, 2, 1}
                              << QList<QColor>{face, QColor(0, 255, 255), face};
        QTest::newRow("back") << QStringList{QStringLiteral("Eliro")} << QList<int>{2, 1, 1}
                              << QList<QColor>{QColor(255, 255, 0), face, face};
        QTest::newRow("letters") << QStringList{QStringLiteral("ELiteroj")} << QList<int>{1, 1, 2}
                                 << QList<QColor>{face, face, QColor(0, 255, 0)};
        QTest::newRow("background-resets") << QStringList{QStringLiteral("Sekva"), QStringLiteral("Pleto")}
                                           << QList<int>{1, 1, 1} << QList<QColor>{face, face, face};
        QTest::newRow("controls-without-handler-keep-it")
            << QStringList{QStringLiteral("Eliro"),  QStringLiteral("RTablo"),   QStringLiteral("Rezulto"),
                           QStringLiteral("Valasz"), QStringLiteral("Progreso"), QStringLiteral("TSumo")}
            << QList<int>{2, 1, 1} << QList<QColor>{QColor(255, 255, 0), face, face};
        QTest::newRow("from-button-to-button")
            << QStringList{QStringLiteral("Eliro"), QStringLiteral("Sekva")} << QList<int>{1, 2, 1}
            << QList<QColor>{face, QColor(0, 255, 255), face};
    }
    void hoverHighlightsOneButtonAtATime() {
        QFETCH(QStringList, path);
        QFETCH(QList<int>, bevels);
        QFETCH(QList<QColor>, colours);
        TaskWindows w(SheetContent);
        w.start("proba");
        for (const QString& name : path) {
            hover(w.task.findChild<QWidget*>(name));
        }
        const char* buttons[] = {"Eliro", "Sekva", "ELiteroj"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(w.panel(buttons[i])->bevelWidth(), bevels[i]);
            QCOMPARE(w.panel(buttons[i])->color(), colours[i]);
        }
    }

    // After the answers (every notice dismissed), what the two answer panels mark, by characters of their
    // captions, and tell screen readers; the captions stay the plain texts.
    void answerPanelsMarkTheLastWrongAnswer_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("restart");
        QTest::addColumn<QString>("respondo");
        QTest::addColumn<QList<int>>("respondoDiffering");
        QTest::addColumn<QList<int>>("respondoMissing");
        QTest::addColumn<QString>("respondoDescription");
        QTest::addColumn<QString>("solvo");
        QTest::addColumn<QList<int>>("solvoDiffering");
        QTest::addColumn<QString>("solvoDescription");

        const QList<int> none;
        QTest::newRow("accusative-missing")
            << QStringList{QStringLiteral("Bona tago")} << false << QStringLiteral(" Bona tago") << none
            << QList<int>{5, 10} << QStringLiteral("Hiányzik valami: „Bona” után, „tago” után.")
            << QStringLiteral(" Bonan tagon!") << QList<int>{5, 6, 11, 12}
            << QStringLiteral("Eltér: „n”, „n”.");
        QTest::newRow("hat-letter-typed-as-x")
            << QStringList{QStringLiteral("saluton"), QStringLiteral("cxu vi fartis bone")} << false
            << QStringLiteral(" ĉu vi fartis bone") << QList<int>{11, 12} << none
            << QStringLiteral("Eltér: „i”.") << QStringLiteral(" Ĉu vi fartas bone?") << QList<int>{11, 12}
            << QStringLiteral("Eltér: „a”.");
        QTest::newRow("model-not-the-closest")
            << QStringList{QStringLiteral("saluton"), QStringLiteral("Kiel vi farta")} << false
            << QStringLiteral(" Kiel vi farta") << none << QList<int>{14}
            << QStringLiteral("Hiányzik valami: „farta” után.") << QStringLiteral(" Ĉu vi fartas bone?")
            << none << QString();
        QTest::newRow("right-answer-clears")
            << QStringList{QStringLiteral("Bona tago"), QStringLiteral("cxu vi fartas bone")} << false
            << QStringLiteral(" ĉu vi fartas bone") << none << none << QString()
            << QStringLiteral(" Ĉu vi fartas bone?") << none << QString();
        QTest::newRow("ended-keeps-the-last-wrong")
            << QStringList{QStringLiteral("saluton"), QStringLiteral("cxu vi fartas bone"),
                           QStringLiteral("tir")}
            << false << QStringLiteral(" tir") << QList<int>{2, 4} << none << QStringLiteral("Eltér: „ir”.")
            << QStringLiteral(" tri") << QList<int>{2, 4} << QStringLiteral("Eltér: „ri”.");
        QTest::newRow("new-sheet-clears") << QStringList{QStringLiteral("Bona tago")} << true << QString()
                                          << none << none << QString() << QString() << none << QString();
    }
    void answerPanelsMarkTheLastWrongAnswer() {
        QFETCH(QStringList, answers);
        QFETCH(QList<int>, respondoDiffering);
        QFETCH(QList<int>, respondoMissing);
        QFETCH(QList<int>, solvoDiffering);
        TaskWindows w(SheetContent);
        w.start("proba");
        answerAll(w, answers);
        QFETCH(bool, restart);
        if (restart) {
            w.start("proba");
        }
        Panel* respondo = w.panel("Respondo");
        Panel* solvo = w.panel("Solvo");
        QTEST(respondo->caption(), "respondo");
        QTEST(respondo->property("caption").toString(), "respondo");
        QCOMPARE(respondo->marks(), captionMarksOf(respondoDiffering, respondoMissing));
        QTEST(respondo->accessibleDescription(), "respondoDescription");
        QTEST(solvo->caption(), "solvo");
        QCOMPARE(solvo->marks(), captionMarksOf(solvoDiffering, {}));
        QTEST(solvo->accessibleDescription(), "solvoDescription");
    }

    // The marking reaches the pixels: underlines and carets in the mark colour, which reads at 4.5:1 on the
    // panel; without marking, that colour is nowhere in the panel.
    void markingIsDrawnInAReadableColour_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("respondoMarked");
        QTest::addColumn<bool>("solvoMarked");
        QTest::newRow("missing-endings") << QStringList{QStringLiteral("Bona tago")} << true << true;
        QTest::newRow("model-unmarked")
            << QStringList{QStringLiteral("saluton"), QStringLiteral("Kiel vi farta")} << true << false;
        QTest::newRow("right") << QStringList{QStringLiteral("saluton")} << false << false;
    }
    void markingIsDrawnInAReadableColour() {
        QFETCH(QStringList, answers);
        QFETCH(bool, respondoMarked);
        QFETCH(bool, solvoMarked);
        TaskWindows w(SheetContent);
        w.start("proba");
        answerAll(w, answers);
        for (const auto& [name, marked] :
             {std::pair("Respondo", respondoMarked), std::pair("Solvo", solvoMarked)}) {
            Panel* panel = w.panel(name);
            const QColor colour = markColour(panel->color());
            QVERIFY2(contrastRatio(colour, panel->color()) >= 4.5, name);
            QVERIFY2(contrastRatio(colour, panel->color()) < 21, name);
            QVERIFY2((pixelsNear(panel, colour) > 6) == marked,
                     qPrintable(QStringLiteral("%1: %2 pixels in the mark colour")
                                    .arg(QLatin1String(name))
                                    .arg(pixelsNear(panel, colour))));
        }
    }

    // The explanation stands in its own panel under the unchanged message, and every notice shows the one
    // of its own answer.
    void noticeExplainsTheMistake_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("explanation");
        QTest::newRow("accusative") << QStringList{QStringLiteral("Bona tago")}
                                    << QStringLiteral("Hiányzik a tárgyeset -n végződése.");
        QTest::newRow("hat-letter") << QStringList{QStringLiteral("saluton"),
                                                   QStringLiteral("cu vi fartas bone")}
                                    << QStringLiteral(
                                           "Az eszperantó betűt x-szel írd: cx = ĉ, gx = ĝ, hx = ĥ, jx = ĵ, "
                                           "sx = ŝ, ux = ŭ.");
        QTest::newRow("no-rule") << QStringList{QStringLiteral("zzzz")} << QString();
        QTest::newRow("no-rule-after-a-rule")
            << QStringList{QStringLiteral("Bona tago"), QStringLiteral("zzzz")} << QString();
    }
    void noticeExplainsTheMistake() {
        QFETCH(QStringList, answers);
        TaskWindows w(SheetContent);
        w.start("proba");
        answerAll(w, answers.mid(0, answers.size() - 1));
        w.typeAndEnter(answers.last());
        QVERIFY(w.notice.isVisible());
        Panel* explanation = control<Panel>(&w.notice, "Magyarazo");
        QTEST(explanation->caption(), "explanation");
        QTEST(explanation->accessibleName(), "explanation");
        QCOMPARE(control<Panel>(&w.notice, "Text")->caption(), text("Rosszul válaszoltál!"));
        QCOMPARE(control<Panel>(&w.notice, "EnOrdo")->caption(), text("Ok"));
        QCOMPARE(w.caption("Gxusta"), text(" Sajnos rosszul válaszoltál!"));
    }

    // Window font and text colour, centred, wrapped; the longest explanation fits the panel.
    void explanationPanelHasTheWindowLook() {
        TaskWindows w;
        Panel* explanation = control<Panel>(&w.notice, "Magyarazo");
        QCOMPARE(explanation->font().pixelSize(), 11);
        QCOMPARE(explanation->font().family(), text("MS Sans Serif"));
        QCOMPARE(explanation->fontColor(), systemColour(SystemColour::WindowText));
        QCOMPARE(explanation->bevelOuter(), Panel::None);
        QCOMPARE(explanation->alignment(), Qt::AlignCenter);
        QVERIFY(explanation->wordWrap());
        const QFontMetrics metrics(explanation->font());
        // Words named in a text are course words, none longer than 20 letters, here at their widest.
        const std::string word(20, 'm');
        for (int mistake = int(Mistake::AccusativeMissing); mistake <= int(Mistake::WordOrder); ++mistake) {
            const QString shown = QString::fromStdString(mistakeText({Mistake(mistake), word, word}));
            const QRect needed = metrics.boundingRect(QRect(0, 0, explanation->width() - 4, 1000),
                                                      Qt::AlignCenter | Qt::TextWordWrap, shown);
            QVERIFY2(needed.height() <= explanation->height(),
                     qPrintable(QStringLiteral("%1 needs %2 pixels").arg(shown).arg(needed.height())));
        }
    }

    void formPlacesEveryControl_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        const std::pair<const char*, QRect> tasko[] = {
            {"Pleto", {0, 0, 640, 480}},       {"Titolo", {10, 10, 620, 35}},
            {"Progreso", {200, 450, 300, 20}}, {"RTablo", {200, 395, 300, 45}},
            {"Rezulto", {3, 3, 294, 41}},      {"TRezulto", {10, 395, 180, 45}},
            {"TSumo", {200, 340, 300, 45}},    {"Demando", {130, 55, 500, 35}},
            {"TDemando", {10, 55, 110, 35}},   {"TRespondo", {10, 100, 110, 35}},
            {"TSolvo", {10, 145, 110, 35}},    {"Gxusta", {130, 190, 500, 35}},
            {"TGxusta", {10, 190, 110, 35}},   {"Linio1", {10, 233, 620, 4}},
            {"Kerdes", {100, 245, 530, 35}},   {"TKerdes", {10, 245, 80, 35}},
            {"TValasz", {10, 290, 80, 30}},    {"Linio2", {10, 328, 620, 4}},
            {"Sekva", {510, 340, 120, 45}},    {"Eliro", {510, 395, 120, 45}},
            {"Mesagxo", {10, 340, 180, 45}},   {"Respondo", {130, 100, 500, 35}},
            {"Solvo", {130, 145, 500, 35}},    {"Valasz", {100, 290, 530, 26}},
            {"ELiteroj", {510, 450, 120, 20}}, {"Panel1", {10, 450, 180, 20}},
        };
        for (const auto& [name, rect] : tasko) {
            QTest::addRow("Tasko-%s", name) << QStringLiteral("Tasko") << QString::fromLatin1(name) << rect;
        }
        QTest::newRow("Hiba-Text") << QStringLiteral("Hiba") << QStringLiteral("Text")
                                   << QRect(10, 4, 372, 36);
        QTest::newRow("Hiba-Magyarazo")
            << QStringLiteral("Hiba") << QStringLiteral("Magyarazo") << QRect(10, 40, 372, 28);
        QTest::newRow("Hiba-EnOrdo") << QStringLiteral("Hiba") << QStringLiteral("EnOrdo")
                                     << QRect(10, 70, 372, 30);
    }
    void formPlacesEveryControl() {
        QFETCH(QString, window);
        QFETCH(QString, name);
        TaskWindows w;
        QWidget* form = window == QLatin1String("Tasko") ? static_cast<QWidget*>(&w.task) : &w.notice;
        QCOMPARE(form->objectName(), window);
        QWidget* widget = form->findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        QTEST(widget->geometry(), "geometry");
    }

    // After every answer the control that holds the focus is described by the verdict and what comes next:
    // the answer box while questions remain, the button that leads on at the end. While the answer box
    // keeps the focus, a notification appears with the same words.
    void answerIsAnnounced_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<bool>("notified");
        const QStringList rightAnswers{text("Saluton!"), text("Kiel vi fartas?"), text("tri")};
        QTest::newRow("right") << rightAnswers.mid(0, 1) << true << "Valasz" << true;
        QTest::newRow("wrong") << QStringList{text("rossz")} << false << "Valasz" << false;
        QTest::newRow("last-right") << rightAnswers << true << "Eliro" << false;
        QTest::newRow("last-wrong") << rightAnswers.mid(0, 2) + QStringList{text("kvar")} << false
                                    << "Ismetles" << false;
    }
    void answerIsAnnounced() {
        QFETCH(QStringList, answers);
        QFETCH(bool, right);
        QFETCH(bool, notified);
        TaskWindows w(SheetContent);
        w.start("proba");
        auto* announcer = control<QWidget>(&w.task, "Bejelento");
        QVERIFY(announcer != nullptr);
        QCOMPARE(QAccessible::queryAccessibleInterface(announcer)->role(), QAccessible::Notification);
        answerAll(w, answers);
        QWidget* focus = w.task.focusWidget();
        QVERIFY(focus != nullptr);
        QTEST(focus->objectName(), "focused");
        const QString announcement = focus->accessibleDescription();
        QVERIFY(announcement.contains(QString::fromStdString(verdictText(right)).trimmed()));
        QVERIFY(announcement.contains(w.caption(w.task.drill().ended() ? "Mesagxo" : "Kerdes").trimmed()));
        QCOMPARE(announcer->isVisible(), notified);
        QVERIFY(!notified || announcer->accessibleName() == announcement);
    }

    void noticeIsAnAlertWithOkFocused() {
        TaskWindows w(SheetContent);
        w.start("proba");
        w.typeAndEnter(text("rossz"));
        QAccessibleInterface* notice = QAccessible::queryAccessibleInterface(&w.notice);
        QCOMPARE(notice->role(), QAccessible::AlertMessage);
        QCOMPARE(notice->text(QAccessible::Name), w.notice.windowTitle());
        const QString description = notice->text(QAccessible::Description);
        QVERIFY(description.startsWith(control<Panel>(&w.notice, "Text")->caption()));
        QVERIFY(description.endsWith(control<Panel>(&w.notice, "Magyarazo")->caption()));
        QCOMPARE(w.notice.focusWidget(), control<Panel>(&w.notice, "EnOrdo"));
    }

    void windowsHaveTheirFrameAndLook() {
        TaskWindows w(SheetContent);
        QCOMPARE(w.task.size(), QSize(640, 480));
        QVERIFY(w.task.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(w.panel("ELiteroj")->toolTip(), text("Eszperantó betűk begépelése..."));
        QCOMPARE(w.panel("Mesagxo")->fontColor(), QColor(255, 0, 0));
        QCOMPARE(w.panel("Titolo")->font().pixelSize(), 19);
        QVERIFY(w.panel("Titolo")->font().bold());
        QCOMPARE(w.answerBox()->font().family(), text("Esperanto L3 Sans Serif"));
        QCOMPARE(w.answerBox()->font().pixelSize(), 16);
        QCOMPARE(w.panel("Kerdes")->color(), systemColour(SystemColour::AppWorkspace));
        QCOMPARE(w.answerBox()->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(w.panel("Sekva")->focusPolicy(), Qt::TabFocus);

        w.start("proba");
        w.typeAndEnter(text("rossz"));
        QCOMPARE(w.notice.windowTitle(), text("Hiba!"));
        QCOMPARE(w.notice.frameGeometry().size(), QSize(400, 137));
        QCOMPARE(w.notice.frameGeometry().topLeft(), QPoint((1024 - 400) / 2, (768 - 137) / 2));
        const Qt::WindowFlags flags = w.notice.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QCOMPARE(w.notice.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(control<Panel>(&w.notice, "Text")->caption(), text("Rosszul válaszoltál!"));
        QCOMPARE(control<Panel>(&w.notice, "EnOrdo")->caption(), text("Ok"));
    }
};

QTEST_MAIN(TestTasko)
#include "tst_tasko.moc"
