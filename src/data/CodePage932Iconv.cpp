#include "data/CodePage932.h"

#include <array>
#include <cerrno>
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

} // namespace

CodePage932::Outcome CodePage932::decodeOne(std::string_view bytes, char16_t& unit)
{
    // One descriptor per thread, kept open: the table asks for hundreds of characters in a row.
    thread_local const Conversion descriptor(kUtf16, kShiftJis);
    if (!descriptor.valid() || bytes.empty() || bytes.size() > 2)
        return Outcome::Invalid;
    iconv(descriptor.get(), nullptr, nullptr, nullptr, nullptr);
    std::array<char, 2> input { bytes[0], bytes.size() > 1 ? bytes[1] : '\0' };
    std::array<char, 8> output {};
    char* in = input.data();
    std::size_t inLeft = bytes.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (iconv(descriptor.get(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
        return errno == EINVAL ? Outcome::CutShort : Outcome::Invalid;
    if (inLeft != 0 || output.size() - outLeft != 2)
        return Outcome::Invalid;
    unit = static_cast<char16_t>(
        static_cast<std::uint8_t>(output[0]) | (static_cast<std::uint8_t>(output[1]) << 8));
    return Outcome::Character;
}

std::optional<std::string> CodePage932::encode(std::u16string_view text)
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
