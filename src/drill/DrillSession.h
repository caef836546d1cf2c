#pragma once

#include "common/DataStore.h"
#include "common/ProgramState.h"
#include "drill/CardDeck.h"
#include "drill/DrillRecord.h"
#include "drill/DrillState.h"
#include "drill/DrillView.h"
#include "drill/KanaInput.h"
#include "drill/RandomSource.h"
#include "media/SoundPlayer.h"
#include "media/SpeechVoice.h"

#include <cstdint>
#include <string>
#include <vector>

// The logic of the drill window Form1: start-up, one picture card at a time, the child's keys,
// the judgement with its mark, sound and sentence, and the next card. Driven only by the events
// its view and its speech voice forward, each run to completion on the user-interface thread.
class DrillSession
{
public:
    static constexpr std::int32_t kFeedbackPeriodMs = 1000;
    static constexpr std::int16_t kEnterKey = 13;
    static constexpr std::int16_t kEscapeKey = 27;
    static constexpr std::int16_t kOptionsKey = 72; // "H"
    static constexpr std::int16_t kSelectionKey = 78; // "N"

    DrillSession(ProgramState& program, DrillView& view, DataStore& data, SoundPlayer& sound,
        SpeechVoice& speech, RandomSource& random);

    // The sentences the drill speaks word for word whatever the card: the voice can make them
    // ahead of time, so that a wrong answer's request is heard without waiting for synthesis.
    static std::vector<std::u16string> FixedSentences();

    DrillSession(const DrillSession&) = delete;
    DrillSession& operator=(const DrillSession&) = delete;

    // Returns false when the program ends during start-up (the folder holds no picture).
    bool Form_Load();
    void Form_Activate();
    void Form_KeyPress(std::int16_t keyAscii);
    void Timer1_Timer();
    void Timer2_Timer();
    void PtSvr1_SpeechDone();
    // The window is being closed through its title bar: the run ends as with Esc.
    void Form_Unload();
    // The inside of the window changed size, as when the window system adds the frame and
    // title bar once the window is shown: the mark is fitted again, so that it stays whole.
    void Form_Resize();

    // What the drill tells the child's record; null records nothing. Not owned.
    void setRecord(DrillRecord* record) { m_record = record; }

    const DrillState& state() const { return m_state; }
    const KanaInput& kanaInput() const { return m_kana; }
    // The key guard in milliseconds; 0 when keys are not guarded at all.
    std::int32_t keyGuardMilliseconds() const { return m_keyGuardMs; }

private:
    // The drill's own procedures, run only from its handlers above.
    void PresentCard();
    void JudgeAnswer();
    void ShowCardWidgets();
    void HideCardWidgets();
    void FitToScreen();
    // Label3's font and box (see DrillLayout::FitMark).
    void FitMark();
    void ShowMark(std::u16string_view mark);
    void PlaceCardPicture();
    void PlaceWordLabels();
    void ColourModelWord();

    void presentEmptyDeck();
    void recordKey(std::int16_t keyAscii, bool lineHadText, bool kanaSet);
    void recordDiscarded(std::int16_t keyAscii);
    void endRecord();
    // The picture file of a deck entry, as the window loads it.
    std::u16string picturePath(const std::u16string& card) const;

    ProgramState& m_program;
    DrillView& m_view;
    DataStore& m_data;
    SoundPlayer& m_sound;
    SpeechVoice& m_speech;
    RandomSource& m_random;

    DrillState m_state;
    KanaInput m_kana;
    CardDeck m_deck;
    std::int32_t m_keyGuardMs = 0;

    // The record of the child, and where the drill stands with it.
    DrillRecord* m_record = nullptr;
    bool m_recordStarted = false;
    bool m_recordEnded = false;
    bool m_promptSpeaking = false; // the prompt, not a judgement sentence, is being spoken
    bool m_repeatNext = false; // the next card presented is the one just answered wrong
    bool m_markFitted = false; // Label3 is fitted to the window as it is now
};
