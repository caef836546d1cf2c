#pragma once

#include <filesystem>

// Where this user's own tapomi files live: the teacher's working directory, which the launcher
// prepares (praise phrases, a copy of the sample cards, the kana sounds), and the children's
// record inside it. $XDG_DATA_HOME/tapomi on Linux, %LOCALAPPDATA%\tapomi on Windows: local to
// the machine, since the record is never to leave it.
class UserDataFolder
{
public:
    // One file per platform; empty when the system names no such place.
    static std::filesystem::path workingDirectory();
    static std::filesystem::path recordFile();
};
