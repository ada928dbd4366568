#include "records/current_vehicle.h"

#include "core/field_names.h"
#include "core/settings.h"
#include "core/vehicle_table.h"
#include "records/cost_records.h"
#include "store/atomic_file.h"
#include "store/code_page.h"

#include <QFileInfo>

namespace {

void takeFileNames(AppState& s) {
    const TMlb2& v = s.VehicleTable;
    s.CurCostFile = v.GetValue(field::file);
    s.CurTripFile = v.GetValue(field::file2);
    s.CurLogbookListFile = v.GetValue(field::file3);
    s.CurNotesFile = v.GetValue(field::file4);
    s.CurRecurringFile = v.GetValue(field::file5);
}

// Loads DataDir + CurCostFile into CostTable; false when the file is missing or cannot be read
// (the table is then the empty record table, so a first record gets all its fields). A file that
// exists but cannot be read is noted in costFileError, which keeps it from being written over.
bool loadCostRecords(AppState& s) {
    s.CostTable.ClearRows();
    s.costFileError.reset();
    bool present = false;
    if (!s.CurCostFile.empty() && !isVehicleFileName(s.CurCostFile)) {
        s.costFileError = refusedVehicleFileMessage(s.CurCostFile);
    } else if (!s.CurCostFile.empty()) {
        const TableLoad load = loadTableFile(s, s.CostTable, s.CurCostFile);
        s.costFileError = load.error;
        present = load.present && !load.error;
    }
    if (!present) s.CostTable.CopyFrom(emptyCostTable());
    addMissingRecordFields(s.CostTable);
    addKrartField(s.CostTable);
    s.CostTable.First();
    return present;
}

} // namespace

void loadCurrentVehicle(AppState& state) {
    takeFileNames(state);
    loadCostRecords(state);
}

std::vector<std::string> vehicleMenuCaptions(const TMlb2& vehicles) {
    std::vector<std::string> out;
    const int nummer = vehicles.FieldIndex(field::nummer);
    const int bez = vehicles.FieldIndex(field::bez);
    for (int r = 1; r <= vehicles.RowCount() && r <= kMaxVehicles; ++r)
        out.push_back(vehicles.ValueAt(r, nummer) + '\t' + vehicles.ValueAt(r, bez));
    return out;
}

bool chooseVehicleByCaption(AppState& state, const std::string& caption) {
    TMlb2& v = state.VehicleTable;
    const int current = v.RowNumber();
    const int nummer = v.FieldIndex(field::nummer);
    const int bez = v.FieldIndex(field::bez);
    for (int r = 1; r <= v.RowCount(); ++r) {
        if (v.ValueAt(r, nummer) + '\t' + v.ValueAt(r, bez) == caption) {
            v.GoToRow(r);
            loadCurrentVehicle(state);
            return true;
        }
    }
    v.GoToRow(current);
    return false;
}

bool previousVehicle(AppState& state) {
    if (!state.VehicleTable.Prior()) return false;
    loadCurrentVehicle(state);
    return true;
}

bool nextVehicle(AppState& state) {
    if (!state.VehicleTable.Next()) return false;
    loadCurrentVehicle(state);
    return true;
}

QString currentVehicleText(const TMlb2& vehicles) {
    return toDisplay(vehicles.GetValue(field::nummer) + "  /  " + vehicles.GetValue(field::bez));
}

namespace {

// Start-up up to the notices of damaged files.
StartupOutcome startWithoutNotices(AppState& state) {
    StartupOutcome out;
    // A save broken off by a crash may have left its temporary file beside the data file.
    removeSaveLeftovers(state.DataDir);
    const std::optional<QString> settingsError = readSettings(state);
    out.settingsFileUnreadable = settingsError.has_value();
    if (auto failure = loadVehicleTable(state)) {
        out.message = failure;
        out.vehicleFileUnreadable = true;
    }
    state.CostTable.CopyFrom(emptyCostTable());
    TMlb2& v = state.VehicleTable;
    if (v.IsEmpty()) return out;

    // The vehicle used last: the row whose "file" is the one remembered in kfz.ini, else row 1.
    const std::string remembered = state.CurCostFile;
    v.First();
    v.BeginSearch();
    const bool found = v.Find(field::file, "=", remembered);
    v.EndSearch();
    if (!found) v.GoToRow(1);
    fillAppointmentFileName(v);

    takeFileNames(state);
    // Without a readable kfz.ini no file was remembered: row 1 is taken without a word about it.
    const bool missingRemembered =
        !settingsError && (!QFileInfo(state.path(remembered)).isFile() || remembered.empty());
    const bool loaded = loadCostRecords(state);
    const QString missing = QStringLiteral("FEHLER\r\n Das zuletzt verwendete Datenfile ") + toDisplay(remembered) +
                            QStringLiteral(" befindet sich nicht mehr im Verzeichnis ") + state.DataDir +
                            QStringLiteral("\r\nWählen Sie bitte in der Fahrzeugverwaltung ein Fahrzeug aus.");
    if (state.costFileError && missingRemembered && remembered != state.CurCostFile)
        out.message = missing + QStringLiteral("\r\n\r\n") + *state.costFileError; // both said, in one message
    else if (state.costFileError)
        out.message = state.costFileError;
    else if (missingRemembered || (!loaded && !settingsError))
        out.message = missing;
    return out;
}

} // namespace

StartupOutcome startUp(AppState& state) {
    StartupOutcome out = startWithoutNotices(state);
    // An unreadable kfz.ini is said first.
    if (out.settingsFileUnreadable) {
        const QString settings = QStringLiteral("Die Einstellungsdatei kfz.ini konnte nicht gelesen werden; sie wird "
                                                "beim Beenden nicht überschrieben.");
        out.message = out.message ? settings + QStringLiteral("\r\r") + *out.message : settings;
    }
    // Damaged files whose original bytes were kept are said after everything else.
    if (const QString notices = takeNotices(state); !notices.isEmpty())
        out.message = out.message ? *out.message + QStringLiteral("\r\r") + notices : notices;
    return out;
}
