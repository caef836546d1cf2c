#include "settings_ui/OptionsWindow.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr char16_t kFullWidthZero = u'０';

bool isSelected(TruthValue value)
{
    return value != 0;
}

TruthValue truthOf(bool selected)
{
    return selected ? kTrue : kFalse;
}

} // namespace

OptionsWindow::OptionsWindow(ProgramState& program, OptionsView& view, DataStore& data)
    : m_program(program)
    , m_view(view)
    , m_data(data)
{ }

void OptionsWindow::Form_Activate()
{
    LoadOptionControls();
}

void OptionsWindow::HScroll1_Change()
{
    ShowKeyGuardValue();
}

void OptionsWindow::HScroll1_Scroll()
{
    ShowKeyGuardValue();
}

void OptionsWindow::Command1_Click()
{
    ApplyOptions();
    m_view.showDrill();
}

void OptionsWindow::Command2_Click()
{
    m_view.showDrill();
}

void OptionsWindow::LoadOptionControls()
{
    const Settings& settings = m_program.settings;
    const TruthValue pairs[] = { settings.PromptWithName, settings.ShowModelWord,
        settings.TalkingAidKeyboard, settings.ShowSetupPicture };
    for (int pair = 0; pair < 4; ++pair) {
        const TruthValue value = pairs[pair];
        m_view.setOptionSelected(2 * pair + 1, isSelected(value));
        m_view.setOptionSelected(2 * pair + 2, isSelected(static_cast<TruthValue>(~value)));
    }

    const std::int16_t tenths = settings.KeyGuardTenths;
    m_view.setValueLabel(PlainDigits(tenths));
    const int stored = ReadNumber(FullWidthDigits(tenths));
    m_view.setScrollValue(std::clamp(stored, kScrollMinimum, kScrollMaximum));
    // A stored time the scroll bar cannot hold (from a hand-edited file) stays in the label as
    // stored, so that applying other changes does not silently replace it with the clamped one.
    if (stored < kScrollMinimum || stored > kScrollMaximum)
        m_view.setValueLabel(PlainDigits(tenths));
}

void OptionsWindow::ShowKeyGuardValue()
{
    m_view.setValueLabel(FullWidthDigits(m_view.scrollValue()));
}

void OptionsWindow::ApplyOptions()
{
    const std::int16_t tenths = ReadNumber(m_view.valueLabel());
    const TruthValue setupPicture = truthOf(m_view.isOptionSelected(7));
    const TruthValue talkingAid = truthOf(m_view.isOptionSelected(5));
    const TruthValue modelWord = truthOf(m_view.isOptionSelected(3));
    const TruthValue promptWithName = truthOf(m_view.isOptionSelected(1));

    Settings& settings = m_program.settings;
    if (tenths == settings.KeyGuardTenths && setupPicture == settings.ShowSetupPicture
        && talkingAid == settings.TalkingAidKeyboard && modelWord == settings.ShowModelWord
        && promptWithName == settings.PromptWithName)
        return;

    settings.PromptWithName = promptWithName;
    settings.ShowModelWord = modelWord;
    settings.TalkingAidKeyboard = talkingAid;
    settings.ShowSetupPicture = setupPicture;
    settings.KeyGuardTenths = tenths;
    m_data.SaveSettings();
}

std::u16string OptionsWindow::PlainDigits(int value)
{
    std::u16string text;
    for (char c : std::to_string(value))
        text += static_cast<char16_t>(c);
    return text;
}

std::u16string OptionsWindow::FullWidthDigits(int value)
{
    std::u16string text = PlainDigits(value);
    for (char16_t& c : text) {
        if (c >= u'0' && c <= u'9')
            c = static_cast<char16_t>(kFullWidthZero + (c - u'0'));
    }
    return text;
}

std::int16_t OptionsWindow::ReadNumber(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'　'))
        ++i;
    bool negative = false;
    if (i < text.size()
        && (text[i] == u'-' || text[i] == u'－' || text[i] == u'+' || text[i] == u'＋')) {
        negative = text[i] == u'-' || text[i] == u'－';
        ++i;
    }
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        int digit = -1;
        if (text[i] >= u'0' && text[i] <= u'9')
            digit = text[i] - u'0';
        else if (text[i] >= kFullWidthZero && text[i] <= kFullWidthZero + 9)
            digit = text[i] - kFullWidthZero;
        if (digit < 0)
            break;
        value = std::min<std::int64_t>(value * 10 + digit, 1'000'000);
    }
    if (negative)
        value = -value;
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}
