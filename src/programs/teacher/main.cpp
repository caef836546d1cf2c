// タポミ's launcher, the program the desktop menu starts: prepares the teacher's working
// directory and opens the teacher's window, from which the drill is started in that working
// directory on a picture folder. Its options (--help) reach the record without the window.

#include "common/CommandLine.h"
#include "cards/FolderCheckCommand.h"
#include "common/Environment.h"
#include "common/ProgramExit.h"
#include "common/ProgramFiles.h"
#include "common/Utf8Text.h"
#include "common/qt/JapaneseFont.h"
#include "common/qt/QtText.h"
#include "common/qt/QtWarningBox.h"
#include "data/DataFileNames.h"
#include "data/PathText.h"
#include "media/MediaSystem.h"
#include "record/RecordStore.h"
#include "teacher/DrillHandover.h"
#include "teacher/Launcher.h"
#include "teacher/LauncherCommand.h"
#include "teacher/SystemClock.h"
#include "teacher/TeacherCommands.h"
#include "teacher/UserDataFolder.h"
#include "teacher/qt/CardMakerTool.h"
#include "teacher/qt/FolderCheckDialog.h"
#include "teacher/qt/QtLauncherView.h"
#include "teacher/qt/QtTeacherView.h"
#include "teacher/qt/ReportPdf.h"
#include "teacher/qt/SettingsFolderMemory.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMetaObject>
#include <QScreen>
#include <QTranslator>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

fs::path workingDirectory()
{
    return UserDataFolder::workingDirectory();
}

fs::path recordsFile()
{
    return UserDataFolder::recordFile();
}

// Names, icon and the Japanese texts of Qt's own dialogs, whatever the desktop's language.
void setUpApplication(QTranslator& qtTexts)
{
    QApplication::setOrganizationName(QStringLiteral("tapomi"));
    QApplication::setApplicationName(QStringLiteral("tapomi-launcher"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tapomi/icon.png")));
    JapaneseFont::addBundled(QtText::fromPath(ProgramFiles::dataFolder()));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
}

// The first run's preparation, with its progress window; false when the teacher cancelled.
bool prepare(QtWarningBox& messages, SettingsFolderMemory& memory)
{
    QtLauncherView view(QtText::fromPath(ProgramFiles::companion("tapomi-voicepack")));
    Launcher launcher(view, messages, memory, ProgramFiles::dataFolder(), workingDirectory());
    return launcher.prepareWorkingDirectory();
}

int teacherWindow(int& argc, char** argv)
{
    QApplication app(argc, argv);
    QTranslator qtTexts;
    setUpApplication(qtTexts);
    QFont font(JapaneseFont::chooseFamily());
    font.setPointSize(12);
    QApplication::setFont(font);

    QtWarningBox messages;
    SettingsFolderMemory memory;
    if (!prepare(messages, memory))
        return 0;
    const SystemClock clock;
    QtTeacherView window(
        memory, clock, { ProgramFiles::companion("tapomi"), workingDirectory(), recordsFile() });
    FolderCheckDialog folderCheck(&window, workingDirectory() / DataFileNames::kPraise);
    window.logic().attachTool(TeacherView::Control::CheckFolder, &folderCheck);
    // The card maker says each kana the teacher types with the drill's own sound files, which
    // are plain names in the working directory; the sound player is made only when first needed.
    std::unique_ptr<MediaSystem> media;
    CardMakerTool cardMaker(&window, [&media]() -> SoundPlayer* {
        if (!media) {
            media = std::make_unique<MediaSystem>(
                [](std::function<void()> task) {
                    QMetaObject::invokeMethod(qApp, std::move(task), Qt::QueuedConnection);
                },
                std::vector<std::u16string> {});
            media->start();
        }
        return &media->sound();
    });
    window.logic().attachTool(TeacherView::Control::MakeCards, &cardMaker);
    std::error_code moved;
    fs::current_path(workingDirectory(), moved);
    if (moved)
        TeacherCommands::Tell(
            std::cerr, u"作業フォルダーに移れないので、カードづくりの音は出ません。");
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.resize(screen->availableSize() * 9 / 10);
    window.show();
    window.open();
    return QApplication::exec();
}

// Prepares the working directory when needed, then becomes the drill for the child.
int drillForChild(int& argc, char** argv, const LauncherCommand& command)
{
    const fs::path drill = ProgramFiles::companion("tapomi");
    std::ostringstream said;
    const std::optional<DrillLaunch> launch = TeacherCommands::ChildDrill(
        recordsFile(), command.childName(), command.path(), drill, workingDirectory(), said);
    if (!launch) {
        // Started from a desktop icon nobody sees the error stream: a box says it too.
        std::cerr << said.str();
        if (Environment::hasDisplay()) {
            QApplication app(argc, argv);
            QTranslator qtTexts;
            setUpApplication(qtTexts);
            std::string text = said.str();
            for (std::size_t at; (at = text.find("tapomi-launcher: ")) != std::string::npos;)
                text.erase(at, std::char_traits<char>::length("tapomi-launcher: "));
            QtWarningBox(nullptr).ShowWarning(Utf8Text::decodeReplacing(text), u"タポミ");
        }
        return TeacherCommands::kFailed;
    }
    std::error_code error;
    if (!fs::is_regular_file(drill, error)) {
        TeacherCommands::Tell(
            std::cerr, u"タポミの本体（tapomi）が見つかりません。インストールしなおしてください。");
        return TeacherCommands::kFailed;
    }
    {
        // The progress window is closed and Qt is gone before the drill takes this process over.
        QApplication app(argc, argv);
        QTranslator qtTexts;
        setUpApplication(qtTexts);
        QtWarningBox messages;
        SettingsFolderMemory memory;
        if (!prepare(messages, memory))
            return 0;
    }
    return DrillHandover::Run(*launch, std::cerr);
}

int addChild(const LauncherCommand& command)
{
    return TeacherCommands::AddChild(recordsFile(), command.childName(), std::cout, std::cerr);
}

int exportCsv(const LauncherCommand& command)
{
    return TeacherCommands::ExportCsv(
        recordsFile(), command.childName(), command.path(), SystemClock(), std::cerr);
}

// Needs fonts and the PDF writer only: without a display it draws on the offscreen platform.
int exportPdf(int& argc, char** argv, const LauncherCommand& command)
{
    const std::optional<TeacherView::Report> report = TeacherCommands::WholeReport(
        recordsFile(), command.childName(), SystemClock(), std::cerr);
    if (!report)
        return TeacherCommands::kFailed;
    if (!Environment::hasDisplay())
        Environment::set("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    JapaneseFont::addBundled(QtText::fromPath(ProgramFiles::dataFolder()));
    if (const std::optional<std::u16string> problem
        = ReportPdf::Save(command.path(), recordsFile(), *report)) {
        TeacherCommands::Tell(std::cerr,
            *problem + u"（" + Utf8Text::decodeReplacing(PathText::utf8(command.path())) + u"）");
        return TeacherCommands::kFailed;
    }
    return TeacherCommands::kDone;
}

int usageError(const LauncherCommand& command)
{
    TeacherCommands::Tell(std::cerr, command.problem());
    TeacherCommands::Tell(std::cerr, u"使い方は tapomi-launcher --help で出ます。");
    return 2;
}

// Carries out what the command line asks for. Returns the program's exit status.
int run(int programArgc, char** programArgv)
{
    CommandLine commandLine(programArgc, programArgv);
    int& argc = commandLine.argc();
    char** argv = commandLine.argv();
    // The folder check is for terminals and scripts too: it runs before any Qt object exists,
    // so it needs no display.
    if (FolderCheckCommand::IsWanted(argc, argv)) {
        return FolderCheckCommand::Run(
            argc, argv, workingDirectory() / DataFileNames::kPraise, std::cout, std::cerr);
    }
    const LauncherCommand command
        = LauncherCommand::Parse(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    switch (command.action()) {
    case LauncherCommand::Action::TeacherWindow:
        return teacherWindow(argc, argv);
    case LauncherCommand::Action::Child:
        return drillForChild(argc, argv, command);
    case LauncherCommand::Action::AddChild:
        return addChild(command);
    case LauncherCommand::Action::ExportCsv:
        return exportCsv(command);
    case LauncherCommand::Action::ExportPdf:
        return exportPdf(argc, argv, command);
    case LauncherCommand::Action::Help:
        std::cout << Utf8Text::encode(LauncherCommand::HelpText(recordsFile()));
        return 0;
    case LauncherCommand::Action::Invalid:
        break;
    }
    return usageError(command);
}

} // namespace

int main(int programArgc, char** programArgv)
{
    return ProgramExit::after(run(programArgc, programArgv));
}
