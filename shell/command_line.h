// The program's command line: `kvizaro [FILE]`, `--help` and `--version`, among the options that Qt reads
// for every program. It is read twice: once before the application object exists, so that the help, the
// version and a wrong command line need no display, and once after Qt has taken its own options out, for
// the FILE that remains.
#pragma once

#include <QStringList>

#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>

namespace kvizaro {

namespace kvizaro_exit {
inline constexpr int Ok = 0;
inline constexpr int Failure = 1; // the main window could not be built, or standard output not written
inline constexpr int Usage = 64;  // an unknown option or more than one FILE
} // namespace kvizaro_exit

struct CommandLine {
    enum class Request { Run, Help, Version, Usage };

    Request request = Request::Run;
    // The lessons to read instead of the default file in the working directory.
    std::optional<std::filesystem::path> contentFile;
    // For a Usage request: what is wrong, in one line.
    std::string problem;
};

// `arguments` is the whole command line, the program's name first. Qt's own options are passed over
// with their values, so the result is the same before and after Qt has removed them. `--help` and
// `--version` win over anything else on the line; after `--` every argument is a FILE.
CommandLine parseCommandLine(std::span<const char* const> arguments);

// Answers a request that needs no window (help, version, usage) on `out` or `err`; the exit status. A
// text that cannot be written to `out` is reported on `err` and fails.
int answerWithoutWindows(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

// What a restarted program is given so that it reads the same lessons: the FILE as an absolute path,
// which holds whatever working directory the new instance starts in. Nothing without a FILE.
// The toolkit's options that it was started with (`-platform xcb`, say) come first.
QStringList restartArguments(const std::optional<std::filesystem::path>& contentFile,
                             const QStringList& toolkitOptions = {});

// The arguments the application object took out of the command line as its own: those of `before` that
// `after` no longer holds. The program's name is not among them.
QStringList optionsTakenByToolkit(const QStringList& before, const QStringList& after);

} // namespace kvizaro
