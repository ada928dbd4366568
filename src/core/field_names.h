#pragma once
// The names of the fields of the program's tables, as they stand in the header lines of the
// files. Lookups ignore letter case; the spelling here is the one the program writes.

#include <array>
#include <string_view>

namespace field {

// kfzdata.csv, the vehicle master table
inline constexpr std::string_view ID = "ID";
inline constexpr std::string_view bez = "bez";
inline constexpr std::string_view nummer = "nummer";
inline constexpr std::string_view tachostart = "tachostart";
inline constexpr std::string_view tinh = "tinh";
inline constexpr std::string_view au = "au";
inline constexpr std::string_view tuev = "tuev";
inline constexpr std::string_view kdatum = "kdatum";
inline constexpr std::string_view erstzul = "erstzul";
inline constexpr std::string_view kpreis = "kpreis";
inline constexpr std::string_view bemerk1 = "bemerk1";
inline constexpr std::string_view fgstnr = "fgstnr";
inline constexpr std::string_view fahrer = "fahrer";
inline constexpr std::string_view instdat = "instdat";
inline constexpr std::string_view instkm = "instkm";
inline constexpr std::string_view sikm = "sikm";
inline constexpr std::string_view simon = "simon";
inline constexpr std::string_view privat = "privat";
inline constexpr std::string_view kme = "kme";
inline constexpr std::string_view waehr = "waehr";
inline constexpr std::string_view krstart = "krstart";
inline constexpr std::string_view leas = "leas";
inline constexpr std::string_view leasdauer = "leasdauer";
inline constexpr std::string_view leasstart = "leasstart";
inline constexpr std::string_view file = "file";   // cost records
inline constexpr std::string_view file2 = "file2"; // logbook
inline constexpr std::string_view file3 = "file3"; // logbook choice lists
inline constexpr std::string_view file4 = "file4"; // notes
inline constexpr std::string_view file5 = "file5"; // recurring items
inline constexpr std::string_view bild = "bild";
inline constexpr std::string_view kme2 = "kme2";
inline constexpr std::string_view krstart2 = "krstart2";
inline constexpr std::string_view apreis = "apreis";
inline constexpr std::string_view hybrid = "hybrid";
inline constexpr std::string_view file6 = "file6"; // appointments

// A vehicle's cost records ("ID" as above)
inline constexpr std::string_view Datum = "Datum";
inline constexpr std::string_view kmstnd = "kmstnd";
inline constexpr std::string_view preis = "preis"; // also of the recurring items
inline constexpr std::string_view liter = "liter";
inline constexpr std::string_view voll = "voll";
inline constexpr std::string_view art = "art";
inline constexpr std::string_view text = "text"; // also of the appointments
inline constexpr std::string_view service = "service";
inline constexpr std::string_view tart = "tart";
inline constexpr std::string_view krart = "krart";

// Recurring items ("preis" as above)
inline constexpr std::string_view Vorgang = "Vorgang";

// Appointments ("text" as above)
inline constexpr std::string_view kfz = "kfz";
inline constexpr std::string_view datum = "datum";
inline constexpr std::string_view zeit = "zeit";

// A vehicle's logbook ("art" and "fahrer" as above). The first field is written "Nr" in a new
// file and read as "nr".
inline constexpr std::string_view Nr = "Nr";
inline constexpr std::string_view nr = "nr"; // also of the logbook's fingerprints
inline constexpr std::string_view dat1 = "dat1";
inline constexpr std::string_view dat2 = "dat2";
inline constexpr std::string_view zeit1 = "zeit1";
inline constexpr std::string_view zeit2 = "zeit2";
inline constexpr std::string_view tacho1 = "tacho1";
inline constexpr std::string_view tacho2 = "tacho2";
inline constexpr std::string_view von = "von";
inline constexpr std::string_view ueber = "ueber";
inline constexpr std::string_view nach = "nach";
inline constexpr std::string_view zweck = "zweck";
inline constexpr std::string_view besucht = "besucht";
inline constexpr std::string_view kfznummer = "kfznummer";
inline constexpr std::string_view daktiv = "daktiv";

// The logbook's choice lists ("text" as above)
inline constexpr std::string_view rubrik = "rubrik";

// The logbook's fingerprints ("nr" as above)
inline constexpr std::string_view hash = "hash";

} // namespace field

// The fields of a vehicle's cost-record file as this program creates it, in their order.
inline constexpr std::array<std::string_view, 11> kCostRecordFields = {
    field::ID,  field::Datum, field::kmstnd,  field::preis, field::liter, field::voll,
    field::art, field::text,  field::service, field::tart,  field::krart};

// The fields of a vehicle's logbook file, in their order.
inline constexpr std::array<std::string_view, 16> kTripFields = {
    field::Nr,     field::dat1,   field::dat2,      field::zeit1, field::zeit2, field::tacho1,
    field::tacho2, field::von,    field::ueber,     field::nach,  field::zweck, field::besucht,
    field::art,    field::fahrer, field::kfznummer, field::daktiv};
