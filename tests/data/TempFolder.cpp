#include "TempFolder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace {

constexpr auto kWritable = std::filesystem::perms::owner_write;

} // namespace

TempFolder::TempFolder()
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate
            = base / ("tapomi-test-" + std::to_string(random() % 1000000000000u));
        // create_directory is false when the name is taken: made here, it is this test's alone.
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("no temporary folder");
}

TempFolder::~TempFolder()
{
    // Windows deletes no read-only file and Linux nothing from a read-only folder: a test may
    // have made either, so everything is made writable first.
    std::error_code ignored;
    std::filesystem::permissions(
        m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    for (std::filesystem::recursive_directory_iterator entries(m_path, ignored), end;
         !ignored && entries != end; entries.increment(ignored)) {
        if (!entries->is_symlink(ignored))
            std::filesystem::permissions(
                entries->path(), kWritable, std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path TempFolder::operator/(std::string_view name) const
{
    // From UTF-8 explicitly: a plain string would be taken in the ANSI code page on Windows.
    return m_path
        / std::filesystem::path(
            std::u8string(reinterpret_cast<const char8_t*>(name.data()), name.size()));
}

void TempFolder::makeReadOnly(std::string_view name) const
{
    std::filesystem::permissions(*this / name,
        std::filesystem::perms::owner_write | std::filesystem::perms::group_write
            | std::filesystem::perms::others_write,
        std::filesystem::perm_options::remove);
}

void TempFolder::write(std::string_view name, std::string_view bytes) const
{
    std::ofstream file(*this / name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("can't write a test file");
}

std::string TempFolder::read(std::string_view name) const
{
    std::ifstream file(*this / name, std::ios::binary);
    if (!file)
        throw std::runtime_error("can't read a test file");
    return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
}

bool TempFolder::exists(std::string_view name) const
{
    return std::filesystem::exists(*this / name);
}

std::vector<std::string> TempFolder::names() const
{
    std::vector<std::string> result;
    for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
        const std::u8string name = entry.path().filename().u8string();
        result.emplace_back(reinterpret_cast<const char*>(name.data()), name.size());
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::string TempFolder::hex(std::string_view text)
{
    std::string bytes;
    std::string digits;
    for (char c : text) {
        if (c == ' ')
            continue;
        digits += c;
        if (digits.size() == 2) {
            bytes += static_cast<char>(std::stoi(digits, nullptr, 16));
            digits.clear();
        }
    }
    if (!digits.empty())
        throw std::invalid_argument("odd number of hex digits");
    return bytes;
}
