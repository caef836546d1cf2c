#pragma once

#include "EventLog.h"
#include "FakeDataStore.h"
#include "FakeDrillView.h"
#include "FakeMedia.h"
#include "ScriptedRandom.h"

#include "drill/DrillSession.h"

#include <cstdint>
#include <string>

// A DrillSession with every fake around it, and the keys typed as a child types them. Speech
// completion is delivered only when the test calls speech.finish().
struct DrillHarness
{
    DrillHarness();

    // Each key waits for the key guard of the one before to end.
    void type(const std::string& keys);
    void press(int key);
    void endKeyGuard();
    const DrillState& state() const { return session.state(); }

    EventLog log;
    ProgramState program;
    FakeDrillView view { log };
    FakeDataStore data { program, log };
    FakeSoundPlayer sound { log };
    FakeSpeechVoice speech { log };
    ScriptedRandom random;
    DrillSession session { program, view, data, sound, speech, random };
};
