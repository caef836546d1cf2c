#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// One Enter that judged a word, as it is kept in a child's record.
struct Attempt
{
    std::int64_t whenMs = 0; // Unix time in milliseconds, UTC
    std::filesystem::path folder; // the picture folder
    std::u16string word; // the card's word (the whole name, as spoken)
    std::u16string typed;
    bool right = false;
    // False for a try at the same card again after a wrong answer.
    bool firstTry = true;
    // From the end of the prompt to Enter.
    double secondsToEnter = 0;
    int kanaKeys = 0;
    int backspaces = 0;
    int markKeys = 0;
    int keyGuardTenths = 0;
    bool talkingAidKeyboard = true;
    // Keys the drill did not take while the card was up (typed during the prompt or the key
    // guard): a try with some may be shorter than the child typed it.
    int discardedKeys = 0;
    // The drill run it belongs to, as read back from the store (0 before it is stored).
    std::int64_t runId = 0;
};

// One drill run, from its start to its end; endedMs is 0 for a run that never said it ended
// (the program was killed).
struct DrillRun
{
    std::int64_t id = 0;
    std::int64_t startedMs = 0;
    std::int64_t endedMs = 0;
    std::filesystem::path folder;
};

// A child the teacher keeps a record for.
struct Child
{
    std::int64_t id = 0;
    std::u16string name;
    std::filesystem::path lastFolder; // empty until a folder is chosen
};
