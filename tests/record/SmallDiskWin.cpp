#include "SmallDisk.h"

// Windows mounts no file system for a test: the rows that need one are not run there.
SmallDisk::SmallDisk(std::filesystem::path folder)
    : m_folder(std::move(folder))
{ }

SmallDisk::~SmallDisk() = default;

bool SmallDisk::protect() const
{
    return false;
}

void SmallDisk::fill() const { }
