#include "GifWriter.h"

#include <QFile>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kMinCodeSize = 8;
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kMaxCode = 4095;

// Packs codes least significant bit first, as GIF reads them.
class BitPacker
{
public:
    void put(int code, int width)
    {
        m_buffer |= static_cast<std::uint32_t>(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            bytes.push_back(static_cast<char>(m_buffer & 0xFFu));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }
    void finish()
    {
        if (m_bits > 0)
            bytes.push_back(static_cast<char>(m_buffer & 0xFFu));
        m_buffer = 0;
        m_bits = 0;
    }

    std::vector<char> bytes;

private:
    std::uint32_t m_buffer = 0;
    int m_bits = 0;
};

std::vector<char> compress(const QImage& indexed)
{
    BitPacker out;
    std::unordered_map<std::uint32_t, int> table;
    int nextCode = kEndCode + 1;
    int width = kMinCodeSize + 1;
    out.put(kClearCode, width);

    int prefix = -1;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* row = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            const int pixel = row[x];
            if (prefix < 0) {
                prefix = pixel;
                continue;
            }
            const std::uint32_t key
                = (static_cast<std::uint32_t>(prefix) << 8) | static_cast<std::uint32_t>(pixel);
            const auto found = table.find(key);
            if (found != table.end()) {
                prefix = found->second;
                continue;
            }
            out.put(prefix, width);
            if (nextCode < kMaxCode) {
                table.emplace(key, nextCode);
                // The decoder widens its codes one code later than the encoder adds them.
                if (nextCode == (1 << width) && width < 12)
                    ++width;
                ++nextCode;
            } else {
                out.put(kClearCode, width);
                table.clear();
                nextCode = kEndCode + 1;
                width = kMinCodeSize + 1;
            }
            prefix = pixel;
        }
    }
    if (prefix >= 0)
        out.put(prefix, width);
    out.put(kEndCode, width);
    out.finish();
    return out.bytes;
}

void putWord(QByteArray& data, int value)
{
    data.append(static_cast<char>(value & 0xFF));
    data.append(static_cast<char>((value >> 8) & 0xFF));
}

} // namespace

bool GifWriter::write(const QImage& image, const QString& path)
{
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
    QList<QRgb> colours = indexed.colorTable();
    colours.resize(256, qRgb(0, 0, 0));

    QByteArray data("GIF89a");
    putWord(data, indexed.width());
    putWord(data, indexed.height());
    data.append(static_cast<char>(0xF7)); // global colour table of 256 entries, 8 bits a colour
    data.append('\0'); // background colour index
    data.append('\0'); // square pixels
    for (const QRgb colour : colours) {
        data.append(static_cast<char>(qRed(colour)));
        data.append(static_cast<char>(qGreen(colour)));
        data.append(static_cast<char>(qBlue(colour)));
    }
    data.append(',');
    putWord(data, 0);
    putWord(data, 0);
    putWord(data, indexed.width());
    putWord(data, indexed.height());
    data.append('\0'); // no local colour table, not interlaced
    data.append(static_cast<char>(kMinCodeSize));
    const std::vector<char> code = compress(indexed);
    for (std::size_t start = 0; start < code.size(); start += 255) {
        const std::size_t length = std::min<std::size_t>(255, code.size() - start);
        data.append(static_cast<char>(length));
        data.append(code.data() + start, static_cast<qsizetype>(length));
    }
    data.append('\0');
    data.append(';');

    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}
