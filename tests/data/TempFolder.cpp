#include "TempFolder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tapomi-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("no temporary folder");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::permissions(
        m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path TempFolder::operator/(std::string_view name) const
{
    return m_path / std::filesystem::path(std::string(name));
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
    for (const auto& entry : std::filesystem::directory_iterator(m_path))
        result.push_back(entry.path().filename().string());
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
