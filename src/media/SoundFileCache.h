#pragma once

#include "media/AudioFormat.h"
#include "media/FileIdentity.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

// Keeps the decoded samples of the sound files the drill plays again and again, so that a key's
// kana starts without decoding. Every lookup checks the file on disk first: a file that was
// replaced, rewritten or touched since it was decoded is decoded again, and a file that has gone
// is silence. It holds at most kCapacity files and kMaxBytes of samples (all 78 sounds of the
// drill take about 4 MiB); past either, the sound heard least recently goes first.
class SoundFileCache
{
public:
    static constexpr std::size_t kCapacity = 128;
    static constexpr std::size_t kMaxBytes = 32u * 1024u * 1024u;

    explicit SoundFileCache(std::size_t maxBytes = kMaxBytes);

    SharedSamples load(const std::string& path);
    std::size_t decodeCount() const { return m_decodes; }
    std::size_t size() const { return m_entries.size(); }
    std::size_t bytes() const { return m_bytes; }

private:
    struct Entry
    {
        FileIdentity identity;
        SharedSamples samples;
        std::uint64_t lastUse = 0;
    };

    static std::size_t bytesOf(const Entry& entry);
    void forget(const std::string& path);

    std::size_t m_maxBytes;
    std::unordered_map<std::string, Entry> m_entries;
    std::size_t m_bytes = 0;
    std::uint64_t m_uses = 0;
    std::size_t m_decodes = 0;
};
