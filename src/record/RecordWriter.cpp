#include "record/RecordWriter.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/PendingAnswers.h"
#include "record/RecordProblems.h"
#include "record/RecordStore.h"

#include <algorithm>
#include <string>

namespace {

constexpr std::chrono::milliseconds kSettle { 30 };

// Entries written per opening of the record at most, so that the drill's next answer is not
// held behind a long backlog's lock.
constexpr std::size_t kBatch = 256;

std::u16string number(std::size_t value)
{
    return Utf8Text::decodeReplacing(std::to_string(value));
}

std::size_t answersIn(const std::vector<RecordEntry>& entries)
{
    return static_cast<std::size_t>(std::count_if(entries.begin(), entries.end(),
        [](const RecordEntry& entry) { return entry.answer.has_value(); }));
}

} // namespace

RecordWriter::RecordWriter(std::filesystem::path file)
    : RecordWriter(std::move(file), Options {})
{ }

RecordWriter::RecordWriter(std::filesystem::path file, Options options)
    : m_file(std::move(file))
    , m_options(options)
    , m_retryAfter(options.firstRetryAfter)
    , m_thread([this] { work(); })
{ }

RecordWriter::~RecordWriter()
{
    if (m_thread.joinable())
        finish(kExitWait);
}

void RecordWriter::beginRun(std::int64_t childId, std::u16string childName,
    std::filesystem::path folder, std::int64_t startedMs)
{
    RecordEntry run;
    run.childId = childId;
    run.childName = std::move(childName);
    run.folder = std::move(folder);
    run.runStartedMs = startedMs;
    m_run = run;
    m_answers = 0;
    push(std::move(run));
}

void RecordWriter::addAttempt(Attempt attempt)
{
    if (!m_run)
        return;
    RecordEntry entry = *m_run;
    entry.answer = std::move(attempt);
    entry.answerNumber = ++m_answers;
    push(std::move(entry));
}

void RecordWriter::endRun(std::int64_t endedMs)
{
    if (!m_run)
        return;
    RecordEntry entry = *m_run;
    entry.runEndedMs = endedMs;
    push(std::move(entry));
}

// The drill's thread pays only for this: a lock taken for a moment, and a wake-up when the
// writer was waiting for work (a busy or retrying writer comes back to the queue by itself).
void RecordWriter::push(RecordEntry entry)
{
    bool wasIdle = false;
    {
        const std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        wasIdle = m_queue.empty() && !m_busy;
        m_queue.push_back(std::move(entry));
    }
    if (wasIdle)
        m_wake.notify_one();
}

void RecordWriter::flush()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_queue.empty() && !m_busy; });
}

bool RecordWriter::finish(std::chrono::milliseconds limit)
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_stopping) {
            m_stopping = true;
            m_stopDeadline = Clock::now() + limit;
        }
    }
    m_wake.notify_all();
    // Bounded: past the deadline the thread puts what is left into the pending file instead of
    // trying the record, and no single call into the store waits longer than its busy timeout.
    if (m_thread.joinable())
        m_thread.join();
    const std::lock_guard lock(m_mutex);
    return m_allKept;
}

void RecordWriter::work()
{
    // Below the drill's own thread: on a busy two-core school laptop a commit must not take the
    // processor from the window painting the child's mark.
    lowerThisThreadsPriority();
    // Room for answers that may have to wait, should the disk fill up during the drill.
    PendingAnswers(m_file).reserve();
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (m_queue.empty() && !m_stopping) {
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            // Woken by the drill, most often by an Enter whose mark the window is still
            // painting. The commit waits until that is done (the judgement sound then holds
            // the drill's thread anyway), so that the two never compete for the processor.
            m_wake.wait_for(lock, kSettle, [this] { return m_stopping; });
        }
        if (m_queue.empty())
            break;
        const bool stopping = m_stopping;
        if (stopping && Clock::now() >= m_stopDeadline) {
            setAside(lock, m_queue.size());
            break;
        }

        // At most kBatch entries, well within the iterator's difference type.
        const auto batchSize = static_cast<std::ptrdiff_t>(std::min(m_queue.size(), kBatch));
        const std::vector<RecordEntry> batch(m_queue.begin(), m_queue.begin() + batchSize);
        m_busy = true;
        lock.unlock();
        const std::size_t done = writeSome(batch);
        lock.lock();
        m_busy = false;
        m_queue.erase(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(done));
        if (done < batch.size()) {
            // The record has refused answers for long, or too many wait: they go where a killed
            // drill cannot lose them, and the record is tried again with the next answer.
            const bool waitedLong
                = m_failingSince && Clock::now() - *m_failingSince >= m_options.pendingAfter;
            if ((waitedLong || m_queue.size() > m_options.mostWaiting)
                && setAside(lock, m_queue.size()))
                continue;
            // Still first in line: later answers must not overtake it. Each wait twice the one
            // before, up to the longest; an end asked for meanwhile cuts it short.
            auto retryAt = Clock::now() + m_retryAfter;
            m_retryAfter = std::min(m_retryAfter * 2, m_options.longestRetryAfter);
            if (m_stopping)
                retryAt = std::min(retryAt, m_stopDeadline);
            m_wake.wait_until(lock, retryAt, [&] { return m_stopping != stopping; });
            continue;
        }
        if (m_queue.empty())
            m_idle.notify_all();
    }
    lock.unlock();
    // A note the disk did not take is not an answer lost: the teacher's window sees the
    // answers waiting in the pending file by itself.
    noteAtEnd();
    lock.lock();
    if (m_lostAnswers > 0)
        m_allKept = false;
    m_idle.notify_all();
}

std::size_t RecordWriter::writeSome(const std::vector<RecordEntry>& entries)
{
    std::size_t done = 0;
    try {
        // Opened for these entries alone, and closed before the thread waits again. Opening
        // takes in what waited in the pending file, this drill's own too.
        RecordStore store(m_file);
        for (const RecordEntry& entry : entries) {
            if (!store.write(entry))
                noteRefused(entry);
            ++done;
        }
        m_failingSince.reset();
        m_retryAfter = m_options.firstRetryAfter;
    } catch (const RecordError& error) {
        if (!m_failingSince)
            m_failingSince = Clock::now();
        m_lastFailure = error;
    } catch (const std::exception& error) {
        if (!m_failingSince)
            m_failingSince = Clock::now();
        m_lastFailure = RecordError(RecordError::Kind::Other, error.what());
    }
    return done;
}

bool RecordWriter::setAside(std::unique_lock<std::mutex>& lock, std::size_t count)
{
    const std::vector<RecordEntry> entries(
        m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(count));
    const std::size_t answers = answersIn(entries);
    lock.unlock();
    const bool kept = PendingAnswers(m_file).append(entries);
    lock.lock();
    if (kept) {
        m_setAsideAnswers += answers;
    } else if (m_stopping && Clock::now() >= m_stopDeadline) {
        m_lostAnswers += answers;
    } else if (m_queue.size() > m_options.mostWaiting) {
        // Neither the record nor the pending file takes them and memory is at its bound: the
        // oldest go, and the teacher is told how many.
        const std::size_t over = m_queue.size() - m_options.mostWaiting;
        const auto end = m_queue.begin() + static_cast<std::ptrdiff_t>(over);
        m_lostAnswers += answersIn(std::vector<RecordEntry>(m_queue.begin(), end));
        m_queue.erase(m_queue.begin(), end);
        return false;
    } else {
        return false;
    }
    m_queue.erase(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(count));
    if (m_queue.empty())
        m_idle.notify_all();
    return kept;
}

void RecordWriter::noteRefused(const RecordEntry& entry)
{
    if (entry.answer)
        ++m_refused[entry.childName];
}

void RecordWriter::noteAtEnd()
{
    const std::u16string reason = m_lastFailure ? m_lastFailure->teacherText() : std::u16string();
    const std::u16string pending
        = Utf8Text::decodeReplacing(PathText::utf8(PendingAnswers(m_file).file().filename()));
    if (m_setAsideAnswers > 0) {
        m_notes.push_back(
            (reason.empty() ? u"練習の終わりまでに記録に書きこめなかった" : reason + u"その")
            + u"答え" + number(m_setAsideAnswers) + u"件を「" + pending
            + u"」に残しました。次に記録を開いたときに、記録に取りこみます。");
    }
    for (const auto& [name, count] : m_refused) {
        m_notes.push_back(u"「" + name + u"」が記録にいないため、答え" + number(count)
            + u"件を記録できませんでした。");
    }
    if (m_lostAnswers > 0) {
        m_notes.push_back(u"答え" + number(m_lostAnswers) + u"件を、記録にも「" + pending
            + u"」にも書きこめませんでした。" + reason);
    }
    giveNotes();
}

void RecordWriter::giveNotes()
{
    RecordProblems problems(m_file);
    std::erase_if(m_notes, [&](const std::u16string& note) { return problems.append(note); });
}
