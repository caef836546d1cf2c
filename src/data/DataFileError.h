#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

// The one failure of the data files that no loader recovers from. It travels up to start-up (or
// to the window that asked for a save), whose message box shows what() to the teacher: UTF-8
// text naming what went wrong and the full path of the file or folder concerned.
class DataFileError : public std::runtime_error
{
public:
    enum class Kind
    {
        Open, // the file exists but can't be opened
        Io, // the file was opened but its bytes could not be read (permission, device error)
        Read, // the file's content can't be read as the items asked for
        Write, // the file can't be written or replaced
        List, // the picture folder can't be listed
    };

    DataFileError(Kind kind, const std::filesystem::path& path, std::string_view detail);

    Kind kind() const { return m_kind; }
    const std::filesystem::path& path() const { return m_path; }

    // The reason given by the operating system for the last failed call, in words.
    static std::string systemReason(int errorNumber);

private:
    Kind m_kind;
    std::filesystem::path m_path;
};
