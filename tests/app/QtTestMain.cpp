// Runs a GoogleTest suite inside a QApplication, as the windows need one.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // CTest runs these tests on the offscreen platform; listing them at build time happens
    // without that setting, and must not need a display either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
