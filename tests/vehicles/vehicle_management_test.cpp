#include "vehicles/vehicle_management.h"

#include "core/vehicle_table.h"
#include "support/app_state_fixture.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

// A data directory with vehicles created by the program itself (on 15.03.2008).
class VehicleManagement : public AppStateTest {
protected:
    VehicleManagement() : AppStateTest(QDateTime(QDate(2008, 3, 15), QTime(10, 30))) {}
    TMlb2& vehicles() { return m_state.VehicleTable; }
    void addVehicles(int count) {
        ASSERT_EQ(loadVehicleTable(m_state), std::nullopt);
        for (int i = 0; i < count; ++i) ASSERT_EQ(createVehicle(m_state), std::nullopt);
    }
    std::vector<std::string> plates() {
        std::vector<std::string> out;
        for (int r = 1; r <= vehicles().RowCount(); ++r)
            out.push_back(vehicles().ValueAt(r, vehicles().FieldIndex("nummer")));
        return out;
    }
};

TEST_F(VehicleManagement, NewVehicleShowsItsStartValues) {
    addVehicles(1);
    const VehicleFields f = readVehicleFields(vehicles());
    EXPECT_EQ(f.nummer, "Nummer 001");
    EXPECT_EQ(f.bez, "Fahrzeug 001");
    EXPECT_EQ(f.kdatum, QDate(2008, 3, 15));
    EXPECT_EQ(f.tuev, QDate(2008, 3, 1));
    EXPECT_EQ(f.leasstart, QDate(2008, 3, 1)); // a full date shows its month
    EXPECT_DOUBLE_EQ(f.tinh, 50);
    EXPECT_DOUBLE_EQ(f.kpreis, 1);
    EXPECT_EQ(f.instkm, 10000);
    EXPECT_EQ(f.sikm, 30000);
    EXPECT_EQ(f.simon, 12);
    EXPECT_TRUE(f.privat);
    EXPECT_FALSE(f.leas);
    EXPECT_EQ(f.waehr, 0);
    EXPECT_EQ(f.kme2, 0);
    EXPECT_EQ(amountSuffix(vehicles()), QString::fromUtf8(" €"));
    EXPECT_EQ(tankSuffix(vehicles()), " L");
}

TEST_F(VehicleManagement, NumberOfAVehicleWithoutRecordFileIsNotGivenAgain) {
    addVehicles(3);
    ASSERT_TRUE(QFile::remove(m_state.path("kfzdat.002"))); // vehicle 002 has no records yet
    ASSERT_EQ(createVehicle(m_state), std::nullopt);
    EXPECT_EQ(vehicles().GetValue("nummer"), "Nummer 004");
    EXPECT_EQ(vehicles().GetValue("file"), "kfzdat.004");
}

// How stored texts are shown: each row one master value and what the field shows of it.
struct ReadCase {
    const char* name;
    const char* field;
    const char* stored;
    std::function<void(const VehicleFields&)> check;
};
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadingValues : public VehicleManagement, public testing::WithParamInterface<ReadCase> {};

TEST_P(ReadingValues, ShowsTheStoredText) {
    addVehicles(1);
    vehicles().SetValue(GetParam().field, GetParam().stored);
    GetParam().check(readVehicleFields(vehicles()));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ReadingValues,
    testing::Values(
        ReadCase{"price_with_point", "kpreis", "12.5",
                 [](const VehicleFields& f) { EXPECT_DOUBLE_EQ(f.kpreis, 12.5); }},
        ReadCase{"unreadable_price", "apreis", "viel", [](const VehicleFields& f) { EXPECT_DOUBLE_EQ(f.apreis, 0); }},
        ReadCase{"empty_first_registration", "erstzul", "",
                 [](const VehicleFields& f) { EXPECT_EQ(f.erstzul, std::nullopt); }},
        ReadCase{"month", "tuev", "04.2027", [](const VehicleFields& f) { EXPECT_EQ(f.tuev, QDate(2027, 4, 1)); }},
        ReadCase{"no_month", "au", "13.2027", [](const VehicleFields& f) { EXPECT_EQ(f.au, std::nullopt); }},
        ReadCase{"company_vehicle", "privat", "nein", [](const VehicleFields& f) { EXPECT_FALSE(f.privat); }},
        ReadCase{"unit_kW_is_not_offered", "kme", "3", [](const VehicleFields& f) { EXPECT_EQ(f.kme, -1); }},
        ReadCase{"second_unit", "kme2", "3", [](const VehicleFields& f) { EXPECT_EQ(f.kme2, 3); }},
        ReadCase{"swiss_francs", "waehr", "1", [](const VehicleFields& f) { EXPECT_EQ(f.waehr, 1); }},
        ReadCase{"not_leased_shows_no_duration", "leasdauer", "24",
                 [](const VehicleFields& f) { EXPECT_EQ(f.leasdauer, 0); }},
        ReadCase{"remark_lines", "bemerk1", "Winterreifen\r\nim Keller",
                 [](const VehicleFields& f) { EXPECT_EQ(f.bemerk1, "Winterreifen\nim Keller"); }}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST_F(VehicleManagement, CurrencyIndexOneShowsFrancs) {
    addVehicles(1);
    vehicles().SetValue("waehr", "1");
    vehicles().SetValue("kme", "1");
    EXPECT_EQ(amountSuffix(vehicles()), " SFr");
    EXPECT_EQ(tankSuffix(vehicles()), " KG");
}

TEST_F(VehicleManagement, EmptySecondUnitAndFuelOfTheShownRowBecomeZero) {
    addVehicles(2);
    for (int r = 1; r <= 2; ++r) {
        vehicles().GoToRow(r);
        vehicles().SetValue("kme2", "");
        vehicles().SetValue("krstart2", "");
    }
    prepareShownVehicle(vehicles()); // row 2
    EXPECT_EQ(vehicles().GetValue("kme2"), "0");
    EXPECT_EQ(vehicles().GetValue("krstart2"), "0");
    vehicles().GoToRow(1);
    EXPECT_EQ(vehicles().GetValue("kme2"), "");
}

TEST_F(VehicleManagement, WritesEveryFieldInItsForm) {
    addVehicles(1);
    VehicleFields f = readVehicleFields(vehicles());
    f.bez = QString::fromUtf8("Käfer");
    f.nummer = "M-K 1200";
    f.fgstnr = "WVWZZZ11";
    f.fahrer = "Erika";
    f.kpreis = 12500.5;
    f.apreis = 3999.99;
    f.tinh = 40.5;
    f.tachostart = 123456;
    f.kdatum = QDate(1975, 6, 1);
    f.erstzul = QDate(1974, 12, 24);
    f.tuev = QDate(2009, 1, 1);
    f.au = QDate(2009, 2, 1);
    f.instdat = QDate(2008, 11, 1);
    f.instkm = 130000;
    f.sikm = 7500;
    f.simon = 6;
    f.privat = false;
    f.leas = true;
    f.leasstart = QDate(2008, 4, 1);
    f.leasdauer = 36;
    f.waehr = 1;
    f.krstart = 1;
    f.kme = 2;
    f.krstart2 = 4;
    f.kme2 = 1;
    f.bemerk1 = "Oldtimer\nH-Kennzeichen";
    vehicles().SetValue("hybrid", "");
    writeVehicleFields(vehicles(), f);

    const std::pair<const char*, std::string> expected[] = {
        {"bez", "K\xE4"
                "fer"},
        {"nummer", "M-K 1200"},
        {"kpreis", "12500,5"},
        {"apreis", "3999,99"},
        {"kdatum", "01.06.1975"},
        {"erstzul", "24.12.1974"},
        {"fgstnr", "WVWZZZ11"},
        {"tinh", "40,5"},
        {"bemerk1", "Oldtimer\r\nH-Kennzeichen"},
        {"tuev", "01.2009"},
        {"sikm", "7500"},
        {"simon", "6"},
        {"au", "02.2009"},
        {"tachostart", "123456"},
        {"fahrer", "Erika"},
        {"instdat", "11.2008"},
        {"instkm", "130000"},
        {"privat", "nein"},
        {"kme", "2"},
        {"waehr", "1"},
        {"kme2", "1"},
        {"krstart2", "4"},
        {"krstart", "1"},
        {"leas", "ja"},
        {"leasdauer", "36"},
        {"leasstart", "04.2008"},
        {"hybrid", "0"},
        {"ID", "1"},
        {"file", "kfzdat.001"}, // never changed here
    };
    for (const auto& [field, value] : expected) EXPECT_EQ(vehicles().GetValue(field), value) << field;
}

TEST_F(VehicleManagement, FieldsThatShowNothingKeepTheirStoredText) {
    addVehicles(1);
    vehicles().SetValue("kme", "3"); // "kW", which the list does not offer
    vehicles().SetValue("erstzul", "unbekannt");
    VehicleFields f = readVehicleFields(vehicles());
    ASSERT_EQ(f.kme, -1);
    ASSERT_EQ(f.erstzul, std::nullopt);
    writeVehicleFields(vehicles(), f);
    EXPECT_EQ(vehicles().GetValue("kme"), "3");
    EXPECT_EQ(vehicles().GetValue("erstzul"), "unbekannt");
}

TEST_F(VehicleManagement, RemarkKeepsItsLineBreaksThroughTheFile) {
    addVehicles(1);
    VehicleFields f = readVehicleFields(vehicles());
    f.bemerk1 = "Zeile 1\nZeile 2\n\nZeile 4";
    writeVehicleFields(vehicles(), f);
    ASSERT_EQ(saveVehicleTable(m_state), std::nullopt);
    EXPECT_NE(readBytes(m_state.path(kVehicleFileName)).find(";Zeile 1\\nZeile 2\\n\\nZeile 4;"), std::string::npos);

    AppState again(dataDir(), m_clock);
    ASSERT_EQ(loadVehicleTable(again), std::nullopt);
    again.VehicleTable.First();
    EXPECT_EQ(readVehicleFields(again.VehicleTable).bemerk1, "Zeile 1\nZeile 2\n\nZeile 4");
}

struct PlateCase {
    const char* name;
    const char* plate;
    bool refused;
};
void PrintTo(const PlateCase& c, std::ostream* os) {
    *os << c.name;
}

class DuplicatePlate : public VehicleManagement, public testing::WithParamInterface<PlateCase> {};

TEST_P(DuplicatePlate, OnlyAnotherRowsExactPlateIsRefused) {
    addVehicles(2);
    vehicles().GoToRow(1);
    vehicles().SetValue("nummer", "B-XY 10");
    vehicles().GoToRow(2);
    const std::optional<QString> message = duplicatePlateMessage(vehicles(), GetParam().plate);
    if (GetParam().refused)
        EXPECT_EQ(message, QStringLiteral("Das Kennzeichen \"") + GetParam().plate +
                               "\" ist bereits in der Datenbank vorhanden.\rBitte korrigieren Sie den Eintrag.");
    else
        EXPECT_EQ(message, std::nullopt);
    EXPECT_EQ(vehicles().RowNumber(), 2);
}

INSTANTIATE_TEST_SUITE_P(Plates, DuplicatePlate,
                         testing::Values(PlateCase{"another_rows_plate", "B-XY 10", true},
                                         PlateCase{"differs_in_letter_case", "b-xy 10", false},
                                         PlateCase{"its_own_plate", "Nummer 002", false},
                                         PlateCase{"a_new_plate", "B-XY 11", false},
                                         PlateCase{"trailing_blank", "B-XY 10 ", false}),
                         [](const testing::TestParamInfo<PlateCase>& info) { return std::string(info.param.name); });

TEST_F(VehicleManagement, DeleteQuestionNamesThePlate) {
    addVehicles(1);
    vehicles().SetValue("nummer", "HH-A 1");
    EXPECT_EQ(deleteVehicleQuestion(vehicles()), QString::fromUtf8("Möchten Sie das Fahrzeug \"HH-A 1\" löschen ?"));
}

TEST_F(VehicleManagement, DeletingRemovesTheSixFilesAndTheLogbooksFingerprintsButNotThePicture) {
    addVehicles(2);
    vehicles().GoToRow(1);
    for (const char* name :
         {"kfzfb.001", "kfzfbp.001", "kfzfbe.001", "kfznotiz.001", "kfzwv.001", "kfzterm.001", "foto.jpg"})
        ASSERT_TRUE(writeBytes(m_state.path(name), "x"));
    vehicles().SetValue("bild", (dataDir() + "foto.jpg").toStdString());
    m_state.CurCostFile = "kfzdat.002"; // the main window shows the other vehicle

    EXPECT_EQ(deleteVehicle(m_state), std::nullopt);
    const QStringList left = QDir(m_dir.path()).entryList(QDir::Files);
    EXPECT_EQ(left, QStringList({"foto.jpg", "kfzdat.002", "kfzdata.csv"}));
    EXPECT_EQ(plates(), (std::vector<std::string>{"Nummer 002"}));
    EXPECT_EQ(vehicles().RowNumber(), 1);
    EXPECT_EQ(readBytes(m_state.path(kVehicleFileName)).find("kfzdat.001"), std::string::npos);
    EXPECT_EQ(m_state.CurCostFile, "kfzdat.002");
}

TEST_F(VehicleManagement, DeletingTheCurrentVehicleLeavesNothingOfItToWrite) {
    addVehicles(2);
    vehicles().GoToRow(2);
    m_state.CurCostFile = "kfzdat.002";
    m_state.CurNotesFile = "kfznotiz.002";
    m_state.CostTable.AddField("ID");
    m_state.CostTable.AppendRow();
    EXPECT_EQ(deleteVehicle(m_state), std::nullopt);
    EXPECT_EQ(m_state.CurCostFile, "");
    EXPECT_EQ(m_state.CurNotesFile, "");
    EXPECT_EQ(m_state.CostTable.RowCount(), 0);
    EXPECT_FALSE(QFile::exists(m_state.path("kfzdat.002")));
}

TEST_F(VehicleManagement, FileNamesWithAPathAreNotDeleted) {
    addVehicles(1);
    QTemporaryDir outside;
    ASSERT_TRUE(writeBytes(outside.filePath("kfzwv.001"), "x"));
    vehicles().SetValue("file5", (outside.path() + "/kfzwv.001").toStdString());
    vehicles().SetValue("file4", "../kfznotiz.001");
    EXPECT_EQ(deleteVehicle(m_state), std::nullopt);
    EXPECT_TRUE(QFile::exists(outside.filePath("kfzwv.001")));
    EXPECT_TRUE(vehicles().IsEmpty());
}

// A file that another vehicle names too (a hand-edited kfzdata.csv) is that vehicle's as well: it stays.
TEST_F(VehicleManagement, FilesAnotherVehicleNamesAreNotDeleted) {
    addVehicles(2);
    vehicles().GoToRow(1);
    vehicles().SetValue("file5", "kfzdat.002");
    EXPECT_EQ(deleteVehicle(m_state), std::nullopt);
    EXPECT_FALSE(QFile::exists(m_state.path("kfzdat.001")));
    EXPECT_TRUE(QFile::exists(m_state.path("kfzdat.002")));
    EXPECT_EQ(plates(), (std::vector<std::string>{"Nummer 002"}));
}

// Where the cursor and the main window's vehicle end up when the dialog closes.
struct SettleCase {
    const char* name;
    int cursorRow;           // where the dialog left the cursor (0: on no row)
    const char* currentFile; // the main window's CurCostFile
    int expectedRow;
    MainWindowUpdate expected;
    bool otherNamesToo = true; // the other four current names are that vehicle's as well
};
void PrintTo(const SettleCase& c, std::ostream* os) {
    *os << c.name;
}

class Settling : public VehicleManagement, public testing::WithParamInterface<SettleCase> {};

TEST_P(Settling, MainWindowFollowsTheCursor) {
    addVehicles(3);
    vehicles().GoToRow(GetParam().cursorRow);
    if (GetParam().cursorRow == 0) {
        vehicles().GoToRow(3);
        vehicles().DeleteRow(3); // the cursor is left beyond the last row
        ASSERT_GT(vehicles().RowNumber(), vehicles().RowCount());
    }
    const std::string current = GetParam().currentFile;
    m_state.CurCostFile = current;
    if (!current.empty() && GetParam().otherNamesToo) {
        const std::string nnn = current.substr(current.size() - 3);
        m_state.CurTripFile = "kfzfb." + nnn;
        m_state.CurLogbookListFile = "kfzfbe." + nnn;
        m_state.CurNotesFile = "kfznotiz." + nnn;
        m_state.CurRecurringFile = "kfzwv." + nnn;
    }
    EXPECT_EQ(settleCurrentVehicle(m_state), GetParam().expected);
    EXPECT_EQ(vehicles().RowNumber(), GetParam().expectedRow);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Settling,
    testing::Values(SettleCase{"same_vehicle", 2, "kfzdat.002", 2, MainWindowUpdate::Show},
                    SettleCase{"another_vehicle", 3, "kfzdat.002", 3, MainWindowUpdate::Activate},
                    SettleCase{"current_was_deleted", 1, "", 1, MainWindowUpdate::Activate},
                    SettleCase{"cursor_on_no_row", 0, "kfzdat.001", 1, MainWindowUpdate::Show},
                    // the record file matches, the other names were never taken: activated all anew
                    SettleCase{"only_the_record_file_matches", 2, "kfzdat.002", 2, MainWindowUpdate::Activate, false}),
    [](const testing::TestParamInfo<SettleCase>& info) { return std::string(info.param.name); });

TEST_F(VehicleManagement, SettlingWithoutVehiclesForgetsTheCurrentOne) {
    ASSERT_EQ(loadVehicleTable(m_state), std::nullopt);
    m_state.CurCostFile = "kfzdat.001";
    EXPECT_EQ(settleCurrentVehicle(m_state), MainWindowUpdate::Show);
    EXPECT_EQ(m_state.CurCostFile, "");
}

TEST_F(VehicleManagement, ClosingReturnsToTheOpeningVehicleWhereverItIsNow) {
    addVehicles(3);
    vehicles().GoToRow(1);
    ASSERT_EQ(deleteVehicle(m_state), std::nullopt); // kfzdat.003 moves to row 2
    vehicles().GoToRow(1);
    returnToOpeningVehicle(vehicles(), "kfzdat.003");
    EXPECT_EQ(vehicles().RowNumber(), 2);
    returnToOpeningVehicle(vehicles(), "kfzdat.001"); // gone: the first remaining one
    EXPECT_EQ(vehicles().RowNumber(), 1);
    vehicles().GoToRow(2);
    returnToOpeningVehicle(vehicles(), std::string()); // deleted in the dialog
    EXPECT_EQ(vehicles().RowNumber(), 1);
    vehicles().GoToRow(2);
    returnToOpeningVehicle(vehicles(), std::nullopt); // none at opening: the cursor stays
    EXPECT_EQ(vehicles().RowNumber(), 2);
}

TEST_F(VehicleManagement, SelectedVehicleTextsForTheMainWindow) {
    addVehicles(1);
    EXPECT_EQ(selectedVehicleText(vehicles()), "Nummer 001 / Fahrzeug 001");
    const std::tuple<const char*, const char*, QString> cases[] = {
        {"0", "0", "L"}, {"1", "1", "KG / L"}, {"0", "3", QString::fromUtf8("L / CM³")}, {"3", "0", "kW"}};
    for (const auto& [kme, kme2, title] : cases) {
        vehicles().SetValue("kme", kme);
        vehicles().SetValue("kme2", kme2);
        EXPECT_EQ(quantityTitleOf(vehicles()), title) << kme << " " << kme2;
    }
}

TEST_F(VehicleManagement, PictureLinkIsSaved) {
    addVehicles(1);
    EXPECT_EQ(setPictureLink(m_state, "/home/erika/Bilder/k\u00e4fer.jpg"), std::nullopt);
    EXPECT_EQ(vehicles().GetValue("bild"), "/home/erika/Bilder/k\xE4"
                                           "fer.jpg");
    EXPECT_NE(readBytes(m_state.path(kVehicleFileName))
                  .find("/home/erika/Bilder/k\xE4"
                        "fer.jpg"),
              std::string::npos);
}

TEST(VehicleLists, LongTextsInListOrder) {
    EXPECT_EQ(currencyListTexts(), QStringList({QString::fromUtf8("€ Euro"), "SFr Schweizer Franken"}));
    EXPECT_EQ(unitListTexts(), QStringList({"L Liter", "KG Kilogramm", QString::fromUtf8("CM³ Kubik-CM")}));
    EXPECT_EQ(fuelListTexts().size(), 8);
    EXPECT_EQ(fuelListTexts().at(2), "Benzin Super-Plus");
    EXPECT_EQ(secondFuelListTexts().first(), "-");
    EXPECT_EQ(secondFuelListTexts().size(), 9);
    EXPECT_EQ(secondUnitListTexts(), QStringList({"-", "L Liter", "KG Kilogramm", QString::fromUtf8("CM³ Kubik-CM")}));
}

} // namespace
