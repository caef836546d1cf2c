#include "media/SpeechEngines.h"

#include "media/EspeakEngine.h"
#include "media/JapaneseReading.h"

std::string SpeechEngines::defaultMecabDictionary()
{
    return JapaneseReading::kDictionary;
}

std::vector<std::unique_ptr<SpeechEngine>> SpeechEngines::available(const Places& places)
{
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    if (auto openJTalk = OpenJTalkEngine::create(
            places.htsVoice, places.openJTalkProgram, places.openJTalkDictionary))
        engines.push_back(std::move(openJTalk));
    if (!places.mecabDictionary.empty()) {
        if (auto espeak = EspeakEngine::create(JapaneseReading::create(places.mecabDictionary)))
            engines.push_back(std::move(espeak));
    }
    return engines;
}
