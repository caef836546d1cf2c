#include "data/ShiftJisCodec.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <iconv.h>
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

} // namespace

std::optional<std::u16string> ShiftJisCodec::decode(std::string_view bytes)
{
    Conversion conversion(kUtf16, kShiftJis);
    auto converted
        = conversion.run(std::vector<char>(bytes.begin(), bytes.end()), bytes.size() * 2);
    if (!converted || converted->size() % 2 != 0)
        return std::nullopt;
    std::u16string text;
    text.reserve(converted->size() / 2);
    for (std::size_t i = 0; i < converted->size(); i += 2) {
        const auto low = static_cast<std::uint8_t>((*converted)[i]);
        const auto high = static_cast<std::uint8_t>((*converted)[i + 1]);
        text += static_cast<char16_t>(low | (high << 8));
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
