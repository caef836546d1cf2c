#pragma once

#include "cards/ImageConverter.h"

// The folder actions' image conversion on Qt's image readers: PNG, JPEG, and with the package's
// image plugins WebP and TIFF.
class QtImageConverter final : public ImageConverter
{
public:
    std::optional<std::string> jpegCopy(
        const std::filesystem::path& picture, std::u16string& reason) override;
};
