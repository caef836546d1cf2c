#include "media/SampleLevel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

AudioSamples SampleLevel::scaled(const AudioSamples& samples, double gain)
{
    int peak = 0;
    for (std::int16_t s : samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    if (peak == 0)
        return samples;
    const double applied = std::min(gain, kPeakLimit / peak);
    AudioSamples out(samples.size());
    std::transform(samples.begin(), samples.end(), out.begin(),
        [applied](std::int16_t s) { return static_cast<std::int16_t>(std::lround(s * applied)); });
    return out;
}
