#include "logbook/logbook_files.h"

#include "core/app_state.h"
#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "logbook/xor_cipher.h"
#include "store/atomic_file.h"
#include "store/code_page.h"
#include "store/text_case.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <charconv>
#include <vector>

namespace {

std::string plainHeader() {
    std::string header;
    for (std::string_view name : kTripFields) {
        if (!header.empty()) header.push_back(TMlb2::Separator);
        header += name;
    }
    return header;
}

// The entry number of a fingerprint row; 0 for a text that is none.
int entryNumber(std::string_view text) {
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    return error == std::errc() && end == text.data() + text.size() ? n : 0;
}

// The entry's line with `fieldIndex` holding `value` instead of its own.
std::string lineWith(const TMlb2& trips, int row, int fieldIndex, std::string_view value) {
    std::string line;
    for (int i = 0; i < trips.FieldCount(); ++i) {
        if (i) line.push_back(TMlb2::Separator);
        TMlb2ParseCSV::AppendEscaped(line, i == fieldIndex ? value : trips.ViewAt(row, i));
    }
    return line;
}

QString savedMessage(std::string_view fileName, const QString& reason) {
    return QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.\r%2").arg(toDisplay(fileName), reason);
}

} // namespace

bool isPlainLogbook(std::string_view bytes) {
    static const std::string header = plainHeader();
    return bytes.size() >= header.size() && sameTextIgnoringCase(bytes.substr(0, header.size()), header);
}

std::string plainLogbookBytes(std::string stored) {
    if (isPlainLogbook(stored)) return stored;
    return TXorCipher::XorText(LogbookKey, std::move(stored));
}

std::string storedLogbookBytes(std::string plain) {
    return TXorCipher::XorText(LogbookKey, std::move(plain));
}

void makeEmptyLogbook(TMlb2& trips) {
    trips.Clear();
    for (std::string_view name : kTripFields) trips.AddField(name);
}

int lastActiveEntry(const TMlb2& trips) {
    const int daktiv = trips.FieldIndex(field::daktiv);
    for (int row = trips.RowCount(); row >= 1; --row)
        if (trips.ViewAt(row, daktiv).empty()) return row;
    return 0;
}

std::string tripLine(const TMlb2& trips, int row) {
    return lineWith(trips, row, -1, {});
}

std::string chainHash(std::string_view previous, std::string_view line) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView(previous.data(), static_cast<qsizetype>(previous.size())));
    hash.addData(QByteArrayView(line.data(), static_cast<qsizetype>(line.size())));
    return hash.result().toHex().toStdString();
}

std::optional<int> firstChangedEntry(const TMlb2& trips, const TMlb2& fingerprints) {
    const int entries = trips.RowCount();
    const int nr = fingerprints.FieldIndex(field::nr), hash = fingerprints.FieldIndex(field::hash);
    const int daktiv = trips.FieldIndex(field::daktiv);
    // The last fingerprint row of every entry: the one that holds its present line.
    std::vector<int> latest(static_cast<std::size_t>(entries) + 1, 0);
    for (int k = 1; k <= fingerprints.RowCount(); ++k) {
        const int entry = entryNumber(fingerprints.ViewAt(k, nr));
        if (entry < 1) return 1;           // a row that names no entry: the chain was edited
        if (entry > entries) return entry; // an entry that was removed
        latest[static_cast<std::size_t>(entry)] = k;
    }
    std::string_view previous;
    for (int k = 1; k <= fingerprints.RowCount(); ++k) {
        const int entry = entryNumber(fingerprints.ViewAt(k, nr));
        // Before its deactivation an entry was active: the only change the program makes.
        const std::string line =
            latest[static_cast<std::size_t>(entry)] == k ? tripLine(trips, entry) : lineWith(trips, entry, daktiv, {});
        const std::string_view stored = fingerprints.ViewAt(k, hash);
        if (chainHash(previous, line) != stored) return entry;
        previous = stored;
    }
    for (int entry = 1; entry <= entries; ++entry)
        if (latest[static_cast<std::size_t>(entry)] == 0) return entry; // added outside the program
    return std::nullopt;
}

QString shortFingerprint(std::string_view hash) {
    QString digits = QString::fromLatin1(hash.data(), static_cast<qsizetype>(std::min<std::size_t>(hash.size(), 16)));
    for (qsizetype at = 12; at > 0; at -= 4)
        if (at < digits.size()) digits.insert(at, QLatin1Char(' '));
    return QStringLiteral("Prüfsumme: ") + digits;
}

QString changedEntryWarning(int entry) {
    return QStringLiteral("Achtung: Eintrag L.Nr. %1 wurde außerhalb von Wagenwart verändert.").arg(entry);
}

QString chainStartNotice(int entry) {
    return QStringLiteral("Prüfkette ab Eintrag L.Nr. %1").arg(entry);
}

// ---- LogbookFiles ----

LogbookFiles::LogbookFiles(AppState& state) : m_state(state) {}

QString LogbookFiles::tripPath() const {
    return m_state.vehicleFilePath(m_state.CurTripFile);
}

LogbookFiles::Opened LogbookFiles::open() {
    Opened opened;
    m_writable = m_fingerprintsWritable = false;
    m_openError.reset();
    TMlb2& trips = m_state.TripTable;
    makeEmptyLogbook(trips);
    m_fingerprints.Clear();
    m_fingerprints.AddField(field::nr);
    m_fingerprints.AddField(field::hash);

    const std::string& name = m_state.CurTripFile;
    if (name.empty()) {
        // A vehicle whose row names no logbook (a hand-edited kfzdata.csv) has none to write to.
        if (!m_state.CurCostFile.empty())
            opened.error = m_openError = QStringLiteral("Für dieses Fahrzeug ist in kfzdata.csv keine "
                                                        "Fahrtenbuchdatei eingetragen (Feld \"file2\").");
        return opened;
    }
    const QString path = tripPath();
    if (path.isEmpty()) {
        opened.error = m_openError = refusedVehicleFileMessage(name);
        return opened;
    }
    const bool present = QFileInfo::exists(path) || QFileInfo(path).isSymLink();
    if (present) {
        QByteArray stored;
        QString reason;
        if (!readDataFile(path, stored, &reason)) {
            opened.error = m_openError = unreadableFileMessage(name, reason);
            return opened;
        }
        trips.LoadFromBytes(plainLogbookBytes(stored.toStdString()));
        if (!trips.LoadedWhole()) {
            // The original bytes, as they lie on disk, are kept before anything can be saved over them.
            if (auto error = keepDamagedOriginal(m_state, name, stored)) {
                makeEmptyLogbook(trips);
                opened.error = m_openError = *error;
                return opened;
            }
        }
        if (trips.FieldCount() == 0) makeEmptyLogbook(trips); // an empty file
    }
    m_writable = true;

    const std::string fingerprintName = fingerprintFileName(name);
    TMlb2 loaded;
    const TableLoad load = loadTableFile(m_state, loaded, fingerprintName);
    if (load.error) {
        opened.chainError = load.error;
        return opened;
    }
    m_fingerprintsWritable = true;
    // Fingerprints without a logbook are left from one removed outside the program: a new logbook
    // starts a new chain.
    if (!present) return opened;
    if (load.present) {
        m_fingerprints.CopyFrom(loaded);
        if (!m_fingerprints.HasField(field::nr)) m_fingerprints.AddField(field::nr);
        if (!m_fingerprints.HasField(field::hash)) m_fingerprints.AddField(field::hash);
        opened.changedEntry = firstChangedEntry(trips, m_fingerprints);
        return opened;
    }
    if (trips.IsEmpty()) return opened;
    // A logbook of an older version: its chain starts with its present state.
    for (int row = 1; row <= trips.RowCount(); ++row) {
        m_fingerprints.AppendRow();
        m_fingerprints.SetValue(field::nr, std::to_string(row));
        const int previous = m_fingerprints.RowCount() - 1;
        m_fingerprints.SetValue(field::hash, chainHash(m_fingerprints.ViewAt(previous, 1), tripLine(trips, row)));
    }
    if (auto failed = saveTable(m_fingerprints, m_state, fingerprintName)) {
        opened.chainError = failed;
        m_fingerprints.ClearRows();
        m_fingerprintsWritable = false;
        return opened;
    }
    opened.chainStartedAt = trips.RowCount();
    m_unsaidStart = std::make_pair(name, trips.RowCount());
    return opened;
}

std::optional<int> LogbookFiles::takeChainStart() {
    if (!m_unsaidStart || m_unsaidStart->first != m_state.CurTripFile) return std::nullopt;
    const int entry = m_unsaidStart->second;
    m_unsaidStart.reset();
    return entry;
}

std::optional<QString> LogbookFiles::saveTrips() {
    const QString path = tripPath();
    if (!m_writable || path.isEmpty()) return m_openError ? *m_openError : savedMessage(m_state.CurTripFile, QString());
    const std::string bytes = storedLogbookBytes(m_state.TripTable.ToBytes());
    QString reason;
    if (saveFileAtomically(path, bytes, &reason) == AtomicSaveResult::Ok) return std::nullopt;
    return savedMessage(m_state.CurTripFile, reason);
}

std::optional<QString> LogbookFiles::addFingerprint(int row) {
    if (!m_fingerprintsWritable) return std::nullopt; // an unreadable fingerprint file is left alone
    const TMlb2& trips = m_state.TripTable;
    const int hash = m_fingerprints.FieldIndex(field::hash);
    const std::string previous = m_fingerprints.ValueAt(m_fingerprints.RowCount(), hash);
    m_fingerprints.AppendRow();
    m_fingerprints.SetValue(field::nr, std::to_string(row));
    m_fingerprints.SetValue(field::hash, chainHash(previous, tripLine(trips, row)));
    return saveTable(m_fingerprints, m_state, fingerprintFileName(m_state.CurTripFile));
}

LogbookFiles::Stored LogbookFiles::storeNewEntry() {
    TMlb2& trips = m_state.TripTable;
    const int row = trips.RowCount();
    if (row == 1) m_fingerprints.ClearRows(); // the first entry starts the chain
    if (auto error = saveTrips()) {
        trips.DeleteRow(row);
        trips.Last();
        return {false, error};
    }
    return {true, addFingerprint(row)};
}

LogbookFiles::Stored LogbookFiles::deactivate(int row) {
    TMlb2& trips = m_state.TripTable;
    if (row < 1 || row > trips.RowCount()) return {};
    trips.GoToRow(row);
    const std::string before = trips.GetValue(field::daktiv);
    trips.SetValue(field::daktiv, "j");
    if (auto error = saveTrips()) {
        trips.GoToRow(row);
        trips.SetValue(field::daktiv, before);
        return {false, error};
    }
    return {true, addFingerprint(row)};
}

std::optional<QString> LogbookFiles::deleteAll() {
    m_state.TripTable.ClearRows();
    m_fingerprints.ClearRows();
    if (m_state.CurTripFile.empty()) return std::nullopt;
    for (const std::string& name : {m_state.CurTripFile, fingerprintFileName(m_state.CurTripFile)}) {
        const QString path = m_state.vehicleFilePath(name);
        if (path.isEmpty() || !QFileInfo(path).isFile()) continue;
        QFile file(path);
        if (!file.remove())
            return QStringLiteral("Die Datei %1 konnte nicht gelöscht werden.\r%2")
                .arg(toDisplay(name), file.errorString());
    }
    return std::nullopt;
}

std::string LogbookFiles::fingerprintOf(int entry) const {
    const int nr = m_fingerprints.FieldIndex(field::nr), hash = m_fingerprints.FieldIndex(field::hash);
    for (int k = m_fingerprints.RowCount(); k >= 1; --k)
        if (entryNumber(m_fingerprints.ViewAt(k, nr)) == entry) return m_fingerprints.ValueAt(k, hash);
    return {};
}
