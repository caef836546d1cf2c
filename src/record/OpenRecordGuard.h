#pragma once

#include <filesystem>

// Keeps a process from opening the same record twice. The record's locks are the file system's
// advisory locks, which belong to the process, not to the connection: closing any second handle
// on the file drops them all, and another program may then delete the journal under the first.
// A store registers its file for as long as it is open; a second opening of the same file, by
// any name that leads to it, is refused.
class OpenRecordGuard
{
public:
    // Throws RecordError when the file is open in this process already.
    explicit OpenRecordGuard(const std::filesystem::path& file);
    ~OpenRecordGuard();
    OpenRecordGuard(const OpenRecordGuard&) = delete;
    OpenRecordGuard& operator=(const OpenRecordGuard&) = delete;

    // The name every way of writing the file comes to: absolute, links followed, dots gone.
    static std::filesystem::path Resolved(const std::filesystem::path& file);

private:
    std::filesystem::path m_key;
};
