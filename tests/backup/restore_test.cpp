// The restore: an archive read and checked whole before anything is touched, the data as it was
// archived first, then the data directory replaced and taken up.

#include "backup/backup_fixture.h"
#include "backup/restore.h"
#include "core/clock.h"
#include "support/file_size_limit.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace {

const QDateTime kNow(QDate(2024, 3, 8), QTime(14, 5, 9));

class RestoreTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_data.isValid() && m_documents.isValid());
        writeFiles(dataDir(), m_original);
    }
    QString dataDir() const { return m_data.path() + QLatin1Char('/'); }
    QString documents() const { return m_documents.path(); }
    QString beforeRestore() const {
        return QDir(documents()).filePath(QStringLiteral("kfz_vor_Ruecksicherung_08.03.2024_14-05-09.z"));
    }
    RestoreContext context() {
        RestoreContext c{dataDir(), m_clock, m_prompts, documents(), [this] { ++m_takenUp; }, {}};
        c.events.decompressing = [this](const QString& file) { m_named.push_back(file); };
        return c;
    }

    const FolderFiles m_original = {{"kfzdata.csv", csvLines(3, 1)},
                                    {"kfz.ini", "[Optionen]\r\nStartSound=nein\r\n"},
                                    {"kfzdat.001", csvLines(300, 7)},
                                    {"Bilder/golf.txt", "Golf"}};
    QTemporaryDir m_data, m_documents;
    FixedClock m_clock{kNow};
    ScriptedPrompts m_prompts;
    int m_takenUp = 0;
    std::vector<QString> m_named;
};

TEST(BackupNames, TheDefaultTargetIsTheDocumentsFolderAndTodaysDate) {
    EXPECT_EQ(defaultBackupTarget(QStringLiteral("/home/anna/Dokumente"), QDate(2024, 3, 8)),
              QDir::toNativeSeparators(QStringLiteral("/home/anna/Dokumente/kfz_08.03.2024.z")));
    EXPECT_TRUE(defaultBackupTarget(QStringLiteral("/home/anna/Dokumente/"), QDate(2024, 3, 8))
                    .endsWith(QDir::toNativeSeparators(QStringLiteral("/kfz_08.03.2024.z"))));
    EXPECT_EQ(preRestoreArchivePath(QStringLiteral("/d"), kNow),
              QDir::toNativeSeparators(QStringLiteral("/d/kfz_vor_Ruecksicherung_08.03.2024_14-05-09.z")));
}

TEST_F(RestoreTest, BringsBackEveryFileAndKeepsTheStateBeforeAsAnArchive) {
    const QString backup = QDir(documents()).filePath(QStringLiteral("kfz_08.03.2024.z"));
    ASSERT_EQ(compressDirectory(dataDir(), backup), std::nullopt);
    // The data change after the backup: a file changed, one added, one gone.
    const FolderFiles changed = {{"kfzdata.csv", csvLines(4, 1)},
                                 {"kfz.ini", "[Optionen]\r\nStartSound=nein\r\n"},
                                 {"kfzdat.001", csvLines(310, 7)},
                                 {"kfzdat.002", csvLines(10, 2)}};
    QFile::remove(dataDir() + "Bilder/golf.txt");
    writeFiles(dataDir(), changed);
    ASSERT_EQ(readFiles(dataDir()), changed);

    m_prompts.answers = {true};
    ASSERT_TRUE(restoreFromArchive(context(), backup));

    EXPECT_EQ(readFiles(dataDir()), m_original);
    EXPECT_EQ(m_takenUp, 1);
    ASSERT_EQ(m_prompts.prompts.size(), 2u);
    const ScriptedPrompts::Prompt& ask = m_prompts.prompts[0];
    EXPECT_EQ(ask.kind, ScriptedPrompts::Kind::Confirm);
    EXPECT_EQ(ask.title, "Rück-Sicherung");
    EXPECT_EQ(ask.instruction, " Klicken Sie Ja nur wenn Sie sicher sind.");
    EXPECT_EQ(ask.message, QStringLiteral("Möchten Sie die Daten des Programms durch die Datensicherung %1 ersetzen ?")
                               .arg(QDir::toNativeSeparators(backup)));
    EXPECT_EQ(m_prompts.prompts[1].kind, ScriptedPrompts::Kind::Information);
    EXPECT_EQ(m_prompts.prompts[1].message,
              QStringLiteral("Die Daten wurden aus %1 wiederhergestellt.").arg(QDir::toNativeSeparators(backup)));
    EXPECT_EQ(m_named, (std::vector<QString>{"Bilder/golf.txt", "kfz.ini", "kfzdat.001", "kfzdata.csv"}));

    // The state before the restore can itself be restored.
    const ArchiveRead before = readArchive(beforeRestore());
    ASSERT_EQ(before.error, std::nullopt);
    FolderFiles archived;
    for (const ArchiveEntry& e : before.entries) archived[e.relativePath()] = e.data;
    EXPECT_EQ(archived, changed);
    m_clock.set(kNow.addSecs(60));
    m_prompts.answers = {true};
    ASSERT_TRUE(restoreFromArchive(context(), beforeRestore()));
    EXPECT_EQ(readFiles(dataDir()), changed);
}

TEST_F(RestoreTest, ANoChangesNothing) {
    const QString backup = QDir(documents()).filePath(QStringLiteral("kfz.z"));
    ASSERT_EQ(compressDirectory(dataDir(), backup), std::nullopt);
    writeFiles(dataDir(), {{"kfzdat.001", "geändert"}});
    const FolderFiles before = readFiles(dataDir());
    m_prompts.answers = {false};
    EXPECT_FALSE(restoreFromArchive(context(), backup));
    EXPECT_EQ(readFiles(dataDir()), before);
    EXPECT_EQ(m_takenUp, 0);
    EXPECT_FALSE(QFileInfo::exists(beforeRestore()));
}

TEST_F(RestoreTest, WhenTheStateBeforeCannotBeArchivedNothingIsReplaced) {
    const QString backup = QDir(documents()).filePath(QStringLiteral("kfz.z"));
    writeFiles(documents(), {{"kfz.z", archiveEntryBytes("", "kfzdata.csv", "nur das")}});
    m_prompts.answers = {true};
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(restoreFromArchive(context(), backup));
    }
    EXPECT_EQ(readFiles(dataDir()), m_original);
    EXPECT_EQ(m_takenUp, 0);
    ASSERT_EQ(m_prompts.last()->kind, ScriptedPrompts::Kind::Error);
    EXPECT_TRUE(m_prompts.last()->message.startsWith(
        QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.").arg(QDir::toNativeSeparators(beforeRestore()))))
        << m_prompts.last()->message.toStdString();
    EXPECT_TRUE(m_prompts.last()->message.endsWith("Die Rück-Sicherung wurde nicht durchgeführt."));
}

TEST_F(RestoreTest, AFileThatCannotBeWrittenIsSaidWithWhereTheStateBeforeLies) {
    const std::string big = csvLines(3000, 9); // far over the limit below, its stream far under it
    const QString backup = QDir(documents()).filePath(QStringLiteral("kfz.z"));
    ASSERT_TRUE(writeBytes(backup, archiveEntryBytes("", "kfzdat.001", big) +
                                       archiveEntryBytes("", "kfzdata.csv", csvLines(3, 1))));
    m_prompts.answers = {true};
    {
        FileSizeLimit limit(40000);
        EXPECT_TRUE(restoreFromArchive(context(), backup));
    }
    // The file that failed is as it was; the program works on what is on the disk.
    EXPECT_EQ(readBytes(dataDir() + "kfzdat.001"), m_original.at("kfzdat.001"));
    EXPECT_EQ(m_takenUp, 1);
    ASSERT_EQ(m_prompts.last()->kind, ScriptedPrompts::Kind::Error);
    EXPECT_TRUE(m_prompts.last()->message.startsWith(QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.")
                                                         .arg(QDir::toNativeSeparators(dataDir() + "kfzdat.001"))));
    EXPECT_TRUE(m_prompts.last()->message.endsWith(QStringLiteral("Die Daten vor der Rück-Sicherung liegen in %1.")
                                                       .arg(QDir::toNativeSeparators(beforeRestore()))));
    // And from there they come back whole.
    m_prompts.answers = {true};
    m_clock.set(kNow.addSecs(1));
    ASSERT_TRUE(restoreFromArchive(context(), beforeRestore()));
    EXPECT_EQ(readFiles(dataDir()), m_original);
}

TEST_F(RestoreTest, AnArchiveThatCannotBeReadIsSaidWithTheReason) {
    const QString pipe = QDir(documents()).filePath(QStringLiteral("pipe.z"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(restoreFromArchive(context(), pipe));
    ASSERT_EQ(m_prompts.prompts.size(), 1u);
    EXPECT_EQ(m_prompts.prompts[0].message,
              QStringLiteral("Die Datei %1 konnte nicht gelesen werden.\rDie Datei ist keine gewöhnliche Datei.")
                  .arg(QDir::toNativeSeparators(pipe)));
    EXPECT_EQ(readFiles(dataDir()), m_original);
}

// Hostile and broken archives: each refused before anything is touched.
std::string le32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF), static_cast<char>((u >> 16) & 0xFF),
            static_cast<char>(u >> 24)};
}
std::string header(const std::string& path, const std::string& name, std::int32_t size, std::int32_t compressed) {
    return static_cast<char>(path.size()) + path + static_cast<char>(name.size()) + name + le32(size) +
           le32(compressed);
}
// An entry whose header is given apart from its stream of `data`.
std::string withStream(const std::string& path, const std::string& name, std::int32_t size, const std::string& data,
                       const std::string& after = "") {
    const std::string whole = archiveEntryBytes("", "x", data);
    const std::string stream = whole.substr(1 + 1 + 1 + 8);
    return header(path, name, size, static_cast<std::int32_t>(stream.size() + after.size())) + stream + after;
}
const std::string kGood = archiveEntryBytes("", "kfzdata.csv", "ID;nummer\r\n1;A-BC 1\r\n");

struct HostileArchive {
    const char* name;
    std::string bytes;
};
class HostileArchiveTest : public RestoreTest, public testing::WithParamInterface<HostileArchive> {};

TEST_P(HostileArchiveTest, IsRefusedAndTheDataStayAsTheyWere) {
    const QString archive = QDir(documents()).filePath(QStringLiteral("feind.z"));
    ASSERT_TRUE(writeBytes(archive, GetParam().bytes));
    m_prompts.answers = {true};
    EXPECT_FALSE(restoreFromArchive(context(), archive));
    ASSERT_EQ(m_prompts.prompts.size(), 1u);
    EXPECT_EQ(m_prompts.prompts[0].kind, ScriptedPrompts::Kind::Error);
    EXPECT_EQ(m_prompts.prompts[0].message,
              QStringLiteral("Die Datei %1 ist keine gültige Datensicherung.").arg(QDir::toNativeSeparators(archive)));
    EXPECT_EQ(readFiles(dataDir()), m_original);
    EXPECT_EQ(m_takenUp, 0);
    EXPECT_FALSE(QFileInfo::exists(beforeRestore()));
}

INSTANTIATE_TEST_SUITE_P(
    Archives, HostileArchiveTest,
    testing::Values(HostileArchive{"TruncatedHeader", kGood + header("", "kfzdat.001", 5, 5).substr(0, 7)},
                    HostileArchive{"TruncatedPath", kGood + std::string("\x10"
                                                                        "ab",
                                                                        3)},
                    HostileArchive{"StreamBeyondTheFile", kGood + header("", "x", 100, 50) + "abc"},
                    HostileArchive{"NegativeSize", kGood + withStream("", "x", -1, "abc")},
                    HostileArchive{"NegativeStreamSize", kGood + header("", "x", 0, -4)},
                    HostileArchive{"ParentFolder", kGood + withStream("..\\", "x", 3, "abc")},
                    HostileArchive{"ParentInTheMiddle", kGood + withStream("a\\..\\..\\", "x", 3, "abc")},
                    HostileArchive{"LeadingBackslash", kGood + withStream("\\", "abs", 3, "abc")},
                    HostileArchive{"SlashInTheName", kGood + withStream("", "/abs", 3, "abc")},
                    HostileArchive{"DriveLetterName", kGood + withStream("", "c:x", 3, "abc")},
                    HostileArchive{"DriveLetterPath", kGood + withStream("c:\\", "x", 3, "abc")},
                    HostileArchive{"PathWithoutBackslashAtItsEnd", kGood + withStream("s", "x", 3, "abc")},
                    HostileArchive{"EmptyName", kGood + withStream("", "", 3, "abc")},
                    HostileArchive{"DeviceName", kGood + withStream("", "NUL", 3, "abc")},
                    HostileArchive{"InflatesToMore", kGood + withStream("", "x", 2, "abc")},
                    HostileArchive{"InflatesToLess", kGood + withStream("", "x", 4, "abc")},
                    HostileArchive{"ClaimsFarMoreThanItCanHold", kGood + withStream("", "x", 2000000000, "abc")},
                    HostileArchive{"DamagedStream", kGood + withStream("", "x", 3, "abc").substr(0, 17) + "\x01" +
                                                        withStream("", "x", 3, "abc").substr(18)},
                    HostileArchive{"BytesAfterTheStream", kGood + withStream("", "x", 3, "abc", "!")},
                    HostileArchive{"SizeWithoutStream", kGood + header("", "x", 3, 0)},
                    HostileArchive{"TrailingByte", kGood + std::string(1, '\0')},
                    HostileArchive{"SameFileTwice", kGood + archiveEntryBytes("", "KFZDATA.CSV", "b")},
                    HostileArchive{"FileAndFolderOfOneName",
                                   kGood + archiveEntryBytes("", "s", "a") + archiveEntryBytes("s\\", "c", "b")},
                    HostileArchive{"NoVehicleTable", archiveEntryBytes("", "kfzdat.001", "abc")},
                    HostileArchive{"Empty", ""}),
    [](const testing::TestParamInfo<HostileArchive>& info) { return std::string(info.param.name); });

TEST_F(RestoreTest, FilesInSubfoldersAndEmptyFilesComeBack) {
    const FolderFiles files = {{"kfzdata.csv", "v"}, {"leer", ""}, {"a/b/c", "tief"}};
    const std::string bytes = archiveEntryBytes("", "kfzdata.csv", "v") + archiveEntryBytes("", "leer", "") +
                              archiveEntryBytes("a\\b\\", "c", "tief");
    const QString archive = QDir(documents()).filePath(QStringLiteral("kfz.z"));
    ASSERT_TRUE(writeBytes(archive, bytes));
    m_prompts.answers = {true};
    ASSERT_TRUE(restoreFromArchive(context(), archive));
    EXPECT_EQ(readFiles(dataDir()), files);
}

} // namespace
