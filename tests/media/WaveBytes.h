#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// Builds wave files byte by byte, so that each test states exactly what the decoder is given.
namespace wavebytes {

inline void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A RIFF WAVE file with one "fmt " chunk (16 bytes) and one "data" chunk.
inline std::vector<std::uint8_t> wave(std::uint16_t formatTag, std::uint16_t channels,
    std::uint32_t rate, std::uint16_t bits, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> out { 'R', 'I', 'F', 'F' };
    put32(out, static_cast<std::uint32_t>(4 + 8 + 16 + 8 + data.size()));
    out.insert(out.end(), { 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ' });
    put32(out, 16);
    put16(out, formatTag);
    put16(out, channels);
    put32(out, rate);
    const std::uint32_t blockAlign = channels * bits / 8u;
    put32(out, rate * blockAlign);
    put16(out, blockAlign);
    put16(out, bits);
    out.insert(out.end(), { 'd', 'a', 't', 'a' });
    put32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

inline std::vector<std::uint8_t> pcm16(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> data;
    for (std::int16_t s : samples)
        put16(data, static_cast<std::uint16_t>(s));
    return data;
}

// Mono 16-bit PCM at 48 kHz: the program's own format, which must reach the device unchanged.
inline std::vector<std::uint8_t> native(const std::vector<std::int16_t>& samples)
{
    return wave(1, 1, 48000, 16, pcm16(samples));
}

inline void write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(
        reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A recognisable ramp that never passes through zero, so it can be found in the device output.
inline std::vector<std::int16_t> ramp(std::size_t count, std::int16_t start)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>(start + static_cast<int>(i % 2000) * 7 + 1);
    return samples;
}

} // namespace wavebytes
