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
        QCOMPARE(linesOf(DecodeContent(bytes(stored))), lines);
    }

    void longLinesAreCutTo255() {
        const std::string stored = std::string(300, 'b') + "\r\nc\r\n" + std::string(255, 'd') + "\r\n";
        const ContentLines lines = DecodeContent(stored);
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

    void failuresAreReportedWithTheirText() {
        QTemporaryDir dir;
        const LoadResult missing = LoadContent(dir.path().toStdString() + "/enhavo.adt");
        QCOMPARE(missing.error.value_or(""), std::string("File not found"));
        QVERIFY(missing.lines.empty());

        const LoadResult directory = LoadContent(dir.path().toStdString());
        QCOMPARE(directory.error.value_or(""), std::string("I/O error 21"));
        QVERIFY(directory.lines.empty());

        if (::geteuid() != 0) { // root may read anything
            const std::string locked = test::writeFile(dir, "locked.adt", "bcd");
            ::chmod(locked.c_str(), 0);
            QCOMPARE(LoadContent(locked).error.value_or(""), std::string("File access denied"));
        }
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
};

QTEST_APPLESS_MAIN(TestContentFile)
#include "tst_content_file.moc"
