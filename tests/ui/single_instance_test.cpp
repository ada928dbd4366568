#include "app/single_instance.h"

#include <QTest>

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <functional>

#include "support/window_fixture.h"

namespace {

TEST(SingleInstance, SecondCopyIsRefusedAndTheFirstAskedToComeForward) {
    const QString key = QStringLiteral("wagenwart-test-") + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance first(key);
    ASSERT_TRUE(first.acquire());
    SingleInstance second(key);
    EXPECT_FALSE(second.acquire());

    QSignalSpy raised(&first, &SingleInstance::raiseRequested);
    QLocalSocket client;
    client.connectToServer(key);
    ASSERT_TRUE(client.waitForConnected(2000));
    client.write("raise");
    client.flush();
    EXPECT_TRUE(raised.wait(2000));
}

TEST(SingleInstance, TheKeyIsTheDataDirectory) {
    EXPECT_EQ(singleInstanceKey(QStringLiteral("/srv/daten/")), singleInstanceKey(QStringLiteral("/srv/x/../daten")));
    EXPECT_NE(singleInstanceKey(QStringLiteral("/srv/daten/")), singleInstanceKey(QStringLiteral("/srv/andere/")));
    EXPECT_TRUE(singleInstanceKey(QStringLiteral("/srv/daten/")).startsWith(QStringLiteral("wagenwart-")));
}

// A copy of another user holds no lock of ours, but answers on the data directory's server.
TEST(SingleInstance, ACopyOfAnotherUserOnTheSameDataIsRefused) {
    const QString key = QStringLiteral("wagenwart-test-") + QUuid::createUuid().toString(QUuid::Id128);
    QLocalServer otherUsersCopy;
    ASSERT_TRUE(otherUsersCopy.listen(key));
    SingleInstance mine(key);
    EXPECT_FALSE(mine.acquire());
    otherUsersCopy.close();
    SingleInstance later(key);
    EXPECT_TRUE(later.acquire()); // the lock was given back
}

// A lock whose holder is gone does not keep the program from starting (a live holder does: the
// test above).
struct LockCase {
    const char* name;
    std::function<QByteArray()> content; // of the lock file found at start
};

class StaleLock : public testing::TestWithParam<LockCase> {};

TEST_P(StaleLock, IsRemovedAndTheProgramStarts) {
    const QString key = QStringLiteral("wagenwart-test-") + QUuid::createUuid().toString(QUuid::Id128);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    const QString lockPath = folder + QLatin1Char('/') + key + QStringLiteral(".lock");
    ASSERT_TRUE(writeBytes(lockPath, GetParam().content().toStdString()));
    {
        SingleInstance instance(key);
        EXPECT_TRUE(instance.acquire());
    }
    QFile::remove(lockPath);
}

QByteArray lockOf(qint64 pid, const QString& host) {
    return QByteArray::number(pid) + "\nwagenwart\n" + host.toUtf8() + "\n";
}

INSTANTIATE_TEST_SUITE_P(
    Locks, StaleLock,
    testing::Values(LockCase{"empty", [] { return QByteArray(); }},
                    LockCase{"garbage", [] { return QByteArray("\x01\x02 kein Lock\n"); }},
                    LockCase{"dead_process", [] { return lockOf(0x7ffffff0, QSysInfo::machineHostName()); }},
                    LockCase{"other_host_and_nobody_answers", [] { return lockOf(1, "anderer-rechner"); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Two real processes: the second start ends within two seconds while the first one runs on.
TEST(SingleInstance, SecondProgramStartEndsAtOnce) {
    QTemporaryDir home;
    const QString data = home.path() + QStringLiteral("/data/Sternhof/Wagenwart_test");
    ASSERT_TRUE(QDir().mkpath(data));
    copyFixtures(QStringLiteral(WAGENWART_FIXTURES "/ui"), data);
    const QString runtime = home.path() + QStringLiteral("/run");
    ASSERT_TRUE(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("USER"), QStringLiteral("wagenwart-test-") + QUuid::createUuid().toString(QUuid::Id128));

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(QStringLiteral(WAGENWART_PROGRAM), {});
    ASSERT_TRUE(first.waitForStarted(5000));
    // Up when its lock file is there and its server answers.
    QElapsedTimer waited;
    waited.start();
    bool up = false;
    while (!up && waited.elapsed() < 20000) {
        QTest::qWait(100);
        up = !QDir(runtime).entryList({QStringLiteral("*.lock")}, QDir::Files).isEmpty();
    }
    ASSERT_TRUE(up);
    QTest::qWait(300);

    QProcess second;
    second.setProcessEnvironment(env);
    QElapsedTimer took;
    took.start();
    second.start(QStringLiteral(WAGENWART_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_LT(took.elapsed(), 2000 + 1500); // two seconds, plus the sanitizers' start-up here
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.terminate();
    if (!first.waitForFinished(5000)) first.kill();
}

} // namespace
