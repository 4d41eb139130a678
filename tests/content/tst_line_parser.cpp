#include "byte_text.h"
#include "line_parser.h"

#include <QtTest>

using namespace kvizaro;
using kvizaro::test::bytes;
using kvizaro::test::qbytes;

Q_DECLARE_METATYPE(kvizaro::LineKind)

namespace {
constexpr int NoValue = -1; // the field was not delivered: the output text keeps its content
const QByteArray Untouched = "<untouched>";
} // namespace

class TestLineParser : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { configureParser(); }

    void classifiesLinesByTheirFirstDelimiter_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<int>("status");

        QTest::newRow("section") << QByteArray("[tasko]") << LineKind::Section << 0;
        QTest::newRow("lone-bracket") << QByteArray("[") << LineKind::Invalid << 96;
        QTest::newRow("unclosed-section") << QByteArray("[tasko") << LineKind::Invalid << 96;
        QTest::newRow("section-ignores-inside") << QByteArray("[a=b]") << LineKind::Section << 0;
        QTest::newRow("semicolon-comment") << QByteArray(";x=y") << LineKind::Comment << 0;
        QTest::newRow("marker") << QByteArray("#Menuo") << LineKind::Marker << 0;
        QTest::newRow("key-equals") << QByteArray("Menuero=x") << LineKind::KeyEquals << 0;
        QTest::newRow("key-space") << QByteArray("Menuero =x") << LineKind::KeySpace << 0;
        QTest::newRow("separator-first") << QByteArray("Menuero,x") << LineKind::Invalid << 38;
        QTest::newRow("remark-equals") << QByteArray("REMARK=1") << LineKind::Comment << 0;
        QTest::newRow("remark-lower-blank") << QByteArray("remark x") << LineKind::Comment << 0;
        QTest::newRow("remarko") << QByteArray("Remarko=y") << LineKind::Comment << 0;
        QTest::newRow("remarkable") << QByteArray("REMARKABLE") << LineKind::Comment << 80;
        QTest::newRow("keyword-prefix") << QByteArray("rem") << LineKind::Comment << 80;
        QTest::newRow("remark-separator") << QByteArray("REMARK,x") << LineKind::Comment << 38;
        QTest::newRow("delimiter-breaks-keyword") << QByteArray("RE=x") << LineKind::KeyEquals << 0;
        QTest::newRow("blank-before-equals") << QByteArray("Kulcs =x") << LineKind::KeySpace << 0;
        QTest::newRow("equals-before-blank") << QByteArray("Kulcs=a b") << LineKind::KeyEquals << 0;
        QTest::newRow("separator-before-equals") << QByteArray("a,b=c") << LineKind::Invalid << 38;
        QTest::newRow("empty-key") << QByteArray("=x") << LineKind::KeyEquals << 0;
        QTest::newRow("leading-blank") << QByteArray(" x=y") << LineKind::KeySpace << 0;
        QTest::newRow("no-delimiter") << QByteArray("abc") << LineKind::Invalid << 80;
        QTest::newRow("empty-line") << QByteArray("") << LineKind::Invalid << 80;
        QTest::newRow("high-bytes-key") << QByteArray("\xc1rv\xedz=\"x\"") << LineKind::KeyEquals << 0;
    }
    void classifiesLinesByTheirFirstDelimiter() {
        QFETCH(QByteArray, line);
        QFETCH(LineKind, kind);
        QFETCH(int, status);
        ParserStatus = 12345;
        QCOMPARE(ClassifyLine(bytes(line)), kind);
        QCOMPARE(int(ParserStatus), status);
    }

    void keyIsEverythingBeforeTheFirstDelimiter_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("button") << QByteArray("Butono1=\"S\xfag\xf3\",\"sugo\"") << QByteArray("Butono1");
        QTest::newRow("whole-line") << QByteArray("abc") << QByteArray("abc");
        QTest::newRow("empty-key") << QByteArray("=x") << QByteArray("");
        QTest::newRow("blank-ends-key") << QByteArray("Butono1 \"a\",\"b\"") << QByteArray("Butono1");
        QTest::newRow("separator-ends-key") << QByteArray("Butono2,\"a\"") << QByteArray("Butono2");
        QTest::newRow("empty-line") << QByteArray("") << QByteArray("");
    }
    void keyIsEverythingBeforeTheFirstDelimiter() {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, key);
        ParserStatus = 7;
        QCOMPARE(qbytes(LineKey(bytes(line))), key);
        QCOMPARE(int(ParserStatus), 7); // LineKey leaves the status alone
    }

    void fieldsAreTakenFromQuotedStretches_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("status");

        QTest::newRow("menu-caption")
            << QByteArray("Menuero=\"Els\xf5 lecke\",\"lecke1\"") << 1 << QByteArray("Els\xf5 lecke") << 0;
        QTest::newRow("menu-sheet") << QByteArray("Menuero=\"Els\xf5 lecke\",\"lecke1\"") << 2
                                    << QByteArray("lecke1") << 0;
        QTest::newRow("empty-value") << QByteArray("Demando=\"\"") << 1 << QByteArray("") << 0;
        QTest::newRow("blank-before-quote")
            << QByteArray("Menuero=\"a\", \"b\"") << 2 << QByteArray(" b") << 0;
        QTest::newRow("blank-is-a-delimiter")
            << QByteArray("Menuero=\"a\", \"b\"") << 3 << QByteArray("b") << 0;
        QTest::newRow("text-around-quotes") << QByteArray("Key=ab\"cd\"ef") << 1 << QByteArray("abcd") << 0;
        QTest::newRow("separator-inside-quotes") << QByteArray("Key=\"a,b\"") << 1 << QByteArray("a,b") << 0;
        QTest::newRow("separator-dropped") << QByteArray("Key=x,\"y\"") << 1 << QByteArray("xy") << 50;
        QTest::newRow("unquoted") << QByteArray("Key=abc") << 1 << Untouched << 0;
        QTest::newRow("nothing-after-key") << QByteArray("Key=") << 1 << Untouched << 0;
        QTest::newRow("unclosed-value") << QByteArray("Key=\"abc") << 1 << Untouched << 48;
        QTest::newRow("too-few-delimiters") << QByteArray("Key=\"a\",\"b\"") << 3 << Untouched << 80;
        QTest::newRow("last-pass-inside-quotes") << QByteArray("Key=\"a,b") << 2 << Untouched << 48;
        QTest::newRow("earlier-pass-inside-quotes") << QByteArray("Key\"a=b") << 2 << Untouched << 80;
        QTest::newRow("field-zero") << QByteArray("Key=\"a\"") << 0 << QByteArray("") << 49;
        QTest::newRow("field-zero-empty-line") << QByteArray("") << 0 << QByteArray("") << 49;
        QTest::newRow("empty-line") << QByteArray("") << 1 << Untouched << 80;
        QTest::newRow("equals-in-value") << QByteArray("Solvo=\"a=b c\"") << 1 << QByteArray("a=b c") << 0;
        QTest::newRow("rest-ignored") << QByteArray("Solvo=\"a\"\"b\"") << 1 << QByteArray("a") << 0;
    }
    void fieldsAreTakenFromQuotedStretches() {
        QFETCH(QByteArray, line);
        QFETCH(int, field);
        QFETCH(QByteArray, value);
        QFETCH(int, status);
        std::string out = bytes(Untouched);
        ParserStatus = 12345;
        LineField(static_cast<std::uint8_t>(field), bytes(line), out);
        QCOMPARE(qbytes(out), value);
        QCOMPARE(int(ParserStatus), status);
    }

    void caseConvertersTouchOnlyAsciiLetters_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("lower");
        QTest::addColumn<QByteArray>("upper");
        QTest::addColumn<QByteArray>("swapped");
        QTest::newRow("hungarian") << QByteArray("\xc1RV\xcdZ Cx") << QByteArray("\xc1rv\xcdz cx")
                                   << QByteArray("\xc1RV\xcdZ CX") << QByteArray("\xc1rv\xcdz cX");
        QTest::newRow("boundaries") << QByteArray("@AZ[`az{") << QByteArray("@az[`az{")
                                    << QByteArray("@AZ[`AZ{") << QByteArray("@az[`AZ{");
        QTest::newRow("empty") << QByteArray("") << QByteArray("") << QByteArray("") << QByteArray("");
    }
    void caseConvertersTouchOnlyAsciiLetters() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, lower);
        QFETCH(QByteArray, upper);
        QFETCH(QByteArray, swapped);
        QCOMPARE(qbytes(LowerAscii(bytes(text))), lower);
        QCOMPARE(qbytes(UpperAscii(bytes(text))), upper);
        QCOMPARE(qbytes(SwapAsciiCase(bytes(text))), swapped);
    }

    void keyCaseModeAppliesToKeysAndValues_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("unchanged") << 0 << QByteArray("Solvo") << QByteArray("Cxu Vi");
        QTest::newRow("upper") << 1 << QByteArray("SOLVO") << QByteArray("CXU VI");
        QTest::newRow("lower") << 2 << QByteArray("solvo") << QByteArray("cxu vi");
        QTest::newRow("swapped") << 3 << QByteArray("sOLVO") << QByteArray("cXU vI");
    }
    void keyCaseModeAppliesToKeysAndValues() {
        QFETCH(int, mode);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        const std::string line = "Solvo=\"Cxu Vi\"";
        KeyCaseMode = static_cast<std::uint8_t>(mode);
        std::string out;
        LineField(1, line, out);
        const std::string gotKey = LineKey(line);
        KeyCaseMode = 0;
        QCOMPARE(qbytes(gotKey), key);
        QCOMPARE(qbytes(out), value);
    }
};

QTEST_APPLESS_MAIN(TestLineParser)
#include "tst_line_parser.moc"
