#include "command_line.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace kvizaro {

namespace {

constexpr std::string_view HelpText = R"(Usage: kvizaro [OPTION]... [FILE]

Esperanto drills for Hungarian speakers. Reads its lessons from FILE, a lesson file that
kvizaro-adt has written or a lesson source (its first character is "#"), or without FILE from
enhavo.adt in the working directory. A file that cannot be read, or that holds no lessons, is
reported in an error box, and the program goes on with an empty menu.

Options:
  --help              Shows this text.
  --version           Shows the version.
  --                  Ends the options: the next argument is FILE even if it begins with "-".
The options that every Qt program takes (-platform NAME, -style NAME, -reverse, ...) are accepted.

Exit status:
  0   the program was ended from its main menu; the help or the version was shown
  1   the main window could not be built; the help or the version could not be written
  64  an unknown option, or more than one FILE
)";

// The options that Qt's application object reads and removes, with one dash or two. Those that take a
// value take the next argument; the X11 ones are read by its platform plugin.
constexpr std::array QtOptionsWithValue = {
    "platform",        "platformpluginpath",
    "platformtheme",   "plugin",
    "qwindowgeometry", "qwindowtitle",
    "qwindowicon",     "geometry",
    "title",           "icon",
    "display",         "name",
    "session",         "style",
    "stylesheet",      "visual",
};
constexpr std::array QtFlags = {"reverse", "testability", "nograb", "dograb", "sync", "widgetcount", "cmap"};
// Options that carry their value after "=".
constexpr std::array QtOptionsWithJoinedValue = {"style=", "stylesheet=", "qmljsdebugger="};

bool contains(std::span<const char* const> names, std::string_view name) {
    return std::ranges::any_of(names, [name](const char* candidate) { return name == candidate; });
}

bool startsWithAny(std::span<const char* const> prefixes, std::string_view name) {
    return std::ranges::any_of(prefixes, [name](const char* prefix) { return name.starts_with(prefix); });
}

// "-platform" and "--platform" alike give "platform".
std::string_view optionName(std::string_view argument) {
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    return argument;
}

bool isOption(std::string_view argument) {
    return argument.size() > 1 && argument.front() == '-';
}

enum class OptionKind { NoOption, Help, Version, EndOfOptions, QtWithValue, QtFlag, Unknown };

OptionKind kindOf(std::string_view option) {
    if (option == "--help" || option == "-h") {
        return OptionKind::Help;
    }
    if (option == "--version") {
        return OptionKind::Version;
    }
    if (option == "--") {
        return OptionKind::EndOfOptions;
    }
    const std::string_view name = optionName(option);
    if (contains(QtOptionsWithValue, name)) {
        return OptionKind::QtWithValue;
    }
    if (contains(QtFlags, name) || startsWithAny(QtOptionsWithJoinedValue, name)) {
        return OptionKind::QtFlag;
    }
    return OptionKind::Unknown;
}

// Takes `argument` as the FILE unless it cannot be one; what is wrong with it otherwise.
std::optional<std::string> takeFile(std::string_view argument, std::optional<std::filesystem::path>& file) {
    if (argument.empty()) {
        return "an empty FILE name";
    }
    if (file) {
        return "more than one FILE (" + file->string() + ", " + std::string(argument) + ")";
    }
    file = std::filesystem::path(argument);
    return std::nullopt;
}

bool writtenToEnd(std::ostream& out, std::string_view text, std::ostream& err) {
    errno = 0;
    out << text;
    out.flush();
    if (out) {
        return true;
    }
    // The error number is the failed write's own as long as nothing ran in between.
    const int error = errno;
    err << "kvizaro: cannot write the output";
    if (error != 0) {
        err << ": " << std::strerror(error);
    }
    err << '\n';
    return false;
}

} // namespace

CommandLine parseCommandLine(std::span<const char* const> arguments) {
    CommandLine result;
    bool helpWanted = false;
    bool versionWanted = false;
    bool optionsEnded = false;
    std::optional<std::string> firstProblem;
    const auto noteProblem = [&firstProblem](std::string problem) {
        if (!firstProblem) {
            firstProblem = std::move(problem);
        }
    };
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        const std::string_view argument = arguments[index] != nullptr ? arguments[index] : "";
        switch (optionsEnded || !isOption(argument) ? OptionKind::NoOption : kindOf(argument)) {
        case OptionKind::Help:
            helpWanted = true;
            break;
        case OptionKind::Version:
            versionWanted = true;
            break;
        case OptionKind::EndOfOptions:
            optionsEnded = true;
            break;
        case OptionKind::QtWithValue:
            ++index;
            break;
        case OptionKind::QtFlag:
            break;
        case OptionKind::Unknown:
            noteProblem("unknown option " + std::string(argument));
            break;
        case OptionKind::NoOption:
            if (const auto problem = takeFile(argument, result.contentFile)) {
                noteProblem(*problem);
            }
            break;
        }
    }
    if (helpWanted) {
        return {CommandLine::Request::Help, std::nullopt, {}};
    }
    if (versionWanted) {
        return {CommandLine::Request::Version, std::nullopt, {}};
    }
    if (firstProblem) {
        return {CommandLine::Request::Usage, std::nullopt, *firstProblem};
    }
    return result;
}

int answerWithoutWindows(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
    switch (commandLine.request) {
    case CommandLine::Request::Help:
        return writtenToEnd(out, HelpText, err) ? kvizaro_exit::Ok : kvizaro_exit::Failure;
    case CommandLine::Request::Version:
        return writtenToEnd(out, "kvizaro " KVIZARO_VERSION "\n", err) ? kvizaro_exit::Ok
                                                                       : kvizaro_exit::Failure;
    case CommandLine::Request::Usage:
    case CommandLine::Request::Run:
        break;
    }
    err << "kvizaro: " << commandLine.problem << "; see kvizaro --help\n";
    return kvizaro_exit::Usage;
}

QStringList optionsTakenByToolkit(const QStringList& before, const QStringList& after) {
    QStringList taken;
    qsizetype kept = 1;
    for (qsizetype i = 1; i < before.size(); ++i) {
        if (kept < after.size() && before[i] == after[kept]) {
            ++kept;
        } else {
            taken << before[i];
        }
    }
    return taken;
}

QStringList restartArguments(const std::optional<std::filesystem::path>& contentFile,
                             const QStringList& toolkitOptions) {
    if (!contentFile) {
        return toolkitOptions;
    }
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(*contentFile, error);
    if (error) {
        // Without a working directory to resolve against, the path as given is the best there is.
        absolute = *contentFile;
    }
    return toolkitOptions + QStringList{QFile::decodeName(QByteArray::fromStdString(absolute.string()))};
}

} // namespace kvizaro
