#pragma once
// The import of version 4.x data (TForm17): the old master table and record files of a chosen
// directory become new vehicles of the data directory, each with a new number, a master row filled
// from the old one and fixed values for what the old version did not have, and its record file.

#include "core/app_state.h"
#include "store/mlb2.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline const QString kImportDialogCaption = QStringLiteral("Daten-Import");
inline const QString kImportBanner = QStringLiteral("Daten aus Wagenwart Version 4.x importieren");
inline const QString kImportHint =
    QStringLiteral("Bitte wählen Sie das Verzeichniss mit den zu importierenden Dateien aus");
inline const QString kImportTitle = QStringLiteral("Import aus Version 4.x");
// The final message, with the old program's spellings.
inline const QString kImportDoneMessage =
    QStringLiteral("Die Daten wurden importiert. In Version 4.x nicht vorhandene Daten wurden mit Standartwerten "
                   "gefüllt.\rBitte überprüfen und editieren Sie diese in der Fahrzuegverwaltung.");

// The question before the import, for `count` old vehicles.
QString importInstruction(int count);
QString importQuestion(int count);

// The old master table of `directory`. absent: the directory holds no "kfzdata.csv" (nothing is
// to be done, nothing is said). error: it is there but cannot be read, or only in part; the
// message for the user.
struct OldMasterTable {
    bool absent = false;
    std::optional<QString> error;
    TMlb2 vehicles;
};
OldMasterTable readOldMasterTable(const QString& directory);

// "au" / "tuev" of an old vehicle: the month "mm.yyyy" of a full date "dd.mm.yyyy" ("d.m.yyyy" is
// read too), a text that already is such a month as it is, and anything else the empty text.
std::string oldMonthText(std::string_view oldValue);

// What the import did.
struct ImportOutcome {
    // nullopt when the import went through; else the message for the user, and neither the
    // program's tables nor the data directory were changed.
    std::optional<QString> error;
    int imported = 0;
    // Vehicles that found no place: the program keeps at most kMaxVehicles of them.
    int overLimit = 0;
};

// Imports every vehicle of `oldVehicles` (read from `directory`) in table order:
//  - one whose record file is missing from `directory` (or whose "file" names no file there) is
//    left out, and so is one when no number 1..999 is free any more;
//  - every record file is read before anything is written: one that cannot be read or is damaged
//    stops the import with its message;
//  - each vehicle gets the smallest number whose "kfzdat." file does not exist and that no vehicle
//    names, its master row and its record file ("ID" set to the number, "service" added);
//  - the master table is sorted by "nummer" and saved. When a record file or the master table
//    cannot be written, the record files written so far are removed again.
// Afterwards the cursor of VehicleTable stands on the current vehicle again (CurCostFile), or on
// the first row when there is none.
[[nodiscard]] ImportOutcome importOldVehicles(AppState& state, const QString& directory, const TMlb2& oldVehicles);

// The final message for an import that went through.
QString importDoneMessage(const ImportOutcome& outcome);

// A mounted volume the directory list may start from.
struct ImportDrive {
    QString rootPath;
    QString name; // as the drive list shows it
};
// The mounted volumes with files of a person on them (removable, fixed, network and CD drives),
// without the system's virtual file systems, sorted by root path.
std::vector<ImportDrive> importDrives();
// The drive whose root path holds `path` deepest; -1 when none does.
int driveOf(const std::vector<ImportDrive>& drives, const QString& path);
