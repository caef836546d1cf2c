#include "data/CompatibleText.h"

#include <climits>
#include <windows.h>

std::u16string CompatibleText::of(std::u16string_view text)
{
    if (text.empty() || text.size() > INT_MAX / 3)
        return std::u16string(text);
    const auto* source = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    // The first answer is only an estimate; a buffer found too small is enlarged and asked again.
    int estimate = NormalizeString(NormalizationKC, source, length, nullptr, 0);
    for (int attempt = 0; attempt < 4 && estimate > 0; ++attempt) {
        std::u16string result(static_cast<std::size_t>(estimate), u'\0');
        const int written = NormalizeString(
            NormalizationKC, source, length, reinterpret_cast<wchar_t*>(result.data()), estimate);
        if (written > 0) {
            result.resize(static_cast<std::size_t>(written));
            return result;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
        estimate = -written;
    }
    return std::u16string(text);
}
