#pragma once
// A data directory with a small vehicle table, for the appointment tests.

#include "core/app_state.h"
#include "core/vehicle_table.h"
#include "support/file_bytes.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

inline constexpr std::string_view kAppointmentHeader = "kfz;datum;zeit;text\r\n";

class AppointmentFixture : public testing::Test {
protected:
    AppointmentFixture() {
        for (const std::string_view f : kVehicleBaseFields) m_state.VehicleTable.AddField(std::string(f));
        upgradeVehicleTable(m_state.VehicleTable);
    }

    // Appends a vehicle; `number` gives its ID and file names, `file6` its appointment file name.
    void addVehicle(int number, const std::string& plate, const std::string& file6) {
        TMlb2& v = m_state.VehicleTable;
        const std::string nnn = vehicleNumberText(number);
        v.AppendRow();
        v.SetValue("ID", std::to_string(number));
        v.SetValue("nummer", plate);
        v.SetValue("bez", "Fahrzeug " + nnn);
        v.SetValue("file", "kfzdat." + nnn);
        v.SetValue("file2", "kfzfb." + nnn);
        v.SetValue("file6", file6);
    }
    // Writes an appointment file with the given rows ("datum;zeit;text" each, CR LF ended).
    void writeAppointments(const char* name, const std::string& rows) {
        ASSERT_TRUE(writeBytes(m_state.path(name), std::string(kAppointmentHeader) + rows));
    }
    std::string file(std::string_view name) const { return readBytes(m_state.path(name)); }

    QTemporaryDir m_dir;
    FixedClock m_clock{QDateTime(QDate(2024, 5, 10), QTime(15, 0))};
    AppState m_state{m_dir.path() + QLatin1Char('/'), m_clock};
};
