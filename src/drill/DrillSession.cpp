#include "drill/DrillSession.h"

#include "drill/DrillLayout.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr std::u16string_view kNamedPromptTail = u"、と、いれてください";
constexpr std::u16string_view kFixedPrompt = u"この名前をいれてください";
constexpr std::u16string_view kTryAgain = u"もう一度、やりなおしてね。";
constexpr std::u16string_view kRightMark = u"○";
constexpr std::u16string_view kWrongMark = u"Ｘ";
constexpr std::u16string_view kRightSound = u"ピンポン.wav";
constexpr std::u16string_view kWrongSound = u"ブー.wav";

} // namespace

std::vector<std::u16string> DrillSession::FixedSentences()
{
    return { std::u16string(kTryAgain), std::u16string(kFixedPrompt) };
}

DrillSession::DrillSession(ProgramState& program, DrillView& view, DataStore& data,
    SoundPlayer& sound, SpeechVoice& speech, RandomSource& random)
    : m_program(program)
    , m_view(view)
    , m_data(data)
    , m_sound(sound)
    , m_speech(speech)
    , m_random(random)
    , m_deck(program, m_state, random)
{ }

bool DrillSession::Form_Load()
{
    m_view.setTimerInterval(Timer::Timer1, kFeedbackPeriodMs);
    m_data.LoadSettings();
    const Settings& settings = m_program.settings;
    const bool setupPicture = settings.ShowSetupPicture != 0 && settings.TalkingAidKeyboard != 0;
    // The set-up picture is then the first thing on screen: it is read while the rest of
    // start-up (the picture folder's listing, the fonts) goes on, not after it.
    if (setupPicture)
        m_view.prepareSetupPicture();
    m_kana.BuildMarkTables();
    m_data.LoadPraisePhrases(m_state.Praise);
    if (!m_data.ListPictures()) {
        m_view.endProgram();
        return false;
    }
    m_data.LoadSelection();
    FitToScreen();

    m_state.SetupPictureShown = setupPicture;
    m_view.setVisible(Widget::Image2, m_state.SetupPictureShown);
    return true;
}

void DrillSession::Form_Activate()
{
    if (m_record && !m_recordStarted) {
        m_recordStarted = true;
        m_record->runStarted();
    }
    // A fresh shuffle: whatever comes first is a new presentation, not a second try.
    m_repeatNext = false;
    m_deck.RestartDeck();
    m_kana.BuildKeyTable(m_program.settings.TalkingAidKeyboard != 0);

    // Computed in 32 bits so that any stored value gives a guard that ends; a value of 0 or
    // less means no guard at all rather than a timer that fires continuously.
    m_keyGuardMs
        = std::max<std::int32_t>(0, std::int32_t { m_program.settings.KeyGuardTenths } * 100);
    if (m_keyGuardMs > 0)
        m_view.setTimerInterval(Timer::Timer2, m_keyGuardMs);
    m_view.setTimerEnabled(Timer::Timer2, false);

    if (!m_state.SetupPictureShown)
        PresentCard();
}

void DrillSession::PresentCard()
{
    HideCardWidgets();
    PlaceCardPicture();
    if (m_program.deckCount() == 0) {
        presentEmptyDeck();
        return;
    }
    if (m_state.CardIndex < 0 || m_state.CardIndex >= m_program.deckCount())
        m_state.CardIndex = 0;
    m_view.showEmptyDeckHint(false);

    // Brought within the deck just above.
    const std::u16string& card = m_program.Deck[static_cast<std::size_t>(m_state.CardIndex)];
    m_view.loadPicture(picturePath(card));
    m_deck.LoadCurrentWord();
    PlaceWordLabels();
    m_view.setCaption(Widget::Label1, m_state.CurrentWord);
    m_view.setCaption(Widget::Label2, u"");
    ColourModelWord();

    if (m_program.settings.PromptWithName != 0)
        m_state.SpeechText = CardDeck::PictureWord(card) + std::u16string(kNamedPromptTail);
    else
        m_state.SpeechText = kFixedPrompt;
    m_speech.SpeakText(m_state.SpeechText);
    m_promptSpeaking = true;
    if (m_record && !m_recordEnded)
        m_record->cardPresented(CardDeck::PictureWord(card), m_repeatNext);
    m_repeatNext = false;

    ShowCardWidgets();
    m_state.Speaking = true;
    m_state.Answered = false;
    m_state.SetupPictureShown = false;
    m_state.TypedText.clear();

    // The card after this one, read ahead while the child works on this one. After the last card
    // the deck is shuffled anew, so what follows it is not known yet. The card index is within
    // the deck here, so next is never negative.
    const int next = m_state.CardIndex + 1;
    if (next < m_program.deckCount())
        m_view.preparePicture(picturePath(m_program.Deck[static_cast<std::size_t>(next)]));
    else
        m_view.preparePicture(u"");
}

// Under the name of its file, which for a name from a Mac differs from the listed one: read ahead
// under the listed name, the next card would look for a file that is not there.
std::u16string DrillSession::picturePath(const std::u16string& card) const
{
    return m_program.DataPrefix + m_program.pictureFileName(card);
}

// No card is selected (a selection file without any flagged name): nothing to show, say or
// type, and no speech to wait for, so the teacher's keys keep working and the hint tells them
// how to choose cards.
void DrillSession::presentEmptyDeck()
{
    m_state.CardIndex = 0;
    m_state.CurrentWord.clear();
    m_state.WordLength = 0;
    m_state.TypedText.clear();
    m_view.setCaption(Widget::Label1, u"");
    m_view.setCaption(Widget::Label2, u"");
    m_state.Speaking = false;
    m_state.Answered = false;
    m_state.SetupPictureShown = false;
    m_view.showEmptyDeckHint(true);
}

void DrillSession::Form_KeyPress(std::int16_t keyAscii)
{
    if (m_view.isTimerEnabled(Timer::Timer2)) {
        recordDiscarded(keyAscii);
        return;
    }

    if (keyAscii == kEnterKey && m_state.SetupPictureShown) {
        m_view.setVisible(Widget::Image2, false);
        m_state.SetupPictureShown = false;
        PresentCard();
    }

    switch (keyAscii) {
    case kEscapeKey:
        m_sound.StopSound();
        m_speech.StopSpeech();
        endRecord();
        m_view.endProgram();
        return;
    case kOptionsKey:
    case kSelectionKey:
        m_sound.StopSound();
        m_speech.StopSpeech();
        m_view.showSettingsWindow(
            keyAscii == kOptionsKey ? SettingsWindow::Form2 : SettingsWindow::Form3);
        break;
    default:
        break;
    }

    if (m_state.Speaking || m_state.Answered) {
        recordDiscarded(keyAscii);
        return;
    }

    bool kanaSet = false;
    const bool lineHadText = !m_state.TypedText.empty();
    if (keyAscii == kEnterKey && lineHadText) {
        JudgeAnswer();
    } else if (!m_kana.EditInput(m_state, keyAscii, kanaSet)) {
        return;
    } else {
        recordKey(keyAscii, lineHadText, kanaSet);
    }

    m_view.setVisible(Widget::Label2, !m_state.TypedText.empty());
    m_view.setCaption(Widget::Label2, m_state.TypedText);

    if (kanaSet) {
        m_state.SoundFile += u".wav";
        m_sound.PlaySound(m_state.SoundFile);
        m_sound.WaitForSoundEnd();
    }

    if (m_keyGuardMs > 0)
        m_view.setTimerEnabled(Timer::Timer2, true);
}

void DrillSession::JudgeAnswer()
{
    m_state.Answered = true;
    const bool right = m_state.TypedText == m_state.CurrentWord;
    m_promptSpeaking = false;
    m_repeatNext = !right;
    if (m_record && !m_recordEnded)
        m_record->wordJudged(m_state.CurrentWord, m_state.TypedText, right);
    if (!right) {
        ShowMark(kWrongMark);
        m_state.SoundFile = kWrongSound;
        m_sound.PlaySound(m_state.SoundFile);
        m_sound.WaitForSoundEnd();
        m_state.SpeechText = kTryAgain;
        m_speech.SpeakText(m_state.SpeechText);
    } else {
        ShowMark(kRightMark);
        m_state.SoundFile = kRightSound;
        m_sound.PlaySound(m_state.SoundFile);
        m_sound.WaitForSoundEnd();

        const PraisePhraseList& praise = m_state.Praise;
        const int count = std::clamp<int>(praise.PraiseCount, 0, PraisePhraseList::kCapacity);
        // DrawIndex never leaves 0 .. count − 1; PresentCard and AdvanceCard keep the card index
        // within the deck.
        const auto i = static_cast<std::size_t>(m_deck.DrawIndex(count));
        const auto card = static_cast<std::size_t>(m_state.CardIndex);
        m_state.SpeechText = praise.PraisePhrases[i] + u"。これが、"
            + CardDeck::PictureWord(m_program.Deck[card]) + u"、だね。";
        m_speech.SpeakText(m_state.SpeechText);
        m_deck.AdvanceCard();
        // The card the feedback tick will present; after the last card, the first of the new
        // shuffle.
        const auto next = static_cast<std::size_t>(m_state.CardIndex);
        m_view.preparePicture(picturePath(m_program.Deck[next]));
    }
    m_state.Speaking = true;
    m_view.setTimerEnabled(Timer::Timer1, true);
}

void DrillSession::Timer1_Timer()
{
    if (m_state.Speaking)
        return;
    m_view.setVisible(Widget::Label3, false);
    m_view.setTimerEnabled(Timer::Timer1, false);
    PresentCard();
}

void DrillSession::Timer2_Timer()
{
    m_view.setTimerEnabled(Timer::Timer2, false);
}

void DrillSession::PtSvr1_SpeechDone()
{
    m_state.Speaking = false;
    if (m_promptSpeaking) {
        m_promptSpeaking = false;
        if (m_record && !m_recordEnded)
            m_record->promptEnded();
    }
}

void DrillSession::Form_Unload()
{
    endRecord();
}

// Only keys that did something count: Backspace and the mark keys on a line with text, and
// keys that typed a kana.
void DrillSession::recordKey(std::int16_t keyAscii, bool lineHadText, bool kanaSet)
{
    if (!m_record || m_recordEnded)
        return;
    if (lineHadText && keyAscii == KanaInput::kBackspaceKey)
        m_record->keyTaken(DrillRecord::Key::Backspace);
    else if (lineHadText
        && (keyAscii == KanaInput::VoicedMarkKey || keyAscii == KanaInput::SemiVoicedMarkKey))
        m_record->keyTaken(DrillRecord::Key::Mark);
    else if (kanaSet)
        m_record->keyTaken(DrillRecord::Key::Kana);
}

// Keys that would have typed or edited the answer on screen; the teacher's keys, and keys after
// Enter (which belong to no try), are left out.
void DrillSession::recordDiscarded(std::int16_t keyAscii)
{
    if (!m_record || m_recordEnded || m_state.Answered || m_state.SetupPictureShown)
        return;
    if (keyAscii == kEscapeKey || keyAscii == kOptionsKey || keyAscii == kSelectionKey)
        return;
    m_record->keyDiscarded();
}

void DrillSession::endRecord()
{
    if (!m_record || !m_recordStarted || m_recordEnded)
        return;
    m_recordEnded = true;
    m_record->runEnded();
}

void DrillSession::ShowCardWidgets()
{
    m_view.setVisible(Widget::Image1, true);
    m_view.setVisible(Widget::Label1, true);
    m_view.setVisible(Widget::Label2, false);
}

void DrillSession::HideCardWidgets()
{
    m_view.setVisible(Widget::Image1, false);
    m_view.setVisible(Widget::Label1, false);
    m_view.setVisible(Widget::Label2, false);
    m_view.setVisible(Widget::Label3, false);
}

void DrillSession::FitToScreen()
{
    const TwipSize screen = m_view.screenSize();
    m_view.setWindowGeometry({ 0, 0, screen.width, screen.height });
    const TwipSize window = m_view.windowSize();
    m_markFitted = false;
    m_view.setGeometry(Widget::Image2, { 0, 0, window.width, window.height });
}

void DrillSession::Form_Resize()
{
    m_markFitted = false;
    if (m_state.Answered)
        FitMark();
}

void DrillSession::ShowMark(std::u16string_view mark)
{
    // Fitted when first shown: measuring the marks loads their font at sizes that the first frame
    // does not need, on the way to it.
    if (!m_markFitted)
        FitMark();
    m_view.setCaption(Widget::Label3, mark);
    m_view.setVisible(Widget::Label3, true);
}

void DrillSession::FitMark()
{
    const DrillLayout::MarkPlacement mark
        = DrillLayout::FitMark(m_view.windowSize(), m_view.clientSize(), [this](int points) {
              return std::vector<TwipRect> { m_view.inkBounds(Widget::Label3, kRightMark, points),
                  m_view.inkBounds(Widget::Label3, kWrongMark, points) };
          });
    m_view.setFontSize(Widget::Label3, mark.fontSize);
    m_view.setGeometry(Widget::Label3, mark.box);
    m_markFitted = true;
}

void DrillSession::PlaceCardPicture()
{
    m_view.setGeometry(Widget::Image1, DrillLayout::CardPictureBox(m_view.windowSize()));
}

void DrillSession::PlaceWordLabels()
{
    const DrillLayout::WordLabels labels
        = DrillLayout::PlaceWordLabels(m_view.windowSize(), m_state.WordLength);
    m_view.setGeometry(Widget::Label1, labels.label1);
    m_view.setFontSize(Widget::Label1, labels.fontSize);
    m_view.moveTo(Widget::Label2, labels.label1.left, labels.label1.top);
    m_view.setFontSize(Widget::Label2, labels.fontSize);
}

void DrillSession::ColourModelWord()
{
    m_view.setTextColour(
        Widget::Label1, DrillLayout::ModelWordColour(m_program.settings.ShowModelWord != 0));
}
