// kvizaro-adt's import and export commands: word lists in, lesson sources out, and back.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kvizaro {

// `arguments` follow the command word: "csv|tsv INPUT OUTPUT" or "kvtml [--ask N] [--answer N] INPUT OUTPUT".
int runImport(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// `arguments` follow the command word: "csv INPUT OUTPUT"; INPUT is a stored file or a lesson source.
int runExport(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace kvizaro
