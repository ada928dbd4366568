// A save killed at any moment leaves the old file or the new one, whole, and nothing else once
// the leftovers are cleared away: a child process saves a large record file over and over and is
// killed with SIGKILL at random moments.

#include "store/atomic_file.h"
#include "store/mlb2.h"
#include "support/file_bytes.h"
#include "support/forked_child.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// A record file of `rows` fill-ups and other costs.
TMlb2 recordFile(int rows) {
    std::string bytes = "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n";
    bytes.reserve(static_cast<std::size_t>(rows) * 64);
    for (int i = 0; i < rows; ++i) {
        const bool fuel = i % 5 != 0;
        bytes += "3;" + std::to_string(10 + i % 18) + ".0" + std::to_string(1 + i % 9) + ".2015;" +
                 std::to_string(1000 + 7 * i) + ";" + std::to_string(20 + i % 60) + ",50;";
        bytes += fuel ? "41,2;ja;t;;;;0\r\n" : ";;s;Inspektion\\; \"gro\xdf\"\\n\xd6lwechsel;ja;;0\r\n";
    }
    TMlb2 t;
    t.LoadFromBytes(bytes);
    return t;
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

TEST(SaveKill, TheFileIsAlwaysTheOldOrTheNewVersion) {
    constexpr int kRows = 100000;
    constexpr int kKills = 50;
    QTemporaryDir dir;
    const QString path = dir.filePath("kfzdat.001");
    // The second version is the first with one more entry, as a save after an entry writes it.
    TMlb2 versions[2];
    versions[0] = recordFile(kRows);
    versions[1].CopyFrom(versions[0]);
    versions[1].AppendRow();
    versions[1].SetValue("kmstnd", "999999");
    versions[1].SetValue("text", "Eintrag");
    const std::string bytes[2] = {versions[0].ToBytes(), versions[1].ToBytes()};
    ASSERT_NE(bytes[0], bytes[1]);

    // How long one save takes here, so that the kills fall before, into and after saves.
    const auto start = Clock::now();
    ASSERT_TRUE(versions[0].SaveToFile(path));
    const auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    ASSERT_EQ(readBytes(path), bytes[0]);
    int onDiskVersion = 0;

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    // Up to three saves' time: a loaded machine saves more slowly than the one measured save, and
    // the kills must still fall after a child's first save as well as into it.
    std::uniform_int_distribution<long long> moment(0, oneSave.count() * 3);
    int seen[2] = {0, 0};
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // The child: saves the version not on disk, then the other again, and so on; it ends
            // by itself only if the kill never comes.
            ::close(ready[0]);
            writeAll(ready[1], "x");
            const auto deadline = Clock::now() + std::chrono::seconds(30);
            for (int k = 1; Clock::now() < deadline; ++k) (void)versions[(onDiskVersion + k) % 2].SaveToFile(path);
            ::_exit(3);
        }
        ::close(ready[1]);
        const bool started = waitReadable(ready[0], std::chrono::seconds(10));
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(started);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended by itself";

        const std::string onDisk = readBytes(path);
        const bool isOld = onDisk == bytes[onDiskVersion];
        const bool isNew = onDisk == bytes[1 - onDiskVersion];
        ASSERT_TRUE(isOld || isNew) << "a file of " << onDisk.size() << " bytes, neither version";
        ++seen[isNew ? 1 : 0];
        if (isNew) onDiskVersion = 1 - onDiskVersion;
        const QStringList left = entries(dir.path());
        const int removed = removeSaveLeftovers(dir.path());
        EXPECT_EQ(removed, left.size() - 1) << left.join(' ').toStdString();
        ASSERT_EQ(entries(dir.path()), QStringList{"kfzdat.001"});
    }
    // The kills fell into the first save of a child as well as after it.
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
}

} // namespace
