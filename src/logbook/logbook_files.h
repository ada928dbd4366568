#pragma once
// The current vehicle's logbook on disk: the trip table, enciphered at every moment, and beside it
// the fingerprint file that shows whether stored entries were changed outside the program.
//
// The logbook is read whole, deciphered in memory and parsed; it is written by building the table's
// bytes, enciphering them in memory and saving them atomically. No dialog ever leaves the file
// plain. A file that is plain already (written so by an older version) is read as it is and stored
// enciphered at the next write.
//
// The fingerprint file ("kfzfbp." and the vehicle's number) holds the fields "nr" and "hash": one
// row for each new entry and one for each deactivation, each hash the SHA-256 of the previous
// row's hash followed by the entry's plain line as the logbook file holds it.

#include "store/mlb2.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

class AppState;

// The three kinds of trip as stored in "art" (Windows-1252 bytes).
inline constexpr std::string_view kTripPrivate = "privat";
inline constexpr std::string_view kTripBusiness = "gesch\xE4"
                                                  "ftl.";
inline constexpr std::string_view kTripHomeWork = "wohn";

// Whether a logbook file's bytes are plain: they begin with the header line of the sixteen
// fields, letter case ignored. An enciphered file never does.
bool isPlainLogbook(std::string_view bytes);
// The plain table bytes of a stored logbook file, and the stored bytes of plain ones.
std::string plainLogbookBytes(std::string stored);
std::string storedLogbookBytes(std::string plain);
// Gives `trips` the sixteen fields of a logbook and no rows.
void makeEmptyLogbook(TMlb2& trips);
// The row of the last active entry, walking back over deactivated ones; 0 when there is none.
int lastActiveEntry(const TMlb2& trips);
// The entry's line as the logbook file holds it, without its line end.
std::string tripLine(const TMlb2& trips, int row);

// The hash of a fingerprint row: SHA-256 of the previous row's hash followed by the entry's line,
// as 64 lower-case hexadecimal digits.
std::string chainHash(std::string_view previous, std::string_view line);
// The first entry whose stored line does not match its fingerprints (changed, added or removed
// outside the program), by its number; nullopt when all match. A deactivation is no change: the
// earlier rows of an entry are checked against its line before it was deactivated.
std::optional<int> firstChangedEntry(const TMlb2& trips, const TMlb2& fingerprints);
// "Prüfsumme: " and the first 16 hexadecimal digits of `hash` in groups of four.
QString shortFingerprint(std::string_view hash);
// "Achtung: Eintrag L.Nr. <n> wurde außerhalb von Wagenwart verändert."
QString changedEntryWarning(int entry);
// "Prüfkette ab Eintrag L.Nr. <n>"
QString chainStartNotice(int entry);

class LogbookFiles {
public:
    explicit LogbookFiles(AppState& state);

    // What opening found.
    struct Opened {
        // The logbook (or its fingerprints) could not be read: the message. Nothing is then
        // written over the file; the dialogs show it and offer no change.
        std::optional<QString> error;
        // The first entry changed outside the program.
        std::optional<int> changedEntry;
        // A logbook without fingerprints got them now, starting with this entry.
        std::optional<int> chainStartedAt;
        // The fingerprints could not be written: the message (the logbook itself is fine).
        std::optional<QString> chainError;
    };
    // Reads the current vehicle's logbook into TripTable and its fingerprints, and checks them.
    // Without a logbook file TripTable gets the sixteen fields and no rows.
    Opened open();
    // Whether the last open() could read the logbook, so that it may be written.
    bool writable() const { return m_writable; }

    // What a change of the logbook came to.
    struct Stored {
        bool stored = false;          // the logbook file holds the change
        std::optional<QString> error; // the message for the user, when there is one
    };
    // Saves TripTable after a new row was appended at its end, and the new row's fingerprint. When
    // the logbook cannot be saved, the row is taken out of TripTable again and the file stays as
    // it was; when only the fingerprint cannot, the entry is stored and the message says so.
    [[nodiscard]] Stored storeNewEntry();
    // Marks the entry of `row` deactivated ("daktiv" "j"), saves, and adds its fingerprint row.
    // When the logbook cannot be saved, the entry stays active in TripTable too.
    [[nodiscard]] Stored deactivate(int row);
    // Deletes the logbook file and its fingerprints; TripTable keeps its fields and no rows.
    [[nodiscard]] std::optional<QString> deleteAll();

    // The entry the current vehicle's fingerprints were started with, when they were started by an
    // open() of this run and that was not yet said; said only once.
    std::optional<int> takeChainStart();

    // The hash of the latest fingerprint row of `entry`; empty when it has none.
    std::string fingerprintOf(int entry) const;
    const TMlb2& fingerprints() const { return m_fingerprints; }

private:
    QString tripPath() const;
    [[nodiscard]] std::optional<QString> saveTrips();
    // Adds the fingerprint row of `row` and saves the fingerprints; the message of a failure.
    [[nodiscard]] std::optional<QString> addFingerprint(int row);

    AppState& m_state;
    TMlb2 m_fingerprints;
    std::optional<QString> m_openError;
    std::optional<std::pair<std::string, int>> m_unsaidStart; // logbook file and entry
    bool m_writable = false;
    bool m_fingerprintsWritable = false;
};
