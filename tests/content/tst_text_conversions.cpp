#include "byte_text.h"
#include "code_pages.h"
#include "esperanto.h"

#include <QtTest>

using namespace kvizaro;
using kvizaro::test::bytes;
using kvizaro::test::qbytes;

class TestTextConversions : public QObject {
    Q_OBJECT

private slots:
    void xSystemPairsBecomeLatin3Letters_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("latin3");
        QTest::newRow("sentence") << QByteArray("Cxu vi sxatas gxin?")
                                  << QByteArray("\xc6u vi \xfe"
                                                "atas \xf8in?");
        QTest::newRow("all-twelve") << QByteArray("cxCxgxGxhxHxjxJxsxSxuxUx")
                                    << QByteArray("\xe6\xc6\xf8\xd8\xb6\xa6\xbc\xac\xfe\xde\xfd\xdd");
        QTest::newRow("second-x-passes") << QByteArray("cxx") << QByteArray("\xe6x");
        QTest::newRow("double-x") << QByteArray("xx") << QByteArray("xx");
        QTest::newRow("capital-marker") << QByteArray("CX") << QByteArray("CX");
        QTest::newRow("capital-marker-lower") << QByteArray("cX") << QByteArray("cX");
        QTest::newRow("final-letter") << QByteArray("c") << QByteArray("c");
        QTest::newRow("capital-u") << QByteArray("Ux") << QByteArray("\xdd");
        QTest::newRow("letter-before-pair") << QByteArray("ccx") << QByteArray("c\xe6");
        QTest::newRow("not-a-table-letter") << QByteArray("axbx") << QByteArray("axbx");
        QTest::newRow("empty") << QByteArray("") << QByteArray("");
    }
    void xSystemPairsBecomeLatin3Letters() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, latin3);
        QCOMPARE(qbytes(XToLatin3(bytes(text))), latin3);
    }

    void answersNormaliseToTheirComparisonForm_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("normalised");
        QTest::newRow("punctuation") << QByteArray("Bonan tagon!") << QByteArray("bonantagon");
        QTest::newRow("double-blank") << QByteArray("bonan  tagon") << QByteArray("bonantagon");
        QTest::newRow("all-dropped") << QByteArray("Mi, vi: ni.") << QByteArray("mivini");
        QTest::newRow("question-semicolon") << QByteArray("la  domo ?;") << QByteArray("ladomo");
        QTest::newRow("hyphen-apostrophe-kept") << QByteArray("Dank' al-vi") << QByteArray("dank'al-vi");
        QTest::newRow("high-byte-keeps-case") << QByteArray("\xc1LLAT") << QByteArray("\xc1llat");
        QTest::newRow("x-system-any-case") << QByteArray("CXU") << QByteArray("cxu");
        QTest::newRow("only-dropped") << QByteArray(" !?") << QByteArray("");
        QTest::newRow("empty") << QByteArray("") << QByteArray("");
    }
    void answersNormaliseToTheirComparisonForm() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, normalised);
        QCOMPARE(qbytes(NormaliseAnswer(bytes(text))), normalised);
    }

    // The index is what the checker names a redundant accepted answer by: the first that takes the answer.
    void answersMatchTheFirstAcceptedAnswerTheyCountAs_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("index"); // -1: not accepted
        QTest::newRow("exact") << QByteArray("Saluton!") << 0;
        QTest::newRow("case-blanks-punctuation") << QByteArray(" saluton ") << 0;
        QTest::newRow("first-of-two-alike") << QByteArray("\xe6u vi") << 1;
        QTest::newRow("later") << QByteArray("Sal") << 3;
        QTest::newRow("other-order") << QByteArray("vi cxu") << -1;
        QTest::newRow("only-punctuation") << QByteArray(" ?!") << -1;
        QTest::newRow("empty") << QByteArray("") << -1;
        QTest::newRow("unmappable-character") << QByteArray("Saluton\xa5\xc4\x87") << -1;
    }
    void answersMatchTheFirstAcceptedAnswerTheyCountAs() {
        QFETCH(QByteArray, answer);
        QFETCH(int, index);
        const std::vector<std::string> accepted{"Saluton!", "Cxu vi?", "cxu  vi", "Sal!"};
        const std::optional<std::size_t> found = AcceptedAnswers(accepted).match(bytes(answer));
        QCOMPARE(found ? int(*found) : -1, index);
        QCOMPARE(isAcceptedAnswer(bytes(answer), accepted), index >= 0);
    }

    void latin3LettersBecomeXSystemPairs_data() {
        QTest::addColumn<QByteArray>("latin3");
        QTest::addColumn<QByteArray>("xsystem");
        QTest::newRow("all-twelve") << QByteArray("\xe6\xc6\xf8\xd8\xb6\xa6\xbc\xac\xfe\xde\xfd\xdd")
                                    << QByteArray("cxCxgxGxhxHxjxJxsxSxuxUx");
        QTest::newRow("mixed") << QByteArray("\xe6u vi") << QByteArray("cxu vi");
        QTest::newRow("hungarian-untouched")
            << QByteArray("\xe1\xe9\xf5\xfb") << QByteArray("\xe1\xe9\xf5\xfb");
    }
    void latin3LettersBecomeXSystemPairs() {
        QFETCH(QByteArray, latin3);
        QFETCH(QByteArray, xsystem);
        QCOMPARE(qbytes(latin3ToXSystem(bytes(latin3))), xsystem);
        QCOMPARE(qbytes(XToLatin3(latin3ToXSystem(bytes(latin3)))), latin3);
    }

    void bytesDisplayInTheirCodePage_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("windows1250");
        QTest::addColumn<QString>("latin3");
        QTest::newRow("ascii") << QByteArray("Saluton") << QStringLiteral("Saluton")
                               << QStringLiteral("Saluton");
        QTest::newRow("hungarian") << QByteArray("\xe1\xe9\xed\xf3\xf6\xfa\xfc") << QStringLiteral("áéíóöúü")
                                   << QStringLiteral("áéíóöúü");
        QTest::newRow("double-acute")
            << QByteArray("\xf5\xd5\xfb\xdb") << QStringLiteral("őŐűŰ") << QStringLiteral("őŐűŰ");
        QTest::newRow("esperanto-bytes")
            << QByteArray("\xe6\xf8\xb6\xbc\xfe\xfd") << QStringLiteral("ćř¶Ľţý") << QStringLiteral("ĉĝĥĵŝŭ");
        QTest::newRow("undefined") << QByteArray("\x81\xa5") << QStringLiteral("\ufffdĄ")
                                   << QStringLiteral("\u0081\ufffd");
    }
    void bytesDisplayInTheirCodePage() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, windows1250);
        QFETCH(QString, latin3);
        QCOMPARE(QString::fromStdString(windows1250ToUtf8(test::bytes(bytes))), windows1250);
        QCOMPARE(QString::fromStdString(displayLatin3ToUtf8(test::bytes(bytes))), latin3);
    }

    void typedTextEncodesBackToTheSameBytes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("latin3");
        QTest::addColumn<bool>("exact");
        QTest::newRow("x-system") << QStringLiteral("cxu") << QByteArray("cxu") << true;
        QTest::newRow("real-letters") << QStringLiteral("ĉu ŝi") << QByteArray("\xe6u \xfei") << true;
        QTest::newRow("hungarian") << QStringLiteral("Jó őz") << QByteArray("J\xf3 \xf5z") << true;
        QTest::newRow("euro") << QStringLiteral("5€") << QByteArray("5\xa5\xe2\x82\xac") << false;
        QTest::newRow("emoji") << QStringLiteral("a😀") << QByteArray("a\xa5\xf0\x9f\x98\x80") << false;
    }
    void typedTextEncodesBackToTheSameBytes() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, latin3);
        QFETCH(bool, exact);
        const std::string encoded = utf8ToDisplayLatin3(typed.toStdString());
        QCOMPARE(qbytes(encoded), latin3);
        QCOMPARE(!hasUnmappableEscape(encoded), exact);
        // Whatever was typed is shown again, even characters without a byte.
        QCOMPARE(QString::fromStdString(displayLatin3ToUtf8(encoded)), typed);
    }

    void windows1250EncodesHungarianText() {
        const QString text = QStringLiteral("Árvíztűrő tükörfúrógép €");
        const std::string encoded = utf8ToWindows1250(text.toStdString());
        QCOMPARE(QString::fromStdString(windows1250ToUtf8(encoded)), text);
        QCOMPARE(qbytes(utf8ToWindows1250("ĉ")), QByteArray("?"));
    }

    void malformedUtf8NeverReadsPastTheEnd_data() {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<int>("codePoints");
        QTest::newRow("truncated-two") << QByteArray("\xc5") << 1;
        QTest::newRow("truncated-four") << QByteArray("\xf0\x9f\x98") << 3;
        QTest::newRow("overlong") << QByteArray("\xe0\x80\xaf") << 1;
        QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << 1;
        QTest::newRow("stray-continuation") << QByteArray("\x80\x80") << 2;
        QTest::newRow("bad-lead") << QByteArray("\xff\xfe") << 2;
    }
    void malformedUtf8NeverReadsPastTheEnd() {
        QFETCH(QByteArray, utf8);
        QFETCH(int, codePoints);
        Utf8Reader reader(std::string_view(utf8.constData(), std::size_t(utf8.size())));
        int count = 0;
        while (!reader.atEnd()) {
            QCOMPARE(reader.next(), ReplacementCharacter);
            ++count;
        }
        QCOMPARE(count, codePoints);
    }
};

QTEST_APPLESS_MAIN(TestTextConversions)
#include "tst_text_conversions.moc"
