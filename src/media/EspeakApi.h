#pragma once

#include <espeak-ng/speak_lib.h>

// The part of espeak-ng the program uses, loaded on first use (on the speech thread).
struct EspeakApi
{
    decltype(&espeak_Initialize) Initialize;
    decltype(&espeak_SetSynthCallback) SetSynthCallback;
    decltype(&espeak_SetVoiceByName) SetVoiceByName;
    decltype(&espeak_SetParameter) SetParameter;
    decltype(&espeak_Synth) Synth;

    // Null when espeak-ng cannot be loaded.
    static const EspeakApi* get();
};
