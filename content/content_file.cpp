#include "content_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kvizaro {

namespace {

constexpr char StoredCarriageReturn = '\r';
constexpr char StoredLineFeed = '\n';
constexpr char StoredEndOfFile = 26;
constexpr std::size_t ReadBytes = std::size_t{1} << 17;
constexpr std::size_t LengthBits = 24;
constexpr std::size_t MaxAppendedLength = (std::size_t{1} << LengthBits) - 1;
constexpr std::size_t PlaceBits = 16; // a chunk holds 2^16 bytes

const std::string NotRegularFile = "Not a regular file";
const std::string FileTooLarge = "File too large";

std::string failureText(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case EACCES:
    case EPERM:
        return "File access denied";
    case ENXIO: // a socket, or a device without its hardware
        return NotRegularFile;
    default:
        return "I/O error " + std::to_string(error);
    }
}

void decodeInto(char* target, const char* stored, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        target[i] = static_cast<char>(static_cast<unsigned char>(stored[i]) - 1U);
    }
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

// Splits stored bytes into decoded lines as they arrive, in pieces of any size: a line's text is cut at
// MaxLineLength while it is read, so one giant line costs no more than a short one.
class ContentReader {
public:
    void feed(const char* stored, std::size_t count) {
        if (ended_) {
            return;
        }
        if (const void* endOfFile = std::memchr(stored, StoredEndOfFile, count)) {
            count = static_cast<std::size_t>(static_cast<const char*>(endOfFile) - stored);
            ended_ = true;
        }
        const char* at = stored;
        const char* const end = stored + count;
        while (at < end) {
            if (std::exchange(skipLineFeed_, false) && *at == StoredLineFeed) {
                ++at; // a CR ends the line and one LF right after it is skipped
                continue;
            }
            at = takeLinePiece(at, end);
        }
    }

    ContentLines finish() {
        if (lineText_ != nullptr) {
            lines_.commitLine(lineLength_);
            lineText_ = nullptr;
        }
        return std::move(lines_);
    }

private:
    // Takes bytes up to the next CR or `end`, keeps what fits in the line; returns where reading goes on.
    const char* takeLinePiece(const char* at, const char* end) {
        if (lineText_ == nullptr) {
            lineText_ = lines_.nextLineText();
            lineLength_ = 0;
        }
        const auto* lineEnd = static_cast<const char*>(
            std::memchr(at, StoredCarriageReturn, static_cast<std::size_t>(end - at)));
        const char* const stop = lineEnd != nullptr ? lineEnd : end;
        const std::size_t kept = std::min(static_cast<std::size_t>(stop - at), MaxLineLength - lineLength_);
        decodeInto(lineText_ + lineLength_, at, kept);
        lineLength_ += kept;
        if (lineEnd == nullptr) {
            return end;
        }
        lines_.commitLine(lineLength_);
        lineText_ = nullptr;
        skipLineFeed_ = true;
        return lineEnd + 1;
    }

    ContentLines lines_;
    char* lineText_ = nullptr; // the line being read, not yet committed
    std::size_t lineLength_ = 0;
    bool skipLineFeed_ = false;
    bool ended_ = false;
};

ContentLines::ContentLines(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) {
        append(line);
    }
}

ContentLines::ContentLines(ContentLines&& other) noexcept
    : chunks_(std::exchange(other.chunks_, {})), lastChunkUsed_(std::exchange(other.lastChunkUsed_, 0)),
      spanBlocks_(std::exchange(other.spanBlocks_, {})), size_(std::exchange(other.size_, 0)) {}

ContentLines& ContentLines::operator=(ContentLines&& other) noexcept {
    if (this != &other) {
        chunks_ = std::exchange(other.chunks_, {});
        lastChunkUsed_ = std::exchange(other.lastChunkUsed_, 0);
        spanBlocks_ = std::exchange(other.spanBlocks_, {});
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

std::string_view ContentLines::operator[](std::size_t index) const {
    const std::uint64_t span = spanBlocks_[index / SpansPerBlock][index % SpansPerBlock];
    const std::uint64_t offset = span >> LengthBits;
    const char* chunk = chunks_[static_cast<std::size_t>(offset >> PlaceBits)].get();
    return {chunk + (offset & (ChunkBytes - 1)), static_cast<std::size_t>(span & MaxAppendedLength)};
}

void ContentLines::append(std::string_view line) {
    const std::size_t length = std::min(line.size(), MaxAppendedLength);
    if (length <= MaxLineLength) {
        char* text = nextLineText();
        if (length > 0) {
            std::memcpy(text, line.data(), length);
        }
        commitLine(length);
        return;
    }
    auto chunk = std::make_unique_for_overwrite<char[]>(length);
    std::memcpy(chunk.get(), line.data(), length);
    reserveSpan(); // whatever fails, fails before the list changes
    chunks_.push_back(std::move(chunk));
    lastChunkUsed_ = 0;
    commitLine(length);
    lastChunkUsed_ = ChunkBytes; // the next line starts a chunk of its own
}

std::size_t ContentLines::memoryBytes() const {
    return chunks_.size() * ChunkBytes + spanBlocks_.size() * SpansPerBlock * sizeof(std::uint64_t) +
           (chunks_.capacity() + spanBlocks_.capacity()) * sizeof(void*);
}

char* ContentLines::nextLineText() {
    if (chunks_.empty() || ChunkBytes - lastChunkUsed_ < MaxLineLength) {
        auto chunk = std::make_unique_for_overwrite<char[]>(ChunkBytes);
        chunks_.push_back(std::move(chunk));
        lastChunkUsed_ = 0;
    }
    return chunks_.back().get() + lastChunkUsed_;
}

void ContentLines::reserveSpan() {
    if (spanBlocks_.size() * SpansPerBlock == size_) {
        auto block = std::make_unique_for_overwrite<std::uint64_t[]>(SpansPerBlock);
        spanBlocks_.push_back(std::move(block));
    }
}

void ContentLines::commitLine(std::size_t length) {
    reserveSpan();
    const std::uint64_t offset = (std::uint64_t{chunks_.size() - 1} << PlaceBits) | lastChunkUsed_;
    spanBlocks_.back()[size_ % SpansPerBlock] = (offset << LengthBits) | length;
    lastChunkUsed_ += length;
    ++size_;
}

std::string DecodeLine(std::string_view stored) {
    std::string decoded(stored);
    decodeInto(decoded.data(), stored.data(), stored.size());
    return decoded;
}

ContentLines decodeContent(std::string_view stored) {
    ContentReader reader;
    reader.feed(stored.data(), stored.size());
    return reader.finish();
}

LoadResult LoadContent(const std::filesystem::path& file) {
    // Non-blocking, so that opening a named pipe without a writer returns at once; its type is then
    // refused below before anything is read.
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        return {ContentLines{}, failureText(errno)};
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return {ContentLines{}, failureText(errno)};
    }
    if (S_ISDIR(info.st_mode)) {
        return {ContentLines{}, failureText(EISDIR)};
    }
    if (!S_ISREG(info.st_mode)) {
        return {ContentLines{}, NotRegularFile};
    }
    if (static_cast<std::uint64_t>(info.st_size) > MaxContentFileSize) {
        return {ContentLines{}, FileTooLarge};
    }
    ContentReader reader;
    auto buffer = std::make_unique_for_overwrite<char[]>(ReadBytes);
    std::uint64_t total = 0;
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer.get(), ReadBytes);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            return {reader.finish(), failureText(error)};
        }
        if (got == 0) {
            return {reader.finish(), std::nullopt};
        }
        total += static_cast<std::uint64_t>(got);
        if (total > MaxContentFileSize) { // the file grew while it was read
            return {ContentLines{}, FileTooLarge};
        }
        reader.feed(buffer.get(), static_cast<std::size_t>(got));
    }
}

std::optional<std::size_t> FindBlock(const ContentLines& lines, std::string_view name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.size() == name.size() + 1 && line.front() == '#' && line.substr(1) == name) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace kvizaro
