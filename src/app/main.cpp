#include "core/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TForm1 window;
    window.show();
    return QApplication::exec();
}
