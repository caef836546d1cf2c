#include "teacher/TeacherCommands.h"

#include "cards/FolderReadiness.h"
#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/AttemptCsv.h"
#include "record/ChildName.h"
#include "record/RecordError.h"
#include "record/RecordStore.h"
#include "teacher/Launcher.h"
#include "teacher/ReportPeriod.h"
#include "teacher/TeacherClock.h"

#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::u16string shown(const fs::path& path)
{
    return Utf8Text::decodeReplacing(PathText::utf8(path));
}

// The child's name in brackets, then the rest of the sentence. Built by appending: GCC 12 warns
// falsely about a literal put before a temporary string.
std::u16string quoted(std::u16string_view name, std::u16string_view rest)
{
    std::u16string text = u"「";
    text += ChildName::Cleaned(name);
    text += u"」";
    text += rest;
    return text;
}

std::u16string unknown(std::u16string_view name)
{
    return quoted(name,
        u"という子どもは登録されていません。名前を確かめるか、--add-child で追加してください。");
}

// A damaged record set aside by this opening: whatever was asked, the teacher must hear of it
// first (it is in the record's notes for the window as well) and the command fails.
bool setAside(const RecordStore& store, std::ostream& errors)
{
    if (!store.setAsideFile())
        return false;
    TeacherCommands::Tell(errors, RecordConnection::SetAsideText(*store.setAsideFile()));
    return true;
}

// The record and the child in it; nothing (and the teacher told) when either is not there.
struct Found
{
    std::unique_ptr<RecordStore> store;
    Child child;
};

std::optional<Found> find(const fs::path& records, std::u16string_view name, std::ostream& errors)
{
    if (const std::optional<std::u16string> refusal
        = ChildName::Refusal(ChildName::Cleaned(name))) {
        TeacherCommands::Tell(errors, *refusal);
        return std::nullopt;
    }
    std::error_code error;
    if (!fs::exists(records, error)) {
        TeacherCommands::Tell(errors, unknown(name));
        return std::nullopt;
    }
    try {
        auto store = std::make_unique<RecordStore>(records);
        if (setAside(*store, errors))
            return std::nullopt;
        std::optional<Child> child = store->findChild(name);
        if (!child) {
            TeacherCommands::Tell(errors, unknown(name));
            return std::nullopt;
        }
        return Found { std::move(store), std::move(*child) };
    } catch (const RecordError& failure) {
        TeacherCommands::Tell(errors, failure.teacherText());
        return std::nullopt;
    }
}

} // namespace

void TeacherCommands::Tell(std::ostream& errors, std::u16string_view text)
{
    errors << "tapomi-launcher: " << Utf8Text::encode(text) << '\n';
}

int TeacherCommands::AddChild(
    const fs::path& records, std::u16string_view name, std::ostream& out, std::ostream& errors)
{
    try {
        RecordStore store(records);
        if (setAside(store, errors))
            return kFailed;
        store.addChild(name);
        out << Utf8Text::encode(quoted(name, u"を追加しました。")) << '\n';
        return kDone;
    } catch (const RecordError& failure) {
        const bool taken = failure.kind() == RecordError::Kind::NameTaken;
        Tell(errors,
            taken ? quoted(name, u"と同じ名前の子どもが、もういます。")
                  : failure.teacherText());
        return kFailed;
    }
}

int TeacherCommands::ExportCsv(const fs::path& records, std::u16string_view name,
    const fs::path& file, const TeacherClock& clock, std::ostream& errors)
{
    std::optional<Found> found = find(records, name, errors);
    if (!found)
        return kFailed;
    const ReportPeriod::Range all = ReportPeriod::Resolve(
        { ReportPeriod::Kind::Everything, {}, {} }, clock.nowMs(), clock.localOffsetSeconds());
    try {
        AttemptCsv::Save(file, records,
            found->store->attempts(found->child.id, all.fromMs, all.toMs),
            clock.localOffsetSeconds());
        return kDone;
    } catch (const RecordError& failure) {
        Tell(errors, failure.teacherText() + u"（" + shown(file) + u"）");
        return kFailed;
    }
}

std::optional<TeacherView::Report> TeacherCommands::WholeReport(const fs::path& records,
    std::u16string_view name, const TeacherClock& clock, std::ostream& errors)
{
    std::optional<Found> found = find(records, name, errors);
    if (!found)
        return std::nullopt;
    const ReportPeriod::Choice everything { ReportPeriod::Kind::Everything, {}, {} };
    const std::int64_t now = clock.nowMs();
    const int offset = clock.localOffsetSeconds();
    const ReportPeriod::Range all = ReportPeriod::Resolve(everything, now, offset);
    try {
        return TeacherView::Report { found->child.name,
            ReportPeriod::Label(everything, now, offset),
            ChildReport::Build(found->store->attempts(found->child.id, all.fromMs, all.toMs),
                found->store->runs(found->child.id, all.fromMs, all.toMs), offset) };
    } catch (const RecordError& failure) {
        Tell(errors, failure.teacherText());
        return std::nullopt;
    }
}

std::optional<DrillLaunch> TeacherCommands::ChildDrill(const fs::path& records,
    std::u16string_view name, const fs::path& folder, const fs::path& drill,
    const fs::path& workingDirectory, std::ostream& errors)
{
    std::optional<Found> found = find(records, name, errors);
    if (!found)
        return std::nullopt;
    // The drill runs in the working directory: a folder named relative to here is made whole.
    std::error_code error;
    const fs::path chosen = folder.empty() ? found->child.lastFolder : fs::absolute(folder, error);
    if (chosen.empty()) {
        Tell(errors,
            u"「" + found->child.name
                + u"」のカードのフォルダーがまだ決まっていません。フォルダーも書いてください。");
        return std::nullopt;
    }
    const FolderReadiness::Problem problem = FolderReadiness::Of(chosen);
    if (problem != FolderReadiness::Problem::None) {
        std::u16string text = FolderReadiness::Text(problem, chosen);
        for (char16_t& c : text) {
            if (c == u'\n')
                c = u' ';
        }
        Tell(errors, text);
        return std::nullopt;
    }
    try {
        if (!folder.empty())
            found->store->setLastFolder(found->child.id, chosen);
    } catch (const RecordError& failure) {
        Tell(errors, failure.teacherText());
        return std::nullopt;
    }
    return DrillLaunch::Make(drill, workingDirectory, chosen,
        DrillLaunch::Recording { found->child.id, found->child.name, records });
}
