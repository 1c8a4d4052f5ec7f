// Window tests run on Qt's offscreen platform, also when the test list is read at build time.
#include <gtest/gtest.h>

#include <QApplication>

#include "persist/registry.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // Never the user's own saved state; tests that need a store choose their own.
    meridel::UseMemorySettings();
    return RUN_ALL_TESTS();
}
