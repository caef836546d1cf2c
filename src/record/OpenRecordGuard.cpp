#include "record/OpenRecordGuard.h"

#include "data/PathText.h"
#include "record/RecordError.h"

#include <mutex>
#include <set>
#include <system_error>

namespace {

std::mutex g_mutex;

std::set<std::filesystem::path>& openFiles()
{
    static std::set<std::filesystem::path> files;
    return files;
}

} // namespace

OpenRecordGuard::OpenRecordGuard(const std::filesystem::path& file)
    : m_key(Resolved(file))
{
    const std::lock_guard lock(g_mutex);
    if (!openFiles().insert(m_key).second) {
        throw RecordError(RecordError::Kind::Other,
            PathText::utf8(m_key) + " is open in this process already",
            u"記録のファイルを、このプログラムの中で二重に開こうとしたため、止めました。");
    }
}

OpenRecordGuard::~OpenRecordGuard()
{
    const std::lock_guard lock(g_mutex);
    openFiles().erase(m_key);
}

std::filesystem::path OpenRecordGuard::Resolved(const std::filesystem::path& file)
{
    std::error_code error;
    std::filesystem::path whole = std::filesystem::absolute(file, error);
    if (error)
        whole = file;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(whole, error);
    return error ? whole.lexically_normal() : resolved;
}
