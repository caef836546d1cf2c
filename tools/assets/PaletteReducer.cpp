#include "PaletteReducer.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace {

constexpr int kPaletteSize = 256;
constexpr int kRefinements = 20;

struct Use
{
    QRgb colour;
    qint64 pixels;
};

// Green weighs most and blue least, as the eye sees them.
int distance(QRgb a, QRgb b)
{
    const int red = qRed(a) - qRed(b);
    const int green = qGreen(a) - qGreen(b);
    const int blue = qBlue(a) - qBlue(b);
    return 3 * red * red + 4 * green * green + 2 * blue * blue;
}

int nearest(const QList<QRgb>& palette, QRgb colour)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int index = 0; index < palette.size(); ++index) {
        const int d = distance(palette[index], colour);
        if (d < bestDistance) {
            bestDistance = d;
            best = index;
        }
    }
    return best;
}

} // namespace

QImage PaletteReducer::reduce(const QImage& image)
{
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, qint64> counts;
    for (int y = 0; y < source.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x)
            ++counts[line[x] | 0xFF000000u];
    }
    std::vector<Use> uses;
    uses.reserve(counts.size());
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        uses.push_back({ it.key(), it.value() });
    std::sort(uses.begin(), uses.end(), [](const Use& a, const Use& b) {
        return a.pixels != b.pixels ? a.pixels > b.pixels : a.colour < b.colour;
    });

    QList<QRgb> palette;
    for (std::size_t i = 0; i < uses.size() && palette.size() < kPaletteSize; ++i)
        palette.push_back(uses[i].colour);
    if (uses.size() > static_cast<std::size_t>(kPaletteSize)) {
        for (int round = 0; round < kRefinements; ++round) {
            std::vector<std::array<qint64, 4>> sums(palette.size(), { 0, 0, 0, 0 });
            for (const Use& use : uses) {
                std::array<qint64, 4>& sum = sums[nearest(palette, use.colour)];
                sum[0] += qRed(use.colour) * use.pixels;
                sum[1] += qGreen(use.colour) * use.pixels;
                sum[2] += qBlue(use.colour) * use.pixels;
                sum[3] += use.pixels;
            }
            for (int index = 0; index < palette.size(); ++index) {
                const std::array<qint64, 4>& sum = sums[index];
                if (sum[3] == 0)
                    continue;
                const auto mean = [&](qint64 total) {
                    return static_cast<int>((2 * total + sum[3]) / (2 * sum[3]));
                };
                palette[index] = qRgb(mean(sum[0]), mean(sum[1]), mean(sum[2]));
            }
        }
    }

    QHash<QRgb, uchar> indexOf;
    for (const Use& use : uses)
        indexOf.insert(use.colour, static_cast<uchar>(nearest(palette, use.colour)));
    QImage reduced(source.size(), QImage::Format_Indexed8);
    reduced.setColorTable(palette);
    for (int y = 0; y < source.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* out = reduced.scanLine(y);
        for (int x = 0; x < source.width(); ++x)
            out[x] = indexOf.value(line[x] | 0xFF000000u);
    }
    return reduced;
}
