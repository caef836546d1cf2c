#include "data/PictureCollator.h"

#include <climits>
#include <stdexcept>
#include <windows.h>

namespace {

// The Japanese locale's order as Explorer lists a folder: letter case, width (Ａ and A) and kana
// type (あ and ア) do not count; voiced marks do, but weigh less than the letters after them.
// That is the order ICU's Japanese collator gives at secondary strength on Linux.
constexpr DWORD kFlags = LINGUISTIC_IGNORECASE | NORM_IGNOREKANATYPE | NORM_IGNOREWIDTH;

int unitLength(std::u16string_view text)
{
    // Picture names are file names, far below this; clamp rather than overflow regardless.
    return text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
}

const wchar_t* wide(std::u16string_view text)
{
    return reinterpret_cast<const wchar_t*>(text.data());
}

} // namespace

// Windows keeps no collator object: the locale is named on every comparison.
struct PictureCollator::Collation
{
};

PictureCollator::PictureCollator()
    : m_collation(std::make_unique<Collation>())
{
    if (!IsValidLocaleName(L"ja-JP"))
        throw std::runtime_error("日本語の照合順序を用意できません");
}

PictureCollator::~PictureCollator() = default;

bool PictureCollator::less(std::u16string_view left, std::u16string_view right) const
{
    const int result = CompareStringEx(L"ja-JP", kFlags, wide(left), unitLength(left), wide(right),
        unitLength(right), nullptr, nullptr, 0);
    if (result != 0 && result != CSTR_EQUAL)
        return result == CSTR_LESS_THAN;
    return left < right;
}
