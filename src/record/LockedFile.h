#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// A small text file beside the record that several programs append to and one takes the
// contents of (the answers waiting for the record, the notes for the teacher): open and locked
// whole for this handle alone while it is used (flock on Linux, LockFileEx on Windows; neither
// belongs to the process, so nothing else in it can drop them), so that appends and a taking
// never interleave. One file per platform.
class LockedFile
{
public:
    enum class Open
    {
        Existing, // nothing is opened when the file is not there
        OrCreate,
    };

    // Waits for the lock. A file that another program emptied and removed while this one waited
    // is opened again under its name.
    LockedFile(const std::filesystem::path& file, Open open);
    ~LockedFile(); // gives the lock back
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool isOpen() const;
    // Whether opening failed because the file is not there.
    bool missing() const { return m_missing; }

    // Writes the bytes at the end and syncs them; a line left unfinished at the end (a machine
    // that went off mid-write) is ended first, so that it spoils only itself. On a failure the
    // file is cut back to where it was and false returned.
    bool appendLine(std::string_view bytes);
    // The whole file; nothing when it cannot be read.
    std::optional<std::string> readAll();
    // Cuts the file to nothing and syncs that.
    bool empty();
    // Keeps bytes of room past the end of the file (which stays where it is) unless they are
    // kept already, in which case the file is not touched at all.
    void keepRoom(std::uint64_t bytes);
    // What the system said of the last failure, for the logs.
    std::string lastError() const;

private:
    std::filesystem::path m_file;
    bool m_missing = false;
    std::intptr_t m_handle = -1; // the descriptor, or the HANDLE on Windows
    unsigned long m_error = 0; // errno, or GetLastError() on Windows
};
