// The removable medium, a temporary folder standing in for the drive: the data and the program
// copied onto it, the data taken back, and the program run from it.

#include "backup/backup_fixture.h"
#include "backup/removable_medium.h"
#include "backup/restore.h"
#include "core/clock.h"
#include "core/data_dir.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace {

class MediumTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_data.isValid() && m_drive.isValid() && m_documents.isValid());
        writeFiles(dataDir(), m_files);
    }
    QString dataDir() const { return m_data.path() + QLatin1Char('/'); }
    QString drive() const { return m_drive.path(); }
    QString onDrive(const char* relative) const { return QDir(drive()).filePath(QLatin1String(relative)); }

    const FolderFiles m_files = {{"kfzdata.csv", csvLines(3, 1)}, {"kfzdat.001", csvLines(50, 2)}, {"sub/notiz", "n"}};
    QTemporaryDir m_data, m_drive, m_documents;
    FixedClock m_clock{QDateTime(QDate(2024, 3, 8), QTime(10, 0))};
    ScriptedPrompts m_prompts;
};

TEST_F(MediumTest, TheDataGoIntoWagenwartDatenOnTheDriveAndReplaceAnOlderCopy) {
    writeFiles(onDrive("Wagenwart/Daten"), {{"kfzdat.009", "von einem anderen Rechner"}, {"kfzdata.csv", "alt"}});
    std::vector<QString> named;
    ASSERT_EQ(copyDataToMedium(dataDir(), drive(), [&](const QString& f) { named.push_back(f); }), std::nullopt);
    EXPECT_EQ(readFiles(onDrive("Wagenwart/Daten")), m_files);
    EXPECT_EQ(named.size(), 3u);
    EXPECT_EQ(mediumDataFolder(drive()), QDir::toNativeSeparators(drive() + "/Wagenwart/Daten/"));
}

TEST_F(MediumTest, TheProgramGoesIntoWagenwartAndStaysExecutable) {
    QTemporaryDir program;
    writeFiles(program.path(), {{"wagenwart", "\x7F"
                                              "ELF..."},
                                {"Wagenwart.pdf", "%PDF-1.4"},
                                {"andere.txt", "x"}});
    const QString exe = QDir(program.path()).filePath("wagenwart");
    ASSERT_TRUE(QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QStringList files = programFiles(program.path(), exe);
    EXPECT_EQ(files, (QStringList{exe, QDir(program.path()).filePath("Wagenwart.pdf")}));
    ASSERT_EQ(copyProgramToMedium(files, drive()), std::nullopt);
    EXPECT_EQ(readFiles(onDrive("Wagenwart")), (FolderFiles{{"wagenwart", "\x7F"
                                                                          "ELF..."},
                                                            {"Wagenwart.pdf", "%PDF-1.4"}}));
    EXPECT_TRUE(QFileInfo(onDrive("Wagenwart/wagenwart")).isExecutable());
}

TEST_F(MediumTest, TheDataComeBackFromTheDriveLikeARestore) {
    ASSERT_EQ(copyDataToMedium(dataDir(), drive()), std::nullopt);
    const FolderFiles onPc = {{"kfzdata.csv", csvLines(5, 1)}, {"kfzdat.002", "neu"}};
    QDir(dataDir()).removeRecursively();
    writeFiles(dataDir(), onPc);
    int takenUp = 0;
    const RestoreContext context{dataDir(), m_clock, m_prompts, m_documents.path(), [&] { ++takenUp; }, {}};
    m_prompts.answers = {true};
    ASSERT_TRUE(restoreFromFolder(context, mediumDataFolder(drive())));
    EXPECT_EQ(readFiles(dataDir()), m_files);
    EXPECT_EQ(takenUp, 1);
    EXPECT_EQ(m_prompts.prompts.at(0).kind, ScriptedPrompts::Kind::Confirm);
    const ArchiveRead before =
        readArchive(QDir(m_documents.path()).filePath("kfz_vor_Ruecksicherung_08.03.2024_10-00-00.z"));
    ASSERT_EQ(before.error, std::nullopt);
    ASSERT_EQ(before.entries.size(), 2u);
    EXPECT_EQ(before.entries[0].data, "neu");
}

TEST_F(MediumTest, ADriveWithoutDataOfTheProgramIsRefused) {
    writeFiles(onDrive("Wagenwart/Daten"), {{"fremd.txt", "x"}});
    const RestoreContext context{dataDir(), m_clock, m_prompts, m_documents.path(), {}, {}};
    m_prompts.answers = {true};
    EXPECT_FALSE(restoreFromFolder(context, mediumDataFolder(drive())));
    ASSERT_EQ(m_prompts.prompts.size(), 1u);
    EXPECT_EQ(m_prompts.prompts[0].message,
              QStringLiteral("Im Verzeichnis %1 liegen keine Daten von Wagenwart.").arg(mediumDataFolder(drive())));
    EXPECT_EQ(readFiles(dataDir()), m_files);
}

TEST_F(MediumTest, AProgramBesideAFolderDatenWithAVehicleTableRunsOnIt) {
    EXPECT_EQ(portableDataDir(drive() + "/Wagenwart"), QString());
    ASSERT_EQ(copyDataToMedium(dataDir(), drive()), std::nullopt);
    EXPECT_EQ(portableDataDir(drive() + "/Wagenwart"), mediumDataFolder(drive()));
    QFile::remove(onDrive("Wagenwart/Daten/kfzdata.csv"));
    EXPECT_EQ(portableDataDir(drive() + "/Wagenwart"), QString());
}

TEST(Drives, TheMountedDrivesIncludeTheRootAndAreNamed) {
    const std::vector<Drive> drives = mountedDrives();
    ASSERT_FALSE(drives.empty());
    bool root = false;
    for (const Drive& d : drives) {
        EXPECT_FALSE(d.label.isEmpty());
        root |= d.rootPath == QStringLiteral("/");
    }
    EXPECT_TRUE(root);
}

} // namespace
