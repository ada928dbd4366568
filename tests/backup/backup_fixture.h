#pragma once
// Folders of real files for the backup tests: written from a table of paths and contents, and read
// back whole as such a table, so that a test compares every file of a folder at once.

#include "support/file_bytes.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

// Relative path ("/" between the levels) to content.
using FolderFiles = std::map<QString, std::string>;

inline void writeFiles(const QString& dir, const FolderFiles& files) {
    for (const auto& [relative, bytes] : files) {
        const QString full = QDir(dir).filePath(relative);
        QDir().mkpath(QFileInfo(full).path());
        ASSERT_TRUE(writeBytes(full, bytes)) << relative.toStdString();
    }
}

inline FolderFiles readFiles(const QString& dir) {
    FolderFiles out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString full = it.next();
        out[QDir(dir).relativeFilePath(full)] = readBytes(full);
    }
    return out;
}

// Text that compresses like a data file: numbered CSV lines.
inline std::string csvLines(int lines, int seed) {
    std::string out = "ID;Datum;kmstnd;preis;liter\r\n";
    for (int i = 0; i < lines; ++i)
        out += std::to_string(seed) + ";0" + std::to_string(1 + i % 9) + ".03.2024;" + std::to_string(1000 + i * 37) +
               ";" + std::to_string(50 + (i * seed) % 40) + ",99;" + std::to_string(30 + i % 20) + ",5\r\n";
    return out;
}

// One entry of an archive as the test reads it, independently of the program's reader.
struct RawEntry {
    std::string path, name;
    std::int32_t size = 0, compressed = 0;
    std::string stream;
};

inline std::int32_t rawInt32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(v);
}

// Splits a well-formed archive; a malformed one fails the test.
inline std::vector<RawEntry> rawEntries(const std::string& b) {
    std::vector<RawEntry> out;
    std::size_t pos = 0;
    while (pos < b.size()) {
        RawEntry e;
        const auto p = static_cast<unsigned char>(b.at(pos));
        e.path = b.substr(pos + 1, p);
        pos += 1 + p;
        const auto n = static_cast<unsigned char>(b.at(pos));
        e.name = b.substr(pos + 1, n);
        pos += 1 + n;
        e.size = rawInt32(b, pos);
        e.compressed = rawInt32(b, pos + 4);
        pos += 8;
        EXPECT_LE(pos + static_cast<std::size_t>(e.compressed), b.size());
        e.stream = b.substr(pos, static_cast<std::size_t>(e.compressed));
        pos += static_cast<std::size_t>(e.compressed);
        out.push_back(e);
    }
    return out;
}
