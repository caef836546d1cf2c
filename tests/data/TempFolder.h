#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A fresh folder under the system's temporary directory, removed with everything in it when the
// test ends, with byte-level helpers for the files the tests put there and check.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // A name given as UTF-8, inside the folder.
    std::filesystem::path operator/(std::string_view name) const;

    void write(std::string_view name, std::string_view bytes) const;
    std::string read(std::string_view name) const;
    bool exists(std::string_view name) const;
    // Takes every write permission away (on Windows: sets the read-only mark).
    void makeReadOnly(std::string_view name) const;
    // Every name in the folder, sorted by bytes; hidden names included.
    std::vector<std::string> names() const;

    // "23 54 0D 0A" to its bytes.
    static std::string hex(std::string_view text);

private:
    std::filesystem::path m_path;
};
