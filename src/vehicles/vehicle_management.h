#pragma once
// The rules of the vehicle management dialog (TForm26): what its fields show of a vehicle and how
// they are written back, the duplicate plate check, deleting a vehicle with its files, and how the
// main window's current vehicle is settled when the dialog closes.

#include "core/app_state.h"
#include "core/field_names.h"
#include "store/mlb2.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

inline const QString kVehicleDialogCaption = QStringLiteral("Fahrzeugverwaltung");

inline const QString kNewVehicleTitle = QStringLiteral("Neues Fahrzeug");
inline const QString kNewVehicleInstruction = QStringLiteral("Bei Klick auf Ja wird ein neuer Datensatz angelegt.");
inline const QString kNewVehicleQuestion = QStringLiteral("Möchten Sie ein neues Fahrzeug anlegen ?");
inline const QString kDeleteVehicleTitle = QStringLiteral("Fahrzeug löschen");
inline const QString kDeleteVehicleInstruction = QStringLiteral(" Klicken Sie Ja nur wenn Sie sicher sind.");
inline const QString kLastVehicleDeletedQuestion =
    QStringLiteral("Zur Verwendung des Programms muß mindestens ein Datensatz in der Fahrzeugverwaltung "
                   "vorliegen.\rMöchten Sie jetzt ein Fahrzeug anlegen ?");
inline const QString kRemovePictureQuestion = QStringLiteral("Bildverknüpfung löschen ?");
inline const QString kPictureHint =
    QStringLiteral("Neue Bildverknüpfung mit linker Maustaste\nLöschen mit rechter Maustaste");

// "Möchten Sie das Fahrzeug "<plate>" löschen ?" for the plate under the cursor.
QString deleteVehicleQuestion(const TMlb2& vehicles);

// What the dialog's fields show of one vehicle, and what they give back. Texts are as the
// widgets hold them; multi-line texts separate their lines with "\n".
struct VehicleFields {
    QString bez, nummer, fgstnr, fahrer;
    double kpreis = 0, apreis = 0; // two decimals
    double tinh = 0;               // one decimal
    int tachostart = 0, instkm = 0, sikm = 0, simon = 0, leasdauer = 0;
    // "dd.mm.yyyy" ("kdatum", "erstzul") and "mm.yyyy" ("tuev", "au", "instdat", "leasstart").
    // Loading: nullopt when the stored text is no such date. Writing back: nullopt keeps the
    // stored text, so a field that shows no date never overwrites what it could not show.
    std::optional<QDate> kdatum, erstzul, tuev, au, instdat, leasstart;
    bool privat = true;
    bool leas = false;
    // List positions: "waehr", "krstart", "kme" 0-based; "krstart2", "kme2" with 0 for "-".
    // -1 is no selection: loading gives it for an index the list does not offer ("kme" 3, "kW"),
    // and writing it back keeps the stored index.
    int waehr = 0, krstart = 0, kme = 0, krstart2 = 0, kme2 = 0;
    QString bemerk1;
};

// How a field of the dialog is read from its master field and written back.
enum class VehicleFieldKind {
    Text,        // one line as typed
    Lines,       // several lines, CR LF in the file
    Decimal,     // a number with decimals, written in the shortest number form
    Whole,       // a whole number (0 for a text that is none)
    LeaseMonths, // "leasdauer": a whole number, shown as 0 when "leas" is not "ja"
    Date,        // "dd.mm.yyyy" ("d.m.yyyy" is read too)
    Month,       // "mm.yyyy"; a full date shows its month
    Flag,        // "ja" / "nein"
    ListIndex,   // the 0-based position in a selection list of listSize entries
};
using VehicleFieldMember = std::variant<QString VehicleFields::*, double VehicleFields::*, int VehicleFields::*,
                                        std::optional<QDate> VehicleFields::*, bool VehicleFields::*>;
struct VehicleFieldEntry {
    std::string_view field;
    VehicleFieldKind kind;
    VehicleFieldMember member;
    int listSize = 0; // ListIndex only
};
// Every field of the dialog once: its master field, its kind and its value in VehicleFields, in the
// order the fields are written back.
extern const std::array<VehicleFieldEntry, 26> kVehicleDialogFields;
// The entry of a master field; nullptr for a field the dialog does not show.
const VehicleFieldEntry* vehicleDialogField(std::string_view field);

// The selection lists of the "Konfiguration" tab, long texts in their order.
QStringList currencyListTexts();
QStringList fuelListTexts();
QStringList unitListTexts();
// "-" followed by the fuel types / units: the hidden second fuel type and unit.
QStringList secondFuelListTexts();
QStringList secondUnitListTexts();

// Suffixes of the amount fields (" " + currency symbol) and of "Tankinhalt" (" " + unit) of the
// cursor row.
QString amountSuffix(const TMlb2& vehicles);
QString tankSuffix(const TMlb2& vehicles);

// The vehicle a row shows is loaded: an empty "kme2" or "krstart2" becomes "0" (in memory; it
// reaches the file with the next write-back).
void prepareShownVehicle(TMlb2& vehicles);
// The fields of the cursor row. When "leas" is not "ja", the duration shows 0.
VehicleFields readVehicleFields(const TMlb2& vehicles);
// Writes every field into the cursor row in the order of kVehicleDialogFields, then "hybrid" = "0".
// Line breaks are stored as CR LF. Nothing is written without a cursor row.
void writeVehicleFields(TMlb2& vehicles, const VehicleFields& fields);

// The duplicate plate check: the first row whose "nummer" equals `plate` exactly (letter case
// counts). The message when that row is another than the cursor row, else nullopt. The cursor
// stays where it is.
[[nodiscard]] std::optional<QString> duplicatePlateMessage(const TMlb2& vehicles, const QString& plate);

// The six per-vehicle file names of a row: "file" .. "file5", "file6".
inline constexpr std::array<std::string_view, 6> kVehicleFileFields = {field::file,  field::file2, field::file3,
                                                                       field::file4, field::file5, field::file6};

// Deletes the vehicle under the cursor: its files (those that exist; the picture is only linked
// and stays), its row, and saves kfzdata.csv. When it was the main window's current vehicle, the
// current file names are emptied and its records leave CostTable, so that nothing of it can be
// written again. The cursor goes to row 1. nullopt, or the message of a failed save (the row is
// gone from the table either way, its files too).
[[nodiscard]] std::optional<QString> deleteVehicle(AppState& state);

// The picture link of the cursor row ("bild", a full path), and saves kfzdata.csv.
[[nodiscard]] std::optional<QString> setPictureLink(AppState& state, const QString& path);

// "Schließen": the cursor returns to the vehicle that was under it when the dialog opened, found
// by its cost-record file (deleting a row moves the rows after it). The empty name stands for an
// opening vehicle that was deleted (its number may have gone to a new vehicle since): then, as
// when the name is not found, row 1. nullopt, no vehicle at opening (first start): the cursor
// stays where it is.
void returnToOpeningVehicle(TMlb2& vehicles, const std::optional<std::string>& openingCostFile);

// After the dialog closed: the vehicle under the cursor (row 1 when the cursor stands on no row)
// is to be the main window's current vehicle.
enum class MainWindowUpdate {
    Show,     // it already is: show its (possibly edited) master data again, records untouched
    Activate, // another vehicle: ActivateVehicle
};
MainWindowUpdate settleCurrentVehicle(AppState& state);

// The row of the vehicle whose cost-record file is `costFile`, 0 when there is none.
int rowOfVehicle(const TMlb2& vehicles, const std::string& costFile);

// "Auswählen und Schließen": the title of the fuel list's quantity column, UnitNames["kme"], and
// with a second unit ("kme2" > 0) followed by " / " and that unit.
QString quantityTitleOf(const TMlb2& vehicles);
// "Auswählen und Schließen": the current-vehicle panel, "nummer" + " / " + "bez".
QString selectedVehicleText(const TMlb2& vehicles);
