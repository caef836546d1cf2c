#pragma once

#include <filesystem>

// Where SDL's disk audio driver writes what it plays in the soak and the media benchmark: a named
// pipe that a thread of the program reads and throws away, so that a run at full speed fills no
// disk. SDL 2.32 refuses a device file (/dev/null) as the driver's output; a pipe it takes, as
// earlier versions do. Linux only, as the soak and the benchmarks are.
class DiskAudioSink
{
public:
    // Makes the pipe in FOLDER, starts its reader and points SDL_DISKAUDIOFILE at it.
    static bool open(const std::filesystem::path& folder);
};
