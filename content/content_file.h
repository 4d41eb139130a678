// The content file: every byte stored plus one, lines ended by CR LF, a byte 26 ends it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvizaro {

inline constexpr std::size_t MaxLineLength = 255;
inline constexpr std::string_view DefaultContentFile = "enhavo.adt";
// 65,500 lines of 255 characters take 16.05 MiB; anything much larger is no content file, and refusing it
// keeps a hostile file from costing more than a real one.
inline constexpr std::uint64_t MaxContentFileSize = 20 * 1024 * 1024;

// The decoded lines of the content file, in file order. The text lies in fixed-size chunks that no line
// straddles, and each line costs one 64-bit word of place and length besides its text: memory stays near
// the size of what is kept, and growing never copies what is already there.
class ContentLines {
public:
    ContentLines() = default;
    ContentLines(std::initializer_list<std::string_view> lines);
    // A moved-from list is empty and can be filled again.
    ContentLines(ContentLines&& other) noexcept;
    ContentLines& operator=(ContentLines&& other) noexcept;
    ContentLines(const ContentLines&) = delete;
    ContentLines& operator=(const ContentLines&) = delete;
    ~ContentLines() = default;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::string_view operator[](std::size_t index) const;

    // Appends a line as it stands (up to 16 MiB); the loader has already cut it to MaxLineLength.
    void append(std::string_view line);
    std::size_t memoryBytes() const;

private:
    friend class ContentReader;
    static constexpr std::size_t ChunkBytes = std::size_t{1} << 16;
    static constexpr std::size_t SpansPerBlock = 4096;

    // Where the next line's text goes, with room for MaxLineLength bytes.
    char* nextLineText();
    void reserveSpan();
    // Records the line of `length` bytes written at nextLineText().
    void commitLine(std::size_t length);

    std::vector<std::unique_ptr<char[]>> chunks_;
    std::size_t lastChunkUsed_ = 0;
    // Each span: the line's offset in the chunked text (40 bits, chunk index and place) and its length
    // (24 bits). A line longer than MaxLineLength, which only append() makes, has a chunk of its own.
    std::vector<std::unique_ptr<std::uint64_t[]>> spanBlocks_;
    std::size_t size_ = 0;
};

struct LoadResult {
    ContentLines lines;               // the lines read before any failure
    std::optional<std::string> error; // "File not found", "File access denied", "I/O error N",
                                      // "Not a regular file", "File too large", or where a lesson
                                      // source holds a character the format cannot
};

// What a content file holds. A lesson source begins with "#" (after an optional UTF-8 byte-order mark),
// which no stored file can: its first line "#Menuo" is stored as "$Nfovp". Every reader tells the two
// kinds apart by this one rule.
enum class ContentKind { Stored, Source };
ContentKind contentKindOf(std::string_view firstBytes);

// Why a file was not read: an error number from the system, or a refusal of the bounded reading.
struct ReadFailure {
    enum class Reason { System, NotRegularFile, TooLarge };
    Reason reason = Reason::System;
    int error = 0; // errno, for Reason::System
};
// The program's texts for a failure (see LoadResult).
std::string failureText(const ReadFailure& failure);

// The whole of a file, read with the same bounds as LoadContent (a regular file of at most
// MaxContentFileSize bytes), for readers that need every byte at once.
std::optional<ReadFailure> readBoundedFile(const std::filesystem::path& file, std::string& bytes);

// The error box's text for a file that was read but holds no menu block, so no lessons.
std::string noLessonsText(const std::filesystem::path& file);

std::string DecodeLine(std::string_view stored);

// Reads only a regular file of at most MaxContentFileSize bytes: a named pipe or device is refused before
// anything is read, so it can never block start-up. A lesson source is read through the same conversion as
// `kvizaro-adt encode`; a character it cannot store ends the reading there, and the lines before it stay.
LoadResult LoadContent(const std::filesystem::path& file = std::filesystem::path(DefaultContentFile));

// Decodes the stored bytes of a whole file, as LoadContent does with the bytes it reads.
ContentLines decodeContent(std::string_view stored);

std::optional<std::size_t> FindBlock(const ContentLines& lines, std::string_view name);

} // namespace kvizaro
