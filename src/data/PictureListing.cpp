#include "data/PictureListing.h"

#include "data/DataFileError.h"
#include "data/PictureCollator.h"
#include "data/ShiftJisCodec.h"
#include "app/Utf8Text.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace {

char16_t lowerAscii(char16_t unit)
{
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

[[noreturn]] void failList(const std::filesystem::path& folder, const std::error_code& error)
{
    throw DataFileError(DataFileError::Kind::List, folder, error.message());
}

} // namespace

bool PictureListing::hasPictureEnding(std::u16string_view name)
{
    static constexpr std::array<std::u16string_view, 3> kEndings { u".jpg", u".gif", u".bmp" };
    return std::any_of(kEndings.begin(), kEndings.end(), [name](std::u16string_view ending) {
        if (name.size() < ending.size())
            return false;
        const std::u16string_view tail = name.substr(name.size() - ending.size());
        return std::equal(tail.begin(), tail.end(), ending.begin(),
            [](char16_t a, char16_t b) { return lowerAscii(a) == b; });
    });
}

bool PictureListing::isStorableName(std::u16string_view name)
{
    if (name.empty())
        return false;
    const bool hasDelimiter = std::any_of(name.begin(), name.end(),
        [](char16_t unit) { return unit == u'"' || unit < 0x20 || unit == 0x7F; });
    return !hasDelimiter && ShiftJisCodec::roundTrips(name);
}

std::vector<std::u16string> PictureListing::List(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error)
        failList(folder, error);

    std::vector<std::u16string> names;
    for (const std::filesystem::directory_iterator end; entries != end; entries.increment(error)) {
        if (error)
            failList(folder, error);
        const std::string bytes = entries->path().filename().native();
        if (bytes.empty() || bytes.front() == '.')
            continue;
        const auto name = Utf8Text::decode(bytes);
        if (!name || !hasPictureEnding(*name) || !isStorableName(*name))
            continue;
        // Follows a link to its file; a broken link or one that can't be examined is skipped.
        std::error_code typeError;
        if (!entries->is_regular_file(typeError) || typeError)
            continue;
        names.push_back(*name);
    }
    if (error)
        failList(folder, error);

    try {
        const PictureCollator collator;
        std::sort(names.begin(), names.end(),
            [&collator](
                const std::u16string& a, const std::u16string& b) { return collator.less(a, b); });
    } catch (const std::runtime_error& failure) {
        throw DataFileError(DataFileError::Kind::List, folder, failure.what());
    }
    return names;
}
