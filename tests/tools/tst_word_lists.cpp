#include "adt_check.h"
#include "adt_cli.h"
#include "adt_codec.h"
#include "byte_text.h"
#include "csv_word_list.h"
#include "kvtml_word_list.h"
#include "test_files.h"
#include "word_list.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

using namespace kvizaro;
using kvizaro::test::bytes;

using kvizaro::test::readAll;
using kvizaro::test::writeAll;

namespace {

// "sheet: question>answer+accepted+accepted | question>answer / next sheet: ..." - a whole reading in a line.
QString describe(const std::vector<WordSheet>& sheets) {
    QStringList described;
    for (const WordSheet& sheet : sheets) {
        QStringList items;
        for (const WordItem& item : sheet.items) {
            QString text = QString::fromStdString(item.question + ">" + item.answer);
            for (const std::string& accepted : item.accepted) {
                text += QStringLiteral("+") + QString::fromStdString(accepted);
            }
            items << text;
        }
        described << QString::fromStdString(sheet.name) + QStringLiteral(": ") +
                         items.join(QStringLiteral(" | "));
    }
    return described.join(QStringLiteral(" / "));
}

QString describe(const std::vector<WordListProblem>& problems) {
    QStringList described;
    for (const WordListProblem& problem : problems) {
        described << QString::fromStdString(problem.origin + ": " + problem.message);
    }
    return described.join(QStringLiteral("\n"));
}

// What the program would read otherwise than written, in the stored form of a source: check's errors,
// which make it exit 1; its warnings are advice and leave it at 0.
QString findingsOf(const std::string& source) {
    const EncodeResult encoded = encodeSource(source);
    if (!encoded.ok()) {
        return QStringLiteral("cannot encode");
    }
    QStringList described;
    for (const Finding& finding : checkStored(encoded.stored)) {
        if (finding.severity != Severity::Fault) {
            continue;
        }
        described << QString::number(finding.line) + QStringLiteral(": ") +
                         QString::fromStdString(finding.message);
    }
    return described.join(QStringLiteral("\n"));
}

WordSheet sheetOf(const std::string& name, std::size_t count, const std::string& stem = "kérdés") {
    WordSheet sheet{name, {}};
    for (std::size_t i = 0; i < count; ++i) {
        sheet.items.push_back(
            {stem + " " + std::to_string(i + 1), "respondo", {}, "line " + std::to_string(i + 2)});
    }
    return sheet;
}

int runKvizaroAdt(const QStringList& arguments) {
    std::vector<std::string> args;
    for (const QString& argument : arguments) {
        args.push_back(argument.toStdString());
    }
    std::ostringstream out;
    std::ostringstream err;
    return runAdt(args, out, err);
}

const QByteArray Kvtml = R"(<?xml version="1.0" encoding="UTF-8"?>
<kvtml version="2.0">
 <identifiers>
  <identifier id="0"><name>Magyar</name></identifier>
  <identifier id="1"><name>Eszperantó</name></identifier>
 </identifiers>
 <entries>
  <entry id="0"><translation id="0"><text>alma</text></translation><translation id="1"><text>pomo</text></translation></entry>
  <entry id="1"><translation id="0"><text>enni</text></translation><translation id="1"><text>manĝi; vori | formanĝi</text></translation></entry>
  <entry id="2"><translation id="0"><text>ház</text></translation></entry>
  <entry id="3"><translation id="0"><text>ma</text></translation><translation id="1"><text>hodiaŭ</text></translation></entry>
  <entry id="4"><translation id="0"><text>kék</text></translation><translation id="1"><text>blua</text><comparison><comparative><text>pli blua</text></comparative></comparison></translation></entry>
 </entries>
 <lessons>
  <container><name>Étel</name><entry id="0"/>
   <container><name>Igék</name><entry id="1"/><entry id="2"/></container>
   <container><name>Üres</name></container>
  </container>
  <container><name>Színek</name><entry id="4"/></container>
  <container><entry id="0"/></container>
 </lessons>
 <wordtypes>
  <container><name>Főnév</name><entry id="3"/></container>
 </wordtypes>
</kvtml>
)";

} // namespace

class TestWordLists : public QObject {
    Q_OBJECT

private slots:
    void csvRowsFormSheets_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<bool>("tabs");
        QTest::addColumn<QString>("sheets");
        QTest::newRow("quoted_comma_quote_and_line_break")
            << QByteArray("sheet,question,answer\nA,\"egy, kettő\",\"unu,\r\ndu\"\nA,\"a \"\"b\"\"\",c\n")
            << false << QStringLiteral("A: egy, kettő>unu, du | a \"b\">c");
        QTest::newRow("byte_order_mark_and_crlf")
            << QByteArray("\xEF\xBB\xBFsheet,question,answer\r\nA,x,y\r\n") << false
            << QStringLiteral("A: x>y");
        QTest::newRow("semicolons_when_the_header_has_no_comma")
            << QByteArray("Sheet;Question;Answer\nA;egy, kettő;unu\n") << false
            << QStringLiteral("A: egy, kettő>unu");
        QTest::newRow("comma_wins_over_semicolon")
            << QByteArray("sheet,question,answer\nA,x;y,z\n") << false << QStringLiteral("A: x;y>z");
        QTest::newRow("columns_in_any_order_and_case")
            << QByteArray("ACCEPTED,Answer,accepted,Question,SHEET\nb,a,c,q,S\n") << false
            << QStringLiteral("S: q>a+b+c");
        QTest::newRow("empty_cells_and_rows")
            << QByteArray("sheet,question,answer,accepted,accepted\nA,q1,a1,,x\n,,,,\n,q2,a2,,\nB,q3,a3,,\n")
            << false << QStringLiteral("A: q1>a1+x | q2>a2 / B: q3>a3");
        QTest::newRow("sheets_in_order_of_first_appearance")
            << QByteArray("sheet,question,answer\nB,1,1\nA,2,2\nB,3,3\n") << false
            << QStringLiteral("B: 1>1 | 3>3 / A: 2>2");
        QTest::newRow("no_sheet_column")
            << QByteArray("question,answer\nq,a\n") << false << QStringLiteral("Szavak: q>a");
        QTest::newRow("tabs") << QByteArray("sheet\tquestion\tanswer\nA\tegy, kettő\tunu; du\n") << true
                              << QStringLiteral("A: egy, kettő>unu; du");
        QTest::newRow("hungarian_names_in_any_case")
            << QByteArray("Lap;KÉRDÉS;válasz;ELFOGADOTT\nA;kés;tranĉilo;trancxilo\n") << false
            << QStringLiteral("A: kés>tranĉilo+trancxilo");
        QTest::newRow("block_keeps_equal_names_apart")
            << QByteArray("sheet,question,answer,block\nA,1,1,x\nA,2,2,y\nA,3,3,x\n,4,4,\n") << false
            << QStringLiteral("A: 1>1 | 3>3 | 4>4 / A: 2>2");
        QTest::newRow("blanks_trimmed")
            << QByteArray("question,answer\n  q  ,\" a \"\n") << false << QStringLiteral("Szavak: q>a");
    }
    void csvRowsFormSheets() {
        QFETCH(QByteArray, input);
        QFETCH(bool, tabs);
        QFETCH(QString, sheets);
        const WordListReading reading = readCsvWordList(bytes(input), tabs ? CsvKind::Tsv : CsvKind::Csv);
        QCOMPARE(describe(reading.errors), QString());
        QCOMPARE(describe(reading.sheets), sheets);
    }

    void csvRefused_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("problem");
        QTest::newRow("latin2_on_line_3") << QByteArray("question,answer\nq,a\nk\xE9k,blua\n")
                                          << QStringLiteral("line 3: the text is not UTF-8");
        QTest::newRow("latin2_after_a_quoted_line_break")
            << QByteArray("question,answer\n\"q\nr\",a\nk\xE9k,blua\n")
            << QStringLiteral("line 4: the text is not UTF-8");
        QTest::newRow("utf16") << QByteArray("\xFF\xFEq\0u\0", 6)
                               << QStringLiteral("line 1: the file is UTF-16");
        QTest::newRow("unknown_column")
            << QByteArray("question,answer,note\n") << QStringLiteral("line 1: unknown column \"note\"");
        QTest::newRow("no_answer_column")
            << QByteArray("sheet,question\n")
            << QStringLiteral("line 1: the header names no \"question\" or no \"answer\"");
        QTest::newRow("empty_answer") << QByteArray("question,answer,accepted\nq1,a\nq2,,b\n")
                                      << QStringLiteral("line 3: the answer is empty");
        QTest::newRow("unclosed_quote")
            << QByteArray("question,answer\nq,a\n\"q2,b\nq3,c\n")
            << QStringLiteral("line 3: a double quote opens a field that never closes");
        QTest::newRow("no_rows") << QByteArray("question,answer\n")
                                 << QStringLiteral("line 1: the file holds no questions");
    }
    void csvRefused() {
        QFETCH(QByteArray, input);
        QFETCH(QString, problem);
        const WordListReading reading = readCsvWordList(bytes(input), CsvKind::Csv);
        QVERIFY2(describe(reading.errors).startsWith(problem), qPrintable(describe(reading.errors)));
    }

    void kvtmlEntriesFormSheets_data() {
        QTest::addColumn<int>("ask");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("sheets");
        QTest::addColumn<QString>("warnings");
        // Nested lessons named by path, an empty lesson dropped, alternatives split, entry 2 lacks side 1,
        // entry 3 is in no lesson; the comparison's text is no translation text.
        QTest::newRow("default_sides")
            << 0 << 1
            << QStringLiteral("Étel: alma>pomo / Étel / Igék: enni>manĝi+vori+formanĝi / Színek: kék>blua / "
                              "Lecke 5: alma>pomo / Leckén kívül: ma>hodiaŭ")
            << QStringLiteral("entry 2 (line 10): no text for identifier 1; the entry is left out");
        QTest::newRow("reversed_sides")
            << 1 << 0
            << QStringLiteral(
                   "Étel: pomo>alma / Étel / Igék: manĝi; vori | formanĝi>enni / Színek: blua>kék / "
                   "Lecke 5: pomo>alma / Leckén kívül: hodiaŭ>ma")
            << QStringLiteral("entry 2 (line 10): no text for identifier 1; the entry is left out");
    }
    void kvtmlEntriesFormSheets() {
        QFETCH(int, ask);
        QFETCH(int, answer);
        QFETCH(QString, sheets);
        QFETCH(QString, warnings);
        const WordListReading reading =
            readKvtmlWordList(bytes(Kvtml), {std::size_t(ask), std::size_t(answer)});
        QCOMPARE(describe(reading.errors), QString());
        QCOMPARE(describe(reading.sheets), sheets);
        QCOMPARE(describe(reading.warnings), warnings);
    }

    void kvtmlRefused_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("problem");
        QTest::newRow("not_xml") << QByteArray("sheet,question,answer\n")
                                 << QStringLiteral("line 1: not KVTML");
        QTest::newRow("unclosed_element")
            << QByteArray("<kvtml>\n<entries>\n</kvtml>\n") << QStringLiteral("line 3: not KVTML");
        QTest::newRow("no_usable_entry")
            << QByteArray("<kvtml><entries><entry id=\"0\"><translation id=\"0\"><text>a</text></translation>"
                          "</entry></entries></kvtml>")
            << QStringLiteral("the file: holds no entry");
    }
    void kvtmlRefused() {
        QFETCH(QByteArray, input);
        QFETCH(QString, problem);
        const WordListReading reading = readKvtmlWordList(bytes(input), {});
        QVERIFY2(describe(reading.errors).startsWith(problem), qPrintable(describe(reading.errors)));
    }

    // Every import checks clean, whatever the number of sheets; Esperanto letters go where the font needs
    // them.
    void lessonSourceChecksClean_data() {
        QTest::addColumn<int>("sheetCount");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("menuEntries");
        QTest::newRow("one_sheet") << 1 << 3 << 8;
        QTest::newRow("split_in_three_parts") << 1 << 401 << 8;
        QTest::newRow("eight_sheets") << 8 << 2 << 11;
        QTest::newRow("menu_full") << 97 << 1 << 100;
    }
    void lessonSourceChecksClean() {
        QFETCH(int, sheetCount);
        QFETCH(int, questions);
        QFETCH(int, menuEntries);
        std::vector<WordSheet> sheets;
        for (int s = 0; s < sheetCount; ++s) {
            sheets.push_back(sheetOf("Ĉapitro " + std::to_string(s + 1), std::size_t(questions), "ĉu"));
            sheets.back().items.front().answer = "ĉu ne";
            sheets.back().items.front().accepted = {"ĉu ne", "Ĉu"};
        }
        const LessonSourceResult result = wordListToSource(sheets);
        QCOMPARE(describe(result.errors), QString());
        QCOMPARE(findingsOf(result.source), QString());
        QCOMPARE(int(QString::fromStdString(result.source).count(QStringLiteral("\nMenuero="))), menuEntries);
        QVERIFY(
            result.source.find("Demando=\"ĉu 1\"\nInstruo=\"cxu ne\"\nSolvo=\"cxu ne\"\nSolvo=\"Cxu\"\n") !=
            std::string::npos);
        QVERIFY(result.source.find("Menuero=\"Cxapitro 1") != std::string::npos);
    }

    void lessonSourceRefused_data() {
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("acceptedCount");
        QTest::addColumn<int>("sheetCount");
        QTest::addColumn<QString>("problem");
        QTest::newRow("question_fits") << QString(245, QLatin1Char('q')) << 0 << 1 << QString();
        QTest::newRow("question_too_long")
            << QString(246, QLatin1Char('q')) << 0 << 1
            << QStringLiteral("line 2: the question is 246 characters long; its line holds 245");
        QTest::newRow("fifteen_answers") << QStringLiteral("q") << 14 << 1 << QString();
        QTest::newRow("sixteen_answers")
            << QStringLiteral("q") << 15 << 1
            << QStringLiteral("line 2: 16 accepted answers; a question holds at most 15");
        QTest::newRow("character_without_byte")
            << QStringLiteral("ćevap") << 0 << 1 << QStringLiteral("line 2: the question \"ćevap\": U+0107");
        QTest::newRow("misshown_in_the_esperanto_font")
            << QStringLiteral("čaj") << 0 << 1
            << QStringLiteral("line 2: the question \"čaj\": 'č' shows as");
        QTest::newRow("double_quote")
            << QStringLiteral("a \"b\"") << 0 << 1
            << QStringLiteral("line 2: the question \"a \"b\"\" holds a double quote");
        QTest::newRow("too_many_sheets")
            << QStringLiteral("q") << 0 << 98
            << QStringLiteral(": 98 sheets (parts of 200 questions counted); the menu holds 97");
    }
    void lessonSourceRefused() {
        QFETCH(QString, question);
        QFETCH(int, acceptedCount);
        QFETCH(int, sheetCount);
        QFETCH(QString, problem);
        std::vector<WordSheet> sheets(std::size_t(sheetCount), sheetOf("S", 1));
        for (int a = 0; a < acceptedCount; ++a) {
            sheets.front().items.front().accepted.push_back("alia " + std::to_string(a));
        }
        sheets.front().items.front().question = question.toStdString();
        const LessonSourceResult result = wordListToSource(sheets);
        QVERIFY2(describe(result.errors).startsWith(problem), qPrintable(describe(result.errors)));
        QCOMPARE(result.source.empty(), !problem.isEmpty());
    }

    // Export and import again: every sheet, question and answer comes back, so the sources are the same.
    void exportThenImportRoundTrips_data() {
        QTest::addColumn<QByteArray>("wordList");
        QTest::newRow("quotes_hats_and_alternatives") << QByteArray(
            "sheet;question;answer;accepted;accepted\nĈambro;\"szoba, terem\";ĉambro;salono;Ĉambro\n"
            "Ĉambro;egy; du ; unu\nMásik;ház;domo;;\n Ĉambro ;Hogy vagy?;Kiel vi fartas?;\"Ĉu bone, "
            "ĉu?\";\n");
        QByteArray long_("question,answer\n");
        for (int i = 0; i < 250; ++i) {
            long_ += "kérdés " + QByteArray::number(i) + ",respondo " + QByteArray::number(i) + "\n";
        }
        QTest::newRow("sheet_in_two_parts") << long_;
    }
    void exportThenImportRoundTrips() {
        QFETCH(QByteArray, wordList);
        QTemporaryDir dir;
        const QString path = dir.path();
        writeAll(path + QStringLiteral("/list.csv"), wordList);
        QCOMPARE(runKvizaroAdt({QStringLiteral("import"), QStringLiteral("csv"),
                                path + QStringLiteral("/list.csv"), path + QStringLiteral("/first.txt")}),
                 adt_exit::Ok);
        QCOMPARE(runKvizaroAdt({QStringLiteral("encode"), path + QStringLiteral("/first.txt"),
                                path + QStringLiteral("/first.adt")}),
                 adt_exit::Ok);
        QCOMPARE(runKvizaroAdt({QStringLiteral("export"), QStringLiteral("csv"),
                                path + QStringLiteral("/first.adt"), path + QStringLiteral("/back.csv")}),
                 adt_exit::Ok);
        QVERIFY(readAll(path + QStringLiteral("/back.csv"))
                    .startsWith("\xEF\xBB\xBFsheet,question,answer,accepted"));
        QCOMPARE(runKvizaroAdt({QStringLiteral("import"), QStringLiteral("csv"),
                                path + QStringLiteral("/back.csv"), path + QStringLiteral("/second.txt")}),
                 adt_exit::Ok);
        QCOMPARE(readAll(path + QStringLiteral("/second.txt")), readAll(path + QStringLiteral("/first.txt")));
        // The lesson source exports the same as its stored form.
        QCOMPARE(
            runKvizaroAdt({QStringLiteral("export"), QStringLiteral("csv"),
                           path + QStringLiteral("/first.txt"), path + QStringLiteral("/from_source.csv")}),
            adt_exit::Ok);
        QCOMPARE(readAll(path + QStringLiteral("/from_source.csv")),
                 readAll(path + QStringLiteral("/back.csv")));
    }

    // Sheets a teacher captioned alike stay apart, and answers come out with the letters the teacher typed.
    void exportKeepsEqualCaptionsApartInRealLetters() {
        QTemporaryDir dir;
        const QString path = dir.path();
        writeAll(path + QStringLiteral("/lecke.txt"),
                 "#Menuo\nMenuero=\"Ismétlés\",\"a\"\nMenuero=\"Ismétlés\",\"b\"\n#a\n[tasko]\n"
                 "Demando=\"kés\"\nInstruo=\"trancxilo\"\nSolvo=\"trancxilo\"\n#b\n[tasko]\n"
                 "Demando=\"ősz\"\nInstruo=\"auxtuno\"\nSolvo=\"auxtuno\"\n#\n");
        const auto adt = [&](const char* command, const char* from, const char* to) {
            return runKvizaroAdt({QLatin1String(command), QStringLiteral("csv"), path + QLatin1String(from),
                                  path + QLatin1String(to)});
        };
        QCOMPARE(adt("export", "/lecke.txt", "/first.csv"), adt_exit::Ok);
        QCOMPARE(adt("import", "/first.csv", "/back.adt"), adt_exit::Ok);
        QCOMPARE(adt("export", "/back.adt", "/second.csv"), adt_exit::Ok);
        for (const char* csv : {"/first.csv", "/second.csv"}) {
            const QByteArray exported = readAll(path + QLatin1String(csv));
            QVERIFY2(exported.contains("tranĉilo") && exported.contains("aŭtuno"), exported.constData());
            QCOMPARE(describe(readCsvWordList(bytes(exported), CsvKind::Csv).sheets),
                     QStringLiteral("Ismétlés: kés>tranĉilo / Ismétlés: ősz>aŭtuno"));
        }
    }

    // Whatever the bytes, reading never crashes, and whatever is imported checks clean.
    void randomInputImportsCleanOrNotAtAll_data() {
        QTest::addColumn<bool>("kvtml");
        QTest::newRow("csv") << false;
        QTest::newRow("kvtml") << true;
    }
    void randomInputImportsCleanOrNotAtAll() {
        QFETCH(bool, kvtml);
        const std::string alphabet = kvtml ? "<>/=\"' \nentrytranslationtextcontainerlessons0123ĉ;|&#"
                                           : ",;\"\n\r\t sheetquestionanswerpted AQ1ĉŭő\xE9\xEF\xBB\xBF";
        const std::string seeds[] = {"sheet,question,answer,accepted\nA,kérdés,respondo,alia\nB,egy,unu,\n",
                                     bytes(Kvtml)};
        QRandomGenerator random(20261209);
        for (int round = 0; round < 400; ++round) {
            std::string input = seeds[kvtml ? 1 : 0];
            for (int change = random.bounded(1, 6); change > 0; --change) {
                const auto at = std::size_t(random.bounded(int(input.size()) + 1));
                const char c = alphabet[std::size_t(random.bounded(int(alphabet.size())))];
                if (random.bounded(3) == 0 && at < input.size()) {
                    input.erase(at, 1);
                } else {
                    input.insert(at, 1, c);
                }
            }
            const WordListReading reading =
                kvtml ? readKvtmlWordList(input, {}) : readCsvWordList(input, CsvKind::Csv);
            if (!reading.errors.empty()) {
                continue;
            }
            const LessonSourceResult result = wordListToSource(reading.sheets);
            if (result.errors.empty()) {
                QCOMPARE(findingsOf(result.source), QString());
            }
        }
    }

    void exitCodes_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("written");
        QTest::newRow("import_csv") << QStringList{QStringLiteral("import"), QStringLiteral("csv"),
                                                   QStringLiteral("{dir}/good.csv"),
                                                   QStringLiteral("{dir}/out")}
                                    << adt_exit::Ok << true;
        QTest::newRow("import_kvtml_options") << QStringList{QStringLiteral("import"),
                                                             QStringLiteral("kvtml"),
                                                             QStringLiteral("--answer"),
                                                             QStringLiteral("0"),
                                                             QStringLiteral("--ask"),
                                                             QStringLiteral("1"),
                                                             QStringLiteral("{dir}/words.kvtml"),
                                                             QStringLiteral("{dir}/out")}
                                              << adt_exit::Ok << true;
        QTest::newRow("content_problem")
            << QStringList{QStringLiteral("import"), QStringLiteral("csv"), QStringLiteral("{dir}/bad.csv"),
                           QStringLiteral("{dir}/out")}
            << adt_exit::ContentProblems << false;
        QTest::newRow("missing_input")
            << QStringList{QStringLiteral("import"), QStringLiteral("tsv"), QStringLiteral("{dir}/none.tsv"),
                           QStringLiteral("{dir}/out")}
            << adt_exit::FileFailure << false;
        QTest::newRow("output_is_a_folder")
            << QStringList{QStringLiteral("import"), QStringLiteral("csv"), QStringLiteral("{dir}/good.csv"),
                           QStringLiteral("{dir}")}
            << adt_exit::FileFailure << false;
        QTest::newRow("export_missing_input")
            << QStringList{QStringLiteral("export"), QStringLiteral("csv"), QStringLiteral("{dir}/none.adt"),
                           QStringLiteral("{dir}/out")}
            << adt_exit::FileFailure << false;
        QTest::newRow("export_without_sheets")
            << QStringList{QStringLiteral("export"), QStringLiteral("csv"), QStringLiteral("{dir}/good.csv"),
                           QStringLiteral("{dir}/out")}
            << adt_exit::ContentProblems << false;
        QTest::newRow("unknown_format")
            << QStringList{QStringLiteral("import"), QStringLiteral("xls"), QStringLiteral("{dir}/good.csv"),
                           QStringLiteral("{dir}/out")}
            << adt_exit::Usage << false;
        QTest::newRow("missing_output")
            << QStringList{QStringLiteral("import"), QStringLiteral("csv"), QStringLiteral("{dir}/good.csv")}
            << adt_exit::Usage << false;
        QTest::newRow("same_sides") << QStringList{QStringLiteral("import"),
                                                   QStringLiteral("kvtml"),
                                                   QStringLiteral("--ask"),
                                                   QStringLiteral("1"),
                                                   QStringLiteral("{dir}/words.kvtml"),
                                                   QStringLiteral("{dir}/out")}
                                    << adt_exit::Usage << false;
        QTest::newRow("side_not_a_number") << QStringList{QStringLiteral("import"),
                                                          QStringLiteral("kvtml"),
                                                          QStringLiteral("--ask"),
                                                          QStringLiteral("-1"),
                                                          QStringLiteral("{dir}/words.kvtml"),
                                                          QStringLiteral("{dir}/out")}
                                           << adt_exit::Usage << false;
        QTest::newRow("export_tsv") << QStringList{QStringLiteral("export"), QStringLiteral("tsv"),
                                                   QStringLiteral("{dir}/good.csv"),
                                                   QStringLiteral("{dir}/out")}
                                    << adt_exit::Usage << false;
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << adt_exit::Ok << false;
    }
    void exitCodes() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(bool, written);
        QTemporaryDir dir;
        writeAll(dir.path() + QStringLiteral("/good.csv"), "question,answer\nq,a\n");
        writeAll(dir.path() + QStringLiteral("/bad.csv"), "question,answer\nq,a\nq2,\n");
        writeAll(dir.path() + QStringLiteral("/words.kvtml"), Kvtml);
        arguments.replaceInStrings(QStringLiteral("{dir}"), dir.path());
        QCOMPARE(runKvizaroAdt(arguments), exitCode);
        QCOMPARE(QFile::exists(dir.path() + QStringLiteral("/out")), written);
    }
};

QTEST_GUILESS_MAIN(TestWordLists)
#include "tst_word_lists.moc"
