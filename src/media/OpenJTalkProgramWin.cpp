#include "media/OpenJTalkProgram.h"

#include "common/ProgramFiles.h"
#include "common/Utf8Text.h"
#include "media/ChildProcess.h"

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <windows.h>

namespace {

namespace fs = std::filesystem;

std::wstring wide(std::string_view utf8)
{
    const std::u16string text = Utf8Text::decodeReplacing(utf8);
    return std::wstring(text.begin(), text.end());
}

std::string utf8(std::wstring_view text)
{
    return Utf8Text::encode(std::u16string(text.begin(), text.end()));
}

bool isAscii(std::string_view text)
{
    return std::all_of(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The file the program writes its wave into, made empty in the user's temporary folder under a
// name no other run uses at the same time, and deleted however the run ends. open_jtalk cannot
// write to a pipe on Windows: it has no /dev/stdout, and its output would be in text mode.
class WaveFile
{
public:
    WaveFile()
    {
        std::wstring folder(MAX_PATH + 1, L'\0');
        const DWORD length = GetTempPathW(static_cast<DWORD>(folder.size()), folder.data());
        if (length == 0 || length >= folder.size())
            return;
        folder.resize(length);
        std::wstring name(MAX_PATH + 1, L'\0');
        if (GetTempFileNameW(folder.c_str(), L"tpm", 0, name.data()) == 0)
            return;
        name.resize(std::wcslen(name.c_str()));
        m_path = name;
    }
    ~WaveFile()
    {
        if (!m_path.empty())
            DeleteFileW(m_path.c_str());
    }
    WaveFile(const WaveFile&) = delete;
    WaveFile& operator=(const WaveFile&) = delete;

    const std::wstring& path() const { return m_path; }
    std::optional<std::string> read() const
    {
        std::ifstream in(fs::path(m_path), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        if (!in.good() && !in.eof())
            return std::nullopt;
        return bytes;
    }

private:
    std::wstring m_path;
};

bool isProgram(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

} // namespace

std::string OpenJTalkProgram::defaultProgram()
{
    return utf8(ProgramFiles::companion("open_jtalk").native());
}

std::string OpenJTalkProgram::defaultDictionary()
{
    const fs::path data = ProgramFiles::dataFolder();
    return data.empty() ? std::string {} : utf8((data / "dic").native());
}

std::string OpenJTalkProgram::chosenVoice()
{
    // Read as UTF-16: getenv would give the path in the ANSI code page.
    const wchar_t* chosen = _wgetenv(L"TAPOMI_HTSVOICE");
    return chosen ? utf8(chosen) : std::string {};
}

bool OpenJTalkProgram::find(const std::string& program)
{
    if (program.empty())
        return false;
    // CreateProcess adds the ending to a name without one; the name is looked for as it will be.
    std::wstring name = wide(program);
    if (name.size() < 4 || _wcsicmp(name.c_str() + name.size() - 4, L".exe") != 0)
        name += L".exe";
    if (program.find_first_of("\\/") != std::string::npos)
        return isProgram(name);

    const DWORD size = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    std::wstring path(size, L'\0');
    const DWORD length = size ? GetEnvironmentVariableW(L"PATH", path.data(), size) : 0;
    path.resize(length < size ? length : 0);
    std::wstring_view folders = path;
    while (!folders.empty()) {
        const std::size_t semicolon = folders.find(L';');
        std::wstring_view folder = folders.substr(0, semicolon);
        folders = semicolon == std::wstring_view::npos ? std::wstring_view {}
                                                       : folders.substr(semicolon + 1);
        // An entry may be quoted, as installers write those with a semicolon in them.
        if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"')
            folder = folder.substr(1, folder.size() - 2);
        if (!folder.empty() && isProgram(fs::path(folder) / name))
            return true;
    }
    return false;
}

std::string OpenJTalkProgram::fileArgument(const std::string& path)
{
    // open_jtalk opens its files with the narrow fopen, which reads names in the ANSI code page:
    // a name that page cannot spell is given by its short form, which is plain ASCII.
    if (isAscii(path))
        return path;
    const std::wstring full = wide(path);
    const DWORD size = GetShortPathNameW(full.c_str(), nullptr, 0);
    if (size == 0)
        return path;
    std::wstring shortName(size, L'\0');
    const DWORD length = GetShortPathNameW(full.c_str(), shortName.data(), size);
    if (length == 0 || length >= size)
        return path;
    shortName.resize(length);
    // A volume without short names gives the long name back: nothing better can be done then.
    const std::string converted = utf8(shortName);
    return isAscii(converted) ? converted : path;
}

std::optional<std::string> OpenJTalkProgram::wave(std::vector<std::string> argv,
    std::string_view input, StopSignal& stop, std::chrono::milliseconds timeout)
{
    const WaveFile file;
    if (file.path().empty())
        return std::nullopt;
    argv.insert(argv.end(), { "-ow", fileArgument(utf8(file.path())) });
    if (!ChildProcess::run(argv, input, &stop, timeout))
        return std::nullopt;
    return file.read();
}
