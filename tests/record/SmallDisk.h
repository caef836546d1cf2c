#pragma once

#include <filesystem>

// A 16 KiB file system mounted over a folder for the life of the object, where this process may
// mount one: as root on Linux, outside a restricted container; never on Windows.
class SmallDisk
{
public:
    explicit SmallDisk(std::filesystem::path folder);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    // As a write-protected stick: nothing on it can change, not even for root.
    bool protect() const;
    // Takes every block that is left.
    void fill() const;

private:
    std::filesystem::path m_folder;
    bool m_mounted = false;
};
