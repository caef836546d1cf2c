#pragma once

#include "media/JapaneseReading.h"
#include "media/OpenJTalkEngine.h"
#include "media/SpeechEngine.h"

#include <memory>
#include <string>
#include <vector>

// Finds the speech engines that can start on this machine, best first: Open JTalk with an HTS
// voice, then espeak-ng with MeCab's readings. The places are parameters so that tests and the
// voice-pack tool can point elsewhere.
class SpeechEngines
{
public:
    struct Places
    {
        std::string htsVoice = OpenJTalkEngine::findVoice(); // empty: no Open JTalk
        std::string openJTalkProgram = "open_jtalk";
        std::string openJTalkDictionary = OpenJTalkEngine::kDictionary;
        std::string mecabDictionary = JapaneseReading::kDictionary; // empty: no espeak-ng
    };

    static std::vector<std::unique_ptr<SpeechEngine>> available(const Places& places);
};
