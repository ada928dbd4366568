// The logbook file on disk: enciphered at every moment, read and written in memory, plain files of
// older versions taken as they are, damaged and unreadable files never written over; and the
// fingerprints that show an entry changed outside the program.

#include "logbook/new_trip.h"
#include "logbook_fixture.h"
#include "support/file_size_limit.h"

#include <QCryptographicHash>
#include <QDir>

#include "store/atomic_file.h"

#include <chrono>
#include <csignal>
#include <random>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const Trip kTen{"01.12.2026", "01.12.2026", "1000 KM", "1010 KM"};
const Trip kTwenty{"02.12.2026", "02.12.2026", "1010 KM", "1030 KM",
                   "gesch\xE4"
                   "ftl."};

TripInput input(const QString& from, int start, int end) {
    TripInput in;
    in.departureDate = in.arrivalDate = QDate(2026, 12, 10);
    in.departureTime = QTime(8, 0);
    in.arrivalTime = QTime(9, 15);
    in.odometerStart = QString::number(start) + QStringLiteral(" KM");
    in.odometerEnd = QString::number(end) + QStringLiteral(" KM");
    in.from = from;
    in.to = QStringLiteral("Potsdam");
    in.driver = QStringLiteral("Max");
    return in;
}

using LogbookFile = LogbookTest;

TEST_F(LogbookFile, FirstEntryCreatesTheEncipheredFileWithItsHeaderAndNumberOne) {
    const LogbookFiles::Opened opened = m_files.open();
    EXPECT_FALSE(opened.error);
    EXPECT_EQ(m_state.TripTable.FieldCount(), 16);
    appendTripRow(m_state.TripTable, input(QStringLiteral("Berlin"), 1000, 1010), "B-XY 1");
    const LogbookFiles::Stored stored = m_files.storeNewEntry();
    ASSERT_TRUE(stored.stored);
    EXPECT_FALSE(stored.error);
    const std::string plain = kTripHeader + "1;10.12.2026;10.12.2026;08:00;09:15;1000 KM;1010 KM;Berlin;;Potsdam;;;"
                                            "privat;Max;B-XY 1;\r\n";
    EXPECT_EQ(file("kfzfb.002"), enciphered(plain));
    EXPECT_EQ(file("kfzfb.002").size(), plain.size());
    // The first fingerprint: the hash of the entry's line alone.
    const std::string line = plain.substr(kTripHeader.size(), plain.size() - kTripHeader.size() - 2);
    const std::string hash =
        QCryptographicHash::hash(QByteArray::fromStdString(line), QCryptographicHash::Sha256).toHex().toStdString();
    EXPECT_EQ(file("kfzfbp.002"), "nr;hash\r\n1;" + hash + "\r\n");
}

TEST_F(LogbookFile, EncipheredAndPlainFilesReadAlikeAndEveryWriteEnciphers) {
    for (const bool plainOnDisk : {false, true}) {
        SCOPED_TRACE(plainOnDisk ? "plain" : "enciphered");
        const std::string plain = plainLogbook({kTen, kTwenty});
        writeFile("kfzfb.002", plainOnDisk ? plain : enciphered(plain));
        QFile::remove(m_state.path("kfzfbp.002"));
        ASSERT_FALSE(m_files.open().error);
        ASSERT_EQ(m_state.TripTable.RowCount(), 2);
        m_state.TripTable.GoToRow(2);
        // "Nr" in the header and "nr" address one field; the byte of "ä" is read as it is.
        EXPECT_EQ(m_state.TripTable.GetValue("nr"), "2");
        EXPECT_EQ(m_state.TripTable.GetValue("art"), "gesch\xE4"
                                                     "ftl.");
        // Opening writes nothing to the logbook, only its first fingerprints.
        EXPECT_EQ(file("kfzfb.002"), plainOnDisk ? plain : enciphered(plain));
        ASSERT_TRUE(m_files.deactivate(2).stored);
        EXPECT_EQ(logbookOnDisk(),
                  plainLogbook({kTen, {kTwenty.dat1, kTwenty.dat2, kTwenty.tacho1, kTwenty.tacho2, kTwenty.art, "j"}}));
    }
}

TEST_F(LogbookFile, EmptyFileGetsTheSixteenFieldsSoThatTheFirstEntryIsKept) {
    writeFile("kfzfb.002", "");
    ASSERT_FALSE(m_files.open().error);
    EXPECT_EQ(m_state.TripTable.FieldCount(), 16);
    EXPECT_EQ(file("kfzfb.002"), ""); // 0 bytes stay 0 bytes until an entry is made
    appendTripRow(m_state.TripTable, input(QStringLiteral("Berlin"), 5, 6), "B-XY 1");
    ASSERT_TRUE(m_files.storeNewEntry().stored);
    EXPECT_EQ(logbookOnDisk().substr(0, kTripHeader.size()), kTripHeader);
}

TEST_F(LogbookFile, DamagedLogbookIsKeptAsItLayOnDiskBeforeAnythingIsWritten) {
    // A Ctrl-Z inside the second entry: the reader stops there.
    std::string plain = plainLogbook({kTen, kTwenty});
    plain.insert(kTripHeader.size() + tripRow(1, kTen).size() + 5, 1, '\x1A');
    writeFile("kfzfb.002", enciphered(plain));
    const LogbookFiles::Opened opened = m_files.open();
    EXPECT_FALSE(opened.error);
    EXPECT_EQ(file("kfzfb.002.beschaedigt-10.12.2026-14-05-09"), enciphered(plain));
    ASSERT_EQ(m_state.notices.size(), 1u);
    EXPECT_TRUE(m_state.notices[0].startsWith(QStringLiteral("Die Datei kfzfb.002 war beschädigt")));
}

TEST_F(LogbookFile, UnreadableLogbookIsReportedAndNeverWritten) {
    ASSERT_EQ(::mkfifo(m_state.path("kfzfb.002").toLocal8Bit().constData(), 0600), 0); // would hold a reader up
    const LogbookFiles::Opened opened = m_files.open();
    ASSERT_TRUE(opened.error);
    EXPECT_TRUE(opened.error->startsWith(QStringLiteral("Die Datei kfzfb.002 konnte nicht gelesen werden.")));
    EXPECT_FALSE(m_files.writable());
    appendTripRow(m_state.TripTable, input(QStringLiteral("Berlin"), 5, 6), "B-XY 1");
    EXPECT_FALSE(m_files.storeNewEntry().stored);
    EXPECT_EQ(m_state.TripTable.RowCount(), 0);
    EXPECT_FALSE(QFileInfo(m_state.path("kfzfb.002")).isFile());
}

TEST_F(LogbookFile, FailedSaveLeavesFileAndTableAsTheyWere) {
    const std::string before = enciphered(plainLogbook({kTen, kTwenty}));
    writeFile("kfzfb.002", before);
    ASSERT_FALSE(m_files.open().error);
    appendTripRow(m_state.TripTable, input(QStringLiteral("Potsdam"), 1030, 1040), "B-XY 1");
    LogbookFiles::Stored stored;
    {
        const FileSizeLimit limit(100); // smaller than the new file
        stored = m_files.storeNewEntry();
    }
    EXPECT_FALSE(stored.stored);
    ASSERT_TRUE(stored.error);
    EXPECT_TRUE(stored.error->startsWith(QStringLiteral("Die Datei kfzfb.002 konnte nicht gespeichert werden.")));
    EXPECT_EQ(m_state.TripTable.RowCount(), 2);
    EXPECT_EQ(file("kfzfb.002"), before);
    {
        const FileSizeLimit limit(100);
        EXPECT_FALSE(m_files.deactivate(2).stored);
    }
    m_state.TripTable.GoToRow(2);
    EXPECT_EQ(m_state.TripTable.GetValue("daktiv"), "");
}

TEST_F(LogbookFile, DeletingRemovesLogbookAndFingerprintsAndNumberingStartsAgain) {
    ASSERT_FALSE(m_files.open().error);
    for (int i = 0; i < 2; ++i) {
        appendTripRow(m_state.TripTable, input(QStringLiteral("Berlin"), 10 * i, 10 * i + 5), "B-XY 1");
        ASSERT_TRUE(m_files.storeNewEntry().stored);
    }
    EXPECT_FALSE(m_files.deleteAll());
    EXPECT_FALSE(QFile::exists(m_state.path("kfzfb.002")));
    EXPECT_FALSE(QFile::exists(m_state.path("kfzfbp.002")));
    ASSERT_FALSE(m_files.open().error);
    appendTripRow(m_state.TripTable, input(QStringLiteral("Berlin"), 50, 60), "B-XY 1");
    ASSERT_TRUE(m_files.storeNewEntry().stored);
    EXPECT_EQ(logbookOnDisk().substr(kTripHeader.size(), 2), "1;");
    EXPECT_EQ(file("kfzfbp.002").substr(0, 11), "nr;hash\r\n1;");
    EXPECT_EQ(m_files.open().changedEntry, std::nullopt);
}

TEST_F(LogbookFile, OtherVehicleSeesNothingOfTheFirstOnesTrips) {
    writeFile("kfzfb.002", enciphered(plainLogbook({kTen, kTwenty})));
    ASSERT_FALSE(m_files.open().error);
    ASSERT_EQ(m_state.TripTable.RowCount(), 2);
    m_state.CurTripFile = "kfzfb.003";
    ASSERT_FALSE(m_files.open().error);
    EXPECT_EQ(m_state.TripTable.RowCount(), 0);
    EXPECT_EQ(m_state.TripTable.FieldCount(), 16);
}

TEST_F(LogbookFile, VehicleWithoutALogbookNameIsToldSoAndNothingIsWritten) {
    m_state.CurCostFile = "kfzdat.002";
    m_state.CurTripFile.clear();
    const LogbookFiles::Opened opened = m_files.open();
    ASSERT_TRUE(opened.error);
    EXPECT_TRUE(opened.error->contains(QStringLiteral("keine Fahrtenbuchdatei")));
    appendTripRow(m_state.TripTable, input(QStringLiteral("Berlin"), 5, 6), "B-XY 1");
    EXPECT_FALSE(m_files.storeNewEntry().stored);
    EXPECT_EQ(QDir(dataDir()).entryList(QDir::Files).size(), 0);
}

// A process storing trips one after the other, killed at a random moment: the file on disk always
// deciphers to a whole logbook, never to plain or mixed bytes, and no temporary is left beside it.
TEST_F(LogbookFile, KilledWhileStoringLeavesAWholeEncipheredLogbook) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 8; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(ready[0]);
            LogbookFiles files(m_state);
            (void)files.open();
            (void)!::write(ready[1], "r", 1);
            for (int i = 0;; ++i) {
                appendTripRow(m_state.TripTable, input(QStringLiteral("Ort"), 10 * i, 10 * i + 5), "B-XY 1");
                (void)files.storeNewEntry();
            }
        }
        ::close(ready[1]);
        char c = 0;
        ASSERT_EQ(::read(ready[0], &c, 1), 1);
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + random() % 120));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);

        const std::string stored = file("kfzfb.002");
        if (stored.empty()) continue; // killed before the first entry
        ASSERT_FALSE(isPlainLogbook(stored));
        TMlb2 trips;
        trips.LoadFromBytes(plainLogbookBytes(stored));
        ASSERT_TRUE(trips.LoadedWhole()) << round;
        ASSERT_EQ(trips.FieldCount(), 16);
        for (int row = 1; row <= trips.RowCount(); ++row) ASSERT_EQ(trips.ValueAt(row, 0), std::to_string(row));
    }
    removeSaveLeftovers(dataDir());
    for (const QString& name : QDir(dataDir()).entryList(QDir::Files))
        EXPECT_TRUE(name == "kfzfb.002" || name == "kfzfbp.002") << name.toStdString();
}

// ---- fingerprints

class Fingerprints : public LogbookTest {
protected:
    void SetUp() override {
        LogbookTest::SetUp();
        ASSERT_FALSE(m_files.open().error);
        for (int i = 0; i < 3; ++i) {
            appendTripRow(m_state.TripTable, input(QStringLiteral("Ort %1").arg(i), 100 * i, 100 * i + 50), "B-XY 1");
            ASSERT_TRUE(m_files.storeNewEntry().stored);
        }
    }
    // Changes the logbook the way a person would: decipher, edit, encipher.
    void editOnDisk(const std::string& from, const std::string& to) {
        std::string plain = logbookOnDisk();
        const std::size_t at = plain.find(from);
        ASSERT_NE(at, std::string::npos);
        plain.replace(at, from.size(), to);
        writeFile("kfzfb.002", enciphered(plain));
    }
};

TEST_F(Fingerprints, UnchangedLogbookAndDeactivationsAreNoBreak) {
    EXPECT_EQ(m_files.open().changedEntry, std::nullopt);
    ASSERT_TRUE(m_files.deactivate(3).stored);
    ASSERT_TRUE(m_files.deactivate(2).stored);
    const LogbookFiles::Opened opened = m_files.open();
    EXPECT_EQ(opened.changedEntry, std::nullopt);
    EXPECT_EQ(m_files.fingerprints().RowCount(), 5); // each deactivation added a row
}

TEST_F(Fingerprints, ChangedByteIsReportedWithTheEntrysNumber) {
    editOnDisk("Ort 1", "Ort 9");
    EXPECT_EQ(m_files.open().changedEntry, 2);
    EXPECT_EQ(changedEntryWarning(2),
              QStringLiteral("Achtung: Eintrag L.Nr. 2 wurde außerhalb von Wagenwart verändert."));
}

TEST_F(Fingerprints, DeactivationOutsideTheProgramIsABreak) {
    editOnDisk("B-XY 1;\r\n", "B-XY 1;j\r\n"); // the first entry's mark
    EXPECT_EQ(m_files.open().changedEntry, 1);
}

TEST_F(Fingerprints, RemovedEntryIsABreak) {
    const std::string plain = logbookOnDisk();
    writeFile("kfzfb.002", enciphered(plain.substr(0, plain.rfind("\r\n3;") + 2)));
    EXPECT_EQ(m_files.open().changedEntry, 3);
}

TEST_F(Fingerprints, EntryAddedOutsideTheProgramIsABreak) {
    std::string plain = logbookOnDisk();
    plain += "4;10.12.2026;10.12.2026;10:00;11:00;300 KM;310 KM;A;;B;;;privat;Max;B-XY 1;\r\n";
    writeFile("kfzfb.002", enciphered(plain));
    EXPECT_EQ(m_files.open().changedEntry, 4);
}

TEST_F(Fingerprints, OlderLogbookGetsAChainThatStartsWithItsPresentState) {
    QFile::remove(m_state.path("kfzfbp.002"));
    const std::string logbook = file("kfzfb.002");
    const LogbookFiles::Opened opened = m_files.open();
    EXPECT_EQ(opened.chainStartedAt, 3);
    EXPECT_EQ(opened.changedEntry, std::nullopt);
    EXPECT_EQ(file("kfzfb.002"), logbook); // the logbook itself is never changed by this
    EXPECT_EQ(m_files.takeChainStart(), 3);
    EXPECT_EQ(m_files.takeChainStart(), std::nullopt); // said once
    EXPECT_EQ(chainStartNotice(3), QStringLiteral("Prüfkette ab Eintrag L.Nr. 3"));
    EXPECT_FALSE(m_files.open().chainStartedAt);
    editOnDisk("Ort 0", "Ort X");
    EXPECT_EQ(m_files.open().changedEntry, 1);
}

TEST_F(Fingerprints, ShortFingerprintIsTheFirstSixteenDigitsInGroupsOfFour) {
    const std::string hash = m_files.fingerprintOf(3);
    ASSERT_EQ(hash.size(), 64u);
    EXPECT_EQ(hash, m_files.fingerprints().ValueAt(3, 1));
    EXPECT_EQ(shortFingerprint("0123456789abcdef0123"), QStringLiteral("Prüfsumme: 0123 4567 89ab cdef"));
    EXPECT_EQ(m_files.fingerprintOf(9), "");
}

} // namespace
