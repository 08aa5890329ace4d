// The yardstick for start-up time and memory: the smallest Qt 6 Widgets program with one
// frameless window of the simulator's size and a line of text, run like the simulator.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

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
    return app.exec();
}
