#include "vehicles/import_old.h"

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "store/code_page.h"
#include "vehicles/vehicle_management.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>
#include <utility>

namespace {

// The old master table's remark; the new one is "bemerk1".
constexpr std::string_view kOldRemark = "bemerk";

const QString kNothingImported = QStringLiteral("Es wurden keine Daten importiert.");

QString shownPath(const QString& path) {
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

QString oldFilePath(const QString& directory, std::string_view name) {
    return QDir(directory).filePath(toDisplay(name));
}

// Reads one file of the old data whole. nullopt on success, else the message for the user.
std::optional<QString> readOldTable(const QString& path, TMlb2& table) {
    QByteArray bytes;
    QString reason;
    if (!readDataFile(path, bytes, &reason))
        return QStringLiteral("Die Datei %1 konnte nicht gelesen werden.\r%2\r%3")
            .arg(shownPath(path), reason, kNothingImported);
    table.LoadFromBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!table.LoadedWhole())
        return QStringLiteral("Die Datei %1 ist beschädigt und konnte nicht vollständig gelesen werden.\r%2")
            .arg(shownPath(path), kNothingImported);
    return std::nullopt;
}

bool namesCostFile(const TMlb2& vehicles, const std::string& name) {
    const int file = vehicles.FieldIndex(field::file);
    for (int r = 1; r <= vehicles.RowCount(); ++r)
        if (vehicles.ViewAt(r, file) == name) return true;
    return false;
}

// The smallest number whose record file does not exist in the data directory and that no vehicle
// of `vehicles` (the ones imported so far among them) names: an existing file is never replaced.
std::optional<int> freeNumber(const AppState& state, const TMlb2& vehicles) {
    for (int n = 1; n <= kMaxVehicleNumber; ++n) {
        const std::string name = "kfzdat." + vehicleNumberText(n);
        if (!QFileInfo::exists(state.path(name)) && !namesCostFile(vehicles, name)) return n;
    }
    return std::nullopt;
}

// Letter case counts, as in the vehicle dialog's own check.
bool plateExists(const TMlb2& vehicles, const std::string& plate) {
    const int nummer = vehicles.FieldIndex(field::nummer);
    for (int r = 1; r <= vehicles.RowCount(); ++r)
        if (vehicles.ViewAt(r, nummer) == plate) return true;
    return false;
}

// Fills the cursor row of `vehicles` for the old vehicle at the cursor of `old`.
void fillImportedRow(TMlb2& vehicles, const TMlb2& old, int number, const std::string& plate, const AppState& state) {
    const std::string nnn = vehicleNumberText(number);
    const std::string today = fromDisplay(state.clock.today().toString(QStringLiteral("dd.MM.yyyy")));
    const std::pair<std::string_view, std::string> values[] = {
        {field::ID, std::to_string(number)},
        {field::bez, old.GetValue(field::bez)},
        {field::nummer, plate},
        {field::tinh, old.GetValue(field::tinh)},
        {field::au, oldMonthText(old.GetValue(field::au))},
        {field::tuev, oldMonthText(old.GetValue(field::tuev))},
        {field::kdatum, old.GetValue(field::kdatum)},
        {field::kpreis, old.GetValue(field::kpreis)},
        {field::bemerk1, old.GetValue(kOldRemark)},
        {field::bild, old.GetValue(field::bild)},
        {field::file, "kfzdat." + nnn},
        {field::file2, "kfzfb." + nnn},
        {field::file3, "kfzfbe." + nnn},
        {field::file4, "kfznotiz." + nnn},
        {field::file5, "kfzwv." + nnn},
        {field::file6, "kfzterm." + nnn},
        {field::tachostart, "0"},
        {field::instkm, "0"},
        {field::fahrer, ""},
        {field::sikm, "30000"},
        {field::simon, "12"},
        {field::privat, "ja"},
        {field::fgstnr, ""},
        {field::kme, "0"},
        {field::kme2, "0"},
        {field::waehr, "0"},
        {field::krstart, "0"},
        {field::krstart2, "0"},
        {field::apreis, "0"},
        {field::leas, "nein"},
        {field::leasdauer, "0"},
        {field::leasstart, "01.01.2000"},
        {field::instdat, today.substr(3)},
    };
    for (const auto& [name, value] : values) vehicles.SetValue(name, value);
}

// The old record table as the new vehicle's record file: "service" added where missing, every
// row's "ID" the new number. An old file without a header gets the fields of a new record file.
void prepareImportedRecords(TMlb2& records, int number) {
    if (records.FieldCount() == 0)
        for (std::string_view name : kCostRecordFields) records.AddField(name);
    if (!records.HasField(field::service)) records.AddField(field::service);
    const std::string id = std::to_string(number);
    for (int r = 1; r <= records.RowCount(); ++r) {
        records.GoToRow(r);
        records.SetValue(field::ID, id);
    }
}

struct PlannedVehicle {
    std::string fileName;
    TMlb2 records;
};

void removeFiles(const AppState& state, const std::vector<PlannedVehicle>& planned, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) QFile::remove(state.path(planned[i].fileName));
}

} // namespace

QString importInstruction(int count) {
    return QStringLiteral("Bei Klick auf Ja werden %1 neue Datensätze angelegt.").arg(count);
}

QString importQuestion(int count) {
    return QStringLiteral("Datenfiles gefunden ! Möchten Sie die Daten von %1 Fahrzeugen importieren ?").arg(count);
}

OldMasterTable readOldMasterTable(const QString& directory) {
    OldMasterTable out;
    const QString path = oldFilePath(directory, kVehicleFileName);
    if (directory.isEmpty() || !QFileInfo::exists(path)) {
        out.absent = true;
        return out;
    }
    out.error = readOldTable(path, out.vehicles);
    if (out.error) out.vehicles.Clear();
    return out;
}

std::string oldMonthText(std::string_view oldValue) {
    const QString text = toDisplay(oldValue).trimmed();
    for (const QString& format : {QStringLiteral("dd.MM.yyyy"), QStringLiteral("d.M.yyyy")}) {
        const QDate date = QDate::fromString(text, format);
        if (date.isValid()) return fromDisplay(date.toString(QStringLiteral("MM.yyyy")));
    }
    // A month is taken only as "mm.yyyy" itself, two digits for the month.
    if (text.size() == 7 && QDate::fromString(QStringLiteral("01.") + text, QStringLiteral("dd.MM.yyyy")).isValid())
        return fromDisplay(text);
    return {};
}

ImportOutcome importOldVehicles(AppState& state, const QString& directory, const TMlb2& oldVehicles) {
    const auto failed = [](QString message) {
        ImportOutcome failure;
        failure.error = std::move(message);
        return failure;
    };
    ImportOutcome outcome;
    TMlb2 vehicles;
    vehicles.CopyFrom(state.VehicleTable);
    TMlb2 old;
    old.CopyFrom(oldVehicles);

    // Everything is read and planned in memory first: a file that cannot be read leaves nothing behind.
    std::vector<PlannedVehicle> planned;
    for (int row = 1; row <= old.RowCount(); ++row) {
        old.GoToRow(row);
        const std::string oldFile = old.GetValue(field::file);
        // Only a file beside the old master table is read, never one a path leads elsewhere.
        if (!isVehicleFileName(oldFile)) continue;
        const QString oldPath = oldFilePath(directory, oldFile);
        if (!QFileInfo::exists(oldPath)) continue;
        if (vehicles.RowCount() >= kMaxVehicles) {
            ++outcome.overLimit;
            continue;
        }
        const std::optional<int> number = freeNumber(state, vehicles);
        if (!number) continue;

        PlannedVehicle vehicle;
        if (auto error = readOldTable(oldPath, vehicle.records)) return failed(*error);
        std::string plate = old.GetValue(field::nummer);
        if (plateExists(vehicles, plate)) plate += " [" + std::to_string(*number) + "]";
        vehicles.AppendRow();
        fillImportedRow(vehicles, old, *number, plate, state);
        prepareImportedRecords(vehicle.records, *number);
        vehicle.fileName = vehicles.GetValue(field::file);
        planned.push_back(std::move(vehicle));
    }

    // The record files take names that were free: removing them again undoes them exactly.
    for (std::size_t i = 0; i < planned.size(); ++i) {
        if (auto error = saveTable(planned[i].records, state, planned[i].fileName)) {
            removeFiles(state, planned, i);
            return failed(*error + QLatin1Char('\r') + kNothingImported);
        }
    }
    vehicles.SortText(field::nummer);
    if (auto error = saveTable(vehicles, state, kVehicleFileName)) {
        removeFiles(state, planned, planned.size());
        return failed(*error + QLatin1Char('\r') + kNothingImported);
    }

    state.VehicleTable.CopyFrom(vehicles);
    const int current = rowOfVehicle(state.VehicleTable, state.CurCostFile);
    if (current > 0)
        state.VehicleTable.GoToRow(current);
    else
        state.VehicleTable.First();
    outcome.imported = static_cast<int>(planned.size());
    return outcome;
}

QString importDoneMessage(const ImportOutcome& outcome) {
    QString message = kImportDoneMessage;
    if (outcome.overLimit > 0)
        message += QStringLiteral("\r\rEs können höchstens %1 Fahrzeuge verwaltet werden: %2 Fahrzeuge wurden nicht "
                                  "importiert.")
                       .arg(kMaxVehicles)
                       .arg(outcome.overLimit);
    return message;
}

std::vector<ImportDrive> importDrives() {
    // File systems the system makes for itself; nobody keeps data of an old program there.
    static const QSet<QByteArray> virtualTypes = {
        "proc",        "sysfs",     "devtmpfs", "devpts", "tmpfs",      "cgroup",   "cgroup2",  "mqueue",
        "debugfs",     "tracefs",   "pstore",   "bpf",    "autofs",     "fusectl",  "configfs", "securityfs",
        "binfmt_misc", "hugetlbfs", "efivarfs", "nsfs",   "rpc_pipefs", "squashfs", "ramfs"};
    std::vector<ImportDrive> drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || virtualTypes.contains(volume.fileSystemType())) continue;
        const QString root = volume.rootPath();
        // A single file mounted in place (a container's /etc/hosts) is no drive.
        if (!QFileInfo(root).isDir()) continue;
        if (std::any_of(drives.begin(), drives.end(), [&root](const ImportDrive& d) { return d.rootPath == root; }))
            continue;
        QString name = QDir::toNativeSeparators(root);
        if (!volume.displayName().isEmpty() && volume.displayName() != root)
            name += QStringLiteral(" [%1]").arg(volume.displayName());
        drives.push_back({root, name});
    }
    std::sort(drives.begin(), drives.end(),
              [](const ImportDrive& a, const ImportDrive& b) { return a.rootPath < b.rootPath; });
    return drives;
}

int driveOf(const std::vector<ImportDrive>& drives, const QString& path) {
    const QString clean = QDir::cleanPath(path);
    int best = -1;
    qsizetype bestLength = -1;
    for (std::size_t i = 0; i < drives.size(); ++i) {
        const QString root = QDir::cleanPath(drives[i].rootPath);
        const bool inside =
            clean == root || clean.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
        if (inside && root.size() > bestLength) {
            best = static_cast<int>(i);
            bestLength = root.size();
        }
    }
    return best;
}
