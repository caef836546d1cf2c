#include "FakeMedia.h"

void FakeSoundPlayer::PlaySound(std::u16string_view fileName)
{
    played.emplace_back(fileName);
    m_log.add("play " + utf8(fileName));
}

void FakeSoundPlayer::WaitForSoundEnd()
{
    m_log.add("wait");
    if (whilePlaying)
        whilePlaying();
}

void FakeSpeechVoice::SpeakText(std::u16string_view text)
{
    spoken.emplace_back(text);
    m_speaking = true;
    m_log.add("speak " + utf8(text));
}

void FakeSpeechVoice::StopSpeech()
{
    m_speaking = false;
    m_log.add("stop speech");
}

bool FakeSpeechVoice::finish()
{
    if (!m_speaking)
        return false;
    m_speaking = false;
    if (m_done)
        m_done();
    return true;
}
