// Runs a GoogleTest suite inside a QApplication, as the windows need one.

#include "common/ProgramExit.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>

#include <gtest/gtest.h>

#include <memory>

int main(int argc, char** argv)
{
    // CTest runs these tests on the offscreen platform; listing them at build time happens
    // without that setting, and must not need a display either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto app = std::make_unique<QApplication>(argc, argv);
    // The Japanese font the program brings with it on Windows, from the build tree; Linux has
    // it installed, and the folder is not there.
    const QDir fonts(QStringLiteral(TAPOMI_TEST_FONTS_DIR));
    for (const QString& file : fonts.entryList({ QStringLiteral("*.ttf") }, QDir::Files))
        QFontDatabase::addApplicationFont(fonts.filePath(file));
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    app.reset();
    // Under wine a test process, its results written, now and then never got through the
    // unloading of its libraries, and ctest waited for it until the time-out: the program's own
    // way out is taken.
    return ProgramExit::after(status);
}
