#include "media/PcmConverter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

AudioSamples drain(PcmConverter& converter, const std::vector<std::vector<std::int16_t>>& pieces)
{
    AudioSamples out;
    for (const auto& piece : pieces) {
        if (SharedSamples part = converter.put(piece.data(), piece.size()))
            out.insert(out.end(), part->begin(), part->end());
    }
    if (SharedSamples rest = converter.flush())
        out.insert(out.end(), rest->begin(), rest->end());
    return out;
}

TEST(PcmConverterTest, StreamKeepsItsLengthAndItsTailAtTheProgramsRate)
{
    // espeak-ng's rate, in pieces of uneven size: 0.1 s in all.
    PcmConverter converter(22050, 1);
    ASSERT_TRUE(converter.valid());
    const std::vector<std::vector<std::int16_t>> pieces { std::vector<std::int16_t>(1000, 6000),
        std::vector<std::int16_t>(5, 6000), std::vector<std::int16_t>(1200, 6000) };
    const AudioSamples out = drain(converter, pieces);
    ASSERT_EQ(out.size(), 4800u);
    EXPECT_NEAR(out[2400], 6000, 60);
    EXPECT_NEAR(out[4700], 6000, 60) << "the end of the speech is not lost";

    // Stereo at the program's rate is folded to mono.
    PcmConverter stereo(48000, 2);
    const AudioSamples folded = drain(stereo, { std::vector<std::int16_t>(960, 1000) });
    ASSERT_EQ(folded.size(), 480u);
    EXPECT_NEAR(folded[100], 1000, 4);

    // The program's own format passes unchanged.
    PcmConverter same(48000, 1);
    EXPECT_EQ(drain(same, { { 1, -2, 3 }, { 4 } }), (AudioSamples { 1, -2, 3, 4 }));

    EXPECT_FALSE(PcmConverter(0, 1).valid());
}

} // namespace
