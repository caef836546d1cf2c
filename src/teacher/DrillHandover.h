#pragma once

#include "teacher/DrillLaunch.h"

#include <ostream>

// Gives the launcher's place to the drill for a child started from a desktop shortcut or a
// script: on Linux the launcher's process becomes the drill, so whatever started it sees the
// drill's own end; Windows cannot replace a process, so there the drill runs as a child and the
// launcher waits for it and ends with its status.
class DrillHandover
{
public:
    // Returns only when the drill could not be started (after saying why on errors) or, on
    // Windows, when it has ended: the status for the launcher to end with.
    static int Run(const DrillLaunch& launch, std::ostream& errors);
};
