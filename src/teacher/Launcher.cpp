#include "teacher/Launcher.h"

#include "cards/FolderReadiness.h"
#include "common/Utf8Text.h"
#include "common/WarningBox.h"
#include "data/DataFileNames.h"
#include "data/PathText.h"
#include "teacher/FolderMemory.h"
#include "teacher/LauncherView.h"

#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::u16string_view kTitle = u"タポミ";

std::u16string shown(const fs::path& path)
{
    return Utf8Text::decodeReplacing(PathText::utf8(path));
}

bool isFolder(const fs::path& path)
{
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

// Copies a file unless one of that name is already there: a teacher's edited copy stays.
bool copyIfMissing(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    fs::copy_file(from, to, fs::copy_options::skip_existing, error);
    // The C++ library of mingw-w64 reports a skipped file as "file exists", Linux's reports
    // nothing: either way the teacher's copy is kept, which is what was wanted.
    return !error || error == std::errc::file_exists;
}

} // namespace

Launcher::Launcher(LauncherView& view, WarningBox& messages, FolderMemory& memory,
    fs::path dataFolder, fs::path workingDirectory)
    : m_view(view)
    , m_messages(messages)
    , m_memory(memory)
    , m_dataFolder(std::move(dataFolder))
    , m_workingDirectory(std::move(workingDirectory))
{ }

fs::path Launcher::WorkingDirectory(const char* xdgDataHome, const char* home)
{
    // A relative XDG_DATA_HOME is invalid and is ignored, as the XDG base directories say.
    if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute())
        return fs::path(xdgDataHome) / "tapomi";
    return fs::path(home ? home : "") / ".local" / "share" / "tapomi";
}

bool Launcher::prepareWorkingDirectory()
{
    std::error_code error;
    fs::create_directories(m_workingDirectory, error);
    if (error || !isFolder(m_workingDirectory)) {
        tell(u"タポミの作業フォルダーをつくれません。\n" + shown(m_workingDirectory));
        return false;
    }
    return prepare();
}

std::optional<fs::path> Launcher::chooseFolder()
{
    fs::path offered = FolderToOffer(m_memory.lastFolder(), m_workingDirectory);
    for (;;) {
        const std::optional<fs::path> chosen = m_view.askForFolder(offered);
        if (!chosen)
            return std::nullopt;
        const FolderReadiness::Problem problem = FolderReadiness::Of(*chosen);
        if (problem == FolderReadiness::Problem::None) {
            m_memory.remember(*chosen);
            return chosen;
        }
        tell(FolderReadiness::Text(problem, *chosen));
        offered = *chosen;
    }
}

bool Launcher::prepare()
{
    std::error_code error;
    if (fs::exists(m_workingDirectory / kPreparedMarker, error))
        return true;
    const bool copied = copyStarterFiles();
    if (!copied)
        tell(u"タポミの最初の準備ができませんでした。"
             u"見本のカードやほめことばが足りないかもしれません。\n"
            + shown(m_workingDirectory));

    switch (m_view.makeSounds(m_workingDirectory)) {
    case LauncherView::SoundsOutcome::Cancelled:
        return false;
    case LauncherView::SoundsOutcome::Failed:
        // The next start tries again; the sounds already made are kept.
        tell(u"かなの音の一部をつくれませんでした。音のないかなは、しずかなままです。");
        return true;
    case LauncherView::SoundsOutcome::Made:
        break;
    }
    if (copied)
        std::ofstream(m_workingDirectory / kPreparedMarker) << "1\n";
    return true;
}

bool Launcher::copyStarterFiles()
{
    bool ok = copyIfMissing(m_dataFolder / DataFileNames::kPraise, m_workingDirectory / DataFileNames::kPraise);
    const fs::path samples = m_workingDirectory / kSamplesFolder;
    std::error_code error;
    fs::create_directories(samples, error);
    ok = ok && !error;
    fs::directory_iterator entries(m_dataFolder / "samples", error);
    ok = ok && !error;
    for (const fs::directory_iterator end; !error && entries != end; entries.increment(error)) {
        std::error_code typeError;
        if (entries->is_regular_file(typeError))
            ok = copyIfMissing(entries->path(), samples / entries->path().filename()) && ok;
    }
    return ok && !error;
}

fs::path Launcher::FolderToOffer(const fs::path& last, const fs::path& workingDirectory)
{
    if (isFolder(last))
        return last;
    if (const fs::path samples = workingDirectory / kSamplesFolder; isFolder(samples))
        return samples;
    // Never the working directory itself: the record lives there.
    return {};
}

void Launcher::tell(const std::u16string& text)
{
    m_messages.ShowWarning(text, kTitle);
}
