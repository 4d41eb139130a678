#include "adt_check.h"
#include "adt_cli.h"
#include "adt_codec.h"
#include "byte_text.h"
#include "readers.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace kvizaro;
using kvizaro::test::bytes;
using kvizaro::test::qbytes;

namespace {

// A crafted lesson source from tests/data/check, stored as the program would read it.
std::string storedLesson(const QString& name) {
    QFile file(QStringLiteral(KVIZARO_TEST_DATA_DIR "/check/") + name + QStringLiteral(".txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return encodeSource(bytes(file.readAll())).stored;
}

// "line:kind:words" for one expected finding: the line it is reported at, "error" or "warning", and words its
// message must hold.
using Expected = QByteArrayList;

QByteArray kindOf(const Finding& finding) {
    return finding.severity == Severity::Fault ? "error" : "warning";
}

} // namespace

class TestAdtCheck : public QObject {
    Q_OBJECT

private slots:
    void checkReportsWhatTheProgramWouldSkipOrMisshow_data() {
        QTest::addColumn<QString>("lesson");
        QTest::addColumn<Expected>("findings");
        auto row = [](const char* lesson, Expected findings) {
            QTest::newRow(lesson) << QString::fromLatin1(lesson) << findings;
        };
        row("clean", {});
        row("blank_before_equals", {"14:error:no \"Instruo\"", "16:error:blank follows the key \"Instruo\""});
        row("comma_before_equals", {"18:error:parser status 38"});
        row("no_equals", {"18:error:no \"=\" (parser status 80)"});
        row("unclosed_section", {"18:error:exactly \"[tasko]\""});
        row("wrong_section", {"18:error:exactly \"[tasko]\""});
        row("unknown_key", {"18:error:unknown key \"demando\""});
        row("value_without_quotes", {"14:error:no \"Instruo\"", "16:error:not in double quotes"});
        row("unclosed_quote", {"14:error:no \"Instruo\"", "16:error:parser status 48"});
        row("comma_outside_quotes", {"15:error:parser status 50", "15:error:text outside the double quotes"});
        row("text_outside_quotes", {"15:error:text outside the double quotes"});
        row("missing_field", {"3:error:block name is missing"});
        row("extra_values", {"17:error:more values"});
        row("entry_names_missing_block", {"4:error:\"b\", which does not exist"});
        row("button_names_missing_block",
            {"10:error:\"segitseg\", which does not exist", "23:error:\"sugo\" is never opened",
             "25:error:empty line outside a help block"});
        row("button_line_missing", {"1:error:no line \"Butono3\""});
        row("few_entries", {"1:warning:fewer than 8"});
        row("last_entry_not_help_block_2", {"9:warning:slot 8"});
        row("incomplete_items",
            {"14:error:no \"Demando\"", "17:error:no \"Instruo\"", "20:error:no \"Solvo\""});
        row("model_answer_not_accepted", {"16:error:not among the accepted answers"});
        row("repeated_question", {"17:error:second \"Demando\""});
        row("line_before_first_item", {"14:error:before the first \"[tasko]\""});
        row("duplicate_block", {"31:error:defined again (first at line 13)"});
        row("missing_final_marker", {"30:error:does not end with a line \"#\""});
        row("empty_line_in_task_block", {"18:error:empty line outside a help block"});
        row("esperanto_letter_in_caption", {"3:error:'Ĉ' shows as 'Ć'"});
        row("esperanto_letter_in_help_text", {"24:error:'ŝ' shows as 'ţ'"});
        row("question_misshown", {"15:error:'ł' shows as '³' in the Esperanto font"});
        row("solution_cannot_be_typed", {"18:error:cannot be typed"});
        row("solution_only_punctuation", {"18:error:only blanks and punctuation"});
        row("block_never_opened", {"31:error:\"z\" is never opened"});
        row("no_typing_help", {"0:error:no block \"tajpado\"", "12:error:\"tajpado\", which does not exist",
                               "29:error:\"tipoj\" is never opened"});
        row("menu_block_not_first", {});
        row("no_menu_block", {"0:error:no block \"#Menuo\"", "1:error:\"Menuo \" is never opened",
                              "5:error:\"a\" is never opened", "10:error:\"sugo\" is never opened"});
        row("long_line", {"26:error:268 characters long"});
        row("too_many_entries",
            {"101:warning:slot 8", "102:error:beyond the 100th", "103:error:beyond the 100th"});
        row("too_many_items", {"814:error:beyond the 200th"});
        row("too_many_answers", {"32:error:beyond the 15th"});
        // Advice: the program reads these as written.
        row("redundant_answers",
            {"18:warning:\"bonan  tagon\" is redundant: the answer check takes it for the "
             "one at line 17",
             "19:warning:\"Bonan tagon.\" is redundant", "24:warning:\"ĉambro\" is redundant",
             "25:warning:\"CXAMBRO\" is redundant"});
        row("sentence_with_one_answer",
            {"17:warning:a sentence of 3 words with a single accepted answer",
             "21:warning:a sentence of 3 words with a single accepted answer", "22:warning:is redundant"});
        row("accented_capital_without_twin",
            {"17:warning:add \"ők itt vannak.\" too", "38:warning:add \" út\" too"});
        row("question_asked_twice", {"23:warning:asked already at line 15 of this sheet",
                                     "32:warning:asked already at line 15, in the sheet \"a\""});
    }
    void checkReportsWhatTheProgramWouldSkipOrMisshow() {
        QFETCH(QString, lesson);
        QFETCH(Expected, findings);
        const std::string stored = storedLesson(lesson);
        QVERIFY(!stored.empty());
        const std::vector<Finding> found = checkStored(stored);
        QByteArrayList reported;
        for (const Finding& finding : found) {
            reported << QByteArray::number(qulonglong(finding.line)) + ':' + kindOf(finding) + ':' +
                            qbytes(finding.message);
        }
        QVERIFY2(reported.size() == findings.size(), reported.join('\n').constData());
        for (qsizetype i = 0; i < findings.size(); ++i) {
            const QByteArrayList parts = findings[i].split(':');
            const QByteArray words = findings[i].mid(parts[0].size() + parts[1].size() + 2);
            const Finding& finding = found[std::size_t(i)];
            QCOMPARE(QByteArray::number(qulonglong(finding.line)), parts[0]);
            QCOMPARE(kindOf(finding), parts[1]);
            QVERIFY2(qbytes(finding.message).contains(words), reported[i].constData());
        }
    }

    void endOfFileByteInsideIsReported_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("line");
        QTest::newRow("inside-a-line") << QByteArray("$Nfovp\r\n$\x1a$\r\n") << 2;
        // At a line's start the program sees no line there: the finding names the line before.
        QTest::newRow("at-a-line-start") << QByteArray("$Nfovp\r\n\x1a$\r\n") << 1;
        QTest::newRow("at-the-file-start") << QByteArray("\x1a$Nfovp\r\n") << 0;
    }
    void endOfFileByteInsideIsReported() {
        QFETCH(QByteArray, stored);
        QFETCH(int, line);
        const std::vector<Finding> found = checkStoredBytes(bytes(stored));
        QCOMPARE(found.size(), std::size_t{1});
        QCOMPARE(found[0].line, std::size_t(line));
    }

    void endOfFileByteAtTheEndIsHarmless() { QVERIFY(checkStoredBytes("$Nfovp\r\n\x1a").empty()); }

    // Pieces of real lines and stray bytes in random order: the checker must neither crash nor report a line
    // the file does not have.
    void randomFilesAreCheckedSafely() {
        const std::vector<std::string> pieces{"#Menuo",
                                              "#a",
                                              "#",
                                              "[tasko]",
                                              "[tasko",
                                              "Menuero=\"a\",\"a\"",
                                              "Menuero=\"\",\"\"",
                                              "Butono2=\"b\",\"a\"",
                                              "Demando=\"x",
                                              "Solvo=\"?\"",
                                              "Instruo=x,\"y\"",
                                              "REMARK",
                                              "",
                                              "=",
                                              "\xe6\xb3"};
        QRandomGenerator random(20240611);
        for (int round = 0; round < 2000; ++round) {
            std::string stored;
            const int lineCount = random.bounded(40);
            for (int i = 0; i < lineCount; ++i) {
                std::string line = pieces[random.bounded(quint32(pieces.size()))];
                if (random.bounded(4) == 0) {
                    line += static_cast<char>(random.bounded(256));
                }
                for (char c : line) {
                    stored += static_cast<char>(static_cast<unsigned char>(c) + 1U);
                }
                stored += random.bounded(8) == 0 ? "\n" : "\r\n";
            }
            const std::size_t lines = decodeContent(stored).size();
            for (const Finding& finding : checkStored(stored)) {
                QVERIFY(finding.line <= lines);
            }
        }
    }

    void oversizedFileIsReported() {
        const std::vector<Finding> found = checkStoredBytes(std::string(MaxContentFileSize + 1, '$'));
        QVERIFY(!found.empty());
        QCOMPARE(found[0].line, std::size_t{0});
        QVERIFY(found[0].message.find("File too large") != std::string::npos);
    }

    // check and decode read a file the same way, so a file that cannot be read gets the same words.
    void checkReportsUnreadableFilesAsDecodeDoes_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("directory") << "directory";
        QTest::newRow("unreadable") << "locked";
    }
    void checkReportsUnreadableFilesAsDecodeDoes() {
        QFETCH(QString, kind);
        if (kind == QStringLiteral("locked") && ::geteuid() == 0) {
            QSKIP("root may read anything");
        }
        QTemporaryDir dir;
        std::string path = dir.path().toStdString() + "/enhavo.adt";
        if (kind == QStringLiteral("directory")) {
            path = dir.path().toStdString();
        } else if (kind == QStringLiteral("locked")) {
            std::ofstream(path) << "$Nfovp\r\n";
            ::chmod(path.c_str(), 0);
        }
        auto run = [&](const char* command) {
            std::ostringstream out;
            std::ostringstream err;
            const int code = runAdt({command, path}, out, err);
            return std::make_pair(code, err.str());
        };
        const auto decoded = run("decode");
        const auto checked = run("check");
        QCOMPARE(decoded.first, int(adt_exit::FileFailure));
        QCOMPARE(checked.first, decoded.first);
        QCOMPARE(QString::fromStdString(checked.second), QString::fromStdString(decoded.second));
    }

    void emptyFileIsReported() { QCOMPARE(checkStored("").size(), std::size_t{1}); }

    // No faults; of the advice only sentences with one accepted answer, which change-the-form exercises
    // ("Múlt időben: ...") rightly have. The authoring rules ask for the rest: a question appears once, an
    // accented capital comes with its small twin.
    void defaultLessonsAreClean() {
        QFile file(QStringLiteral(KVIZARO_DEFAULT_CONTENT));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::vector<Finding> found = checkStored(bytes(file.readAll()));
        for (const Finding& finding : found) {
            const bool allowed = finding.severity == Severity::Warning &&
                                 finding.message.find("single accepted answer") != std::string::npos;
            if (!allowed) {
                qWarning("line %zu: %s", finding.line, finding.message.c_str());
            }
            QVERIFY(allowed);
        }
    }

    // What the learner is promised: enough sheets and questions, grouped by headings, with alternatives.
    void defaultLessonsAreComplete() {
        const LoadResult loaded = LoadContent(KVIZARO_DEFAULT_CONTENT);
        const MenuBlock menu = readMenuBlock(loaded.lines);
        QVERIFY(menu.entries.size() >= 8);
        std::set<std::string> sheets;
        std::size_t headings = 0;
        for (std::size_t e = 0; e + 1 < menu.entries.size(); ++e) {
            headings += menu.entries[e].isHeading() ? 1U : 0U;
            if (!menu.entries[e].isHeading()) {
                sheets.insert(menu.entries[e].sheet);
            }
        }
        QVERIFY(sheets.size() >= 40);
        QVERIFY(headings >= 5);
        std::size_t questions = 0;
        std::size_t withAlternatives = 0;
        for (const std::string& sheet : sheets) {
            for (const TaskItem& item : readTaskBlock(loaded.lines, sheet).items) {
                ++questions;
                withAlternatives += item.solutions.size() > 1 ? 1U : 0U;
            }
        }
        QVERIFY(questions >= 800);
        QVERIFY(withAlternatives >= 300);
        QCOMPARE(menu.entries.back().sheet, menu.helpButtons[1].block);
        QCOMPARE(menu.entries.back().caption, menu.helpButtons[1].caption);
        for (const HelpButton& button : menu.helpButtons) {
            QVERIFY(readHelpBlock(loaded.lines, button.block).size() > 1);
        }
        const std::vector<std::string> typing = readHelpBlock(loaded.lines, TypingHelpBlockName);
        QVERIFY(std::any_of(typing.begin(), typing.end(),
                            [](const std::string& line) { return line.find("cx") != std::string::npos; }));
    }

    // The question panel shows about 55 characters; a longer question is cut off on screen.
    void defaultLessonQuestionsFitTheirPanel() {
        for (const TaskItem& item : defaultLessonItems()) {
            if (item.question.size() > 55) {
                qWarning("too long: %s", contentBytesToUtf8(item.question).c_str());
            }
            QVERIFY(item.question.size() <= 55);
        }
    }

    // Case folds only for ASCII letters: an answer that begins with an accented Hungarian capital is listed
    // with its small first letter too, so a learner may type either.
    void defaultLessonAnswersGiveAccentedCapitalsBothCases() {
        for (const TaskItem& item : defaultLessonItems()) {
            for (const std::string& solution : item.solutions) {
                const auto first = static_cast<unsigned char>(solution.empty() ? 0 : solution.front());
                if (!isHungarianAccentedCapital(first)) {
                    continue;
                }
                std::string twin = solution;
                twin.front() = static_cast<char>(first + 0x20);
                if (std::find(item.solutions.begin(), item.solutions.end(), twin) == item.solutions.end()) {
                    qWarning("no small twin: %s", contentBytesToUtf8(solution).c_str());
                }
                QVERIFY(std::find(item.solutions.begin(), item.solutions.end(), twin) !=
                        item.solutions.end());
            }
        }
    }

private:
    // Á É Í Ó Ő Ö Ú Ű Ü in Windows-1250; each small letter is 0x20 above its capital.
    static bool isHungarianAccentedCapital(unsigned char byte) {
        static const std::set<unsigned char> capitals{0xC1, 0xC9, 0xCD, 0xD3, 0xD5, 0xD6, 0xDA, 0xDB, 0xDC};
        return capitals.contains(byte);
    }

    static std::vector<TaskItem> defaultLessonItems() {
        const LoadResult loaded = LoadContent(KVIZARO_DEFAULT_CONTENT);
        std::vector<TaskItem> items;
        for (const MenuEntry& entry : readMenuBlock(loaded.lines).entries) {
            if (!entry.isHeading()) {
                const TaskSheet sheet = readTaskBlock(loaded.lines, entry.sheet);
                items.insert(items.end(), sheet.items.begin(), sheet.items.end());
            }
        }
        return items;
    }
};

QTEST_GUILESS_MAIN(TestAdtCheck)
#include "tst_adt_check.moc"
