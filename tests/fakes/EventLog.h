#pragma once

#include <algorithm>
#include <string>
#include <vector>

// One ordered record of what the fakes were asked to do, so tests can check the order in which
// the user would see and hear things.
struct EventLog
{
    std::vector<std::string> entries;

    void add(std::string entry) { entries.push_back(std::move(entry)); }
    void clear() { entries.clear(); }
    bool contains(const std::string& entry) const
    {
        return std::find(entries.begin(), entries.end(), entry) != entries.end();
    }
    // Position of the first entry equal to entry, or -1.
    int indexOf(const std::string& entry) const
    {
        const auto it = std::find(entries.begin(), entries.end(), entry);
        return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
    }
};

std::string utf8(std::u16string_view text);
