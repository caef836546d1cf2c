#include "record/RecordFiles.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// More links than this in a row is a loop; the system gives up at about the same count.
constexpr int kMostLinks = 40;

fs::path withSuffix(fs::path path, const char* suffix)
{
    path += suffix;
    return path;
}

fs::path besideWithStem(const fs::path& database, const char* ending)
{
    fs::path name = database.stem();
    name += ending;
    return database.parent_path() / name;
}

// The path with its folder's links and ".." resolved as far as the folders exist, and the last
// name kept as it is.
fs::path folderResolved(const fs::path& path)
{
    std::error_code error;
    const fs::path whole = fs::absolute(path, error);
    if (error)
        return path.lexically_normal();
    fs::path folder = fs::weakly_canonical(whole.parent_path(), error);
    if (error || folder.empty())
        folder = whole.parent_path().lexically_normal();
    return folder / whole.filename();
}

// The path with every link resolved, the last one too, as far as the names exist.
fs::path wholeResolved(const fs::path& path)
{
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(path, error);
    return error || resolved.empty() ? folderResolved(path) : resolved;
}

std::u8string lowered(const fs::path& name)
{
    std::u8string text = name.u8string();
    std::transform(text.begin(), text.end(), text.begin(),
        [](char8_t c) { return c >= u8'A' && c <= u8'Z' ? static_cast<char8_t>(c + 32) : c; });
    return text;
}

// Every name a path goes by on its way to a file: the path itself, and each link's target in
// turn, even one that does not exist yet (a link to a log SQLite has not made).
std::vector<fs::path> waysOf(const fs::path& path)
{
    std::vector<fs::path> ways;
    std::error_code error;
    fs::path at = fs::absolute(path, error);
    if (error)
        at = path;
    for (int link = 0; link <= kMostLinks; ++link) {
        ways.push_back(folderResolved(at));
        ways.push_back(wholeResolved(at));
        if (!fs::is_symlink(at, error))
            break;
        const fs::path target = fs::read_symlink(at, error);
        if (error)
            break;
        at = target.is_absolute() ? target : at.parent_path() / target;
    }
    return ways;
}

} // namespace

RecordFiles::RecordFiles(fs::path database)
    : m_database(std::move(database))
{ }

fs::path RecordFiles::writeAheadLog() const
{
    return withSuffix(m_database, "-wal");
}

fs::path RecordFiles::sharedMemory() const
{
    return withSuffix(m_database, "-shm");
}

fs::path RecordFiles::problems() const
{
    return besideWithStem(m_database, "-problems.txt");
}

fs::path RecordFiles::pending() const
{
    return besideWithStem(m_database, "-pending.txt");
}

std::vector<fs::path> RecordFiles::databaseForms() const
{
    std::vector<fs::path> forms { folderResolved(m_database) };
    const fs::path resolved = wholeResolved(m_database);
    if (resolved != forms.front())
        forms.push_back(resolved);
    return forms;
}

bool RecordFiles::namedLikeOne(const fs::path& resolved, const std::vector<fs::path>& databases)
{
    const std::u8string name = lowered(resolved.filename());
    for (const fs::path& database : databases) {
        if (resolved.parent_path() != database.parent_path())
            continue;
        const RecordFiles beside(database);
        if (name.starts_with(lowered(database.filename()))
            || name == lowered(beside.problems().filename())
            || name == lowered(beside.pending().filename()))
            return true;
    }
    return false;
}

bool RecordFiles::holds(const fs::path& path) const
{
    const std::vector<fs::path> databases = databaseForms();
    for (const fs::path& way : waysOf(path)) {
        if (namedLikeOne(way, databases))
            return true;
    }
    // Another name of the same file: only files that are there can be compared, and those of
    // the record are all in its folder.
    std::error_code error;
    if (!fs::exists(path, error))
        return false;
    for (const fs::path& database : databases) {
        fs::directory_iterator entries(database.parent_path(), error);
        for (const fs::directory_iterator end; !error && entries != end; entries.increment(error)) {
            std::error_code unlike;
            if (namedLikeOne(database.parent_path() / entries->path().filename(), databases)
                && fs::equivalent(path, entries->path(), unlike) && !unlike)
                return true;
        }
    }
    return false;
}
