#pragma once

#include "media/OpenJTalkEngine.h"
#include "media/SpeechEngine.h"

#include <memory>
#include <string>
#include <vector>

// Finds the speech engines that can start on this machine, best first: Open JTalk with an HTS
// voice, then (on Linux) espeak-ng with MeCab's readings. The places are parameters so that tests
// and the voice-pack tool can point elsewhere.
class SpeechEngines
{
public:
    // MeCab's dictionary for espeak-ng's readings; empty where there is no espeak-ng (Windows).
    static std::string defaultMecabDictionary();

    struct Places
    {
        std::string htsVoice = OpenJTalkEngine::findVoice(); // empty: no Open JTalk
        std::string openJTalkProgram = OpenJTalkProgram::defaultProgram();
        std::string openJTalkDictionary = OpenJTalkProgram::defaultDictionary();
        std::string mecabDictionary = defaultMecabDictionary(); // empty: no espeak-ng
    };

    static std::vector<std::unique_ptr<SpeechEngine>> available(const Places& places);
};
