// `kvizaro-adt taught`: nothing is asked before it is taught. A table names what each sheet teaches (word
// patterns for affixes and grammar, and words taught as vocabulary); every question's model answer is
// read word by word against it, so that a word needing a later sheet is found each time the course
// changes, not once by a reviewer.
#pragma once

#include <ostream>
#include <string>

namespace kvizaro {

// The exit status is adt_exit's: 1 when a word needs a later sheet or the table has errors.
int auditTeachingOrder(const std::string& coursePath, const std::string& tablePath, std::ostream& out,
                       std::ostream& err);

} // namespace kvizaro
