#include "media/SdlApi.h"

#include "media/SharedLibrary.h"

namespace {

// The library's name on this system (libSDL2-2.0.so.0 on Linux, SDL2.dll beside the program on
// Windows), given by the build.
constexpr const char* kLibrary = TAPOMI_SDL_LIBRARY;

// SDL keeps its error text in memory of each thread that meets an error, and frees it only for
// the threads it made itself. Ours (the speech thread, the device keeper, the user-interface
// thread) hand their share back as they end.
struct ThreadShare
{
    explicit ThreadShare(decltype(&SDL_TLSCleanup) cleanup)
        : m_cleanup(cleanup)
    { }
    ThreadShare(const ThreadShare&) = delete;
    ThreadShare& operator=(const ThreadShare&) = delete;
    ~ThreadShare()
    {
        if (m_cleanup)
            m_cleanup();
    }

private:
    decltype(&SDL_TLSCleanup) m_cleanup;
};

} // namespace

const SdlApi* SdlApi::get()
{
    static const SdlApi* const api = []() -> const SdlApi* {
        static const SharedLibrary library(kLibrary);
        static SdlApi functions {};
        const bool complete = library.loaded()
            && library.bind(functions.InitSubSystem, "SDL_InitSubSystem")
            && library.bind(functions.QuitSubSystem, "SDL_QuitSubSystem")
            && library.bind(functions.OpenAudioDevice, "SDL_OpenAudioDevice")
            && library.bind(functions.PauseAudioDevice, "SDL_PauseAudioDevice")
            && library.bind(functions.CloseAudioDevice, "SDL_CloseAudioDevice")
            && library.bind(functions.SetHint, "SDL_SetHint")
            && library.bind(functions.RWFromConstMem, "SDL_RWFromConstMem")
            && library.bind(functions.LoadWAV_RW, "SDL_LoadWAV_RW")
            && library.bind(functions.FreeWAV, "SDL_FreeWAV")
            && library.bind(functions.BuildAudioCVT, "SDL_BuildAudioCVT")
            && library.bind(functions.ConvertAudio, "SDL_ConvertAudio")
            && library.bind(functions.NewAudioStream, "SDL_NewAudioStream")
            && library.bind(functions.FreeAudioStream, "SDL_FreeAudioStream")
            && library.bind(functions.AudioStreamPut, "SDL_AudioStreamPut")
            && library.bind(functions.AudioStreamFlush, "SDL_AudioStreamFlush")
            && library.bind(functions.AudioStreamAvailable, "SDL_AudioStreamAvailable")
            && library.bind(functions.AudioStreamGet, "SDL_AudioStreamGet");
        if (complete)
            library.bind(functions.TLSCleanup, "SDL_TLSCleanup"); // not in every SDL 2
        return complete ? &functions : nullptr;
    }();
#ifndef _WIN32
    // Not on Windows: there mingw-w64's emulated thread_local storage can be freed before the
    // destructor of an object in it runs as the thread ends, and the destructor then called a
    // function through a freed pointer and crashed the program (seen when Esc ended the drill).
    // What SDL keeps for each of our few threads is an error text of a few bytes.
    if (api) {
        [[maybe_unused]] thread_local const ThreadShare share(api->TLSCleanup);
    }
#endif
    return api;
}
