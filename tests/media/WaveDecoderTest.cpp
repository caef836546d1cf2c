#include "media/WaveDecoder.h"

#include "WaveBytes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace wavebytes;

SharedSamples decode(const std::vector<std::uint8_t>& bytes)
{
    return WaveDecoder::decode(bytes.data(), bytes.size());
}

TEST(WaveDecoderTest, OwnFormatPassesSampleForSample)
{
    const std::vector<std::int16_t> values { 0, 1, -1, 32767, -32768, 1234, -4321 };
    const SharedSamples out = decode(native(values));
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, values);
}

TEST(WaveDecoderTest, OtherEncodingsRatesAndLayoutsAreConverted)
{
    // 8-bit unsigned: 128 is silence, 255 nearly full scale.
    SharedSamples out = decode(wave(1, 1, 48000, 8, { 128, 255, 0, 128 }));
    ASSERT_TRUE(out);
    ASSERT_EQ(out->size(), 4u);
    EXPECT_EQ((*out)[0], 0);
    EXPECT_GT((*out)[1], 32000);
    EXPECT_LT((*out)[2], -32000);

    // Stereo becomes mono; the two channels are averaged.
    std::vector<std::int16_t> stereo;
    for (int i = 0; i < 100; ++i)
        stereo.insert(stereo.end(), { 1000, 3000 });
    out = decode(wave(1, 2, 48000, 16, pcm16(stereo)));
    ASSERT_TRUE(out);
    ASSERT_EQ(out->size(), 100u);
    EXPECT_NEAR((*out)[50], 2000, 4);

    // 24 kHz doubles in length at 48 kHz and keeps its level.
    out = decode(wave(1, 1, 24000, 16, pcm16(std::vector<std::int16_t>(2400, 8000))));
    ASSERT_TRUE(out);
    EXPECT_NEAR(static_cast<double>(out->size()), 4800.0, 64.0);
    EXPECT_NEAR((*out)[2400], 8000, 80);

    // 32-bit float: 0.5 is half scale.
    std::vector<std::uint8_t> floats;
    for (int i = 0; i < 16; ++i)
        put32(floats, 0x3F000000u);
    out = decode(wave(3, 1, 48000, 32, floats));
    ASSERT_TRUE(out);
    ASSERT_EQ(out->size(), 16u);
    EXPECT_NEAR((*out)[3], 16384, 2);

    // 24-bit PCM keeps its upper 16 bits.
    out = decode(wave(1, 1, 48000, 24, { 0x56, 0x34, 0x12, 0x00, 0x00, 0xF0 }));
    ASSERT_TRUE(out);
    ASSERT_EQ(out->size(), 2u);
    EXPECT_NEAR((*out)[0], 0x1234, 1);
    EXPECT_NEAR((*out)[1], -4096, 1);

    // µ-law: 0xFF is silence, 0x80 the loudest positive value.
    out = decode(wave(7, 1, 48000, 8, { 0xFF, 0x80, 0x00, 0xFF }));
    ASSERT_TRUE(out);
    ASSERT_EQ(out->size(), 4u);
    EXPECT_EQ((*out)[0], 0);
    EXPECT_GT((*out)[1], 30000);
    EXPECT_LT((*out)[2], -30000);
}

TEST(WaveDecoderTest, UnreadableFilesGiveNothing)
{
    std::vector<std::uint8_t> truncated = native(std::vector<std::int16_t>(1000, 5));
    truncated.resize(truncated.size() - 300);
    EXPECT_FALSE(decode(truncated)) << "a file cut short";

    EXPECT_FALSE(decode(wave(0x55, 1, 48000, 16, pcm16({ 1, 2, 3 })))) << "MPEG layer 3";
    EXPECT_FALSE(decode(wave(1, 1, 48000, 12, { 1, 2, 3, 4 }))) << "12-bit PCM";
    EXPECT_FALSE(decode({ 'R', 'I', 'F', 'F', 0, 0, 0, 0, 'J', 'U', 'N', 'K' }));
    EXPECT_FALSE(decode({}));
    const std::string text = "ただのテキストです";
    EXPECT_FALSE(WaveDecoder::decode(text.data(), text.size()));
    EXPECT_FALSE(WaveDecoder::decodeFile("/nonexistent/あ.wav"));
    EXPECT_FALSE(WaveDecoder::decodeFile("/")) << "a folder";
}

// A drill sound lasts a second or two. What would last longer than two minutes in the program's
// format is refused from its header, before anything is decoded: a 1 MB file of 8-bit samples at
// 8 kHz would otherwise take 12 MB, and 16 MB of 4-bit ADPCM at that rate close to 400 MB.
TEST(WaveDecoderTest, WhatWouldLastLongerThanTwoMinutesIsRefusedFromItsHeader)
{
    const auto lowRate = [](std::size_t seconds) {
        return wave(1, 1, 8000, 8, std::vector<std::uint8_t>(seconds * 8000, 0x90));
    };
    const std::vector<std::uint8_t> tooLong = lowRate(121);
    EXPECT_EQ(WaveDecoder::decodedBytes(tooLong.data(), tooLong.size()), 121u * 48000u * 2u);
    EXPECT_FALSE(WaveDecoder::decode(tooLong.data(), tooLong.size()));

    const std::vector<std::uint8_t> longest = lowRate(119);
    const SharedSamples heard = WaveDecoder::decode(longest.data(), longest.size());
    ASSERT_TRUE(heard);
    EXPECT_NEAR(static_cast<double>(heard->size()), 119.0 * 48000.0, 48.0);

    // Four-bit ADPCM counts at two samples a byte, and a data chunk that claims more than the
    // file holds counts as far as the file goes.
    const std::vector<std::uint8_t> adpcm = wave(0x11, 2, 8000, 4, std::vector<std::uint8_t>(1000));
    EXPECT_EQ(WaveDecoder::decodedBytes(adpcm.data(), adpcm.size()), 1000u * 6u * 2u);
    std::vector<std::uint8_t> cut = lowRate(1);
    cut.resize(cut.size() - 4000);
    EXPECT_EQ(WaveDecoder::decodedBytes(cut.data(), cut.size()), 4000u * 6u * 2u);
    const std::uint8_t noise[] = { 'R', 'I', 'F', 'F', 1, 2, 3 };
    EXPECT_EQ(WaveDecoder::decodedBytes(noise, sizeof noise), std::nullopt);
}

} // namespace
