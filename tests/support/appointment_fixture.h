#pragma once
// A data directory with a small vehicle table, for the appointment tests.

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "support/app_state_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

inline constexpr std::string_view kAppointmentHeader = "kfz;datum;zeit;text\r\n";

class AppointmentFixture : public AppStateTest {
protected:
    AppointmentFixture() : AppStateTest(QDateTime(QDate(2024, 5, 10), QTime(15, 0))) {
        for (const std::string_view f : kVehicleBaseFields) m_state.VehicleTable.AddField(f);
        upgradeVehicleTable(m_state.VehicleTable);
    }

    // Appends a vehicle; `number` gives its ID and file names, `file6` its appointment file name.
    void addVehicle(int number, const std::string& plate, const std::string& file6) {
        TMlb2& v = m_state.VehicleTable;
        const std::string nnn = vehicleNumberText(number);
        v.AppendRow();
        v.SetValue(field::ID, std::to_string(number));
        v.SetValue(field::nummer, plate);
        v.SetValue(field::bez, "Fahrzeug " + nnn);
        v.SetValue(field::file, "kfzdat." + nnn);
        v.SetValue(field::file2, "kfzfb." + nnn);
        v.SetValue(field::file6, file6);
    }
    // Writes an appointment file with the given rows ("datum;zeit;text" each, CR LF ended).
    void writeAppointments(const char* name, const std::string& rows) {
        ASSERT_TRUE(writeBytes(m_state.path(name), std::string(kAppointmentHeader) + rows));
    }
};
