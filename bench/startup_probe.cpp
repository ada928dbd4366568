// The start-up measurement of Wagenwart: the program's own start-up (as src/app/main.cpp does
// it) around the real main window, over the data directory given as argv[1]. It prints the
// wall-clock times (nanoseconds since the epoch) of main's first statement, the application
// object made, the window made and the window's first complete paint, and the processor time
// used until then, then ends; startup.sh subtracts the time it took before starting the process.
//
// The first-paint detection is the same as in startup_minimal.cpp: keep both alike.

#include "app/application.h"
#include "app/main_window.h"
#include "app/message_prompts.h"
#include "app/single_instance.h"
#include "core/clock.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMetaObject>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>

namespace {

long long wallClockNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The processor time of the process so far, all its threads, dynamic loading included: on a busy
// machine a steadier figure than the wall-clock time.
long long processorNs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Sees the top-level window's first paint event. The frame is complete (children painted, the
// backing store flushed) once control is back in the event loop, so the time is taken in a
// queued call after that event; then the program ends.
class FirstPaint final : public QObject {
public:
    long long mainNs = 0, appNs = 0, windowNs = 0;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Paint) {
            m_seen = true;
            QMetaObject::invokeMethod(this, &FirstPaint::report, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void report() {
        const long long paint = wallClockNs();
        const long long cpu = processorNs();
        std::printf("main=%lld app=%lld window=%lld paint=%lld cpu=%lld\n", mainNs, appNs, windowNs, paint, cpu);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }
    bool m_seen = false;
};

} // namespace

int main(int argc, char* argv[]) {
    FirstPaint probe;
    probe.mainNs = wallClockNs();
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data directory>\n", argv[0]);
        return 2;
    }
    WagenwartApplication app(argc, argv);
    probe.appNs = wallClockNs();

    const QString dataDir = QDir::toNativeSeparators(QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/');
    SingleInstance instance(singleInstanceKey(dataDir));
    if (!instance.acquire()) {
        std::fprintf(stderr, "another copy holds the single-instance lock\n");
        return 1;
    }

    MessagePrompts prompts;
    app.prompts = &prompts;
    SystemClock clock;
    TForm1 window(dataDir, clock, prompts);
    probe.windowNs = wallClockNs();
    window.installEventFilter(&probe);
    window.show();
    return QApplication::exec();
}
