#include "cards/qt/QtImageConverter.h"

#include "cards/qt/CardImage.h"
#include "common/qt/QtText.h"

#include <QFile>

std::optional<std::string> QtImageConverter::jpegCopy(
    const std::filesystem::path& picture, std::u16string& reason)
{
    QString why;
    const QImage image = CardImage::load(QtText::fromPath(picture), why);
    if (image.isNull()) {
        reason = why.toStdU16String();
        return std::nullopt;
    }
    const QByteArray bytes = CardImage::jpeg(CardImage::prepared(image, {}));
    if (bytes.isEmpty()) {
        reason = u"JPEG にできませんでした。";
        return std::nullopt;
    }
    return bytes.toStdString();
}
