// The commands of kvizaro-adt, apart from main() so that tests run them in-process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kvizaro {

namespace adt_exit {
inline constexpr int Ok = 0;
inline constexpr int ContentProblems =
    1;                                // check found errors, encode refused the source, decode met bad bytes
inline constexpr int FileFailure = 2; // a file could not be read or written
inline constexpr int Usage = 64;      // unknown command or wrong number of arguments
} // namespace adt_exit

// `arguments` excludes the program name.
int RunAdt(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace kvizaro
