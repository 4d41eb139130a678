// Any bytes as a content file: decoded, every block read as menu, task sheet and help text, every line
// through the parser and every value through the answer conversions.
#include "code_pages.h"
#include "content_file.h"
#include "esperanto.h"
#include "line_parser.h"
#include "readers.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void parseLine(std::string_view line) {
    kvizaro::ClassifyLine(line);
    require(kvizaro::LineKey(line).size() <= line.size());
    for (std::uint8_t field = 0; field < 4; ++field) {
        std::string value;
        kvizaro::LineField(field, line, value);
        require(value.size() <= line.size());
    }
}

void convertAnswer(const std::string& text) {
    require(kvizaro::XToLatin3(text).size() <= text.size());
    require(kvizaro::NormaliseAnswer(kvizaro::latin3ToXSystem(text)).size() <= 2 * text.size());
    kvizaro::displayLatin3ToUtf8(text);
    kvizaro::utf8ToDisplayLatin3(kvizaro::windows1250ToUtf8(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kvizaro::configureParser();
    const kvizaro::ContentLines lines =
        kvizaro::decodeContent(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> names{"", "Menuo", "tajpado"};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        require(lines[i].size() <= kvizaro::MaxLineLength);
        parseLine(lines[i]);
        if (!lines[i].empty() && lines[i].front() == '#') {
            names.emplace_back(lines[i].substr(1));
        }
    }
    const kvizaro::MenuBlock menu = kvizaro::readMenuBlock(lines);
    require(menu.entries.size() <= kvizaro::MaxMenuEntries);
    for (const std::string& name : names) {
        const kvizaro::TaskSheet sheet = kvizaro::readTaskBlock(lines, name);
        require(sheet.items.size() <= kvizaro::MaxQuestions);
        for (const kvizaro::TaskItem& item : sheet.items) {
            require(item.solutions.size() <= kvizaro::MaxSolutions);
            convertAnswer(item.question);
            convertAnswer(item.instruction);
            for (const std::string& solution : item.solutions) {
                convertAnswer(solution);
            }
        }
        kvizaro::readHelpBlock(lines, name);
    }
    return 0;
}
