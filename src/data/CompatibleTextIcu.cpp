#include "data/CompatibleText.h"

#include <unicode/unorm2.h>

std::u16string CompatibleText::of(std::u16string_view text)
{
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfkc = unorm2_getNFKCInstance(&status);
    if (U_FAILURE(status))
        return std::u16string(text);
    std::u16string result(text.size() * 3 + 16, u'\0');
    const int32_t length = unorm2_normalize(nfkc, text.data(), static_cast<int32_t>(text.size()),
        result.data(), static_cast<int32_t>(result.size()), &status);
    if (U_FAILURE(status))
        return std::u16string(text);
    result.resize(static_cast<std::size_t>(length));
    return result;
}
