#include "data/PathText.h"

#include "common/Utf8Text.h"

#include <system_error>

namespace {

std::u8string asUtf8(std::string_view bytes)
{
    return { reinterpret_cast<const char8_t*>(bytes.data()), bytes.size() };
}

} // namespace

std::filesystem::path PathText::fromText(std::u16string_view text)
{
    return std::filesystem::path(asUtf8(Utf8Text::encode(text)));
}

std::filesystem::path PathText::fromUtf8(std::string_view bytes)
{
    return std::filesystem::path(asUtf8(bytes));
}

std::optional<std::u16string> PathText::fileName(const std::filesystem::path& path)
{
    try {
        const std::u8string name = path.filename().u8string();
        return Utf8Text::decode({ reinterpret_cast<const char*>(name.data()), name.size() });
    } catch (const std::system_error&) {
        return std::nullopt; // a wide name that has no UTF-8 form
    }
}

std::string PathText::utf8(const std::filesystem::path& path)
{
    try {
        const std::u8string text = path.u8string();
        return { reinterpret_cast<const char*>(text.data()), text.size() };
    } catch (const std::system_error&) {
        return Utf8Text::encode(u"(表せない名前)");
    }
}
