// Replacing a file so that a failure at any point (a full disk, a lost permission, a crash) leaves the old
// file as it was and nothing half-written behind. Plain C++ on POSIX calls, without Qt, so that every
// program that writes a user's file can save through it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kvizaro {

// Gives the part of a temporary file's name that follows the target's name; a fresh one on every call.
using TemporarySuffixSource = std::function<std::string()>;

// The system's text for an error number ("No such file or directory"), as every message of the tools words
// it.
std::string systemErrorText(int error);

// ".k3F9aZ": six random letters and digits.
std::string randomTemporarySuffix();

// Writes `contents` to `path`, replacing what is there:
// - the new contents go into a temporary file beside the target, named after it, created exclusively (an
//   existing file or link of that name is never opened), flushed to disk and renamed over the target; the
//   folder is flushed to disk after the rename;
// - an existing target keeps its permission bits and, where allowed, its owner; a new one gets 0666 less
//   the umask;
// - a target that is a symbolic link is followed: the file it names is replaced and the link stays;
// - a target that is not a regular file (a folder, a device, a pipe) or that cannot be written is refused.
// - SIGINT, SIGTERM or SIGHUP during the save removes the temporary file before the signal takes its course
//   (one save at a time; a crash or SIGKILL may leave it).
// Returns nothing on success, otherwise why the target was not replaced (no temporary file is left then).
// If only the final flush of the folder fails, the target is already replaced; that is reported all the
// same, since the new contents may not survive a crash.
// `beforeRename` runs when the contents are written and flushed, the moment a save has the most to lose:
// tests interrupt it there.
std::optional<std::string> saveFileSafely(const std::string& path, std::string_view contents,
                                          const TemporarySuffixSource& suffix = randomTemporarySuffix,
                                          const std::function<void()>& beforeRename = {});

} // namespace kvizaro
