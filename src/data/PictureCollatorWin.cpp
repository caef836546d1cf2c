#include "data/PictureCollator.h"

#include <climits>
#include <stdexcept>
#include <string>
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

// ICU weighs small kana (ゃ, ァ, ｬ) against their large forms only at the third level, which
// secondary strength leaves out; Windows has no flag for that, so the small forms are made large
// before comparing, and names that differ only there are settled by their code units, as on
// Linux. Each small kana is given with its large form at the same place.
constexpr std::u16string_view kSmallKana
    = u"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶｧｨｩｪｫｬｭｮｯ";
constexpr std::u16string_view kLargeKana
    = u"あいうえおつやゆよわかけアイウエオツヤユヨワカケｱｲｳｴｵﾔﾕﾖﾂ";
static_assert(kSmallKana.size() == kLargeKana.size());

std::u16string withLargeKana(std::u16string_view text)
{
    std::u16string result(text);
    for (char16_t& unit : result) {
        const std::size_t at = kSmallKana.find(unit);
        if (at != std::u16string_view::npos)
            unit = kLargeKana[at];
    }
    return result;
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
    const std::u16string leftKey = withLargeKana(left);
    const std::u16string rightKey = withLargeKana(right);
    const int result = CompareStringEx(L"ja-JP", kFlags, wide(leftKey), unitLength(leftKey),
        wide(rightKey), unitLength(rightKey), nullptr, nullptr, 0);
    if (result != 0 && result != CSTR_EQUAL)
        return result == CSTR_LESS_THAN;
    return left < right;
}
