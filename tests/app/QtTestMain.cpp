// Runs a GoogleTest suite inside a QApplication, as the windows need one.

#include <QApplication>
#include <QDir>
#include <QFontDatabase>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

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
#ifdef _WIN32
    // Under wine the process, its results written, now and then never gets through the unloading
    // of its libraries, and ctest would wait for it until the time-out. Nothing is left to do.
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
#endif
    return status;
}
