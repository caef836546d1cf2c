#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What tells one version of a file from another without reading it: the file itself (device and
// file number) and its length, modification and change times. The change time moves with every
// write and rename and cannot be set back by copying tools, so a new recording saved or copied
// over an old one is told apart even when its length and modification time are the same.
struct FileIdentity
{
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    std::int64_t size = 0;
    std::int64_t modified = 0;
    std::int64_t changed = 0;
    bool operator==(const FileIdentity&) const = default;

    // Nothing when the UTF-8 path names no regular file.
    static std::optional<FileIdentity> of(const std::string& path);
};
