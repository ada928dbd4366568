#include "appointments/appointment_table.h"

#include "support/appointment_fixture.h"

#include <QDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Stored {
    QDate date;
    QTime time;
};

struct OrderCase {
    const char* name;
    std::vector<Stored> added;     // in the order they are stored with "OK"
    std::vector<std::string> rows; // the file's rows afterwards
};

void PrintTo(const OrderCase& c, std::ostream* os) {
    *os << c.name;
}

class AppointmentOrder : public AppointmentFixture, public testing::WithParamInterface<OrderCase> {};

TEST_P(AppointmentOrder, EveryStoreKeepsDateAndTimeOrder) {
    addVehicle(1, "A-BC 1", "kfzterm.001");
    m_state.VehicleTable.First();
    ASSERT_EQ(loadAppointments(m_state), std::nullopt);
    for (const Stored& s : GetParam().added)
        ASSERT_EQ(storeAppointment(m_state, {s.date, s.time, QStringLiteral("x")}, true), std::nullopt);
    std::string expected(kAppointmentHeader);
    for (const std::string& row : GetParam().rows) expected += ";" + row + ";x\r\n";
    EXPECT_EQ(file("kfzterm.001"), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AppointmentOrder,
    testing::Values(
        OrderCase{"same_day_by_time",
                  {{QDate(2024, 5, 14), QTime(14, 0)}, {QDate(2024, 5, 14), QTime(9, 30)}},
                  {"14.05.2024;09:30:00", "14.05.2024;14:00:00"}},
        OrderCase{"year_before_day",
                  {{QDate(2025, 1, 1), QTime(8, 0)}, {QDate(2024, 12, 31), QTime(20, 0)}},
                  {"31.12.2024;20:00:00", "01.01.2025;08:00:00"}},
        OrderCase{
            "month_before_day",
            {{QDate(2024, 2, 1), QTime(8, 0)}, {QDate(2024, 1, 2), QTime(8, 0)}, {QDate(2024, 1, 30), QTime(7, 0)}},
            {"02.01.2024;08:00:00", "30.01.2024;07:00:00", "01.02.2024;08:00:00"}},
        OrderCase{
            "two_digit_months",
            {{QDate(2024, 10, 1), QTime(8, 0)}, {QDate(2024, 1, 2), QTime(8, 0)}, {QDate(2024, 12, 1), QTime(8, 0)}},
            {"02.01.2024;08:00:00", "01.10.2024;08:00:00", "01.12.2024;08:00:00"}}),
    [](const testing::TestParamInfo<OrderCase>& info) { return std::string(info.param.name); });

// A field of the sort key's name in the file is the user's own: it stays with its values.
TEST_F(AppointmentFixture, FieldNamedLikeTheSortKeyIsKept) {
    addVehicle(1, "A-BC 1", "kfzterm.001");
    ASSERT_TRUE(
        writeBytes(m_state.path("kfzterm.001"), "kfz;datum;zeit;text;temp_d\r\n;02.06.2026;08:00:00;HU;mein\r\n"));
    m_state.VehicleTable.First();
    ASSERT_EQ(loadAppointments(m_state), std::nullopt);
    ASSERT_EQ(storeAppointment(m_state, {QDate(2026, 6, 1), QTime(9, 0), QStringLiteral("AU")}, true), std::nullopt);
    EXPECT_EQ(file("kfzterm.001"),
              "kfz;datum;zeit;text;temp_d\r\n;01.06.2026;09:00:00;AU;\r\n;02.06.2026;08:00:00;HU;mein\r\n");
}

// An appointment file name that is no file of the data directory, or one of the program's own
// files, is neither read nor written.
TEST_F(AppointmentFixture, ForeignFileNameIsNeverReadNorWritten) {
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath("sub")));
    ASSERT_TRUE(writeBytes(m_state.path("kfz.ini"), "[LastUse]\r\n"));
    addVehicle(1, "A-BC 1", "");
    m_state.VehicleTable.First();
    for (const char* name : {"kfz.ini", "KFZDATA.CSV", "../kfzterm.001", "sub/kfzterm.001", "..", "c:kfzterm"}) {
        SCOPED_TRACE(name);
        m_state.VehicleTable.SetValue("file6", name);
        const auto loaded = loadAppointments(m_state);
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(loaded->contains(QString::fromUtf8(name)));
        EXPECT_TRUE(storeAppointment(m_state, {QDate(2026, 6, 1), QTime(9, 0), QStringLiteral("AU")}, true));
    }
    EXPECT_EQ(file("kfz.ini"), "[LastUse]\r\n");
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("KFZDATA.CSV")));
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("sub/kfzterm.001")));
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("../kfzterm.001")));
}

TEST(AppointmentSortKey, IsYearMonthDayThenTime) {
    EXPECT_EQ(appointmentSortKey("14.05.2024", "09:30:00"), "2024051409:30:00");
    EXPECT_EQ(appointmentSortKey("", "09:30"), "09:30"); // a short text gives no out-of-range pieces
}

TEST_F(AppointmentFixture, NewAppointmentKeepsItsSecondsAndListsHoursAndMinutes) {
    addVehicle(1, "A-BC 1", "kfzterm.001");
    m_state.VehicleTable.First();
    ASSERT_EQ(loadAppointments(m_state), std::nullopt);
    ASSERT_EQ(storeAppointment(m_state, {QDate(2024, 5, 10), QTime(10, 15, 42), QStringLiteral("Werkstatt")}, true),
              std::nullopt);
    EXPECT_EQ(file("kfzterm.001"), std::string(kAppointmentHeader) + ";10.05.2024;10:15:42;Werkstatt\r\n");
    const auto rows = appointmentListRows(m_state.AppointmentTable, m_clock.today());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].date, "10.05.2024");
    EXPECT_EQ(rows[0].time, "10:15");
    EXPECT_EQ(rows[0].text, "Werkstatt");
}

TEST_F(AppointmentFixture, TwoLineDescriptionIsOneRowAndComesBackWithBothLines) {
    addVehicle(1, "A-BC 1", "kfzterm.001");
    m_state.VehicleTable.First();
    ASSERT_EQ(loadAppointments(m_state), std::nullopt);
    const QString text = QString::fromUtf8("Reifenwechsel\nWinterräder mitbringen");
    ASSERT_EQ(storeAppointment(m_state, {QDate(2024, 10, 20), QTime(9, 0), text}, true), std::nullopt);
    EXPECT_EQ(file("kfzterm.001"), std::string(kAppointmentHeader) + ";20.10.2024;09:00:00;Reifenwechsel\\nWinterr\xE4"
                                                                     "der mitbringen\r\n");
    m_state.AppointmentTable.Clear();
    ASSERT_EQ(loadAppointments(m_state), std::nullopt);
    ASSERT_EQ(m_state.AppointmentTable.RowCount(), 1);
    EXPECT_EQ(m_state.AppointmentTable.GetValue("text"), "Reifenwechsel\r\nWinterr\xE4"
                                                         "der mitbringen");
    EXPECT_EQ(appointmentListRows(m_state.AppointmentTable, m_clock.today())[0].text, text);
}

TEST_F(AppointmentFixture, EditChangesTheRowUnderTheCursorAndResorts) {
    addVehicle(1, "A-BC 1", "kfzterm.001");
    writeAppointments("kfzterm.001", ";01.06.2024;08:00:00;erst\r\n;02.06.2024;08:00:00;dann\r\n");
    m_state.VehicleTable.First();
    ASSERT_EQ(loadAppointments(m_state), std::nullopt);
    m_state.AppointmentTable.GoToRow(1);
    ASSERT_EQ(storeAppointment(m_state, {QDate(2024, 6, 3), QTime(8, 0), QStringLiteral("verschoben")}, false),
              std::nullopt);
    EXPECT_EQ(file("kfzterm.001"),
              std::string(kAppointmentHeader) + ";02.06.2024;08:00:00;dann\r\n;03.06.2024;08:00:00;verschoben\r\n");
}

TEST_F(AppointmentFixture, DeletingTheOnlyAppointmentLeavesTheFieldLine) {
    addVehicle(1, "A-BC 1", "kfzterm.001");
    writeAppointments("kfzterm.001", ";01.06.2024;08:00:00;HU\r\n");
    m_state.VehicleTable.First();
    ASSERT_EQ(loadAppointments(m_state), std::nullopt);
    m_state.AppointmentTable.GoToRow(1);
    EXPECT_EQ(deleteAppointment(m_state), std::nullopt);
    EXPECT_EQ(file("kfzterm.001"), kAppointmentHeader);
    EXPECT_TRUE(appointmentListRows(m_state.AppointmentTable, m_clock.today()).empty());
}

TEST_F(AppointmentFixture, LoadingTakesTheSelectedVehiclesFile) {
    addVehicle(1, "A-BC 1", "kfzterm.001");
    addVehicle(2, "B-XY 2", "kfzterm.002");
    // An older file without "kfz": read as it is, the missing field added for storing.
    ASSERT_TRUE(writeBytes(m_state.path("kfzterm.001"), "datum;zeit;text\r\n01.06.2024;08:00:00;alt\r\n"));
    m_state.VehicleTable.GoToRow(1);
    ASSERT_EQ(loadAppointments(m_state), std::nullopt);
    EXPECT_EQ(m_state.AppointmentTable.RowCount(), 1);
    EXPECT_EQ(m_state.AppointmentTable.GetValue("text"), "alt");
    EXPECT_TRUE(m_state.AppointmentTable.HasField("kfz"));

    m_state.VehicleTable.GoToRow(2); // no file: no appointments, the fields are there
    ASSERT_EQ(loadAppointments(m_state), std::nullopt);
    EXPECT_EQ(m_state.AppointmentTable.RowCount(), 0);
    for (const std::string_view field : kAppointmentFields) EXPECT_TRUE(m_state.AppointmentTable.HasField(field));
}

// A vehicle of older data without "file6" gets its name with its first appointment, instead of
// the appointments going to the data directory's own path.
struct NameCase {
    const char* name;
    const char* id;
    const char* file2;
    const char* file6;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.name;
}

class EmptyFile6 : public AppointmentFixture, public testing::WithParamInterface<NameCase> {};

TEST_P(EmptyFile6, FirstAppointmentNamesTheFile) {
    addVehicle(1, "A-BC 1", "kfzterm.001");
    addVehicle(7, "B-XY 7", "");
    TMlb2& v = m_state.VehicleTable;
    v.GoToRow(2);
    v.SetValue("ID", GetParam().id);
    v.SetValue("file2", GetParam().file2);
    ASSERT_EQ(loadAppointments(m_state), std::nullopt);
    EXPECT_EQ(m_state.AppointmentTable.RowCount(), 0);

    ASSERT_EQ(storeAppointment(m_state, {QDate(2024, 6, 1), QTime(8, 0), QStringLiteral("HU")}, true), std::nullopt);
    EXPECT_EQ(v.GetValue("file6"), GetParam().file6);
    EXPECT_EQ(v.RowNumber(), 2);
    EXPECT_EQ(file(GetParam().file6), std::string(kAppointmentHeader) + ";01.06.2024;08:00:00;HU\r\n");
    // The master table names the file at once.
    EXPECT_NE(file(kVehicleFileName).find(std::string(";") + GetParam().file6 + "\r\n"), std::string::npos);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, EmptyFile6,
                         testing::Values(NameCase{"from_the_logbook_name", "7", "kfzfb.007", "kfzterm.007"},
                                         NameCase{"from_the_id", "7", "", "kfzterm.007"},
                                         NameCase{"logbook_name_first", "9", "kfzfb.007", "kfzterm.007"}),
                         [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

TEST_F(AppointmentFixture, FailedSaveIsReportedAndTheTableKeepsTheChange) {
    addVehicle(1, "A-BC 1", "kfzterm.001");
    m_state.VehicleTable.First();
    ASSERT_EQ(loadAppointments(m_state), std::nullopt);
    // A folder where the file should be: the file cannot be written.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("kfzterm.001"));
    const auto failure = storeAppointment(m_state, {QDate(2024, 6, 1), QTime(8, 0), QStringLiteral("HU")}, true);
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->startsWith("Die Datei kfzterm.001 konnte nicht gespeichert werden.\r"))
        << failure->toStdString();
    EXPECT_EQ(m_state.AppointmentTable.RowCount(), 1);
}

struct DueCase {
    const char* name;
    QDate date;
    bool due;
};

void PrintTo(const DueCase& c, std::ostream* os) {
    *os << c.name;
}

class DueDate : public testing::TestWithParam<DueCase> {};

TEST_P(DueDate, TodayAndPastDatesAreRed) {
    TMlb2 t;
    for (const std::string_view f : kAppointmentFields) t.AddField(std::string(f));
    t.AppendRow();
    t.SetValue("datum", appointmentDateText(GetParam().date));
    t.SetValue("zeit", "23:59:00");
    EXPECT_EQ(appointmentListRows(t, QDate(2024, 5, 10))[0].due, GetParam().due);
}

INSTANTIATE_TEST_SUITE_P(Cases, DueDate,
                         testing::Values(DueCase{"yesterday", QDate(2024, 5, 9), true},
                                         DueCase{"today_later", QDate(2024, 5, 10), true},
                                         DueCase{"tomorrow", QDate(2024, 5, 11), false}),
                         [](const testing::TestParamInfo<DueCase>& info) { return std::string(info.param.name); });

} // namespace
