#include "content_file.h"

#include "adt_codec.h"
#include "code_pages.h"
#include "readers.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
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

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

ReadFailure systemFailure(int error) {
    // A socket, or a device without its hardware.
    return error == ENXIO ? ReadFailure{ReadFailure::Reason::NotRegularFile, 0}
                          : ReadFailure{ReadFailure::Reason::System, error};
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

    // The complete lines only: the line being read is dropped.
    ContentLines finishBeforeLine() {
        lineText_ = nullptr;
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

namespace {

// Opens `file` for reading only if it is a regular file within the size limit. Non-blocking, so that
// opening a named pipe without a writer returns at once; its type is then refused before anything is read.
std::optional<ReadFailure> openBounded(const std::filesystem::path& file, int& fd) {
    fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return systemFailure(errno);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return systemFailure(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return ReadFailure{ReadFailure::Reason::System, EISDIR};
    }
    if (!S_ISREG(info.st_mode)) {
        return ReadFailure{ReadFailure::Reason::NotRegularFile, 0};
    }
    if (static_cast<std::uint64_t>(info.st_size) > MaxContentFileSize) {
        return ReadFailure{ReadFailure::Reason::TooLarge, 0};
    }
    return std::nullopt;
}

// Reads the opened file in pieces, handing each to `take`; refuses a file that grows past the limit while
// it is read.
template <typename Take> std::optional<ReadFailure> readPieces(int fd, Take take) {
    auto buffer = std::make_unique_for_overwrite<char[]>(ReadBytes);
    std::uint64_t total = 0;
    for (;;) {
        const ssize_t got = ::read(fd, buffer.get(), ReadBytes);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return systemFailure(errno);
        }
        if (got == 0) {
            return std::nullopt;
        }
        total += static_cast<std::uint64_t>(got);
        if (total > MaxContentFileSize) {
            return ReadFailure{ReadFailure::Reason::TooLarge, 0};
        }
        if (!take(std::string_view(buffer.get(), static_cast<std::size_t>(got)))) {
            return std::nullopt;
        }
    }
}

std::string quotedName(const std::filesystem::path& file) {
    return "\u201E" + file.filename().string() + "\u201D";
}

// In Hungarian, for the error box: where the source holds what the format cannot.
std::string sourceErrorText(const std::filesystem::path& file, const SourceError& error) {
    std::string text = quotedName(file) + ", " + std::to_string(error.line) + ". sor, " +
                       std::to_string(error.column) + ". karakter: ";
    if (error.character) {
        std::string shown;
        if (*error.character >= 0x20) {
            shown = "\u201E";
            appendUtf8(shown, *error.character);
            shown += "\u201D ";
        }
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*error.character));
        text += "a(z) " + shown + "(" + code + ") karakter nem f\u00E9r bele a leck\u00E9be.";
    } else {
        text += "ez nem UTF-8 sz\u00F6veg; mentsd el UTF-8 k\u00F3dol\u00E1ssal.";
    }
    return text + " Az el\u0151tte \u00E1ll\u00F3 sorok bet\u00F6lt\u0151dtek.";
}

// A lesson source, converted piece by piece into the stored form and read from there like a stored file.
class SourceReading {
public:
    explicit SourceReading(ContentReader& reader) : reader_(reader) {}
    bool take(std::string_view piece) {
        stored_.clear();
        encoder_.feed(piece, stored_);
        reader_.feed(stored_.data(), stored_.size());
        return encoder_.errors().empty();
    }
    void finish() {
        stored_.clear();
        encoder_.finish(stored_);
        reader_.feed(stored_.data(), stored_.size());
    }
    const SourceError* firstError() const {
        return encoder_.errors().empty() ? nullptr : &encoder_.errors().front();
    }

private:
    ContentReader& reader_;
    SourceEncoder encoder_{SourceEncoder::ErrorHandling::StopAtFirst};
    std::string stored_;
};

LoadResult finishSource(SourceReading& source, ContentReader& reader,
                        const std::optional<ReadFailure>& failure, const std::filesystem::path& file) {
    if (failure) {
        return {reader.finishBeforeLine(), failureText(*failure)};
    }
    if (source.firstError() == nullptr) {
        source.finish();
    }
    if (const SourceError* error = source.firstError()) {
        return {reader.finishBeforeLine(), sourceErrorText(file, *error)};
    }
    return {reader.finish(), std::nullopt};
}

} // namespace

ContentKind contentKindOf(std::string_view firstBytes) {
    if (firstBytes.starts_with(Utf8ByteOrderMark)) {
        firstBytes.remove_prefix(Utf8ByteOrderMark.size());
    }
    return firstBytes.starts_with('#') ? ContentKind::Source : ContentKind::Stored;
}

std::string failureText(const ReadFailure& failure) {
    switch (failure.reason) {
    case ReadFailure::Reason::NotRegularFile:
        return "Not a regular file";
    case ReadFailure::Reason::TooLarge:
        return "File too large";
    case ReadFailure::Reason::System:
        break;
    }
    switch (failure.error) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case EACCES:
    case EPERM:
        return "File access denied";
    default:
        return "I/O error " + std::to_string(failure.error);
    }
}

std::optional<ReadFailure> readBoundedFile(const std::filesystem::path& file, std::string& bytes) {
    int descriptor = -1;
    const std::optional<ReadFailure> refused = openBounded(file, descriptor);
    FileDescriptor fd(descriptor);
    if (refused) {
        return refused;
    }
    return readPieces(fd.get(), [&bytes](std::string_view piece) {
        bytes += piece;
        return true;
    });
}

std::string noLessonsText(const std::filesystem::path& file) {
    return "A(z) " + quotedName(file) + " nem Kvizaro-lecke: nincs benne #" + std::string(MenuBlockName) +
           " blokk.";
}

LoadResult LoadContent(const std::filesystem::path& file) {
    int descriptor = -1;
    const std::optional<ReadFailure> refused = openBounded(file, descriptor);
    FileDescriptor fd(descriptor);
    if (refused) {
        return {ContentLines{}, failureText(*refused)};
    }
    ContentReader reader;
    std::optional<SourceReading> source; // decided by the first piece
    bool first = true;
    const std::optional<ReadFailure> failure = readPieces(fd.get(), [&](std::string_view piece) {
        if (std::exchange(first, false) && contentKindOf(piece) == ContentKind::Source) {
            source.emplace(reader);
        }
        if (source) {
            return source->take(piece);
        }
        reader.feed(piece.data(), piece.size());
        return true;
    });
    if (source) {
        return finishSource(*source, reader, failure, file);
    }
    if (failure) {
        return failure->reason == ReadFailure::Reason::TooLarge
                   ? LoadResult{ContentLines{}, failureText(*failure)}
                   : LoadResult{reader.finish(), failureText(*failure)};
    }
    return {reader.finish(), std::nullopt};
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
