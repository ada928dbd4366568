#pragma once
// The program state over a fresh temporary data directory and a fixed clock: what the tests of
// every rule that reads or writes data files start from.

#include "core/app_state.h"
#include "core/clock.h"
#include "support/file_bytes.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

// The data directory, the clock and the state, for a test that needs one of its own.
struct TestDataDir {
    explicit TestDataDir(const QDateTime& now) : clock(now) {}

    // The data directory, ending with "/".
    QString path() const { return dir.path() + QLatin1Char('/'); }
    // The bytes of a file of the data directory; empty when it cannot be read.
    std::string file(std::string_view name) const { return readBytes(state.path(name)); }

    QTemporaryDir dir;
    FixedClock clock;
    AppState state{path(), clock};
};

// A test fixture with a TestDataDir; `now` is the fixed date and time of the clock.
class AppStateTest : public testing::Test {
protected:
    explicit AppStateTest(const QDateTime& now) : m_data(now) {}
    void SetUp() override { ASSERT_TRUE(m_data.dir.isValid()); }

    QString dataDir() const { return m_data.path(); }
    std::string file(std::string_view name) const { return m_data.file(name); }

    TestDataDir m_data;
    QTemporaryDir& m_dir = m_data.dir;
    FixedClock& m_clock = m_data.clock;
    AppState& m_state = m_data.state;
};
