#include "media/SilentSpeechVoice.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace {

// The event queue of the user-interface thread, run by hand.
struct ManualQueue
{
    std::deque<std::function<void()>> pending;

    UiPoster poster()
    {
        return [this](std::function<void()> f) { pending.push_back(std::move(f)); };
    }
    void run()
    {
        while (!pending.empty()) {
            auto f = std::move(pending.front());
            pending.pop_front();
            f();
        }
    }
};

TEST(SilentSpeechVoiceTest, ReportsEachTextOnceThroughTheQueueAndNeverInline)
{
    ManualQueue queue;
    SilentSpeechVoice voice(queue.poster());
    int done = 0;
    voice.setDoneHandler([&] { ++done; });

    voice.SpeakText(u"いぬ、と、いれてください");
    EXPECT_EQ(done, 0);
    queue.run();
    EXPECT_EQ(done, 1);

    voice.SpeakText(u"");
    queue.run();
    EXPECT_EQ(done, 2) << "an empty text completes too";
}

TEST(SilentSpeechVoiceTest, StoppedOrSupersededTextsDoNotReport)
{
    ManualQueue queue;
    SilentSpeechVoice voice(queue.poster());
    int done = 0;
    voice.setDoneHandler([&] { ++done; });

    voice.SpeakText(u"一");
    voice.StopSpeech();
    queue.run();
    EXPECT_EQ(done, 0);

    voice.SpeakText(u"一");
    voice.SpeakText(u"二");
    queue.run();
    EXPECT_EQ(done, 1) << "only the latest text reports";
}

} // namespace
