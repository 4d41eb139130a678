// The content file: every byte stored plus one, lines ended by CR LF, a byte 26 ends it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvizaro {

inline constexpr std::size_t MaxLineLength = 255;
inline constexpr std::string_view DefaultContentFile = "enhavo.adt";

// The decoded lines of the content file, in file order. All lines share one buffer, so a file of
// 65,500 full lines costs little more than its own size and loads in one pass.
class ContentLines {
public:
    ContentLines() = default;
    ContentLines(std::initializer_list<std::string_view> lines);

    std::size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    std::string_view operator[](std::size_t index) const;

    // Appends a line as it stands; the loader has already cut it to MaxLineLength.
    void append(std::string_view line);
    std::size_t memoryBytes() const { return textCapacity_ + spans_.capacity() * sizeof(Span); }

private:
    friend struct ContentDecoder;
    struct Span {
        std::uint32_t begin;
        std::uint32_t length;
    };
    // Not a std::string: a string zero-fills what it is resized to, and the loader reads the file straight
    // into this buffer.
    std::unique_ptr<char[]> text_;
    std::size_t textSize_ = 0;
    std::size_t textCapacity_ = 0;
    std::vector<Span> spans_;
};

struct LoadResult {
    ContentLines lines;               // the lines read before any failure
    std::optional<std::string> error; // "File not found", "File access denied" or "I/O error N"
};

std::string DecodeLine(std::string_view stored);

LoadResult LoadContent(const std::filesystem::path& file = std::filesystem::path(DefaultContentFile));

// Decodes the stored bytes of a whole file, as LoadContent does with the bytes it reads.
ContentLines DecodeContent(std::string_view stored);

std::optional<std::size_t> FindBlock(const ContentLines& lines, std::string_view name);

} // namespace kvizaro
