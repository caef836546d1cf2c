#include "media/SoundFileCache.h"

#include "media/WaveDecoder.h"

#include <algorithm>

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
    const std::optional<FileIdentity> identity = FileIdentity::of(path);
    if (!identity) {
        forget(path);
        return nullptr;
    }

    if (const auto found = m_entries.find(path);
        found != m_entries.end() && found->second.identity == *identity) {
        found->second.lastUse = ++m_uses;
        return found->second.samples;
    }

    ++m_decodes;
    forget(path);
    Entry entry { *identity, WaveDecoder::decodeFile(path), ++m_uses };
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
