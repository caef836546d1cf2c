#pragma once

#include "media/AudioFormat.h"

#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>

// The audio of the texts spoken last, by text, so that a prompt said again after a wrong answer
// and the fixed sentences start without synthesis. The least recently used text goes first.
class SpeechCache
{
public:
    explicit SpeechCache(std::size_t capacity = 16);

    SharedSamples find(const std::u16string& text);
    void put(const std::u16string& text, SharedSamples audio);
    std::size_t size() const { return m_order.size(); }

private:
    using Entry = std::pair<std::u16string, SharedSamples>;
    std::size_t m_capacity;
    std::list<Entry> m_order;
    std::unordered_map<std::u16string, std::list<Entry>::iterator> m_index;
};
