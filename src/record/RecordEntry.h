#pragma once

#include "record/Attempt.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// One thing a drill tells the record: its run, begun or ended, or an answer given in it. The
// child and the run are named by what the drill knows of them (the child's number and name, the
// run's start), not by the record's own row numbers, so that an entry written late, by another
// program or into a record begun afresh, joins the right child's run or is refused.
struct RecordEntry
{
    std::int64_t childId = 0;
    std::u16string childName; // empty when the drill was not told it
    std::int64_t runStartedMs = 0;
    std::filesystem::path folder;
    std::int64_t runEndedMs = 0; // 0 while the run goes on
    std::optional<Attempt> answer; // nothing for the run itself
    // The answer's place in its run, from 1: with the run, what makes it the one answer it is,
    // so that one written twice (taken in again after a cut-short taking-in) is seen.
    std::int64_t answerNumber = 0;
};
