#include "media/SharedLibrary.h"

#include "common/Utf8Text.h"

#include <string>
#include <windows.h>

namespace {

HMODULE load(const char* name)
{
    const std::optional<std::u16string> wide = Utf8Text::decode(name);
    if (!wide)
        return nullptr;
    const std::wstring file(wide->begin(), wide->end());
    // The program's own folder and the system's, never the current folder: a DLL of the same
    // name in a pupil's picture folder must not be run. The application folder holds SDL2.dll.
    constexpr DWORD kSafeFolders
        = LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;
    return LoadLibraryExW(file.c_str(), nullptr, kSafeFolders);
}

} // namespace

SharedLibrary::SharedLibrary(const char* name)
    : m_handle(load(name))
{ }

void* SharedLibrary::symbol(const char* name) const
{
    if (!m_handle)
        return nullptr;
    // GetProcAddress gives a FARPROC, a function pointer; bind() turns it into the right one.
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(m_handle), name));
}
