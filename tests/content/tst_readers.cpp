#include "byte_text.h"
#include "content_builder.h"
#include "readers.h"

#include <QtTest>

using namespace kvizaro;
using kvizaro::test::bytes;
using kvizaro::test::linesOf;
using kvizaro::test::qbytes;

namespace {

// "caption|sheet" for each entry, to compare whole menus in one line.
QByteArrayList entriesOf(const MenuBlock& menu) {
    QByteArrayList result;
    for (const MenuEntry& entry : menu.entries) {
        result << qbytes(entry.caption + "|" + entry.sheet);
    }
    return result;
}

QByteArrayList buttonsOf(const MenuBlock& menu) {
    QByteArrayList result;
    for (const HelpButton& button : menu.helpButtons) {
        result << qbytes(button.caption + "|" + button.block);
    }
    return result;
}

// "question|instruction|solution1,solution2" for each item.
QByteArrayList itemsOf(const TaskSheet& sheet) {
    QByteArrayList result;
    for (const TaskItem& item : sheet.items) {
        std::string solutions;
        for (const std::string& solution : item.solutions) {
            solutions += (solutions.empty() ? "" : ",") + solution;
        }
        result << qbytes(item.question + "|" + item.instruction + "|" + solutions);
    }
    return result;
}

std::vector<std::string> split(const QByteArrayList& lines) {
    std::vector<std::string> result;
    for (const QByteArray& line : lines) {
        result.push_back(bytes(line));
    }
    return result;
}

} // namespace

class TestReaders : public QObject {
    Q_OBJECT

private slots:
    void menuBlockGivesEntriesAndHelpButtons_data() {
        QTest::addColumn<QByteArrayList>("content");
        QTest::addColumn<QByteArrayList>("entries");
        QTest::addColumn<QByteArrayList>("buttons");

        const QByteArrayList noButtons{"|", "|", "|"};
        QTest::newRow("sample") << QByteArrayList{"#Menuo",
                                                  "Menuero=\"Kezd\xf5knek\",\"\"",
                                                  "Menuero=\"1. K\xf6sz\xf6n\xe9sek\",\"koszones\"",
                                                  "Butono1=\"S\xfag\xf3\",\"sugo\"",
                                                  "Butono2=\"N\xe9vjegy\",\"nevjegy\"",
                                                  "Butono3=\"Bet\xfbk\",\"tajpado\"",
                                                  "#koszones",
                                                  "Menuero=\"late\",\"x\""}
                                << QByteArrayList{"Kezd\xf5knek|", "1. K\xf6sz\xf6n\xe9sek|koszones"}
                                << QByteArrayList{"S\xfag\xf3|sugo", "N\xe9vjegy|nevjegy",
                                                  "Bet\xfbk|tajpado"};
        QTest::newRow("blank-before-equals-is-no-entry")
            << QByteArrayList{"#Menuo", "Menuero =\"x\",\"y\"", "Menuero=\"a\",\"b\"", "#"}
            << QByteArrayList{"a|b"} << noButtons;
        QTest::newRow("button-needs-no-equals")
            << QByteArrayList{"#Menuo", "Butono1 \"S\",\"sugo\"", "Butono2,\"N\",\"nevjegy\"", "#"}
            << QByteArrayList{} << QByteArrayList{"S|sugo", "N|nevjegy", "|"};
        QTest::newRow("later-button-line-wins")
            << QByteArrayList{"#Menuo", "Butono3=\"a\",\"b\"", "Butono3=\"c\",\"d\"", "#"} << QByteArrayList{}
            << QByteArrayList{"|", "|", "c|d"};
        QTest::newRow("unquoted-entry-skipped-whole")
            << QByteArrayList{"#Menuo", "Menuero=\"a\",b", "Menuero=c,d", "Menuero=\"e\",\"f\"", "#"}
            << QByteArrayList{"e|f"} << noButtons;
        QTest::newRow("empty-lines-skipped") << QByteArrayList{"#Menuo", "", "Menuero=\"a\",\"b\"", "", "#"}
                                             << QByteArrayList{"a|b"} << noButtons;
        QTest::newRow("keys-are-case-sensitive")
            << QByteArrayList{"#Menuo", "menuero=\"a\",\"b\"", "butono1=\"c\",\"d\"", "#"} << QByteArrayList{}
            << noButtons;
        QTest::newRow("no-menu-block")
            << QByteArrayList{"#other", "Menuero=\"a\",\"b\"", "Butono1=\"c\",\"d\"", "#"} << QByteArrayList{}
            << noButtons;
        QTest::newRow("menu-name-with-trailing-blank-is-no-menu")
            << QByteArrayList{"#Menuo ", "Menuero=\"a\",\"b\"", "Butono1=\"c\",\"d\"", "#"}
            << QByteArrayList{} << noButtons;
        QTest::newRow("buttons-read-from-menu-block-where-it-stands")
            << QByteArrayList{"#sugo",
                              "Butono1=\"a\",\"b\"",
                              "#Menuo",
                              "Menuero=\"c\",\"d\"",
                              "Butono2=\"e\",\"f\"",
                              "#"}
            << QByteArrayList{"c|d"} << QByteArrayList{"|", "e|f", "|"};
        QTest::newRow("unterminated-menu")
            << QByteArrayList{"#Menuo", "Menuero=\"a\",\"b\""} << QByteArrayList{"a|b"} << noButtons;
        QTest::newRow("empty-content") << QByteArrayList{} << QByteArrayList{} << noButtons;
    }
    void menuBlockGivesEntriesAndHelpButtons() {
        QFETCH(QByteArrayList, content);
        QFETCH(QByteArrayList, entries);
        QFETCH(QByteArrayList, buttons);
        const MenuBlock menu = readMenuBlock(linesOf(split(content)));
        QCOMPARE(entriesOf(menu), entries);
        QCOMPARE(buttonsOf(menu), buttons);
    }

    void menuKeepsTheFirstHundredEntries() {
        std::vector<std::string> content{"#Menuo"};
        for (int i = 1; i <= 130; ++i) {
            content.push_back("Menuero=\"e" + std::to_string(i) + "\",\"s\"");
        }
        content.push_back("#");
        const MenuBlock menu = readMenuBlock(linesOf(content));
        QCOMPARE(menu.entries.size(), MaxMenuEntries);
        QCOMPARE(menu.entries.back().caption, std::string("e100"));
    }

    void taskBlockGivesItemsInFileOrder_data() {
        QTest::addColumn<QByteArrayList>("block");
        QTest::addColumn<QByteArrayList>("items");

        QTest::newRow("two-items") << QByteArrayList{"[tasko]",
                                                     "Demando=\"J\xf3 napot!\"",
                                                     "Instruo=\"Bonan tagon!\"",
                                                     "Solvo=\"Bonan tagon!\"",
                                                     "Solvo=\"Saluton!\"",
                                                     "[tasko]",
                                                     "Demando=\"Hogy vagy?\"",
                                                     "Instruo=\"Cxu vi fartas bone?\"",
                                                     "Solvo=\"Kiel vi fartas?\""}
                                   << QByteArrayList{"J\xf3 napot!|Bonan tagon!|Bonan tagon!,Saluton!",
                                                     "Hogy vagy?|Cxu vi fartas bone?|Kiel vi fartas?"};
        QTest::newRow("lines-before-first-item-ignored")
            << QByteArrayList{"Demando=\"early\"", "[tasko]", "Instruo=\"i\""} << QByteArrayList{"|i|"};
        QTest::newRow("item-line-must-be-exact")
            << QByteArrayList{"[tasko]", "Demando=\"a\"", "[Tasko]", "[tasko] ", "Demando=\"b\""}
            << QByteArrayList{"b||"};
        QTest::newRow("last-question-counts")
            << QByteArrayList{"[tasko]", "Demando=\"a\"", "Demando=\"b\"", "Instruo=\"c\"", "Instruo=\"d\""}
            << QByteArrayList{"b|d|"};
        QTest::newRow("only-key-equals-lines")
            << QByteArrayList{"[tasko]", "demando=\"a\"", "Demando =\"b\"", ";Demando=\"c\"", "Solvo,\"d\""}
            << QByteArrayList{"||"};
        QTest::newRow("unquoted-value-keeps-previous")
            << QByteArrayList{"[tasko]", "Demando=\"a\"", "Demando=b", "Solvo=c", "Solvo=\"d\""}
            << QByteArrayList{"a||d"};
        QTest::newRow("empty-lines-skipped")
            << QByteArrayList{"", "[tasko]", "", "Solvo=\"x\"", ""} << QByteArrayList{"||x"};
        QTest::newRow("no-items") << QByteArrayList{"Demando=\"a\""} << QByteArrayList{};
    }
    void taskBlockGivesItemsInFileOrder() {
        QFETCH(QByteArrayList, block);
        QFETCH(QByteArrayList, items);
        std::vector<std::string> content{"#Menuo", "#lecke"};
        for (const std::string& line : split(block)) {
            content.push_back(line);
        }
        content.insert(content.end(), {"#next", "[tasko]", "Demando=\"other\"", "#"});
        QCOMPARE(itemsOf(readTaskBlock(linesOf(content), "lecke")), items);
    }

    void taskBlockIsFoundByItsExactName_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArrayList>("items");
        QTest::newRow("first-of-two") << QByteArray("a") << QByteArrayList{"first||"};
        QTest::newRow("case-sensitive") << QByteArray("A") << QByteArrayList{"upper||"};
        QTest::newRow("missing") << QByteArray("z") << QByteArrayList{};
        QTest::newRow("unterminated-last") << QByteArray("last") << QByteArrayList{"end||"};
    }
    void taskBlockIsFoundByItsExactName() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArrayList, items);
        const ContentLines lines{
            "#a", "[tasko]", "Demando=\"first\"", "#a",    "[tasko]", "Demando=\"second\"",
            "#A", "[tasko]", "Demando=\"upper\"", "#last", "[tasko]", "Demando=\"end\""};
        QCOMPARE(itemsOf(readTaskBlock(lines, bytes(name))), items);
    }

    void taskBlockKeepsTheFirst200ItemsAnd15Solutions() {
        std::vector<std::string> content{"#s"};
        for (int i = 1; i <= 230; ++i) {
            content.insert(content.end(), {"[tasko]", "Demando=\"q" + std::to_string(i) + "\""});
            for (int k = 1; k <= 20; ++k) {
                content.push_back("Solvo=\"a" + std::to_string(k) + "\"");
            }
        }
        content.push_back("#");
        const TaskSheet sheet = readTaskBlock(linesOf(content), "s");
        QCOMPARE(sheet.items.size(), MaxQuestions);
        QCOMPARE(sheet.items.back().question, std::string("q200"));
        QCOMPARE(sheet.items.front().solutions.size(), MaxSolutions);
        QCOMPARE(sheet.items.front().solutions.back(), std::string("a15"));
    }

    void helpBlockLinesAreShownAsStored_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArrayList>("text");
        QTest::newRow("empty-lines-and-markup")
            << QByteArray("sugo") << QByteArrayList{"V\xe1lassz!", "", ";megjegyz\xe9s", "[x]", ""};
        QTest::newRow("directly-closed") << QByteArray("ures") << QByteArrayList{};
        QTest::newRow("first-of-two") << QByteArray("dup") << QByteArrayList{"one"};
        QTest::newRow("empty-name-is-lone-hash") << QByteArray("") << QByteArrayList{"after-hash"};
        QTest::newRow("missing-is-empty") << QByteArray("nenio") << QByteArrayList{};
        QTest::newRow("runs-to-last-line") << QByteArray("fino") << QByteArrayList{"last", ""};
    }
    void helpBlockLinesAreShownAsStored() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArrayList, text);
        const ContentLines lines{
            "#sugo", "V\xe1lassz!", "",  ";megjegyz\xe9s", "[x]",   "",     "#ures", "#dup", "one",
            "#dup",  "two",         "#", "after-hash",     "#fino", "last", ""};
        QByteArrayList shown;
        for (const std::string& line : readHelpBlock(lines, bytes(name))) {
            shown << qbytes(line);
        }
        QCOMPARE(shown, text);
    }
};

QTEST_APPLESS_MAIN(TestReaders)
#include "tst_readers.moc"
