#include "record/RecordWriter.h"

#include "app/Utf8Text.h"
#include "data/PathText.h"
#include "record/RecordStore.h"

#include <algorithm>
#include <string>

namespace {

constexpr std::chrono::milliseconds kSettle { 30 };

} // namespace

RecordWriter::RecordWriter(std::filesystem::path file)
    : RecordWriter(std::move(file), Options {})
{ }

RecordWriter::RecordWriter(std::filesystem::path file, Options options)
    : m_file(std::move(file))
    , m_options(options)
    , m_problems(m_file)
    , m_retryAfter(options.firstRetryAfter)
    , m_thread([this] { work(); })
{ }

RecordWriter::~RecordWriter()
{
    if (m_thread.joinable())
        finish(kExitWait);
}

void RecordWriter::beginRun(
    std::int64_t childId, std::filesystem::path folder, std::int64_t startedMs)
{
    push(BeginRun { childId, std::move(folder), startedMs });
}

void RecordWriter::addAttempt(Attempt attempt)
{
    push(AddAttempt { std::move(attempt) });
}

void RecordWriter::endRun(std::int64_t endedMs)
{
    push(EndRun { endedMs });
}

// The drill's thread pays only for this: a lock taken for a moment, and a wake-up when the
// writer was waiting for work (a busy or retrying writer comes back to the queue by itself).
void RecordWriter::push(Job job)
{
    bool wasIdle = false;
    {
        const std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        wasIdle = m_jobs.empty() && !m_busy;
        m_jobs.push_back(std::move(job));
    }
    if (wasIdle)
        m_wake.notify_one();
}

void RecordWriter::flush()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

bool RecordWriter::finish(std::chrono::milliseconds limit)
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_stopping) {
            m_stopping = true;
            m_stopDeadline = std::chrono::steady_clock::now() + limit;
        }
    }
    m_wake.notify_all();
    // Bounded: past the deadline the thread drops what is left instead of trying it, and no
    // single call into the store waits longer than its busy timeout.
    if (m_thread.joinable())
        m_thread.join();
    const std::lock_guard lock(m_mutex);
    return m_dropped == 0;
}

void RecordWriter::work()
{
    // Below the drill's own thread: on a busy two-core school laptop a commit must not take the
    // processor from the window painting the child's mark.
    lowerThisThreadsPriority();
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (m_jobs.empty() && !m_stopping) {
            m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
            // Woken by the drill, most often by an Enter whose mark the window is still
            // painting. The commit waits until that is done (the judgement sound then holds
            // the drill's thread anyway), so that the two never compete for the processor.
            // Only this one answer is ever held back, and finish() cuts the wait short.
            m_wake.wait_for(lock, kSettle, [this] { return m_stopping; });
        }
        if (m_jobs.empty())
            break;
        const bool stopping = m_stopping;
        const auto deadline = m_stopDeadline;
        if (stopping && std::chrono::steady_clock::now() >= deadline) {
            const std::size_t left = m_jobs.size();
            m_jobs.clear();
            m_dropped += left;
            lock.unlock();
            noteDropped(left);
            lock.lock();
            break;
        }

        Job job = std::move(m_jobs.front());
        m_busy = true;
        lock.unlock();
        const Outcome outcome = write(job, stopping, deadline);
        lock.lock();
        m_busy = false;
        if (outcome == Outcome::Retry) {
            // Still first in line: later answers must not overtake it.
            m_jobs.front() = std::move(job);
            auto retryAt = std::chrono::steady_clock::now() + m_retryWait;
            if (m_stopping)
                retryAt = std::min(retryAt, m_stopDeadline);
            m_wake.wait_until(lock, retryAt);
            continue;
        }
        m_jobs.pop_front();
        if (m_jobs.empty())
            m_idle.notify_all();
    }
    m_idle.notify_all();
    lock.unlock();
    m_store.reset();
}

RecordWriter::Outcome RecordWriter::write(
    Job& job, bool stopping, std::chrono::steady_clock::time_point stopDeadline)
{
    try {
        if (!m_store) {
            m_store = std::make_unique<RecordStore>(m_file);
            if (m_store->setAsideFile()) {
                note(RecordError(
                    RecordError::Kind::Damaged, PathText::utf8(*m_store->setAsideFile())));
            }
        }
        writeJob(job);
        m_lockedSince.reset();
        m_retryAfter = m_options.firstRetryAfter;
        return Outcome::Done;
    } catch (const RecordError& error) {
        if (error.kind() == RecordError::Kind::Locked) {
            const auto now = std::chrono::steady_clock::now();
            if (!m_lockedSince)
                m_lockedSince = now;
            const bool keepTrying
                = stopping ? now < stopDeadline : now - *m_lockedSince < m_options.lockedRetryFor;
            if (keepTrying) {
                // Each wait twice the one before, up to the longest.
                m_retryWait = m_retryAfter;
                m_retryAfter = std::min(m_retryAfter * 2, m_options.longestRetryAfter);
                return Outcome::Retry;
            }
        }
        if (error.kind() == RecordError::Kind::Damaged) {
            // Set aside and started afresh by the store: the run is not in the new file.
            m_runId = 0;
        }
        note(error);
    } catch (const std::exception& error) {
        note(RecordError(RecordError::Kind::Other, error.what()));
    }
    return Outcome::Done;
}

void RecordWriter::writeJob(Job& job)
{
    if (auto* begin = std::get_if<BeginRun>(&job)) {
        m_run = *begin;
        m_runId = 0;
        ensureRun();
    } else if (auto* add = std::get_if<AddAttempt>(&job)) {
        if (ensureRun())
            m_store->addAttempt(m_runId, add->attempt);
    } else if (auto* end = std::get_if<EndRun>(&job)) {
        if (m_runId != 0)
            m_store->endRun(m_runId, end->endedMs);
    }
}

// The run is written with its first job that succeeds, so a run begun while the database was
// held still gets its answers once it is free.
bool RecordWriter::ensureRun()
{
    if (m_runId != 0)
        return true;
    if (!m_run)
        return false;
    m_runId = m_store->beginRun(m_run->childId, m_run->folder, m_run->startedMs);
    return true;
}

// Each kind of problem is noted once per run: a database held all morning is one line for the
// teacher, not one per answer.
void RecordWriter::note(const RecordError& error)
{
    if (!m_noted.insert(error.kind()).second)
        return;
    std::u16string text = error.teacherText();
    if (error.kind() == RecordError::Kind::Damaged && m_store && m_store->setAsideFile()) {
        text += u"(もとのファイル: "
            + Utf8Text::decodeReplacing(PathText::utf8(m_store->setAsideFile()->filename())) + u")";
    }
    m_problems.append(text);
}

void RecordWriter::noteDropped(std::size_t count)
{
    m_problems.append(u"終わるときに、" + Utf8Text::decodeReplacing(std::to_string(count))
        + u"件の記録を書き込めませんでした。");
}
