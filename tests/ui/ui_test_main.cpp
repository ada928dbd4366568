// The window tests run in the program's own application object: its German formats and Qt texts,
// its name, its error handler.
#include "app/application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Windows are tested and pictured headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    WagenwartApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
