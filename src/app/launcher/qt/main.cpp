// タポミ's launcher, the program the desktop menu starts: prepares the teacher's working
// directory, asks for the picture folder and then becomes the drill, which runs in that working
// directory on that folder.

#include "app/ProgramFiles.h"
#include "app/launcher/Launcher.h"
#include "app/launcher/qt/QtLauncherView.h"
#include "app/launcher/qt/SettingsFolderMemory.h"
#include "app/qt/QtWarningBox.h"
#include "cards/FolderCheckCommand.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::optional<Launcher::Plan> ask(int& argc, char** argv, const fs::path& drill)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("tapomi"));
    QApplication::setApplicationName(QStringLiteral("tapomi-launcher"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tapomi/icon.png")));
    // Dates and sizes in the folder dialog in Japanese, whatever the desktop's language.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    // Qt's own texts in the folder dialog (menus, tool tips), when its Japanese translation is
    // installed; the dialog's main texts are set in Japanese in any case.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    QtWarningBox messages;
    SettingsFolderMemory memory;
    QtLauncherView view(QFile::decodeName(
        QByteArray::fromStdString(ProgramFiles::companion("tapomi-voicepack").native())));
    const QByteArray home = QFile::encodeName(QDir::homePath());
    Launcher launcher(view, messages, memory, ProgramFiles::dataFolder(),
        Launcher::WorkingDirectory(std::getenv("XDG_DATA_HOME"), home.constData()));

    std::optional<Launcher::Plan> plan = launcher.run();
    if (plan && ::access(drill.c_str(), X_OK) != 0) {
        messages.ShowWarning(
            u"タポミの本体（tapomi）が見つかりません。インストールしなおしてください。", u"タポミ");
        return std::nullopt;
    }
    return plan;
}

} // namespace

int main(int argc, char** argv)
{
    // The folder check is for terminals and scripts too: it runs before any Qt object exists,
    // so it needs no display.
    if (FolderCheckCommand::IsWanted(argc, argv)) {
        const fs::path working
            = Launcher::WorkingDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
        return FolderCheckCommand::Run(argc, argv, working / "O.txt", std::cout, std::cerr);
    }
    const fs::path drill = ProgramFiles::companion("tapomi");
    // The dialogs are closed and Qt is gone before the drill takes this process over.
    const std::optional<Launcher::Plan> plan = ask(argc, argv, drill);
    if (!plan)
        return 0;

    if (::chdir(plan->workingDirectory.c_str()) != 0) {
        std::fprintf(stderr, "tapomi-launcher: %s: %s\n", plan->workingDirectory.c_str(),
            std::strerror(errno));
        return 1;
    }
    // The folder is the drill's one argument, taken whole, blanks and all.
    std::string program = drill.native();
    std::string folder = plan->pictureFolder.native();
    char* const arguments[] = { program.data(), folder.data(), nullptr };
    ::execv(program.c_str(), arguments);
    std::fprintf(stderr, "tapomi-launcher: %s: %s\n", program.c_str(), std::strerror(errno));
    return 1;
}
