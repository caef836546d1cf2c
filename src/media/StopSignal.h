#pragma once

#include <atomic>

// The system's object that a stop wakes: a file descriptor on Linux, an event HANDLE on Windows.
// Only the child process code of the same system looks inside.
#ifdef _WIN32
using StopSignalNative = void*;
#else
using StopSignalNative = int;
#endif

// Tells a running synthesis that its text is no longer wanted: a flag for code that checks, and
// an object of the system that a wait on a child process wakes on at once (an eventfd that
// becomes readable on Linux, a manual-reset event on Windows).
class StopSignal
{
public:
    using Native = StopSignalNative;

    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void raise();
    void reset();
    // Clears the system's object after a wake-up; the flag is left as it is.
    void acknowledge() const;
    bool raised() const { return m_raised.load(); }
    Native native() const { return m_native; }

private:
    std::atomic<bool> m_raised { false };
    Native m_native;
};
