#pragma once

#include "record/Attempt.h"
#include "record/RecordError.h"
#include "record/RecordProblems.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <variant>

class RecordStore;

// Writes a drill run's record on a thread of its own, so that the child never waits for the
// disk: the drill's thread only queues what happened. The store is opened on that thread at the
// first job. Each answer is its own transaction, so a killed drill loses at most the one being
// written. A database that another program holds is tried again for a while; whatever cannot be
// written is dropped and noted for the teacher (RecordProblems), and the drill goes on.
class RecordWriter
{
public:
    struct Options
    {
        // How long a locked database is waited for before answers are given up.
        std::chrono::milliseconds lockedRetryFor { 30'000 };
        std::chrono::milliseconds firstRetryAfter { 100 };
        std::chrono::milliseconds longestRetryAfter { 2'000 };
    };
    // The longest wait at exit for what is still queued.
    static constexpr std::chrono::milliseconds kExitWait { 2'000 };

    explicit RecordWriter(std::filesystem::path file);
    RecordWriter(std::filesystem::path file, Options options);
    // Finishes with kExitWait at most, if finish() was not called.
    ~RecordWriter();
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    void beginRun(std::int64_t childId, std::filesystem::path folder, std::int64_t startedMs);
    void addAttempt(Attempt attempt);
    void endRun(std::int64_t endedMs);

    // Waits until everything queued so far has been written or given up.
    void flush();
    // Takes no more jobs, waits at most limit for the queue and ends the thread. Returns whether
    // everything queued was dealt with in time; what was left is dropped and noted.
    bool finish(std::chrono::milliseconds limit);

private:
    struct BeginRun
    {
        std::int64_t childId;
        std::filesystem::path folder;
        std::int64_t startedMs;
    };
    struct AddAttempt
    {
        Attempt attempt;
    };
    struct EndRun
    {
        std::int64_t endedMs;
    };
    using Job = std::variant<BeginRun, AddAttempt, EndRun>;
    enum class Outcome
    {
        Done,
        Retry,
    };

    void push(Job job);
    void work();
    // Puts the calling thread below the program's others; one file per platform.
    static void lowerThisThreadsPriority();
    Outcome write(Job& job, bool stopping, std::chrono::steady_clock::time_point stopDeadline);
    void writeJob(Job& job);
    bool ensureRun();
    void note(const RecordError& error);
    void noteDropped(std::size_t count);

    const std::filesystem::path m_file;
    const Options m_options;
    RecordProblems m_problems;

    // Shared with the drill's thread, under m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_wake; // a job, or the end
    std::condition_variable m_idle; // the queue is empty
    std::deque<Job> m_jobs;
    bool m_busy = false;
    bool m_stopping = false;
    std::chrono::steady_clock::time_point m_stopDeadline;
    std::size_t m_dropped = 0;

    // The writing thread's own.
    std::unique_ptr<RecordStore> m_store;
    std::optional<BeginRun> m_run;
    std::int64_t m_runId = 0;
    std::optional<std::chrono::steady_clock::time_point> m_lockedSince;
    std::chrono::milliseconds m_retryAfter { 0 };
    std::chrono::milliseconds m_retryWait { 0 };
    std::set<RecordError::Kind> m_noted;

    std::thread m_thread;
};
