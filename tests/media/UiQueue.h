#pragma once

#include "media/UiPoster.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

// Stands in for the user-interface thread's event queue: other threads post into it, the test
// runs what was posted when it chooses, as the event loop would between two events.
class UiQueue
{
public:
    UiPoster poster()
    {
        return [this](std::function<void()> f) {
            std::lock_guard lock(m_mutex);
            m_pending.push_back(std::move(f));
            m_posted.notify_all();
        };
    }

    // Waits (bounded, so a fault fails the test instead of hanging it) until something is posted.
    bool waitForPost(std::chrono::seconds limit = std::chrono::seconds(30))
    {
        std::unique_lock lock(m_mutex);
        return m_posted.wait_for(lock, limit, [&] { return !m_pending.empty(); });
    }

    std::size_t size()
    {
        std::lock_guard lock(m_mutex);
        return m_pending.size();
    }

    void run()
    {
        std::deque<std::function<void()>> taken;
        {
            std::lock_guard lock(m_mutex);
            taken.swap(m_pending);
        }
        for (auto& f : taken)
            f();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_pending;
};
