#include "media/SpeechEngines.h"

// Windows has Open JTalk only: espeak-ng and MeCab are not built for it, so their dictionary
// place stays empty and is not looked at.
std::string SpeechEngines::defaultMecabDictionary()
{
    return {};
}

std::vector<std::unique_ptr<SpeechEngine>> SpeechEngines::available(const Places& places)
{
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    if (auto openJTalk = OpenJTalkEngine::create(
            places.htsVoice, places.openJTalkProgram, places.openJTalkDictionary))
        engines.push_back(std::move(openJTalk));
    return engines;
}
