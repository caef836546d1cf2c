#include "media/StopSignal.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

StopSignal::StopSignal()
    : m_native(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{ }

StopSignal::~StopSignal()
{
    if (m_native >= 0)
        ::close(m_native);
}

void StopSignal::raise()
{
    m_raised = true;
    if (m_native >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(m_native, &one, sizeof one);
    }
}

void StopSignal::reset()
{
    m_raised = false;
    acknowledge();
}

void StopSignal::acknowledge() const
{
    if (m_native >= 0) {
        std::uint64_t count = 0;
        [[maybe_unused]] const auto read = ::read(m_native, &count, sizeof count);
    }
}
