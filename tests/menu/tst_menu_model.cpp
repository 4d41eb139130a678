// The main menu's rules on its model alone: no widget is created here.
#include "content_builder.h"
#include "menu_content.h"
#include "menu_model.h"

#include <QtTest>

#include <random>

using namespace kvizaro;
using namespace kvizaro::test;

Q_DECLARE_METATYPE(kvizaro::ScrollMove)
Q_DECLARE_METATYPE(kvizaro::SlotChoice)

namespace {

constexpr int NoEntry = 0;

MenuModel modelOf(const std::vector<std::string>& content) {
    MenuModel model;
    model.BuildMenu(linesOf(content));
    return model;
}

MenuModel modelAt(int entries, int position) {
    MenuModel model = modelOf(menuContent(entries));
    model.showFirstPage();
    model.showPageAt(position);
    return model;
}

std::vector<std::string> linesFrom(const QByteArrayList& list) {
    std::vector<std::string> lines;
    for (const QByteArray& line : list) {
        lines.push_back(line.toStdString());
    }
    return lines;
}

QList<int> slotEntries(const MenuModel& model) {
    QList<int> entries;
    for (int k = 1; k <= MenuModel::SlotCount; ++k) {
        entries << model.entryInSlot(k);
    }
    return entries;
}

QList<int> entriesFrom(int first, int count) {
    QList<int> entries;
    for (int k = 0; k < MenuModel::SlotCount; ++k) {
        entries << (k < count ? first + k : NoEntry);
    }
    return entries;
}

} // namespace

class TestMenuModel : public QObject {
    Q_OBJECT

private slots:
    void buildingMenu_data();
    void buildingMenu();
    void readingMenuBlock_data();
    void readingMenuBlock();
    void buildingAgainReplacesMenu();

    void headingsAreNotSelectable_data();
    void headingsAreNotSelectable();
    void slotsShowEntriesFromTop_data();
    void slotsShowEntriesFromTop();
    void scrollBarMoves_data();
    void scrollBarMoves();

    void raisesUnderMouse_data();
    void raisesUnderMouse();
    void choosingSlot_data();
    void choosingSlot();
    void slotEightAtEndWithoutSecondHelpButton();
    void digitKeysChooseSlots_data();
    void digitKeysChooseSlots();

    void randomScrollingKeepsPageRules();
};

// ---------------------------------------------------------------------------------------------------------
// BuildMenu

void TestMenuModel::buildingMenu_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("expectedCount");
    QTest::addColumn<int>("lastPosition");
    QTest::newRow("none") << 0 << 0 << 1;
    QTest::newRow("five") << 5 << 5 << 1;
    QTest::newRow("seven") << 7 << 7 << 1;
    QTest::newRow("eight") << 8 << 8 << 1;
    QTest::newRow("nine") << 9 << 9 << 2;
    QTest::newRow("twenty") << 20 << 20 << 13;
    QTest::newRow("hundred") << 100 << 100 << 93;
    QTest::newRow("hundred-and-one") << 101 << 100 << 93;
    QTest::newRow("three-hundred") << 300 << 100 << 93;
}

void TestMenuModel::buildingMenu() {
    QFETCH(int, entries);
    QFETCH(int, expectedCount);
    QFETCH(int, lastPosition);
    const MenuModel model = modelOf(menuContent(entries));
    QCOMPARE(int(model.EntryCount()), expectedCount);
    QCOMPARE(model.lastPosition(), lastPosition);
    QCOMPARE(int(model.TopEntry()), 0); // the first page is not shown yet
    for (int n = 1; n <= expectedCount; ++n) {
        QCOMPARE(model.EntryCaption(n), entryCaption(n));
        QCOMPARE(model.EntrySheet(n), entrySheet(n));
    }
    for (int outside : {-1, 0, expectedCount + 1, 101, 256}) {
        QVERIFY(model.EntryCaption(outside).empty());
        QVERIFY(model.EntrySheet(outside).empty());
    }
    QCOMPARE(model.HelpBlock1(), std::string("sugo"));
    QCOMPARE(model.HelpBlock2(), std::string("nevjegy"));
    QCOMPARE(model.HelpBlock3(), std::string("tajpado"));
    QCOMPARE(model.helpCaption(2), std::string("N\xe9vjegy"));
    QVERIFY(model.helpBlock(0).empty() && model.helpBlock(4).empty() && model.helpCaption(4).empty());
}

void TestMenuModel::readingMenuBlock_data() {
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QByteArrayList>("captions");
    QTest::addColumn<QByteArrayList>("sheets");
    QTest::addColumn<QByteArrayList>("helpBlocks");
    QTest::newRow("no-menu-block") << QByteArrayList{"Menuero=\"a\",\"b\"", "Butono1=\"S\",\"s\"", "#x", "y"}
                                   << QByteArrayList{} << QByteArrayList{} << QByteArrayList{"", "", ""};
    QTest::newRow("no-content") << QByteArrayList{} << QByteArrayList{} << QByteArrayList{}
                                << QByteArrayList{"", "", ""};
    QTest::newRow("heading-and-sheet")
        << QByteArrayList{"#Menuo", "Menuero=\"Cim\",\"\"", "Menuero=\"Lap\",\"lapo\"", "#"}
        << QByteArrayList{"Cim", "Lap"} << QByteArrayList{"", "lapo"} << QByteArrayList{"", "", ""};
    QTest::newRow("help-buttons-between-entries")
        << QByteArrayList{"#Menuo",
                          "Butono3=\"T\",\"tri\"",
                          "Menuero=\"A\",\"a\"",
                          "Butono1=\"U\",\"unu\"",
                          "Menuero=\"B\",\"b\"",
                          "#"}
        << QByteArrayList{"A", "B"} << QByteArrayList{"a", "b"} << QByteArrayList{"unu", "", "tri"};
    QTest::newRow("block-ends-at-next-marker")
        << QByteArrayList{"#Menuo", "Menuero=\"A\",\"a\"", "#a", "Menuero=\"B\",\"b\"",
                          "Butono2=\"D\",\"du\""}
        << QByteArrayList{"A"} << QByteArrayList{"a"} << QByteArrayList{"", "", ""};
    QTest::newRow("entry-without-quoted-values-skipped")
        << QByteArrayList{"#Menuo", "Menuero=A,a", "Menuero=\"B\"", "", "Menuero=\"C\",\"c\"", "#"}
        << QByteArrayList{"C"} << QByteArrayList{"c"} << QByteArrayList{"", "", ""};
    QTest::newRow("other-keys-ignored")
        << QByteArrayList{"#Menuo", "Menueroj=\"A\",\"a\"", "menuero=\"B\",\"b\"", "Butono4=\"D\",\"d\"", "#"}
        << QByteArrayList{} << QByteArrayList{} << QByteArrayList{"", "", ""};
}

void TestMenuModel::readingMenuBlock() {
    QFETCH(QByteArrayList, lines);
    QFETCH(QByteArrayList, captions);
    QFETCH(QByteArrayList, sheets);
    QFETCH(QByteArrayList, helpBlocks);
    const MenuModel model = modelOf(linesFrom(lines));
    QCOMPARE(int(model.EntryCount()), captions.size());
    for (int n = 1; n <= captions.size(); ++n) {
        QCOMPARE(model.EntryCaption(n), captions[n - 1].toStdString());
        QCOMPARE(model.EntrySheet(n), sheets[n - 1].toStdString());
    }
    for (int button = 1; button <= MenuModel::HelpButtons; ++button) {
        QCOMPARE(model.helpBlock(button), helpBlocks[button - 1].toStdString());
    }
}

void TestMenuModel::buildingAgainReplacesMenu() {
    MenuModel model = modelOf(menuContent(20));
    model.showFirstPage();
    model.showPageAt(9);
    model.BuildMenu(linesOf({"#Menuo", "Menuero=\"Sola\",\"sola\"", "#"}));
    QCOMPARE(int(model.EntryCount()), 1);
    QCOMPARE(model.EntryCaption(1), std::string("Sola"));
    QVERIFY(model.EntryCaption(2).empty());
    QVERIFY(model.HelpBlock2().empty());
    QCOMPARE(model.lastPosition(), 1);
}

// ---------------------------------------------------------------------------------------------------------
// Entries and pages

void TestMenuModel::headingsAreNotSelectable_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("heading");
    QTest::addColumn<bool>("selectable");
    QTest::newRow("first-heading") << 1 << true << false;
    QTest::newRow("sheet") << 2 << false << true;
    QTest::newRow("later-heading") << 5 << true << false;
    QTest::newRow("last") << 20 << false << true;
    QTest::newRow("zero") << 0 << false << false;
    QTest::newRow("past-the-end") << 21 << false << false;
    QTest::newRow("negative") << -1 << false << false;
}

void TestMenuModel::headingsAreNotSelectable() {
    QFETCH(int, entry);
    QFETCH(bool, heading);
    QFETCH(bool, selectable);
    const MenuModel model = modelOf(menuContent(20));
    QCOMPARE(model.isHeading(entry), heading);
    QCOMPARE(model.isSelectable(entry), selectable);
}

// Position 0 stands for the first page as MenuAction 0 shows it; any other for MenuAction 20 at that
// scroll position.
void TestMenuModel::slotsShowEntriesFromTop_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("top");
    QTest::addColumn<QList<int>>("slotEntries");
    QTest::newRow("first-page") << 20 << 0 << 1 << entriesFrom(1, 8);
    QTest::newRow("scrolled") << 20 << 5 << 5 << entriesFrom(5, 8);
    QTest::newRow("at-end") << 20 << 13 << 13 << entriesFrom(13, 8);
    QTest::newRow("hundred-at-end") << 100 << 93 << 93 << entriesFrom(93, 8);
    QTest::newRow("eight-entries") << 8 << 0 << 1 << entriesFrom(1, 8);
    QTest::newRow("short-menu") << 5 << 0 << 1 << entriesFrom(1, 5);
    QTest::newRow("short-menu-scrolled") << 5 << 3 << 1 << entriesFrom(1, 5);
    QTest::newRow("empty-menu") << 0 << 0 << 1 << entriesFrom(1, 0);
    QTest::newRow("before-range") << 20 << -4 << 1 << entriesFrom(1, 8);
    QTest::newRow("past-range") << 20 << 14 << 13 << entriesFrom(13, 8);
    QTest::newRow("far-past-range") << 20 << 300 << 13 << entriesFrom(13, 8);
}

void TestMenuModel::slotsShowEntriesFromTop() {
    QFETCH(int, entries);
    QFETCH(int, position);
    QFETCH(int, top);
    QFETCH(QList<int>, slotEntries);
    MenuModel model = modelOf(menuContent(entries));
    model.showFirstPage();
    if (position != 0) {
        model.showPageAt(position);
    }
    QCOMPARE(int(model.TopEntry()), top);
    QCOMPARE(::slotEntries(model), slotEntries);
    QCOMPARE(model.entryInSlot(0), NoEntry);
    QCOMPARE(model.entryInSlot(9), NoEntry);
}

void TestMenuModel::scrollBarMoves_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("start");
    QTest::addColumn<ScrollMove>("move");
    QTest::addColumn<QList<int>>("positions");
    QTest::newRow("line-down") << 20 << 1 << ScrollMove::LineDown << QList<int>{2, 3, 4};
    QTest::newRow("page-down") << 20 << 1 << ScrollMove::PageDown << QList<int>{6, 11, 13, 13};
    QTest::newRow("line-up") << 20 << 3 << ScrollMove::LineUp << QList<int>{2, 1, 1};
    QTest::newRow("page-up") << 20 << 13 << ScrollMove::PageUp << QList<int>{8, 3, 1};
    QTest::newRow("end") << 20 << 4 << ScrollMove::End << QList<int>{13, 13};
    QTest::newRow("home") << 20 << 13 << ScrollMove::Home << QList<int>{1, 1};
    QTest::newRow("eight-cannot-move") << 8 << 1 << ScrollMove::LineDown << QList<int>{1, 1};
    QTest::newRow("short-cannot-move") << 5 << 1 << ScrollMove::End << QList<int>{1};
    QTest::newRow("nine-one-step") << 9 << 1 << ScrollMove::PageDown << QList<int>{2, 2};
}

void TestMenuModel::scrollBarMoves() {
    QFETCH(int, entries);
    QFETCH(int, start);
    QFETCH(ScrollMove, move);
    QFETCH(QList<int>, positions);
    MenuModel model = modelAt(entries, start);
    for (int expected : positions) {
        model.showPageAt(model.positionAfter(move));
        QCOMPARE(int(model.TopEntry()), expected);
        QCOMPARE(model.entryInSlot(1), entries > 0 ? expected : NoEntry);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Slots: hover, choice, digits

void TestMenuModel::raisesUnderMouse_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("raised");
    QTest::newRow("selectable-slot") << 20 << 1 << 2 << true;
    QTest::newRow("heading-slot") << 20 << 1 << 1 << false;
    QTest::newRow("heading-after-scroll") << 20 << 2 << 4 << false;
    QTest::newRow("slot-seven") << 20 << 1 << 7 << true;
    QTest::newRow("slot-eight-selectable") << 20 << 1 << 8 << true;
    QTest::newRow("slot-eight-heading") << 20 << 2 << 8 << false;
    QTest::newRow("slot-eight-last-heading") << 9 << 2 << 8 << true;
    QTest::newRow("slot-eight-last-of-eight") << 8 << 1 << 8 << true;
    QTest::newRow("slot-eight-last-of-twenty") << 20 << 13 << 8 << true;
    QTest::newRow("slot-eight-of-seven-entries") << 7 << 1 << 8 << false;
    QTest::newRow("empty-slot-short-menu") << 5 << 1 << 6 << false;
    QTest::newRow("empty-slot-eight-short-menu") << 5 << 1 << 8 << false;
    QTest::newRow("empty-menu") << 0 << 1 << 1 << false;
    QTest::newRow("slot-zero") << 20 << 1 << 0 << false;
    QTest::newRow("slot-nine") << 20 << 1 << 9 << false;
}

void TestMenuModel::raisesUnderMouse() {
    QFETCH(int, entries);
    QFETCH(int, position);
    QFETCH(int, slot);
    QFETCH(bool, raised);
    QCOMPARE(modelAt(entries, position).raisesUnderMouse(slot), raised);
}

void TestMenuModel::choosingSlot_data() {
    using Kind = SlotChoice::Kind;
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("slot");
    QTest::addColumn<SlotChoice>("choice");
    const auto sheet = [](int entry) { return SlotChoice{Kind::OpenSheet, entry, entrySheet(entry)}; };
    const SlotChoice secondHelp{Kind::ShowHelp, 0, "nevjegy"};
    QTest::newRow("first-page") << 20 << 1 << 2 << sheet(2);
    QTest::newRow("scrolled") << 20 << 5 << 3 << sheet(7);
    QTest::newRow("scrolled-slot-four") << 20 << 5 << 4 << sheet(8);
    QTest::newRow("slot-eight-not-at-end") << 20 << 12 << 8 << sheet(19);
    QTest::newRow("slot-seven-at-end") << 20 << 13 << 7 << sheet(19);
    QTest::newRow("seven-entries-slot-seven") << 7 << 1 << 7 << sheet(7);
    QTest::newRow("hundred-at-end-slot-seven") << 100 << 93 << 7 << sheet(99);
    QTest::newRow("heading-first-slot") << 20 << 1 << 1 << SlotChoice{};
    QTest::newRow("heading-after-scroll") << 20 << 3 << 3 << SlotChoice{};
    QTest::newRow("empty-slot-short-menu") << 5 << 1 << 7 << SlotChoice{};
    QTest::newRow("empty-slot-eight-short-menu") << 5 << 1 << 8 << SlotChoice{};
    QTest::newRow("slot-eight-of-seven-entries") << 7 << 1 << 8 << SlotChoice{};
    QTest::newRow("empty-menu") << 0 << 1 << 1 << SlotChoice{};
    QTest::newRow("slot-zero") << 20 << 1 << 0 << SlotChoice{};
    QTest::newRow("slot-nine") << 20 << 1 << 9 << SlotChoice{};
    // The last entry has a sheet of its own, which is not used.
    QTest::newRow("twenty-slot-eight-at-end") << 20 << 13 << 8 << secondHelp;
    QTest::newRow("eight-slot-eight") << 8 << 1 << 8 << secondHelp;
    QTest::newRow("hundred-slot-eight-at-end") << 100 << 93 << 8 << secondHelp;
    QTest::newRow("last-entry-a-heading") << 9 << 2 << 8 << secondHelp;
}

void TestMenuModel::choosingSlot() {
    QFETCH(int, entries);
    QFETCH(int, position);
    QFETCH(int, slot);
    QFETCH(SlotChoice, choice);
    const SlotChoice chosen = modelAt(entries, position).chooseSlot(slot);
    QCOMPARE(int(chosen.kind), int(choice.kind));
    QCOMPARE(chosen.entry, choice.entry);
    QCOMPARE(chosen.block, choice.block);
}

// A missing "Butono2" line leaves the block name empty; the slot still asks for the help window.
void TestMenuModel::slotEightAtEndWithoutSecondHelpButton() {
    std::vector<std::string> content = {"#Menuo"};
    for (int n = 1; n <= 8; ++n) {
        content.push_back("Menuero=\"" + entryCaption(n) + "\",\"" + entrySheet(n) + "\"");
    }
    content.push_back("#");
    MenuModel model = modelOf(content);
    model.showFirstPage();
    QCOMPARE(model.chooseSlot(8), (SlotChoice{SlotChoice::Kind::ShowHelp, 0, std::string()}));
    QVERIFY(model.raisesUnderMouse(8));
}

void TestMenuModel::digitKeysChooseSlots_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("slot");
    for (int k = 1; k <= 8; ++k) {
        const QString digit = QString::number(k);
        QTest::newRow(qPrintable(QStringLiteral("digit-") + digit)) << digit << k;
    }
    QTest::newRow("nine") << "9" << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("letter") << "a" << 0;
    QTest::newRow("two-characters") << "12" << 0;
    QTest::newRow("none") << "" << 0;
    QTest::newRow("blank") << " " << 0;
    QTest::newRow("arabic-indic-three") << QString(QChar(0x0663)) << 0;
    QTest::newRow("fullwidth-three") << QString(QChar(0xFF13)) << 0;
    QTest::newRow("escape") << QString(QChar(27)) << 0;
}

void TestMenuModel::digitKeysChooseSlots() {
    QFETCH(QString, text);
    QFETCH(int, slot);
    const std::optional<std::uint8_t> chosen = MenuModel::slotForKeyText(text.toStdU16String());
    QCOMPARE(chosen.has_value(), slot != 0);
    if (chosen) {
        QCOMPARE(int(*chosen), slot);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Robustness

// Whatever the scroll position asked for, the page keeps the rules: TopEntry within the scroll range,
// slot k showing entry TopEntry + k - 1 or nothing past the end, and slot 8 standing for the second help
// button exactly when it shows the last entry.
void TestMenuModel::randomScrollingKeepsPageRules() {
    for (int entries : {0, 5, 7, 8, 9, 20, 100, 101}) {
        MenuModel model = modelOf(menuContent(entries));
        model.showFirstPage();
        const int count = model.EntryCount();
        std::mt19937 random(20240611U + unsigned(entries));
        std::uniform_int_distribution<int> pick(-20, 140);
        for (int step = 0; step < 2000; ++step) {
            if (step % 3 == 0) {
                model.showPageAt(
                    model.positionAfter(static_cast<ScrollMove>(unsigned(pick(random) + 20) % 6)));
            } else {
                model.showPageAt(pick(random));
            }
            const int top = model.TopEntry();
            QVERIFY(top >= 1 && top <= std::max(1, count - 7));
            for (int k = 1; k <= 8; ++k) {
                const int entry = top + k - 1;
                QCOMPARE(model.entryInSlot(k), entry <= count ? entry : NoEntry);
                const SlotChoice choice = model.chooseSlot(k);
                if (k == 8 && entry == count) {
                    QCOMPARE(int(choice.kind), int(SlotChoice::Kind::ShowHelp));
                } else if (model.isSelectable(entry)) {
                    QCOMPARE(choice.entry, entry);
                } else {
                    QCOMPARE(int(choice.kind), int(SlotChoice::Kind::Nothing));
                }
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestMenuModel)
#include "tst_menu_model.moc"
