#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Turns a picture the drill does not read (PNG, WebP, TIFF, a .jpeg) into the bytes of a JPEG
// it does, upright and no larger than a card needs. The toolkit's image readers do the work, so
// the folder actions stay testable without them.
class ImageConverter
{
public:
    virtual ~ImageConverter() = default;

    // The JPEG bytes, or nothing with the reason (for the teacher) when the picture can't be
    // read or written.
    virtual std::optional<std::string> jpegCopy(
        const std::filesystem::path& picture, std::u16string& reason)
        = 0;
};
