#include "data/ComposedText.h"

#include <climits>
#include <unicode/unorm2.h>

std::optional<std::u16string> ComposedText::of(std::u16string_view text)
{
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
    if (U_FAILURE(status) || text.size() > INT32_MAX / 3)
        return std::nullopt;
    const auto length = static_cast<int32_t>(text.size());
    // Composition never lengthens a text by more than a little; a longer one is asked again.
    std::u16string result(text.size() + 16, u'\0');
    int32_t needed = unorm2_normalize(
        nfc, text.data(), length, result.data(), static_cast<int32_t>(result.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        status = U_ZERO_ERROR;
        result.assign(static_cast<std::size_t>(needed), u'\0');
        needed = unorm2_normalize(nfc, text.data(), length, result.data(), needed, &status);
    }
    if (U_FAILURE(status))
        return std::nullopt;
    result.resize(static_cast<std::size_t>(needed));
    return result;
}
