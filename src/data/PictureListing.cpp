#include "data/PictureListing.h"

#include "data/ComposedText.h"
#include "data/DataFileError.h"
#include "data/PathText.h"
#include "data/PictureCollator.h"
#include "data/ShiftJisCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
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

// The name a file is listed under, or nothing when no form of it can be stored.
std::optional<std::u16string> listedName(const std::u16string& fileName)
{
    if (PictureListing::isStorableName(fileName))
        return fileName;
    auto name = ComposedText::of(fileName);
    if (!name || *name == fileName || !PictureListing::isStorableName(*name))
        return std::nullopt;
    return name;
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

std::vector<PictureListing::Entry> PictureListing::List(const std::filesystem::path& folder)
{
    std::vector<Entry> listed = ListAll(folder);
    listed.erase(std::unique(listed.begin(), listed.end(),
                     [](const Entry& a, const Entry& b) { return a.name == b.name; }),
        listed.end());
    return listed;
}

std::vector<PictureListing::Entry> PictureListing::ListAll(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error)
        failList(folder, error);

    std::vector<Entry> listed;
    for (const std::filesystem::directory_iterator end; entries != end; entries.increment(error)) {
        if (error)
            failList(folder, error);
        const auto fileName = PathText::fileName(entries->path());
        if (!fileName || fileName->empty() || fileName->front() == u'.'
            || !hasPictureEnding(*fileName))
            continue;
        auto name = listedName(*fileName);
        if (!name)
            continue;
        // Follows a link to its file; a broken link or one that can't be examined is skipped.
        std::error_code typeError;
        if (!entries->is_regular_file(typeError) || typeError)
            continue;
        listed.push_back({ std::move(*name), *fileName });
    }
    if (error)
        failList(folder, error);

    try {
        const PictureCollator collator;
        // Files listed under one name stand together; among them a file whose real name is
        // that name comes first (it is the one anything else finds by the stored name), then
        // the others by their code units, so that the same one is kept on every run.
        std::sort(listed.begin(), listed.end(), [&collator](const Entry& a, const Entry& b) {
            if (a.name != b.name)
                return collator.less(a.name, b.name);
            const bool aAsListed = a.fileName == a.name;
            const bool bAsListed = b.fileName == b.name;
            if (aAsListed != bAsListed)
                return aAsListed;
            return a.fileName < b.fileName;
        });
    } catch (const std::runtime_error& failure) {
        throw DataFileError(DataFileError::Kind::List, folder, failure.what());
    }
    return listed;
}
