#include "SmallDisk.h"

#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

SmallDisk::SmallDisk(std::filesystem::path folder)
    : m_folder(std::move(folder))
    , m_mounted(::mount("tmpfs", m_folder.c_str(), "tmpfs", 0, "size=16k") == 0)
{ }

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(m_folder.c_str(), MNT_DETACH);
}

bool SmallDisk::protect() const
{
    return ::mount(nullptr, m_folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void SmallDisk::fill() const
{
    const int fd = ::open((m_folder / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string block(1024, 'x');
    while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) { }
    ::close(fd);
}
