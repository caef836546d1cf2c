#include "data/ComposedText.h"

#include <climits>
#include <windows.h>

std::optional<std::u16string> ComposedText::of(std::u16string_view text)
{
    if (text.empty())
        return std::u16string();
    if (text.size() > INT_MAX / 3)
        return std::nullopt;
    const auto* source = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    // The first answer is only an estimate; a buffer found too small is enlarged and asked again.
    int estimate = NormalizeString(NormalizationC, source, length, nullptr, 0);
    for (int attempt = 0; attempt < 4 && estimate > 0; ++attempt) {
        std::u16string result(static_cast<std::size_t>(estimate), u'\0');
        const int written = NormalizeString(
            NormalizationC, source, length, reinterpret_cast<wchar_t*>(result.data()), estimate);
        if (written > 0) {
            result.resize(static_cast<std::size_t>(written));
            return result;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return std::nullopt;
        estimate = -written;
    }
    return std::nullopt;
}
