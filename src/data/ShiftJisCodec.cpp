#include "data/ShiftJisCodec.h"

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <iconv.h>
#include <mutex>
#include <vector>

namespace {

constexpr const char* kShiftJis = "CP932";
// Little-endian named explicitly so that no byte-order mark is produced or expected; the code
// units are assembled from bytes below, which keeps this independent of the machine's order.
constexpr const char* kUtf16 = "UTF-16LE";

// One conversion descriptor, closed on every path out.
class Conversion
{
public:
    Conversion(const char* to, const char* from)
        : m_descriptor(iconv_open(to, from))
    { }
    ~Conversion()
    {
        if (valid())
            iconv_close(m_descriptor);
    }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    bool valid() const { return m_descriptor != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_descriptor; }

    // The whole input converted, or nothing when any of it can't be.
    std::optional<std::vector<char>> run(std::vector<char> input, std::size_t outputGuess)
    {
        if (!valid())
            return std::nullopt;
        std::vector<char> output(outputGuess + 16);
        char* in = input.data();
        std::size_t inLeft = input.size();
        std::size_t produced = 0;
        for (;;) {
            char* out = output.data() + produced;
            std::size_t outLeft = output.size() - produced;
            const std::size_t result = inLeft == 0
                ? iconv(m_descriptor, nullptr, nullptr, &out, &outLeft)
                : iconv(m_descriptor, &in, &inLeft, &out, &outLeft);
            produced = output.size() - outLeft;
            if (result != static_cast<std::size_t>(-1)) {
                if (inLeft == 0)
                    break;
                continue;
            }
            if (errno != E2BIG)
                return std::nullopt; // EILSEQ or EINVAL: not convertible, or cut short
            output.resize(output.size() * 2);
        }
        output.resize(produced);
        return output;
    }

private:
    iconv_t m_descriptor;
};

// What every byte and every pair of bytes decodes to, asked of iconv once. Code page 932 is a
// stateless code of one- and two-byte characters, so a text decodes byte by byte through this
// table exactly as iconv would decode it whole, without a conversion descriptor and its
// buffers for every item read (the reader decodes each item of a file on its own). The row of
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
    enum class Outcome
    {
        Character,
        CutShort,
        Invalid
    };

    DecodeTable()
    {
        m_single.fill(kInvalid);
        const Conversion descriptor(kUtf16, kShiftJis);
        if (!descriptor.valid())
            return; // nothing decodes, as without the table
        for (unsigned first = 0; first < 256; ++first) {
            char16_t unit = kInvalid;
            const Outcome outcome
                = convert(descriptor.get(), { static_cast<char>(first), 0 }, 1, unit);
            if (outcome == Outcome::Character)
                m_single[first] = unit;
            else if (outcome == Outcome::CutShort)
                m_single[first] = kLead;
        }
    }

    void makeRow(std::uint8_t first) const
    {
        if (m_single[first] != kLead)
            return;
        const Conversion descriptor(kUtf16, kShiftJis);
        if (!descriptor.valid())
            return;
        for (unsigned second = 0; second < 256; ++second) {
            const std::array<char, 2> bytes { static_cast<char>(first), static_cast<char>(second) };
            char16_t unit = kInvalid;
            if (convert(descriptor.get(), bytes, 2, unit) == Outcome::Character)
                m_pairs[(std::size_t { first } << 8) | second] = unit;
        }
    }

    // One character of input, converted to exactly one UTF-16 unit or not at all.
    static Outcome convert(
        iconv_t descriptor, std::array<char, 2> input, std::size_t size, char16_t& unit)
    {
        iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
        std::array<char, 8> output {};
        char* in = input.data();
        std::size_t inLeft = size;
        char* out = output.data();
        std::size_t outLeft = output.size();
        if (iconv(descriptor, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
            return errno == EINVAL ? Outcome::CutShort : Outcome::Invalid;
        if (inLeft != 0 || output.size() - outLeft != 2)
            return Outcome::Invalid;
        unit = static_cast<char16_t>(
            static_cast<std::uint8_t>(output[0]) | (static_cast<std::uint8_t>(output[1]) << 8));
        return unit == kInvalid || unit == kLead ? Outcome::Invalid : Outcome::Character;
    }

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
    std::vector<char> input;
    input.reserve(text.size() * 2);
    for (char16_t unit : text) {
        input.push_back(static_cast<char>(unit & 0xFF));
        input.push_back(static_cast<char>(unit >> 8));
    }
    Conversion conversion(kShiftJis, kUtf16);
    auto converted = conversion.run(std::move(input), text.size() * 2);
    if (!converted)
        return std::nullopt;
    return std::string(converted->begin(), converted->end());
}

bool ShiftJisCodec::roundTrips(std::u16string_view text)
{
    const auto bytes = encode(text);
    if (!bytes)
        return false;
    const auto back = decode(*bytes);
    return back && *back == text;
}
