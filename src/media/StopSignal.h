#pragma once

#include <atomic>

// Tells a running synthesis that its text is no longer wanted: a flag for code that checks, and
// a descriptor that becomes readable, so that a wait on a child process wakes at once.
class StopSignal
{
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void raise();
    void reset();
    // Empties the descriptor after a wake-up; the flag is left as it is.
    void acknowledge() const;
    bool raised() const { return m_raised.load(); }
    int fd() const { return m_fd; }

private:
    std::atomic<bool> m_raised { false };
    int m_fd = -1;
};
