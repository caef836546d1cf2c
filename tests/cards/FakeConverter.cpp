#include "FakeConverter.h"

#include "data/PathText.h"

std::optional<std::string> FakeConverter::jpegCopy(
    const std::filesystem::path& picture, std::u16string& reason)
{
    ++calls;
    if (picture.filename() == "broken.png") {
        reason = u"絵として読めませんでした。";
        return std::nullopt;
    }
    return "JPEG of " + PathText::utf8(picture.filename());
}
