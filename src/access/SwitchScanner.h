#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// Row–column scanning for a child who answers with one or two switches. The rows of a board are
// highlighted in turn; a press chooses the row, then its keys are highlighted in turn, followed by
// a "back" item that leaves the row; a press on a key chooses it and the scan starts again at the
// first row. With one switch the highlight moves by itself every step and any press chooses; with
// two, one switch moves it and the other chooses.
//
// The scanner keeps no clock: the caller hands it the time of each event and sets its timer to
// nextStepMs(), so the steps keep to the set period without drifting. A press shorter than the
// acceptance time is ignored (a tremor, a bounce), and the highlight stays put while the drill is
// discarding keys (a sound, the key guard, the prompt): nothing is chosen then either.
class SwitchScanner
{
public:
    enum class Switches
    {
        One,
        Two,
    };
    // Out of range values are brought into range.
    struct Settings
    {
        Switches switches = Switches::One;
        std::int32_t stepMs = 1500; // 500 to 5000
        std::int32_t acceptanceMs = 0; // 0 to 1000
        std::int32_t pauseMs = 0; // 0 to 5000: the highlight stays this much longer after a choice
    };
    struct Highlight
    {
        bool inRow = false; // false: a whole row is lit; true: an item of the chosen row
        int row = 0;
        int item = 0; // within the row; the row's key count is its "back" item
        friend bool operator==(const Highlight&, const Highlight&) = default;
    };
    struct Choice
    {
        int row = 0;
        int key = 0;
        friend bool operator==(const Choice&, const Choice&) = default;
    };

    static constexpr std::int32_t kShortestStepMs = 500;
    static constexpr std::int32_t kLongestStepMs = 5000;
    static constexpr std::int32_t kLongestAcceptanceMs = 1000;
    static constexpr std::int32_t kLongestPauseMs = 5000;

    // keysInRows: how many keys each row holds; rows without keys are never lit.
    SwitchScanner(std::vector<int> keysInRows, Settings settings);

    // Lights the first row; with one switch the first step falls due one step later.
    void start(std::int64_t nowMs);
    // The caller's timer fired. With one switch the highlight moves on when a step is due, unless
    // keys are being discarded: then the step is put off by a whole step. True when it moved.
    bool advance(std::int64_t nowMs, bool discarding);
    // When the next step falls due; nothing with two switches or before start().
    std::optional<std::int64_t> nextStepMs() const;
    // A switch held from downMs to upMs. move is the two-switch mode's moving switch; with one
    // switch every press chooses. The chosen key, when a press chose one.
    std::optional<Choice> press(bool move, std::int64_t downMs, std::int64_t upMs, bool discarding);

    const Highlight& highlight() const { return m_highlight; }
    const Settings& settings() const { return m_settings; }

private:
    void step();
    int firstRow() const;
    int nextRow(int row) const;
    int itemsIn(int row) const;

    std::vector<int> m_keysInRows;
    Settings m_settings;
    Highlight m_highlight;
    bool m_started = false;
    std::int64_t m_dueMs = 0;
};
