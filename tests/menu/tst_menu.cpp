#include "gui.h"
#include "look.h"
#include "menu_fixture.h"
#include "panel.h"
#include "text.h"

#include <QAccessible>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QtTest>

#include <random>

using namespace kvizaro;
using namespace kvizaro::test;

namespace {

const char* const SlotNames[] = {"MenuEro01", "MenuEro02", "MenuEro03", "MenuEro04",
                                 "MenuEro05", "MenuEro06", "MenuEro07", "MenuEro08"};
const char* const ButtonNames[] = {"MenuEro01", "MenuEro02", "MenuEro03", "MenuEro04", "MenuEro05",
                                   "MenuEro06", "MenuEro07", "MenuEro08", "SugoT1",    "SugoT2",
                                   "SugoT3",    "SBildo",    "Kilep"};

Panel* slotPanel(const MenuWindows& w, int slot) {
    return w.find<Panel>(SlotNames[slot - 1]);
}

// Each slot shows entry TopEntry + k - 1, bold exactly when it is a heading; slots past the end are empty.
// A screen reader reads each row by its caption, as a button when choosing it does something.
void verifyPage(const MenuWindows& w, int entryCount) {
    const int top = w.model().TopEntry();
    QCOMPARE(top, w.scrollBar()->value());
    for (int k = 1; k <= 8; ++k) {
        const int entry = top + k - 1;
        Panel* slot = slotPanel(w, k);
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(slot);
        QCOMPARE(reader->text(QAccessible::Name), slot->caption());
        if (entry <= entryCount) {
            QCOMPARE(slot->caption(), QString::fromStdString(entryCaption(entry)));
            QCOMPARE(slot->font().bold(), isHeadingEntry(entry));
            const bool acts = !isHeadingEntry(entry) || (k == 8 && entry == entryCount);
            QCOMPARE(reader->role(), acts ? QAccessible::Button : QAccessible::StaticText);
        } else {
            QCOMPARE(slot->caption(), QString());
            QVERIFY(!slot->font().bold());
            QVERIFY(reader->state().invisible);
        }
    }
}

// The bevel widths of every panel button, in ButtonNames order, as a string like "1121111111111".
QString bevels(const MenuWindows& w) {
    QString result;
    for (const char* name : ButtonNames) {
        result += QString::number(w.find<Panel>(name)->bevelWidth());
    }
    return result;
}

QString raisedOnly(int index) {
    QString result(13, QLatin1Char('1'));
    if (index >= 0) {
        result[index] = QLatin1Char('2');
    }
    return result;
}

void sendText(QWidget* target, const QString& text, int key = 0) {
    pressKey(target, key != 0 ? key : Qt::Key_unknown, text);
    releaseKey(target, key != 0 ? key : Qt::Key_unknown, false, text);
}

} // namespace

class TestMenu : public QObject {
    Q_OBJECT

private slots:
    void formGeometry_data();
    void formGeometry();
    void formLook_data();
    void formLook();
    void windowLook();
    void onlyScrollBarTakesFocus();

    void menuOfSize_data();
    void menuOfSize();
    void captionsShowAsWindows1250();
    void pagingByScrollBar_data();
    void pagingByScrollBar();

    void hoverRaisesNamedButton_data();
    void hoverRaisesNamedButton();
    void exitButtonTurnsRedAndBack();
    void controlsWithoutHandlerKeepHighlight_data();
    void controlsWithoutHandlerKeepHighlight();
    void slotStaysRaisedWhenScrolledToHeading();
    void draggingThumbShowsPages();
    void otherHoverCodesChangeNothing();

    void choosingEntryOpensSheet_data();
    void choosingEntryOpensSheet();
    void choosingHeadingDoesNothing_data();
    void choosingHeadingDoesNothing();
    void slotEightAtEndActsAsSecondHelpButton_data();
    void slotEightAtEndActsAsSecondHelpButton();
    void otherCharactersDoNothing_data();
    void otherCharactersDoNothing();
    void disabledMenuIgnoresInput();
    void closingSheetReturnsToMenu();
    void helpButtonsLeaveMenuAsItIs_data();
    void helpButtonsLeaveMenuAsItIs();
    void webLinkOpensMakersPage();
    void exitButtonEndsProgram();
    void escapeEndsProgramOnce_data();
    void escapeEndsProgramOnce();

    void firstActivation_data();
    void firstActivation();
    void activationAgainDoesNothing();
    void firstShowingDoesTheFirstTimeWorkOnce();
    void fontTestAsksForWizard_data();
    void fontTestAsksForWizard();

    void randomUseKeepsPageConsistent();
};

// ---------------------------------------------------------------------------------------------------------
// The form

void TestMenu::formGeometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Tablo") << "Tablo" << QRect(0, 0, 640, 480);
    QTest::newRow("CxefTitiolo") << "CxefTitiolo" << QRect(10, 10, 620, 30);
    QTest::newRow("Feladat") << "Feladat" << QRect(20, 65, 300, 30);
    for (int k = 1; k <= 8; ++k) {
        QTest::newRow(SlotNames[k - 1]) << SlotNames[k - 1] << QRect(10, 120 + 35 * (k - 1), 314, 25);
    }
    QTest::newRow("Csuszka") << "Csuszka" << QRect(334, 120, 16, 270);
    QTest::newRow("DBildo") << "DBildo" << QRect(360, 50, 270, 340);
    QTest::newRow("Ulo") << "Ulo" << QRect(2, 2, 266, 336);
    QTest::newRow("SBildo") << "SBildo" << QRect(10, 400, 500, 35);
    QTest::newRow("Kilep") << "Kilep" << QRect(520, 400, 110, 70);
    QTest::newRow("SugoT1") << "SugoT1" << QRect(45, 450, 110, 20);
    QTest::newRow("SugoT2") << "SugoT2" << QRect(205, 450, 110, 20);
    QTest::newRow("SugoT3") << "SugoT3" << QRect(365, 450, 110, 20);
}

void TestMenu::formGeometry() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    MenuWindows w(20);
    auto* control = w.menu->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), geometry);
}

void TestMenu::formLook_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("bevel");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("accessibleName");
    const int left = Qt::AlignLeft;
    const int centre = Qt::AlignCenter;
    const QString sans = QStringLiteral("MS Sans Serif");
    QTest::newRow("CxefTitiolo") << "CxefTitiolo"
                                 << hu("Kvizaro - Nyelvgyakorló program az eszperantó tanulásához") << centre
                                 << int(Panel::Lowered) << "Arial" << 16 << true
                                 << hu("Kvizaro - Nyelvgyakorló program az eszperantó tanulásához");
    QTest::newRow("Feladat") << "Feladat" << hu("Feladatlap kiválasztása:") << left << int(Panel::None)
                             << sans << 16 << true << hu("Feladatlap kiválasztása:");
    QTest::newRow("MenuEro01") << "MenuEro01" << QString() << left << int(Panel::Raised) << sans << 11
                               << false << hu("1. menüpont");
    QTest::newRow("MenuEro08") << "MenuEro08" << QString() << left << int(Panel::Raised) << sans << 11
                               << false << hu("8. menüpont");
    QTest::newRow("SBildo") << "SBildo" << QString::fromUtf8(MakerWebAddress) << centre << int(Panel::Raised)
                            << "Verdana" << 16 << true << hu("A készítő honlapja");
    QTest::newRow("Kilep") << "Kilep" << hu("Kilépés") << centre << int(Panel::Raised) << sans << 11 << false
                           << hu("Kilépés");
    QTest::newRow("SugoT2") << "SugoT2" << QString() << centre << int(Panel::Raised) << sans << 11 << false
                            << hu("2. súgógomb");
    QTest::newRow("DBildo") << "DBildo" << QString() << centre << int(Panel::Raised) << sans << 11 << false
                            << QString();
}

void TestMenu::formLook() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, alignment);
    QFETCH(int, bevel);
    QFETCH(QString, family);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    QFETCH(QString, accessibleName);
    MenuWindows w(0);
    auto* panel = w.menu->findChild<Panel*>(name);
    QVERIFY(panel != nullptr);
    QCOMPARE(panel->caption(), caption);
    QCOMPARE(int(panel->alignment() & Qt::AlignHorizontal_Mask), alignment & Qt::AlignHorizontal_Mask);
    QCOMPARE(int(panel->bevelOuter()), bevel);
    QCOMPARE(panel->bevelWidth(), 1);
    QCOMPARE(panel->font().family(), family);
    QCOMPARE(panel->font().pixelSize(), pixelSize);
    QCOMPARE(panel->font().bold(), bold);
    QCOMPARE(panel->accessibleName(), accessibleName);
}

void TestMenu::windowLook() {
    MenuWindows w(0);
    QCOMPARE(w.menu->objectName(), QStringLiteral("Menuo"));
    QCOMPARE(w.menu->windowTitle(), QStringLiteral("Kvizaro v1.0 * Folimo"));
    QVERIFY(w.menu->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(w.menu->geometry(), QRect(244, 110, 641, 482));
    QCOMPARE(w.menu->palette().color(QPalette::Window), QColor(48, 96, 128));
    QCOMPARE(w.menu->palette().color(QPalette::Disabled, QPalette::Window), QColor(48, 96, 128));
    QCOMPARE(w.find<Panel>("CxefTitiolo")->color(), systemColour(SystemColour::ActiveCaption));
    QCOMPARE(w.find<Panel>("SBildo")->fontColor(), systemColour(SystemColour::CaptionText));
    QCOMPARE(w.find<Panel>("Kilep")->color(), systemColour(SystemColour::ButtonFace));
    QVERIFY(MakerWebAddress == std::string_view("https://www.kvizaro.hu/kvizaroprg.htm"));
    const QLabel* cover = w.find<QLabel>("Ulo");
    QCOMPARE(cover->pixmap().size(), QSize(266, 336));
    QCOMPARE(cover->parentWidget()->objectName(), QStringLiteral("DBildo"));
    QScrollBar* bar = w.scrollBar();
    QCOMPARE(bar->orientation(), Qt::Vertical);
    QCOMPARE(bar->singleStep(), 1);
    QCOMPARE(bar->pageStep(), 5);
}

void TestMenu::onlyScrollBarTakesFocus() {
    // The panel buttons take it by Tab only: a click never moves it.
    MenuWindows w(20);
    QStringList focusable;
    for (const QWidget* child : w.menu->findChildren<QWidget*>()) {
        if (child->focusPolicy() & Qt::ClickFocus) {
            focusable << child->objectName();
        }
    }
    QCOMPARE(focusable, QStringList{QStringLiteral("Csuszka")});
}

// ---------------------------------------------------------------------------------------------------------
// Building the menu and paging

void TestMenu::menuOfSize_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("expectedCount");
    QTest::addColumn<int>("maximum");
    QTest::newRow("none") << 0 << 0 << 1;
    QTest::newRow("five") << 5 << 5 << 1;
    QTest::newRow("eight") << 8 << 8 << 1;
    QTest::newRow("twenty") << 20 << 20 << 13;
    QTest::newRow("hundred-and-one") << 101 << 100 << 93;
}

void TestMenu::menuOfSize() {
    QFETCH(int, entries);
    QFETCH(int, expectedCount);
    QFETCH(int, maximum);
    MenuWindows w(entries);
    w.activate();
    QCOMPARE(int(w.model().EntryCount()), expectedCount);
    QCOMPARE(w.scrollBar()->minimum(), 1);
    QCOMPARE(w.scrollBar()->maximum(), maximum);
    QCOMPARE(int(w.model().TopEntry()), 1);
    verifyPage(w, expectedCount);
    QCOMPARE(w.find<Panel>("SugoT1")->caption(), hu("Súgó"));
    QCOMPARE(w.find<Panel>("SugoT3")->caption(), hu("Betűk"));
}

void TestMenu::captionsShowAsWindows1250() {
    MenuWindows w(std::vector<std::string>{"#Menuo", "Menuero=\"K\xf6sz\xf5n\xe9sek\",\"a\"", "#"});
    w.activate();
    QCOMPARE(slotPanel(w, 1)->caption(), hu("Köszőnések"));
    QCOMPARE(w.find<Panel>("SugoT1")->caption(), QString());
    QVERIFY(w.model().HelpBlock1().empty());
}

void TestMenu::pagingByScrollBar_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QList<int>>("positions");
    QTest::newRow("arrow-actions") << "step" << QList<int>{2, 3, 4};
    QTest::newRow("track-actions") << "page" << QList<int>{6, 11, 13, 13};
    QTest::newRow("down-keys") << "Down" << QList<int>{2, 3};
    QTest::newRow("page-down-keys") << "PageDown" << QList<int>{6, 11, 13};
    QTest::newRow("end-then-home") << "EndHome" << QList<int>{13, 1};
    QTest::newRow("set-position") << "set" << QList<int>{7, 13, 1};
    // The wheel over a row of the list: one row a notch, parts of a notch adding up, within the range.
    QTest::newRow("wheel-notches") << "wheel-120" << QList<int>{2, 3, 4};
    QTest::newRow("wheel-half-notches") << "wheel-60" << QList<int>{1, 2, 2, 3};
    QTest::newRow("wheel-up-at-top") << "wheel--120" << QList<int>{1, 1};
}

void TestMenu::pagingByScrollBar() {
    QFETCH(QString, how);
    QFETCH(QList<int>, positions);
    MenuWindows w(20);
    w.activate();
    QScrollBar* bar = w.scrollBar();
    for (int i = 0; i < positions.size(); ++i) {
        if (how == QLatin1String("step")) {
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        } else if (how == QLatin1String("page")) {
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        } else if (how == QLatin1String("Down")) {
            pressKey(bar, Qt::Key_Down);
        } else if (how == QLatin1String("PageDown")) {
            pressKey(bar, Qt::Key_PageDown);
        } else if (how == QLatin1String("EndHome")) {
            pressKey(bar, i == 0 ? Qt::Key_End : Qt::Key_Home);
        } else if (how.startsWith(QLatin1String("wheel-"))) {
            const int down = how.mid(6).toInt();
            QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, -down), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(slotPanel(w, 3), &wheel);
        } else {
            bar->setValue(positions[i]);
        }
        QCOMPARE(bar->value(), positions[i]);
        QCOMPARE(int(w.model().TopEntry()), positions[i]);
        verifyPage(w, 20);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Hover highlighting

void TestMenu::hoverRaisesNamedButton_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("expected");
    // ButtonNames order: slots 1..8, SugoT1..3, SBildo, Kilep.
    QTest::newRow("selectable-slot") << 20 << 1 << "MenuEro02" << raisedOnly(1);
    QTest::newRow("heading-slot") << 20 << 1 << "MenuEro01" << raisedOnly(-1);
    QTest::newRow("slot-eight-last-heading") << 9 << 2 << "MenuEro08" << raisedOnly(7);
    QTest::newRow("empty-slot-short-menu") << 5 << 1 << "MenuEro06" << raisedOnly(-1);
    QTest::newRow("help-one") << 20 << 1 << "SugoT1" << raisedOnly(8);
    QTest::newRow("help-two") << 20 << 1 << "SugoT2" << raisedOnly(9);
    QTest::newRow("help-three") << 20 << 1 << "SugoT3" << raisedOnly(10);
    QTest::newRow("web-link") << 20 << 1 << "SBildo" << raisedOnly(11);
    QTest::newRow("exit") << 20 << 1 << "Kilep" << raisedOnly(12);
    QTest::newRow("board") << 20 << 1 << "Tablo" << raisedOnly(-1);
}

void TestMenu::hoverRaisesNamedButton() {
    QFETCH(int, entries);
    QFETCH(int, position);
    QFETCH(QString, control);
    QFETCH(QString, expected);
    MenuWindows w(entries);
    w.activate();
    w.scrollBar()->setValue(position);
    // Something else raised first, so that the row also shows it being lowered.
    hover(w.find<QWidget>("SugoT1"));
    hover(w.menu->findChild<QWidget*>(control));
    QCOMPARE(bevels(w), expected);
}

void TestMenu::exitButtonTurnsRedAndBack() {
    MenuWindows w(20);
    w.activate();
    auto* exit = w.find<Panel>("Kilep");
    hover(exit);
    QCOMPARE(exit->color(), QColor(255, 0, 0));
    QCOMPARE(exit->fontColor(), QColor(255, 255, 255));
    hover(slotPanel(w, 2));
    QCOMPARE(exit->color(), systemColour(SystemColour::ButtonFace));
    QCOMPARE(exit->fontColor(), systemColour(SystemColour::WindowText));
    QCOMPARE(exit->bevelWidth(), 1);
    QCOMPARE(w.find<Panel>("SBildo")->color(), systemColour(SystemColour::ActiveCaption));
}

void TestMenu::controlsWithoutHandlerKeepHighlight_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("title") << "CxefTitiolo";
    QTest::newRow("label") << "Feladat";
    QTest::newRow("picture-frame") << "DBildo";
    QTest::newRow("picture") << "Ulo";
    QTest::newRow("scroll-bar") << "Csuszka";
}

void TestMenu::controlsWithoutHandlerKeepHighlight() {
    QFETCH(QString, control);
    MenuWindows w(20);
    w.activate();
    hover(w.find<QWidget>("Kilep"));
    hover(w.menu->findChild<QWidget*>(control));
    QCOMPARE(bevels(w), raisedOnly(12));
    QCOMPARE(w.find<Panel>("Kilep")->color(), QColor(255, 0, 0));
}

void TestMenu::slotStaysRaisedWhenScrolledToHeading() {
    MenuWindows w(20);
    w.activate();
    hover(slotPanel(w, 4)); // entry 4, selectable
    QCOMPARE(bevels(w), raisedOnly(3));
    pressKey(w.scrollBar(), Qt::Key_Down); // slot 4 now shows entry 5, a heading
    QVERIFY(slotPanel(w, 4)->font().bold());
    QCOMPARE(bevels(w), raisedOnly(3));
    hover(slotPanel(w, 4));
    QCOMPARE(bevels(w), raisedOnly(3));
    hover(w.find<QWidget>("Tablo"));
    QCOMPARE(bevels(w), raisedOnly(-1));
}

void TestMenu::draggingThumbShowsPages() {
    MenuWindows w(20);
    w.activate();
    QScrollBar* bar = w.scrollBar();
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Vertical;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    const QPoint thumb =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar).center();
    const QPoint bottom(thumb.x(), bar->height() - 1);
    QMouseEvent press(QEvent::MouseButtonPress, thumb, bar->mapToGlobal(thumb), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &press);
    QMouseEvent drag(QEvent::MouseMove, bottom, bar->mapToGlobal(bottom), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &drag);
    QMouseEvent release(QEvent::MouseButtonRelease, bottom, bar->mapToGlobal(bottom), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &release);
    QCOMPARE(bar->value(), bar->maximum());
    verifyPage(w, 20);
}

void TestMenu::otherHoverCodesChangeNothing() {
    MenuWindows w(20);
    w.activate();
    hover(w.find<QWidget>("Kilep"));
    for (int code : {9, 20, 40, 42, 50, 54, 60, 62, 255}) {
        w.menu->Highlight(std::uint8_t(code));
        QCOMPARE(bevels(w), raisedOnly(12));
    }
}

// ---------------------------------------------------------------------------------------------------------
// Actions

void TestMenu::choosingEntryOpensSheet_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("entry");
    QTest::newRow("click-first-page") << 1 << 2 << "click" << 2;
    QTest::newRow("click-moved") << 5 << 3 << "click" << 7;
    QTest::newRow("digit-on-window") << 5 << 3 << "window" << 7;
    QTest::newRow("digit-on-scroll-bar") << 5 << 3 << "scrollbar" << 7;
    QTest::newRow("keypad-digit") << 5 << 4 << "keypad" << 8;
    QTest::newRow("slot-eight-not-at-end") << 12 << 8 << "click" << 19;
    QTest::newRow("digit-eight-not-at-end") << 12 << 8 << "window" << 19;
}

void TestMenu::choosingEntryOpensSheet() {
    QFETCH(int, position);
    QFETCH(int, slot);
    QFETCH(QString, how);
    QFETCH(int, entry);
    MenuWindows w(20);
    w.activate();
    w.task->hide();
    w.scrollBar()->setValue(position);
    const QString digit = QString::number(slot);
    if (how == QLatin1String("click")) {
        click(slotPanel(w, slot));
    } else if (how == QLatin1String("window")) {
        sendText(w.menu.get(), digit, Qt::Key_0 + slot);
    } else if (how == QLatin1String("scrollbar")) {
        sendText(w.scrollBar(), digit, Qt::Key_0 + slot);
    } else {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + slot, Qt::KeypadModifier, digit);
        QCoreApplication::sendEvent(w.menu.get(), &press);
    }
    QCOMPARE(w.task->drill().SheetBlockName(), entrySheet(entry));
    QCOMPARE(w.task->drill().SheetLines(), &w.menu->contentLines());
    QVERIFY(w.task->isVisible());
    QVERIFY(!w.menu->isEnabled());
    QVERIFY(!w.find<QWidget>("Tablo")->isVisible() && w.find<QWidget>("Tablo")->isHidden());
    QCOMPARE(w.scrollBar()->value(), position);
}

void TestMenu::choosingHeadingDoesNothing_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("entries");
    QTest::newRow("heading-after-scroll") << 3 << 3 << 20;
    QTest::newRow("empty-menu") << 1 << 1 << 0;
}

void TestMenu::choosingHeadingDoesNothing() {
    QFETCH(int, position);
    QFETCH(int, slot);
    QFETCH(int, entries);
    MenuWindows w(entries);
    w.activate();
    w.task->hide();
    w.scrollBar()->setValue(position);
    click(slotPanel(w, slot));
    sendText(w.menu.get(), QString::number(slot));
    QVERIFY(w.task->drill().SheetBlockName().empty());
    QVERIFY(w.task->isHidden());
    QVERIFY(w.menu->isEnabled());
    QVERIFY(!w.find<QWidget>("Tablo")->isHidden());
}

void TestMenu::slotEightAtEndActsAsSecondHelpButton_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("how");
    QTest::newRow("twenty-click") << 20 << "click";
    QTest::newRow("eight-digit") << 8 << "digit";
}

void TestMenu::slotEightAtEndActsAsSecondHelpButton() {
    QFETCH(int, entries);
    QFETCH(QString, how);
    MenuWindows w(entries);
    w.activate();
    w.task->hide();
    w.scrollBar()->setValue(w.scrollBar()->maximum());
    QCOMPARE(slotPanel(w, 8)->caption(), QString::fromStdString(entryCaption(entries)));
    QVERIFY(!entrySheet(entries).empty()); // the last entry has a sheet of its own, which is not used
    if (how == QLatin1String("click")) {
        click(slotPanel(w, 8));
    } else {
        sendText(w.scrollBar(), QStringLiteral("8"));
    }
    QVERIFY(w.task->drill().SheetBlockName().empty());
    QVERIFY(w.task->isHidden());
    QVERIFY(w.menu->isEnabled());
    QVERIFY(w.help->isVisible());
    QCOMPARE(w.help->findChild<QPlainTextEdit*>(QStringLiteral("Teksto"))->toPlainText(),
             QStringLiteral("Nevjegy"));
}

void TestMenu::otherCharactersDoNothing_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("nine") << "9";
    QTest::newRow("zero") << "0";
    QTest::newRow("letter") << "a";
    QTest::newRow("two-characters") << "12";
    QTest::newRow("none") << "";
}

void TestMenu::otherCharactersDoNothing() {
    QFETCH(QString, text);
    MenuWindows w(20);
    w.activate();
    w.task->hide();
    sendText(w.menu.get(), text);
    sendText(w.scrollBar(), text);
    QVERIFY(w.task->drill().SheetBlockName().empty());
    QVERIFY(w.menu->isEnabled());
    QVERIFY(w.platform.exitCodes.isEmpty());
}

void TestMenu::disabledMenuIgnoresInput() {
    MenuWindows w(20);
    w.activate();
    click(slotPanel(w, 2));
    QCOMPARE(w.task->drill().SheetBlockName(), entrySheet(2));
    sendText(w.menu.get(), QStringLiteral("3"));
    click(slotPanel(w, 4));
    click(w.find<QWidget>("Kilep"));
    releaseKey(w.menu.get(), Qt::Key_Escape);
    QCOMPARE(w.task->drill().SheetBlockName(), entrySheet(2));
    QVERIFY(w.platform.exitCodes.isEmpty());
}

void TestMenu::closingSheetReturnsToMenu() {
    MenuWindows w(20);
    w.activate();
    w.scrollBar()->setValue(6);
    hover(slotPanel(w, 2));
    click(slotPanel(w, 2));
    QVERIFY(!w.menu->isEnabled());
    w.task->close();
    QVERIFY(w.menu->isEnabled());
    QVERIFY(!w.find<QWidget>("Tablo")->isHidden());
    QCOMPARE(w.scrollBar()->value(), 6);
    QCOMPARE(int(w.model().TopEntry()), 6);
    QCOMPARE(bevels(w), raisedOnly(1));
    verifyPage(w, 20);
}

void TestMenu::helpButtonsLeaveMenuAsItIs_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("first") << "SugoT1";
    QTest::newRow("second") << "SugoT2";
    QTest::newRow("third") << "SugoT3";
}

void TestMenu::helpButtonsLeaveMenuAsItIs() {
    QFETCH(QString, button);
    MenuWindows w(20);
    w.activate();
    w.task->hide();
    w.scrollBar()->setValue(4);
    hover(slotPanel(w, 3));
    click(w.menu->findChild<QWidget*>(button));
    QVERIFY(w.menu->isEnabled());
    QVERIFY(!w.find<QWidget>("Tablo")->isHidden());
    QCOMPARE(int(w.model().TopEntry()), 4);
    QCOMPARE(bevels(w), raisedOnly(2));
    QVERIFY(w.task->drill().SheetBlockName().empty());
    QVERIFY(w.platform.openedUrls.isEmpty());
}

void TestMenu::webLinkOpensMakersPage() {
    MenuWindows w(20);
    w.activate();
    click(w.find<QWidget>("SBildo"));
    QCOMPARE(w.platform.openedUrls, QStringList{w.find<Panel>("SBildo")->caption()});
    QVERIFY(w.platform.openedUrls.first().startsWith(QLatin1String("https://")));
    QVERIFY(w.platform.openedUrls.first().endsWith(QLatin1String("/kvizaroprg.htm")));
    QVERIFY(w.menu->isEnabled());
    QVERIFY(w.platform.exitCodes.isEmpty());
}

void TestMenu::exitButtonEndsProgram() {
    MenuWindows w(20);
    w.activate();
    hover(w.find<QWidget>("Kilep"));
    click(w.find<QWidget>("Kilep"));
    QCOMPARE(w.platform.exitCodes, QList<int>{0});
}

void TestMenu::escapeEndsProgramOnce_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<int>("exits");
    QTest::newRow("window") << "Menuo" << int(Qt::NoModifier) << false << 1;
    QTest::newRow("scroll-bar") << "Csuszka" << int(Qt::NoModifier) << false << 1;
    QTest::newRow("with-shift") << "Menuo" << int(Qt::ShiftModifier) << false << 1;
    QTest::newRow("with-control-on-scroll-bar") << "Csuszka" << int(Qt::ControlModifier) << false << 1;
    QTest::newRow("auto-repeat") << "Menuo" << int(Qt::NoModifier) << true << 0;
    QTest::newRow("auto-repeat-scroll-bar") << "Csuszka" << int(Qt::NoModifier) << true << 0;
}

void TestMenu::escapeEndsProgramOnce() {
    QFETCH(QString, target);
    QFETCH(int, modifiers);
    QFETCH(bool, autoRepeat);
    QFETCH(int, exits);
    MenuWindows w(20);
    w.activate();
    QWidget* receiver =
        target == QLatin1String("Menuo") ? static_cast<QWidget*>(w.menu.get()) : w.scrollBar();
    const auto mods = Qt::KeyboardModifiers(modifiers);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, mods, QString(QChar(27)), autoRepeat);
    QCoreApplication::sendEvent(receiver, &press);
    QVERIFY(w.platform.exitCodes.isEmpty()); // only the release ends it
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, mods, QString(QChar(27)), autoRepeat);
    QCoreApplication::sendEvent(receiver, &release);
    QCOMPARE(w.platform.exitCodes, QList<int>(exits, 0));
}

// ---------------------------------------------------------------------------------------------------------
// First activation

void TestMenu::firstActivation_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("board");
    QTest::newRow("640x480") << QSize(640, 480) << QPoint(0, 0);
    QTest::newRow("1024x768") << QSize(1024, 768) << QPoint(192, 144);
    QTest::newRow("1280x1024") << QSize(1280, 1024) << QPoint(320, 272);
    QTest::newRow("600x400") << QSize(600, 400) << QPoint(-20, -40);
    QTest::newRow("639x479") << QSize(639, 479) << QPoint(0, 0);
}

void TestMenu::firstActivation() {
    QFETCH(QSize, screen);
    QFETCH(QPoint, board);
    MenuWindows w(20, screen);
    QCOMPARE(int(w.model().EntryCount()), 0);
    w.activate();
    QCOMPARE(w.menu->pos(), QPoint(0, 0));
    QCOMPARE(w.menu->size(), screen);
    QCOMPARE(w.find<QWidget>("Tablo")->pos(), board);
    QCOMPARE(int(w.model().EntryCount()), 20);
    verifyPage(w, 20);
}

void TestMenu::activationAgainDoesNothing() {
    MenuWindows w(20, QSize(1024, 768));
    QSignalSpy wizardWanted(w.menu.get(), &TMenuo::fontWizardWanted);
    w.activate();
    w.scrollBar()->setValue(5);
    w.platform.screen = QSize(800, 600);
    w.platform.esperantoLettersShown = false;
    w.activate();
    QCOMPARE(w.find<QWidget>("Tablo")->pos(), QPoint(192, 144));
    QCOMPARE(w.menu->size(), QSize(1024, 768));
    QCOMPARE(int(w.model().TopEntry()), 5);
    QCoreApplication::processEvents();
    QCOMPARE(wizardWanted.count(), 0);
}

void TestMenu::firstShowingDoesTheFirstTimeWorkOnce() {
    // Without any activation (a window manager may not activate a new program) the menu is full-screen
    // and filled; the activation that follows changes nothing.
    MenuWindows w(20, QSize(800, 600));
    w.menu->show();
    QCOMPARE(w.menu->size(), QSize(800, 600));
    QCOMPARE(w.find<QWidget>("Tablo")->pos(), QPoint(80, 60));
    QCOMPARE(int(w.model().TopEntry()), 1);
    w.scrollBar()->setValue(3);
    w.activate();
    QCOMPARE(int(w.model().TopEntry()), 3);
}

void TestMenu::fontTestAsksForWizard_data() {
    QTest::addColumn<bool>("lettersShown");
    QTest::newRow("letters-shown") << true;
    QTest::newRow("letters-missing") << false;
}

// The wizard itself is the flow object's to show; the window asks for it once, after its first
// activation has finished, so that the wizard comes up over a main window that is already up.
void TestMenu::fontTestAsksForWizard() {
    QFETCH(bool, lettersShown);
    MenuWindows w(20);
    w.platform.esperantoLettersShown = lettersShown;
    QSignalSpy wizardWanted(w.menu.get(), &TMenuo::fontWizardWanted);
    w.activate();
    QCOMPARE(wizardWanted.count(), 0);
    QCOMPARE(int(w.model().TopEntry()), 1);
    QCoreApplication::processEvents();
    QCOMPARE(wizardWanted.count(), lettersShown ? 0 : 1);
    w.activate();
    QCoreApplication::processEvents();
    QCOMPARE(wizardWanted.count(), lettersShown ? 0 : 1);
    QCOMPARE(w.menu->windowState(), Qt::WindowNoState);
}

// ---------------------------------------------------------------------------------------------------------
// Robustness

void TestMenu::randomUseKeepsPageConsistent() {
    for (int entries : {0, 5, 8, 9, 20, 101}) {
        MenuWindows w(entries);
        w.activate();
        w.task->hide();
        const int count = w.model().EntryCount();
        std::mt19937 random(20240611U + unsigned(entries));
        std::uniform_int_distribution<int> pick(0, 99);
        const QList<QWidget*> controls = w.menu->findChildren<QWidget*>();
        const int keys[] = {Qt::Key_Up,     Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                            Qt::Key_Home,   Qt::Key_End,  Qt::Key_1,      Qt::Key_8,
                            Qt::Key_Escape, Qt::Key_A,    Qt::Key_9,      Qt::Key_Tab};
        for (int step = 0; step < 3000; ++step) {
            QWidget* control = controls[pick(random) % controls.size()];
            const int kind = pick(random) % 5;
            if (kind == 0) {
                hover(control);
            } else if (kind == 1) {
                click(control);
            } else if (kind == 2) {
                const int key = keys[std::size_t(pick(random)) % std::size(keys)];
                const QString text = key >= Qt::Key_0 && key <= Qt::Key_9 ? QString(QChar(key)) : QString();
                QWidget* target = pick(random) % 2 == 0 ? static_cast<QWidget*>(w.menu.get()) : w.scrollBar();
                sendText(target, text, key);
            } else if (kind == 3) {
                w.menu->Highlight(std::uint8_t(pick(random) * 3));
            } else if (!w.menu->isEnabled()) {
                w.task->close();
            }
            const int top = w.model().TopEntry();
            QVERIFY(top >= 1 && top <= std::max(1, count - 7));
            for (int k = 1; k <= 8; ++k) {
                const int entry = top + k - 1;
                const QString expected =
                    entry <= count ? QString::fromStdString(entryCaption(entry)) : QString();
                QCOMPARE(slotPanel(w, k)->caption(), expected);
            }
        }
    }
}

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
