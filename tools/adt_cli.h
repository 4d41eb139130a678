// The commands of kvizaro-adt, apart from main() so that tests run them in-process.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kvizaro {

namespace adt_exit {
inline constexpr int Ok = 0;
inline constexpr int ContentProblems =
    1;                                // check found errors, encode refused the source, decode met bad bytes
inline constexpr int FileFailure = 2; // a file could not be read or written
inline constexpr int Usage = 64;      // unknown command or wrong number of arguments
} // namespace adt_exit

// Reads a whole input file with the program's bounds (a regular file within the content file's size limit,
// so a pipe or a device is refused at once); gives why it could not.
std::optional<std::string> readInputFile(const std::string& path, std::string& contents);

// Reads a content file of either kind into the stored form, as the program reads it: a lesson source goes
// through encode. Reports what went wrong (naming `outPath`, if given, as not written); the exit status.
int readContentAsStored(const std::string& path, std::string& stored, const std::string* outPath,
                        std::ostream& err);

// Saves a command's output safely and says so; the exit status of the command.
int saveOutput(const std::string& path, std::string_view contents, std::ostream& out, std::ostream& err);

// `arguments` excludes the program name.
int runAdt(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace kvizaro
