#include "media/SoundFileCache.h"

#include "media/WaveDecoder.h"

#include <sys/stat.h>

namespace {

std::int64_t nanoseconds(const timespec& t)
{
    return std::int64_t { t.tv_sec } * 1'000'000'000 + t.tv_nsec;
}

} // namespace

SharedSamples SoundFileCache::load(const std::string& path)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        m_entries.erase(path);
        return nullptr;
    }
    // The change time moves with every write and rename and cannot be set back by copying
    // tools, so together with the inode it tells a new recording from the cached one.
    const Identity identity { static_cast<std::uint64_t>(info.st_dev),
        static_cast<std::uint64_t>(info.st_ino), static_cast<std::int64_t>(info.st_size),
        nanoseconds(info.st_mtim), nanoseconds(info.st_ctim) };

    if (const auto found = m_entries.find(path);
        found != m_entries.end() && found->second.identity == identity)
        return found->second.samples;

    ++m_decodes;
    SharedSamples samples = WaveDecoder::decodeFile(path);
    if (m_entries.size() >= kCapacity && m_entries.find(path) == m_entries.end())
        m_entries.erase(m_entries.begin());
    m_entries[path] = Entry { identity, samples };
    return samples;
}
