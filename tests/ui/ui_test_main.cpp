// The window tests run in one QApplication with the program's German formats.
#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Windows are tested and pictured headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
