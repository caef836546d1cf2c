#include "WaveWriter.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void put16(std::vector<char>& out, std::uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::vector<char>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// One character at a time: GCC 12's release build warns falsely about inserting a range into
// the still empty vector.
void putTag(std::vector<char>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(tag[i]);
}

} // namespace

bool WaveWriter::write(
    const std::filesystem::path& path, const AudioSamples& samples, int sampleRate)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<char> bytes;
    bytes.reserve(44 + dataBytes);
    putTag(bytes, "RIFF");
    put32(bytes, 36 + dataBytes);
    putTag(bytes, "WAVE");
    putTag(bytes, "fmt ");
    put32(bytes, 16);
    put16(bytes, 1); // PCM
    put16(bytes, 1); // mono
    put32(bytes, static_cast<std::uint32_t>(sampleRate));
    put32(bytes, static_cast<std::uint32_t>(sampleRate) * 2);
    put16(bytes, 2);
    put16(bytes, 16);
    putTag(bytes, "data");
    put32(bytes, dataBytes);
    for (std::int16_t s : samples)
        put16(bytes, static_cast<std::uint16_t>(s));

    std::filesystem::path temporary = path;
    temporary += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}
