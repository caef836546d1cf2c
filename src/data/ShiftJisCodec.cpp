#include "data/ShiftJisCodec.h"

#include "data/CodePage932.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace {

// What every byte and every pair of bytes decodes to, asked of the system's converter once. Code
// page 932 is a stateless code of one- and two-byte characters, so a text decodes byte by byte
// through this table exactly as the converter would decode it whole, without a conversion and
// its buffers for every item read (the reader decodes each item of a file on its own). The row of
// a lead byte is asked for only when a text first holds that byte: the whole table would cost
// some 15 000 conversions on the way to the first card, and a folder's files use a few rows.
class DecodeTable
{
public:
    static constexpr char16_t kInvalid = 0xFFFF; // a noncharacter: no code maps to it
    static constexpr char16_t kLead = 0xFFFE; // the first byte of a two-byte character

    static const DecodeTable& instance()
    {
        static const DecodeTable table;
        return table;
    }

    char16_t single(std::uint8_t first) const { return m_single[first]; }

    char16_t pair(std::uint8_t first, std::uint8_t second) const
    {
        std::call_once(m_rowMade[first], [this, first] { makeRow(first); });
        return m_pairs[(std::size_t { first } << 8) | second];
    }

private:
    DecodeTable()
    {
        m_single.fill(kInvalid);
        for (unsigned first = 0; first < 256; ++first) {
            const char byte = static_cast<char>(first);
            char16_t unit = kInvalid;
            const CodePage932::Outcome outcome = CodePage932::decodeOne({ &byte, 1 }, unit);
            if (outcome == CodePage932::Outcome::Character && usable(unit))
                m_single[first] = unit;
            else if (outcome == CodePage932::Outcome::CutShort)
                m_single[first] = kLead;
        }
    }

    void makeRow(std::uint8_t first) const
    {
        if (m_single[first] != kLead)
            return;
        for (unsigned second = 0; second < 256; ++second) {
            const std::array<char, 2> bytes { static_cast<char>(first), static_cast<char>(second) };
            char16_t unit = kInvalid;
            if (CodePage932::decodeOne({ bytes.data(), 2 }, unit) == CodePage932::Outcome::Character
                && usable(unit))
                m_pairs[(std::size_t { first } << 8) | second] = unit;
        }
    }

    static bool usable(char16_t unit) { return unit != kInvalid && unit != kLead; }

    std::array<char16_t, 256> m_single {};
    // Filled a row at a time, each row once, whichever thread meets its lead byte first.
    mutable std::array<std::once_flag, 256> m_rowMade;
    mutable std::vector<char16_t> m_pairs = std::vector<char16_t>(256 * 256, kInvalid);
};

} // namespace

std::optional<std::u16string> ShiftJisCodec::decode(std::string_view bytes)
{
    const DecodeTable& table = DecodeTable::instance();
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto first = static_cast<std::uint8_t>(bytes[i++]);
        char16_t unit = table.single(first);
        if (unit == DecodeTable::kLead) {
            if (i == bytes.size())
                return std::nullopt; // cut short
            unit = table.pair(first, static_cast<std::uint8_t>(bytes[i++]));
        }
        if (unit == DecodeTable::kInvalid)
            return std::nullopt;
        text += unit;
    }
    return text;
}

std::optional<std::string> ShiftJisCodec::encode(std::u16string_view text)
{
    return CodePage932::encode(text);
}

bool ShiftJisCodec::roundTrips(std::u16string_view text)
{
    const auto bytes = encode(text);
    if (!bytes)
        return false;
    const auto back = decode(*bytes);
    return back && *back == text;
}
