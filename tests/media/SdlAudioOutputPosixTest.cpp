#include "media/AudioMixer.h"
#include "media/SdlAudioOutput.h"

#include "ScopedVariable.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(SdlAudioOutputPosixTest, TheDeviceLeavesTerminationSignalsToTheProgram)
{
    TempFolder folder;
    const ScopedVariable output("SDL_DISKAUDIOFILE", (folder / "device.raw").string());
    AudioMixer mixer;
    const auto device = SdlAudioOutput::open(mixer);
    ASSERT_TRUE(device) << "the disk audio driver did not open";
    // With the device open, SIGTERM and SIGINT still end the program as they always do.
    for (const int signal : { SIGTERM, SIGINT }) {
        struct sigaction action
        {
        };
        ASSERT_EQ(::sigaction(signal, nullptr, &action), 0);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << "signal " << signal;
    }
}

} // namespace
