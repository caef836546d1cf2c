#include "media/SoundFileCache.h"

#include "media/WaveDecoder.h"

#include <sys/stat.h>

#include <algorithm>

namespace {

std::int64_t nanoseconds(const timespec& t)
{
    return std::int64_t { t.tv_sec } * 1'000'000'000 + t.tv_nsec;
}

} // namespace

SoundFileCache::SoundFileCache(std::size_t maxBytes)
    : m_maxBytes(maxBytes)
{ }

std::size_t SoundFileCache::bytesOf(const Entry& entry)
{
    return entry.samples ? entry.samples->size() * sizeof(std::int16_t) : 0;
}

void SoundFileCache::forget(const std::string& path)
{
    const auto found = m_entries.find(path);
    if (found == m_entries.end())
        return;
    m_bytes -= bytesOf(found->second);
    m_entries.erase(found);
}

SharedSamples SoundFileCache::load(const std::string& path)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        forget(path);
        return nullptr;
    }
    // The change time moves with every write and rename and cannot be set back by copying
    // tools, so together with the inode it tells a new recording from the cached one.
    const Identity identity { static_cast<std::uint64_t>(info.st_dev),
        static_cast<std::uint64_t>(info.st_ino), static_cast<std::int64_t>(info.st_size),
        nanoseconds(info.st_mtim), nanoseconds(info.st_ctim) };

    if (const auto found = m_entries.find(path);
        found != m_entries.end() && found->second.identity == identity) {
        found->second.lastUse = ++m_uses;
        return found->second.samples;
    }

    ++m_decodes;
    forget(path);
    Entry entry { identity, WaveDecoder::decodeFile(path), ++m_uses };
    const std::size_t size = bytesOf(entry);
    // Room is made by letting go of the sounds heard least recently; a single sound larger than
    // the whole cache is played but not kept.
    while (!m_entries.empty() && (m_entries.size() >= kCapacity || m_bytes + size > m_maxBytes)) {
        const auto oldest = std::min_element(m_entries.begin(), m_entries.end(),
            [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
        forget(oldest->first);
    }
    if (size <= m_maxBytes) {
        m_bytes += size;
        m_entries.emplace(path, entry);
    }
    return entry.samples;
}
