// `kvizaro-adt try`: typed answers checked against a course exactly as the task sheet judges them, so that
// an author can keep the answers learners really type and see at once which ones a course rejects.
#pragma once

#include <ostream>
#include <string>

namespace kvizaro {

// ANSWERS holds lines "question<TAB>typed answer" (UTF-8; empty lines and lines starting with "#" are
// left out). Every question of COURSE whose text is the line's question judges the answer; the rejected
// answers and the questions found nowhere are listed. The exit status is adt_exit's.
int tryAnswers(const std::string& coursePath, const std::string& answersPath, std::ostream& out,
               std::ostream& err);

} // namespace kvizaro
