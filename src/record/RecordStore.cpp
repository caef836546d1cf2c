#include "record/RecordStore.h"

#include "common/Utf8Text.h"
#include "data/PictureCollator.h"
#include "record/ChildName.h"
#include "record/PendingAnswers.h"
#include "record/RecordProblems.h"

#include <algorithm>
#include <map>
#include <string>

namespace {

std::u16string number(std::size_t value)
{
    return Utf8Text::decodeReplacing(std::to_string(value));
}

Child childFrom(const RecordQuery& query)
{
    return { query.integer(0), query.text(1), query.path(2) };
}

} // namespace

RecordStore::RecordStore(std::filesystem::path file, Access access)
    : m_connection(std::move(file), access)
{
    if (access == Access::ReadWrite) {
        takeInPending();
        PendingAnswers(this->file()).reserve();
    }
}

// The answers that waited are taken in whole or not at all, in one transaction; one already in
// the record (an earlier taking-in that was cut short before the file was emptied) is not
// written again. A record that cannot take them now leaves them waiting for the next opening.
void RecordStore::takeInPending()
{
    PendingAnswers pending(file());
    if (!pending.waiting())
        return;
    std::size_t taken = 0;
    std::map<std::u16string, std::size_t> refused; // by the child's name
    try {
        pending.takeIn([&](const std::vector<RecordEntry>& entries) {
            taken = 0;
            refused.clear();
            m_connection.transaction(true, [&] {
                for (const RecordEntry& entry : entries) {
                    const Written written = writeEntry(entry);
                    if (entry.answer && written == Written::Now)
                        ++taken;
                    else if (entry.answer && written == Written::NoChild)
                        ++refused[entry.childName];
                }
            });
        });
    } catch (const RecordError&) {
        return;
    }
    RecordProblems problems(file());
    if (taken > 0) {
        problems.append(u"記録のファイルに書きこめずに待っていた答え" + number(taken)
            + u"件を、記録に取りこみました。");
    }
    for (const auto& [name, count] : refused) {
        problems.append(u"「" + name + u"」が記録にいないため、待っていた答え" + number(count)
            + u"件は取りこめませんでした。");
    }
}

std::u16string RecordStore::checkedName(std::u16string_view name) const
{
    std::u16string cleaned = ChildName::Cleaned(name);
    if (std::optional<std::u16string> refusal = ChildName::Refusal(cleaned))
        throw RecordError(RecordError::Kind::Other, "a child's name is refused", *refusal);
    return cleaned;
}

// Called inside a transaction. A class has a few dozen children: each name's key is made here
// rather than kept in the file, so that the rule can change without an upgrade.
std::optional<Child> RecordStore::childNamed(std::u16string_view name)
{
    const std::u16string key = ChildName::Key(name);
    RecordQuery query = m_connection.query("SELECT id, name, last_folder FROM child ORDER BY id");
    while (query.step()) {
        if (ChildName::Key(query.text(1)) == key)
            return childFrom(query);
    }
    return std::nullopt;
}

std::optional<Child> RecordStore::childNumbered(std::int64_t id)
{
    RecordQuery query = m_connection.query("SELECT id, name, last_folder FROM child WHERE id = ?");
    query.bind(id);
    if (query.step())
        return childFrom(query);
    return std::nullopt;
}

void RecordStore::refuseTaken(std::u16string_view name, std::int64_t renamed)
{
    const std::optional<Child> other = childNamed(name);
    if (other && other->id != renamed) {
        throw RecordError(RecordError::Kind::NameTaken,
            "a child named like that exists: " + std::to_string(other->id),
            u"同じ名前の子どもがいます。");
    }
}

std::vector<Child> RecordStore::children()
{
    std::vector<Child> result;
    m_connection.transaction(false, [&] {
        RecordQuery query
            = m_connection.query("SELECT id, name, last_folder FROM child ORDER BY id");
        while (query.step())
            result.push_back(childFrom(query));
    });
    // As a Japanese teacher reads a class list: あいうえお order, a voiced kana right after its
    // plain one, not by code point (where every kanji name would follow every kana one).
    const PictureCollator collator;
    std::stable_sort(result.begin(), result.end(),
        [&](const Child& a, const Child& b) { return collator.less(a.name, b.name); });
    return result;
}

std::optional<Child> RecordStore::findChild(std::u16string_view name)
{
    std::optional<Child> result;
    if (ChildName::Key(name).empty())
        return result;
    m_connection.transaction(false, [&] { result = childNamed(name); });
    return result;
}

std::optional<Child> RecordStore::childById(std::int64_t id)
{
    std::optional<Child> result;
    m_connection.transaction(false, [&] { result = childNumbered(id); });
    return result;
}

std::int64_t RecordStore::addChild(std::u16string_view name)
{
    const std::u16string kept = checkedName(name);
    std::int64_t id = 0;
    m_connection.transaction(true, [&] {
        refuseTaken(kept, 0);
        m_connection.query("INSERT INTO child (name) VALUES (?)").bindText(kept).step();
        id = m_connection.lastInsertId();
    });
    return id;
}

void RecordStore::renameChild(std::int64_t id, std::u16string_view name)
{
    const std::u16string kept = checkedName(name);
    m_connection.transaction(true, [&] {
        refuseTaken(kept, id);
        m_connection.query("UPDATE child SET name = ? WHERE id = ?").bindText(kept).bind(id).step();
        if (m_connection.changes() == 0)
            throw RecordError(RecordError::Kind::UnknownChild, "no child " + std::to_string(id));
    });
}

void RecordStore::removeChild(std::int64_t id)
{
    m_connection.transaction(true, [&] {
        m_connection.query("DELETE FROM child WHERE id = ?").bind(id).step();
        if (m_connection.changes() == 0)
            throw RecordError(RecordError::Kind::UnknownChild, "no child " + std::to_string(id));
    });
}

void RecordStore::setLastFolder(std::int64_t id, const std::filesystem::path& folder)
{
    m_connection.transaction(true, [&] {
        m_connection.query("UPDATE child SET last_folder = ? WHERE id = ?")
            .bindPath(folder)
            .bind(id)
            .step();
        if (m_connection.changes() == 0)
            throw RecordError(RecordError::Kind::UnknownChild, "no child " + std::to_string(id));
    });
}

std::int64_t RecordStore::beginRun(
    std::int64_t childId, const std::filesystem::path& folder, std::int64_t startedMs)
{
    std::int64_t id = 0;
    m_connection.transaction(true, [&] {
        m_connection.query("INSERT INTO run (child_id, started_ms, folder) VALUES (?, ?, ?)")
            .bind(childId)
            .bind(startedMs)
            .bindPath(folder)
            .step();
        id = m_connection.lastInsertId();
    });
    return id;
}

void RecordStore::endRun(std::int64_t runId, std::int64_t endedMs)
{
    m_connection.transaction(true, [&] {
        m_connection.query("UPDATE run SET ended_ms = ? WHERE id = ?")
            .bind(endedMs)
            .bind(runId)
            .step();
        if (m_connection.changes() == 0)
            throw RecordError(RecordError::Kind::UnknownChild, "no run " + std::to_string(runId));
    });
}

void RecordStore::addAttempt(std::int64_t runId, const Attempt& attempt)
{
    m_connection.transaction(true, [&] { insertAttempt(runId, attempt, 0); });
}

void RecordStore::insertAttempt(
    std::int64_t runId, const Attempt& attempt, std::int64_t answerNumber)
{
    // The child is taken from the run, so an attempt can only join a run that is there.
    m_connection
        .query(
            "INSERT INTO attempt (run_id, child_id, when_ms, folder, word, typed, is_right, "
            "first_try, seconds_to_enter, kana_keys, backspaces, mark_keys, "
            "key_guard_tenths, talking_aid, discarded_keys, run_answer) "
            "SELECT id, child_id, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ? FROM run WHERE id = ?")
        .bind(attempt.whenMs)
        .bindPath(attempt.folder)
        .bindText(attempt.word)
        .bindText(attempt.typed)
        .bind(std::int64_t { attempt.right })
        .bind(std::int64_t { attempt.firstTry })
        .bind(attempt.secondsToEnter)
        .bind(std::int64_t { attempt.kanaKeys })
        .bind(std::int64_t { attempt.backspaces })
        .bind(std::int64_t { attempt.markKeys })
        .bind(std::int64_t { attempt.keyGuardTenths })
        .bind(std::int64_t { attempt.talkingAidKeyboard })
        .bind(std::int64_t { attempt.discardedKeys })
        .bind(answerNumber)
        .bind(runId)
        .step();
    if (m_connection.changes() == 0)
        throw RecordError(RecordError::Kind::UnknownChild, "no run " + std::to_string(runId));
}

bool RecordStore::write(const RecordEntry& entry)
{
    Written written = Written::Now;
    m_connection.transaction(true, [&] { written = writeEntry(entry); });
    return written != Written::NoChild;
}

// The child the drill named: its number, as long as the name still fits it (a record begun
// afresh numbers its children anew), otherwise the child of that name.
std::optional<std::int64_t> RecordStore::childOf(const RecordEntry& entry)
{
    const std::optional<Child> byId = childNumbered(entry.childId);
    if (byId
        && (entry.childName.empty()
            || ChildName::Key(byId->name) == ChildName::Key(entry.childName)))
        return byId->id;
    if (entry.childName.empty())
        return std::nullopt;
    if (const std::optional<Child> byName = childNamed(entry.childName))
        return byName->id;
    return std::nullopt;
}

RecordStore::Written RecordStore::writeEntry(const RecordEntry& entry)
{
    const std::optional<std::int64_t> child = childOf(entry);
    if (!child)
        return Written::NoChild;
    std::int64_t runId = 0;
    {
        RecordQuery run = m_connection.query(
            "SELECT id FROM run WHERE child_id = ? AND started_ms = ? ORDER BY id LIMIT 1");
        run.bind(*child).bind(entry.runStartedMs);
        if (run.step())
            runId = run.integer(0);
    }
    if (runId == 0) {
        m_connection
            .query("INSERT INTO run (child_id, started_ms, ended_ms, folder) VALUES (?, ?, ?, ?)")
            .bind(*child)
            .bind(entry.runStartedMs)
            .bind(entry.runEndedMs)
            .bindPath(entry.folder)
            .step();
        runId = m_connection.lastInsertId();
    } else if (entry.runEndedMs != 0) {
        m_connection.query("UPDATE run SET ended_ms = ? WHERE id = ? AND ended_ms < ?")
            .bind(entry.runEndedMs)
            .bind(runId)
            .bind(entry.runEndedMs)
            .step();
    }
    if (!entry.answer)
        return Written::Now;
    const Attempt& answer = *entry.answer;
    {
        RecordQuery same = m_connection.query(
            "SELECT count(*) FROM attempt WHERE run_id = ? AND run_answer = ?");
        same.bind(runId).bind(entry.answerNumber);
        if (entry.answerNumber > 0 && same.step() && same.integer(0) > 0)
            return Written::Before;
    }
    insertAttempt(runId, answer, entry.answerNumber);
    return Written::Now;
}

std::vector<Attempt> RecordStore::attempts(
    std::int64_t childId, std::int64_t fromMs, std::int64_t toMs)
{
    std::vector<Attempt> result;
    m_connection.transaction(false, [&] {
        RecordQuery query = m_connection.query(
            "SELECT when_ms, folder, word, typed, is_right, first_try, seconds_to_enter, "
            "kana_keys, backspaces, mark_keys, key_guard_tenths, talking_aid, run_id, "
            "discarded_keys FROM attempt WHERE child_id = ? AND when_ms >= ? AND when_ms < ? "
            "ORDER BY when_ms, id");
        query.bind(childId).bind(fromMs).bind(toMs);
        // Folder names repeat from row to row: each distinct one is made into a path once.
        std::string lastFolder;
        std::filesystem::path folder;
        while (query.step()) {
            Attempt& attempt = result.emplace_back();
            attempt.whenMs = query.integer(0);
            if (query.bytes(1) != lastFolder || result.size() == 1) {
                lastFolder = query.bytes(1);
                folder = RecordQuery::FromStored(lastFolder);
            }
            attempt.folder = folder;
            attempt.word = query.text(2);
            attempt.typed = query.text(3);
            attempt.right = query.integer(4) != 0;
            attempt.firstTry = query.integer(5) != 0;
            attempt.secondsToEnter = query.real(6);
            attempt.kanaKeys = static_cast<int>(query.integer(7));
            attempt.backspaces = static_cast<int>(query.integer(8));
            attempt.markKeys = static_cast<int>(query.integer(9));
            attempt.keyGuardTenths = static_cast<int>(query.integer(10));
            attempt.talkingAidKeyboard = query.integer(11) != 0;
            attempt.runId = query.integer(12);
            attempt.discardedKeys = static_cast<int>(query.integer(13));
        }
    });
    return result;
}

std::vector<DrillRun> RecordStore::runs(
    std::int64_t childId, std::int64_t fromMs, std::int64_t toMs)
{
    std::vector<DrillRun> result;
    m_connection.transaction(false, [&] {
        RecordQuery query = m_connection.query("SELECT id, started_ms, ended_ms, folder FROM run "
                                               "WHERE child_id = ? AND started_ms >= ? AND "
                                               "started_ms < ? ORDER BY started_ms, id");
        query.bind(childId).bind(fromMs).bind(toMs);
        while (query.step())
            result.push_back(
                { query.integer(0), query.integer(1), query.integer(2), query.path(3) });
    });
    return result;
}
