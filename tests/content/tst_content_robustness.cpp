// Fixed-seed random lines and files through every parser function and reader. Under the sanitizers any
// out-of-bounds read fails the run; here we also check the invariants every reader promises.
#include "code_pages.h"
#include "content_builder.h"
#include "esperanto.h"
#include "line_parser.h"
#include "readers.h"

#include <QtTest>

#include <random>

using namespace kvizaro;

namespace {

class RandomContent {
public:
    explicit RandomContent(std::uint32_t seed) : engine_(seed) {}

    int below(int limit) { return std::uniform_int_distribution<int>(0, limit - 1)(engine_); }

    // Lines biased towards the characters and keys the parser cares about.
    std::string line() {
        static const std::vector<std::string> pieces{
            "\"",      ",",       "=",       " ",       "#",       "[",       "]",     ";",      "[tasko]",
            "Menuero", "Butono1", "Butono2", "Butono3", "Demando", "Instruo", "Solvo", "REMARK", "rem",
            "cx",      "Ux",      "x",       "\xe6",    "\xf5",    "\xff",    "\x00"};
        std::string text;
        const int parts = below(12);
        for (int i = 0; i < parts; ++i) {
            if (below(3) == 0) {
                text += static_cast<char>(below(256));
            } else {
                text += pieces[std::size_t(below(int(pieces.size())))];
            }
        }
        return text.size() > MaxLineLength ? text.substr(0, MaxLineLength) : text;
    }

    std::string bytes(int maxLength) {
        std::string text(std::size_t(below(maxLength + 1)), '\0');
        for (char& c : text) {
            c = static_cast<char>(below(256));
        }
        return text;
    }

private:
    std::mt19937 engine_;
};

std::vector<std::string> blockNamesOf(const ContentLines& lines) {
    std::vector<std::string> names{"", "Menuo", "tajpado", "nenio"};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].empty() && lines[i].front() == '#') {
            names.emplace_back(lines[i].substr(1));
        }
    }
    return names;
}

void checkReaders(const ContentLines& lines) {
    const MenuBlock menu = readMenuBlock(lines);
    QVERIFY(menu.entries.size() <= MaxMenuEntries);
    for (const std::string& name : blockNamesOf(lines)) {
        const TaskSheet sheet = readTaskBlock(lines, name);
        QVERIFY(sheet.items.size() <= MaxQuestions);
        for (const TaskItem& item : sheet.items) {
            QVERIFY(item.solutions.size() <= MaxSolutions);
        }
        QVERIFY(readHelpBlock(lines, name).size() <= lines.size());
    }
}

} // namespace

class TestContentRobustness : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { configureParser(); }

    void everyFunctionTakesAnyLine() {
        RandomContent random(20261208);
        for (int round = 0; round < 20000; ++round) {
            const std::string line = round % 2 == 0 ? random.line() : random.bytes(300);
            const LineKind kind = ClassifyLine(line);
            QVERIFY(ParserStatus == 0 || ParserStatus == 38 || ParserStatus == 80 || ParserStatus == 96);
            QVERIFY(kind != LineKind::KeySpace || line.find(' ') != std::string::npos);
            QVERIFY(LineKey(line).size() <= line.size());
            for (std::uint8_t field = 0; field < 5; ++field) {
                std::string value = "keep";
                LineField(field, line, value);
                QVERIFY(value == "keep" || value.size() <= line.size());
            }
            QCOMPARE(LowerAscii(line).size(), line.size());
            QVERIFY(XToLatin3(line).size() <= line.size());
            QVERIFY(NormaliseAnswer(line).size() <= line.size());
            QVERIFY(latin3ToXSystem(line).size() >= line.size());
            // What a display shows can be typed back: the same bytes, or marked as having no byte.
            const std::string shown = displayLatin3ToUtf8(line);
            const std::string typedBack = utf8ToDisplayLatin3(shown);
            QVERIFY(typedBack == line || hasUnmappableEscape(typedBack) || hasUnmappableEscape(line));
            (void)windows1250ToUtf8(utf8ToWindows1250(line));
        }
    }

    void everyReaderTakesRandomContent() {
        RandomContent random(8121926);
        for (int round = 0; round < 300; ++round) {
            std::vector<std::string> content;
            if (random.below(2) == 0) {
                content.push_back("#Menuo");
            }
            const int count = random.below(200);
            for (int i = 0; i < count; ++i) {
                content.push_back(random.below(10) == 0 ? std::string() : random.line());
            }
            checkReaders(test::linesOf(content));
        }
    }

    void randomStoredFilesDecodeWithinTheirLimits() {
        RandomContent random(4242);
        for (int round = 0; round < 300; ++round) {
            const std::string stored = random.bytes(4000);
            const ContentLines lines = decodeContent(stored);
            QVERIFY(lines.size() <= stored.size() + 1);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                QVERIFY(lines[i].size() <= MaxLineLength);
            }
            checkReaders(lines);
        }
    }

    void hugeFileLoadsWhole() {
        // Past 65,535 lines nothing wraps around: the last block is still found and read.
        std::vector<std::string> content{"#Menuo", "Menuero=\"Utolso\",\"fino\""};
        for (int i = 0; i < 70000; ++i) {
            content.push_back("Solvo=\"" + std::string(200, 'a') + "\"");
        }
        content.insert(content.end(), {"#fino", "[tasko]", "Demando=\"Lasta\"", "#"});
        QTemporaryDir dir;
        const LoadResult result =
            LoadContent(test::writeFile(dir, "enhavo.adt", test::encodeStored(content)));
        QVERIFY(!result.error);
        QCOMPARE(result.lines.size(), content.size());
        const TaskSheet sheet = readTaskBlock(result.lines, "fino");
        QCOMPARE(sheet.items.size(), std::size_t(1));
        QCOMPARE(sheet.items.front().question, std::string("Lasta"));
    }
};

QTEST_APPLESS_MAIN(TestContentRobustness)
#include "tst_content_robustness.moc"
