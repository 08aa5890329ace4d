// The yardstick for start-up time, memory and tick rhythm: the smallest Qt 6 Widgets program
// with one frameless window of the simulator's size and a line of text, run like the
// simulator. When ZN_TICK_LOG names a file it also ticks a precise 120 ms timer, as the
// simulator's game timer does, and logs each tick ("A" at the start, "T" at each event, with
// the monotonic time in nanoseconds): the benchmark sets the simulator's rhythm against it.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace {

void logTick(std::FILE* f, char what) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    std::fprintf(f, "%c %lld\n", what, static_cast<long long>(ns.count()));
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING")) qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Minimal Qt"));
    window.setFixedSize(692, 747);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Minimal Qt 6 Widgets program")));
    window.move(100, 100);
    window.show();

    QTimer tick;
    std::FILE* log = nullptr;
    const QByteArray path = qgetenv("ZN_TICK_LOG");
    if (!path.isEmpty() && (log = std::fopen(path.constData(), "a")) != nullptr) {
        std::setvbuf(log, nullptr, _IOLBF, 0);
        tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick, &QTimer::timeout, [log] { logTick(log, 'T'); });
        logTick(log, 'A');
        tick.start(120);
    }
    const int status = app.exec();
    if (log) std::fclose(log);
    return status;
}
