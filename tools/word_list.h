// A word list: what a teacher keeps in a spreadsheet or a vocabulary trainer, sheets of questions with a
// model answer and further accepted answers. The importers read one, wordListToSource turns it into a
// lesson source, and the exporter writes the sheets of a content file back as one. Texts are UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvizaro {

struct WordItem {
    std::string question;
    std::string answer;                // the model answer, accepted as well
    std::vector<std::string> accepted; // further accepted answers
    std::string origin;                // where the input holds it: "line 12", "entry 7"
};

struct WordSheet {
    std::string name;
    std::vector<WordItem> items;
    // What tells the sheet from another of the same name: its block in a content file, or the "block"
    // column of a word list. Empty when the name alone does.
    std::string block = {};
};

// Something in the input, named by its origin.
struct WordListProblem {
    std::string origin;
    std::string message;
};

struct WordListReading {
    std::vector<WordSheet> sheets;
    std::vector<WordListProblem> errors;   // nothing may be written
    std::vector<WordListProblem> warnings; // left out, the rest is imported
};

struct LessonSourceResult {
    std::string source;                  // empty when there are errors
    std::vector<WordListProblem> errors; // in input order
};

// Sheets of more than 200 questions are split into parts "name (1)", "name (2)", ...; the menu lists every
// sheet under a heading and ends with the entry of the "Névjegy" help button, so that the result checks
// clean. Esperanto letters with hats become the x-system in answers and captions; questions keep them.
LessonSourceResult wordListToSource(const std::vector<WordSheet>& sheets);

// "ĉapelo" -> "cxapelo", for the twelve letters; everything else is kept.
std::string hatLettersToXSystem(std::string_view utf8);

// Blanks in place of line breaks and tabs, and none at either end: a value fills one line.
std::string oneLineText(std::string_view utf8);

} // namespace kvizaro
