// タポミ: start-up of the program. The only place where the pieces are wired together: the
// program-wide state, the data folder, sound and speech, and the drill window with its logic.

#include "common/CommandLine.h"
#include "common/Environment.h"
#include "common/ProgramExit.h"
#include "common/ProgramFiles.h"
#include "common/ProgramState.h"
#include "common/Utf8Text.h"
#include "common/qt/ActivationTracker.h"
#include "common/qt/FailureReport.h"
#include "common/qt/FirstFrameWatch.h"
#include "common/qt/JapaneseFont.h"
#include "common/qt/QtText.h"
#include "common/qt/QtWarningBox.h"
#include "data/DataFolder.h"
#include "data/PathText.h"
#include "drill/ClockRandom.h"
#include "drill/DrillSession.h"
#include "drill/qt/Form1.h"
#include "media/MediaSystem.h"
#include "record/ChildRecorder.h"
#include "record/RecordStore.h"
#include "record/RecordWriter.h"
#include "record/SystemRecordClock.h"
#include "settings_ui/qt/SettingsWindows.h"

#include <QApplication>
#include <QIcon>
#include <QMetaObject>

#include <charconv>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace {

// The record of the child the launcher named, kept while the drill runs. Made only when both
// variables are set: a drill started without a child touches no record at all.
struct ChildRecord
{
    ChildRecord(std::filesystem::path file, const Settings& settings, std::int64_t childId,
        std::u16string childName, std::filesystem::path folder)
        : writer(std::move(file))
        , recorder(writer, clock, settings, childId, std::move(childName), std::move(folder))
    { }

    SystemRecordClock clock;
    RecordWriter writer;
    ChildRecorder recorder;
};

std::unique_ptr<ChildRecord> childRecord(
    const Settings& settings, const std::filesystem::path& folder)
{
    const std::optional<std::string> child = Environment::get(RecordStore::kChildVariable);
    const std::optional<std::string> file = Environment::get(RecordStore::kFileVariable);
    if (!child || !file || file->empty())
        return nullptr;
    std::int64_t childId = 0;
    const char* end = child->data() + child->size();
    const auto [rest, error] = std::from_chars(child->data(), end, childId);
    if (error != std::errc() || rest != end || childId <= 0)
        return nullptr;
    const std::optional<std::string> name = Environment::get(RecordStore::kChildNameVariable);
    return std::make_unique<ChildRecord>(PathText::fromUtf8(*file), settings, childId,
        Utf8Text::decodeReplacing(name.value_or(std::string())), std::filesystem::absolute(folder));
}

// Runs the drill on the folder named by the command line until Esc, the title bar or a failure
// ends it. Returns the program's exit status.
int runDrill(int argc, char** argv, FailureReport& failure)
{
    ProgramState program;
    program.ArgumentText = DataFolder::ArgumentText(argc, argv);

    QtWarningBox warnings;
    DataFolder data(program, warnings, std::filesystem::current_path());

    // Speech reports its end from its own thread; the report is queued and handled on the
    // user-interface thread like any other event.
    MediaSystem media(
        [](std::function<void()> task) {
            QMetaObject::invokeMethod(qApp, std::move(task), Qt::QueuedConnection);
        },
        DrillSession::FixedSentences());
    ClockRandom random;

    Form1 form(failure);
    DrillSession session(program, form, data, media.sound(), media.speech(), random);
    form.attach(session);
    const std::unique_ptr<ChildRecord> record = childRecord(program.settings, data.pictureFolder());
    if (record)
        session.setRecord(&record->recorder);
    media.speech().setDoneHandler([&form] { form.speechDone(); });
    form.setCloseHook([&media, &session] {
        media.sound().StopSound();
        media.speech().StopSpeech();
        session.Form_Unload();
    });

    ActivationTracker activation;
    activation.registerWindow(&form, [&form] { form.activate(); });
    SettingsWindows settings(program, data, failure, activation, form);
    form.setSettingsWindowHook([&settings](SettingsWindow window) { settings.show(window); });

    // No picture in the folder (the teacher has been told) or a failure already reported.
    if (!form.load())
        return FailureReport::kExitStatus;

    // Sound and speech start once the first card is on screen; the prompt waits for them. The
    // next card is read ahead from then on, and the window's icon comes then too: reading it sets
    // up Qt's image readers, which costs the first frame several milliseconds on a slow machine,
    // and nobody sees an icon before the window.
    FirstFrameWatch firstFrame(&form, [&media, &form] {
        form.firstFrameShown();
        media.start();
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/tapomi/icon.png")));
    });
    // Shown and activated at once: the first card is presented, and its picture decoded, while
    // the window system maps the window, so the first frame already holds it. The window
    // system's own activation that follows is no second one.
    activation.bringToFront(&form);
    const int status = QApplication::exec();
    // Nothing may report to the window once the loop is over and it is about to go.
    media.speech().StopSpeech();
    media.speech().setDoneHandler({});
    // The window is gone by now: the last answers are written while nobody waits on screen.
    // Answers the record did not take wait in the pending file; only when even that could not be
    // written does the launcher hear of it, through the status.
    if (record && !record->writer.finish(RecordWriter::kExitWait) && status == 0)
        return RecordWriter::kNotKeptStatus;
    return status;
}

// The program from its command line to the end of its Qt application. Returns its exit status.
int run(int argc, char** argv)
{
    // The folder is taken from the command line as typed, before Qt takes out the options it
    // knows: a folder name that happens to look like one of them still reaches the drill.
    CommandLine commandLine(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tapomi"));
    JapaneseFont::addBundled(QtText::fromPath(ProgramFiles::dataFolder()));

    FailureReport failure;
    int status = FailureReport::kExitStatus;
    failure.run([&] { status = runDrill(commandLine.argc(), commandLine.argv(), failure); });
    return failure.failed() ? FailureReport::kExitStatus : status;
}

} // namespace

int main(int argc, char** argv)
{
    return ProgramExit::after(run(argc, argv));
}
