#include "media/SpeechCache.h"

SpeechCache::SpeechCache(std::size_t capacity)
    : m_capacity(capacity)
{ }

SharedSamples SpeechCache::find(const std::u16string& text)
{
    const auto found = m_index.find(text);
    if (found == m_index.end())
        return nullptr;
    m_order.splice(m_order.begin(), m_order, found->second);
    return found->second->second;
}

void SpeechCache::put(const std::u16string& text, SharedSamples audio)
{
    if (m_capacity == 0 || !audio)
        return;
    if (const auto found = m_index.find(text); found != m_index.end()) {
        found->second->second = std::move(audio);
        m_order.splice(m_order.begin(), m_order, found->second);
        return;
    }
    m_order.emplace_front(text, std::move(audio));
    m_index[text] = m_order.begin();
    if (m_order.size() > m_capacity) {
        m_index.erase(m_order.back().first);
        m_order.pop_back();
    }
}
