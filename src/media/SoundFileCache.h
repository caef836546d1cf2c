#pragma once

#include "media/AudioFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

// Keeps the decoded samples of the sound files the drill plays again and again, so that a key's
// kana starts without decoding. Every lookup checks the file on disk first: a file that was
// replaced, rewritten or touched since it was decoded is decoded again, and a file that has gone
// is silence.
class SoundFileCache
{
public:
    static constexpr std::size_t kCapacity = 128;

    SharedSamples load(const std::string& path);
    std::size_t decodeCount() const { return m_decodes; }
    std::size_t size() const { return m_entries.size(); }

private:
    struct Identity
    {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        std::int64_t changedNs = 0;
        bool operator==(const Identity&) const = default;
    };
    struct Entry
    {
        Identity identity;
        SharedSamples samples;
    };

    std::unordered_map<std::string, Entry> m_entries;
    std::size_t m_decodes = 0;
};
