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

struct PictureCollator::Collation
{
    UCollator* collator = nullptr;
};

PictureCollator::PictureCollator()
    : m_collation(std::make_unique<Collation>())
{
    UErrorCode status = U_ZERO_ERROR;
    UCollator*& collator = m_collation->collator;
    collator = ucol_open("ja", &status);
    if (U_FAILURE(status) || collator == nullptr)
        throw std::runtime_error("日本語の照合順序を用意できません");
    ucol_setStrength(collator, UCOL_SECONDARY);
    ucol_setAttribute(collator, UCOL_CASE_LEVEL, UCOL_OFF, &status);
    ucol_setAttribute(collator, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    if (U_FAILURE(status)) {
        ucol_close(collator);
        throw std::runtime_error("日本語の照合順序を用意できません");
    }
}

PictureCollator::~PictureCollator()
{
    ucol_close(m_collation->collator);
}

bool PictureCollator::less(std::u16string_view left, std::u16string_view right) const
{
    const UCollationResult result = ucol_strcoll(
        m_collation->collator, left.data(), unitLength(left), right.data(), unitLength(right));
    if (result != UCOL_EQUAL)
        return result == UCOL_LESS;
    return left < right;
}
