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

// Decodes a stored file in its own buffer: the end-of-file byte is found first, then every byte before it
// is taken one off in one plain loop (which the compiler vectorises) and the lines are found by their
// decoded CR with memchr. The lines stay where the file had them, separated by their line ends.
struct ContentDecoder {
    static ContentLines decode(std::unique_ptr<char[]> buffer, std::size_t size, std::size_t capacity) {
        // Offsets are 32-bit; nothing past 4 GiB can be a content file anyway.
        char* const begin = buffer.get();
        char* end = begin + std::min<std::size_t>(size, UINT32_MAX);
        if (auto* endOfFile =
                static_cast<char*>(std::memchr(begin, StoredEndOfFile, std::size_t(end - begin)))) {
            end = endOfFile;
        }
        for (char* at = begin; at < end; ++at) {
            *at = static_cast<char>(static_cast<unsigned char>(*at) - 1U);
        }
        ContentLines lines;
        for (char* cursor = begin; cursor < end;) {
            auto* lineEnd =
                static_cast<char*>(std::memchr(cursor, DecodedCarriageReturn, std::size_t(end - cursor)));
            if (lineEnd == nullptr) {
                lineEnd = end;
            }
            const auto length = std::min(static_cast<std::size_t>(lineEnd - cursor), MaxLineLength);
            lines.spans_.push_back(
                {static_cast<std::uint32_t>(cursor - begin), static_cast<std::uint32_t>(length)});
            cursor = lineEnd + 1; // a CR ends the line and one LF right after it is skipped
            if (cursor < end && *cursor == DecodedLineFeed) {
                ++cursor;
            }
        }
        lines.text_ = std::move(buffer);
        lines.textSize_ = size;
        lines.textCapacity_ = capacity;
        return lines;
    }

private:
    static constexpr char StoredEndOfFile = 26;
    static constexpr char DecodedCarriageReturn = 13 - 1;
    static constexpr char DecodedLineFeed = 10 - 1;
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
