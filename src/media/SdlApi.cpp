#include "media/SdlApi.h"

#include "media/SharedLibrary.h"

const SdlApi* SdlApi::get()
{
    static const SdlApi* const api = []() -> const SdlApi* {
        static const SharedLibrary library("libSDL2-2.0.so.0");
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
        return complete ? &functions : nullptr;
    }();
    return api;
}
