// The reference of the start-up measurement: a Qt Widgets program that shows an empty main
// window and nothing else. It prints the wall-clock times (nanoseconds since the epoch) of
// main's first statement, the application object made, the window made and the window's first
// complete paint, and the processor time used until then, then ends; startup.sh subtracts the
// time it took before starting the process.
//
// The first-paint detection is the same as in startup_probe.cpp: keep both alike.

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMetaObject>

#include <chrono>
#include <cstdio>
#include <ctime>

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
    QApplication app(argc, argv);
    probe.appNs = wallClockNs();
    QMainWindow window;
    probe.windowNs = wallClockNs();
    window.installEventFilter(&probe);
    window.show();
    return QApplication::exec();
}
