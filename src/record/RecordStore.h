#pragma once

#include "record/Attempt.h"
#include "record/RecordConnection.h"
#include "record/RecordEntry.h"
#include "record/RecordError.h"
#include "record/RecordSchema.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

class PendingAnswers;

// The children and their practice records, in one SQLite database beside the teacher's working
// directory. Each call is one transaction; every failure is thrown as RecordError. Open a store
// for a piece of work and let it go after: two stores may have the same file open in two
// processes, never in one. Opening it to write takes in the answers that waited beside it
// (PendingAnswers) for the record to be free.
class RecordStore
{
public:
    using Access = RecordConnection::Access;
    static constexpr int kSchemaVersion = RecordSchema::kVersion;
    // The launcher names the child and the file to the drill through these variables; the
    // drill records only when the first two are set.
    static constexpr const char* kChildVariable = "TAPOMI_CHILD"; // the child's id
    static constexpr const char* kFileVariable = "TAPOMI_RECORDS";
    static constexpr const char* kChildNameVariable = "TAPOMI_CHILD_NAME"; // UTF-8

    explicit RecordStore(std::filesystem::path file, Access access = Access::ReadWrite);

    const std::filesystem::path& file() const { return m_connection.file(); }
    const std::optional<std::filesystem::path>& setAsideFile() const
    {
        return m_connection.setAsideFile();
    }

    std::vector<Child> children(); // in the order of a Japanese class list
    // The child whose name is the same as this one by ChildName's rule.
    std::optional<Child> findChild(std::u16string_view name);
    std::optional<Child> childById(std::int64_t id);
    // Kept as ChildName cleans it; a name it refuses is refused, and one that is the same as
    // another child's is NameTaken.
    std::int64_t addChild(std::u16string_view name);
    void renameChild(std::int64_t id, std::u16string_view name);
    // Deletes the child and every run and attempt of theirs.
    void removeChild(std::int64_t id);
    void setLastFolder(std::int64_t id, const std::filesystem::path& folder);

    std::int64_t beginRun(
        std::int64_t childId, const std::filesystem::path& folder, std::int64_t startedMs);
    void endRun(std::int64_t runId, std::int64_t endedMs);
    void addAttempt(std::int64_t runId, const Attempt& attempt);
    // Writes what a drill told: the run is made when it is not there yet, an answer already in
    // the record is not written twice. False (nothing written) when the child is not in the
    // record: removed, or the record begun afresh.
    bool write(const RecordEntry& entry);

    // A child's attempts and runs with fromMs <= time < toMs, oldest first.
    std::vector<Attempt> attempts(std::int64_t childId, std::int64_t fromMs, std::int64_t toMs);
    std::vector<DrillRun> runs(std::int64_t childId, std::int64_t fromMs, std::int64_t toMs);

private:
    enum class Written
    {
        Now,
        Before, // the same answer was in the record already
        NoChild,
    };
    void takeInPending();
    Written writeEntry(const RecordEntry& entry);
    std::optional<std::int64_t> childOf(const RecordEntry& entry);
    // Inside a transaction: the child by ChildName's rule, and by number.
    std::optional<Child> childNamed(std::u16string_view name);
    std::optional<Child> childNumbered(std::int64_t id);
    // NameTaken when the name is another child's than the one renamed (0 for none).
    void refuseTaken(std::u16string_view name, std::int64_t renamed);
    void insertAttempt(std::int64_t runId, const Attempt& attempt, std::int64_t answerNumber);
    std::u16string checkedName(std::u16string_view name) const;

    RecordConnection m_connection;
};
