#include "media/StopSignal.h"

#include <windows.h>

// Manual reset: the event stays set for every wait until the next text resets it, as the
// eventfd stays readable on Linux.
StopSignal::StopSignal()
    : m_native(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{ }

StopSignal::~StopSignal()
{
    if (m_native)
        CloseHandle(m_native);
}

void StopSignal::raise()
{
    m_raised = true;
    if (m_native)
        SetEvent(m_native);
}

void StopSignal::reset()
{
    m_raised = false;
    acknowledge();
}

void StopSignal::acknowledge() const
{
    if (m_native)
        ResetEvent(m_native);
}
