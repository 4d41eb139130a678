// Finds what the program would silently skip or show wrongly in a content file: it reads the lines as the
// program does (the same loader, parser and readers) and reports, line by line, where the author's intent
// and the program's reading part ways. Beside these faults it gives authors advice: lessons the program
// reads as written but that a learner is likely to find unfair or odd.
#pragma once

#include "content_file.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvizaro {

enum class Severity {
    Fault,   // the program skips, misreads or misshows something, or judges a right answer wrong
    Warning, // advice: the program reads it as written, but the lesson may not be what its author meant
};

struct Finding {
    std::size_t line; // from 1; 0 for the file as a whole
    std::string message;
    Severity severity = Severity::Fault;
};

// Answers of this many words or more are sentences, which a learner may rightly word in more than one way.
inline constexpr std::size_t SentenceWords = 3;

// Findings in the decoded lines, in line order.
std::vector<Finding> checkContent(const ContentLines& lines);

// Findings that decoding hides: lines cut to 255 characters, an end-of-file byte before the file's end.
std::vector<Finding> checkStoredBytes(std::string_view stored);

// Both of the above, merged in line order.
std::vector<Finding> checkStored(std::string_view stored);

} // namespace kvizaro
