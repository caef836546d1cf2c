#pragma once

#include <filesystem>
#include <random>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder
{
public:
    TempFolder()
    {
        // A name no other folder has: create_directory is false when it is taken.
        std::random_device seed;
        std::mt19937_64 random(seed());
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        for (int attempt = 0; !error && m_path.empty() && attempt < 100; ++attempt) {
            const std::filesystem::path candidate
                = base / ("tapomi-" + std::to_string(random() % 1000000000000u));
            if (std::filesystem::create_directory(candidate, error))
                m_path = candidate;
        }
    }
    ~TempFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // A name given as UTF-8: a plain string would be read in the ANSI code page on Windows.
    std::filesystem::path operator/(const std::string& name) const
    {
        return m_path / std::filesystem::path(std::u8string(name.begin(), name.end()));
    }

private:
    std::filesystem::path m_path;
};
