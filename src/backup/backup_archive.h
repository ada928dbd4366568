#pragma once
// The backup archive ("*.z"): every file of a directory, each compressed on its own as one zlib
// stream, one entry after the other with nothing before, between or after them. Each entry:
//   1 byte  P, the length of the directory path; P bytes of path, each level followed by "\"
//   1 byte  N, the length of the file name;      N bytes of name (Windows-1252)
//   4 bytes the file's size, 4 bytes the size C of its stream (signed, little-endian)
//   C bytes the zlib stream (default level, window 15 bits, memory level 8); none for an empty file
// The archive is written whole or not at all, and read whole and checked before anything is used.

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the archive component reports while it works; every one may be left empty.
struct ArchiveEvents {
    // The full path of the file about to be added.
    std::function<void(const QString& fullPath)> compressing;
    // After each block of the current file: the bytes read so far and its size.
    std::function<void(std::int64_t done, std::int64_t size)> progress;
    // The path of a file (relative, "/" between the levels) about to be written by a restore.
    std::function<void(const QString& relativePath)> decompressing;
};

// The blocks in which a file is read and fed to the compressor.
inline constexpr std::size_t kArchiveBlockSize = 1024;
// The largest size a path, a name and a file may have in the archive.
inline constexpr std::size_t kArchiveMaxNameBytes = 255;
inline constexpr std::int64_t kArchiveMaxFileSize = 2147483647;

// One file of an archive, its content inflated.
struct ArchiveEntry {
    std::string path; // Windows-1252, each level followed by "\"; empty directly in the directory
    std::string name; // Windows-1252
    std::string data;

    // The path below the archived directory with "/" between the levels, as the system names it.
    QString relativePath() const;
};

// Compresses every file of `dir` (with its subdirectories, depth first, in the order of the
// listing by name) into the archive file `target`, which replaces a file of that name only when
// it is complete. nullopt on success; otherwise the message for the user, and no archive was
// written (the old one stays): a file that cannot be read (with the system's reason), a path or
// name longer than 255 bytes or with characters Windows-1252 lacks, a file over 2 GB, a failed write.
[[nodiscard]] std::optional<QString> compressDirectory(const QString& dir, const QString& target,
                                                       const ArchiveEvents& events = {});

// The bytes of one entry as the archive holds them, for a file with the given path, name and
// content: header and zlib stream.
std::string archiveEntryBytes(std::string_view path, std::string_view name, std::string_view data);

// Splits and checks the bytes of a whole archive: every length within the bytes, every size
// within 0 .. 2 147 483 647, every stream inflating to exactly its size with nothing after it,
// every path relative with names a data directory can hold, no file twice and no name both a
// file and a folder. nullopt for any fault.
std::optional<std::vector<ArchiveEntry>> parseArchive(std::string_view bytes);

// Whether `name` (Windows-1252) may be a file or folder name in a data directory on every system
// the program runs on: not empty, not "." or "..", no control characters, none of \ / : * ? " < > |,
// no blank or point at its end, no device name (CON, PRN, AUX, NUL, COM1..9, LPT1..9).
bool isStorableName(std::string_view name);

// "Die Datei <name> ist keine gültige Datensicherung."
QString invalidArchiveMessage(const QString& archivePath);

// Reads the archive file `archivePath` whole and checks it as parseArchive does. The entries, or
// the message for the user: the invalid-archive message, or for a file that cannot be read
// "Die Datei <name> konnte nicht gelesen werden." with the reason.
struct ArchiveRead {
    std::vector<ArchiveEntry> entries;
    std::optional<QString> error;
};
ArchiveRead readArchive(const QString& archivePath);
