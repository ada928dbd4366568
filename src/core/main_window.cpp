#include "core/main_window.h"

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Wagenwart v5.3.0"));
    setFixedSize(800, 600);
}
