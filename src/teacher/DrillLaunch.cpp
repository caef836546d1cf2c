#include "teacher/DrillLaunch.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/RecordStore.h"

DrillLaunch DrillLaunch::Make(std::filesystem::path program, std::filesystem::path workingDirectory,
    std::filesystem::path folder, const std::optional<Recording>& recording)
{
    DrillLaunch launch { std::move(program), std::move(workingDirectory), std::move(folder), {},
        {} };
    if (recording) {
        launch.setVariables = {
            { RecordStore::kChildVariable, std::to_string(recording->childId) },
            { RecordStore::kFileVariable, PathText::utf8(recording->records) },
            { RecordStore::kChildNameVariable, Utf8Text::encode(recording->childName) },
        };
    } else {
        launch.unsetVariables = { RecordStore::kChildVariable, RecordStore::kFileVariable,
            RecordStore::kChildNameVariable };
    }
    return launch;
}
