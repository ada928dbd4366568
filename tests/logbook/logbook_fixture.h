#pragma once
// A vehicle with its logbook in a temporary data directory, and trips written the way the program
// stores them.

#include "core/field_names.h"
#include "logbook/logbook_files.h"
#include "logbook/xor_cipher.h"
#include "support/app_state_fixture.h"

#include <QFile>

#include <string>
#include <vector>

// The header line of a new logbook file.
inline const std::string kTripHeader = "Nr;dat1;dat2;zeit1;zeit2;tacho1;tacho2;von;ueber;nach;zweck;besucht;art;"
                                       "fahrer;kfznummer;daktiv\r\n";

struct Trip {
    Trip(std::string dat1, std::string dat2, std::string tacho1, std::string tacho2, std::string art = "privat",
         std::string daktiv = "", std::string von = "Berlin", std::string nach = "Potsdam", std::string ueber = "")
        : dat1(std::move(dat1)), dat2(std::move(dat2)), tacho1(std::move(tacho1)), tacho2(std::move(tacho2)),
          art(std::move(art)), daktiv(std::move(daktiv)), von(std::move(von)), nach(std::move(nach)),
          ueber(std::move(ueber)) {}
    std::string dat1, dat2, tacho1, tacho2, art, daktiv, von, nach, ueber;
};

// The plain line of trip number `nr`.
inline std::string tripRow(int nr, const Trip& t) {
    return std::to_string(nr) + ";" + t.dat1 + ";" + t.dat2 + ";08:00;09:00;" + t.tacho1 + ";" + t.tacho2 + ";" +
           t.von + ";" + t.ueber + ";" + t.nach + ";Kunde;Firma;" + t.art + ";Max;B-XY 1;" + t.daktiv + "\r\n";
}

inline std::string plainLogbook(const std::vector<Trip>& trips) {
    std::string bytes = kTripHeader;
    for (std::size_t i = 0; i < trips.size(); ++i) bytes += tripRow(static_cast<int>(i) + 1, trips[i]);
    return bytes;
}

inline std::string enciphered(std::string plain) {
    return TXorCipher::XorText(LogbookKey, std::move(plain));
}

class LogbookTest : public AppStateTest {
protected:
    LogbookTest() : AppStateTest(QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9))) {
        m_state.CurTripFile = "kfzfb.002";
        m_state.CurLogbookListFile = "kfzfbe.002";
    }
    void writeFile(std::string_view name, const std::string& bytes) {
        QFile f(m_state.path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    // The logbook file as it lies on disk, deciphered.
    std::string logbookOnDisk() const { return enciphered(file("kfzfb.002")); }

    LogbookFiles m_files{m_state};
};
