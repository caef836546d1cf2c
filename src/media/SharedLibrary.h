#pragma once

// A library the program loads when it first needs it rather than when it starts, so that the
// window is on screen without waiting for the loader to map and bind it and everything it pulls
// in (SDL alone brings in the sound server's client and some thirty more libraries). Once loaded
// it stays for the rest of the run: the libraries loaded this way keep state of their own.
class SharedLibrary
{
public:
    // Loads the library by its ABI name: the soname on Linux, the DLL's file name on Windows,
    // in UTF-8. Check loaded() afterwards.
    explicit SharedLibrary(const char* name);
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool loaded() const { return m_handle != nullptr; }

    // Points function at the library's symbol of that name; false, and null, when it is missing.
    template<class Function> bool bind(Function*& function, const char* name) const
    {
        function = reinterpret_cast<Function*>(symbol(name));
        return function != nullptr;
    }

private:
    void* symbol(const char* name) const;

    void* m_handle = nullptr;
};
