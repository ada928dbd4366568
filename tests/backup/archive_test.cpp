// The backup archive written from real folders and read back with zlib itself.

#include "backup/backup_archive.h"
#include "backup/backup_fixture.h"
#include "support/file_size_limit.h"

#include <QFile>

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class ArchiveTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_data.isValid() && m_out.isValid()); }
    QString data() const { return m_data.path(); }
    QString target() const { return m_out.filePath(QStringLiteral("kfz.z")); }
    std::string archive() const { return readBytes(target()); }

    QTemporaryDir m_data, m_out;
};

std::string inflated(const RawEntry& e) {
    std::string out(static_cast<std::size_t>(e.size), '\0');
    uLongf size = static_cast<uLongf>(out.size());
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(e.stream.data()),
                         static_cast<uLong>(e.stream.size())),
              Z_OK);
    EXPECT_EQ(size, out.size());
    return out;
}

std::string int32(std::uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
            static_cast<char>(v >> 24)};
}

// An entry as the format describes it, its stream made by zlib's one-call compress2 at level -1.
std::string expectedEntry(const std::string& path, const std::string& name, const std::string& data) {
    std::string stream;
    if (!data.empty()) {
        uLongf size = compressBound(static_cast<uLong>(data.size()));
        stream.resize(size);
        EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(stream.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
                            static_cast<uLong>(data.size()), Z_DEFAULT_COMPRESSION),
                  Z_OK);
        stream.resize(size);
    }
    return static_cast<char>(path.size()) + path + static_cast<char>(name.size()) + name +
           int32(static_cast<std::uint32_t>(data.size())) + int32(static_cast<std::uint32_t>(stream.size())) + stream;
}

TEST_F(ArchiveTest, FilesAndASubfolderGiveOneEntryEachWithTheFoldersPath) {
    writeFiles(data(), {{"a", "erste Datei"}, {"b", "zweite Datei"}, {"s/c", "dritte Datei"}});
    ASSERT_EQ(compressDirectory(data(), target()), std::nullopt);

    const std::vector<RawEntry> entries = rawEntries(archive());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].path, "");
    EXPECT_EQ(entries[0].name, "a");
    EXPECT_EQ(entries[1].path, "");
    EXPECT_EQ(entries[1].name, "b");
    EXPECT_EQ(entries[2].path, "s\\");
    EXPECT_EQ(entries[2].name, "c");
    EXPECT_EQ(inflated(entries[2]), "dritte Datei");
}

TEST_F(ArchiveTest, AnEmptyFileHasSizesZeroAndNoStream) {
    writeFiles(data(), {{"leer.txt", ""}});
    ASSERT_EQ(compressDirectory(data(), target()), std::nullopt);
    EXPECT_EQ(archive(), std::string("\0\x08leer.txt\0\0\0\0\0\0\0\0", 18));
}

TEST_F(ArchiveTest, InflatingEveryEntryGivesEveryFileBackByteForByte) {
    std::mt19937 random(42);
    std::string noise(5000, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    const FolderFiles files = {{"kfzdata.csv", csvLines(40, 1)},
                               {"kfzdat.001", csvLines(3000, 7)}, // many 1024-byte blocks
                               {"bild.bin", noise},               // bytes that do not compress
                               {"Block.txt", std::string(1024, 'x')},
                               {"leer", ""},
                               {".versteckt", "auch versteckte Dateien"},
                               {"Fotos/Urlaub/Ansicht.txt", "Gr\xFC\xDF"
                                                            "e"},
                               {"Fotos/München.txt", "Stadt"}};
    writeFiles(data(), files);
    ASSERT_EQ(compressDirectory(data(), target()), std::nullopt);

    FolderFiles back;
    for (const RawEntry& e : rawEntries(archive())) {
        QString relative = QString::fromLatin1(e.path + e.name);
        relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
        back[relative] = e.size == 0 ? std::string() : inflated(e);
    }
    EXPECT_EQ(back, readFiles(data()));
    // The names are stored in Windows-1252: one byte for the umlaut.
    EXPECT_TRUE(back.count(QStringLiteral("Fotos/M\u00FCnchen.txt")));
}

TEST_F(ArchiveTest, IsByteForByteTheFormatWithEachStreamAsCompress2MakesIt) {
    const std::string big = csvLines(200, 3); // several blocks fed one after the other
    writeFiles(data(), {{"kfz.ini", "[Optionen]\r\nStartSound=nein\r\n"},
                        {"Archiv/kfzdat.001", big},
                        {"Archiv/leer.txt", ""},
                        {"kfzdata.csv", csvLines(2, 1)}});
    ASSERT_EQ(compressDirectory(data(), target()), std::nullopt);
    // By name, letter case ignored; a folder's files where the folder is met.
    const std::string expected = expectedEntry("Archiv\\", "kfzdat.001", big) +
                                 expectedEntry("Archiv\\", "leer.txt", "") +
                                 expectedEntry("", "kfz.ini", "[Optionen]\r\nStartSound=nein\r\n") +
                                 expectedEntry("", "kfzdata.csv", csvLines(2, 1));
    EXPECT_EQ(archive(), expected);
    EXPECT_EQ(archiveEntryBytes("Archiv\\", "kfzdat.001", big), expectedEntry("Archiv\\", "kfzdat.001", big));
}

TEST_F(ArchiveTest, AnEmptyFolderGivesAnArchiveOfNoBytes) {
    QDir(data()).mkpath(QStringLiteral("leer/auch_leer"));
    ASSERT_TRUE(writeBytes(target(), "alte Sicherung"));
    ASSERT_EQ(compressDirectory(data(), target()), std::nullopt);
    EXPECT_TRUE(QFileInfo(target()).isFile());
    EXPECT_EQ(archive(), "");
}

TEST_F(ArchiveTest, ReportsEachFileAndItsProgressBlockByBlock) {
    writeFiles(data(), {{"a", std::string(2500, 'a')}, {"s/c", "c"}});
    std::vector<QString> files;
    std::vector<std::pair<std::int64_t, std::int64_t>> steps;
    ArchiveEvents events;
    events.compressing = [&](const QString& path) { files.push_back(path); };
    events.progress = [&](std::int64_t done, std::int64_t size) { steps.emplace_back(done, size); };
    ASSERT_EQ(compressDirectory(data(), target(), events), std::nullopt);
    EXPECT_EQ(files, (std::vector<QString>{QDir(data()).filePath("a"), QDir(data()).filePath("s/c")}));
    EXPECT_EQ(steps,
              (std::vector<std::pair<std::int64_t, std::int64_t>>{{1024, 2500}, {2048, 2500}, {2500, 2500}, {1, 1}}));
}

TEST_F(ArchiveTest, ReadsBackWhatItWrote) {
    const FolderFiles files = {{"a", csvLines(500, 2)}, {"leer", ""}, {"s/t/c", "tief"}};
    writeFiles(data(), files);
    ASSERT_EQ(compressDirectory(data(), target()), std::nullopt);
    const ArchiveRead read = readArchive(target());
    ASSERT_EQ(read.error, std::nullopt);
    FolderFiles back;
    for (const ArchiveEntry& e : read.entries) back[e.relativePath()] = e.data;
    EXPECT_EQ(back, files);
}

// What stops a backup: the message names the file, and the old archive stays as it was.
struct BackupFault {
    const char* name;
    std::function<void(const QString& dir)> make;
    std::string messagePart;   // the file the message names, relative to the data directory
    const char* messageReason; // a piece of the reason
};

class BackupFaultTest : public ArchiveTest, public testing::WithParamInterface<BackupFault> {};

TEST_P(BackupFaultTest, StopsTheBackupAndKeepsTheOldArchive) {
    writeFiles(data(), {{"kfzdata.csv", csvLines(5, 1)}, {"z_letzte", "z"}});
    GetParam().make(data());
    ASSERT_TRUE(writeBytes(target(), "alte Sicherung"));
    bool compressedAfterFault = false;
    ArchiveEvents events;
    events.compressing = [&](const QString& path) { compressedAfterFault |= path.endsWith("z_letzte"); };
    const std::optional<QString> failure = compressDirectory(data(), target(), events);
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->contains(
        QDir::toNativeSeparators(QDir(data()).filePath(QString::fromStdString(GetParam().messagePart)))))
        << failure->toStdString();
    EXPECT_TRUE(failure->contains(QString::fromUtf8(GetParam().messageReason))) << failure->toStdString();
    EXPECT_TRUE(failure->endsWith("Es wurde keine Datensicherung angelegt."));
    EXPECT_FALSE(compressedAfterFault);
    EXPECT_EQ(archive(), "alte Sicherung");
    EXPECT_EQ(QDir(m_out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kfz.z"});
}

const std::string kLongLevel(130, 'v');

INSTANTIATE_TEST_SUITE_P(
    Faults, BackupFaultTest,
    testing::Values(BackupFault{"Pipe",
                                [](const QString& dir) {
                                    ASSERT_EQ(::mkfifo(QFile::encodeName(dir + "/pipe").constData(), 0600), 0);
                                },
                                "pipe", "keine gewöhnliche Datei"},
                    BackupFault{"LinkToNothing",
                                [](const QString& dir) { ASSERT_TRUE(QFile::link(dir + "/fehlt", dir + "/verweis")); },
                                "verweis", "No such file"},
                    BackupFault{
                        "PathOver255Bytes",
                        [](const QString& dir) {
                            writeFiles(dir, {{QString::fromStdString(kLongLevel + "/" + kLongLevel + "/datei"), "x"}});
                        },
                        kLongLevel + "/" + kLongLevel, "länger als 255 Zeichen"},
                    BackupFault{"NameOutsideTheCodePage",
                                [](const QString& dir) {
                                    writeFiles(dir, {{QStringLiteral("\u03A9mega.txt"), "x"}});
                                },
                                "\u03A9mega.txt", "nicht aufnehmen"}),
    [](const testing::TestParamInfo<BackupFault>& info) { return std::string(info.param.name); });

TEST_F(ArchiveTest, AWriteFailureKeepsTheOldArchive) {
    writeFiles(data(), {{"kfzdat.001", csvLines(2000, 5)}});
    ASSERT_TRUE(writeBytes(target(), "alte Sicherung"));
    std::optional<QString> failure;
    {
        FileSizeLimit limit(1000);
        failure = compressDirectory(data(), target());
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->startsWith(
        QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.").arg(QDir::toNativeSeparators(target()))))
        << failure->toStdString();
    EXPECT_EQ(archive(), "alte Sicherung");
    EXPECT_EQ(QDir(m_out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kfz.z"});
}

struct NameCase {
    const char* name;
    const char* text;
    bool storable;
};
class StorableNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(StorableNameTest, AcceptsOnlyNamesEverySystemCanHold) {
    EXPECT_EQ(isStorableName(GetParam().text), GetParam().storable);
}

INSTANTIATE_TEST_SUITE_P(
    Names, StorableNameTest,
    testing::Values(NameCase{"DataFile", "kfzdat.001", true}, NameCase{"Umlaut", "M\xFCnchen.txt", true},
                    NameCase{"DotInside", "a.b.c", true}, NameCase{"Empty", "", false}, NameCase{"Dot", ".", false},
                    NameCase{"DotDot", "..", false}, NameCase{"DriveLetter", "c:", false},
                    NameCase{"Slash", "a/b", false}, NameCase{"Backslash", "a\\b", false},
                    NameCase{"Question", "a?", false}, NameCase{"ControlCharacter", "a\tb", false},
                    NameCase{"TrailingBlank", "a ", false}, NameCase{"TrailingDot", "a.", false},
                    NameCase{"Device", "NUL", false}, NameCase{"DeviceWithSuffix", "com1.txt", false},
                    NameCase{"LikeADevice", "console", true}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

} // namespace
