#include "access/SwitchScanner.h"

#include <algorithm>
#include <utility>

SwitchScanner::SwitchScanner(std::vector<int> keysInRows, Settings settings)
    : m_keysInRows(std::move(keysInRows))
    , m_settings(settings)
{
    m_settings.stepMs = std::clamp(m_settings.stepMs, kShortestStepMs, kLongestStepMs);
    m_settings.acceptanceMs = std::clamp(m_settings.acceptanceMs, 0, kLongestAcceptanceMs);
    m_settings.pauseMs = std::clamp(m_settings.pauseMs, 0, kLongestPauseMs);
}

int SwitchScanner::itemsIn(int row) const
{
    // Each key of the row, then "back".
    return m_keysInRows[static_cast<std::size_t>(row)] + 1;
}

int SwitchScanner::firstRow() const
{
    const auto found = std::find_if(m_keysInRows.begin(), m_keysInRows.end(),
        [](int keys) { return keys > 0; });
    return found == m_keysInRows.end() ? -1 : static_cast<int>(found - m_keysInRows.begin());
}

int SwitchScanner::nextRow(int row) const
{
    const int rows = static_cast<int>(m_keysInRows.size());
    for (int tried = 1; tried <= rows; ++tried) {
        const int candidate = (row + tried) % rows;
        if (m_keysInRows[static_cast<std::size_t>(candidate)] > 0)
            return candidate;
    }
    return row;
}

void SwitchScanner::start(std::int64_t nowMs)
{
    m_started = firstRow() >= 0;
    m_highlight = { false, std::max(firstRow(), 0), 0 };
    m_dueMs = nowMs + m_settings.stepMs;
}

void SwitchScanner::step()
{
    if (m_highlight.inRow)
        m_highlight.item = (m_highlight.item + 1) % itemsIn(m_highlight.row);
    else
        m_highlight.row = nextRow(m_highlight.row);
}

bool SwitchScanner::advance(std::int64_t nowMs, bool discarding)
{
    if (!m_started || m_settings.switches != Switches::One || nowMs < m_dueMs)
        return false;
    if (discarding) {
        m_dueMs = nowMs + m_settings.stepMs;
        return false;
    }
    step();
    // Counted from when the step fell due, not from when the timer fired: the steps keep their
    // period. A timer held up for longer than a step moves the highlight once, not in a burst.
    m_dueMs += m_settings.stepMs;
    if (m_dueMs <= nowMs)
        m_dueMs = nowMs + m_settings.stepMs;
    return true;
}

std::optional<std::int64_t> SwitchScanner::nextStepMs() const
{
    if (!m_started || m_settings.switches != Switches::One)
        return std::nullopt;
    return m_dueMs;
}

std::optional<SwitchScanner::Choice> SwitchScanner::press(
    bool move, std::int64_t downMs, std::int64_t upMs, bool discarding)
{
    if (!m_started || discarding || upMs - downMs < m_settings.acceptanceMs)
        return std::nullopt;
    if (move && m_settings.switches == Switches::Two) {
        step();
        return std::nullopt;
    }
    std::optional<Choice> chosen;
    if (!m_highlight.inRow) {
        m_highlight = { true, m_highlight.row, 0 };
    } else if (m_highlight.item == itemsIn(m_highlight.row) - 1) {
        m_highlight = { false, m_highlight.row, 0 };
    } else {
        chosen = Choice { m_highlight.row, m_highlight.item };
        m_highlight = { false, firstRow(), 0 };
    }
    // The new highlight is lit for the pause and a whole step before the scan moves on.
    m_dueMs = upMs + m_settings.pauseMs + m_settings.stepMs;
    return chosen;
}
