#pragma once

#include "record/Attempt.h"

#include <filesystem>
#include <ostream>
#include <vector>

// The attempts as CSV for a spreadsheet: UTF-8 with a byte-order mark (so Japanese spreadsheet
// programs read it right), one header row in Japanese, CR LF line ends. A text cell that a
// spreadsheet would take for a formula (a card named "=HYPERLINK(…).jpg") starts with "'".
class AttemptCsv
{
public:
    static void Write(
        std::ostream& out, const std::vector<Attempt>& attempts, int localOffsetSeconds);
    // Saved as an ExportTarget, which refuses the files of the record in databaseFile; throws
    // RecordError when it can't be.
    static void Save(const std::filesystem::path& file, const std::filesystem::path& databaseFile,
        const std::vector<Attempt>& attempts, int localOffsetSeconds);
};
