#include "content_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace kvizaro {

namespace {

std::string failureText(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case EACCES:
    case EPERM:
        return "File access denied";
    default:
        return "I/O error " + std::to_string(error);
    }
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::size_t expectedSize(std::FILE* file) {
    struct stat info {};
    if (::fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        return static_cast<std::size_t>(info.st_size);
    }
    return 0;
}

// Reads the whole file into `buffer`; on a failure keeps what was read before it.
std::optional<std::string> readAll(const std::filesystem::path& path, std::unique_ptr<char[]>& buffer,
                                   std::size_t& size, std::size_t& capacity) {
    errno = 0;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return failureText(errno);
    }
    // One read of the known size; the loop goes on only for files that grow or report no size.
    capacity = std::max<std::size_t>(expectedSize(file.get()) + 1, 1 << 16);
    buffer = std::make_unique_for_overwrite<char[]>(capacity);
    size = 0;
    for (;;) {
        size += std::fread(buffer.get() + size, 1, capacity - size, file.get());
        if (size < capacity || std::ferror(file.get())) {
            break;
        }
        auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
        std::memcpy(larger.get(), buffer.get(), size);
        buffer = std::move(larger);
        capacity *= 2;
    }
    if (std::ferror(file.get())) {
        return failureText(errno != 0 ? errno : EIO);
    }
    return std::nullopt;
}

} // namespace

ContentLines::ContentLines(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) {
        append(line);
    }
}

std::string_view ContentLines::operator[](std::size_t index) const {
    const Span span = spans_[index];
    return std::string_view(text_.get() + span.begin, span.length);
}

void ContentLines::append(std::string_view line) {
    if (textSize_ + line.size() > textCapacity_) {
        const std::size_t capacity = std::max(textCapacity_ * 2, textSize_ + line.size());
        auto larger = std::make_unique_for_overwrite<char[]>(capacity);
        if (textSize_ > 0) {
            std::memcpy(larger.get(), text_.get(), textSize_);
        }
        text_ = std::move(larger);
        textCapacity_ = capacity;
    }
    spans_.push_back(Span{static_cast<std::uint32_t>(textSize_), static_cast<std::uint32_t>(line.size())});
    if (!line.empty()) {
        std::memcpy(text_.get() + textSize_, line.data(), line.size());
    }
    textSize_ += line.size();
}

std::string DecodeLine(std::string_view stored) {
    std::string decoded(stored);
    for (char& c : decoded) {
        c = static_cast<char>(static_cast<unsigned char>(c) - 1U);
    }
    return decoded;
}

// Decodes a stored file in its own buffer in one walk: sixteen bytes at a time are tested for a line end
// and taken one off. The lines stay where the file had them, separated by their line ends; no byte moves.
struct ContentDecoder {
    static ContentLines decode(std::unique_ptr<char[]> buffer, std::size_t size, std::size_t capacity) {
        ContentLines lines;
        // Offsets are 32-bit; nothing past 4 GiB can be a content file anyway.
        const std::size_t usable = std::min<std::size_t>(size, UINT32_MAX);
        char* const begin = buffer.get();
        char* const end = begin + usable;
        char* cursor = begin;
        while (cursor < end && *cursor != StoredEndOfFile) {
            char* const lineEnd = decodeUntilTerminator(cursor, end);
            const auto length = std::min(static_cast<std::size_t>(lineEnd - cursor), MaxLineLength);
            lines.spans_.push_back(
                {static_cast<std::uint32_t>(cursor - begin), static_cast<std::uint32_t>(length)});
            if (lineEnd < end && *lineEnd == StoredEndOfFile) {
                break;
            }
            cursor = skipLineEnd(lineEnd, end);
        }
        lines.text_ = std::move(buffer);
        lines.textSize_ = size;
        lines.textCapacity_ = capacity;
        return lines;
    }

private:
    static constexpr char StoredCarriageReturn = 13;
    static constexpr char StoredLineFeed = 10;
    static constexpr char StoredEndOfFile = 26;

    using Block = unsigned char __attribute__((vector_size(16)));

    static bool holdsTerminator(Block block) {
        const auto hits = (block == static_cast<unsigned char>(StoredCarriageReturn)) |
                          (block == static_cast<unsigned char>(StoredEndOfFile));
        std::uint64_t halves[2];
        std::memcpy(halves, &hits, sizeof halves);
        return (halves[0] | halves[1]) != 0;
    }

    // Decodes from `from` up to the first CR or end-of-file byte, which it returns (or `to`).
    static char* decodeUntilTerminator(char* from, char* to) {
        while (to - from >= static_cast<std::ptrdiff_t>(sizeof(Block))) {
            Block block;
            std::memcpy(&block, from, sizeof block);
            if (holdsTerminator(block)) {
                break;
            }
            block -= 1;
            std::memcpy(from, &block, sizeof block);
            from += sizeof block;
        }
        for (; from < to && *from != StoredCarriageReturn && *from != StoredEndOfFile; ++from) {
            *from = static_cast<char>(static_cast<unsigned char>(*from) - 1U);
        }
        return from;
    }

    // A CR ends the line and one LF right after it is skipped.
    static char* skipLineEnd(char* lineEnd, const char* end) {
        char* next = lineEnd;
        if (next < end) {
            ++next;
            if (next < end && *next == StoredLineFeed) {
                ++next;
            }
        }
        return next;
    }
};

ContentLines DecodeContent(std::string_view stored) {
    auto buffer = std::make_unique_for_overwrite<char[]>(stored.size() + 1);
    if (!stored.empty()) {
        std::memcpy(buffer.get(), stored.data(), stored.size());
    }
    return ContentDecoder::decode(std::move(buffer), stored.size(), stored.size() + 1);
}

LoadResult LoadContent(const std::filesystem::path& file) {
    std::unique_ptr<char[]> buffer;
    std::size_t size = 0;
    std::size_t capacity = 0;
    std::optional<std::string> error = readAll(file, buffer, size, capacity);
    if (!buffer) {
        return LoadResult{ContentLines{}, std::move(error)};
    }
    return LoadResult{ContentDecoder::decode(std::move(buffer), size, capacity), std::move(error)};
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
