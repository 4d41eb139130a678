// Builds content in its stored form (every byte plus one, CR LF line ends), as a teacher's file would be.
#pragma once

#include "content_file.h"

#include <QTemporaryDir>

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace kvizaro::test {

inline std::string encodeStored(const std::vector<std::string>& lines) {
    std::string stored;
    for (const std::string& line : lines) {
        for (char c : line) {
            stored += static_cast<char>(static_cast<unsigned char>(c) + 1U);
        }
        stored += "\r\n";
    }
    return stored;
}

inline ContentLines linesOf(const std::vector<std::string>& lines) {
    ContentLines result;
    for (const std::string& line : lines) {
        result.append(line);
    }
    return result;
}

inline std::string writeFile(const QTemporaryDir& dir, std::string_view name, const std::string& bytes) {
    const std::string path = dir.path().toStdString() + "/" + std::string(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

} // namespace kvizaro::test
