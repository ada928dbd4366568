#pragma once
// Every file of the program reaches the disk through this helper: whole, or not at all.

#include <QString>

#include <functional>
#include <string_view>

enum class AtomicSaveResult {
    Ok,
    OpenFailed,      // the new file could not be created
    WriteFailed,     // a block could not be written whole, or the new file not put in place
    NotARegularFile, // a directory, device, pipe or socket has the name: nothing is written
};

// Hands one block of the new file's bytes to the file; false once a block could not be written
// whole. After a false every further block is refused: the producer may as well stop.
using SaveBlockWriter = std::function<bool(std::string_view block)>;
// Makes the new file's bytes and hands them over in blocks, in order.
using SaveBlockProducer = std::function<void(const SaveBlockWriter& write)>;

// The size of the blocks in which a table is written: large enough for few system calls, small
// enough that the file is never held whole in memory.
inline constexpr std::size_t kSaveBlockSize = 64 * 1024;

// Writes `bytes` to `path` through a temporary file that replaces the old file only after every
// byte was written and flushed. On failure the old file stays as it was, byte for byte, and
// `reason` (when given) receives the system's reason, in the words the user reads.
[[nodiscard]] AtomicSaveResult saveFileAtomically(const QString& path, std::string_view bytes,
                                                  QString* reason = nullptr);
// The same for a file made block by block: every block is written as it comes, checked, and the
// new file replaces the old one only when the producer has handed over all of them.
[[nodiscard]] AtomicSaveResult saveFileAtomically(const QString& path, const SaveBlockProducer& produce,
                                                  QString* reason = nullptr);

// The reason shown for a failed write, from the system's error number: a full disk in the
// program's own words, anything else in the system's.
QString saveFailureReason(int errorNumber);
// The reason shown when the name belongs to something that is not a regular file.
QString notARegularFileReason();

// Removes from `dir` what saves broken off by a crash or a kill left behind, and nothing else;
// returns how many files were removed. Where the system gives no anonymous temporary files, a
// save writes "<name>.XXXXXX" beside "<name>" (Qt's pattern: six random letters A-Z, a-z) and
// renames it over "<name>" at the end. A file counts as such a leftover only when
//  - it is a regular file (no link, no directory) named "<name>." followed by exactly six ASCII
//    letters,
//  - "<name>" itself exists beside it as a file: every save of ours aims at such a file, and a
//    lone temporary of the very first save of a file is left alone (it is harmless and goes at
//    the next start after that file was saved once),
//  - the six letters are not a word: all in lower case ("backup"), all in upper case
//    ("BACKUP") or one capital and five lower-case letters ("Backup") is how a person names a
//    copy, and such a file is kept (it costs 3 in 64 of the random names, which then stay).
// Nothing else is touched: "kfzdat.001", "notiz.backup1" or "kfzdata.csv.backup" stay.
int removeSaveLeftovers(const QString& dir);
