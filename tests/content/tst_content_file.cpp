#include "adt_codec.h"
#include "byte_text.h"
#include "content_builder.h"
#include "content_file.h"

#include <QtTest>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace kvizaro;
using kvizaro::test::bytes;
using kvizaro::test::qbytes;

namespace {

std::string sparseFile(const QTemporaryDir& dir, std::uint64_t size) {
    const std::string path = test::writeFile(dir, "enhavo.adt", "");
    std::filesystem::resize_file(path, size);
    return path;
}

// A file of the kind a row names, at a path of its own.
std::string makeFile(const QTemporaryDir& dir, const std::string& kind) {
    const std::string path = dir.path().toStdString() + "/enhavo.adt";
    if (kind == "directory") {
        return dir.path().toStdString();
    }
    if (kind == "fifo") {
        ::mkfifo(path.c_str(), 0600);
    } else if (kind == "device") {
        return "/dev/zero";
    } else if (kind == "over-limit") {
        return sparseFile(dir, MaxContentFileSize + 1);
    } else if (kind == "past-4-gib") {
        return sparseFile(dir, (std::uint64_t{1} << 32) + 28);
    } else if (kind == "locked") {
        test::writeFile(dir, "enhavo.adt", "bcd");
        ::chmod(path.c_str(), 0);
    }
    return path;
}

QByteArrayList linesOf(const ContentLines& lines) {
    QByteArrayList result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        result << qbytes(lines[i]);
    }
    return result;
}
} // namespace

class TestContentFile : public QObject {
    Q_OBJECT

private slots:
    void decodeTakesOneOffEveryByte_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("decoded");
        QTest::newRow("letters") << QByteArray("bcd") << QByteArray("abc");
        QTest::newRow("zero-wraps") << QByteArray("\x00", 1) << QByteArray("\xff");
        QTest::newRow("high") << QByteArray("\xe2\xf6") << QByteArray("\xe1\xf5");
        QTest::newRow("empty") << QByteArray("") << QByteArray("");
    }
    void decodeTakesOneOffEveryByte() {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, decoded);
        QCOMPARE(qbytes(DecodeLine(bytes(stored))), decoded);
    }

    void storedFileSplitsIntoDecodedLines_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("crlf") << QByteArray("bcd\r\nefg\r\n") << QByteArrayList{"abc", "def"};
        QTest::newRow("no-final-line-end") << QByteArray("bcd\r\nefg") << QByteArrayList{"abc", "def"};
        QTest::newRow("lf-alone-is-a-byte") << QByteArray("bc\nd\r\n") << QByteArrayList{"ab\tc"};
        QTest::newRow("cr-alone-ends-line") << QByteArray("b\rc\r\n") << QByteArrayList{"a", "b"};
        QTest::newRow("only-one-lf-skipped") << QByteArray("b\r\n\nc") << QByteArrayList{"a", "\tb"};
        QTest::newRow("empty-lines-kept") << QByteArray("b\r\n\r\nc\r\n") << QByteArrayList{"a", "", "b"};
        QTest::newRow("eof-byte-mid-line") << QByteArray("bc\x1a"
                                                         "de\r\nfg\r\n")
                                           << QByteArrayList{"ab"};
        QTest::newRow("eof-byte-line-start") << QByteArray("bc\r\n\x1a"
                                                           "de")
                                             << QByteArrayList{"ab"};
        QTest::newRow("eof-byte-first") << QByteArray("\x1a"
                                                      "bc")
                                        << QByteArrayList{};
        QTest::newRow("empty-file") << QByteArray("") << QByteArrayList{};
        QTest::newRow("lone-crlf") << QByteArray("\r\n") << QByteArrayList{""};
        QTest::newRow("stored-zero") << QByteArray("\x00\r\n", 3) << QByteArrayList{"\xff"};
    }
    void storedFileSplitsIntoDecodedLines() {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArrayList, lines);
        QCOMPARE(linesOf(decodeContent(bytes(stored))), lines);
    }

    void longLinesAreCutTo255() {
        const std::string stored = std::string(300, 'b') + "\r\nc\r\n" + std::string(255, 'd') + "\r\n";
        const ContentLines lines = decodeContent(stored);
        QCOMPARE(lines.size(), std::size_t(3));
        QCOMPARE(qbytes(lines[0]), QByteArray(255, 'a'));
        QCOMPARE(qbytes(lines[1]), QByteArray("b"));
        QCOMPARE(qbytes(lines[2]), QByteArray(255, 'c'));
    }

    void loadsTheFileItNames() {
        QTemporaryDir dir;
        const std::string path = test::writeFile(dir, "enhavo.adt", test::encodeStored({"#Menuo", "", "#"}));
        const LoadResult result = LoadContent(path);
        QVERIFY(!result.error);
        QCOMPARE(linesOf(result.lines), (QByteArrayList{"#Menuo", "", "#"}));
    }

    void defaultFileIsReadFromTheWorkingDirectory() {
        QTemporaryDir dir;
        test::writeFile(dir, "enhavo.adt", test::encodeStored({"#x"}));
        const auto previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.path().toStdString());
        const LoadResult result = LoadContent();
        std::filesystem::current_path(previous);
        QVERIFY(!result.error);
        QCOMPARE(linesOf(result.lines), QByteArrayList{"#x"});
    }

    // Each row makes one kind of file in a fresh folder; nothing here may block or read past the limit.
    void unreadableFilesAreRefusedWithTheirText_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing") << "missing"
                                 << "File not found";
        QTest::newRow("directory") << "directory"
                                   << "I/O error 21";
        QTest::newRow("named-pipe") << "fifo"
                                    << "Not a regular file";
        QTest::newRow("device") << "device"
                                << "Not a regular file";
        QTest::newRow("one-byte-over-the-limit") << "over-limit"
                                                 << "File too large";
        QTest::newRow("sparse-past-4-gib") << "past-4-gib"
                                           << "File too large";
        QTest::newRow("unreadable") << "locked"
                                    << "File access denied";
    }
    void unreadableFilesAreRefusedWithTheirText() {
        QFETCH(QString, kind);
        QFETCH(QString, error);
        if (kind == QStringLiteral("locked") && ::geteuid() == 0) {
            QSKIP("root may read anything");
        }
        QTemporaryDir dir;
        const std::string path = makeFile(dir, kind.toStdString());
        const LoadResult result = LoadContent(path);
        QCOMPARE(QString::fromStdString(result.error.value_or("")), error);
        QVERIFY(result.lines.empty());
    }

    void fileAtTheSizeLimitLoads() {
        QTemporaryDir dir;
        const std::string path = sparseFile(dir, MaxContentFileSize);
        const LoadResult result = LoadContent(path);
        QVERIFY(!result.error);
        QCOMPARE(result.lines.size(), std::size_t{1});
        QCOMPARE(qbytes(result.lines[0]), QByteArray(255, '\xff'));
    }

    // What a line keeps is cut while it is read, so a hostile file costs about what it keeps.
    void memoryFollowsWhatIsKept_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<qulonglong>("lineCount");
        QTest::newRow("one-giant-line") << QByteArray(12 * 1024 * 1024, 'b') << 1ULL;
        QTest::newRow("only-bare-crs") << QByteArray(2 * 1024 * 1024, '\r') << 2ULL * 1024 * 1024;
        QByteArray fullLines;
        for (int i = 0; i < 20000; ++i) {
            fullLines += QByteArray(255, 'b') + "\r\n";
        }
        QTest::newRow("full-lines") << fullLines << 20000ULL;
    }
    void memoryFollowsWhatIsKept() {
        QFETCH(QByteArray, stored);
        QFETCH(qulonglong, lineCount);
        QTemporaryDir dir;
        const LoadResult result = LoadContent(test::writeFile(dir, "enhavo.adt", bytes(stored)));
        QVERIFY(!result.error);
        QCOMPARE(result.lines.size(), std::size_t(lineCount));
        std::size_t kept = 0;
        for (std::size_t i = 0; i < result.lines.size(); ++i) {
            kept += result.lines[i].size();
        }
        const std::size_t allowance = 256 * 1024; // the last chunk of text and of line places
        QVERIFY2(result.lines.memoryBytes() <= kept * 3 / 2 + 16 * result.lines.size() + allowance,
                 QByteArray::number(qulonglong(result.lines.memoryBytes())).constData());
    }

    // The file is read in pieces; a line end or a long line across two pieces reads as in one piece.
    void linesAcrossReadPiecesReadAsOne_data() {
        QTest::addColumn<int>("firstLineLength");
        for (int length : {(1 << 16) - 1, (1 << 17) - 1, (1 << 17), (1 << 17) + 1, (1 << 18) - 1}) {
            QTest::newRow(QByteArray::number(length).constData()) << length;
        }
    }
    void linesAcrossReadPiecesReadAsOne() {
        QFETCH(int, firstLineLength);
        const QByteArray stored = QByteArray(firstLineLength, 'b') + "\r\ncd\r\n" + QByteArray(300, 'e');
        QTemporaryDir dir;
        const LoadResult result = LoadContent(test::writeFile(dir, "enhavo.adt", bytes(stored)));
        QVERIFY(!result.error);
        QCOMPARE(linesOf(result.lines), (QByteArrayList{QByteArray(255, 'a'), "bc", QByteArray(255, 'd')}));
    }

    void movedFromLinesAreEmptyAndUsable_data() {
        QTest::addColumn<bool>("byAssignment");
        QTest::newRow("move-construction") << false;
        QTest::newRow("move-assignment") << true;
    }
    void movedFromLinesAreEmptyAndUsable() {
        QFETCH(bool, byAssignment);
        ContentLines source{"abc", "def"};
        ContentLines target{"old"};
        if (byAssignment) {
            target = std::move(source);
        } else {
            ContentLines constructed(std::move(source));
            target = std::move(constructed);
        }
        QCOMPARE(linesOf(target), (QByteArrayList{"abc", "def"}));
        QVERIFY(source.empty()); // NOLINT(bugprone-use-after-move): the state after a move is the point
        source.append("ghi");
        QCOMPARE(linesOf(source), QByteArrayList{"ghi"});
        QCOMPARE(linesOf(target), (QByteArrayList{"abc", "def"}));
    }

    void findBlockMatchesTheWholeLineExactly_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("index"); // -1: not found
        QTest::newRow("first-of-two") << QByteArray("tajpado") << 1;
        QTest::newRow("case-sensitive") << QByteArray("Tajpado") << 3;
        QTest::newRow("no-trimming") << QByteArray("tajpado ") << 4;
        QTest::newRow("empty-name-is-lone-hash") << QByteArray("") << 5;
        QTest::newRow("missing") << QByteArray("nenio") << -1;
        QTest::newRow("prefix-is-not-a-match") << QByteArray("tajp") << -1;
    }
    void findBlockMatchesTheWholeLineExactly() {
        QFETCH(QByteArray, name);
        QFETCH(int, index);
        const ContentLines lines{"#Menuo", "#tajpado", "#tajpado", "#Tajpado", "#tajpado ", "#"};
        const auto found = FindBlock(lines, bytes(name));
        QCOMPARE(found ? int(*found) : -1, index);
    }

    // A source reads as its stored form would, however the read splits its characters and line ends.
    void sourceReadsAsItsStoredForm_data() {
        QTest::addColumn<QByteArray>("source");
        const QByteArray body = "#Menuo\nMenuero=\"\xC5\x9Cipo \xC3\xA9s h\xC3\xA1z\",\"a\"\n#a\n#\n";
        QTest::newRow("lf") << body;
        QTest::newRow("byte-order-mark") << "\xEF\xBB\xBF" + body;
        // The first line's length puts the letter Ŝ, then the first CR LF, across the 128 KiB read piece.
        for (const auto& [name, length] :
             {std::pair{"split-letter", (1 << 17) - 21}, {"split-line-end", (1 << 17) - 10}}) {
            QTest::newRow(name) << "#" + QByteArray(length, 'p') + "\r\n" +
                                       QByteArray(body).replace("\n", "\r\n");
        }
    }
    void sourceReadsAsItsStoredForm() {
        QFETCH(QByteArray, source);
        QTemporaryDir dir;
        const LoadResult result = LoadContent(test::writeFile(dir, "lecke.txt", bytes(source)));
        QVERIFY2(!result.error, result.error.value_or("").c_str());
        const EncodeResult encoded = encodeSource(bytes(source));
        QVERIFY(encoded.ok());
        QCOMPARE(linesOf(result.lines), linesOf(decodeContent(encoded.stored)));
        QVERIFY(result.lines[result.lines.size() - 4].starts_with("#Menuo"));
    }

    void sourceErrorNamesItsPlaceAndKeepsTheLinesBefore_data() {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("place");
        QTest::addColumn<int>("linesKept");
        QTest::newRow("unstorable") << QByteArray("#Menuo\n#a\nxy\xC4\x87\n#\n") << "3. sor, 3. karakter"
                                    << 2;
        QTest::newRow("not-utf-8") << QByteArray("#Menuo\n\xE9\n") << "2. sor, 1. karakter" << 1;
        QTest::newRow("cut-at-the-end") << QByteArray("#Menuo\n\xC5") << "2. sor, 1. karakter" << 1;
    }
    void sourceErrorNamesItsPlaceAndKeepsTheLinesBefore() {
        QFETCH(QByteArray, source);
        QFETCH(QString, place);
        QTemporaryDir dir;
        const LoadResult result = LoadContent(test::writeFile(dir, "lecke.txt", bytes(source)));
        const QString error = QString::fromStdString(result.error.value_or(""));
        QVERIFY2(error.contains(place) && error.contains(QStringLiteral("lecke.txt")), qPrintable(error));
        QTEST(int(result.lines.size()), "linesKept");
    }

    // Only "#" after an optional byte-order mark makes a source; a stored file can never begin so.
    void kindIsTheFirstCharacter_data() {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<bool>("source");
        QTest::newRow("source") << QByteArray("#Menuo") << true;
        QTest::newRow("source-with-mark") << QByteArray("\xEF\xBB\xBF#") << true;
        QTest::newRow("stored") << QByteArray("$Nfovp") << false;
        QTest::newRow("mark-alone") << QByteArray("\xEF\xBB\xBF") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void kindIsTheFirstCharacter() {
        QFETCH(QByteArray, start);
        QTEST(contentKindOf(bytes(start)) == ContentKind::Source, "source");
    }
};

QTEST_APPLESS_MAIN(TestContentFile)
#include "tst_content_file.moc"
