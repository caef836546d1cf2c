#pragma once

#include <SDL.h>

// The part of SDL the media use: the audio device, and the reading and converting of wave data.
// SDL is loaded on first use, on whichever thread needs it first (normally the speech thread,
// after the window's first frame).
struct SdlApi
{
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_RWFromConstMem) RWFromConstMem;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
    decltype(&SDL_ConvertAudio) ConvertAudio;
    decltype(&SDL_NewAudioStream) NewAudioStream;
    decltype(&SDL_FreeAudioStream) FreeAudioStream;
    decltype(&SDL_AudioStreamPut) AudioStreamPut;
    decltype(&SDL_AudioStreamFlush) AudioStreamFlush;
    decltype(&SDL_AudioStreamAvailable) AudioStreamAvailable;
    decltype(&SDL_AudioStreamGet) AudioStreamGet;
    // Frees what SDL keeps for the calling thread; null in an SDL without it.
    decltype(&SDL_TLSCleanup) TLSCleanup = nullptr;

    // Null when SDL cannot be loaded: there is then no sound at all. A thread that asks for SDL
    // gives back what SDL keeps for it when it ends.
    static const SdlApi* get();
};
