#include "safe_save.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <limits.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace kvizaro {

namespace {

// As many links in a row as the kernel follows before it gives up with ELOOP.
constexpr int MaxLinkHops = 40;
constexpr int MaxNameAttempts = 100;
constexpr mode_t PermissionBits = 07777;
constexpr mode_t NewFileMode = 0666; // less the umask, which open() applies
constexpr mode_t PrivateMode = 0600; // until the kept mode is set on the finished contents

// The temporary file's name for the signal handler, which may touch nothing but what is written here
// beforehand. Changed only while the signals are blocked, so the handler never sees half a name.
char interruptedTemporary[PATH_MAX];
volatile std::sig_atomic_t temporaryRecorded = 0;

constexpr std::array<int, 3> InterruptingSignals{SIGINT, SIGTERM, SIGHUP};
std::array<struct sigaction, InterruptingSignals.size()> previousActions{};

// Async-signal-safe: unlink, sigaction and raise only. The signal then takes its course as before the save.
extern "C" void removeTemporaryAndRaise(int signal) {
    if (temporaryRecorded != 0) {
        ::unlink(interruptedTemporary);
    }
    for (std::size_t i = 0; i < InterruptingSignals.size(); ++i) {
        if (InterruptingSignals[i] == signal) {
            ::sigaction(signal, &previousActions[i], nullptr);
        }
    }
    ::raise(signal);
}

// Blocks the interrupting signals for its lifetime, so that a file's creation and its recording, or its
// rename and forgetting, happen as one step for the handler.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : InterruptingSignals) {
            sigaddset(&held, signal);
        }
        ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t previous_{};
};

// Installs the handler for the save's duration; a signal the process ignores stays ignored.
class InterruptionGuard {
public:
    InterruptionGuard() {
        struct sigaction action {};
        action.sa_handler = removeTemporaryAndRaise;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < InterruptingSignals.size(); ++i) {
            ::sigaction(InterruptingSignals[i], nullptr, &previousActions[i]);
            installed_[i] = previousActions[i].sa_handler != SIG_IGN;
            if (installed_[i]) {
                ::sigaction(InterruptingSignals[i], &action, nullptr);
            }
        }
    }
    ~InterruptionGuard() {
        for (std::size_t i = 0; i < InterruptingSignals.size(); ++i) {
            if (installed_[i]) {
                ::sigaction(InterruptingSignals[i], &previousActions[i], nullptr);
            }
        }
    }
    InterruptionGuard(const InterruptionGuard&) = delete;
    InterruptionGuard& operator=(const InterruptionGuard&) = delete;

private:
    std::array<bool, InterruptingSignals.size()> installed_{};
};

void recordTemporary(const std::string& path) {
    if (path.size() < sizeof interruptedTemporary) {
        std::memcpy(interruptedTemporary, path.c_str(), path.size() + 1);
        temporaryRecorded = 1;
    }
}

struct Target {
    std::string path;   // after following links
    std::string folder; // where the temporary file goes
    bool exists = false;
    struct stat status {};
};

// Follows the links one by one, as the kernel would when opening `path`, so that a dangling link still
// names the file to create.
std::optional<std::string> resolveTarget(const std::string& path, Target& target) {
    std::filesystem::path current(path);
    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
        if (::lstat(current.c_str(), &target.status) != 0) {
            if (errno != ENOENT) {
                return systemErrorText(errno);
            }
            target.exists = false;
            break;
        }
        if (!S_ISLNK(target.status.st_mode)) {
            target.exists = true;
            break;
        }
        if (hop == MaxLinkHops) {
            return systemErrorText(ELOOP);
        }
        std::error_code error;
        const std::filesystem::path named = std::filesystem::read_symlink(current, error);
        if (error) {
            return error.message();
        }
        current = named.is_absolute() ? named : current.parent_path() / named;
    }
    target.path = current.string();
    target.folder = current.has_parent_path() ? current.parent_path().string() : std::string(".");
    return std::nullopt;
}

std::optional<std::string> refusal(const Target& target) {
    if (!target.exists) {
        return std::nullopt;
    }
    if (!S_ISREG(target.status.st_mode)) {
        return "not a regular file; only regular files are replaced";
    }
    if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) {
        return errno == EACCES ? std::string("the file is read-only; make it writable to replace it")
                               : systemErrorText(errno);
    }
    return std::nullopt;
}

// The temporary file, removed again unless it has been renamed over the target.
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        closeFile();
        const SignalsHeld held;
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
        temporaryRecorded = 0;
    }

    // O_EXCL together with O_NOFOLLOW: a file or link that already has the name is left alone and
    // another name is tried.
    std::optional<std::string> create(const Target& target, const TemporarySuffixSource& suffix) {
        const std::string stem = target.path;
        const mode_t mode = target.exists ? PrivateMode : NewFileMode;
        for (int attempt = 0; attempt < MaxNameAttempts; ++attempt) {
            std::string candidate = stem + suffix();
            const SignalsHeld held;
            fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (fd_ >= 0) {
                recordTemporary(candidate);
                path_ = std::move(candidate);
                return std::nullopt;
            }
            if (errno != EEXIST) {
                return systemErrorText(errno);
            }
        }
        return systemErrorText(EEXIST);
    }

    std::optional<std::string> write(std::string_view contents) {
        while (!contents.empty()) {
            const ssize_t written = ::write(fd_, contents.data(), contents.size());
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return systemErrorText(errno);
            }
            contents.remove_prefix(static_cast<std::size_t>(written));
        }
        return std::nullopt;
    }

    // The owner may only be given back by a privileged user; the permission bits always are.
    std::optional<std::string> takeOver(const Target& target) {
        if (!target.exists) {
            return std::nullopt;
        }
        // Before the mode: a change of owner clears the set-user-ID and set-group-ID bits.
        [[maybe_unused]] const int ignored = ::fchown(fd_, target.status.st_uid, target.status.st_gid);
        if (::fchmod(fd_, target.status.st_mode & PermissionBits) != 0) {
            return systemErrorText(errno);
        }
        return std::nullopt;
    }

    std::optional<std::string> finish() {
        if (::fsync(fd_) != 0) {
            return systemErrorText(errno);
        }
        if (closeFile() != 0) {
            return systemErrorText(errno);
        }
        return std::nullopt;
    }

    std::optional<std::string> renameOver(const std::string& target) {
        const SignalsHeld held;
        if (::rename(path_.c_str(), target.c_str()) != 0) {
            return systemErrorText(errno);
        }
        path_.clear();
        temporaryRecorded = 0;
        return std::nullopt;
    }

private:
    int closeFile() {
        if (fd_ < 0) {
            return 0;
        }
        return ::close(std::exchange(fd_, -1));
    }

    int fd_ = -1;
    std::string path_;
};

// Makes the rename itself survive a crash. Some file systems cannot flush a folder (EINVAL); nothing
// more can be done there.
std::optional<std::string> flushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return systemErrorText(errno);
    }
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0 && error != EINVAL) {
        return "replaced, but not flushed to disk: " + systemErrorText(error);
    }
    return std::nullopt;
}

} // namespace

std::string systemErrorText(int error) {
    return std::generic_category().message(error);
}

std::string randomTemporarySuffix() {
    static constexpr std::string_view Alphabet =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, Alphabet.size() - 1);
    std::string suffix = ".";
    for (int i = 0; i < 6; ++i) {
        suffix += Alphabet[pick(generator)];
    }
    return suffix;
}

std::optional<std::string> saveFileSafely(const std::string& path, std::string_view contents,
                                          const TemporarySuffixSource& suffix,
                                          const std::function<void()>& beforeRename) {
    const InterruptionGuard interruption;
    Target target;
    if (auto error = resolveTarget(path, target)) {
        return error;
    }
    if (auto error = refusal(target)) {
        return error;
    }
    TemporaryFile temporary;
    if (auto error = temporary.create(target, suffix)) {
        return error;
    }
    if (auto error = temporary.write(contents)) {
        return error;
    }
    if (auto error = temporary.takeOver(target)) {
        return error;
    }
    if (auto error = temporary.finish()) {
        return error;
    }
    if (beforeRename) {
        beforeRename();
    }
    if (auto error = temporary.renameOver(target.path)) {
        return error;
    }
    return flushFolder(target.folder);
}

} // namespace kvizaro
