#pragma once
// AppState — the program-wide state that the main window owns for the whole run.

#include "core/clock.h"
#include "core/colour_text.h"
#include "store/mlb2.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The settings values of kfz.ini while the program runs. Texts are Windows-1252 bytes as in
// the file.
struct Settings {
    bool startSound = false;
    TColor listBackground = clWindow; // "Farbe1"
    TColor listText = clWindowText;   // "Farbe2"
    std::string unitText = "L Liter"; // "Masseinheit"
    std::string currencyText;         // "Waehrung", carried unchanged
    bool remind = false;              // "TerminRemind"
    int remindDays = 0;               // "TerminRemTime"
    std::string nfName;               // "NFname", carried unchanged
    bool windowPos = false;           // "FensterPos", carried unchanged
};

class AppState {
public:
    AppState(QString dataDir, const Clock& clock) : DataDir(std::move(dataDir)), clock(clock) {}

    // Data directory, ending with the platform's separator.
    QString DataDir;
    Settings settings;

    TMlb2 VehicleTable; // kfzdata.csv; its cursor is the current vehicle
    TMlb2 CostTable;    // the current vehicle's cost records
    TMlb2 TripTable;
    TMlb2 AppointmentTable;

    // File names of the current vehicle ("file" .. "file5" of its row).
    std::string CurCostFile, CurTripFile, CurLogbookListFile, CurNotesFile, CurRecurringFile;
    bool ConfirmBeforeSave = false; // the logbook asks before it saves a new entry; off at start
    // The current vehicle's record file exists but could not be read: the message for the user.
    // CostTable is then empty and must never be written over that file.
    std::optional<QString> costFileError;

    const Clock& clock;

    // What the user is to be told when the window that caused it next speaks: table files that
    // were damaged and whose original bytes were kept (takeNotices).
    std::vector<QString> notices;
    // The damaged files kept so far this run (upper case): each is copied and told once.
    std::set<std::string> keptDamagedFiles;

    // DataDir followed by the bare file name; an empty text for a name with a path in it ("/",
    // "\\", ":", "." or ".."), so that nothing outside the data directory is read or written.
    QString path(std::string_view fileName) const;
    // path() of a file that a vehicle names ("file" .. "file6"); an empty text for a name that
    // isVehicleFileName refuses.
    QString vehicleFilePath(std::string_view fileName) const;
};

// A name that kfzdata.csv may give a file of a vehicle: a bare file name of the data directory and
// none of the program's own files (kfzdata.csv, kfz.ini), in any letter case.
bool isVehicleFileName(std::string_view name);

// Saves a table as DataDir + fileName. nullopt on success, else the message for the user:
// "Die Datei <name> konnte nicht gespeichert werden." and the system's reason.
[[nodiscard]] std::optional<QString> saveTable(TMlb2& table, const AppState& state, std::string_view fileName);
// saveTable for a file that a vehicle names; a name isVehicleFileName refuses is never written.
[[nodiscard]] std::optional<QString> saveVehicleFile(TMlb2& table, const AppState& state, std::string_view fileName);
// The message for a file name of a vehicle that isVehicleFileName refuses.
QString refusedVehicleFileMessage(std::string_view fileName);

// Loads DataDir + fileName into `table`. A file that is not there leaves the table as it is
// (present false, no error). One that is no regular file or cannot be read gives the message
// "Die Datei <name> konnte nicht gelesen werden." with the reason, and the table stays as it was.
// One that loaded only in part first has its original bytes kept beside it
// ("<name>.beschaedigt-<dd.mm.yyyy-hh-mm-ss>", written whole, never over another file), and the user
// is told through `notices`, once a run; when the copy cannot be written, the file counts as
// unreadable, so that nothing is ever saved over it.
struct TableLoad {
    bool present = false;
    std::optional<QString> error;
};
[[nodiscard]] TableLoad loadTableFile(AppState& state, TMlb2& table, std::string_view fileName);

// Reads a whole file of the data directory; false, with the system's reason, for one that is no
// regular file or cannot be read.
[[nodiscard]] bool readDataFile(const QString& path, QByteArray& bytes, QString* reason = nullptr);
// The records a vehicle's record file `fileName` holds, for a view that only reads them (the
// vehicle list, the charts): empty when the file is missing, unreadable or no regular file (a pipe
// would hold the reader up). Nothing is reported and nothing is written.
TMlb2 readRecordsForView(const AppState& state, std::string_view fileName);
// "Die Datei <name> konnte nicht gelesen werden." and the reason.
QString unreadableFileMessage(std::string_view fileName, const QString& reason);
// For a file that loaded only in part: its original bytes are copied beside it, as loadTableFile
// does, and the user is told through `notices`, once a run. nullopt when the copy exists; else
// the message, and the file must not be written over.
[[nodiscard]] std::optional<QString> keepDamagedOriginal(AppState& state, std::string_view fileName,
                                                         const QByteArray& original);

// The notices gathered since the last call, one after the other; empty when there are none.
QString takeNotices(AppState& state);
