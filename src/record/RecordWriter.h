#pragma once

#include "record/Attempt.h"
#include "record/RecordEntry.h"
#include "record/RecordError.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Writes a drill run's record on a thread of its own, so that the child never waits for the
// disk: the drill's thread only queues what happened. The record is opened for what is queued
// and closed again, so the drill holds no lock between answers. Each answer is its own
// transaction, so a killed drill loses at most the one being written.
//
// An answer is never dropped while the drill runs: a record that another program holds, a full
// disk or a file that may not be written are tried again and again. Answers that have waited
// long (or too many of them) go to the pending file beside the record (PendingAnswers), which the
// next opening of the record takes in; so does whatever is left when the drill ends. The teacher
// is told, in the record's problem notes, how many wait and why.
class RecordWriter
{
public:
    struct Options
    {
        std::chrono::milliseconds firstRetryAfter { 100 };
        std::chrono::milliseconds longestRetryAfter { 2'000 };
        // How long the record may refuse answers before they go to the pending file as they come
        // (so that a drill killed meanwhile loses none of them).
        std::chrono::milliseconds pendingAfter { 30'000 };
        // Entries kept in memory at most; more go to the pending file. A day of practice is a
        // few hundred answers.
        std::size_t mostWaiting = 10'000;
    };
    // The longest wait at exit for the record before what is left goes to the pending file.
    static constexpr std::chrono::milliseconds kExitWait { 2'000 };
    // The drill's exit status when finish() could not keep every answer.
    static constexpr int kNotKeptStatus = 3;

    explicit RecordWriter(std::filesystem::path file);
    RecordWriter(std::filesystem::path file, Options options);
    // Finishes with kExitWait at most, if finish() was not called.
    ~RecordWriter();
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // childName: as the launcher named the child, so that a late entry finds the same child.
    void beginRun(std::int64_t childId, std::u16string childName, std::filesystem::path folder,
        std::int64_t startedMs);
    void addAttempt(Attempt attempt);
    void endRun(std::int64_t endedMs);

    // Waits until everything queued so far is in the record or in the pending file.
    void flush();
    // Takes no more entries, tries the record for at most limit, puts what is left into the
    // pending file and ends the thread. True when every answer is in the record or the pending
    // file.
    bool finish(std::chrono::milliseconds limit);

private:
    using Clock = std::chrono::steady_clock;

    void push(RecordEntry entry);
    void work();
    // Puts the calling thread below the program's others; one file per platform.
    static void lowerThisThreadsPriority();
    // Writes the entries in order, each in its own transaction, until one fails; returns how
    // many are done (written, or refused for a child that is not in the record).
    std::size_t writeSome(const std::vector<RecordEntry>& entries);
    // Moves the first count queued entries to the pending file; false when it cannot be written.
    bool setAside(std::unique_lock<std::mutex>& lock, std::size_t count);
    void noteRefused(const RecordEntry& entry);
    void giveNotes();
    void noteAtEnd();

    const std::filesystem::path m_file;
    const Options m_options;

    // Shared with the drill's thread, under m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_wake; // an entry, or the end
    std::condition_variable m_idle; // the queue is empty
    std::deque<RecordEntry> m_queue;
    // The drill thread's own: the run's entry as begun, and how many answers it has had.
    std::optional<RecordEntry> m_run;
    std::int64_t m_answers = 0;
    bool m_busy = false;
    bool m_stopping = false;
    Clock::time_point m_stopDeadline;
    bool m_allKept = true;

    // The writing thread's own.
    std::optional<Clock::time_point> m_failingSince;
    std::optional<RecordError> m_lastFailure;
    std::chrono::milliseconds m_retryAfter { 0 };
    std::size_t m_setAsideAnswers = 0;
    std::size_t m_lostAnswers = 0;
    std::map<std::u16string, std::size_t> m_refused; // answers for a child not in the record
    std::vector<std::u16string> m_notes; // not yet on the disk

    std::thread m_thread;
};
