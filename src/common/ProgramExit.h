#pragma once

// The end of a program, once it has written, flushed and closed everything of its own and its
// last window is gone.
//
// On Windows the runtime's own way out can hang: as the C++ runtime library unloads, it waits on
// a lock of the thread library that one of the threads which had just ended left taken (seen when
// Esc closed the drill while a sound was playing). The process then never ends, and the next
// start finds a drill still running. There the process is ended at once instead; the system
// closes its files and windows as for any process that ends. Elsewhere the usual exit is kept.
class ProgramExit
{
public:
    // Returns status, for main to return, where the usual exit is kept; on Windows it does not
    // return.
    static int after(int status);
};
