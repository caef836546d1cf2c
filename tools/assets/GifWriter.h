#pragma once

#include <QImage>
#include <QString>

// Writes a still picture as a GIF file (Qt reads GIF but does not write it): the image is reduced
// to at most 256 colours and compressed with the format's variable-length LZW code.
class GifWriter
{
public:
    static bool write(const QImage& image, const QString& path);
};
