#include "data/PictureCollator.h"

#include <climits>
#include <stdexcept>
#include <unicode/ucol.h>

namespace {

int32_t unitLength(std::u16string_view text)
{
    // Picture names are file names, far below this; clamp rather than overflow regardless.
    return text.size() > INT32_MAX ? INT32_MAX : static_cast<int32_t>(text.size());
}

} // namespace

PictureCollator::PictureCollator()
{
    UErrorCode status = U_ZERO_ERROR;
    m_collator = ucol_open("ja", &status);
    if (U_FAILURE(status) || m_collator == nullptr)
        throw std::runtime_error("日本語の照合順序を用意できません");
    ucol_setStrength(m_collator, UCOL_SECONDARY);
    ucol_setAttribute(m_collator, UCOL_CASE_LEVEL, UCOL_OFF, &status);
    ucol_setAttribute(m_collator, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    if (U_FAILURE(status)) {
        ucol_close(m_collator);
        throw std::runtime_error("日本語の照合順序を用意できません");
    }
}

PictureCollator::~PictureCollator()
{
    ucol_close(m_collator);
}

bool PictureCollator::less(std::u16string_view left, std::u16string_view right) const
{
    const UCollationResult result
        = ucol_strcoll(m_collator, left.data(), unitLength(left), right.data(), unitLength(right));
    if (result != UCOL_EQUAL)
        return result == UCOL_LESS;
    return left < right;
}
