#include "store/atomic_file.h"
#include "store/mlb2.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"
#include "support/forked_child.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

namespace {

// A cost-record table of `rows` rows, every tenth with a text that needs escapes.
TMlb2 recordTable(int rows, std::size_t longText = 0) {
    std::string bytes = "ID;Datum;kmstnd;preis;liter;voll;art;text\r\n";
    for (int i = 0; i < rows; ++i) {
        bytes += "3;01.02.2007;" + std::to_string(1000 + i) + ";45,10;38,5;ja;t;";
        if (i % 10 == 0) bytes += "\xd6l\\;Filter\\nneu C:\\\\";
        if (i == rows / 2) bytes += std::string(longText, 'x');
        bytes += "\r\n";
    }
    TMlb2 t;
    t.LoadFromBytes(bytes);
    return t;
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// ---- Blocks ----

struct BlockCase {
    const char* name;
    std::function<TMlb2()> table;
};
void PrintTo(const BlockCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveInBlocks : public testing::TestWithParam<BlockCase> {};

TEST_P(SaveInBlocks, FileHoldsExactlyTheTableBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kfzdat.001");
    ASSERT_TRUE(writeBytes(path, "alt\r\n"));
    TMlb2 t = GetParam().table();
    ASSERT_TRUE(t.SaveToFile(path)) << t.ErrorReason().toStdString();
    EXPECT_EQ(readBytes(path), t.ToBytes());
    EXPECT_EQ(entries(dir.path()), QStringList{"kfzdat.001"});
}

INSTANTIATE_TEST_SUITE_P(Tables, SaveInBlocks,
                         testing::Values(BlockCase{"NoFieldsEmptyFile", [] { return TMlb2(); }},
                                         BlockCase{"HeaderOnly", [] { return recordTable(0); }},
                                         BlockCase{"LessThanABlock", [] { return recordTable(20); }},
                                         BlockCase{"ManyBlocks", [] { return recordTable(20000); }},
                                         // one row longer than three blocks lies between rows of ordinary length
                                         BlockCase{"RowLongerThanABlock",
                                                   [] { return recordTable(3000, 3 * kSaveBlockSize + 7); }}),
                         [](const testing::TestParamInfo<BlockCase>& info) { return std::string(info.param.name); });

TEST(SaveBlockProducer, BlocksFollowEachOtherAndAFailureStopsTheRest) {
    QTemporaryDir dir;
    const QString path = dir.filePath("notiz.001");
    ASSERT_EQ(saveFileAtomically(path,
                                 [](const SaveBlockWriter& write) {
                                     EXPECT_TRUE(write("eins;"));
                                     EXPECT_TRUE(write(""));
                                     EXPECT_TRUE(write("zwei\r\n"));
                                 }),
              AtomicSaveResult::Ok);
    EXPECT_EQ(readBytes(path), "eins;zwei\r\n");

    // Under a limit of 1000 bytes the second block of 800 fails; a third is refused unwritten.
    std::vector<bool> accepted;
    QString reason;
    AtomicSaveResult result = AtomicSaveResult::Ok;
    {
        FileSizeLimit limit(1000);
        result = saveFileAtomically(
            path,
            [&](const SaveBlockWriter& write) {
                for (int i = 0; i < 3; ++i) accepted.push_back(write(std::string(800, 'a')));
            },
            &reason);
    }
    EXPECT_EQ(result, AtomicSaveResult::WriteFailed);
    EXPECT_EQ(accepted, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(EFBIG)));
    EXPECT_EQ(readBytes(path), "eins;zwei\r\n");
    EXPECT_EQ(entries(dir.path()), QStringList{"notiz.001"});
}

// ---- Write failures ----

struct LimitCase {
    const char* name;
    rlim_t limit; // bytes; kFileSize: exactly the size of the new file
    bool saved;
};
constexpr rlim_t kFileSize = ~rlim_t(0);
void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveUnderSizeLimit : public testing::TestWithParam<LimitCase> {};

TEST_P(SaveUnderSizeLimit, FailsWithTheSystemsReasonAndKeepsTheOldFile) {
    const LimitCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("kfzdat.001");
    const std::string old = "ID;Datum\r\n1;01.01.2020\r\n";
    ASSERT_TRUE(writeBytes(path, old));
    TMlb2 t = recordTable(8000); // about five blocks
    const std::string bytes = t.ToBytes();
    ASSERT_GT(bytes.size(), 4 * kSaveBlockSize);
    bool saved = false;
    {
        FileSizeLimit limit(c.limit == kFileSize ? bytes.size() : c.limit);
        saved = t.SaveToFile(path);
    }
    EXPECT_EQ(saved, c.saved);
    EXPECT_EQ(entries(dir.path()), QStringList{"kfzdat.001"}); // no temporary file left behind
    if (c.saved) {
        EXPECT_EQ(readBytes(path), bytes);
        return;
    }
    const QString tooLarge = QString::fromLocal8Bit(std::strerror(EFBIG)); // "File too large"
    EXPECT_EQ(t.ErrorCode(), 3);
    EXPECT_EQ(t.ErrorReason(), tooLarge);
    EXPECT_EQ(t.ErrorText(), "2-Unable to write the file: " + tooLarge);
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(t.RowCount(), 8000); // the table keeps the change
}

INSTANTIATE_TEST_SUITE_P(Limits, SaveUnderSizeLimit,
                         testing::Values(LimitCase{"NothingMayBeWritten", 0, false},
                                         LimitCase{"InsideTheFirstBlock", 8192, false},
                                         LimitCase{"AtTheEndOfTheFirstBlock", kSaveBlockSize, false},
                                         LimitCase{"InsideALaterBlock", 3 * kSaveBlockSize + 100, false},
                                         LimitCase{"OneByteShort", kFileSize - 1, false},
                                         LimitCase{"ExactlyTheFileSize", kFileSize, true}),
                         [](const testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.name); });

// A disk that fills up during the save: a small tmpfs of its own, mounted in a mount namespace
// of a child process (as root, or in a user namespace of its own otherwise).
TEST(SaveOnFullDisk, SaysSoInGermanAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString mountPoint = dir.filePath("klein");
    ASSERT_TRUE(QDir().mkdir(mountPoint));
    const std::string old = "ID;Datum\r\n1;01.01.2020\r\n";
    const std::optional<std::string> report = runInChild(
        [&](int out) {
            const bool root = ::geteuid() == 0;
            const std::string ids = "0 " + std::to_string(::geteuid()) + " 1";
            const std::string gids = "0 " + std::to_string(::getegid()) + " 1";
            if (::unshare(root ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS) != 0 ||
                (!root && !(writeBytes("/proc/self/setgroups", "deny") && writeBytes("/proc/self/uid_map", ids) &&
                            writeBytes("/proc/self/gid_map", gids))) ||
                ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") != 0) {
                writeAll(out, std::string("SKIP ") + std::strerror(errno));
                return;
            }
            const QString path = mountPoint + "/kfzdat.001";
            if (!writeBytes(path, old)) return;
            TMlb2 t = recordTable(4000); // about 260 KiB for 64 KiB of room
            const bool saved = t.SaveToFile(path);
            writeAll(out, std::string(saved ? "saved" : "failed") + "\n" + t.ErrorText().toStdString() + "\n" +
                              (readBytes(path) == old ? "old kept" : "old lost") + "\n" +
                              entries(mountPoint).join(' ').toStdString());
        },
        std::chrono::seconds(30));
    ASSERT_TRUE(report.has_value()) << "the child did not end in time";
    if (report->starts_with("SKIP")) GTEST_SKIP() << "no tmpfs of our own: " << *report;
    EXPECT_EQ(*report, "failed\n"
                       "2-Unable to write the file: Auf dem Datentr\xc3\xa4ger ist nicht genug Speicherplatz frei.\n"
                       "old kept\n"
                       "kfzdat.001");
}

// ---- What is not a regular file ----

struct OtherKindCase {
    const char* name;
    // Makes the thing and returns its path (inside `dir`, or a system path).
    std::function<QString(const QString& dir)> make;
};
void PrintTo(const OtherKindCase& c, std::ostream* os) {
    *os << c.name;
}

mode_t kindOf(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return 0;
    return st.st_mode & S_IFMT;
}

QString makeFifo(const QString& dir) {
    const QString path = dir + "/kfzdat.001";
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0 ? path : QString();
}

class SaveOntoOtherKind : public testing::TestWithParam<OtherKindCase> {};

TEST_P(SaveOntoOtherKind, IsRefusedAndNothingIsWritten) {
    QTemporaryDir dir;
    const QString path = GetParam().make(dir.path());
    ASSERT_FALSE(path.isEmpty());
    const mode_t kind = kindOf(path);
    const QStringList before = entries(dir.path());
    // A reader keeps a pipe from blocking whatever the save does, and shows whether it wrote.
    struct stat st {};
    const bool fifo = ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    const int reader = fifo ? ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK) : -1;
    EXPECT_EQ(reader >= 0, fifo);
    TMlb2 t = recordTable(10);
    EXPECT_FALSE(t.SaveToFile(path));
    EXPECT_EQ(t.ErrorCode(), 3);
    EXPECT_EQ(t.ErrorText(), "1-Unable to open the file for writing");
    EXPECT_EQ(t.ErrorReason(), "Die Datei ist keine gewöhnliche Datei.");
    EXPECT_EQ(kindOf(path), kind);
    EXPECT_EQ(entries(dir.path()), before);
    if (reader >= 0) {
        char c;
        EXPECT_LE(::read(reader, &c, 1), 0);
        ::close(reader);
    }
    EXPECT_EQ(saveFileAtomically(path, "x"), AtomicSaveResult::NotARegularFile);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SaveOntoOtherKind,
    testing::Values(OtherKindCase{"Fifo", makeFifo},
                    OtherKindCase{"LinkToFifo",
                                  [](const QString& dir) {
                                      const QString fifo = makeFifo(dir);
                                      const QString link = dir + "/kfzdat.002";
                                      return QFile::link(fifo, link) ? link : QString();
                                  }},
                    OtherKindCase{"Directory",
                                  [](const QString& dir) {
                                      return QDir(dir).mkdir("kfzdat.001") ? dir + "/kfzdat.001" : QString();
                                  }},
                    OtherKindCase{"DevFull", [](const QString&) { return QStringLiteral("/dev/full"); }},
                    OtherKindCase{"LinkToDevNull",
                                  [](const QString& dir) {
                                      const QString link = dir + "/kfzdat.001";
                                      return QFile::link("/dev/null", link) ? link : QString();
                                  }},
                    OtherKindCase{"Socket",
                                  [](const QString& dir) {
                                      const QString path = dir + "/kfzdat.001";
                                      sockaddr_un addr{};
                                      addr.sun_family = AF_UNIX;
                                      const QByteArray name = QFile::encodeName(path);
                                      if (static_cast<std::size_t>(name.size()) >= sizeof addr.sun_path)
                                          return QString();
                                      std::memcpy(addr.sun_path, name.constData(),
                                                  static_cast<std::size_t>(name.size()));
                                      const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
                                      const bool bound =
                                          ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
                                      ::close(s);
                                      return bound ? path : QString();
                                  }}),
    [](const testing::TestParamInfo<OtherKindCase>& info) { return std::string(info.param.name); });

TEST(SaveOntoLink, ALinkToARegularFileIsFollowed) {
    QTemporaryDir dir;
    ASSERT_TRUE(writeBytes(dir.filePath("ziel.csv"), "alt\r\n"));
    ASSERT_TRUE(QFile::link(dir.filePath("ziel.csv"), dir.filePath("kfzdat.001")));
    EXPECT_EQ(saveFileAtomically(dir.filePath("kfzdat.001"), "neu\r\n"), AtomicSaveResult::Ok);
    EXPECT_EQ(readBytes(dir.filePath("ziel.csv")), "neu\r\n");
    EXPECT_EQ(kindOf(dir.filePath("kfzdat.001")), S_IFLNK);
}

// ---- Leftovers of broken-off saves ----

enum class Kind { File, Directory, Link };

struct LeftoverCase {
    const char* name;
    const char* entry; // the name in the folder
    Kind kind;
    const char* beside; // a file made beside it first, or nullptr
    bool removed;
};
void PrintTo(const LeftoverCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveLeftovers : public testing::TestWithParam<LeftoverCase> {};

TEST_P(SaveLeftovers, OnlyTemporariesOfOurSavesGo) {
    const LeftoverCase& c = GetParam();
    QTemporaryDir dir;
    if (c.beside) {
        ASSERT_TRUE(writeBytes(dir.filePath(QString::fromUtf8(c.beside)), "a\r\n"));
    }
    const QString path = dir.filePath(QString::fromUtf8(c.entry));
    switch (c.kind) {
    case Kind::File:
        ASSERT_TRUE(writeBytes(path, "teil"));
        break;
    case Kind::Directory:
        ASSERT_TRUE(QDir().mkdir(path));
        break;
    case Kind::Link:
        ASSERT_TRUE(QFile::link(dir.filePath(QString::fromUtf8(c.beside)), path));
        break;
    }
    const QStringList before = entries(dir.path());
    EXPECT_EQ(removeSaveLeftovers(dir.path()), c.removed ? 1 : 0);
    QStringList expected = before;
    if (c.removed) expected.removeOne(QString::fromUtf8(c.entry));
    EXPECT_EQ(entries(dir.path()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveLeftovers,
    testing::Values(LeftoverCase{"TemporaryOfARecordFile", "kfzdat.001.aBcDeF", Kind::File, "kfzdat.001", true},
                    LeftoverCase{"TemporaryOfTheMasterTable", "kfzdata.csv.QxWvZk", Kind::File, "kfzdata.csv", true},
                    LeftoverCase{"TemporaryOfTheSettings", "kfz.ini.ZZZZZa", Kind::File, "kfz.ini", true},
                    LeftoverCase{"TemporaryWithoutItsFile", "kfzdat.002.aBcDeF", Kind::File, "kfzdat.001", false},
                    LeftoverCase{"NumberedUserFile", "kfzdat.001", Kind::File, "kfzdat", false},
                    LeftoverCase{"BackupWithDigit", "notiz.backup1", Kind::File, "notiz", false},
                    LeftoverCase{"WordInLowerCase", "kfzdata.csv.backup", Kind::File, "kfzdata.csv", false},
                    LeftoverCase{"WordCapitalised", "kfzdata.csv.Kaputt", Kind::File, "kfzdata.csv", false},
                    LeftoverCase{"WordInCapitals", "kfzdata.csv.BACKUP", Kind::File, "kfzdata.csv", false},
                    LeftoverCase{"FiveLetters", "kfzdata.csv.aBcDe", Kind::File, "kfzdata.csv", false},
                    LeftoverCase{"SevenLetters", "kfzdata.csv.aBcDeFg", Kind::File, "kfzdata.csv", false},
                    LeftoverCase{"DigitAmongTheLetters", "kfzdata.csv.aBc1eF", Kind::File, "kfzdata.csv", false},
                    LeftoverCase{"LetterOutsideAscii", "kfzdata.csv.aBcDe\xc3\x84", Kind::File, "kfzdata.csv", false},
                    LeftoverCase{"NoDotBeforeTheLetters", "kfzdata.csvaBcDeF", Kind::File, "kfzdata.cs", false},
                    LeftoverCase{"OnlyTheLetters", ".aBcDeF", Kind::File, nullptr, false},
                    LeftoverCase{"DirectoryOfThatName", "kfzdat.001.aBcDeF", Kind::Directory, "kfzdat.001", false},
                    LeftoverCase{"LinkOfThatName", "kfzdat.001.aBcDeF", Kind::Link, "kfzdat.001", false}),
    [](const testing::TestParamInfo<LeftoverCase>& info) { return std::string(info.param.name); });

TEST(SaveLeftovers, QtsOwnTemporaryNamesAreRecognised) {
    // Qt's named temporaries, as a save makes them where the system has no anonymous ones.
    QTemporaryDir dir;
    ASSERT_TRUE(writeBytes(dir.filePath("kfzdat.001"), "a\r\n"));
    constexpr int kCount = 64;
    for (int i = 0; i < kCount; ++i) {
        QTemporaryFile t(dir.filePath("kfzdat.001"));
        t.setAutoRemove(false);
        ASSERT_TRUE(t.open());
        ASSERT_TRUE(t.fileName().startsWith(dir.filePath("kfzdat.001."))); // asking for the name makes it
    }
    const int removed = removeSaveLeftovers(dir.path());
    QStringList kept = entries(dir.path());
    kept.removeOne("kfzdat.001");
    // Only those whose random letters happen to spell like a word stay.
    const QRegularExpression wordLike("^kfzdat\\.001\\.([a-zA-Z][a-z]{5}|[A-Z]{6})$");
    for (const QString& name : kept) EXPECT_TRUE(wordLike.match(name).hasMatch()) << name.toStdString();
    EXPECT_EQ(removed + kept.size(), kCount);
    EXPECT_GE(removed, kCount / 2);
    EXPECT_EQ(removeSaveLeftovers(dir.filePath("gibtsnicht")), 0);
}

} // namespace
