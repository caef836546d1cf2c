#include "DiskAudioSink.h"

#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool DiskAudioSink::open(const std::filesystem::path& folder)
{
    const std::filesystem::path pipe = folder / "sdlaudio.fifo";
    if (::mkfifo(pipe.c_str(), 0600) != 0)
        return false;
    // Open for reading and writing, the pipe blocks neither this open nor SDL's, and its reader
    // sees no end when SDL closes the device and opens it again later.
    const int descriptor = ::open(pipe.c_str(), O_RDWR | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    // Reads as long as the process lives.
    std::thread([descriptor] {
        static char buffer[1 << 16];
        while (::read(descriptor, buffer, sizeof buffer) > 0) { }
    }).detach();
    return ::setenv("SDL_DISKAUDIOFILE", pipe.c_str(), 1) == 0;
}
