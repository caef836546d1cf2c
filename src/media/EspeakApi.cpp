#include "media/EspeakApi.h"

#include "media/SharedLibrary.h"

const EspeakApi* EspeakApi::get()
{
    static const EspeakApi* const api = []() -> const EspeakApi* {
        static const SharedLibrary library("libespeak-ng.so.1");
        static EspeakApi functions {};
        const bool complete = library.loaded()
            && library.bind(functions.Initialize, "espeak_Initialize")
            && library.bind(functions.SetSynthCallback, "espeak_SetSynthCallback")
            && library.bind(functions.SetVoiceByName, "espeak_SetVoiceByName")
            && library.bind(functions.SetParameter, "espeak_SetParameter")
            && library.bind(functions.Synth, "espeak_Synth");
        return complete ? &functions : nullptr;
    }();
    return api;
}
